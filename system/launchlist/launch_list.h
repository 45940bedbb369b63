// The launch list: the user's programs as the launcher applet, its options
// program and the hardware-button applet show them.
//
// Classes and functions in this header:
//   CLaunchEntry       one program or shortcut path
//   CLaunchList        the entries, their grid, the launch file and the icon cache
//   LaunchSettings     the launcher's "Lines" and "ArrangeType" settings
//   ParseLaunchText    the launch file's bytes to paths (no windows, no files)
//
// All three programs keep the list in "launch.txt" in their own folder and
// the icons drawn for it in "icons.bmp" beside it:
//
//   launch.txt  UTF-16LE without byte-order mark: each path followed by one
//               carriage return, then "</LIST>" and a carriage return.
//   icons.bmp   160 x 160, entry i in the 16 x 16 cell at column i mod 10,
//               row i div 10, on the transparent colour 0x808000.
//
// The grid: entry i sits in row i div 10, column i mod 10, in a cell of
// 22 x 21 pixels from the origin, with 3 more pixels after the fifth column.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include <corvane.h>

class CLaunchEntry : public CObject {
public:
    static constexpr int kMaxPathChars = 259;  // without the terminator

    // Longer paths are refused by the list before an entry is made.
    explicit CLaunchEntry(LPCWSTR path);

    wchar_t m_szPath[kMaxPathChars + 1];
};

// Calls take(path, length) for each entry of a launch file's bytes, in
// order.  Pieces are split at carriage returns; a line feed after a carriage
// return and a leading byte-order mark are tolerated; empty pieces, pieces
// holding a control character (a NUL, another line feed) and pieces longer
// than kMaxPathChars are skipped; a piece
// that begins with "<" ends the list, as does the end of the data (a trailing
// odd byte is ignored).  Returns the number of pieces taken.
int ParseLaunchText(const BYTE* data, size_t size, const std::function<void(const wchar_t*, size_t)>& take);

class CLaunchList {
public:
    static constexpr int kColumns = 10;
    static constexpr int kCellWidth = 22;
    static constexpr int kCellHeight = 21;
    static constexpr int kGapColumn = 5;       // columns from this one on sit kGap further right
    static constexpr int kGap = 3;
    static constexpr int kCachedEntries = 100; // cells of the icon cache
    static constexpr int kCacheSide = 160;
    static constexpr int kIconSize = 16;
    static constexpr int kMinFileBytes = 20;   // shorter launch files count as absent
    static constexpr COLORREF kTransparent = 0x808000;

    CLaunchList();
    ~CLaunchList();
    CLaunchList(const CLaunchList&) = delete;
    CLaunchList& operator=(const CLaunchList&) = delete;

    // ---- the launch file ----------------------------------------------------
    // Reads the list from path, which becomes the list's file.  A missing file
    // or one of 19 bytes or less counts as absent: the default folders are
    // imported and the file is written.  A file that exists but cannot be
    // read is left alone and the default folders are imported in memory only.
    // Returns 1 when the entries came from the file.
    BOOL Load(LPCWSTR path);
    // Writes the list to its file, whole or not at all.
    BOOL Save() const;
    BOOL SaveAs(LPCWSTR path) const;
    LPCWSTR GetFilePath() const { return m_szFile; }
    // The file's bytes for the list as it stands.
    std::vector<BYTE> FileBytes() const;

    // ---- entries ----------------------------------------------------------
    int GetCount() const { return m_entries.GetCount(); }
    // The index-th path, or null.
    LPCWSTR GetPath(int index) const;
    // Appends a path of 1 to kMaxPathChars characters; 0 for any other.
    BOOL Add(LPCWSTR path);
    BOOL Contains(LPCWSTR path) const;  // exact comparison
    BOOL RemoveAt(int index);
    void RemoveAll();
    // Insert mode: the entry moves in front of the target entry; a target
    // past the last entry moves it to the end; onto itself nothing happens.
    // 0 when the order did not change.
    BOOL MoveTo(int from, int to);
    // Swap mode: the two entries exchange places.
    BOOL Swap(int first, int second);

