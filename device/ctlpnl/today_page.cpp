// The "Today Settings" page (cplmain.cpl 13,0): the Today screen's items
// with a check box each (their "Enabled" value) and "Options..." for an
// item library with an options dialog.  OK saves the check marks and tells
// every window, so the Today screen loads its items again.
#include "ctlpnl.h"

#include <commctrl.h>
#include <devlog.h>
#include <page_window.h>
#include <strsafe.h>
#include <todaycmn.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t kTodayPageClass[] = L"DeviceTodayPage";
const int kItemListId = 100;
const int kOptionsButtonId = 101;
const int kMargin = 8;
const int kListTop = 48;
const int kButtonHeight = 22;

struct Item {
    std::wstring name;
    DWORD type = tlitNil;
    DWORD order = 0;
    bool enabled = false;
    bool options = false;
    std::wstring dll;
};

struct TodayPage {
    std::vector<Item> items;
    HWND list = nullptr;
    HWND options = nullptr;
    HFONT heading = nullptr;
    HFONT body = nullptr;
};

DWORD ReadDword(HKEY key, const wchar_t* name, DWORD fallback)
{
    DWORD value = 0, type = 0, size = sizeof(value);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return fallback;
    return value;
}

std::wstring ReadText(HKEY key, const wchar_t* name)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD type = 0, size = MAX_PATH * sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return L"";
    buffer[size / sizeof(wchar_t)] = L'\0';
    return buffer;
}

