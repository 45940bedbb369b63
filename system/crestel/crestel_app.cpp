// Crestel, the task-bar icon tool: one icon per device.  A second start
// opens the tool's settings instead.
#include <corvane.h>

#include "crestel_names.h"
#include "icon_wnd.h"
#include "resource.h"

class CCrestelApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        wchar_t title[32] = L"";
        wchar_t className[32] = L"";
        if (!::LoadStringW(m_hInstance, IDS_CRESTEL_TITLE, title, 32) ||
            !::LoadStringW(m_hInstance, IDS_CRESTEL_CLASS, className, 32))
            return FALSE;
        HWND taskBar = ::FindWindowW(SHELL_TASKBAR_CLASS, nullptr);
        if (!taskBar)
            return FALSE;
        if (FindCrestelIcon(className)) {
            CModuleInfo module;
            if (LPCWSTR settings = module.GetFileName(CRESTSET_PROGRAM))
                CSH::Execute(settings);
            return FALSE;
        }
        CCrestelWnd* icon = new CCrestelWnd;
        m_pMainWnd = icon;
        return icon->CreateIcon(taskBar, className, title);
    }
};

CCrestelApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
