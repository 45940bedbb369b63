// What the power panel's areas do, and its resident mode: the start-up
// shortcut and the notification icon.
#include <aygshell.h>
#include <cedevice.h>
#include <pkfuncs.h>
#include <strsafe.h>

#include "panel_registry.h"
#include "power_panel.h"

namespace PowerPanel {

namespace {

const wchar_t kOwnerKey[] = L"ControlPanel\\Owner";
const wchar_t kPasswordValue[] = L"PowrPass";
const wchar_t kShortcutName[] = L"\\Restart.lnk";
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
constexpr WORD kKernelIoControlOrdinal = 557;

DWORD PlatformMajorVersion()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) ? version.dwMajorVersion : 0;
}

void RunControlPanel(HWND owner, const wchar_t* arguments)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.lpFile = L"ctlpnl.exe";
    info.lpParameters = arguments;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

// With a power-on password the device locks at once; without one the
// password page opens so the user can set one.
void Lock(State& state)
{
    if (PanelRegistry::ReadFirstWord(HKEY_CURRENT_USER, kOwnerKey, kPasswordValue, 0) != 0) {
        HMODULE panel = LoadLibraryW(L"cplmain.cpl");
        if (!panel)
            return;
        using PromptFn = BOOL(WINAPI*)(HWND, BOOL);
        auto prompt = reinterpret_cast<PromptFn>(reinterpret_cast<void*>(GetProcAddress(panel, "PromptForPasswd")));
        if (prompt)
            prompt(state.window, TRUE);
        FreeLibrary(panel);
        return;
    }
    RunControlPanel(state.window, PlatformMajorVersion() > 3 ? L"cplmain.cpl 6,0" : L"cplmain.cpl 1,0");
}

void PowerOff()
{
    keybd_event(VK_OFF, 0, KEYEVENTF_SILENT, 0);
    keybd_event(VK_OFF, 0, KEYEVENTF_SILENT | KEYEVENTF_KEYUP, 0);
}

// Through the platform library's entry at its device ordinal; a library
// without it is not called.
void SoftReset()
{
    HMODULE core = LoadLibraryW(L"coredll.dll");
    if (!core)
        return;
    using KernelIoControlFn = BOOL(WINAPI*)(DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD);
    auto control = reinterpret_cast<KernelIoControlFn>(
        reinterpret_cast<void*>(GetProcAddress(core, MAKEINTRESOURCEA(kKernelIoControlOrdinal))));
    if (control)
        control(IOCTL_HAL_REBOOT, nullptr, 0, nullptr, 0, nullptr);
    FreeLibrary(core);
}

void ToggleResident(State& state)
{
    if (HWND today = FindWindowW(kTodayClass, nullptr))
        SetForegroundWindow(today);
    state.resident = !state.resident;
    if (state.resident)
        AddNotifyIcon(state);
    else
        DeleteNotifyIcon(state);
    InvalidateRect(state.window, nullptr, FALSE);
    if (state.resident)
        CreateStartupShortcut(state.instance);
    else
        DeleteStartupShortcut();
}

// The control panel's own page list on the platform of today; its
// "Password" page on the older one.
void OpenControlPanel(State& state)
{
    RunControlPanel(state.window, PlatformMajorVersion() < 4 ? L"cplmain.cpl 1,0" : nullptr);
}

bool ShortcutPath(wchar_t* path, size_t cch, BOOL createFolder)
{
    wchar_t folder[MAX_PATH];
    return SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, createFolder) &&
           SUCCEEDED(StringCchPrintfW(path, cch, L"%ls%ls", folder, kShortcutName));
}

// The program's own path as the device names it: without the device's drive.
bool OwnDevicePath(HINSTANCE instance, wchar_t* path, size_t cch)
{
    DWORD length = GetModuleFileNameW(instance, path, (DWORD)cch);
    if (length == 0 || length >= cch)
        return false;
    if (length > 2 && path[1] == L':' && path[2] == L'\\')
        memmove(path, path + 2, (length - 1) * sizeof(wchar_t));
    return true;
}

}  // namespace

void PerformArea(State& state, int area)
{
    switch (area) {
    case kLock:
        Lock(state);
        Finish(state);
        break;
    case kPowerOff:
        PowerOff();
        Finish(state);
        break;
    case kReset:
        SoftReset();
        break;
    case kClose:
        Finish(state);
        break;
    case kResident:
        ToggleResident(state);
        break;
    case kControlPanel:
        OpenControlPanel(state);
        Finish(state);
        break;
    }
}

void Finish(State& state)
{
    if (state.resident)
        ShowWindow(state.window, SW_HIDE);
    else
        PostMessageW(state.window, WM_CLOSE, 0, 0);
}

void AddNotifyIcon(State& state)
{
    if (!state.iconAdded)
        state.iconAdded = Shell_NotifyIconW(NIM_ADD, &state.icon) != FALSE;
}

void DeleteNotifyIcon(State& state)
{
    if (!state.iconAdded)
        return;
    Shell_NotifyIconW(NIM_DELETE, &state.icon);
    state.iconAdded = false;
}

bool StartupShortcutExists()
{
    wchar_t shortcut[MAX_PATH];
    if (!ShortcutPath(shortcut, MAX_PATH, FALSE))
        return false;
    DWORD attributes = GetFileAttributesW(shortcut);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateStartupShortcut(HINSTANCE instance)
{
    wchar_t shortcut[MAX_PATH];
    wchar_t program[MAX_PATH];
    wchar_t command[MAX_PATH + 2];
    return ShortcutPath(shortcut, MAX_PATH, TRUE) && OwnDevicePath(instance, program, MAX_PATH) &&
           SUCCEEDED(StringCchPrintfW(command, MAX_PATH + 2, L"\"%ls\"", program)) &&
           SHCreateShortcut(shortcut, command);
}

bool DeleteStartupShortcut()
{
    wchar_t shortcut[MAX_PATH];
    if (!ShortcutPath(shortcut, MAX_PATH, FALSE))
        return false;
    SetFileAttributesW(shortcut, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(shortcut) != FALSE;
}

}  // namespace PowerPanel