    // ---- importing --------------------------------------------------------
    // The platform's start menu and programs folders (and "Games" in the
    // latter), each "*.lnk" then "*.exe"; with fresh set the list is emptied
    // first.  Only new paths are appended.  Returns the number appended.
    int ImportDefault(BOOL fresh);
    int ImportFolders(LPCWSTR startMenu, LPCWSTR programs, BOOL fresh);

    // ---- grid -------------------------------------------------------------
    void SetOrigin(POINT origin) { m_ptOrigin = origin; }
    CPoint GetOrigin() const { return m_ptOrigin; }
    // Rows shown when not expanded (1 to 10; anything else counts as 2).
    void SetLines(int lines);
    int GetLines() const { return m_nLines; }
    void SetExpanded(BOOL expanded) { m_bExpanded = expanded; }
    BOOL IsExpanded() const { return m_bExpanded; }
    // Rows the entries need, at least 1; limited to the lines unless expanded.
    int RowsNeeded() const;
    int RowsNeeded(BOOL expanded) const;
    // The cell of entry index (whatever the count).
    CRect CellRect(int index) const;
    // Whether entry index is on a row shown.
    BOOL IsShown(int index) const;
    // The first shown entry whose cell holds point, or -1.
    int HitTest(POINT point) const;

    // ---- icons ------------------------------------------------------------
    // Loads "icons.bmp" at the reference context's depth; 0 (no cache) when
    // it does not decode.
    BOOL LoadIconCache(HDC reference, LPCWSTR path);
    // Draw from the programs' own icons from now on (the cache no longer
    // matches the list).
    void DropIconCache();
    BOOL HasIconCache() const { return m_pIconCache != nullptr; }
    // Frames the cell of an entry and draws its icon (the cached cell, else
    // the program's own); the pen and text settings of dc are used as they
    // are.
    void DrawEntry(CDC* dc, int index) const;
    // Every shown entry.
    void Draw(CDC* dc) const;
    // Draws the icons of the list into a 160 x 160 cache and writes it to
    // path at the depth the screen calls for.  Entries past the hundredth
    // get no cell.
    BOOL WriteIconCache(LPCWSTR path) const;

private:
    // The cache's cells ready for masked copies: a mask (white where the
    // transparent colour is) and the picture with those pixels black.
    struct CacheCopies;
    BOOL MakeCacheCopies(HDC reference);
    void DrawCachedCell(HDC target, HDC mask, HDC picture, int index, int x, int y) const;
    void DrawEntry(CDC* dc, int index, HDC mask, HDC picture) const;

    CObList m_entries;  // CLaunchEntry, owned
    CPoint m_ptOrigin;
    CImage* m_pIconCache = nullptr;
    HBITMAP m_hCacheMask = nullptr;
    HBITMAP m_hCachePicture = nullptr;
    BOOL m_bExpanded = FALSE;
    int m_nLines = 2;
    wchar_t m_szFile[MAX_PATH];
};

// The launcher's settings, in its configuration section "Applets\Launcher"
// (the key of its registration).
namespace LaunchSettings {
enum ArrangeMode { kInsert = 0, kSwap = 1 };
constexpr int kDefaultLines = 2;

// "Lines", 2 when absent or outside 1-10.
int ReadLines();
// "ArrangeType": kInsert or kSwap; fallback when absent or another number.
int ReadArrangeMode(int fallback);
BOOL Write(int lines, int arrangeMode);
}  // namespace LaunchSettings

// The icon cache's file: a Windows bitmap of width x height pixels, given as
// COLORREF values row by row from the top, written bottom-up at
// bitsPerPixel: 24; 8 or 4 with the palette given (each pixel its nearest
// entry); 2 for four greys, written as 4-bit pixels over the first four
// entries.  Returns the file's bytes; empty for an unsupported size or depth.
std::vector<BYTE> BitmapFileBytes(int width, int height, const std::vector<COLORREF>& pixels, int bitsPerPixel,
                                  const std::vector<COLORREF>& palette);
// The depth and palette the cache is written with for a screen: 24 bits for
// 16 and more; 4 bits with greys for 2- and 4-bit screens; 8 bits with the
// system palette for 8-bit screens.
int IconCacheBits(int screenBits, std::vector<COLORREF>* palette);

// Writes bytes to path through a temporary file renamed over it, so a
// failure leaves the previous file as it was.
BOOL WriteWholeFile(LPCWSTR path, const std::vector<BYTE>& bytes);
