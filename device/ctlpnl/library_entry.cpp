#include "ctlpnl.h"

#include "devlog.h"

namespace {

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM found)
{
    if (IsWindowVisible(hwnd)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool ThreadHasVisibleWindow()
{
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A library may open a modeless window in CPL_DBLCLK: keep it alive (and the
// library loaded) until the user closes it.
void RunWhileWindowsOpen()
{
    while (ThreadHasVisibleWindow()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

} // namespace

int OpenLibraryEntry(const CplRequest& request)
{
    CplLibrary library(CplLibraryPath(request.library));
    if (!library.Open(nullptr))
        return 1;
    const std::vector<CplEntry>& entries = library.Entries();
    size_t position = entries.size();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].index == request.page)
            position = i;
    if (position == entries.size()) {
        DevLog(L"ctlpnl", L"%ls has no entry %d", library.Path().c_str(), request.page);
        return 1;
    }
    if (!library.Activate(position)) {
        DevLog(L"ctlpnl", L"%ls entry %d did not open", library.Path().c_str(), request.page);
        return 1;
    }
    RunWhileWindowsOpen();
    return 0;
}
