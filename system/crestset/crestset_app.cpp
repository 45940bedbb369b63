// Crestset, the task-bar icon tool's settings: one window per device.
#include "crestset_wnd.h"

class CCrestsetApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        if (HWND running = ::FindWindowW(CRESTSET_CLASS, nullptr)) {
            ::SetForegroundWindow(running);
            return FALSE;
        }
        CCrestsetFrame* frame = new CCrestsetFrame;
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        return TRUE;
    }
};

CCrestsetApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
