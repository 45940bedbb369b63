// The system watch applet: its areas and its drawing.
#include "voltane_wnd.h"

#include <applet_module.h>
#include <pack_look.h>

#include <strsafe.h>

namespace {

const wchar_t kIconStrip[] = L"batt.bmp";

// Status icons (row 0 of "batt.bmp") and buttons (row 1).
enum StatusIcon { kExternalPower = 0, kOnBattery, kProgramMemory, kStoreMemory, kVolume, kBacklight, kFirstCard,
                  kSecondCard };
const int kStatusRow = 0;
const int kButtonRow = 1;

// The two level meters of a column: 8 high, the second 9 lower.
const int kLevelLeftOfIcon = 18;
const int kLevelTop = 3;
const int kLevelHeight = 8;
const int kLevelGap = 9;
const int kTextTop = 21;
const DWORD kLevelStyle = 0x12;   // dashed, horizontal
const DWORD kSliderStyle = 0x22;  // dashed, vertical
const COLORREF kSliderColour = RGB(0x30, 0x80, 0xE0);

const int kStripTop = 35;
const int kButtonTop = 37;
const int kLeftButtonsX = 3;
const int kLeftButtonPitch = 18;
const int kRightButtonsX = 153;
const int kRightButtonPitch = 20;

int Percent(ULONGLONG part, ULONGLONG whole)
{
    // A total of 0 (a store or card whose size is not known) shows 0 %.
    return whole == 0 ? 0 : static_cast<int>(part * 100 / whole);
}

}  // namespace

const RECT CVoltaneWnd::kAreas[kAreaCount] = {
    {0, 35, 230, 55},  {150, 35, 230, 55}, {3, 0, 21, 34},   {3, 0, 57, 34},   {66, 0, 84, 34},  {66, 0, 120, 34},
    {127, 0, 145, 34}, {127, 0, 181, 34},  {188, 2, 199, 20}, {200, 2, 208, 32}, {218, 2, 230, 20}, {210, 2, 218, 32},
};

int CVoltaneWnd::HitTest(POINT point)
{
    for (int i = 0; i < kAreaCount; ++i) {
        // Rectangles of areas sharing an edge: the lowest index takes it.
        if (::PtInRect(&kAreas[i], point))
            return i;
    }
    return -1;
}

int CVoltaneWnd::ButtonAt(POINT point)
{
    if (point.y < kStripTop || point.y >= kHeight)
        return -1;
    for (int i = 0; i < 3; ++i) {
        const int left = kLeftButtonsX + kLeftButtonPitch * i;
        if (point.x >= left && point.x < left + kLeftButtonPitch)
            return kToday + i;
    }
    for (int i = 0; i < 4; ++i) {
        const int left = kRightButtonsX + kRightButtonPitch * i;
        if (point.x >= left && point.x < left + kRightButtonPitch)
            return kSummary + i;
    }
    return -1;
}

void CVoltaneWnd::OnCreate()
{
    m_bProgramMemory = TRUE;
    m_bFirstCard = TRUE;
    m_bDisplayOff = FALSE;
    m_bSwallowUp = FALSE;
    m_bVisible = TRUE;
    m_pDragged = nullptr;
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
        wchar_t strip[MAX_PATH];
        if (PackLook::FileBesideApplet(CorAppletModule(), kIconStrip, strip, MAX_PATH))
            m_icons.Load(&reference, strip);
    }
    m_icons.SetSize(16, 16);
    m_volume.Create(kSliderStyle, kAreas[kVolumeMeter]);
    m_volume.SetBarStyle(kSliderStyle, 2, kSliderColour);
    m_volume.SetRange(0, 10);
    m_backlight.Create(kSliderStyle, kAreas[kBacklightMeter]);
    m_backlight.SetBarStyle(kSliderStyle, 2, kSliderColour);
    m_backlight.SetRange(0, 100);
    DrawAll();
    SetTimer(kRedrawTimer, kRedrawMs);
}

