// The side bar keeps the library of the applet it shows loaded.  Before an
// applet's files go, the bar is asked to show its reference applet instead
// (the same request other programs send it to show an applet).
#include "app_manager.h"

namespace {

const wchar_t kBarClass[] = L"KETRA_CLASS";
const wchar_t kBarOptionsKey[] = L"SOFTWARE\\ZARQ\\KETRA\\OPTIONS";
const wchar_t kCurrentApplet[] = L"CurrentApplet";
const wchar_t kReferenceApplet[] = L"About";
const UINT kShowApplet = 1030;

} // namespace

void ReleaseSideBarApplets(const std::vector<std::wstring>& applets)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBarOptionsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    wchar_t current[MAX_PATH] = L"";
    DWORD type = 0, size = sizeof(current) - sizeof(wchar_t);
    bool shown = false;
    if (RegQueryValueExW(key, kCurrentApplet, nullptr, &type, reinterpret_cast<BYTE*>(current), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        current[size / sizeof(wchar_t)] = L'\0';
        for (const std::wstring& applet : applets)
            shown = shown || _wcsicmp(applet.c_str(), current) == 0;
    }
    if (shown)
        RegSetValueExW(key, kCurrentApplet, 0, REG_SZ, reinterpret_cast<const BYTE*>(kReferenceApplet),
                       sizeof(kReferenceApplet));
    RegCloseKey(key);
    HWND bar = shown ? FindWindowW(kBarClass, nullptr) : nullptr;
    if (bar) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(bar, kShowApplet, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    }
}
