// Sliding between the two skins: the travelling outline, and the "SLIDE"
// button, which toggles on a quick tap and drags the window otherwise.
#include "mmskinwnd.h"

namespace {

double ClockMs()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        ::QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Waits until the clock reads until; drawing time is taken out of the
// frame's wait instead of adding to it.
void SleepUntil(double until)
{
    const double left = until - ClockMs();
    if (left > 0)
        ::Sleep(static_cast<DWORD>(left + 0.5));
}

ULONGLONG SystemTimeNow()
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace

// The window's actual place is kept, so that a position the user dragged it
// to is where it comes back to.
void CMMSkinWnd::Slide()
{
    CRect actual = GetWindowRect();
    OnPrepareSlide(actual);
    if (m_bMaxWin) {
        m_rcMax = actual;
        TransitTrack(m_rcMax, m_rcMin, kSlideSteps, kSlideDelayMs);
    } else {
        m_rcMin = actual;
        TransitTrack(m_rcMin, m_rcMax, kSlideSteps, kSlideDelayMs);
    }
    OnSlide();
}

int CMMSkinWnd::TransitTrack(const RECT& from, const RECT& to, int steps, int delayMs)
{
    if (steps <= 0)
        return 1;
    const double stepLeft = static_cast<double>(to.left - from.left) / steps;
    const double stepRight = static_cast<double>(to.right - from.right) / steps;
    const double stepTop = static_cast<double>(to.top - from.top) / steps;
    const double stepBottom = static_cast<double>(to.bottom - from.bottom) / steps;
    HDC dc = OpenInvertingDisplayDC();
    if (!dc)
        return 1;
    // The frames between the two ends only: the window itself shows them.
    // Each frame ends delayMs after the previous one, on the clock.
    const double start = ClockMs();
    for (int i = 1; i <= steps - 2; ++i) {
        // The outline runs through (right, bottom), one column and row
        // further than a rectangle's border.
        CRect frame(from.left + static_cast<int>(i * stepLeft), from.top + static_cast<int>(i * stepTop),
                    from.right + static_cast<int>(i * stepRight) + 1,
                    from.bottom + static_cast<int>(i * stepBottom) + 1);
        DrawOutline(dc, frame);
        ::GdiFlush();
        if (delayMs > 0)
            SleepUntil(start + static_cast<double>(i) * delayMs);
        DrawOutline(dc, frame);
    }
    ::DeleteDC(dc);
    return 1;
}

void CMMSkinWnd::OnLButtonDown(CPoint point)
{
    CButton* button = GetBtnList()->GetButton(point);
    if (button && button->IsEqual(L"SLIDE")) {
        OnMoveDown(point);
        m_ftSlidePress = SystemTimeNow();
        m_bSliding = 1;
        return;
    }
    CSkinWnd::OnLButtonDown(point);
}

void CMMSkinWnd::OnLButtonUp(CPoint point)
{
    if (!m_bSliding) {
        CSkinWnd::OnLButtonUp(point);
        return;
    }
    const int moved = IsMoved();
    OnMoveUp(point);
    m_bSliding = 0;
    if (moved)
        return;
    // The whole 64-bit difference: a tap that spans a change of the high
    // half is still a tap.
    const ULONGLONG now = SystemTimeNow();
    if (now >= m_ftSlidePress && now - m_ftSlidePress < kTapTime)
        SlideWindow();
}
