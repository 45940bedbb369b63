// The benchmarks' baseline program: the smallest Win32 program that shows a
// window and paints it. Its window is a topmost pop-up at the rectangle its
// command line gives ("X Y W H", default the bar's usual place), painted by
// one BitBlt from a surface prepared when the window is created.
#include <windows.h>

#include <cwchar>

namespace {

const wchar_t kClassName[] = L"KETRA_BENCH_BLANK";

HDC g_surface = nullptr;
HBITMAP g_bitmap = nullptr;
HGDIOBJ g_oldBitmap = nullptr;

void CreateSurface(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    g_surface = CreateCompatibleDC(screen);
    g_bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    g_oldBitmap = SelectObject(g_surface, g_bitmap);
    ReleaseDC(window, screen);
    PatBlt(g_surface, 0, 0, client.right, client.bottom, WHITENESS);
}

void DeleteSurface()
{
    if (!g_surface)
        return;
    SelectObject(g_surface, g_oldBitmap);
    DeleteObject(g_bitmap);
    DeleteDC(g_surface);
    g_surface = nullptr;
}

LRESULT CALLBACK BlankProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateSurface(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom, g_surface, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        DeleteSurface();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*prev*/, LPWSTR commandLine, int /*show*/)
{
    int x = 0, y = 50, width = 240, height = 88;
    if (commandLine && *commandLine)
        swscanf(commandLine, L"%d %d %d %d", &x, &y, &width, &height);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = BlankProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc))
        return 1;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"blank", WS_POPUP, x, y, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
