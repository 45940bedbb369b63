// The icon's menu: owner-drawn items on a grey gutter, opened at (220, 26)
// below the task bar's corner.
#include <cwchar>

#include "icon_wnd.h"
#include "resource.h"

namespace {

const POINT kMenuAt = {220, 26};
constexpr int kItemWidth = 100;
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 5;
constexpr int kGutter = 20;
constexpr int kTextLeft = 25;
constexpr COLORREF kGutterColour = 0xC0C0C0;
constexpr COLORREF kItemColour = 0xF0F0F0;
constexpr COLORREF kSelectedFill = 0xFFC8C8;
constexpr COLORREF kSelectedFrame = 0x808080;
constexpr COLORREF kSeparatorColour = 0x808080;
const wchar_t kSeparatorText[] = L"SEPARATOR";

struct MenuEntry {
    UINT id;  // 0 for a separator
    const wchar_t* text;
};

const MenuEntry kEntries[] = {
    {ID_CRESTEL_MINIMIZE, L"Minimize"},
    {ID_CRESTEL_CLOSE, L"Close"},
    {ID_CRESTEL_CLOSE_ALL, L"Close All"},
    {0, kSeparatorText},
    {ID_CRESTEL_KETRA, L"Ketra..."},
    {ID_CRESTEL_OPTION, L"Option..."},
    {0, kSeparatorText},
    {ID_CRESTEL_SHUT_DOWN, L"Shut Down..."},
};

bool IsSeparator(const wchar_t* text)
{
    return text && wcscmp(text, kSeparatorText) == 0;
}

}  // namespace

void CCrestelWnd::OpenMenu()
{
    if (m_menuOpen)
        return;
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    for (const MenuEntry& entry : kEntries) {
        // Separators are owner-drawn items too, told apart by their text.
        const UINT flags = MF_OWNERDRAW | (entry.id ? 0 : MF_DISABLED);
        ::AppendMenuW(menu, flags, entry.id, reinterpret_cast<LPCWSTR>(entry.text));
    }
    m_menuOpen = TRUE;
    const UINT chosen = ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                         kMenuAt.x, kMenuAt.y, 0, m_hWnd, nullptr);
    m_menuOpen = FALSE;
    ::DestroyMenu(menu);
    if (chosen)
        OnCommand(chosen, 0);
}

void CCrestelWnd::MeasureItem(MEASUREITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU)
        return;
    item->itemWidth = kItemWidth;
    item->itemHeight = IsSeparator(reinterpret_cast<const wchar_t*>(item->itemData)) ? kSeparatorHeight : kItemHeight;
}

void CCrestelWnd::DrawItem(const DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU || !(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(item->itemData);
    HDC dc = item->hDC;
    RECT whole = item->rcItem;
    CBrush gutter(kGutterColour);
    ::FillRect(dc, &whole, gutter);
    RECT body = whole;
    body.left += kGutter;
    CBrush plain(kItemColour);

    if (IsSeparator(text)) {
        ::FillRect(dc, &body, plain);
        CPen line(PS_SOLID, 1, kSeparatorColour);
        HGDIOBJ old = ::SelectObject(dc, line);
        const int middle = (whole.top + whole.bottom) / 2;
        ::MoveToEx(dc, whole.left + kTextLeft, middle, nullptr);
        ::LineTo(dc, whole.right - 5, middle);
        ::SelectObject(dc, old);
        return;
    }
    if (item->itemState & ODS_SELECTED) {
        CPen frame(PS_SOLID, 1, kSelectedFrame);
        CBrush fill(kSelectedFill);
        HGDIOBJ oldPen = ::SelectObject(dc, frame);
        HGDIOBJ oldBrush = ::SelectObject(dc, fill);
        ::Rectangle(dc, whole.left, whole.top, whole.right, whole.bottom);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
    } else {
        ::FillRect(dc, &body, plain);
    }
    CFont font;
    font.CreateFont(13, L"Tahoma", FW_NORMAL);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    RECT label = whole;
    label.left += kTextLeft;
    ::DrawTextW(dc, text ? text : L"", -1, &label, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
}
