// The theme browser's thumbnails: each theme file of a folder previewed as
// its Today screen in small.
#pragma once

#include <windows.h>

#include <tessary.h>
#include <tskthumb.h>

// A theme file's thumbnail.  Its preview is read through the list's five
// temporary files ("ThumbTmp.000" ... beside the applet), which one loader
// at a time uses.
class CThemeThumb : public CThumb {
public:
    CThemeThumb(const CTskTempFiles* temp, HICON animatedBadge);
    ~CThemeThumb() override;  // deletes the temporary files that exist
    BOOL MakePreview() override;

private:
    const CTskTempFiles* m_pTemp;
    HICON m_hBadge;
};

class CThemeThumbList : public CThumbList {
public:
    enum { kAnimatedIcon = 109 };
    // Thumbnails compatible with window; temporary files beside module.
    CThemeThumbList(HWND window, HINSTANCE module);
    ~CThemeThumbList() override;

    // Every "*.tsk" of the folder in search order; 0 (and the list cut
    // there) at the first thumbnail that cannot be made.
    BOOL LoadFolder(LPCWSTR folder) override;
    BOOL MakePreview(int index) override;

    // At most this many thumbnails: each holds a memory context and a
    // bitmap, and the side bar's process needs its drawing objects too.
    static const int kMaxThumbs = 500;

private:
    HWND m_hWnd;
    HICON m_hBadge;
    CTskTempFiles m_temp;
};
