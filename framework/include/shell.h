// Shell and system services: starting programs and control-panel pages,
// closing or killing other programs, device power, system information, and
// small file helpers.
//
// Classes in this header:
//   CSH           shell actions: programs, windows, device power (static)
//   CSI           system information and settings (static)
//   CModuleInfo   paths beside a module
//   CFileInfo     path and file utilities, results in one shared buffer (static)
//   CFile         a plain file handle
//   CWndList      window titles and classes a window walk should avoid
//   CWndIconList  CWndList with an icon per window
//
// Results are 1/0 unless a comment says otherwise. Text results that point
// into a shared buffer stay valid only until the next call that reuses it.
// Every copy into a caller's or a shared buffer is bounded and terminated.
#pragma once

#include <windows.h>
// commdlg.h maps GetFileTitle to GetFileTitleW; seeing it here means every
// caller names the same members whatever it includes afterwards.
#include <commdlg.h>

#include "corvane_api.h"

class CORVANE_API CSH {
public:
    // Capacity, terminator included, of each token of GetOEMInfo (the OEM
    // string is read up to 32 characters) and of an owner name. (Class
    // constants are enumerators: an imported class's static data would need
    // an exported definition.)
    enum { kOEMTokenChars = 33, kOwnerNameChars = 33 };

    // Device models told apart by their OEM string.
    enum { ModelOther = 0, ModelH3800 = 1, ModelH3900 = 2, ModelJornada = 3 };

    // Starts file with parameters through the shell; always 1.
    static BOOL Execute(LPCWSTR file, LPCWSTR parameters = nullptr);
    // Sends an existing file with the infrared beam program.
    static BOOL Beam(LPCWSTR file);

    static BOOL ShowOkButton(HWND hWnd, BOOL show);
    static BOOL SetTaskBarText(HWND hWnd, LPCWSTR text);
    static BOOL ShowTaskBar(HWND hWnd, BOOL show);
    static BOOL ShowSipButton(HWND hWnd, BOOL show);
    static BOOL ShowStartIcon(HWND hWnd, BOOL show);

    // The file name of path without its last extension, into out of cchOut
    // characters; 0 when it had to be cut to fit.
    static BOOL GetFileTitle(LPCWSTR path, LPWSTR out, int cchOut = MAX_PATH);

    // The OEM information string into buffer of cch characters.
    static BOOL GetOEMInfo(LPWSTR buffer, int cch);
    // Its first three tokens (separated by commas and spaces); a missing
    // token gives empty text. Each output holds cchEach characters.
    static BOOL GetOEMInfo(LPWSTR first, LPWSTR second, LPWSTR third, int cchEach = kOEMTokenChars);
    // One of the Model* values.
    static int GetDeviceModel();

    // The owner's name (at most 32 characters) into out of cchOut characters.
    static BOOL GetOwnerName(LPWSTR out, int cchOut = kOwnerNameChars);
    // The power-on password type; 0 when none is set.
    static DWORD GetPasswordType();

    static BOOL PowerOff();
    static BOOL Reset();
    static BOOL HardReset();
    // The shell's password prompt (locks the device when a password is set).
    static BOOL LogOff(HWND hWnd);

    static BOOL KillProcess(DWORD processId);
    // Kills the first process whose executable name (lower case) is exeName.
    static BOOL KillApp(LPCWSTR exeName);
    static BOOL KillApp(HWND hWnd);
    static BOOL KillAllCpl();

    // Window walks over the ordinary application windows (visible, top-level,
    // unowned, not tool windows), skipping the caller's own window.
    static BOOL CloseAllApps(HWND own);
    static BOOL CloseAll(HWND own);
    static HWND GetForeApp(HWND own);
    static BOOL CloseForeWindow(HWND own);
    static BOOL CloseWindow(HWND hWnd);
    static BOOL KillForeApp(HWND own);
    // Taps the navigation bar's close/minimise corner.
    static BOOL MinimizeForeWindow();
    // Brings the Today screen to the front.
    static BOOL Home();
    static BOOL ScreenOn(BOOL on);
};

class CORVANE_API CSI {
public:
    // Control-panel pages LaunchCPL knows (indexes 0 to kCplPageCount - 1).
    enum { kCplPageCount = 19 };

    // Physical memory, bytes.
    static BOOL GetMemoryStatus(ULONGLONG* available, ULONGLONG* total);
    // Object store, bytes; total is the store size plus the free size.
    static BOOL GetStoreStatus(ULONGLONG* freeBytes, ULONGLONG* total);
    // AC line status as reported (0 off, 1 on, 255 unknown); each percent is
    // -1 when unknown.
    static BOOL GetPowerInfo(int* acLine, int* batteryPercent, int* backupPercent);
    // The index-th storage card (from 0): its folder name into name of
    // cchName characters and its space in kilobytes; 0 when there is no such
    // card.
    static BOOL GetSTCardInfo(int index, LPWSTR name, DWORD* freeKB, DWORD* totalKB, int cchName = MAX_PATH);

    // Wave volume 0-10.
    static int GetVolume();
    static BOOL SetVolume(int level);
    // Backlight level of the current power source.
    static int GetBright();
    static BOOL SetBright(int level);

