// The designer's mock-ups, drawn with the theme library's preview drawing
// and the mock-ups' own icons and texts.
#include "mockups.h"

#include <corvane.h>

namespace {

const COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);
const int kIconSize = 16;
// Icons of the strip.
enum { kIconToday = 0, kIconFirstItem = 7, kIconFlag = 10 };

const POINT kTodayAt = {10, 20};
const SIZE kTodaySize = {135, 180};
const POINT kStartTextAt = {34, 23};
const POINT kClockTextAt = {105, 23};
const RECT kFlag = {19, 21, 31, 33};
const int kItemIconX = 13;
const int kItemIconY[] = {42, 62, 82};
const wchar_t* const kItemTexts[] = {L"Click here", L"To change", L"Text and Line color"};
const POINT kTrayAt = {150, 55};
const SIZE kTraySize = {80, 35};
const POINT kInfoAt = {150, 95};
const POINT kWarningAt = {150, 150};
const SIZE kBoxSize = {80, 30};
const int kBoxBands = 24;
const RECT kFrame = {4, 9, 236, 205};
const POINT kTitleAt = {20, 3};

const wchar_t* const kStartTexts[] = {L"Today", L"ActiveSync", L"Contact", L"Inbox", L"Programs", L"Settings", L"Help"};
const int kStartIconX = 3;
const int kStartTextX = 22;
const int kStartRowY[] = {5, 25, 45, 65, 85, 105, 126};
const int kStartSeparators[] = {22, 123};

void Fill(HDC dc, const RECT& area, COLORREF colour)
{
    CBrush brush(colour);
    ::FillRect(dc, &area, brush);
}

void Text(HDC dc, int x, int y, const wchar_t* text, const wchar_t* face, int height, int weight, COLORREF colour)
{
    CFont font;
    font.CreateFont(height, face, weight);
    CSelectObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
}

void Icon(HDC dc, HDC icons, int index, const RECT& to)
{
    if (icons)
        ::TransparentBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, icons, index * kIconSize, 0,
                         kIconSize, kIconSize, kMagenta);
}

void Line(HDC dc, int x1, int y, int x2, COLORREF colour)
{
    Fill(dc, RECT{x1, y, x2, y + 1}, colour);
}

} // namespace

void DrawTodayMockup(HDC dc, const CTskInfo& theme, const DesignPictures& pictures, HDC icons)
{
    Fill(dc, RECT{0, 0, kMockupWidth, kMockupHeight}, RGB(0xFF, 0xFF, 0xFF));
    // The frame, its title breaking the top line.
    {
        CPen pen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
        CSelectObject selectedPen(dc, pen);
        CSelectObject selectedBrush(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, kFrame.left, kFrame.top, kFrame.right, kFrame.bottom);
    }
    {
        CFont font;
        font.CreateFont(12, L"Tahoma", FW_NORMAL);
        CSelectObject selected(dc, font);
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::ExtTextOutW(dc, kTitleAt.x, kTitleAt.y, 0, nullptr, L"  Preview  ", 11, nullptr);
    }

    DrawToday(dc, kTodayAt, kTodaySize, &theme);
    Icon(dc, icons, kIconFlag, kFlag);
    Text(dc, kStartTextAt.x, kStartTextAt.y, L"Start", L"Tahoma", 12, FW_BOLD, theme.m_color[4]);
    Text(dc, kClockTextAt.x, kClockTextAt.y, L"12:00", L"Tahoma", 12, FW_BOLD, theme.m_color[4]);
    for (int i = 0; i < 3; ++i) {
        const int y = kItemIconY[i];
        Icon(dc, icons, kIconFirstItem + i, RECT{kItemIconX, y, kItemIconX + kIconSize, y + kIconSize});
        Text(dc, kItemIconX + 20, y + 2, kItemTexts[i], L"Arial", 11, FW_BOLD, theme.m_color[0]);
        Line(dc, kTodayAt.x + 2, y + 18, kTodayAt.x + kTodaySize.cx - 2, theme.m_color[1]);
    }

    DrawNavTray(dc, kTrayAt, kTraySize, &theme, pictures.tray, kMagenta);
    DrawGradientDlg(dc, kInfoAt, kBoxSize, kBoxBands, theme.m_color[7], theme.m_color[8], pictures.info, kMagenta);
    DrawGradientDlg(dc, kWarningAt, kBoxSize, kBoxBands, theme.m_color[9], theme.m_color[10], pictures.warning,
                    kMagenta);
}

void DrawStartMockup(HDC dc, const CTskInfo& theme, HDC icons)
{
    DrawStartMenu(dc, POINT{0, 0}, SIZE{kStartMockupWidth, kStartMockupHeight}, &theme);
    for (int i = 0; i < 7; ++i) {
        const int y = kStartRowY[i];
        Icon(dc, icons, kIconToday + i, RECT{kStartIconX, y, kStartIconX + kIconSize, y + kIconSize});
        Text(dc, kStartTextX, y + 2, kStartTexts[i], L"Arial", 12, FW_BOLD, RGB(0, 0, 0));
    }
    for (int y : kStartSeparators)
        Line(dc, 2, y, kStartMockupWidth - 2, RGB(0x80, 0x80, 0x80));
}
