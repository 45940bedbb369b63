// The HTML view control: one HtmlView per DISPLAYCLASS window, kept in the
// window's user-data slot from WM_NCCREATE to WM_NCDESTROY.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "html_page.h"
#include "view_objects.h"
#include "view_tiles.h"

// Where an address leads.
struct Destination {
    enum Kind { kFile, kWeb, kAnchor } kind = kFile;
    std::wstring path;      // kFile: the device path
    std::wstring fragment;  // the part after '#', without it
};

// Resolves an address against the page shown (currentPath, a device path
// or empty): "file://" + path, a plain path, a path relative to the current
// page's folder ('/' or '\', "." and ".." allowed), "#name" within it, or a
// web address.
Destination ResolveAddress(const std::wstring& address, const std::wstring& currentPath);

// The page's bytes: the control's copy unless reread is set or it has
// none; false when the file cannot be read.  Files over the page limit are
// read up to it (*cut set).
bool ReadPageFile(const std::wstring& path, bool reread, std::string* bytes, bool* cut);

// A bitmap of the picture at src (relative to pagePath's folder), its
// transparent parts in the page's background colour; null when it cannot
// be read or decoded.
HBITMAP LoadPagePicture(const std::wstring& src, const std::wstring& pagePath, COLORREF background);

class HtmlView {
public:
    explicit HtmlView(HWND hwnd);
    ~HtmlView();
    HtmlView(const HtmlView&) = delete;
    HtmlView& operator=(const HtmlView&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // ---- pages (view_navigate.cpp) ----
    void Navigate(const std::wstring& address, DWORD flags);
    void ShowPage(const std::wstring& source, const std::wstring& address, const std::wstring& path);
    void ShowMessagePage(const std::wstring& heading, const std::wstring& detail, const std::wstring& address);
    void AddText(std::wstring text, bool plain);
    void EndOfSource();
    void Clear();
    bool JumpToAnchor(const std::wstring& name);
    void FollowLink(const std::wstring& href);
    void NotifyLoaded();
    void LogCuts(const std::wstring& address, unsigned extraCuts);
    LRESULT Notify(UINT code, const std::wstring& target);

    // ---- drawing and scrolling (view_window.cpp) ----
    void Relayout();
    void Paint();
    void DrawAhead();
    int ViewHeight() const;
    int MaxScroll() const;
    void ScrollTo(int y);
    void UpdateScrollBar();
    void OnButtonDown(int x, int y);
    void OnMouseMove(int y);
    void OnButtonUp(int x, int y);
    bool OnKey(WPARAM key);

    HWND hwnd_;
    html::Page page_;
    std::wstring address_;    // as shown, e.g. "file://\Windows\x.htm"
    std::wstring pagePath_;   // device path of the page shown, or empty
    std::wstring pushed_;     // text pushed with DTM_ADDTEXT since the last clear
    bool pushedChanged_ = false;
    bool pushedCut_ = false;
    int scrollY_ = 0;
    bool scrollBar_ = false;
    // Stylus: where a press started and whether it became a drag.
    bool pressed_ = false;
    bool dragging_ = false;
    POINT pressAt_ = {};
    int pressScroll_ = 0;
    PageTiles tiles_;              // the page drawn in bands, for painting and scrolling
    bool drawingAhead_ = false;    // a kDrawAhead message is on its way
    EmbeddedObjects objects_;
};
