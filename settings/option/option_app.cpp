// Option, the side bar's settings program: one instance per device.
#include "option_frame.h"

class COptionApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        // The side bar's panel would cover the settings while they are edited.
        SendToHost(WM_KETRA_CLOSE, 0, 0);

        HWND running = ::FindWindowW(KETRA_OPTION_CLASS, nullptr);
        if (running) {
            ::SetForegroundWindow(running);
            return FALSE;
        }
        COptionFrame* frame = new COptionFrame;
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        return TRUE;
    }
};

COptionApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
