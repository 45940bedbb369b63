#include "applet_host.h"

#include "pump.h"
#include "side_bar.h"

namespace testkit {

namespace {

const wchar_t kHostClass[] = L"TESTKIT_APPLET_HOST";
const COLORREF kUntouched = RGB(1, 2, 3);

}  // namespace

AppletHost::AppletHost(const std::wstring& library, int width, int height) : path_(library)
{
    library_ = LoadLibraryW(library.c_str());
    if (library_)
        create_ = reinterpret_cast<HWND (*)(TODAYLISTITEM*, HWND)>(reinterpret_cast<void*>(Export(ORDINAL_INITIALIZEITEM)));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, WS_POPUP, FALSE, WS_EX_TOPMOST);
    host_ = CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, rect.right - rect.left,
                            rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, this);
}

AppletHost::~AppletHost()
{
    if (IsWindow(item_.hwndCustom)) {
        Send(WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&item_);
        DestroyWindow(item_.hwndCustom);
    }
    if (host_)
        DestroyWindow(host_);
    if (library_)
        FreeLibrary(library_);
}

FARPROC AppletHost::Export(int ordinal) const
{
    return library_ ? GetProcAddress(library_, reinterpret_cast<LPCSTR>((ULONG_PTR)ordinal)) : nullptr;
}

HWND AppletHost::Create(bool enabled)
{
    if (!Loaded())
        return nullptr;
    item_ = {};
    path_.copy(item_.szName, MAX_ITEMNAME - 1);  // the record is zeroed: terminated
    item_.fEnabled = enabled;
    item_.fOptions = 1;
    path_.copy(item_.szDLLPath, MAX_PATH - 1);
    item_.hinstDLL = library_;
    item_.hwndCustom = create_(&item_, host_);
    return item_.hwndCustom;
}

void AppletHost::Show() const
{
    ShowWindow(item_.hwndCustom, SW_SHOWNA);
    UpdateWindow(item_.hwndCustom);
    PumpMessages(0);
}

LRESULT AppletHost::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(item_.hwndCustom, message, wParam, lParam);
}

LRESULT AppletHost::QueryRefresh()
{
    return Send(WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item_);
}

int AppletHost::CheckNotify() const
{
    auto check = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(Export(ORDINAL_CHECKNOTIFY)));
    return check ? check() : -1;
}

void AppletHost::Tap(int x, int y) const
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages(0);
}

std::unique_ptr<PixelSurface> AppletHost::Paint() const
{
    RECT client = {};
    GetClientRect(item_.hwndCustom, &client);
    auto surface = std::make_unique<PixelSurface>(client.right, client.bottom, kUntouched);
    UpdateWindow(item_.hwndCustom);
    Send(WM_PRINTCLIENT, (WPARAM)surface->dc(), PRF_CLIENT | PRF_ERASEBKGND);
    if (surface->Count(client, kUntouched) == client.right * client.bottom) {
        Show();
        HDC dc = GetDC(item_.hwndCustom);
        BitBlt(surface->dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(item_.hwndCustom, dc);
    }
    return surface;
}

LRESULT CALLBACK AppletHost::HostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(wnd, GWLP_USERDATA, (LONG_PTR)reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    auto* self = reinterpret_cast<AppletHost*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(wnd, message, wParam, lParam);
    switch (message) {
    case TODAYM_DRAWWATERMARK:
        if (const auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam)) {
            ++self->backgroundRequests;
            HBRUSH brush = CreateSolidBrush(kBackground);
            FillRect(info->hdc, &info->rc, brush);
            DeleteObject(brush);
            return 1;
        }
        return 0;
    case WM_KETRA_CONTROL:  // 1: focus on
        self->focusRequests += wParam == 1;
        return 1;
    case WM_KETRA_SETHEIGHT:
        if ((int)lParam <= 0)
            return 0;
        self->heightRequests.push_back((int)lParam);
        if (self->item_.hwndCustom) {
            RECT rect;
            GetClientRect(self->item_.hwndCustom, &rect);
            SetWindowPos(self->item_.hwndCustom, nullptr, 0, 0, rect.right, (int)lParam,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 1;
    case WM_KETRA_VERSION:
        return kVersion;
    case WM_KETRA_COLOR:
        return self->colours[wParam < 3 ? wParam : 0];
    case WM_NCDESTROY:
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(wnd, message, wParam, lParam);
}

}  // namespace testkit
