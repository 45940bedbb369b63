// The contacts figures' baseline program: a bare program that fills a list
// like the contacts applet's from the device's contacts store on its one
// thread (name and first number of every contact, drawing off), then shows
// it.  Its window is a topmost pop-up at the rectangle its command line
// gives ("X Y W H"); the list is its child 1300.
#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>

#include <cwchar>
#include <string>

#include <pimstore.h>

namespace {

const wchar_t kClassName[] = L"KETRA_BENCH_CONTACTS";
const int kListId = 1300;

using NumberGetter = HRESULT (STDMETHODCALLTYPE IContact::*)(BSTR*);
// The telephone properties the applet reads, in its order.
const NumberGetter kNumberGetters[] = {
    &IContact::get_MobileTelephoneNumber,    &IContact::get_CarTelephoneNumber,
    &IContact::get_PagerNumber,              &IContact::get_BusinessTelephoneNumber,
    &IContact::get_Business2TelephoneNumber, &IContact::get_BusinessFaxNumber,
    &IContact::get_HomeTelephoneNumber,      &IContact::get_Home2TelephoneNumber,
    &IContact::get_AssistantTelephoneNumber, &IContact::get_RadioTelephoneNumber,
    &IContact::get_HomeFaxNumber,
};

std::wstring Read(IContact* contact, NumberGetter getter)
{
    BSTR text = nullptr;
    std::wstring copy;
    if (SUCCEEDED((contact->*getter)(&text)) && text)
        copy = text;
    SysFreeString(text);
    return copy;
}

void AddRow(HWND list, int index, const std::wstring& name, const std::wstring& number, long oid)
{
    LVITEMW row = {};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = index;
    row.lParam = oid;
    row.pszText = const_cast<wchar_t*>(name.c_str());
    const int at = (int)SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&row);
    row.iSubItem = 1;
    row.pszText = const_cast<wchar_t*>(number.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, at, (LPARAM)&row);
}

// Every contact's name and first number into the list.
void FillFromStore(HWND list)
{
    IPOutlookApp* app = nullptr;
    if (FAILED(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp, (void**)&app)))
        return;
    IFolder* folder = nullptr;
    IPOutlookItemCollection* items = nullptr;
    int count = 0;
    if (SUCCEEDED(app->Logon(0)) && SUCCEEDED(app->GetDefaultFolder(olFolderContacts, &folder)) &&
        SUCCEEDED(folder->get_Items(&items)) && SUCCEEDED(items->get_Count(&count))) {
        for (int index = 1; index <= count; ++index) {
            IDispatch* item = nullptr;
            IContact* contact = nullptr;
            const bool read = SUCCEEDED(items->Item(index, &item)) && item &&
                              SUCCEEDED(item->QueryInterface(IID_IContact, (void**)&contact));
            if (item)
                item->Release();
            if (!read)
                break;
            std::wstring first;
            for (NumberGetter getter : kNumberGetters) {
                std::wstring number = Read(contact, getter);
                if (first.empty())
                    first = number;
            }
            long oid = 0;
            contact->get_Oid(&oid);
            AddRow(list, index - 1, Read(contact, &IContact::get_FileAs), first, oid);
            contact->Release();
        }
        app->Logoff();
    }
    if (items)
        items->Release();
    if (folder)
        folder->Release();
    app->Release();
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*prev*/, LPWSTR commandLine, int /*show*/)
{
    int x = 2, y = 92, width = 235, height = 107;
    if (commandLine && *commandLine)
        swscanf(commandLine, L"%d %d %d %d", &x, &y, &width, &height);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc))
        return 1;
    HWND frame = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"contacts", WS_POPUP | WS_CLIPCHILDREN, x, y, width,
                                 height, nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
                                0, 0, width, height, frame, (HMENU)(UINT_PTR)kListId, instance, nullptr);
    if (!frame || !list)
        return 1;
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    SendMessageW(list, WM_SETFONT, (WPARAM)font, FALSE);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = 90;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    column.cx = 120;
    column.iSubItem = 1;
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, (LPARAM)&column);

    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    FillFromStore(list);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ShowWindow(frame, SW_SHOWNOACTIVATE);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    if (comStarted)
        CoUninitialize();
    return 0;
}
