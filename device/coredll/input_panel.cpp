// The input panel's functions.  The panel itself lives in the shell process
// (devshell.exe), which hosts the current input method: reads take the
// state it publishes in the device state key, changes are requests to its
// window (shellproto.h).
#include <shellproto.h>
#include <sip.h>
#include <stdio.h>
#include <strsafe.h>

#include <vector>

#include "coredll_private.h"

namespace {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kTaskBarHeight = SHELL_TASKBAR_HEIGHT;

HWND FindPanel()
{
    return FindWindowW(SHELL_SIP_CLASS, nullptr);
}

// Sends a request to the panel.  SMTO_NORMAL keeps this thread answering
// what the panel's methods send back while the panel works.
BOOL AskPanel(DWORD code, const void* data, DWORD size)
{
    HWND panel = FindPanel();
    if (!panel) {
        SetLastError(ERROR_SERVICE_NOT_ACTIVE);
        return FALSE;
    }
    COPYDATASTRUCT copy = {code, size, const_cast<void*>(data)};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(panel, WM_COPYDATA, 0, (LPARAM)&copy, SMTO_NORMAL, SHELL_SIP_TIMEOUT_MS, &answer))
        return FALSE;
    return answer != 0;
}

// The method's panel as published ("left,top,right,bottom"); the empty
// rectangle at the screen's bottom when nothing is published.
RECT PublishedPanelRect()
{
    RECT rect = {0, kScreenHeight, kScreenWidth, kScreenHeight};
    wchar_t text[64];
    if (DevStateGetString(L"SipRect", text, ARRAYSIZE(text))) {
        RECT read = {};
        if (swscanf(text, L"%ld,%ld,%ld,%ld", &read.left, &read.top, &read.right, &read.bottom) == 4)
            rect = read;
    }
    return rect;
}

bool IsPanelUp()
{
    return DevStateGetDword(L"SipUp", 0) != 0;
}

bool IsHexDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

unsigned HexValue(wchar_t c)
{
    if (c <= L'9')
        return c - L'0';
    return (c | 0x20) - L'a' + 10;
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", in either case; nothing else.
bool ParseClsid(const wchar_t* text, CLSID* clsid)
{
    static const char kShape[] = "{........-....-....-....-............}";
    unsigned char bytes[16] = {};
    int nibble = 0;
    for (int i = 0; kShape[i]; ++i) {
        wchar_t c = text[i];
        if (kShape[i] == '.') {
            if (!IsHexDigit(c))
                return false;
            bytes[nibble / 2] = (unsigned char)((bytes[nibble / 2] << 4) | HexValue(c));
            ++nibble;
        } else if (c != (wchar_t)kShape[i]) {
            return false;
        }
    }
    if (text[sizeof(kShape) - 1] != L'\0')
        return false;
    clsid->Data1 = ((DWORD)bytes[0] << 24) | ((DWORD)bytes[1] << 16) | ((DWORD)bytes[2] << 8) | bytes[3];
    clsid->Data2 = (WORD)((bytes[4] << 8) | bytes[5]);
    clsid->Data3 = (WORD)((bytes[6] << 8) | bytes[7]);
    memcpy(clsid->Data4, bytes + 8, 8);
    return true;
}

// An installed method: the class key has "IsSIPInputMethod" = "1".
bool IsInputMethod(HKEY classes, const wchar_t* clsidText)
{
    wchar_t subKey[96];
    if (FAILED(StringCchPrintfW(subKey, ARRAYSIZE(subKey), L"%ls\\IsSIPInputMethod", clsidText)))
        return false;
    wchar_t flag[8] = L"";
    DWORD size = sizeof(flag) - sizeof(wchar_t);
    if (RegGetValueW(classes, subKey, nullptr, RRF_RT_REG_SZ, nullptr, flag, &size) != ERROR_SUCCESS)
        return false;
    return wcscmp(flag, L"1") == 0;
}

// The method's name: the class key's default value (a name longer than the
// record holds is cut, as it would be shown).
void ReadMethodName(HKEY classes, const wchar_t* clsidText, wchar_t* name, DWORD cch)
{
    name[0] = L'\0';
    wchar_t buffer[1024] = L"";
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(classes, clsidText, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) == ERROR_SUCCESS)
        StringCchCopyW(name, cch, buffer);
}

// Every class key, with a look for the flag under each: hundreds of
// registry calls.
std::vector<IMENUMINFO> ScanMethods(HKEY classes)
{
    std::vector<IMENUMINFO> methods;
    wchar_t clsidText[64];
    for (DWORD index = 0;; ++index) {
        DWORD cch = ARRAYSIZE(clsidText);
        LSTATUS rc = RegEnumKeyExW(classes, index, clsidText, &cch, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA)
            continue;  // no class key name is that long
        if (rc != ERROR_SUCCESS)
            break;
        IMENUMINFO info = {};
        if (!ParseClsid(clsidText, &info.clsid) || !IsInputMethod(classes, clsidText))
            continue;
        ReadMethodName(classes, clsidText, info.szName, ARRAYSIZE(info.szName));
        methods.push_back(info);
    }
    return methods;
}

