// Cyclara's window.
#include "cyclara_wnd.h"

#include <commctrl.h>

#include <cwchar>

#include <applet_module.h>
#include <ketra_host.h>

#include "biorhythm.h"
#include "birthday_store.h"

namespace {

const COLORREF kBackground = RGB(0, 0, 128);
const COLORREF kLight = RGB(255, 255, 255);

const int kTextFontHeight = 12;
const int kSmallFontHeight = 11;

// Top line: the birthday on the right (the picker beside it), the day the
// bars show on the left.
const POINT kBirthdayLabelAt = {105, 1};
const POINT kBirthdayAt = {155, 1};
const wchar_t kBirthdayPicture[] = L"MMM, d, yy";
const POINT kDateLabelAt = {10, 1};
const POINT kDateAt = {42, 1};
const wchar_t kDatePicture[] = L"MM/dd/yy";
const RECT kPickerRect = {205, 3, 218, 12};

// The chart's grid: two lines on its left, one at today, the zero line.
const int kGridTop = 17;
const int kGridBottom = 77;
const int kGridLeft = 101;
const int kGridRight = 231;

// The left panel: a bar per cycle up or down from the middle.
const RECT kLeftPanel = {0, 0, 90, 85};
const RECT kBarAreas[kBioCycleCount] = {{8, 15, 28, 85}, {28, 15, 48, 85}, {48, 15, 68, 85}, {68, 15, 88, 85}};
const int kBarMiddle = 50;
const int kBarInset = 4;
const int kValueGap = 2;

const RECT kLegendAreas[kBioCycleCount] = {
    {0, 83, 52, 94}, {52, 83, 112, 94}, {112, 83, 177, 94}, {177, 83, 236, 94}};
const int kSwatchSize = 6;
const int kSwatchTop = 86;
const int kLegendTextIndent = 10;

const RECT kChartArea = {95, 15, 236, 85};

const LONGLONG kFileTimeUnitsPerDay = 864000000000LL;

bool Inside(const RECT& rect, CPoint point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

void Fill(CDC& dc, const RECT& rect, COLORREF colour)
{
    CBrush brush(colour);
    dc.FillRect(&rect, &brush);
}

// Today moved by whole days; today itself when the platform cannot say.
SYSTEMTIME DayFrom(const SYSTEMTIME& today, int days)
{
    SYSTEMTIME midnight = {};
    midnight.wYear = today.wYear;
    midnight.wMonth = today.wMonth;
    midnight.wDay = today.wDay;
    FILETIME file;
    if (!::SystemTimeToFileTime(&midnight, &file))
        return today;
    ULONGLONG units = ((ULONGLONG)file.dwHighDateTime << 32) | file.dwLowDateTime;
    units += (ULONGLONG)((LONGLONG)days * kFileTimeUnitsPerDay);
    file.dwLowDateTime = (DWORD)units;
    file.dwHighDateTime = (DWORD)(units >> 32);
    SYSTEMTIME moved;
    if (!::FileTimeToSystemTime(&file, &moved))
        return today;
    return moved;
}

}  // namespace

// ---- Life --------------------------------------------------------------------

void CCyclaraWnd::OnCreate()
{
    // The picker is a child: the copied surface must leave it alone.
    ModifyStyle(0, WS_CLIPCHILDREN);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }
    m_textFont.DeleteObject();
    m_smallFont.DeleteObject();
    m_textFont.CreateFont(kTextFontHeight, L"Tahoma", FW_NORMAL);
    m_smallFont.CreateFont(kSmallFontHeight, L"Tahoma", FW_NORMAL);

    m_birthday = LoadBirthday();
    m_shownOffset = 0;
    m_choosing = false;
    m_animatedCycle = -1;
    CreatePicker();
    RedrawAll();
}

