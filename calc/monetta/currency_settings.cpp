// "Currency Settings".
#include <windows.h>

#include <strsafe.h>

#include <cwchar>

#include "currency.h"
#include "currency_settings.h"
#include "monetta_wnd.h"

namespace {

const wchar_t kChangeNames[] = L"Change Currency Name";
const wchar_t kLockNames[] = L"Lock Currency Name";
const wchar_t kBaseRate[] = L"1.00";

// Pixel layout of the rows (the pad's rows share their step).
const int kNameLeft = 4, kNameWidth = 92;
const int kRateLeft = 98, kRateWidth = 44;
const int kRowHeight = 16;
const int kButtonLeft = 192, kButtonWidth = 44, kButtonHeight = 20;

// A rate as typed: the whole text a number (blanks around it allowed)
// that IsUsableRate accepts.
bool ParseRate(const wchar_t* text, double* rate)
{
    wchar_t* end = nullptr;
    double value = wcstod(text, &end);
    if (end == text)
        return false;
    while (*end == L' ' || *end == L'\t')
        ++end;
    if (*end || !IsUsableRate(value))
        return false;
    *rate = value;
    return true;
}

void Place(HWND dialog, int id, int x, int y, int width, int height)
{
    ::MoveWindow(::GetDlgItem(dialog, id), x, y, width, height, FALSE);
}

}  // namespace

const int CCurrencySettingsDialog::kPadColumns[2] = {145, 168};
const wchar_t CCurrencySettingsDialog::kPadLabels[kPadCells] = {L'1', L'2', L'3', L'4', L'5', L'6',
                                                                 L'7', L'8', L'9', L'0', L'C', L'.'};

RECT CCurrencySettingsDialog::PadCell(int cell)
{
    const int x = kPadColumns[cell % 2], y = kPadTop + (cell / 2) * kPadRowStep;
    return RECT{x, y, x + kCellWidth, y + kCellHeight};
}

int CCurrencySettingsDialog::PadCellAt(POINT point)
{
    for (int cell = 0; cell < kPadCells; ++cell) {
        RECT r = PadCell(cell);
        if (::PtInRect(&r, point))
            return cell;
    }
    return -1;
}

BOOL CCurrencySettingsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_padFont.CreateFont(11, L"Tahoma", FW_NORMAL);
    PlaceControls();
    CAppConfig config;
    const bool open = config.Open(kCurrencySection) != FALSE;
    for (int unit = 0; unit < kCurrencyCount; ++unit) {
        wchar_t name[kUnitNameLength];
        double rate = kCurrencies[unit].rate;
        if (open)
            ReadCurrency(config, unit, name, &rate);
        else
            StringCchCopyW(name, kUnitNameLength, kCurrencies[unit].name);
        SendDlgItemMessageW(IDC_NAME_FIRST + unit, EM_LIMITTEXT, kUnitNameLength - 1);
        SetDlgItemTextW(IDC_NAME_FIRST + unit, name);
        SendDlgItemMessageW(IDC_RATE_FIRST + unit, EM_LIMITTEXT, 31);
    }
    SetDlgItemTextW(IDC_RATE_FIRST, kBaseRate);
    FillRates();
    SetNamesEditable(false);
    return TRUE;
}

void CCurrencySettingsDialog::PlaceControls()
{
    const int headingTop = kPadTop - 15;
    Place(m_hWnd, IDC_NAME_HEADING, kNameLeft, headingTop, kNameWidth, 13);
    Place(m_hWnd, IDC_RATE_HEADING, kRateLeft, headingTop, kRateWidth, 13);
    for (int unit = 0; unit < kCurrencyCount; ++unit) {
        const int y = kPadTop + unit * kPadRowStep;
        Place(m_hWnd, IDC_NAME_FIRST + unit, kNameLeft, y, kNameWidth, kRowHeight);
        Place(m_hWnd, IDC_RATE_FIRST + unit, kRateLeft, y, kRateWidth, kRowHeight);
    }
    Place(m_hWnd, IDOK, kButtonLeft, kPadTop, kButtonWidth, kButtonHeight);
    Place(m_hWnd, IDCANCEL, kButtonLeft, kPadTop + 24, kButtonWidth, kButtonHeight);
    Place(m_hWnd, IDC_RESET, kButtonLeft, kPadTop + 48, kButtonWidth, kButtonHeight);
    const int bottom = kPadTop + kCurrencyCount * kPadRowStep + 6;
    Place(m_hWnd, IDC_CHANGE_NAMES, kNameLeft, bottom, kRateLeft + kRateWidth - kNameLeft, kButtonHeight);
    Place(m_hWnd, IDC_SIP, kPadColumns[0], bottom, kPadColumns[1] + kCellWidth - kPadColumns[0], kButtonHeight);
}

// The stored rates (the defaults where none is usable).
void CCurrencySettingsDialog::FillRates()
{
    CAppConfig config;
    const bool open = config.Open(kCurrencySection) != FALSE;
    for (int unit = 1; unit < kCurrencyCount; ++unit) {
        wchar_t name[kUnitNameLength];
        double rate = kCurrencies[unit].rate;
        if (open)
            ReadCurrency(config, unit, name, &rate);
        wchar_t text[64];
        StringCchPrintfW(text, ARRAYSIZE(text), L"%.3f", rate);
        SetDlgItemTextW(IDC_RATE_FIRST + unit, text);
    }
}

