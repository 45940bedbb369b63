// Rotator: changes the device's Today theme on a timer from one of four
// schedules.  One instance: a second start hands its schedule to the first.
#include "rotator_window.h"

class CRotatorApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        int schedule = ScheduleFromCommandLine(m_lpCmdLine);
        if (HWND running = ::FindWindowW(ROTATOR_CLASS, nullptr)) {
            ::SendMessageW(running, CRotatorWindow::kSelectMessage, schedule >= 0 ? schedule : ReadCurrentSchedule(),
                           0);
            return FALSE;
        }
        CRotatorWindow* window = new CRotatorWindow;
        m_pMainWnd = window;
        if (!window->CreateRotator())
            return FALSE;
        if (schedule >= 0)
            window->SelectSchedule(schedule, true);
        else
            window->SelectSchedule(ReadCurrentSchedule(), false);
        // The rotator shows nothing of its own: the Today screen stays in front.
        if (HWND desktop = ::FindWindowW(nullptr, L"Desktop"))
            ::SetForegroundWindow(desktop);
        return TRUE;
    }
};

CRotatorApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
