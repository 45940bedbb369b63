// devshell.exe: the device's shell process, started at boot.
#include "shell.h"

#include "devlog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // One shell per device.
    HANDLE single = CreateMutexW(nullptr, TRUE, L"SimDeviceShell");
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 1;

    if (!RegisterTaskBarClass(instance) || !RegisterTodayClass(instance))
        return 1;
    HWND today = CreateTodayScreen(instance);
    HWND taskBar = CreateTaskBar(instance);
    if (!today || !taskBar)
        return 1;
    SetForegroundWindow(today);
    DevLog(L"shell", L"boot");
    // As on the device, the start-up folder runs once the shell is up.
    RunStartUpFolder();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DevLog(L"shell", L"shutdown");
    DestroyWindow(taskBar);
    DestroyWindow(today);
    CloseHandle(single);
    return (int)msg.wParam;
}
