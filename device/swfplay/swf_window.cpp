#include "swf_window.h"

#include <memory>
#include <string>
#include <vector>

#include "devlog.h"
#include "swf_draw.h"
#include "swf_movie.h"

namespace {

const UINT_PTR kFrameTimer = 1;

struct Player {
    std::wstring path;
    bool playable = false;
    swf::Movie movie;
    COLORREF background = RGB(255, 255, 255);
    swf::DisplayList list;
    size_t frame = 0;
    LONG shown = 0;
};

struct CreateArgs {
    const wchar_t* path;
    COLORREF background;
};

std::wstring DevicePath(const wchar_t* address)
{
    std::wstring path = address ? address : L"";
    if (path.size() >= 7 && _wcsnicmp(path.c_str(), L"file://", 7) == 0)
        path = path.substr(7);
    return path;
}

// The whole file, at most the movie reader's limit plus one byte (so a
// larger file is seen as such).
bool ReadMovieFile(const std::wstring& path, std::vector<uint8_t>* bytes, std::string* reason)
{
    // Shared for writing: applying a theme replaces the movie in place.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *reason = "cannot open the file";
        return false;
    }
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) != 0;
    if (ok && static_cast<ULONGLONG>(size.QuadPart) > swf::kMaxFileBytes) {
        *reason = "movie too large";
        ok = false;
    } else if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes->empty() ||
             (ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) &&
              read == bytes->size());
        if (!ok)
            *reason = "cannot read the file";
    } else {
        *reason = "cannot read the file";
    }
    CloseHandle(file);
    return ok;
}

UINT FrameInterval(const swf::Movie& movie)
{
    return 1000 / static_cast<UINT>(swf::FramesPerSecond(movie.rate));
}

void Start(HWND hwnd, Player* p, const CreateArgs& args)
{
    p->path = DevicePath(args.path);
    std::vector<uint8_t> bytes;
    std::string reason;
    p->playable = !p->path.empty() && ReadMovieFile(p->path, &bytes, &reason) &&
                  swf::ReadMovie(bytes.data(), bytes.size(), &p->movie, &reason);
    if (p->path.empty())
        reason = "no movie named";
    if (args.background != CLR_INVALID)
        p->background = args.background;
    else if (p->playable && p->movie.hasBackground)
        p->background = p->movie.background;
    if (!p->playable) {
        DevLog(L"flash", L"cannot play \"%ls\": %hs", p->path.c_str(), reason.c_str());
        return;
    }
    swf::ApplyFrame(p->movie, 0, &p->list);
    p->shown = 1;
    SetTimer(hwnd, kFrameTimer, FrameInterval(p->movie), nullptr);
    DevLog(L"flash", L"play \"%ls\" %dx%d, %u frames at %d fps", p->path.c_str(), p->movie.StageWidth(),
           p->movie.StageHeight(), static_cast<unsigned>(p->movie.frames.size()), swf::FramesPerSecond(p->movie.rate));
}

void NextFrame(HWND hwnd, Player* p)
{
    p->frame = (p->frame + 1) % p->movie.frames.size();
    if (p->frame == 0)
        p->list.clear();  // the loop starts on an empty stage
    swf::ApplyFrame(p->movie, p->frame, &p->list);
    ++p->shown;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Draw(HWND hwnd, HDC dc, const Player* p)
{
    RECT client;
    GetClientRect(hwnd, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    if (!p->playable) {
        HBRUSH brush = CreateSolidBrush(p->background);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        return;
    }
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    swf::DrawFrame(mem, client.right, client.bottom, p->movie, p->list, p->background);
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Player* p = reinterpret_cast<Player*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        p = new Player;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(p));
        Start(hwnd, p, *static_cast<const CreateArgs*>(create->lpCreateParams));
        return 0;
    }
    case WM_TIMER:
        if (p && p->playable && wParam == kFrameTimer) {
            NextFrame(hwnd, p);
            return 0;
        }
        break;
    case SWF_GET_FRAMES_SHOWN:
        return p ? p->shown : 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (p)
            Draw(hwnd, dc, p);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (p)
            Draw(hwnd, reinterpret_cast<HDC>(wParam), p);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, kFrameTimer);
        if (p && p->playable)
            DevLog(L"flash", L"stop \"%ls\" after %ld frames", p->path.c_str(), p->shown);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete p;
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND CreateSwfPlayerWindow(HINSTANCE instance, HWND parent, const RECT& box, const wchar_t* path,
                           COLORREF background)
{
    WNDCLASSW wc = {};
    if (!GetClassInfoW(instance, SWF_PLAYER_CLASS, &wc)) {
        wc.lpfnWndProc = PlayerProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = SWF_PLAYER_CLASS;
        if (!RegisterClassW(&wc))
            return nullptr;
    }
    CreateArgs args = {path, background};
    return CreateWindowExW(0, SWF_PLAYER_CLASS, L"", WS_CHILD | WS_VISIBLE, box.left, box.top, box.right - box.left,
                           box.bottom - box.top, parent, nullptr, instance, &args);
}
