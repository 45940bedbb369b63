// The menu bar window: a strip across the bottom of the screen holding a
// comctl32 toolbar of text drop-downs and image buttons.
#include "menubar.h"

#include <shellproto.h>
#include "common_controls.h"

#include <strsafe.h>

namespace {

constexpr UINT kToolbarId = 1;

MenuBar* BarOf(HWND bar)
{
    return (MenuBar*)GetWindowLongPtrW(bar, GWLP_USERDATA);
}

HMENU* PopupSlot(MenuBar* bar, UINT command)
{
    for (auto& entry : bar->popups)
        if (entry.first == command)
            return &entry.second;
    return nullptr;
}

void AddButtons(MenuBar* bar)
{
    for (const MenuBarButton& button : bar->layout.buttons) {
        TBBUTTON tb = {};
        tb.iBitmap = button.image;
        tb.idCommand = (int)button.command;
        tb.fsState = button.state;
        // Drop-downs are plain buttons here: the bar opens their pop-up
        // itself when the toolbar reports the click.
        tb.fsStyle = (BYTE)(button.style & ~SHMB_DROPDOWN);
        tb.iString = button.label.empty() ? -1 : (INT_PTR)button.label.c_str();  // copied by the toolbar
        SendMessageW(bar->toolbar, TB_ADDBUTTONSW, 1, (LPARAM)&tb);
        if (button.popup)
            bar->popups.emplace_back(button.command, button.popup);
    }
}

// Every button takes its own width (text, or image alone), as on the device,
// rather than the toolbar's common width.
void AutosizeButtons(HWND toolbar)
{
    int count = (int)SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STYLE | TBIF_BYINDEX;
        if (SendMessageW(toolbar, TB_GETBUTTONINFOW, i, (LPARAM)&info) < 0 || (info.fsStyle & BTNS_SEP) ||
            (info.fsStyle & BTNS_AUTOSIZE))
            continue;
        info.fsStyle |= BTNS_AUTOSIZE;
        SendMessageW(toolbar, TB_SETBUTTONINFOW, i, (LPARAM)&info);
    }
}

void Layout(HWND wnd, MenuBar* bar)
{
    AutosizeButtons(bar->toolbar);
    RECT rc;
    GetClientRect(wnd, &rc);
    SetWindowPos(bar->toolbar, nullptr, 0, 1, rc.right, rc.bottom - 1, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(bar->toolbar, TB_AUTOSIZE, 0, 0);
}

// Position of a command's button among the image buttons (tips are given in
// that order), or -1.
int ImageButtonIndex(MenuBar* bar, UINT command)
{
    int count = (int)SendMessageW(bar->toolbar, TB_BUTTONCOUNT, 0, 0);
    int index = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON tb = {};
        if (!SendMessageW(bar->toolbar, TB_GETBUTTON, i, (LPARAM)&tb))
            continue;
        if ((tb.fsStyle & BTNS_SEP) || tb.iBitmap < 0)
            continue;
        if ((UINT)tb.idCommand == command)
            return index;
        ++index;
    }
    return -1;
}

