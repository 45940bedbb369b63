// The Start menu: the drop-down the start flag opens below the task bar.
// It lists "Today", the shortcuts of "\Windows\Start Menu", "Programs" with
// the shortcuts of its folder, and "Settings", over the theme's Start
// picture tiled at its natural size: the only place that picture shows.
// A choice starts through the device's shell, which logs the launch.
#include "shell.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t kStartMenuClass[] = L"DeviceStartMenu";
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
const wchar_t kStartMenuFolder[] = L"\\Windows\\Start Menu";
const wchar_t kProgramsFolder[] = L"\\Windows\\Start Menu\\Programs";
const wchar_t kStartPicture[] = L"\\Windows\\stwater.gif";
const wchar_t kSettingsProgram[] = L"\\Windows\\ctlpnl.exe";

const int kMenuWidth = 144;
const int kMenuHeight = 255;
const int kRowHeight = 17;
const int kMargin = 3;
const int kIndent = 14;  // the Programs folder's shortcuts

enum class RowKind { Today, Shortcut, ProgramsHeading, Settings };

struct Row {
    RowKind kind;
    std::wstring text;
    std::wstring path;  // the shortcut file
    bool indented;
};

HWND g_menu = nullptr;
std::vector<Row> g_rows;
int g_pressed = -1;

// The shortcuts of a folder as rows, by name.
void AddShortcuts(const wchar_t* folder, bool indented)
{
    std::vector<Row> found;
    std::wstring pattern = std::wstring(folder) + L"\\*.lnk";
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))
            continue;
        std::wstring name = data.cFileName;
        std::wstring path = std::wstring(folder) + L"\\" + name;
        if (path.size() >= MAX_PATH)
            continue;
        found.push_back(Row{RowKind::Shortcut, name.substr(0, name.size() - 4), path, indented});
    } while (FindNextFileW(search, &data));
    FindClose(search);
    std::sort(found.begin(), found.end(),
              [](const Row& a, const Row& b) { return _wcsicmp(a.text.c_str(), b.text.c_str()) < 0; });
    g_rows.insert(g_rows.end(), found.begin(), found.end());
}

void BuildRows()
{
    g_rows.clear();
    g_rows.push_back(Row{RowKind::Today, L"Today", L"", false});
    AddShortcuts(kStartMenuFolder, false);
    g_rows.push_back(Row{RowKind::ProgramsHeading, L"Programs", L"", false});
    AddShortcuts(kProgramsFolder, true);
    g_rows.push_back(Row{RowKind::Settings, L"Settings", L"", false});
}

// Tall enough for every row, down to the bottom of the screen at most.
int MenuHeight()
{
    int wanted = kMargin * 2 + kRowHeight * static_cast<int>(g_rows.size());
    int most = kScreenHeight - kTaskBarHeight;
    return std::min(std::max(wanted, kMenuHeight), most);
}

int RowAt(POINT point)
{
    if (point.x < 0 || point.x >= kMenuWidth || point.y < kMargin)
        return -1;
    int row = (point.y - kMargin) / kRowHeight;
    return row < static_cast<int>(g_rows.size()) ? row : -1;
}

void TileStartPicture(HDC dc, const RECT& rc)
{
    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    FillRect(dc, &rc, white);
    SIZE size = {};
    HBITMAP picture = DecodeDevicePicture(kStartPicture, &size);
    if (!picture)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, picture);
    for (int y = rc.top; size.cy > 0 && y < rc.bottom; y += size.cy)
        for (int x = rc.left; size.cx > 0 && x < rc.right; x += size.cx)
            BitBlt(dc, x, y, size.cx, size.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(picture);
}