void CCyclaraWnd::OnDestroy()
{
    KillTimer(kAnimationTimer);
    m_animatedCycle = -1;
    SaveBirthday(m_birthday);
    m_picker = nullptr;  // destroyed with this window
    m_textFont.DeleteObject();
    m_smallFont.DeleteObject();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

// ---- The date picker -------------------------------------------------------

void CCyclaraWnd::CreatePicker()
{
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);
    m_picker = ::CreateWindowExW(0, DATETIMEPICK_CLASSW, L"PickDateTime", WS_CHILD | WS_VISIBLE, kPickerRect.left,
                                 kPickerRect.top, kPickerRect.right - kPickerRect.left,
                                 kPickerRect.bottom - kPickerRect.top, m_hWnd, (HMENU)(INT_PTR)kPickerId,
                                 CorAppletModule(), nullptr);
    if (!m_picker)
        return;
    // Only birthdays the chart accepts can be picked.
    SYSTEMTIME range[2] = {};
    range[0].wYear = 1900;
    range[0].wMonth = 1;
    range[0].wDay = 1;
    range[1].wYear = 2100;
    range[1].wMonth = 12;
    range[1].wDay = 31;
    ::SendMessageW(m_picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, (LPARAM)range);
    ::SendMessageW(m_picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&m_birthday);
}

void CCyclaraWnd::PrepareDroppedCalendar()
{
    HWND calendar = (HWND)::SendMessageW(m_picker, DTM_GETMONTHCAL, 0, 0);
    RECT rect;
    if (!calendar || !::GetWindowRect(calendar, &rect))
        return;
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    ::SendMessageW(calendar, MCM_SETTODAY, 0, (LPARAM)&today);

    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    int x = rect.left;
    int y = rect.top;
    if (rect.right > screenWidth)
        x -= rect.right - screenWidth;
    if (x < 0)
        x = 0;
    if (rect.bottom > screenHeight) {
        // No room below: above the picker instead.
        RECT picker;
        ::GetWindowRect(m_picker, &picker);
        y = picker.top - (rect.bottom - rect.top);
        if (y < 0)
            y = 0;
    }
    if (x != rect.left || y != rect.top)
        ::SetWindowPos(calendar, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCyclaraWnd::TakePickedBirthday()
{
    SYSTEMTIME picked;
    if (::SendMessageW(m_picker, DTM_GETSYSTEMTIME, 0, (LPARAM)&picked) != GDT_VALID ||
        !IsValidBirthday(picked.wYear, picked.wMonth, picked.wDay))
        return;
    m_birthday = {};
    m_birthday.wYear = picked.wYear;
    m_birthday.wMonth = picked.wMonth;
    m_birthday.wDay = picked.wDay;
    RedrawAll();
}

LRESULT CCyclaraWnd::OnNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->hwndFrom != m_picker || !m_picker)
        return CApplet::OnNotify(0, lParam);
    if (header->code == DTN_DROPDOWN)
        PrepareDroppedCalendar();
    else if (header->code == DTN_CLOSEUP)
        TakePickedBirthday();
    return 0;
}

// ---- Drawing ---------------------------------------------------------------

LONGLONG CCyclaraWnd::DayCount(int dayOffset) const
{
    return m_todayCount + dayOffset;
}

void CCyclaraWnd::RedrawAll()
{
    ::GetLocalTime(&m_today);
    LONGLONG count = 0;
    m_countKnown = BioDayCount(m_today, m_birthday, &count);
    m_todayCount = m_countKnown ? count : 0;

    const RECT whole = {0, 0, kWidth, kHeight};
    Fill(m_surface, whole, kBackground);
    m_surface.SetBkMode(TRANSPARENT);
    DrawBirthday();
    DrawGrid();
    for (int cycle = 0; cycle < kBioCycleCount; ++cycle)
        DrawCurve(cycle, kBioCycles[cycle].colour, kChartFirstDay, kChartLastDay);
    DrawLeftPanel();
    DrawLegend();
    Invalidate(FALSE);
}

