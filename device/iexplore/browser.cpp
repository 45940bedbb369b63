#include "browser.h"

#include <algorithm>
#include <memory>

#include <aygshell.h>
#include <commctrl.h>

#include "htmlctrl.h"
#include "page_window.h"
#include "resource.h"

namespace {

const int kAddressHeight = 20;
const UINT kViewId = 1;
const UINT kAddressId = 2;

const wchar_t kStartPage[] =
    L"<body><h4>Internet Explorer</h4><p>Type the address of a page on the device in the box above, "
    L"or open a page from File Explorer.</p></body>";

// "Show_URLToolBar" 0 under the user's browser settings hides the address box.
bool AddressBoxWanted()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Main", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return true;
    DWORD value = 1, size = sizeof(value), type = 0;
    LONG result = RegQueryValueExW(key, L"Show_URLToolBar", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result != ERROR_SUCCESS || type != REG_DWORD || value != 0;
}

}  // namespace

bool Browser::Register(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = BROWSER_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND Browser::Create(HINSTANCE instance, const std::wstring& address)
{
    RECT area = PageArea();
    HWND hwnd = CreateWindowExW(0, BROWSER_CLASS, BROWSER_TITLE, WS_POPUP | WS_CLIPCHILDREN, area.left, area.top,
                                area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return nullptr;
    auto* browser = reinterpret_cast<Browser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    browser->Open(address, 0);
    return hwnd;
}

LRESULT CALLBACK Browser::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* browser = reinterpret_cast<Browser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        browser = new Browser(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(browser));
    }
    if (!browser)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete browser;
        PostQuitMessage(0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return browser->Handle(message, wParam, lParam);
}

// The address box opens what was typed when Enter is pressed.
LRESULT CALLBACK Browser::AddressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* browser = reinterpret_cast<Browser*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
    if (!browser)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        int length = GetWindowTextLengthW(hwnd);
        std::wstring typed(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(hwnd, &typed[0], length + 1);
        typed.resize(static_cast<size_t>(length));
        browser->Open(typed, NAVIGATEFLAG_ENTERED);
        return 0;
    }
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n'))
        return 0;  // no beep for the Enter that opened the page
    return CallWindowProcW(browser->addressProc_, hwnd, message, wParam, lParam);
}

bool Browser::OnCreate(HINSTANCE instance)
{
    showAddress_ = AddressBoxWanted();
    address_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | (showAddress_ ? WS_VISIBLE : 0),
                               0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kAddressId)), instance,
                               nullptr);
    view_ = CreateWindowExW(0, DISPLAYCLASS, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kViewId)), instance, nullptr);
    if (!address_ || !view_)
        return false;
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    SendMessageW(address_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    addressProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(address_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AddressProc)));

    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.hwndParent = hwnd_;
    bar.nToolBarId = IDR_MENUBAR;
    bar.hInstRes = instance;
    bar.nBmpId = IDB_BACK;
    bar.cBmpImages = 1;
    if (SHCreateMenuBar(&bar))
        menuBar_ = bar.hwndMB;
    UpdateBackButton();
    return true;
}

void Browser::Layout()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = showAddress_ ? kAddressHeight : 0;
    if (showAddress_)
        MoveWindow(address_, 0, 0, client.right, kAddressHeight, TRUE);
    MoveWindow(view_, 0, top, client.right, std::max<LONG>(0, client.bottom - top), TRUE);
}

void Browser::Open(const std::wstring& address, DWORD flags)
{
    if (address.empty()) {
        SendMessageW(view_, DTM_CLEAR, 0, 0);
        SendMessageW(view_, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(kStartPage));
        SendMessageW(view_, DTM_ENDOFSOURCE, 0, 0);
        SetWindowTextW(address_, L"");
        return;
    }
    SendMessageW(view_, DTM_NAVIGATE, flags, reinterpret_cast<LPARAM>(address.c_str()));
    SetFocus(view_);
}

// Every page the view completes, whether opened here or by a tapped link.
void Browser::OnDocumentComplete(const std::wstring& address)
{
    SetWindowTextW(address_, address.c_str());
    if (!goingBack_ && (history_.empty() || history_.back() != address))
        history_.push_back(address);
    UpdateBackButton();
}

void Browser::Back()
{
    if (history_.size() < 2)
        return;
    history_.pop_back();
    goingBack_ = true;
    Open(history_.back(), 0);
    goingBack_ = false;
}

void Browser::UpdateBackButton()
{
    if (menuBar_)
        SendMessageW(menuBar_, TB_ENABLEBUTTON, IDM_BACK, MAKELONG(history_.size() >= 2, 0));
}

LRESULT Browser::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance) ? 0 : -1;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == view_ && header->code == NM_DOCUMENTCOMPLETE) {
            auto* nm = reinterpret_cast<NM_HTMLVIEWW*>(lParam);
            OnDocumentComplete(nm->szTarget ? nm->szTarget : L"");
        }
        return 0;  // links are followed by the view itself
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_REFRESH:
            if (!history_.empty()) {
                goingBack_ = true;  // the same page again, not a new one
                Open(history_.back(), NAVIGATEFLAG_REFRESH | NAVIGATEFLAG_NOCACHE);
                goingBack_ = false;
            }
            return 0;
        case IDM_BACK:
            Back();
            return 0;
        default:
            break;
        }
        break;
    case WM_COPYDATA: {
        auto* copy = reinterpret_cast<COPYDATASTRUCT*>(lParam);
        if (!copy || copy->dwData != BROWSER_COPY_NAVIGATE || copy->cbData % sizeof(wchar_t) != 0)
            return FALSE;
        std::wstring address(static_cast<const wchar_t*>(copy->lpData), copy->cbData / sizeof(wchar_t));
        address = address.substr(0, address.find(L'\0'));
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        // Opened after the sender has its answer, so it is not held up.
        auto* pending = new std::wstring(address);
        PostMessageW(hwnd_, WM_APP, 0, reinterpret_cast<LPARAM>(pending));
        return TRUE;
    }
    case WM_APP: {
        std::unique_ptr<std::wstring> pending(reinterpret_cast<std::wstring*>(lParam));
        if (pending)
            Open(*pending, 0);
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(view_);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}
