// Other programs' windows inside the task bar.  A tool may make a small
// window of its own a child of the task bar (a status icon beside the
// clock), as on the device.  Such a child cannot paint into the task bar
// from its own process here, so its owner hands the task bar its picture
// (SHELL_CHILDPICTURE, shellproto.h), which the task bar draws in the
// child's place over its own painting; the clock and the notification
// icons move left of the children so that neither covers the other.
#include "shell.h"

#include <map>
#include <vector>

namespace {

// Only children in the right half push the clock; one at the left would
// sit over the title, which is cut short anyway.
constexpr int kRightHalf = kScreenWidth / 2;
constexpr int kGap = 2;

struct ChildPicture {
    HBITMAP bitmap;
    int width;
    int height;
};
std::map<HWND, ChildPicture> g_pictures;

// What the children looked like at the last check.
std::vector<RECT> g_lastChildren;

// The visible children's rectangles in task-bar coordinates, in z-order.
std::vector<std::pair<HWND, RECT>> VisibleChildren(HWND taskBar)
{
    std::vector<std::pair<HWND, RECT>> children;
    for (HWND child = GetWindow(taskBar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, taskBar, reinterpret_cast<POINT*>(&rc), 2);
        children.push_back({child, rc});
    }
    return children;
}

void ForgetDeadPictures()
{
    for (auto it = g_pictures.begin(); it != g_pictures.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        DeleteObject(it->second.bitmap);
        it = g_pictures.erase(it);
    }
}

HBITMAP MakeBitmap(const SHELL_CHILDPICTURE_DATA& request)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = request.width;
    bmi.bmiHeader.biHeight = -request.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    DWORD* out = static_cast<DWORD*>(bits);
    for (int i = 0; i < request.width * request.height; ++i)
        out[i] = request.pixels[i] & 0x00FFFFFF;
    return bitmap;
}

} // namespace

bool HandleChildPicture(HWND taskBar, const SHELL_CHILDPICTURE_DATA& request)
{
    ForgetDeadPictures();
    if (!IsWindow(request.hwnd) || GetParent(request.hwnd) != taskBar)
        return false;
    if (request.width < 1 || request.height < 1 || request.width > SHELL_CHILDPICTURE_MAX_WIDTH ||
        request.height > SHELL_CHILDPICTURE_MAX_HEIGHT)
        return false;
    HBITMAP bitmap = MakeBitmap(request);
    if (!bitmap)
        return false;
    auto found = g_pictures.find(request.hwnd);
    if (found != g_pictures.end())
        DeleteObject(found->second.bitmap);
    g_pictures[request.hwnd] = ChildPicture{bitmap, (int)request.width, (int)request.height};
    return true;
}

void DrawTaskBarChildren(HWND taskBar, HDC dc)
{
    ForgetDeadPictures();
    if (g_pictures.empty())
        return;
    HDC mem = CreateCompatibleDC(dc);
    if (!mem)
        return;
    // Bottom of the z-order first, so the top child ends up in front.
    std::vector<std::pair<HWND, RECT>> children = VisibleChildren(taskBar);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto found = g_pictures.find(it->first);
        if (found == g_pictures.end())
            continue;
        const RECT& rc = it->second;
        int width = rc.right - rc.left < found->second.width ? rc.right - rc.left : found->second.width;
        int height = rc.bottom - rc.top < found->second.height ? rc.bottom - rc.top : found->second.height;
        HGDIOBJ old = SelectObject(mem, found->second.bitmap);
        BitBlt(dc, rc.left, rc.top, width, height, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
    }
    DeleteDC(mem);
}

int TaskBarContentRight(HWND taskBar, int right)
{
    int limit = right;
    for (const auto& child : VisibleChildren(taskBar)) {
        const RECT& rc = child.second;
        if (rc.left >= kRightHalf && rc.left - kGap < limit)
            limit = rc.left - kGap;
    }
    return limit;
}

bool TaskBarChildrenChanged(HWND taskBar)
{
    std::vector<RECT> now;
    for (const auto& child : VisibleChildren(taskBar))
        now.push_back(child.second);
    bool changed = now.size() != g_lastChildren.size();
    for (size_t i = 0; !changed && i < now.size(); ++i)
        changed = !EqualRect(&now[i], &g_lastChildren[i]);
    g_lastChildren = now;
    return changed;
}