// Every item of the Today screen, in its order.
std::vector<Item> ReadItems()
{
    std::vector<Item> items;
    HKEY root;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TODAY_ITEMS_KEY, 0, KEY_READ, &root) != ERROR_SUCCESS)
        return items;
    wchar_t name[MAX_ITEMNAME];
    for (DWORD index = 0;; ++index) {
        DWORD cch = MAX_ITEMNAME;
        LONG result = RegEnumKeyExW(root, index, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;  // a name no item record can hold
        if (result != ERROR_SUCCESS)
            break;
        HKEY key;
        if (RegOpenKeyExW(root, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        Item item;
        item.name = name;
        item.type = ReadDword(key, L"Type", tlitNil);
        item.order = ReadDword(key, L"Order", 0);
        item.enabled = ReadDword(key, L"Enabled", 0) != 0;
        item.options = ReadDword(key, L"Options", 0) != 0;
        item.dll = ReadText(key, L"DLL");
        RegCloseKey(key);
        items.push_back(item);
    }
    RegCloseKey(root);
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.order != b.order ? a.order < b.order : _wcsicmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return items;
}

bool RowChecked(HWND list, int row)
{
    return ListView_GetCheckState(list, row) != 0;
}

int SelectedRow(HWND list)
{
    return ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

void UpdateOptionsButton(TodayPage* page)
{
    int row = SelectedRow(page->list);
    bool usable = row >= 0 && row < static_cast<int>(page->items.size()) && page->items[row].options &&
                  page->items[row].type == tlitCustom && !page->items[row].dll.empty();
    EnableWindow(page->options, usable);
}

// Writes the check marks and tells every window.
void Save(TodayPage* page)
{
    for (size_t row = 0; row < page->items.size(); ++row) {
        std::wstring path = std::wstring(TODAY_ITEMS_KEY) + L"\\" + page->items[row].name;
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            continue;
        DWORD enabled = RowChecked(page->list, static_cast<int>(row)) ? 1 : 0;
        RegSetValueExW(key, L"Enabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), sizeof(enabled));
        RegCloseKey(key);
    }
    DevLog(L"today settings", L"saved");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
}

// The item library's options dialog (export 241 on its template 500), run
// with a record as the Today screen fills it.
void ShowOptions(HWND owner, TodayPage* page)
{
    int row = SelectedRow(page->list);
    if (row < 0 || row >= static_cast<int>(page->items.size()))
        return;
    const Item& item = page->items[row];
    HMODULE library = LoadLibraryW(item.dll.c_str());
    auto proc = library ? reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(
                              GetProcAddress(library, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC))))
                        : nullptr;
    if (!proc) {
        DevLog(L"today settings", L"\"%ls\" has no options dialog", item.name.c_str());
        if (library)
            FreeLibrary(library);
        return;
    }
    TODAYLISTITEM record = {};
    StringCchCopyW(record.szName, MAX_ITEMNAME, item.name.c_str());
    record.tlit = static_cast<TODAYLISTITEMTYPE>(item.type);
    record.dwOrder = item.order;
    record.fEnabled = RowChecked(page->list, row);
    record.fOptions = TRUE;
    StringCchCopyW(record.szDLLPath, MAX_PATH, item.dll.c_str());
    record.hinstDLL = library;
    DevLog(L"today settings", L"options of \"%ls\"", item.name.c_str());
    DialogBoxParamW(library, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), owner, proc, reinterpret_cast<LPARAM>(&record));
    FreeLibrary(library);
}

HFONT CreateTahoma(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

bool CreateControls(HWND hwnd, HINSTANCE instance, TodayPage* page)
{
    RECT client;
    GetClientRect(hwnd, &client);
    int buttonTop = client.bottom - kMargin - kButtonHeight;
    page->list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                     LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                 kMargin, kListTop, client.right - 2 * kMargin, buttonTop - kListTop - 6, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kItemListId)), instance, nullptr);
    page->options = CreateWindowExW(0, L"BUTTON", L"Options...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                    client.right - kMargin - 80, buttonTop, 80, kButtonHeight, hwnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOptionsButtonId)), instance,
                                    nullptr);
    if (!page->list || !page->options)
        return false;
    SendMessageW(page->list, WM_SETFONT, reinterpret_cast<WPARAM>(page->body), FALSE);
    SendMessageW(page->options, WM_SETFONT, reinterpret_cast<WPARAM>(page->body), FALSE);
    ListView_SetExtendedListViewStyle(page->list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - 2 * kMargin - 6;
    ListView_InsertColumn(page->list, 0, &column);
    for (size_t i = 0; i < page->items.size(); ++i) {
        LVITEMW row = {};
        row.mask = LVIF_TEXT;
        row.iItem = static_cast<int>(i);
        row.pszText = const_cast<wchar_t*>(page->items[i].name.c_str());
        int at = ListView_InsertItem(page->list, &row);
        ListView_SetCheckState(page->list, at, page->items[i].enabled);
    }
    if (!page->items.empty())
        ListView_SetItemState(page->list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateOptionsButton(page);
    return true;
}

void Paint(HWND hwnd, const TodayPage& page)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, page.heading);
    SetTextColor(dc, RGB(0x00, 0x40, 0x80));
    TextOutW(dc, kMargin, 4, L"Today", 5);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 22, nullptr);
    LineTo(dc, client.right, 22);
    SelectObject(dc, oldPen);
    SelectObject(dc, page.body);
    SetTextColor(dc, RGB(0, 0, 0));
    const wchar_t label[] = L"Select items to display on the Today screen:";
    TextOutW(dc, kMargin, 28, label, ARRAYSIZE(label) - 1);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK TodayPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* page = reinterpret_cast<TodayPage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_CREATE:
        page = new TodayPage;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        page->heading = CreateTahoma(13, true);
        page->body = CreateTahoma(12, false);
        page->items = ReadItems();
        return CreateControls(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, page) ? 0 : -1;
    case WM_PAINT:
        if (page) {
            Paint(hwnd, *page);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (page && header->idFrom == kItemListId && header->code == LVN_ITEMCHANGED)
            UpdateOptionsButton(page);
        break;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kOptionsButtonId:
            ShowOptions(hwnd, page);
            return 0;
        case IDOK:
            Save(page);
            DestroyWindow(hwnd);
            return 0;
        case IDCANCEL:
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (page) {
            DeleteObject(page->heading);
            DeleteObject(page->body);
            delete page;
        }
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int RunTodaySettingsPage(HINSTANCE instance, const wchar_t* title)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    OwnPageArgs page = {kTodayPageClass, TodayPageProc, title};
    page.dialogKeys = true;
    return RunOwnPage(instance, page);
}
