// CAppletLibrary: one applet library loaded by path, as the side bar shows
// it, the settings program runs its options dialog and the benchmark times
// it.  It fills the item record the library is handed (the Today-screen
// record, todaycmn.h), finds the exports 240, 241 and 243 by ordinal, and
// writes one trace line per failure to the program log (CWnd::WriteLog):
// "no library", "no export 240", "240 returned no window".
//
//     CAppletLibrary library;
//     if (library.Load(path)) {
//         HWND window = library.CreateItemWindow(parent);   // export 240
//         ...
//         library.Unload();   // clear-cache, window destroyed, library freed
//     }
//
//     CAppletLibrary options;
//     if (options.Load(path))
//         options.RunOptionsDialog(owner);                   // export 241 on template 500
//
// The framework instance of the caller is kept across every call into the
// library (an applet may make its own module the instance).
#pragma once

#include <windows.h>

#include <todaycmn.h>

#include "ktreg_api.h"

class KTREG_API CAppletLibrary {
public:
    CAppletLibrary();
    ~CAppletLibrary();  // Unload
    CAppletLibrary(const CAppletLibrary&) = delete;
    CAppletLibrary& operator=(const CAppletLibrary&) = delete;

    // Loads the library (a loaded one is unloaded first), finds its exports
    // and fills the item record: zeroed, the path as name (cut to the
    // field), enabled, with options, the path and the library's handle.
    // 0 with the trace line "no library" when it cannot be loaded.
    int Load(LPCWSTR dllPath);
    // Calls export 240 with the record and parent and keeps the window it
    // returned in the record. Null with the trace line "no export 240" or
    // "240 returned no window".
    HWND CreateItemWindow(HWND parent);
    // Runs export 241 modally on the library's dialog template 500 with the
    // record as its parameter. FALSE when the library has no export 241 or
    // no template, or the dialog could not be shown.
    BOOL RunOptionsDialog(HWND owner);
    // Sends the item window clear-cache (1266), destroys it and frees the library.
    void Unload();

    // Whether code of the library is running on the calling thread (one of
    // the thread's stack frames returns into it): the library must not be
    // freed until that code has returned.
    BOOL IsRunningOnThisThread() const;

    BOOL IsLoaded() const { return m_hLib != nullptr; }
    HMODULE GetModule() const { return m_hLib; }
    LPCWSTR GetPath() const { return m_szPath; }
    TODAYLISTITEM* GetItem() { return &m_item; }
    HWND GetItemWindow() const { return m_item.hwndCustom; }
    // The exports; null when the library has none.
    PFNCUSTOMINITIALIZEITEM GetInitializeItem() const { return m_pfnInitialize; }
    DLGPROC GetOptionsDialogProc() const { return m_pfnOptions; }
    PFNCUSTOMCHECKNOTIFY GetCheckNotify() const { return m_pfnCheckNotify; }

private:
    void Trace(LPCWSTR cause) const;

    HMODULE m_hLib;
    wchar_t m_szPath[MAX_PATH];
    TODAYLISTITEM m_item;
    PFNCUSTOMINITIALIZEITEM m_pfnInitialize;
    DLGPROC m_pfnOptions;
    PFNCUSTOMCHECKNOTIFY m_pfnCheckNotify;
};