    static BOOL LaunchCPL(int index);
};

class CORVANE_API CModuleInfo {
public:
    // The module of CorGetInstance.
    CModuleInfo();
    explicit CModuleInfo(HINSTANCE module);
    explicit CModuleInfo(LPCWSTR path);

    // Stores the full path of module (null = CorGetInstance).
    BOOL SetModuleName(HINSTANCE module = nullptr);

    // The module's folder + "\" + name; null when the module path has no
    // folder or the result does not fit.
    LPCWSTR GetFileName(LPCWSTR name);
    LPCWSTR GetPath(LPCWSTR name);
    // Always null: a file name needs a name.
    LPCWSTR GetFileName();
    // The module's folder without trailing backslash.
    LPCWSTR GetPath();
    LPCWSTR GetFullPath();

private:
    LPCWSTR JoinFolder(LPCWSTR name);

    wchar_t m_szModule[MAX_PATH];
    wchar_t m_szWork[MAX_PATH];  // result of the last Get* call
};

class CORVANE_API CFileInfo {
public:
    // The buffer every text result below is returned in; null results mean
    // failure (including a result longer than the buffer).
    static wchar_t szBuff[MAX_PATH];

    // Small shell icon of the file, to be destroyed by the caller.
    static HICON GetFileIcon(LPCWSTR path);
    // The text after the last dot equals extension exactly (case matters).
    static BOOL IsExtension(LPCWSTR path, LPCWSTR extension);
    static BOOL IsShortcutFile(LPCWSTR path);

    static BOOL CopyFileW(LPCWSTR source, LPCWSTR destination, BOOL failIfExists);
    static BOOL DeleteFileW(LPCWSTR path, BOOL clearAttributes);
    static BOOL CreateDirectoryW(LPCWSTR path);
    static BOOL RemoveDirectoryW(LPCWSTR path);
    // A shortcut to an ".exe", or a copy of a target ".lnk".
    static BOOL CreateShortcut(LPCWSTR shortcut, LPCWSTR target);

    static LPCWSTR GetFileTitle(LPCWSTR path);
    static LPCWSTR GetFullPath(LPCWSTR folder, LPCWSTR name);
    static LPCWSTR GetFullPath(LPCWSTR folder, LPCWSTR name, LPCWSTR extension);
    static LPCWSTR GetFileName(LPCWSTR path);
    static LPCWSTR GetPath(LPCWSTR path);
    static BOOL IsExist(LPCWSTR path);
    // The side bar's installation folder from the registry.
    static LPCWSTR GetKetraPath();
};

class CORVANE_API CFile {
public:
    CFile();
    explicit CFile(HANDLE file);
    // Open(path, 0).
    explicit CFile(LPCWSTR path);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Read and write with shared read; a missing file is created, and with
    // create set an existing one is emptied.
    BOOL Open(LPCWSTR path, BOOL create);
    BOOL Close();

    // Bytes read; 0 for count 0, a null buffer or an error.
    DWORD Read(void* buffer, DWORD count);
    // Bytes written.
    DWORD Write(const void* buffer, DWORD count);
    // origin 0 begin, 1 current, 2 end; the new position, or (DWORD)-1.
    DWORD Seek(LONG offset, int origin);
    DWORD GetPosition();
    DWORD GetLength();
    DWORD SeekToEnd();
    void SeekToBegin();

    HANDLE GetHandle() const { return m_hFile; }
    LPCWSTR GetFilePath() const { return m_szPath; }

protected:
    BOOL IsHeld() const { return m_hFile != INVALID_HANDLE_VALUE && m_hFile != nullptr; }

    HANDLE m_hFile;
    wchar_t m_szPath[MAX_PATH];
};

class CORVANE_API CWndList {
public:
    enum {
        kMaxAvoid = 32,
        kMaxNameChars = 128,  // 127 characters and the terminator
    };

    CWndList();
    virtual ~CWndList() = default;

    // 0 when the list is full (or the text is null); longer text is cut.
    BOOL AddAvoidName(LPCWSTR title);
    BOOL AddAvoidClass(LPCWSTR className);
    void ResetAvoidList();

    BOOL IsAvoidName(LPCWSTR title) const;
    BOOL IsAvoidClass(LPCWSTR className) const;

protected:
    wchar_t m_avoidNames[kMaxAvoid][kMaxNameChars];
    wchar_t m_avoidClasses[kMaxAvoid][kMaxNameChars];
    int m_nAvoidNames;
    int m_nAvoidClasses;
};

class CORVANE_API CWndIconList : public CWndList {
public:
    enum { kMaxIcons = 32 };

    CWndIconList();

    // Remembers the icon of a window (replacing an earlier one); 0 when the
    // list is full or the window is null. Icons are not owned.
    BOOL SetWndIcon(HWND hWnd, HICON icon);
    HICON GetWndIcon(HWND hWnd) const;
    void ResetIcons();

private:
    HWND m_iconWnds[kMaxIcons];
    HICON m_icons[kMaxIcons];
    int m_nIcons;
};
