// iexplore.exe: logs how it was started, hands the address to a browser
// already running, or opens its own window.
#include <cwctype>

#include "browser.h"
#include "devlog.h"
#include "htmlctrl.h"

namespace {

const DWORD kFindRunningMs = 5000;

std::wstring Unquoted(const wchar_t* args)
{
    std::wstring text = args ? args : L"";
    while (!text.empty() && iswspace(text.back()))
        text.pop_back();
    size_t first = 0;
    while (first < text.size() && iswspace(text[first]))
        ++first;
    text.erase(0, first);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    return text;
}

// The browser window of an earlier start, waiting a little for one that is
// still starting when another holds the instance mutex.
HWND RunningBrowser(bool waitForIt)
{
    ULONGLONG start = GetTickCount64();
    for (;;) {
        HWND running = FindWindowW(BROWSER_CLASS, nullptr);
        if (running || !waitForIt || GetTickCount64() - start > kFindRunningMs)
            return running;
        Sleep(50);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"iexplore", L"%ls", args ? args : L"");
    std::wstring address = Unquoted(args);

    HANDLE instanceLock = CreateMutexW(nullptr, FALSE, L"IExplore.Instance");
    bool another = GetLastError() == ERROR_ALREADY_EXISTS;
    if (HWND running = RunningBrowser(another)) {
        COPYDATASTRUCT copy = {};
        copy.dwData = BROWSER_COPY_NAVIGATE;
        copy.cbData = static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t));
        copy.lpData = const_cast<wchar_t*>(address.c_str());
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 5000,
                            &answer);
        SetForegroundWindow(running);
        if (instanceLock)
            CloseHandle(instanceLock);
        return 0;
    }

    if (!InitHTMLControl(instance)) {
        DevLog(L"iexplore", L"the device has no HTML view");
        return 1;
    }
    if (!Browser::Register(instance) || !Browser::Create(instance, address))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (instanceLock)
        CloseHandle(instanceLock);
    return static_cast<int>(msg.wParam);
}
