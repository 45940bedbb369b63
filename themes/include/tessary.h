// Tessary, the theme library: the device's Today-screen themes.
//
// A theme file (".tsk") is a plain cabinet holding a device setup file and
// the theme's pictures (and, for an animated theme, its three animation
// files).  The library reads and writes such files without the device's
// installer, applies a theme (copies its files into \Windows, writes its
// colours and tells the shell), reads the theme in force and the device's
// built-in one, and draws small previews.
//
// Wherever a theme file's path is taken, "<default>" names the device's
// built-in theme and "<current>" the theme in force.  Results are 1 for
// success and 0 for failure.  Every function may be called from any thread:
// none keeps state between calls, and the drawing functions decode and draw
// through memory contexts of their own.
#pragma once

#include <windows.h>

#include "tessary_api.h"

// The eleven theme colours (COLORREF), by index: 0 Today item text, 1 Today
// item line, 2 and 3 the caption bar's left and right, 4 caption text,
// 5 command bar, 6 caption warning tray, 7 and 8 message box left and
// right, 9 and 10 warning box left and right.
class TESSARY_API CTskColor {
public:
    enum { kCount = 11 };

    CTskColor();  // all colours 0
    // The registry value under HKLM "SOFTWARE\Microsoft\Color" that holds
    // colour `index` ("4", "6", "5", ...); null outside 0 to 10.
    static const wchar_t* ValueName(int index);

    COLORREF m_color[kCount];
};

// One theme in memory.  Assigning a CTskColor copies only the colours.
class TESSARY_API CTskInfo : public CTskColor {
public:
    CTskInfo();  // colours 0, paths empty, not animated
    CTskInfo& operator=(const CTskColor& colors);
    CTskInfo(const CTskInfo&) = default;
    CTskInfo& operator=(const CTskInfo&) = default;

    // Empties the five paths and clears the animated flag.
    void ClearFiles();

    wchar_t m_szToday[MAX_PATH];      // Today background picture
    wchar_t m_szStart[MAX_PATH];      // Start menu background picture
    wchar_t m_szAniMovie[MAX_PATH];   // animated theme: the ".swf" movie
    wchar_t m_szAniPage[MAX_PATH];    // animated theme: the ".htm" page
    wchar_t m_szAniControl[MAX_PATH]; // animated theme: the ".atc" control file
    DWORD m_bAnimated;
};

// The slots of the temporary files a read extracts into.
enum TskTempSlot {
    kTskTempStart = 0,
    kTskTempToday = 1,
    kTskTempControl = 2,
    kTskTempMovie = 3,
    kTskTempPage = 4,
    kTskTempCount = 5,
};

// Five temporary file names formed from a folder and a prefix: "<folder>
// <prefix>000" to "...004" (the folder with its trailing separator, e.g.
// "\Windows\" and "ApplyTmp.").
class TESSARY_API CTskTempFiles {
public:
    CTskTempFiles();
    // Fails when a name does not fit.
    int Form(const wchar_t* folder, const wchar_t* prefix);
    // Names in slot order, for ReadTheme and ReadCurrent.
    const wchar_t* const* Paths() const { return m_pointers; }
    const wchar_t* Path(int slot) const { return m_pointers[slot]; }
    // Deletes those that exist (read-only ones too).
    void DeleteAll() const;

private:
    wchar_t m_paths[kTskTempCount][MAX_PATH];
    const wchar_t* m_pointers[kTskTempCount];
};

// Reading and writing theme files.
TESSARY_API int ReadTheme(const wchar_t* path, CTskInfo* info, const wchar_t* const tempPaths[kTskTempCount]);
TESSARY_API int WriteTheme(const wchar_t* path, const CTskInfo* info);
// The theme in force, its files copied to the temporary paths.
TESSARY_API int ReadCurrent(CTskInfo* info, const wchar_t* const tempPaths[kTskTempCount]);
// The device's built-in theme, its Start picture copied to path (empty or
// null: "\Windows\Temp\ZARQST.GIF").
TESSARY_API int ReadDefault(CTskInfo* info, const wchar_t* path);
extern "C" TESSARY_API int IsAniTsk(const wchar_t* path);

// Applying: a theme file (through temporary files beside the library), or a
// record with the name to record as the theme in force (null: none).
TESSARY_API int ApplyTheme(const wchar_t* path);
TESSARY_API int ApplyTheme(const CTskInfo* info, const wchar_t* name);

// The theme settings in the registry.
TESSARY_API int GetThemeColors(CTskColor* colors);
TESSARY_API int SetThemeColors(const CTskColor* colors);
TESSARY_API int GetThemeColor(int index, COLORREF* color);
TESSARY_API int SetThemeColor(int index, COLORREF color);
TESSARY_API int CheckUsingStImage();
TESSARY_API int SetUsingStImage(int use);
// The theme in force ("<default>" when none is recorded) into buffer of cch
// characters; a recorded name that does not fit also reads as "<default>".
TESSARY_API int GetCurThemeName(wchar_t* buffer, DWORD cch = MAX_PATH);
TESSARY_API int SetCurThemeName(const wchar_t* name);
// A built-in colour set, 0 to 4 (any other index gives set 0).
TESSARY_API int GetColorSet(int index, CTskColor* colors);

// Animated themes: the page's height and background colour (0 when the page
// names none), the preview page for an area of width x height, and the
// device's HTML viewer showing that preview over rect of parent (null when
// the viewer is missing).
TESSARY_API int GetAniTskHeight(const wchar_t* pagePath);
TESSARY_API COLORREF GetAniTskBackColor(const wchar_t* pagePath);
TESSARY_API int SaveAniTskPreviewHtml(const wchar_t* htmlPath, const CTskInfo* info, int width, int height);
TESSARY_API HWND ShowAniTsk(HINSTANCE instance, HWND parent, const CTskInfo* info, const RECT* rect);

// Preview drawing into dc at point, over size.
TESSARY_API int DrawGradient(HDC dc, POINT point, SIZE size, int steps, COLORREF from, COLORREF to);
TESSARY_API int DrawGradientDlg(HDC dc, POINT point, SIZE size, int steps, COLORREF from, COLORREF to,
                                const wchar_t* imagePath, COLORREF transparent);
TESSARY_API int DrawToday(HDC dc, POINT point, SIZE size, const CTskInfo* info);
TESSARY_API int DrawStartMenu(HDC dc, POINT point, SIZE size, const CTskInfo* info);
TESSARY_API int DrawNavTray(HDC dc, POINT point, SIZE size, const CTskInfo* info, const wchar_t* imagePath,
                            COLORREF transparent);