void CCyclaraWnd::DrawBirthday()
{
    m_surface.SelectObject(&m_textFont);
    m_surface.SetTextColor(kLight);
    m_surface.TextOut(kBirthdayLabelAt.x, kBirthdayLabelAt.y, L"Birthday : ");
    wchar_t text[32];
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &m_birthday, kBirthdayPicture, text, ARRAYSIZE(text)))
        m_surface.TextOut(kBirthdayAt.x, kBirthdayAt.y, text);
    m_surface.ReleaseObject(&m_textFont);
}

void CCyclaraWnd::DrawGrid()
{
    CPen pen(PS_SOLID, 1, kLight);
    m_surface.SelectObject(&pen);
    // Lines leave out their last pixel: each ends one beyond.
    m_surface.Line(kGridLeft, kGridTop, kGridLeft, kGridBottom + 1);
    m_surface.Line(kGridLeft + 1, kGridTop, kGridLeft + 1, kGridBottom + 1);
    m_surface.Line(kChartTodayX, kGridTop, kChartTodayX, kGridBottom + 1);
    m_surface.Line(kGridLeft, kChartZeroY, kGridRight + 1, kChartZeroY);
    m_surface.ReleaseObject(&pen);
}

void CCyclaraWnd::DrawCurve(int cycle, COLORREF colour, int firstDay, int lastDay)
{
    if (!m_countKnown)
        return;
    const int period = kBioCycles[cycle].period;
    CPen pen(PS_SOLID, 1, colour);
    m_surface.SelectObject(&pen);
    for (int day = firstDay < kChartFirstDay + 1 ? kChartFirstDay + 1 : firstDay; day <= lastDay; ++day) {
        m_surface.Line(BioChartX(day - 1), BioChartY(BioValue(DayCount(day - 1), period)), BioChartX(day),
                       BioChartY(BioValue(DayCount(day), period)));
    }
    m_surface.ReleaseObject(&pen);
}

void CCyclaraWnd::DrawLeftPanel()
{
    // The panel above the legend, which has a line of its own.
    const RECT panel = {kLeftPanel.left, kLeftPanel.top, kLeftPanel.right + 1, kLegendAreas[0].top};
    Fill(m_surface, panel, kBackground);

    const SYSTEMTIME shown = DayFrom(m_today, m_shownOffset);
    m_surface.SelectObject(&m_textFont);
    m_surface.SetTextColor(kLight);
    m_surface.TextOut(kDateLabelAt.x, kDateLabelAt.y, L"Date : ");
    wchar_t text[32];
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &shown, kDatePicture, text, ARRAYSIZE(text)))
        m_surface.TextOut(kDateAt.x, kDateAt.y, text);
    m_surface.ReleaseObject(&m_textFont);

    CPen middle(PS_SOLID, 1, kLight);
    m_surface.SelectObject(&middle);
    m_surface.Line(kBarAreas[0].left, kBarMiddle, kBarAreas[kBioCycleCount - 1].right, kBarMiddle);
    m_surface.ReleaseObject(&middle);

    if (!m_countKnown)
        return;
    m_surface.SelectObject(&m_smallFont);
    for (int cycle = 0; cycle < kBioCycleCount; ++cycle) {
        const RECT& area = kBarAreas[cycle];
        const COLORREF colour = kBioCycles[cycle].colour;
        const int value = BioValue(DayCount(m_shownOffset), kBioCycles[cycle].period);
        const int height = BioValueHeight(value);
        // Up for a positive value with its figure below the middle; down for
        // a negative one with the figure above.
        RECT bar = {area.left + kBarInset, kBarMiddle, area.right - kBarInset, kBarMiddle};
        if (height > 0)
            bar.top -= height;
        else
            bar.bottom -= height;
        Fill(m_surface, bar, colour);

        wchar_t figure[16];
        std::swprintf(figure, ARRAYSIZE(figure), L"%3d", value);
        const int figureY = value >= 0 ? kBarMiddle + kValueGap : kBarMiddle - kValueGap - kSmallFontHeight;
        m_surface.SetTextColor(colour);
        m_surface.TextOut(area.left + 1, figureY, figure);
    }
    m_surface.ReleaseObject(&m_smallFont);
}