void OpenPopup(HWND wnd, MenuBar* bar, UINT command, HMENU popup)
{
    RECT button;
    if (!SendMessageW(bar->toolbar, TB_GETRECT, command, (LPARAM)&button))
        GetClientRect(bar->toolbar, &button);
    MapWindowPoints(bar->toolbar, nullptr, (POINT*)&button, 2);
    SendMessageW(bar->toolbar, TB_PRESSBUTTON, command, TRUE);
    // A pop-up stays open only for the foreground window; tracked for the
    // owner, which gets WM_INITMENUPOPUP as it expects.
    SetForegroundWindow(GetAncestor(bar->owner, GA_ROOT));
    UINT chosen = (UINT)TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD,
                                         button.left, button.top, bar->owner, nullptr);
    if (IsWindow(wnd))
        SendMessageW(bar->toolbar, TB_PRESSBUTTON, command, FALSE);
    if (chosen)
        PostMessageW(bar->owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

bool ChangesButtons(UINT msg)
{
    return msg == TB_ADDBUTTONSW || msg == TB_ADDBUTTONSA || msg == TB_INSERTBUTTONW || msg == TB_INSERTBUTTONA ||
           msg == TB_DELETEBUTTON || msg == TB_SETBITMAPSIZE || msg == TB_SETBUTTONSIZE;
}

LRESULT CALLBACK MenuBarProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    MenuBar* bar = BarOf(wnd);
    if (!bar)
        return DefWindowProcW(wnd, msg, wp, lp);

    // Toolbar messages go to the inner toolbar.
    if (msg > WM_USER && msg < WM_USER + 200) {
        LRESULT result;
        if (msg == TB_ADDBITMAP)
            return AddImages(bar, (const TBADDBITMAP*)lp);
        if (msg == TB_SETBITMAPSIZE)
            SetImageSize(bar, LOWORD(lp), HIWORD(lp));
        result = SendMessageW(bar->toolbar, msg, wp, lp);
        if (ChangesButtons(msg))
            Layout(wnd, bar);
        return result;
    }
    switch (msg) {
    case SHCMBM_GETSUBMENU: {
        HMENU* slot = PopupSlot(bar, (UINT)lp);
        return slot ? (LRESULT)*slot : 0;
    }
    case SHCMBM_SETSUBMENU: {
        HMENU* slot = PopupSlot(bar, (UINT)wp);
        if (!slot)
            return 0;
        HMENU previous = *slot;
        *slot = (HMENU)lp;
        return (LRESULT)previous;
    }
    case SHCMBM_GETMENU:
        return (LRESULT)bar->layout.menu;
    case SHCMBM_SETBKCOLOR: {
        COLORREF previous = bar->background;
        bar->background = (COLORREF)lp;
        InvalidateRect(wnd, nullptr, TRUE);
        InvalidateRect(bar->toolbar, nullptr, TRUE);
        return previous;
    }
    case SHCMBM_ADDTOOLTIPS: {
        const WCHAR* const* tips = (const WCHAR* const*)lp;
        if (!tips && wp)
            return FALSE;
        bar->tips.clear();
        for (WPARAM i = 0; i < wp; ++i)
            bar->tips.emplace_back(tips[i] ? tips[i] : L"");
        return TRUE;
    }
    case WM_COMMAND:
        if ((HWND)lp == bar->toolbar) {
            UINT command = LOWORD(wp);
            HMENU* popup = PopupSlot(bar, command);
            if (popup && *popup)
                OpenPopup(wnd, bar, command, *popup);
            else if (!popup)
                PostMessageW(bar->owner, WM_COMMAND, MAKEWPARAM(command, 0), (LPARAM)wnd);
            return 0;
        }
        break;
    case WM_NOTIFY: {
        NMHDR* header = (NMHDR*)lp;
        if (header->code == NM_CUSTOMDRAW && header->hwndFrom == bar->toolbar)
            return DrawMenuBarButton(bar, (NMTBCUSTOMDRAW*)lp);
        if (header->code == TBN_GETINFOTIPW) {
            NMTBGETINFOTIPW* info = (NMTBGETINFOTIPW*)lp;
            int index = ImageButtonIndex(bar, (UINT)info->iItem);
            if (index >= 0 && (size_t)index < bar->tips.size() && info->pszText && info->cchTextMax > 0)
                StringCchCopyW(info->pszText, info->cchTextMax, bar->tips[index].c_str());  // cut to fit
            return 0;
        }
        if (header->code == TTN_GETDISPINFOW) {
            NMTTDISPINFOW* info = (NMTTDISPINFOW*)lp;
            int index = ImageButtonIndex(bar, (UINT)header->idFrom);
            info->lpszText = (index >= 0 && (size_t)index < bar->tips.size())
                                 ? const_cast<wchar_t*>(bar->tips[index].c_str())
                                 : const_cast<wchar_t*>(L"");
            return 0;
        }
        break;
    }
    case WM_MOUSEACTIVATE:
        // Taps on the bar leave the owner active (its pop-ups need that).
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        PaintMenuBarBackground(wnd, bar, (HDC)wp);
        return 1;
    case WM_SIZE:
        Layout(wnd, bar);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        if (bar->layout.menu)
            DestroyMenu(bar->layout.menu);
        if (bar->font)
            DeleteObject(bar->font);
        FreeImages(bar);
        delete bar;
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

bool RegisterMenuBarClass()
{
    static bool registered = false;
    if (registered)
        return true;
    common_controls::Init(ICC_BAR_CLASSES);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = MenuBarProc;
    wc.hInstance = AygInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = SHMENUBAR_CLASS;
    registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

HWND CreateToolbar(HWND wnd)
{
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                                       TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                   0, 1, 0, 0, wnd, (HMENU)(UINT_PTR)kToolbarId, AygInstance(), nullptr);
    if (toolbar)
        SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return toolbar;
}

// A top-level owner reaching into the bar's strip is shortened to end above it.
void MakeRoomAbove(HWND owner, int barTop)
{
    if (GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD)
        return;
    RECT rc;
    GetWindowRect(owner, &rc);
    if (rc.bottom > barTop && rc.top < barTop)
        SetWindowPos(owner, nullptr, 0, 0, rc.right - rc.left, barTop - rc.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

extern "C" BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi)
{
    if (!pmbi || pmbi->cbSize < sizeof(SHMENUBARINFO) || !IsWindow(pmbi->hwndParent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pmbi->hwndMB = nullptr;
    HINSTANCE module = pmbi->hInstRes ? pmbi->hInstRes : GetModuleHandleW(nullptr);
    MenuBar* bar = new MenuBar;
    bar->owner = pmbi->hwndParent;
    if (pmbi->dwFlags & SHCMBF_COLORBK)
        bar->background = pmbi->clrBk;
    if (!(pmbi->dwFlags & SHCMBF_EMPTYBAR) &&
        !LoadMenuBarLayout(module, pmbi->nToolBarId, (pmbi->dwFlags & SHCMBF_HMENU) != 0, &bar->layout)) {
        delete bar;
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    if (!RegisterMenuBarClass()) {
        if (bar->layout.menu)
            DestroyMenu(bar->layout.menu);
        delete bar;
        return FALSE;
    }

    // The input-panel button sits at the strip's right end unless the owner
    // hides it.
    int width = GetSystemMetrics(SM_CXSCREEN);
    if (!(pmbi->dwFlags & SHCMBF_HIDESIPBUTTON))
        width -= SHELL_SIPBUTTON_WIDTH;
    int top = GetSystemMetrics(SM_CYSCREEN) - SHMENUBAR_HEIGHT;
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, SHMENUBAR_CLASS, L"", WS_POPUP | WS_CLIPCHILDREN,
                               0, top, width, SHMENUBAR_HEIGHT, pmbi->hwndParent, nullptr, AygInstance(), nullptr);
    if (!wnd) {
        if (bar->layout.menu)
            DestroyMenu(bar->layout.menu);
        delete bar;
        return FALSE;
    }
    bar->toolbar = CreateToolbar(wnd);
    if (!bar->toolbar) {
        DestroyWindow(wnd);  // the bar is not yet attached: freed below
        if (bar->layout.menu)
            DestroyMenu(bar->layout.menu);
        delete bar;
        return FALSE;
    }
    SetWindowLongPtrW(wnd, GWLP_USERDATA, (LONG_PTR)bar);

    bar->font = CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"Tahoma");
    if (bar->font)
        SendMessageW(bar->toolbar, WM_SETFONT, (WPARAM)bar->font, FALSE);
    if (pmbi->nBmpId && pmbi->cBmpImages > 0)
        AddBitmapStrip(bar, module, pmbi->nBmpId, pmbi->cBmpImages);
    else
        SetImageSize(bar, bar->imageWidth, bar->imageHeight);
    AddButtons(bar);
    Layout(wnd, bar);

    if (pmbi->dwFlags & SHCMBF_HIDESIPBUTTON)
        SHFullScreen(pmbi->hwndParent, SHFS_HIDESIPBUTTON);
    if (!(pmbi->dwFlags & SHCMBF_HIDDEN)) {
        MakeRoomAbove(pmbi->hwndParent, top);
        ShowWindow(wnd, SW_SHOWNA);
    }
    pmbi->hwndMB = wnd;
    return TRUE;
}

extern "C" HWND WINAPI SHFindMenuBar(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    for (HWND found = FindWindowExW(nullptr, nullptr, SHMENUBAR_CLASS, nullptr); found;
         found = FindWindowExW(nullptr, found, SHMENUBAR_CLASS, nullptr)) {
        if (GetWindow(found, GW_OWNER) == hwnd)
            return found;
    }
    return nullptr;
}
