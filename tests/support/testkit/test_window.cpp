#include "test_window.h"

namespace testkit {

TestWindow::TestWindow(const wchar_t* className, const RECT& screenRect, COLORREF fill, const wchar_t* title)
    : fill_(fill)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, className, title, WS_POPUP | WS_VISIBLE, screenRect.left, screenRect.top,
                            screenRect.right - screenRect.left, screenRect.bottom - screenRect.top, nullptr,
                            nullptr, wc.hInstance, this);
    if (hwnd_)
        UpdateWindow(hwnd_);
}

TestWindow::~TestWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

std::vector<RecordedMessage> TestWindow::Messages(UINT message) const
{
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& m : messages_)
        if (m.message == message)
            found.push_back(m);
    return found;
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          (LONG_PTR)reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    TestWindow* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    self->messages_.push_back({message, wParam, lParam, GetMessageTime()});
    switch (message) {
    case kAnswerMessage:
        return (LRESULT)wParam - lParam;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(self->fill_);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace testkit
