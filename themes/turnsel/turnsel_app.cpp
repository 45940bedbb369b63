// Turnsel, the theme schedule editor ("Vexilo Rotator"): one instance; a
// new start closes the old one, which saves its schedule first.
#include "turnsel_frame.h"

class CTurnselApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        if (HWND running = ::FindWindowW(ULMIRA_CLASS, nullptr))
            ::SendMessageW(running, WM_COMMAND, IDCANCEL, 0);
        int schedule = ScheduleFromCommandLine(m_lpCmdLine);
        if (schedule < 0)
            schedule = ReadCurrentSchedule();
        CTurnselFrame* frame = new CTurnselFrame(schedule);
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        return TRUE;
    }
};

CTurnselApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
