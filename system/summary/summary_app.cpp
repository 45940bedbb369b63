// Summary, the system summary: one instance per device.
#include "summary_wnd.h"

class CSummaryApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        if (HWND running = ::FindWindowW(nullptr, SUMMARY_TITLE)) {
            ::SetForegroundWindow(running);
            return FALSE;
        }
        CSummaryFrame* frame = new CSummaryFrame;
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        return TRUE;
    }
};

CSummaryApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
