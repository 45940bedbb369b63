// Globora, the world clock: one instance per device.
#include <ketra_host.h>

#include "world_clock_wnd.h"

class CGloboraApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        // The side bar's panel would cover the map.
        KetraSend(WM_KETRA_CLOSE, 0, 0);
        HWND running = ::FindWindowW(GLOBORA_CLASS, GLOBORA_TITLE);
        if (running) {
            ::SetForegroundWindow(running);
            return FALSE;
        }
        CWorldClockWnd* window = new CWorldClockWnd;
        m_pMainWnd = window;
        if (!window->CreateFrame())
            return FALSE;
        window->ShowWindow();
        window->UpdateWindow();
        return TRUE;
    }
};

CGloboraApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
