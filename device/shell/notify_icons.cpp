// Notification icons: the small icons programs put into the task bar with
// Shell_NotifyIcon (through the shell library, protocol in shellproto.h),
// drawn between the title and the clock.  A tap on one tells its owner
// with the owner's callback message.
#include "shell.h"

#include <devlog.h>
#include <shellapi.h>

#include <vector>

namespace {

constexpr int kIconSize = SHELL_NOTIFYICON_SIZE;
constexpr int kIconGap = 2;
// The strip has room for a few icons beside the title and the clock.
constexpr size_t kMaxIcons = 4;

struct NotifyIcon {
    HWND owner = nullptr;
    UINT id = 0;
    bool hasCallback = false;
    UINT callbackMessage = 0;
    wchar_t tip[SHELL_NOTIFYICON_TIPCCH] = L"";
    HBITMAP image = nullptr;  // 32-bit, premultiplied alpha; null = no image yet
    RECT drawn = {};          // where it was drawn last, task-bar coordinates
};

std::vector<NotifyIcon> g_icons;
unsigned g_version = 0;
// The icon under the last press, to be told of the release.
HWND g_pressedOwner = nullptr;
UINT g_pressedId = 0;

NotifyIcon* Find(HWND owner, UINT id)
{
    for (NotifyIcon& icon : g_icons)
        if (icon.owner == owner && icon.id == id)
            return &icon;
    return nullptr;
}

HBITMAP MakeImage(const DWORD* pixels)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = kIconSize;
    bmi.bmiHeader.biHeight = -kIconSize;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!image)
        return nullptr;
    DWORD* out = static_cast<DWORD*>(bits);
    for (int i = 0; i < kIconSize * kIconSize; ++i) {
        // A colour channel above its alpha is not premultiplied: clamp it, so
        // a careless sender cannot make the blend overflow.
        DWORD p = pixels[i];
        DWORD a = p >> 24;
        DWORD r = ((p >> 16) & 0xFF) > a ? a : (p >> 16) & 0xFF;
        DWORD g = ((p >> 8) & 0xFF) > a ? a : (p >> 8) & 0xFF;
        DWORD b = (p & 0xFF) > a ? a : p & 0xFF;
        out[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    return image;
}

void CopyTip(NotifyIcon* icon, const wchar_t* tip)
{
    int n = 0;
    while (n < SHELL_NOTIFYICON_TIPCCH - 1 && tip[n]) {
        icon->tip[n] = tip[n];
        ++n;
    }
    icon->tip[n] = L'\0';
}

// Takes the parts named by uFlags; false when the image cannot be made.
bool Apply(NotifyIcon* icon, const SHELL_NOTIFYICON_DATA& request)
{
    if (request.uFlags & NIF_ICON) {
        HBITMAP image = MakeImage(request.pixels);
        if (!image)
            return false;
        if (icon->image)
            DeleteObject(icon->image);
        icon->image = image;
    }
    if (request.uFlags & NIF_MESSAGE) {
        icon->hasCallback = true;
        icon->callbackMessage = request.uCallbackMessage;
    }
    if (request.uFlags & NIF_TIP)
        CopyTip(icon, request.tip);
    return true;
}

// "notification icon 13 of MRESTART_CLASS added": the owner's class says
// whose icon it is where the handle would mean nothing to a reader.
void LogIcon(HWND owner, UINT id, const wchar_t* what)
{
    wchar_t cls[64] = L"";
    if (!GetClassNameW(owner, cls, 64))
        lstrcpynW(cls, L"a window that is gone", 64);
    DevLog(L"shell", L"notification icon %u of %ls %ls", id, cls, what);
}

void Remove(size_t index)
{
    LogIcon(g_icons[index].owner, g_icons[index].id, L"removed");
    if (g_icons[index].image)
        DeleteObject(g_icons[index].image);
    if (g_pressedOwner == g_icons[index].owner && g_pressedId == g_icons[index].id)
        g_pressedOwner = nullptr;
    g_icons.erase(g_icons.begin() + index);
    ++g_version;
}

// Posts the owner its callback message; an owner that is gone loses its icon.
void TellOwner(HWND owner, UINT id, UINT mouseMessage)
{
    NotifyIcon* icon = Find(owner, id);
    if (!icon || !icon->hasCallback)
        return;
    if (!PostMessageW(owner, icon->callbackMessage, id, mouseMessage) && !IsWindow(owner))
        ForgetDeadNotifyIcons();
}

} // namespace

