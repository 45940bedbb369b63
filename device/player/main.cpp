// Player.exe: the media player's window with the face of the skin in force.
#include "player.h"

#include <devlog.h>
#include <imgdecmp.h>
#include <page_window.h>
#include <rom_files.h>

namespace {

const int kNameLineHeight = 18;
const COLORREF kBackColour = RGB(0, 0, 0);
const COLORREF kNameColour = RGB(0xFF, 0xFF, 0xFF);
const DWORD kDecoderBufferSize = 1024;

struct PlayerWindow {
    Skin skin;
    HBITMAP face = nullptr;
    SIZE faceSize = {};
    HFONT font = nullptr;
};

DWORD CALLBACK ReadPicture(LPSTR buffer, DWORD size, LPARAM parameter)
{
    DWORD read = 0;
    return ReadFile(reinterpret_cast<HANDLE>(parameter), buffer, size, &read, nullptr) ? read : 0;
}

// The skin's face through the device's image decoder (BMP, GIF, JPEG, PNG).
HBITMAP DecodePicture(const std::wstring& path, SIZE* size)
{
    wchar_t readable[MAX_PATH];
    if (path.empty() || !DevReadablePath(path.c_str(), readable, MAX_PATH))
        return nullptr;
    HANDLE file = CreateFileW(readable, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    HBITMAP bitmap = nullptr;
    BYTE work[kDecoderBufferSize] = {};
    DecompressImageInfo request = {};
    request.dwSize = sizeof(request);
    request.pbBuffer = work;
    request.dwBufferMax = kDecoderBufferSize;
    request.phBM = &bitmap;
    request.iBitDepth = 24;
    request.lParam = reinterpret_cast<LPARAM>(file);
    request.iScale = 100;
    request.iMaxWidth = 240 * 4;
    request.iMaxHeight = 320 * 4;
    request.pfnGetData = ReadPicture;
    request.crTransparentOverride = 0xFFFFFFFF;
    HRESULT result = DecompressImageIndirect(&request);
    CloseHandle(file);
    BITMAP info = {};
    if (FAILED(result) || !bitmap || !GetObjectW(bitmap, sizeof(info), &info)) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    size->cx = info.bmWidth;
    size->cy = info.bmHeight;
    return bitmap;
}

std::wstring FileName(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void Paint(HWND hwnd, HDC dc, const PlayerWindow& w)
{
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH back = CreateSolidBrush(kBackColour);
    FillRect(dc, &client, back);
    DeleteObject(back);
    if (w.face) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, w.face);
        BitBlt(dc, 0, 0, w.faceSize.cx, w.faceSize.cy, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    RECT line = {4, client.bottom - kNameLineHeight, client.right - 4, client.bottom};
    HBRUSH band = CreateSolidBrush(kBackColour);
    RECT bandRect = {0, line.top, client.right, client.bottom};
    FillRect(dc, &bandRect, band);
    DeleteObject(band);
    HGDIOBJ oldFont = SelectObject(dc, w.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kNameColour);
    std::wstring name = w.skin.file.empty() ? L"No skin" : FileName(w.skin.file);
    DrawTextW(dc, name.c_str(), -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* w = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_CREATE:
        w = static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (w)
            Paint(hwnd, dc, *w);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (w)
            Paint(hwnd, reinterpret_cast<HDC>(wParam), *w);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // One player: a second start shows the first.
    if (HWND running = FindWindowW(PLAYER_WINDOW_CLASS, PLAYER_WINDOW_TITLE)) {
        SetForegroundWindow(running);
        return 0;
    }
    PlayerWindow w;
    w.skin = ChooseSkin();
    if (w.skin.file.empty()) {
        DevLog(L"player", L"no skin");
    } else {
        w.face = DecodePicture(w.skin.picture, &w.faceSize);
        DevLog(L"player", L"skin \"%ls\", background \"%ls\"%ls", w.skin.file.c_str(), w.skin.background.c_str(),
               w.face ? L"" : L" (not shown)");
        RememberSkin(w.skin.file);
    }
    w.font = CreateFontW(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");

    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = PLAYER_WINDOW_CLASS;
    if (!RegisterClassW(&wc))
        return 1;
    RECT area = PageArea();
    HWND hwnd = CreateWindowExW(0, PLAYER_WINDOW_CLASS, PLAYER_WINDOW_TITLE, WS_POPUP | WS_VISIBLE, area.left,
                                area.top, area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance,
                                &w);
    if (!hwnd)
        return 1;
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DevLog(L"player", L"closed");
    if (w.face)
        DeleteObject(w.face);
    DeleteObject(w.font);
    return static_cast<int>(msg.wParam);
}
