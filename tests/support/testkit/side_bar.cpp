#include "side_bar.h"

#include "programs.h"
#include "pump.h"
#include "registry.h"
#include "window_find.h"

namespace testkit {

const wchar_t kInstallFolder[] = L"\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kBarProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Ketra.exe";
const wchar_t kSettingsProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Option.exe";
const wchar_t kSettingsClass[] = L"KETRA_OPTION_CLASS";
const wchar_t kSystemKey[] = L"SOFTWARE\\ZARQ";
const wchar_t kAppletsKey[] = L"SOFTWARE\\ZARQ\\APPLETS";
const wchar_t kProbeKey[] = L"SOFTWARE\\ZARQ\\PROBE";
const wchar_t kProbeClass[] = L"KETRA_PROBE";

RECT BarRect()
{
    return WindowRect(KetraFindBar());
}

HWND AppletWindowOnBar(const wchar_t* className)
{
    HWND bar = KetraFindBar();
    return bar ? FindWindowExW(bar, nullptr, className, nullptr) : nullptr;
}

HWND StartBar(const std::wstring& appletName)
{
    if (!Execute(kBarProgram, appletName))
        return nullptr;
    HWND bar = WaitForWindow(KETRA_CLASS, 15000);
    if (bar)
        WaitUntilIdle(bar);
    return bar;
}

void CloseBar()
{
    if (HWND bar = KetraFindBar())
        PostMessageW(bar, WM_COMMAND, IDM_KETRA_EXIT, 0);
    if (!WaitNoWindow(KETRA_CLASS, 10000))
        EndProcesses(L"Ketra.exe");
}

LRESULT SendToBar(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return KetraSend(message, wParam, lParam, 10000, &result) ? result : 0;
}

bool BarIsOpen()
{
    return SendToBar(WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN) == 1;
}

std::wstring CurrentApplet()
{
    return ReadText(KETRA_OPTIONS_KEY, KETRA_CURRENT_APPLET_VALUE);
}

TemporaryApplet::TemporaryApplet(const std::wstring& name, const std::wstring& library, const wchar_t* group,
                                 int order, DWORD options)
    : key(std::wstring(kAppletsKey) + L"\\" + name)
{
    if (order < 0) {
        order = 0;
        for (const std::wstring& other : SubkeyNames(kAppletsKey)) {
            const DWORD taken = ReadDword(std::wstring(kAppletsKey) + L"\\" + other, L"Order", 0);
            if ((int)taken >= order)
                order = (int)taken + 1;
        }
    }
    WriteDword(key, L"Type", 0);
    WriteDword(key, L"Options", options);
    WriteDword(key, L"Order", (DWORD)order);
    WriteDword(key, L"Enabled", 1);
    WriteText(key, L"DLL", library);
    WriteText(key, L"Group", group);
    WriteDword(key, L"Notify", 0);
}

TemporaryApplet::~TemporaryApplet()
{
    DeleteKey(key);
}

void CloseSettingsAndBar()
{
    if (HWND frame = FindWindowW(kSettingsClass, nullptr)) {
        HWND bar = KetraFindBar();
        PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
        if (!WaitNoWindow(kSettingsClass, 15000))
            EndProcesses(L"Option.exe");
        else
            WaitForWindow(KETRA_CLASS, 15000, bar);
    }
    CloseBar();
}

void EndSettingsPrograms(DWORD ms)
{
    if (ms)
        WaitForWindow(kSettingsClass, ms);
    PumpUntil(
        [] {
            EndProcesses(L"Option.exe");
            return CountProcesses(L"Option.exe") == 0;
        },
        15000);
}

}  // namespace testkit
