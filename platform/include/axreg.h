// The applet registry: one registry key per applet under HKEY_LOCAL_MACHINE
// "SOFTWARE\ZARQ\APPLETS" (or the device's Today-item branch), read and
// written by the side bar and the settings program.
//
// Classes in this file:
//   CAxDllInfo  one registration (a plain copyable record)
//   CAxReg      static operations on single registration keys
//   CAxRegList  a whole branch loaded into a list sorted by order
//
// Results are 1 for success and 0 for failure.
#pragma once

#include <windows.h>

#include "ktreg_api.h"
#include "registry.h"

// The branch the side bar's applets are registered in.
#define AX_APPLETS_KEY L"SOFTWARE\\ZARQ\\APPLETS"

// Registration types (value Type).
enum { AX_TYPE_APPLET = 0, AX_TYPE_HIDDEN = 1, AX_TYPE_TODAY_ITEM = 4 };

struct CAxDllInfo {
    static constexpr int kNameChars = 64;
    static constexpr int kKeyChars = 128;
    static constexpr int kDllChars = 128;
    static constexpr int kGroupChars = 64;

    wchar_t szName[kNameChars];
    wchar_t szKey[kKeyChars];     // the branch the registration lives in
    wchar_t szDLL[kDllChars];
    DWORD dwEnabled;
    DWORD dwOptions;
    DWORD dwOrder;
    DWORD dwType;
    wchar_t szGroup[kGroupChars];
    DWORD dwNotify;
};

class KTREG_API CAxReg {
public:
    // Number of subkeys of HKLM\branch (0 when it cannot be opened).
    static int GetAppletCount(LPCWSTR branch);
    // Reads key\name into the record. Fails unless Type can be read (type is
    // then 0); absent values leave their fields unchanged, notify excepted.
    // Text longer than its field is cut to fit.
    static BOOL GetAppletInfo(CAxDllInfo* info);
    // The same from the registration's key under a branch already open
    // (the name is taken from the record, the key field left as it is).
    static BOOL GetAppletInfo(HKEY branch, CAxDllInfo* info);
    static BOOL HasApplet(LPCWSTR branch, LPCWSTR name);
    static BOOL DelApplet(LPCWSTR branch, LPCWSTR name);
    // Writes Type, Options, Order, Enabled, DLL, Group, Notify in that order
    // to key\name (created when create is non-zero). Fails when the key
    // cannot be opened or the record has no name.
    static BOOL SetAppletInfo(const CAxDllInfo* info, BOOL create);
    static BOOL ChangeAppletInfo(const CAxDllInfo* info) { return SetAppletInfo(info, FALSE); }
    static BOOL AddAppletInfo(const CAxDllInfo* info) { return SetAppletInfo(info, TRUE); }
    static BOOL DelAppletInfo(const CAxDllInfo* info);
    // Exchange sort by ascending order (not stable); fails when any pointer is null.
    static BOOL SortByOrder(CAxDllInfo** list, int count);

    // Fills name and key of a fresh (zeroed) record; 0 when either does not fit.
    static BOOL InitInfo(CAxDllInfo* info, LPCWSTR branch, LPCWSTR name);

private:
    // The values of an open registration key; 0 unless Type can be read.
    static BOOL ReadValues(CRegistry& key, CAxDllInfo* info);
};

class KTREG_API CAxRegList {
public:
    CAxRegList();
    ~CAxRegList();
    CAxRegList(const CAxRegList&) = delete;
    CAxRegList& operator=(const CAxRegList&) = delete;

    // Loads the valid registrations of the branch, sorts them by order and
    // renumbers the orders 0, 1, ... Returns the loaded flag.
    BOOL LoadList(LPCWSTR branch = AX_APPLETS_KEY);
    // Writes every loaded registration back (orders included). Keys under
    // the branch that are not valid registrations (no readable Type, a name
    // longer than the record's) are not loaded, so never written back.
    BOOL SaveList(LPCWSTR branch = AX_APPLETS_KEY);

    int GetCount() const { return m_nCount; }
    int GetEnableCount() const { return m_nEnableCount; }
    BOOL IsLoaded() const { return m_bLoaded; }
    CAxDllInfo* GetDllInfo(int index) const;

    // Enabled and type 0 (listed in the applet menu).
    BOOL IsEnabled(int index) const { return IsEnabled(GetDllInfo(index)); }
    static BOOL IsEnabled(const CAxDllInfo* info);
    // Type 1.
    BOOL IsHidden(int index) const { return IsHidden(GetDllInfo(index)); }
    static BOOL IsHidden(const CAxDllInfo* info);

    void Reset() { m_nCursor = 0; }
    BOOL EnumApplet(CAxDllInfo* out);
    // Skips registrations whose Enabled is not exactly 1.
    BOOL EnumEnableApplet(CAxDllInfo* out);

protected:
    BOOL OpenReg(LPCWSTR branch);
    BOOL CloseReg();
    BOOL EnumDllInfo(int index, CAxDllInfo* info);
    void CleanUp();

    CAxDllInfo** m_ppList = nullptr;
    CRegistry* m_pReg = nullptr;
    BOOL m_bLoaded = FALSE;
    wchar_t m_szBranch[MAX_PATH] = {};
    int m_nCount = 0;
    int m_nEnableCount = 0;
    int m_nCursor = 0;
};