// The installed methods, kept between calls while the class keys stay as
// they were: the registry tells this process of any change below them (the
// notice is armed before each scan, so a change during one is not missed).
struct MethodCache {
    SRWLOCK lock = SRWLOCK_INIT;
    HKEY classes = nullptr;
    HANDLE changed = nullptr;
    bool valid = false;
    std::vector<IMENUMINFO> methods;
};
MethodCache g_cache;

std::vector<IMENUMINFO> InstalledMethods()
{
    AcquireSRWLockExclusive(&g_cache.lock);
    if (!g_cache.classes &&
        RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ | KEY_NOTIFY, &g_cache.classes) != ERROR_SUCCESS)
        g_cache.classes = nullptr;
    if (!g_cache.changed)
        g_cache.changed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool current = g_cache.valid && WaitForSingleObject(g_cache.changed, 0) == WAIT_TIMEOUT;
    if (!current && g_cache.classes) {
        ResetEvent(g_cache.changed);
        g_cache.valid = g_cache.changed && RegNotifyChangeKeyValue(g_cache.classes, TRUE,
                                                                   REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                                                   g_cache.changed, TRUE) == ERROR_SUCCESS;
        g_cache.methods = ScanMethods(g_cache.classes);
    }
    std::vector<IMENUMINFO> methods = g_cache.methods;
    ReleaseSRWLockExclusive(&g_cache.lock);
    return methods;
}

BOOL FillSipInfo(SIPINFO* info)
{
    if (!info || info->cbSize != sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!FindPanel()) {
        SetLastError(ERROR_SERVICE_NOT_ACTIVE);
        return FALSE;
    }
    const bool up = IsPanelUp();
    info->fdwFlags = SIPF_DOCKED | (up ? SIPF_ON : 0);
    info->rcSipRect = PublishedPanelRect();
    int bottom = up ? info->rcSipRect.top : kScreenHeight;
    if (bottom < kTaskBarHeight || bottom > kScreenHeight)
        bottom = kScreenHeight;
    SetRect(&info->rcVisibleDesktop, 0, kTaskBarHeight, kScreenWidth, bottom);
    info->dwImDataSize = 0;
    return TRUE;
}

}  // namespace

extern "C" int WINAPI SipEnumIM(IMENUMPROC proc)
{
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    // The list is copied first: the callback may call back into here.
    const std::vector<IMENUMINFO> methods = InstalledMethods();
    int count = 0;
    for (IMENUMINFO info : methods) {
        ++count;
        if (!proc(&info))
            break;
    }
    return count;
}

extern "C" BOOL WINAPI SipGetCurrentIM(CLSID* pClsid)
{
    if (!pClsid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    wchar_t text[64];
    if (!FindPanel() || !DevStateGetString(L"SipIM", text, ARRAYSIZE(text)) || !ParseClsid(text, pClsid)) {
        SetLastError(ERROR_SERVICE_NOT_ACTIVE);
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI SipSetCurrentIM(CLSID* pClsid)
{
    if (!pClsid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SHELL_SIPMETHOD_DATA request = {*pClsid};
    return AskPanel(SHELL_SIPMETHOD, &request, sizeof(request));
}

extern "C" BOOL WINAPI SipShowIM(DWORD dwFlag)
{
    SHELL_SIPSTATE_DATA request = {nullptr, (dwFlag & SIPF_ON) ? TRUE : FALSE};
    return AskPanel(SHELL_SIPSTATE, &request, sizeof(request));
}

extern "C" BOOL WINAPI SipGetInfo(SIPINFO* pSipInfo)
{
    return FillSipInfo(pSipInfo);
}

extern "C" BOOL WINAPI SipSetInfo(SIPINFO* pSipInfo)
{
    if (!pSipInfo || pSipInfo->cbSize != sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return SipShowIM(pSipInfo->fdwFlags & SIPF_ON);
}

bool InputPanelParameters(UINT action, PVOID param, BOOL* result)
{
    switch (action) {
    case SPI_SETSIPINFO:
        *result = SipSetInfo(static_cast<SIPINFO*>(param));
        return true;
    case SPI_GETSIPINFO:
        *result = SipGetInfo(static_cast<SIPINFO*>(param));
        return true;
    case SPI_SETCURRENTIM:
        *result = SipSetCurrentIM(static_cast<CLSID*>(param));
        return true;
    case SPI_GETCURRENTIM:
        *result = SipGetCurrentIM(static_cast<CLSID*>(param));
        return true;
    }
    return false;
}
