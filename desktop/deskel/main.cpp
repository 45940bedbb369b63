// Deskel's window: a row per pack (check box with its title, its size, its
// description and its applets), "Install" and "Close".
#include "deskel.h"

#include "desk_log.h"
#include "desk_ui.h"

#include <shellapi.h>
#include <strsafe.h>

namespace {

const wchar_t kClass[] = L"KetraDeskel";
const wchar_t kTitle[] = L"Deskel - Ketra Packs";
const int kWidth = 520;
const int kMargin = 16;
const int kRowsTop = 64;
const int kRowHeight = 78;
const int kButtonsHeight = 48;
const COLORREF kHeadingColor = RGB(0x00, 0x40, 0x80);
const COLORREF kNoteColor = RGB(0x55, 0x55, 0x55);

struct Installer {
    std::wstring folder;       // the catalogue's, with a trailing "\"
    std::wstring deviceRoot;   // passed on to the device manager when given
    std::vector<CataloguePack> packs;
    std::vector<bool> ticked;
    HFONT font = nullptr, bold = nullptr, heading = nullptr;
};

Installer g_installer;

int RowTop(size_t row)
{
    return kRowsTop + (int)row * kRowHeight;
}

int ClientHeight()
{
    return RowTop(g_installer.packs.size()) + kButtonsHeight;
}

void PaintRows(HDC dc, const RECT& client)
{
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, g_installer.heading);
    SetTextColor(dc, kHeadingColor);
    const wchar_t heading[] = L"Ketra packs for your Pocket PC";
    TextOutW(dc, kMargin, 12, heading, (int)wcslen(heading));
    SelectObject(dc, g_installer.font);
    SetTextColor(dc, RGB(0, 0, 0));
    const wchar_t intro[] = L"Tick the packs to install on your device, then press Install.";
    TextOutW(dc, kMargin, 36, intro, (int)wcslen(intro));
    for (size_t i = 0; i < g_installer.packs.size(); ++i) {
        const CataloguePack& pack = g_installer.packs[i];
        int top = RowTop(i);
        wchar_t size[32];
        StringCchPrintfW(size, ARRAYSIZE(size), L"%.1f MB", (double)pack.bytes / (1024.0 * 1024.0));
        SetTextColor(dc, RGB(0, 0, 0));
        RECT sizeRect = {client.right - kMargin - 100, top + 2, client.right - kMargin, top + 20};
        DrawTextW(dc, size, -1, &sizeRect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
        RECT text = {kMargin + 20, top + 22, client.right - kMargin, top + 56};
        DrawTextW(dc, pack.description.c_str(), -1, &text, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
        std::wstring applets = L"Applets: " + (pack.applets.empty() ? std::wstring(L"none") : pack.applets);
        SetTextColor(dc, kNoteColor);
        RECT note = {kMargin + 20, top + 57, client.right - kMargin, top + 73};
        DrawTextW(dc, applets.c_str(), -1, &note, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xC8, 0xC8, 0xC8));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, kMargin, top - 2, nullptr);
        LineTo(dc, client.right - kMargin, top - 2);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    SelectObject(dc, old);
}

void Toggle(HWND hwnd, size_t row)
{
    if (row >= g_installer.packs.size())
        return;
    g_installer.ticked[row] = !g_installer.ticked[row];
    CheckDlgButton(hwnd, IDC_DESKEL_PACK + (int)row, g_installer.ticked[row] ? BST_CHECKED : BST_UNCHECKED);
}

void Install(HWND hwnd)
{
    std::vector<const CataloguePack*> chosen;
    std::wstring titles;
    for (size_t i = 0; i < g_installer.packs.size(); ++i)
        if (g_installer.ticked[i]) {
            chosen.push_back(&g_installer.packs[i]);
            titles += (titles.empty() ? L"" : L", ") + g_installer.packs[i].title;
        }
    if (chosen.empty()) {
        MessageBoxW(hwnd, L"Tick the packs to install first.", kTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::wstring description = g_installer.folder + L"Deskel.ini";
    if (!WriteSetupDescription(description, chosen)) {
        MessageBoxW(hwnd, L"The setup description could not be written.", kTitle, MB_OK | MB_ICONERROR);
        return;
    }
    std::wstring args;
    if (!g_installer.deviceRoot.empty())
        args = L"/device \"" + g_installer.deviceRoot + L"\" ";
    args += L"\"" + description + L"\"";
    const std::wstring manager = ProgramFolder() + L"DeskAppMgr.exe";
    HINSTANCE started = ShellExecuteW(hwnd, L"open", manager.c_str(), args.c_str(), nullptr, SW_SHOWNORMAL);
    if ((INT_PTR)started <= 32) {
        DeskLog(L"deskel", L"the device manager did not start (%d)", (int)(INT_PTR)started);
        MessageBoxW(hwnd, L"The device manager could not be started.", kTitle, MB_OK | MB_ICONERROR);
        return;
    }
    DeskLog(L"deskel", L"install %ls", titles.c_str());
}

void CreateControls(HWND hwnd, HINSTANCE instance)
{
    RECT client;
    GetClientRect(hwnd, &client);
    for (size_t i = 0; i < g_installer.packs.size(); ++i) {
        HWND box = CreateWindowExW(0, L"BUTTON", g_installer.packs[i].title.c_str(),
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, kMargin, RowTop(i), 300, 20,
                                   hwnd, (HMENU)(INT_PTR)(IDC_DESKEL_PACK + i), instance, nullptr);
        SendMessageW(box, WM_SETFONT, (WPARAM)g_installer.bold, FALSE);
    }
    int top = client.bottom - kButtonsHeight + 12;
    HWND install = CreateWindowExW(0, L"BUTTON", L"Install", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                   client.right - kMargin - 2 * 84, top, 78, 26, hwnd, (HMENU)IDOK, instance, nullptr);
    HWND close = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                 client.right - kMargin - 78, top, 78, 26, hwnd, (HMENU)IDCANCEL, instance, nullptr);
    SendMessageW(install, WM_SETFONT, (WPARAM)g_installer.font, FALSE);
    SendMessageW(close, WM_SETFONT, (WPARAM)g_installer.font, FALSE);
}

LRESULT CALLBACK DeskelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControls(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        PaintRows(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor((HDC)wParam, GetSysColor(COLOR_WINDOW));
        return (LRESULT)GetSysColorBrush(COLOR_WINDOW);
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id >= IDC_DESKEL_PACK && id < IDC_DESKEL_PACK + (int)g_installer.packs.size() &&
            HIWORD(wParam) == BN_CLICKED) {
            Toggle(hwnd, (size_t)(id - IDC_DESKEL_PACK));
            return 0;
        }
        if (id == IDOK) {
            Install(hwnd);
            return 0;
        }
        if (id == IDCANCEL) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    }
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
    for (int i = 1; argv && i < count; ++i) {
        if (_wcsicmp(argv[i], L"/device") == 0 && i + 1 < count)
            g_installer.deviceRoot = argv[++i];
        else
            g_installer.folder = argv[i];
    }
    if (argv)
        LocalFree(argv);
    if (g_installer.folder.empty())
        g_installer.folder = ProgramFolder() + L"setup";
    if (g_installer.folder.back() != L'\\')
        g_installer.folder += L'\\';

    std::wstring why;
    if (!ReadCatalogue(g_installer.folder, &g_installer.packs, &why)) {
        DeskLog(L"deskel", L"%ls", why.c_str());
        MessageBoxW(nullptr, why.c_str(), kTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
    g_installer.ticked.assign(g_installer.packs.size(), false);
    DeskLog(L"deskel", L"%u packs listed", (unsigned)g_installer.packs.size());

    g_installer.font = CreateDeskFont(13, false);
    g_installer.bold = CreateDeskFont(13, true);
    g_installer.heading = CreateDeskFont(16, true);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DeskelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    RECT frame = {0, 0, kWidth, ClientHeight()};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExW(0, kClass, kTitle, style, 40, 20, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DeleteObject(g_installer.font);
    DeleteObject(g_installer.bold);
    DeleteObject(g_installer.heading);
    return 0;
}
