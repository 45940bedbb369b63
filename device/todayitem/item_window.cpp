// The item window: paints the owner line and the date line over the host's
// background, answers the host's refresh queries, and opens the owner
// settings when tapped.
#include "ownerdate_private.h"

#include <shellapi.h>

namespace {

const wchar_t kItemClass[] = L"OwnerDateItem";
const wchar_t kNoOwnerText[] = L"Tap here to set owner information";
const int kTextLeft = 8;

// Per-window state (GWLP_USERDATA), created on WM_NCCREATE.
struct ItemState {
    ItemText shown;
    bool cacheValid = false;  // false after clear-cache: the next query reports a change
};

HFONT CreateTahoma(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

void PaintBackground(HWND hwnd, HDC dc, const RECT& rc)
{
    HWND parent = GetParent(hwnd);
    TODAYDRAWWATERMARKINFO info = {dc, rc, hwnd};
    if (!parent || !SendMessageW(parent, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info)))
        FillRect(dc, &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
}

void PaintItem(HWND hwnd, HDC target, const ItemState& state)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (rc.right <= 0 || rc.bottom <= 0)
        return;
    // Compose off screen so the watermark and the text appear together.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, rc.right, rc.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PaintBackground(hwnd, dc, rc);

    HWND parent = GetParent(hwnd);
    COLORREF textColor = parent ? (COLORREF)SendMessageW(parent, TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0) : 0;
    SetTextColor(dc, textColor);
    SetBkMode(dc, TRANSPARENT);
    HFONT bold = CreateTahoma(13, true);
    HFONT normal = CreateTahoma(12, false);
    HGDIOBJ oldFont = SelectObject(dc, state.shown.owner.empty() ? normal : bold);
    const std::wstring& owner = state.shown.owner.empty() ? std::wstring(kNoOwnerText) : state.shown.owner;
    TextOutW(dc, kTextLeft, 3, owner.c_str(), (int)owner.size());
    if (!state.shown.date.empty()) {
        SelectObject(dc, normal);
        TextOutW(dc, kTextLeft, 21, state.shown.date.c_str(), (int)state.shown.date.size());
    }
    SelectObject(dc, oldFont);
    DeleteObject(bold);
    DeleteObject(normal);

    BitBlt(target, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// WM_TODAYCUSTOM_QUERYREFRESHCACHE: re-reads the text; TRUE when it or the
// wanted height changed (the new height is then in item->cyp).
LRESULT QueryRefresh(HWND hwnd, ItemState& state, TODAYLISTITEM* item)
{
    ItemText now = ReadItemText();
    DWORD height = (DWORD)ItemHeight(now);
    bool changed = !state.cacheValid || now.owner != state.shown.owner || now.date != state.shown.date;
    if (item && item->cyp != height) {
        item->cyp = height;
        changed = true;
    }
    state.shown = now;
    state.cacheValid = true;
    if (changed)
        InvalidateRect(hwnd, nullptr, FALSE);
    return changed ? TRUE : FALSE;
}

void OpenOwnerSettings(HWND hwnd)
{
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof(sei);
    sei.hwnd = hwnd;
    sei.lpFile = L"ctlpnl.exe";
    sei.lpParameters = L"cplmain.cpl 2,0";
    sei.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&sei);
}

LRESULT CALLBACK ItemProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<ItemState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE: {
        auto* created = new ItemState;
        created->shown = ReadItemText();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete state;
        break;
    case WM_ERASEBKGND:
        return 1;  // the whole item is painted in WM_PAINT
    case WM_PAINT:
        if (state) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            PaintItem(hwnd, dc, *state);
            EndPaint(hwnd, &ps);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (state) {
            PaintItem(hwnd, reinterpret_cast<HDC>(wParam), *state);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        OpenOwnerSettings(hwnd);
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return state ? QueryRefresh(hwnd, *state, reinterpret_cast<TODAYLISTITEM*>(wParam)) : FALSE;
    case WM_TODAYCUSTOM_CLEARCACHE:
        if (state)
            state->cacheValid = false;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

bool RegisterItemClass()
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(g_ownerDateInstance, kItemClass, &wc))
        return true;
    wc.lpfnWndProc = ItemProc;
    wc.hInstance = g_ownerDateInstance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = kItemClass;
    return RegisterClassW(&wc) != 0;
}

void UnregisterItemClass()
{
    UnregisterClassW(kItemClass, g_ownerDateInstance);
}

HWND CreateItemWindow(HWND parent)
{
    RECT area = {0, 0, 240, 0};
    GetClientRect(parent, &area);
    int height = ItemHeight(ReadItemText());
    return CreateWindowExW(0, kItemClass, L"", WS_CHILD, 0, 0, area.right, height, parent, nullptr,
                           g_ownerDateInstance, nullptr);
}
