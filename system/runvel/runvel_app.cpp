// Runvel, the launcher's options program: one instance per device.
#include "runvel_frame.h"

#include <ketra_host.h>

class CRunvelApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        // The bar's panel would cover the options while they are edited.
        KetraSend(WM_KETRA_CLOSE, 0, 0, CRunvelFrame::kHostTimeoutMs);
        if (HWND running = ::FindWindowW(RUNVEL_CLASS, RUNVEL_TITLE)) {
            ::SetForegroundWindow(running);
            return FALSE;
        }
        CRunvelFrame* frame = new CRunvelFrame;
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        m_bFrameShown = TRUE;
        return TRUE;
    }

    int ExitInstance() override
    {
        if (m_bFrameShown)
            CRunvelFrame::ReloadBar();
        return CWinApp::ExitInstance();
    }

private:
    BOOL m_bFrameShown = FALSE;
};

CRunvelApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