void CCurrencySettingsDialog::SetNamesEditable(bool editable)
{
    m_bNamesEditable = editable;
    for (int unit = 0; unit < kCurrencyCount; ++unit) {
        HWND box = GetDlgItem(IDC_NAME_FIRST + unit);
        ::SendMessageW(box, EM_SETREADONLY, editable ? FALSE : TRUE, 0);
        CWnd::ModifyStyle(box, editable ? 0 : WS_BORDER, editable ? WS_BORDER : 0, SWP_FRAMECHANGED);
        ::InvalidateRect(box, nullptr, TRUE);
    }
    ::EnableWindow(GetDlgItem(IDC_SIP), editable);
    SetDlgItemTextW(IDC_CHANGE_NAMES, editable ? kLockNames : kChangeNames);
}

// Names are stored as shown; a rate only when it is one a currency can
// have (the stored one stays otherwise).
void CCurrencySettingsDialog::Store()
{
    CAppConfig config;
    if (!config.Open(kCurrencySection))
        return;
    for (int unit = 0; unit < kCurrencyCount; ++unit) {
        wchar_t name[kUnitNameLength] = L"";
        GetDlgItemTextW(IDC_NAME_FIRST + unit, name, kUnitNameLength);
        wchar_t rate[64] = L"";
        GetDlgItemTextW(IDC_RATE_FIRST + unit, rate, ARRAYSIZE(rate));
        double value = 0;
        WriteCurrency(config, unit, name, ParseRate(rate, &value) ? rate : nullptr);
    }
}

LRESULT CCurrencySettingsDialog::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDOK:
        Store();
        ::SendMessageW(m_hApplet, CMonettaWnd::WM_CURRENCY_RELOAD, 1, 0);
        EndDialog(IDOK);
        return 1;
    case IDC_RESET:
        FillRates();
        return 1;
    case IDC_CHANGE_NAMES:
        SetNamesEditable(!m_bNamesEditable);
        if (!m_bNamesEditable)
            ShowInputPanel(false);
        return 1;
    case IDC_SIP:
        ShowInputPanel(!IsInputPanelUp());
        return 1;
    }
    return CDialog::OnCommand(id, code);
}

LRESULT CCurrencySettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 1;
    case WM_LBUTTONDOWN: {
        POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        m_nPressed = PadCellAt(at);
        if (m_nPressed >= 0) {
            ::SetCapture(m_hWnd);
            RECT cell = PadCell(m_nPressed);
            InvalidateRect(&cell, FALSE);
        }
        return 1;
    }
    case WM_LBUTTONUP: {
        const int pressed = m_nPressed;
        if (pressed < 0)
            break;
        m_nPressed = -1;
        ::ReleaseCapture();
        RECT cell = PadCell(pressed);
        InvalidateRect(&cell, FALSE);
        POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (PadCellAt(at) == pressed)
            PressCell(pressed);
        return 1;
    }
    case WM_CAPTURECHANGED:
        if (m_nPressed >= 0 && (HWND)lParam != m_hWnd) {
            RECT cell = PadCell(m_nPressed);
            m_nPressed = -1;
            InvalidateRect(&cell, FALSE);
        }
        break;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

void CCurrencySettingsDialog::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    DrawDialogTitle(m_hWnd, dc);
    HGDIOBJ oldFont = ::SelectObject(dc, m_padFont);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::SetBkMode(dc, TRANSPARENT);
    for (int cell = 0; cell < kPadCells; ++cell) {
        const bool pressed = cell == m_nPressed;
        RECT r = PadCell(cell);
        ::SelectObject(dc, ::GetStockObject(pressed ? BLACK_BRUSH : WHITE_BRUSH));
        ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        ::SetTextColor(dc, pressed ? RGB(255, 255, 255) : RGB(0, 0, 0));
        wchar_t label[2] = {kPadLabels[cell], L'\0'};
        ::DrawTextW(dc, label, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldFont);
    ::EndPaint(m_hWnd, &ps);
}

void CCurrencySettingsDialog::PressCell(int cell)
{
    const wchar_t label = kPadLabels[cell];
    HWND focus = ::GetFocus();
    // Only this dialog's boxes take the pad's keys.
    wchar_t className[16] = L"";
    if (!focus || ::GetParent(focus) != m_hWnd || !::GetClassNameW(focus, className, 16) ||
        _wcsicmp(className, L"Edit") != 0)
        return;
    if (label == L'C') {
        ::SetWindowTextW(focus, L"");
        return;
    }
    if (label == L'.') {
        wchar_t text[64] = L"";
        ::GetWindowTextW(focus, text, ARRAYSIZE(text));
        if (wcschr(text, L'.'))
            return;
    }
    TypeIntoFocusedBox(label);
}

// A key press of the character: down, the character, up.
void CCurrencySettingsDialog::TypeIntoFocusedBox(wchar_t key)
{
    HWND focus = ::GetFocus();
    const UINT vk = key == L'.' ? VK_DECIMAL : (UINT)key;
    const LPARAM scan = (LPARAM)::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16;
    ::SendMessageW(focus, WM_KEYDOWN, vk, 1 | scan);
    ::SendMessageW(focus, WM_CHAR, key, 1 | scan);
    ::SendMessageW(focus, WM_KEYUP, vk, 1 | scan | 0xC0000000);
}