void CVoltaneWnd::OnDestroy()
{
    KillTimer(kRedrawTimer);
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CVoltaneWnd::DrawAll()
{
    if (!m_surface.GetSafeHdc())
        return;
    const PackLook::Colours colours = PackLook::AskColours(this);
    CBrush background(colours.background);
    CRect whole(0, 0, kWidth, kHeight);
    m_surface.FillRect(&whole, &background);
    CFont font;
    PackLook::CreatePackFont(&font);
    m_surface.SelectObject(&font);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(colours.text);
    DrawBattery(&m_surface);
    DrawMemory(&m_surface);
    DrawCards(&m_surface);
    DrawSliders(&m_surface);
    DrawBottomStrip(&m_surface);
    m_surface.ReleaseObject(&font);
}

// Two levels (0-100) side by side with a column's icon.
void CVoltaneWnd::DrawLevelPair(CDC* dc, int left, int first, int second)
{
    const int right = kAreas[kBatteryColumn].right - kAreas[kBatteryColumn].left + left;
    CMeterBar level;
    level.Create(kLevelStyle, CRect(left + kLevelLeftOfIcon, kLevelTop, right, kLevelTop + kLevelHeight));
    level.SetPos(first < 0 ? 0 : first);
    level.Draw(dc);
    level.m_rect.OffsetRect(0, kLevelGap);
    level.SetPos(second < 0 ? 0 : second);
    level.Draw(dc);
}

void CVoltaneWnd::DrawColumnText(CDC* dc, int left, int right, LPCWSTR text)
{
    RECT area = {left, kTextTop, right, kStripTop - 1};
    dc->DrawTextW(text, -1, &area, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

void CVoltaneWnd::DrawBattery(CDC* dc)
{
    int acLine = 0, main = -1, backup = -1;
    CSI::GetPowerInfo(&acLine, &main, &backup);
    const RECT& column = kAreas[kBatteryColumn];
    m_icons.Draw(dc, column.left, kLevelTop - 1, kStatusRow, acLine == 1 ? kExternalPower : kOnBattery);
    DrawLevelPair(dc, column.left, main, backup);
    if (main >= 0) {
        wchar_t text[16];
        StringCchPrintfW(text, ARRAYSIZE(text), L"%d%%", main);
        DrawColumnText(dc, column.left, column.right, text);
    }
}

void CVoltaneWnd::DrawMemory(CDC* dc)
{
    ULONGLONG memoryFree = 0, memoryTotal = 0, storeFree = 0, storeTotal = 0;
    CSI::GetMemoryStatus(&memoryFree, &memoryTotal);
    CSI::GetStoreStatus(&storeFree, &storeTotal);
    const RECT& column = kAreas[kMemoryColumn];
    m_icons.Draw(dc, column.left, kLevelTop - 1, kStatusRow, m_bProgramMemory ? kProgramMemory : kStoreMemory);
    DrawLevelPair(dc, column.left, Percent(memoryFree, memoryTotal), Percent(storeFree, storeTotal));
    wchar_t text[32];
    StringCchPrintfW(text, ARRAYSIZE(text), L"%3.1fMB",
                     static_cast<double>(m_bProgramMemory ? memoryFree : storeFree) / 1048576.0);
    DrawColumnText(dc, column.left, column.right, text);
}

// With a third card the cards shown are the second and the third (the first
// is then the device's own), otherwise the first two.
void CVoltaneWnd::DrawCards(CDC* dc)
{
    const int first = CSI::GetSTCardInfo(2, nullptr, nullptr, nullptr) ? 1 : 0;
    DWORD freeKB[2] = {0, 0}, totalKB[2] = {0, 0};
    BOOL present[2] = {FALSE, FALSE};
    for (int i = 0; i < 2; ++i)
        present[i] = CSI::GetSTCardInfo(first + i, nullptr, &freeKB[i], &totalKB[i]);
    if (!present[1])
        m_bFirstCard = TRUE;
    const RECT& column = kAreas[kCardColumn];
    m_icons.Draw(dc, column.left, kLevelTop - 1, kStatusRow, m_bFirstCard ? kFirstCard : kSecondCard);
    DrawLevelPair(dc, column.left, present[0] ? Percent(freeKB[0], totalKB[0]) : 0,
                  present[1] ? Percent(freeKB[1], totalKB[1]) : 0);
    const int shown = m_bFirstCard ? 0 : 1;
    wchar_t text[32];
    StringCchPrintfW(text, ARRAYSIZE(text), L"%3.1fMB",
                     present[shown] ? static_cast<double>(freeKB[shown]) / 1024.0 : 0.0);
    DrawColumnText(dc, column.left, column.right, text);
}

void CVoltaneWnd::DrawSliders(CDC* dc)
{
    if (m_pDragged != &m_volume)
        m_volume.SetPos(CSI::GetVolume());
    if (m_pDragged != &m_backlight)
        m_backlight.SetPos(CSI::GetBright());
    m_icons.Draw(dc, kAreas[kVolumeIcon].left - 4, kAreas[kVolumeIcon].top + 1, kStatusRow, kVolume);
    m_volume.Draw(dc);
    m_backlight.Draw(dc);
    m_icons.Draw(dc, kAreas[kBacklightIcon].left, kAreas[kBacklightIcon].top + 1, kStatusRow, kBacklight);
}

void CVoltaneWnd::DrawBottomStrip(CDC* dc)
{
    CPen grey(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    CPen white(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF));
    dc->SelectObject(&grey);
    dc->Line(0, kStripTop, kWidth, kStripTop);
    dc->ReleaseObject(&grey);
    dc->SelectObject(&white);
    dc->Line(0, kStripTop + 1, kWidth, kStripTop + 1);
    dc->ReleaseObject(&white);
    for (int i = 0; i < 3; ++i)
        m_icons.Draw(dc, kLeftButtonsX + kLeftButtonPitch * i, kButtonTop, kButtonRow, i);
    for (int i = 0; i < 4; ++i)
        m_icons.Draw(dc, kRightButtonsX + kRightButtonPitch * i, kButtonTop, kButtonRow, 3 + i);
}

void CVoltaneWnd::Show()
{
    DrawAll();
    Invalidate(FALSE);
}

void CVoltaneWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CVoltaneWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId != kRedrawTimer) {
        CApplet::OnTimer(timerId);
        return;
    }
    if (m_bVisible)
        Show();
}

LRESULT CVoltaneWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        m_surface.Draw(reinterpret_cast<HDC>(wParam), 0, 0, kOpaqueCopy);
        return 0;
    case WM_KETRA_APPLETSHOWN:
        m_bVisible = TRUE;
        Show();
        SetTimer(kRedrawTimer, kRedrawMs);
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        m_bVisible = FALSE;
        KillTimer(kRedrawTimer);
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

int CVoltaneWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (item)
        item->cyp = kHeight;
    return 1;
}
