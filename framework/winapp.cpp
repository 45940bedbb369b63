// CWinApp, the program entry CorWinMain and the process-wide framework state
// (application object and module instance).
#include "wndframe.h"

CWinApp* g_pCorApp = nullptr;
HINSTANCE g_hCorInstance = nullptr;

// ---- Module instance -----------------------------------------------------

HINSTANCE SetCorInstance(HINSTANCE instance)
{
    HINSTANCE previous = g_hCorInstance;
    g_hCorInstance = instance;
    return previous;
}

HINSTANCE CorGetInstance()
{
    return g_hCorInstance;
}

CorInstanceScope::CorInstanceScope() : m_saved(g_hCorInstance) {}

CorInstanceScope::CorInstanceScope(HINSTANCE instance) : m_saved(SetCorInstance(instance)) {}

CorInstanceScope::~CorInstanceScope()
{
    g_hCorInstance = m_saved;
}

// ---- Application object --------------------------------------------------

CWinApp* CorGetApp()
{
    return g_pCorApp;
}

CWnd* CorGetMainWnd()
{
    return g_pCorApp ? g_pCorApp->m_pMainWnd : nullptr;
}

CWinApp::CWinApp()
{
    g_pCorApp = this;
}

CWinApp::~CWinApp()
{
    // The main window object is ours; normally the framework has deleted it
    // already, when its window was destroyed.
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    if (g_pCorApp == this)
        g_pCorApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

// Base: no idle work, so ask for no further idle calls.
BOOL CWinApp::OnIdle(LONG idleCount)
{
    return idleCount < 0;
}

HICON CWinApp::LoadIconW(UINT resourceId) const
{
    return ::LoadIconW(m_hInstance, MAKEINTRESOURCEW(resourceId));
}

BOOL CWinApp::PumpMessage()
{
    BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0)
        return FALSE;
    if (got == -1)
        return TRUE;  // bad arguments only; nothing was retrieved
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
    return TRUE;
}

// Painting and the caret blink come back by themselves; they must not
// restart idle processing or an idle handler that paints would never rest.
BOOL CWinApp::IsIdleMessage(const MSG* msg) const
{
    return msg->message != WM_PAINT && msg->message != 0x0118;
}

// Idle calls run while the queue is empty, with a count that starts at 0,
// until OnIdle returns 0; any message other than painting and the caret
// blink turns them on again from 0.
int CWinApp::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    MSG peeked;
    for (;;) {
        while (idle && !::PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// ---- Entry ---------------------------------------------------------------

int CorWinMain(HINSTANCE instance, HINSTANCE /*prevInstance*/, LPWSTR cmdLine, int cmdShow)
{
    CWinApp* app = g_pCorApp;
    SetCorInstance(instance);
    if (!app)
        return 0;
    app->m_hInstance = instance;
    app->m_nCmdShow = cmdShow;
    app->m_lpCmdLine = cmdLine;
    if (!app->InitInstance())
        return 0;
    return app->Run();
}