void CCyclaraWnd::DrawLegend()
{
    m_surface.SelectObject(&m_smallFont);
    for (int cycle = 0; cycle < kBioCycleCount; ++cycle) {
        const RECT& area = kLegendAreas[cycle];
        const COLORREF colour = kBioCycles[cycle].colour;
        const RECT swatch = {area.left + 2, kSwatchTop, area.left + 2 + kSwatchSize, kSwatchTop + kSwatchSize};
        Fill(m_surface, swatch, colour);
        m_surface.SetTextColor(colour);
        m_surface.TextOut(area.left + kLegendTextIndent, area.top, kBioCycles[cycle].name);
    }
    m_surface.ReleaseObject(&m_smallFont);
}

void CCyclaraWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

// ---- Taps ----------------------------------------------------------------------

void CCyclaraWnd::OnLButtonDown(CPoint point)
{
    for (int cycle = 0; cycle < kBioCycleCount; ++cycle) {
        if (Inside(kLegendAreas[cycle], point) || Inside(kBarAreas[cycle], point)) {
            StartAnimation(cycle);
            return;
        }
    }
    if (Inside(kChartArea, point)) {
        m_choosing = true;
        ::SetCapture(m_hWnd);
        ChooseDay(point.x);
    }
}

void CCyclaraWnd::OnMouseMove(CPoint point)
{
    if (m_choosing && Inside(kChartArea, point))
        ChooseDay(point.x);
}

void CCyclaraWnd::OnLButtonUp(CPoint /*point*/)
{
    if (m_choosing) {
        m_choosing = false;
        ::ReleaseCapture();
    }
}

void CCyclaraWnd::ChooseDay(int x)
{
    const int offset = BioDayOffsetAt(x);
    if (offset == m_shownOffset)
        return;
    m_shownOffset = offset;
    DrawLeftPanel();
    Invalidate(FALSE);
}

// ---- Replaying a curve -------------------------------------------------------
// The curve is wiped day by day in the background colour, then drawn again
// day by day in its own, one day per timer step.

void CCyclaraWnd::StartAnimation(int cycle)
{
    if (!m_countKnown)
        return;
    if (m_animatedCycle >= 0)
        RedrawAll();  // the replay under way ends at once
    m_animatedCycle = cycle;
    m_animationStep = 0;
    SetTimer(kAnimationTimer, kAnimationStepMs);
}

void CCyclaraWnd::StepAnimation()
{
    const int days = kChartLastDay - kChartFirstDay;  // segments of a curve
    if (m_animatedCycle < 0 || m_animationStep >= 2 * days) {
        KillTimer(kAnimationTimer);
        m_animatedCycle = -1;
        RedrawAll();  // the grid under the wiped curve comes back too
        return;
    }
    const bool wiping = m_animationStep < days;
    const int day = kChartFirstDay + 1 + (wiping ? m_animationStep : m_animationStep - days);
    DrawCurve(m_animatedCycle, wiping ? kBackground : kBioCycles[m_animatedCycle].colour, day, day);
    ++m_animationStep;
    Invalidate(FALSE);
}

void CCyclaraWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == kAnimationTimer)
        StepAnimation();
    else
        CApplet::OnTimer(timerId);
}

LRESULT CCyclaraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
        // The bar opened: the chart around today as it is now.
        if (m_animatedCycle < 0)
            RedrawAll();
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint copies the whole surface
    case WM_PRINTCLIENT:
        m_surface.Draw((HDC)wParam, 0, 0, kOpaqueCopy);
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

// Polled by the bar: a new day moves the chart along. The window keeps its
// own height.
int CCyclaraWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    if (m_animatedCycle < 0 &&
        (now.wDay != m_today.wDay || now.wMonth != m_today.wMonth || now.wYear != m_today.wYear))
        RedrawAll();
    return 1;
}
