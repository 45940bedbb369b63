// "My Text" (Phrasel): one instance per device.
#include "phrasel_frame.h"

class CPhraselApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        if (HWND running = ::FindWindowW(PHRASEL_CLASS, nullptr)) {
            ::SetForegroundWindow(running);
            return FALSE;
        }
        CPhraselFrame* frame = new CPhraselFrame;
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        return TRUE;
    }
};

CPhraselApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
