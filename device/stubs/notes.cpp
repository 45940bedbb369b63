// notes.exe: a plain note pad standing in for the device's note taker.  A
// full-screen window "Notes" holding a focused multi-line edit box, with a
// menu bar ("Menu": Clear, Exit); the page ends above the input panel while
// the panel is up.  On close it records what was typed in
// the device log as `notes: text "<text>"`, line ends written \r and \n, so
// tests can read every character that arrived.
#include <aygshell.h>
#include <sip.h>

#include <string>

#include "devlog.h"
#include "notes.h"

namespace {

const wchar_t kNotesClass[] = L"Notes";
constexpr int kEditId = 1001;  // not IDOK: its notifications must not close the window

HWND EditOf(HWND wnd)
{
    return GetDlgItem(wnd, kEditId);
}

void LogText(HWND wnd)
{
    std::wstring text(GetWindowTextLengthW(EditOf(wnd)) + 1, L'\0');
    text.resize(GetWindowTextW(EditOf(wnd), &text[0], (int)text.size()));
    std::wstring shown;
    for (wchar_t c : text) {
        if (c == L'\r')
            shown += L"\\r";
        else if (c == L'\n')
            shown += L"\\n";
        else
            shown += c;
    }
    DevLog(L"notes", L"text \"%ls\"", shown.c_str());
}

bool CreateContent(HWND wnd, HINSTANCE instance)
{
    HWND edit = CreateWindowExW(0, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                    ES_NOHIDESEL,
                                0, 0, 0, 0, wnd, (HMENU)(INT_PTR)kEditId, instance, nullptr);
    if (!edit)
        return false;
    SendMessageW(edit, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.hwndParent = wnd;
    bar.nToolBarId = IDM_NOTES_MENUBAR;
    bar.hInstRes = instance;
    bar.dwFlags = SHCMBF_HMENU;
    return SHCreateMenuBar(&bar) != FALSE;
}

// The page ends above the input panel while it is up, above the menu bar
// otherwise.
void FitAbovePanel(HWND wnd)
{
    RECT rc;
    GetWindowRect(wnd, &rc);
    int bottom = GetSystemMetrics(SM_CYSCREEN) - SHMENUBAR_HEIGHT;
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    if (SipGetInfo(&info) && (info.fdwFlags & SIPF_ON) && info.rcVisibleDesktop.bottom < bottom)
        bottom = info.rcVisibleDesktop.bottom;
    if (bottom > rc.top)
        SetWindowPos(wnd, nullptr, 0, 0, rc.right - rc.left, bottom - rc.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK NotesProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        return CreateContent(wnd, reinterpret_cast<CREATESTRUCTW*>(lp)->hInstance) ? 0 : -1;
    case WM_SIZE:
        MoveWindow(EditOf(wnd), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE)
            SetFocus(EditOf(wnd));
        return 0;
    case WM_SETFOCUS:
        SetFocus(EditOf(wnd));
        return 0;
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETSIPINFO)
            FitAbovePanel(wnd);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDM_NOTES_CLEAR:
            SetWindowTextW(EditOf(wnd), L"");
            return 0;
        case IDM_NOTES_EXIT:
        case IDOK:
            PostMessageW(wnd, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_CLOSE:
        LogText(wnd);
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // One note pad: a second start brings the first to the front.
    if (HWND running = FindWindowW(kNotesClass, nullptr)) {
        SetForegroundWindow(running);
        return 0;
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = NotesProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kNotesClass;
    if (!RegisterClassW(&wc))
        return 1;
    // Below the task bar, down to the screen's bottom: the menu bar shortens
    // the window to end above it.
    HWND wnd = CreateWindowExW(0, kNotesClass, L"Notes", WS_POPUP | WS_VISIBLE, 0, 26, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN) - 26, nullptr, nullptr, instance, nullptr);
    if (!wnd)
        return 1;
    SetForegroundWindow(wnd);
    SetFocus(EditOf(wnd));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
