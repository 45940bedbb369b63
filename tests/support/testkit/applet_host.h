// An applet loaded in the test's own process by a small stand-in for the
// side bar: the library is loaded by path, its window created through
// export 240 inside a host window that answers the applet's requests
// (background 1125 with a known fill, version 1033, colours 1034) and
// records its height requests (1031) and focus requests (1028).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "pictures.h"
#include "todaycmn.h"

namespace testkit {

class AppletHost {
public:
    static constexpr COLORREF kBackground = RGB(0, 128, 0);  // the host's background fill
    static constexpr WORD kVersion = 0x0201;                 // 1.2: major in the low byte

    // Loads the library; the host window sits at the screen's top-left with
    // the given client size.
    explicit AppletHost(const std::wstring& library, int width = 240, int height = 80);
    ~AppletHost();  // clear-cache, window destroyed, library freed
    AppletHost(const AppletHost&) = delete;
    AppletHost& operator=(const AppletHost&) = delete;

    bool Loaded() const { return library_ && create_; }
    HMODULE Library() const { return library_; }
    FARPROC Export(int ordinal) const;
    // Export 240 with a fresh record filled as the bar fills it (enabled as
    // given); null when the applet made no window.  The window is left as
    // the applet made it: Show() shows it as the bar does.
    HWND Create(bool enabled = true);
    void Show() const;
    HWND Window() const { return item_.hwndCustom; }
    HWND Host() const { return host_; }
    TODAYLISTITEM& Item() { return item_; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Query-refresh (1267) with the record, as the bar polls.
    LRESULT QueryRefresh();
    // Export 243; -1 when the library has none.
    int CheckNotify() const;
    // A tap at a point of the applet (messages straight to its window).
    void Tap(int x, int y) const;
    // What the applet paints now (WM_PRINTCLIENT; for an applet that does
    // not answer it, the pixels of its window, shown for that).
    std::unique_ptr<PixelSurface> Paint() const;

    // What the applet asked of its host.
    std::vector<int> heightRequests;
    int backgroundRequests = 0;
    int focusRequests = 0;
    COLORREF colours[3] = {0xD8E9EC, 0xD4D4D4, 0x800000};

private:
    static LRESULT CALLBACK HostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring path_;
    HMODULE library_ = nullptr;
    HWND(*create_)(TODAYLISTITEM*, HWND) = nullptr;
    HWND host_ = nullptr;
    TODAYLISTITEM item_ = {};
};

}  // namespace testkit
