// devshell.exe: the device's shell process, started at boot.
#include "shell.h"

#include "devlog.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // One shell per device.
    HANDLE single = CreateMutexW(nullptr, TRUE, L"SimDeviceShell");
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 1;

    // The input panel hosts input methods, which are apartment components.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (!RegisterTaskBarClass(instance) || !RegisterTodayClass(instance) || !RegisterInputPanelClass(instance) ||
        !RegisterSipButtonClass(instance))
        return 1;
    HWND today = CreateTodayScreen(instance);
    HWND taskBar = CreateTaskBar(instance);
    HWND panel = CreateInputPanel(instance);
    HWND sipButton = CreateSipButton(instance);
    if (!today || !taskBar || !panel || !sipButton)
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
    DestroyWindow(sipButton);
    DestroyInputPanel();
    DestroyWindow(taskBar);
    DestroyWindow(today);
    CoUninitialize();
    CloseHandle(single);
    return (int)msg.wParam;
}
