// The schedule editor's preview of the selected theme: its Today screen in
// small (80 x 105, drawn by the theme library) and, for an animated theme,
// the device's HTML viewer playing its preview page.  Without the viewer
// there is no animated preview; everything else works the same.
#pragma once

#include <windows.h>

class CThemePreview {
public:
    enum { kLeft = 156, kTop = 102, kWidth = 80, kHeight = 105 };

    CThemePreview() = default;
    ~CThemePreview();
    CThemePreview(const CThemePreview&) = delete;
    CThemePreview& operator=(const CThemePreview&) = delete;

    // Creates the viewer ("Preview") over the preview area of page when the
    // device has one.
    void Create(HWND page);
    // Reads the theme file and draws its preview; an empty path clears it.
    void Show(const wchar_t* themePath);
    void Paint(HDC dc) const;
    HWND Viewer() const { return m_viewer; }

private:
    void ShowPage(bool animated, const class CTskInfo& theme);

    HWND m_page = nullptr;
    HWND m_viewer = nullptr;
    HBITMAP m_bitmap = nullptr;
    unsigned m_pageCounter = 0;
};
