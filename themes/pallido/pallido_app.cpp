// Pallido, the theme designer: one instance.  A second start brings the
// running designer to the front and hands it its theme path.
#include "designer_wnd.h"

#include <strsafe.h>

namespace {

const DWORD kForegroundWaitMs = 100;

// The command line's path without the quotes around it and the blanks.
void PathFromCommandLine(const wchar_t* commandLine, wchar_t* path, size_t cch)
{
    path[0] = L'\0';
    if (!commandLine)
        return;
    while (*commandLine == L' ' || *commandLine == L'\t')
        ++commandLine;
    if (FAILED(StringCchCopyW(path, cch, commandLine)))
        path[0] = L'\0';
    size_t length = wcslen(path);
    while (length > 0 && (path[length - 1] == L' ' || path[length - 1] == L'\t'))
        path[--length] = L'\0';
    if (length >= 2 && path[0] == L'"' && path[length - 1] == L'"') {
        memmove(path, path + 1, (length - 2) * sizeof(wchar_t));
        path[length - 2] = L'\0';
    }
}

// The running designer gets the path as data: a pointer means nothing in
// another process.
void HandOver(HWND running, const wchar_t* path)
{
    if (::GetForegroundWindow() != running) {
        HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        ::SetForegroundWindow(running);
        ::Sleep(kForegroundWaitMs);
        ::SetCursor(previous);
    }
    ::SetForegroundWindow(running);
    if (!path[0])
        return;
    COPYDATASTRUCT data = {};
    data.dwData = CDesignerWnd::kOpenMessage;
    data.cbData = static_cast<DWORD>((wcslen(path) + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(path);
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
}

} // namespace

class CPallidoApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        wchar_t path[MAX_PATH];
        PathFromCommandLine(m_lpCmdLine, path, MAX_PATH);
        if (HWND running = ::FindWindowW(DESIGNER_CLASS, DESIGNER_CLASS)) {
            HandOver(running, path);
            return FALSE;
        }
        CDesignerWnd* frame = new CDesignerWnd(path);
        m_pMainWnd = frame;
        if (!frame->CreateFrame())
            return FALSE;
        frame->ShowWindow();
        frame->UpdateWindow();
        ::SetForegroundWindow(frame->GetSafeHwnd());
        return TRUE;
    }
};

CPallidoApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
