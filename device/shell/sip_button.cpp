// The input-panel button: a top-most, non-activating window at the right end
// of the menu bars' strip, shown while the foreground application has a
// visible menu bar and has not hidden the button (SHFullScreen).  Its left
// part shows the current method's narrow image and raises or lowers the
// panel; its arrow opens a menu of the installed methods, the current one
// ticked, and the choice becomes the current method.
#include "shell.h"

#include <aygshell.h>
#include <commctrl.h>
#include <sip.h>

#include <string>
#include <vector>

namespace {

constexpr int kImagePartWidth = 24;  // taps left of this toggle the panel
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 250;
constexpr UINT kFirstMethodCommand = 1;

const COLORREF kBackground = RGB(0xDA, 0xE2, 0xF2);  // the menu bars' colour
const COLORREF kPressed = RGB(0xA8, 0xB8, 0xD8);
const COLORREF kEdge = RGB(0x90, 0x9C, 0xB8);
const COLORREF kArrow = RGB(0x20, 0x20, 0x20);

HWND g_button = nullptr;
bool g_menuOpen = false;  // the button is in front for its menu: it stays as it is

struct MethodEntry {
    std::wstring name;
    CLSID clsid;
};
std::vector<MethodEntry>* g_collecting = nullptr;

int CollectMethod(IMENUMINFO* info)
{
    g_collecting->push_back({info->szName, info->clsid});
    return 1;
}

std::vector<MethodEntry> InstalledMethods()
{
    std::vector<MethodEntry> methods;
    g_collecting = &methods;
    SipEnumIM(CollectMethod);
    g_collecting = nullptr;
    return methods;
}

// The foreground application shows a menu bar of its own.
bool HasVisibleMenuBar(HWND foreground)
{
    HWND app = GetAncestor(foreground, GA_ROOTOWNER);
    for (HWND bar = FindWindowExW(nullptr, nullptr, SHMENUBAR_CLASS, nullptr); bar;
         bar = FindWindowExW(nullptr, bar, SHMENUBAR_CLASS, nullptr)) {
        HWND owner = GetWindow(bar, GW_OWNER);
        if (IsWindowVisible(bar) && owner && (owner == foreground || GetAncestor(owner, GA_ROOTOWNER) == app))
            return true;
    }
    return false;
}

bool ShouldShow()
{
    HWND foreground = GetForegroundWindow();
    if (!foreground || !HasVisibleMenuBar(foreground))
        return false;
    return !GetFullScreenState(foreground).sipButtonHidden;
}

void Refresh(HWND wnd)
{
    if (g_menuOpen)
        return;
    bool show = ShouldShow();
    if (show == (IsWindowVisible(wnd) != 0))
        return;
    // Above the menu bar, which is an ordinary owned window.
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void DrawArrow(HDC dc, int left, int right, int middle)
{
    // A small triangle pointing up: the menu opens upwards.
    int centre = (left + right) / 2;
    POINT points[3] = {{centre - 3, middle + 2}, {centre + 4, middle + 2}, {centre, middle - 2}};
    HBRUSH brush = CreateSolidBrush(kArrow);
    HPEN pen = CreatePen(PS_SOLID, 1, kArrow);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, points, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Paint(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &rc, background);
    DeleteObject(background);
    // The image part looks pressed while the panel is up.
    RECT image = {rc.left + 1, rc.top + 2, rc.left + kImagePartWidth, rc.bottom - 2};
    if (IsInputPanelUp()) {
        HBRUSH pressed = CreateSolidBrush(kPressed);
        FillRect(dc, &image, pressed);
        DeleteObject(pressed);
    }
    HIMAGELIST images = nullptr;
    int index = 0;
    if (CurrentMethodImage(&images, &index))
        ImageList_Draw(images, index, dc, (image.left + image.right - 16) / 2, (rc.bottom - 16) / 2, ILD_NORMAL);
    HBRUSH edge = CreateSolidBrush(kEdge);
    RECT line = {rc.left, rc.top, rc.left + 1, rc.bottom};
    FillRect(dc, &line, edge);
    DeleteObject(edge);
    DrawArrow(dc, kImagePartWidth, rc.right, rc.bottom / 2);
}

void OpenMethodMenu(HWND wnd)
{
    std::vector<MethodEntry> methods = InstalledMethods();
    if (methods.empty())
        return;
    CLSID current = {};
    bool haveCurrent = CurrentInputMethod(&current);
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (size_t i = 0; i < methods.size(); ++i) {
        UINT flags = MF_STRING;
        if (haveCurrent && IsEqualCLSID(current, methods[i].clsid))
            flags |= MF_CHECKED;
        AppendMenuW(menu, flags, kFirstMethodCommand + i, methods[i].name.c_str());
    }
    RECT rc;
    GetWindowRect(wnd, &rc);
    // A pop-up menu sees the stylus only while its window is in front: the
    // button takes the foreground for the menu and hands it back after.
    HWND application = GetForegroundWindow();
    g_menuOpen = true;
    SetForegroundWindow(wnd);
    UINT chosen = (UINT)TrackPopupMenuEx(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                         rc.right, rc.top, wnd, nullptr);
    DestroyMenu(menu);
    g_menuOpen = false;
    if (application && IsWindow(application))
        SetForegroundWindow(application);
    if (chosen >= kFirstMethodCommand && chosen - kFirstMethodCommand < methods.size())
        SwitchInputMethod(methods[chosen - kFirstMethodCommand].clsid);
}

LRESULT CALLBACK ButtonProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        SetTimer(wnd, kRefreshTimer, kRefreshMs, nullptr);
        return 0;
    case WM_TIMER:
        Refresh(wnd);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        if ((short)LOWORD(lp) < kImagePartWidth)
            ShowInputPanel(!IsInputPanelUp());
        else
            OpenMethodMenu(wnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        Paint(wnd, dc);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        return 0;  // the button lives as long as the shell
    case WM_DESTROY:
        KillTimer(wnd, kRefreshTimer);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

BOOL RegisterSipButtonClass(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ButtonProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = SHELL_SIPBUTTON_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND CreateSipButton(HINSTANCE instance)
{
    g_button = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, SHELL_SIPBUTTON_CLASS, L"",
                               WS_POPUP, SHELL_SIPBUTTON_LEFT, SHELL_SIPBUTTON_TOP, SHELL_SIPBUTTON_WIDTH,
                               SHELL_SIPBUTTON_HEIGHT, nullptr, nullptr, instance, nullptr);
    return g_button;
}

void SipButtonChanged()
{
    if (g_button)
        InvalidateRect(g_button, nullptr, FALSE);
}
