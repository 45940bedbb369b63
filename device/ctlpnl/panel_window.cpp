// The control panel window: every entry of every control-panel library in
// \Windows, as icons with their names; a double tap (or Enter) opens one.
#include "ctlpnl.h"

#include "devlog.h"
#include "page_window.h"

#include <commctrl.h>

#include <algorithm>

namespace {

const wchar_t kPanelClass[] = L"CtlPnlPanel";
const wchar_t kPanelTitle[] = L"Settings";
const int kListId = 100;

// One icon of the panel: entry `entry` of library `library`.
struct PanelItem {
    size_t library;
    size_t entry;
    std::wstring name;
};

struct Panel {
    std::vector<std::unique_ptr<CplLibrary>> libraries;
    std::vector<PanelItem> items;  // in the list's order
    HWND list = nullptr;
    HIMAGELIST icons = nullptr;
};

Panel g_panel;

void LoadLibraries(HWND owner)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(L"\\Windows\\*.cpl", &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        auto library = std::make_unique<CplLibrary>(std::wstring(L"\\Windows\\") + found.cFileName);
        if (!library->Open(owner))
            continue;
        DevLog(L"ctlpnl", L"listed %ls: %u entries", found.cFileName, (unsigned)library->Entries().size());
        g_panel.libraries.push_back(std::move(library));
    } while (FindNextFileW(find, &found));
    FindClose(find);

    for (size_t l = 0; l < g_panel.libraries.size(); ++l) {
        const std::vector<CplEntry>& entries = g_panel.libraries[l]->Entries();
        for (size_t e = 0; e < entries.size(); ++e)
            g_panel.items.push_back({l, e, entries[e].name});
    }
    std::stable_sort(g_panel.items.begin(), g_panel.items.end(),
                     [](const PanelItem& a, const PanelItem& b) { return _wcsicmp(a.name.c_str(), b.name.c_str()) < 0; });
}

void FillList()
{
    int size = GetSystemMetrics(SM_CXICON);
    g_panel.icons = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, (int)g_panel.items.size(), 4);
    HICON fallback = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    ListView_SetImageList(g_panel.list, g_panel.icons, LVSIL_NORMAL);

    for (size_t i = 0; i < g_panel.items.size(); ++i) {
        const PanelItem& item = g_panel.items[i];
        HICON icon = g_panel.libraries[item.library]->Entries()[item.entry].icon;
        int image = ImageList_AddIcon(g_panel.icons, icon ? icon : fallback);
        if (image < 0)
            image = ImageList_AddIcon(g_panel.icons, fallback);
        LVITEMW lvi = {};
        lvi.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        lvi.iItem = (int)i;
        lvi.pszText = const_cast<wchar_t*>(item.name.c_str());
        lvi.iImage = image;
        lvi.lParam = (LPARAM)i;
        ListView_InsertItem(g_panel.list, &lvi);
    }
    if (!g_panel.items.empty())
        ListView_SetItemState(g_panel.list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void OpenItem(int row)
{
    if (row < 0)
        return;
    LVITEMW lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = row;
    if (!ListView_GetItem(g_panel.list, &lvi) || (size_t)lvi.lParam >= g_panel.items.size())
        return;
    const PanelItem& item = g_panel.items[(size_t)lvi.lParam];
    CplLibrary& library = *g_panel.libraries[item.library];
    if (!library.Activate(item.entry))
        DevLog(L"ctlpnl", L"%ls: \"%ls\" did not open", library.Path().c_str(), item.name.c_str());
}

LRESULT OnNotify(const NMHDR* header)
{
    if (header->idFrom != kListId)
        return 0;
    // A double tap and Enter both arrive as item activation.
    if (header->code == LVN_ITEMACTIVATE)
        OpenItem(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
    return 0;
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        RECT client;
        GetClientRect(hwnd, &client);
        g_panel.list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                       WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE |
                                           LVS_SHAREIMAGELISTS,
                                       0, 0, client.right, client.bottom, hwnd, (HMENU)(INT_PTR)kListId,
                                       reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, nullptr);
        if (!g_panel.list)
            return -1;
        // Three icons across the narrow screen.
        ListView_SetIconSpacing(g_panel.list, 74, 66);
        LoadLibraries(hwnd);
        FillList();
        return 0;
    }
    case WM_SIZE:
        if (g_panel.list)
            MoveWindow(g_panel.list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (g_panel.list)
            SetFocus(g_panel.list);
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int RunControlPanel(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);

    OwnPageArgs page = {kPanelClass, PanelProc, kPanelTitle};
    page.background = (HBRUSH)(COLOR_WINDOW + 1);
    const int result = RunOwnPage(instance, page);
    // The list (sharing the image list) is gone: release the icons, then the libraries.
    if (g_panel.icons)
        ImageList_Destroy(g_panel.icons);
    g_panel.libraries.clear();
    return result;
}
