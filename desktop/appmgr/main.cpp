// The device manager's window: the components, their description and the
// space they need, OK and Cancel.
#include "appmgr.h"

#include "desk_log.h"
#include "desk_ui.h"

#include <commctrl.h>
#include <shellapi.h>
#include <strsafe.h>

namespace {

const wchar_t kClass[] = L"KetraDeskAppMgr";
const wchar_t kTitle[] = L"Add/Remove Programs";
const int kWidth = 420;
const int kHeight = 360;

struct Manager {
    std::wstring deviceRoot = L"M:\\";
    std::vector<Component> components;
    HWND list = nullptr;
    HFONT font = nullptr;
};

Manager g_manager;

void ShowSelection(HWND hwnd)
{
    int selected = ListView_GetNextItem(g_manager.list, -1, LVNI_SELECTED);
    const wchar_t* description = selected >= 0 && selected < (int)g_manager.components.size()
                                     ? g_manager.components[selected].description.c_str()
                                     : L"";
    SetDlgItemTextW(hwnd, IDC_APPMGR_DESCRIPTION, description);
    ULONGLONG bytes = 0;
    for (size_t i = 0; i < g_manager.components.size(); ++i)
        if (ListView_GetCheckState(g_manager.list, (int)i))
            bytes += g_manager.components[i].bytes;
    wchar_t space[128];
    StringCchPrintfW(space, ARRAYSIZE(space), L"Space required for selected programs: %llu KB",
                     (bytes + 1023) / 1024);
    SetDlgItemTextW(hwnd, IDC_APPMGR_SPACE, space);
}

void CreateControls(HWND hwnd, HINSTANCE instance)
{
    const int margin = 10, width = kWidth - 2 * margin - 10;
    CreateWindowExW(0, L"STATIC", L"Select a program's check box to install it on your mobile device:",
                    WS_CHILD | WS_VISIBLE, margin, margin, width, 32, hwnd, nullptr, instance, nullptr);
    g_manager.list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                         LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                     margin, 44, width, 130, hwnd, (HMENU)(INT_PTR)IDC_APPMGR_LIST, instance, nullptr);
    ListView_SetExtendedListViewStyle(g_manager.list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = width - 24;
    ListView_InsertColumn(g_manager.list, 0, &column);
    for (size_t i = 0; i < g_manager.components.size(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = (int)i;
        item.pszText = const_cast<wchar_t*>(g_manager.components[i].name.c_str());
        int row = ListView_InsertItem(g_manager.list, &item);
        ListView_SetCheckState(g_manager.list, row, TRUE);
    }
    ListView_SetItemState(g_manager.list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CreateWindowExW(0, L"STATIC", L"Program description:", WS_CHILD | WS_VISIBLE, margin, 184, width, 16, hwnd,
                    nullptr, instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_SUNKEN, margin, 202, width, 48, hwnd,
                    (HMENU)(INT_PTR)IDC_APPMGR_DESCRIPTION, instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, margin, 258, width, 16, hwnd,
                    (HMENU)(INT_PTR)IDC_APPMGR_SPACE, instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                    kWidth - 2 * 80 - 2 * margin - 10, 286, 76, 24, hwnd, (HMENU)IDOK, instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, kWidth - 80 - 2 * margin, 286, 76,
                    24, hwnd, (HMENU)IDCANCEL, instance, nullptr);
    SetChildFonts(hwnd, g_manager.font);
    ShowSelection(hwnd);
}

// Sends every ticked component; stops at the first that cannot go.
void SendTicked(HWND hwnd)
{
    int sent = 0;
    for (size_t i = 0; i < g_manager.components.size(); ++i) {
        if (!ListView_GetCheckState(g_manager.list, (int)i))
            continue;
        std::wstring why;
        if (!SendCabinet(g_manager.deviceRoot, g_manager.components[i], &why)) {
            MessageBoxW(hwnd, why.c_str(), kTitle, MB_OK | MB_ICONERROR);
            return;
        }
        ++sent;
    }
    DeskLog(L"appmgr", L"%d of %u programs sent", sent, (unsigned)g_manager.components.size());
    DestroyWindow(hwnd);
}

LRESULT CALLBACK ManagerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControls(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance);
        return 0;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_APPMGR_LIST && header->code == LVN_ITEMCHANGED)
            ShowSelection(hwnd);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            SendTicked(hwnd);
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            DeskLog(L"appmgr", L"cancelled");
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> descriptions;
    for (int i = 1; argv && i < count; ++i) {
        if (_wcsicmp(argv[i], L"/device") == 0 && i + 1 < count)
            g_manager.deviceRoot = argv[++i];
        else
            descriptions.push_back(argv[i]);
    }
    if (argv)
        LocalFree(argv);
    for (const std::wstring& ini : descriptions) {
        std::wstring why;
        if (!ReadComponents(ini, &g_manager.components, &why)) {
            DeskLog(L"appmgr", L"%ls", why.c_str());
            MessageBoxW(nullptr, why.c_str(), kTitle, MB_OK | MB_ICONERROR);
            return 1;
        }
    }
    if (g_manager.components.empty()) {
        MessageBoxW(nullptr, L"No setup description was given.", kTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
    DeskLog(L"appmgr", L"%u programs offered", (unsigned)g_manager.components.size());

    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    g_manager.font = CreateDeskFont(13, false);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ManagerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    RECT frame = {0, 0, kWidth, kHeight - 30};
    AdjustWindowRect(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
    HWND window = CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 120, 80,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DeleteObject(g_manager.font);
    return 0;
}
