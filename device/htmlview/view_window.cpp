// The view's window: painting from the page drawn in bands, laying out at
// the window's width, the scroll bar, stylus drags and taps, and keys.
#include <algorithm>

#include "htmlctrl.h"
#include "view.h"

namespace {

const int kLineStep = 16;   // pixels an arrow key scrolls
const int kDragSlop = 4;    // a press that moves less is a tap
// Posted to itself after painting: the bands next to the view are drawn
// while nothing else waits.
const UINT kDrawAhead = WM_USER + 200;

}  // namespace

HtmlView::HtmlView(HWND hwnd) : hwnd_(hwnd)
{
    page_.SetImageLoader([this](const std::wstring& src) {
        return LoadPagePicture(src, pagePath_, page_.pageStyle().background);
    });
}

HtmlView::~HtmlView()
{
    objects_.Clear();
}

int HtmlView::ViewHeight() const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    return client.bottom;
}

int HtmlView::MaxScroll() const
{
    return std::max(0, page_.layout().height - ViewHeight());
}

// Lays the page out at the client width, showing the scroll bar when the
// page is taller than the view (which narrows the client and lays it out
// once more through WM_SIZE).
void HtmlView::Relayout()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    page_.LayOut(std::max<LONG>(client.right, 1));
    bool needed = page_.layout().height > client.bottom && client.bottom > 0;
    if (needed != scrollBar_) {
        scrollBar_ = needed;
        ShowScrollBar(hwnd_, SB_VERT, needed);  // sends WM_SIZE, which lays out again
        GetClientRect(hwnd_, &client);
        page_.LayOut(std::max<LONG>(client.right, 1));
    }
    scrollY_ = std::min(scrollY_, MaxScroll());
    objects_.Place(hwnd_, page_, scrollY_);
    tiles_.Clear();
    UpdateScrollBar();
}

void HtmlView::UpdateScrollBar()
{
    if (!scrollBar_)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, page_.layout().height - 1);
    info.nPage = static_cast<UINT>(ViewHeight());
    info.nPos = scrollY_;
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

void HtmlView::ScrollTo(int y)
{
    y = std::max(0, std::min(y, MaxScroll()));
    if (y == scrollY_)
        return;
    scrollY_ = y;
    // The view is drawn again from the bands kept, which costs about as
    // much as moving its pixels; the controls in object boxes move along.
    InvalidateRect(hwnd_, nullptr, FALSE);
    objects_.Place(hwnd_, page_, scrollY_);
    UpdateScrollBar();
}

void HtmlView::Paint()
{
    if (pushedChanged_)
        EndOfSource();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    tiles_.Draw(dc, ps.rcPaint, scrollY_, page_);
    EndPaint(hwnd_, &ps);
    if (!drawingAhead_)
        drawingAhead_ = PostMessageW(hwnd_, kDrawAhead, 0, 0) != FALSE;
}

// One band at a time, so that input in between is answered at once.
void HtmlView::DrawAhead()
{
    drawingAhead_ = false;
    HDC dc = GetDC(hwnd_);
    bool more = tiles_.DrawAhead(dc, scrollY_, scrollY_ + ViewHeight(), page_);
    ReleaseDC(hwnd_, dc);
    if (more)
        drawingAhead_ = PostMessageW(hwnd_, kDrawAhead, 0, 0) != FALSE;
}

void HtmlView::OnButtonDown(int x, int y)
{
    SetFocus(hwnd_);
    SetCapture(hwnd_);
    pressed_ = true;
    dragging_ = false;
    pressAt_ = {x, y};
    pressScroll_ = scrollY_;
}

void HtmlView::OnMouseMove(int y)
{
    if (!pressed_)
        return;
    if (!dragging_ && std::abs(y - pressAt_.y) > kDragSlop)
        dragging_ = true;
    if (dragging_) {
        ScrollTo(pressScroll_ - (y - pressAt_.y));
        UpdateWindow(hwnd_);
    }
}

void HtmlView::OnButtonUp(int x, int y)
{
    if (!pressed_)
        return;
    pressed_ = false;
    bool tap = !dragging_;
    dragging_ = false;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (!tap)
        return;
    if (const std::wstring* href = page_.LinkAt(x, y + scrollY_)) {
        std::wstring target = *href;  // the page may change while the parent is told
        FollowLink(target);
    }
}

bool HtmlView::OnKey(WPARAM key)
{
    int page = std::max(kLineStep, ViewHeight() - kLineStep);
    switch (key) {
    case VK_UP: ScrollTo(scrollY_ - kLineStep); return true;
    case VK_DOWN: ScrollTo(scrollY_ + kLineStep); return true;
    case VK_PRIOR: ScrollTo(scrollY_ - page); return true;
    case VK_NEXT: ScrollTo(scrollY_ + page); return true;
    case VK_HOME: ScrollTo(0); return true;
    case VK_END: ScrollTo(MaxScroll()); return true;
    default: return false;
    }
}

LRESULT HtmlView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DTM_NAVIGATE:
        if (lParam)
            Navigate(reinterpret_cast<const wchar_t*>(lParam), static_cast<DWORD>(wParam));
        return 0;
    case DTM_ADDTEXTW:
        if (lParam)
            AddText(reinterpret_cast<const wchar_t*>(lParam), wParam != 0);
        return 0;
    case DTM_ADDTEXT:
        if (lParam) {
            const char* text = reinterpret_cast<const char*>(lParam);
            int length = static_cast<int>(strnlen(text, 64u * 1024 * 1024));
            std::wstring wide(length, L'\0');
            int n = length ? MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], length) : 0;
            wide.resize(n > 0 ? n : 0);
            AddText(wide, wParam != 0);
        }
        return 0;
    case DTM_ENDOFSOURCE:
        EndOfSource();
        return 0;
    case DTM_CLEAR:
        Clear();
        return 0;
    case DTM_ANCHORW:
        if (lParam) {
            EndOfSource();
            return JumpToAnchor(reinterpret_cast<const wchar_t*>(lParam));
        }
        return 0;
    case DTM_ANCHOR:
        if (lParam) {
            const char* name = reinterpret_cast<const char*>(lParam);
            wchar_t wide[256] = {};
            MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(strnlen(name, 255)), wide, 255);
            EndOfSource();
            return JumpToAnchor(wide);
        }
        return 0;
    case DTM_LAYOUTWIDTH:
        return page_.layout().width;
    case DTM_LAYOUTHEIGHT:
        return page_.layout().height;
    case WM_SIZE:
        Relayout();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case kDrawAhead:
        DrawAhead();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_VSCROLL: {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_VERT, &info);
        int page = std::max(kLineStep, ViewHeight() - kLineStep);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(scrollY_ - kLineStep); break;
        case SB_LINEDOWN: ScrollTo(scrollY_ + kLineStep); break;
        case SB_PAGEUP: ScrollTo(scrollY_ - page); break;
        case SB_PAGEDOWN: ScrollTo(scrollY_ + page); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(MaxScroll()); break;
        default: break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        ScrollTo(scrollY_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * kLineStep);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = dragging_ = false;
        return 0;
    case WM_KEYDOWN:
        if (OnKey(wParam))
            return 0;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}