void PaintMenu(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    TileStartPicture(dc, rc);

    SetBkMode(dc, TRANSPARENT);
    HFONT normal = CreateShellFont(12, false);
    HFONT bold = CreateShellFont(12, true);
    HGDIOBJ oldFont = SelectObject(dc, normal);
    for (size_t i = 0; i < g_rows.size(); ++i) {
        const Row& row = g_rows[i];
        RECT line = {0, kMargin + kRowHeight * (int)i, rc.right, kMargin + kRowHeight * ((int)i + 1)};
        if (line.top >= rc.bottom)
            break;
        if ((int)i == g_pressed) {
            HBRUSH highlight = CreateSolidBrush(ThemeColour(8));
            FillRect(dc, &line, highlight);
            DeleteObject(highlight);
            SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
        } else {
            SetTextColor(dc, RGB(0x00, 0x00, 0x00));
        }
        SelectObject(dc, row.kind == RowKind::ProgramsHeading ? bold : normal);
        line.left = kMargin + 3 + (row.indented ? kIndent : 0);
        DrawTextW(dc, row.text.c_str(), -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    DeleteObject(normal);
    DeleteObject(bold);

    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

void CloseMenu()
{
    if (g_menu && IsWindowVisible(g_menu))
        ShowWindow(g_menu, SW_HIDE);
    g_pressed = -1;
}

void Choose(int index)
{
    if (index < 0 || index >= static_cast<int>(g_rows.size()))
        return;
    Row row = g_rows[index];
    CloseMenu();
    switch (row.kind) {
    case RowKind::Today:
        DevLog(L"shell", L"start menu: Today");
        if (HWND today = FindWindowW(kTodayClass, nullptr))
            SetForegroundWindow(today);
        break;
    case RowKind::Shortcut:
        RunDeviceFile(row.path.c_str(), nullptr, L"start menu");
        break;
    case RowKind::Settings:
        RunDeviceFile(kSettingsProgram, nullptr, L"start menu");
        break;
    case RowKind::ProgramsHeading:
        break;
    }
}

LRESULT CALLBACK StartMenuProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ACTIVATE:
        // A tap anywhere else closes the menu.
        if (LOWORD(wp) == WA_INACTIVE)
            CloseMenu();
        return 0;
    case WM_LBUTTONDOWN: {
        POINT point = {(short)LOWORD(lp), (short)HIWORD(lp)};
        int row = RowAt(point);
        g_pressed = row >= 0 && g_rows[row].kind != RowKind::ProgramsHeading ? row : -1;
        InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    }
    case WM_LBUTTONUP: {
        POINT point = {(short)LOWORD(lp), (short)HIWORD(lp)};
        int row = RowAt(point);
        if (row >= 0 && row == g_pressed)
            Choose(row);
        g_pressed = -1;
        if (IsWindowVisible(wnd))
            InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    }
    case WM_KEYDOWN:
        if (wp == VK_ESCAPE)
            CloseMenu();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT rc;
        GetClientRect(wnd, &rc);
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
        HGDIOBJ old = SelectObject(mem, bmp);
        PaintMenu(wnd, mem);
        BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        CloseMenu();
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

bool EnsureMenuWindow(HWND taskBar)
{
    if (g_menu)
        return true;
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrW(taskBar, GWLP_HINSTANCE);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StartMenuProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kStartMenuClass;
    RegisterClassW(&wc);
    // A tool window without a title: programs walking the application
    // windows pass it by, and the task bar keeps saying "Start".
    g_menu = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kStartMenuClass, L"", WS_POPUP, 0, kTaskBarHeight,
                             kMenuWidth, kMenuHeight, nullptr, nullptr, instance, nullptr);
    return g_menu != nullptr;
}

} // namespace

bool IsStartMenuOpen()
{
    return g_menu && IsWindowVisible(g_menu);
}

void ToggleStartMenu(HWND taskBar)
{
    if (IsStartMenuOpen()) {
        CloseMenu();
        return;
    }
    if (!EnsureMenuWindow(taskBar))
        return;
    BuildRows();
    g_pressed = -1;
    SetWindowPos(g_menu, HWND_TOPMOST, 0, kTaskBarHeight, kMenuWidth, MenuHeight(), SWP_SHOWWINDOW);
    SetForegroundWindow(g_menu);
    InvalidateRect(g_menu, nullptr, FALSE);
    DevLog(L"shell", L"start menu opened");
}