bool HandleNotifyIcon(const SHELL_NOTIFYICON_DATA& request)
{
    NotifyIcon* existing = Find(request.hwnd, request.uID);
    switch (request.message) {
    case NIM_ADD: {
        if (existing || !IsWindow(request.hwnd))
            return false;
        ForgetDeadNotifyIcons();
        if (g_icons.size() >= kMaxIcons) {
            DevLog(L"shell", L"notification icon %u of %p refused: the task bar is full", request.uID,
                   (void*)request.hwnd);
            return false;
        }
        NotifyIcon icon;
        icon.owner = request.hwnd;
        icon.id = request.uID;
        if (!Apply(&icon, request)) {
            if (icon.image)
                DeleteObject(icon.image);
            return false;
        }
        g_icons.push_back(icon);
        ++g_version;
        LogIcon(icon.owner, icon.id, L"added");
        return true;
    }
    case NIM_MODIFY:
        if (!existing || !Apply(existing, request))
            return false;
        ++g_version;
        return true;
    case NIM_DELETE:
        for (size_t i = 0; i < g_icons.size(); ++i) {
            if (&g_icons[i] == existing) {
                Remove(i);
                return true;
            }
        }
        return false;
    }
    return false;
}

int DrawNotifyIcons(HDC dc, int right, int top)
{
    if (g_icons.empty())
        return right;
    int width = (int)g_icons.size() * (kIconSize + kIconGap) - kIconGap;
    int x = right - width;
    int left = x;
    HDC mem = CreateCompatibleDC(dc);
    for (NotifyIcon& icon : g_icons) {
        icon.drawn = {x, top, x + kIconSize, top + kIconSize};
        if (icon.image && mem) {
            HGDIOBJ old = SelectObject(mem, icon.image);
            BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc, x, top, kIconSize, kIconSize, mem, 0, 0, kIconSize, kIconSize, blend);
            SelectObject(mem, old);
        }
        x += kIconSize + kIconGap;
    }
    if (mem)
        DeleteDC(mem);
    return left;
}

bool PressNotifyIcon(POINT point)
{
    for (const NotifyIcon& icon : g_icons) {
        // The icons are small for a stylus: a tap a pixel beside one counts.
        RECT target = icon.drawn;
        InflateRect(&target, kIconGap / 2, 4);
        if (IsRectEmpty(&icon.drawn) || !PtInRect(&target, point))
            continue;
        g_pressedOwner = icon.owner;
        g_pressedId = icon.id;
        // The owner usually brings up a menu: let it take the foreground.
        DWORD process = 0;
        GetWindowThreadProcessId(icon.owner, &process);
        if (process)
            AllowSetForegroundWindow(process);
        TellOwner(g_pressedOwner, g_pressedId, WM_LBUTTONDOWN);
        return true;
    }
    return false;
}

bool ReleaseNotifyIcon()
{
    if (!g_pressedOwner)
        return false;
    HWND owner = g_pressedOwner;
    g_pressedOwner = nullptr;
    TellOwner(owner, g_pressedId, WM_LBUTTONUP);
    return true;
}

bool ForgetDeadNotifyIcons()
{
    bool dropped = false;
    for (size_t i = g_icons.size(); i-- > 0;) {
        if (!IsWindow(g_icons[i].owner)) {
            Remove(i);
            dropped = true;
        }
    }
    return dropped;
}

unsigned NotifyIconsVersion()
{
    return g_version;
}

void DestroyNotifyIcons()
{
    while (!g_icons.empty())
        Remove(g_icons.size() - 1);
}
