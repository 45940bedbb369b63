// Ketra, the side bar: one instance per device.  A second start hands its
// command line to the running bar and ends.
#include "mainwnd.h"

#include <strsafe.h>

namespace {

// The command line without surrounding blanks and quotes.
void CleanCommandLine(LPCWSTR raw, wchar_t* out, size_t capacity)
{
    out[0] = 0;
    if (!raw)
        return;
    while (*raw == L' ' || *raw == L'\t')
        ++raw;
    StringCchCopyW(out, capacity, raw);
    size_t length = wcslen(out);
    while (length && (out[length - 1] == L' ' || out[length - 1] == L'\t'))
        out[--length] = 0;
    if (length >= 2 && out[0] == L'"' && out[length - 1] == L'"') {
        out[length - 1] = 0;
        memmove(out, out + 1, length * sizeof(wchar_t));
    }
}

}  // namespace

class CKetraApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        wchar_t commandLine[CKetraSettings::kNameLength];
        CleanCommandLine(m_lpCmdLine, commandLine, CKetraSettings::kNameLength);

        HWND running = KetraFindBar();
        if (running) {
            if (commandLine[0]) {
                CKetraSettings::WriteCurrentApplet(commandLine);
                ::SendMessageW(running, WM_KETRA_SHOWAPPLET, 0, 0);
            } else {
                ::SendMessageW(running, WM_KETRA_WINDOW, KETRA_WINDOW_TOGGLE, 0);
            }
            return FALSE;
        }

        CKetraSettings settings;
        if (!settings.Load())
            return FALSE;
        CKetraWnd* window = new CKetraWnd;
        m_pMainWnd = window;
        if (!window->Start(settings, commandLine)) {
            window->DestroyWindow();
            return FALSE;
        }
        return TRUE;
    }
};

CKetraApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
