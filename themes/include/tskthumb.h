// Theme thumbnails: small previews of theme files shown a page at a time,
// and the thread that makes them.
//
// Classes in this file:
//   CThumb        one thumbnail: its file, its preview surface, where it was drawn
//   CThumbList    the thumbnails of one folder, paged, owning its items
//   CThumbLoader  makes a list's previews in order on a thread of its own
//
// A user derives a thumbnail and a list (each supplies how a preview is
// made and how a folder is listed), then hands a filled list to a loader:
//
//     CMyList* list = new CMyList(window);
//     list->LoadFolder(L"\\My Documents");          // window thread
//     m_loader.Start(list, window, WM_MY_PREVIEW, CorAppletModule());
//     ...                                           // WM_MY_PREVIEW: redraw, repaint
//     m_loader.Release();                           // before another load, and in OnDestroy
//
// The loader's thread draws each preview into that thumbnail's own surface
// (with memory contexts of its own, never the framework's shared image
// context) and then posts the window a message; only the window thread
// draws the list and paints.  The loader's lock guards the list's items,
// its loaded count and the finished flag: the window thread holds it
// (CThumbLoader::CLock) while it reads or draws the list.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "tessary_api.h"

// ---- CThumb ------------------------------------------------------------------

class TESSARY_API CThumb : public CObject {
public:
    CThumb();
    // Virtual slots, in contract order.
    ~CThumb() override;                                   // 0
    // Stores the path and creates the preview surface (m_size, compatible
    // with the window); 0 when the surface cannot be made.
    virtual BOOL Set(HWND window, LPCWSTR path);          // 1
    // Draws the preview into the surface (any thread; see CThumbLoader).
    virtual BOOL MakePreview() = 0;                       // 2
    // The preview stretched into rect (x, y, right, bottom exclusive),
    // copied opaque; the rectangle is remembered.
    virtual void Draw(HDC dc, const RECT& rect);          // 3
    // Whether the point lies in the rectangle last drawn.
    virtual BOOL IsThisArea(POINT point) const;           // 4

    // The size every thumbnail made afterwards gets (36 x 48 at first).
    static void Init(SIZE size);
    static CSize m_size;

    void MakePreviewDone() { m_bPreviewDone = TRUE; }
    BOOL IsPreviewDone() const { return m_bPreviewDone; }
    LPCWSTR GetFilePath() const { return m_szPath; }
    // The file name after the last backslash.
    LPCWSTR GetFileName() const;
    HDC GetPreviewDC() const { return m_preview.GetSafeHdc(); }

protected:
    // An off-screen surface that can tell whether it got its bitmap.
    class CPreviewSurface : public CBitmapDC {
    public:
        BOOL HasBitmap() const { return m_hBitmap != nullptr && m_hMemDC != nullptr; }
    };

    CPreviewSurface m_preview;
    BOOL m_bPreviewDone = FALSE;
    WCHAR m_szPath[MAX_PATH];
    CRect m_rect{0, 0, 0, 0};
};

// ---- CThumbList ----------------------------------------------------------------

// The thumbnails of a folder, m_nColCount to a page.  Colours 1, 2, 3 are the
// side bar's (HKLM "Software\ZARQ\Ketra\Colors"): background, panel, text.
class TESSARY_API CThumbList : public CObList {
public:
    enum { kColumns = 5, kUpIcon = 119, kDownIcon = 120 };

    CThumbList();
    // Virtual slots after CObList's (destructor, Compare, Sort), in order.
    ~CThumbList() override;  // deletes the items and the icons
    // Fills the list from the folder; 0 when not every theme found a
    // thumbnail (the list keeps those that did).
    virtual BOOL LoadFolder(LPCWSTR folder) = 0;
    // Makes item i's preview (called by the loader's thread).
    virtual BOOL MakePreview(int index) = 0;

    // Items (the list owns them).
    void AddData(CThumb* thumb);
    CThumb* GetData(int index) const;
    void RemoveAll();
    // Deletes item index; the page count is recomputed and the page kept
    // within it.
    BOOL RemoveItem(int index);

    // The thumbnail of the current page under the point: its index (-1 for
    // none), path and file name (null for none).
    int GetIndex(POINT point) const;
    LPCWSTR GetFilePath(POINT point) const;
    LPCWSTR GetFileName(POINT point) const;

    // Paging: each reports whether the page changed.
    BOOL MoveNextThumbs();
    BOOL MovePrevThumbs();
    int GetColCount() const { return m_nColCount; }
    int GetBase() const { return m_nBase; }
    int GetPage() const { return m_nCurPage; }
    int GetPageCount() const { return m_nPageCount; }
    // (count - 1) div columns + 1 pages, and the current page kept within them.
    void UpdatePageCount();

    // The index of the last thumbnail whose preview is made; -1 before the
    // first, so GetLoadedCount() + 1 previews are made.
    void SetLoadedCount(int index) { m_nLoadedCount = index; }
    int GetLoadedCount() const { return m_nLoadedCount; }
    BOOL IsFullLoaded() const { return m_nLoadedCount + 1 >= GetCount(); }

    // The current page at origin: thumbnails of width x height with gap
    // between them ("Loading ..." for one without a preview), the page
    // counter at x = 216 in the arrow column, the arrows, and with progress
    // "%d%% Loading..." until every preview is made.
    void DrawThumbs(HDC dc, POINT origin, int width, int height, int gap, BOOL progress);
    // Text in Tahoma height 12 in the given colour over a transparent
    // background.
    void TextOut(HDC dc, int x, int y, LPCWSTR text, COLORREF colour) const;

    COLORREF GetColor(int index) const { return m_crColor[index]; }

protected:
    void LoadIcons();

    int m_nPageCount = 1;
    int m_nCurPage = 0;
    HICON m_hIconUp = nullptr;
    HICON m_hIconDown = nullptr;
    COLORREF m_crColor[3];
    int m_nLoadedCount = -1;
    int m_nColCount = kColumns;
    int m_nBase = 0;
};

// The side bar's three colours (HKLM "Software\ZARQ\Ketra\Colors" "1" to
// "3"; 0x00FEFCFC, 0x00D8E9EC, 0 when missing).
TESSARY_API void GetThumbColors(COLORREF colours[3]);

// ---- CThumbLoader ---------------------------------------------------------------

class TESSARY_API CThumbLoader {
public:
    // How long Release waits for a thread that was told to stop.
    enum { kStopWaitMs = 3000 };

    CThumbLoader();
    // Releases the list without waiting: the thread keeps the caller's
    // module loaded, so it cannot be running here when the module goes.
    ~CThumbLoader();
    CThumbLoader(const CThumbLoader&) = delete;
    CThumbLoader& operator=(const CThumbLoader&) = delete;

    // Takes the list (releasing one held before) and, when it has items,
    // starts a thread that makes their previews in order: for each, it
    // opens the thumbnail's file for reading and closes it, makes the
    // preview, marks it done, sets the loaded count and posts the window
    // `message` (wParam the index); at the end it sets the finished flag
    // and posts `message` with wParam -1.  module (the caller's library,
    // whose code the previews run) stays loaded while the thread runs.
    // 0 when the thread cannot start (the list is held, not finished).
    BOOL Start(CThumbList* list, HWND window, UINT message, HMODULE module);
    // Tells the thread to stop, waits for it at most waitMs, and lets go
    // of the list: deleted at once when the thread has ended, else by the
    // thread itself when it does.
    void Release(DWORD waitMs = kStopWaitMs);

    // The list held (null for none); read it under the lock.
    CThumbList* GetList() const;
    // Every preview made, or the thread stopped; true without a thread.
    BOOL IsFinished() const;

    // The lock over the list's items, its loaded count and the finished flag.
    class TESSARY_API CLock {
    public:
        explicit CLock(const CThumbLoader& loader);
        ~CLock();
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;

    private:
        CRITICAL_SECTION* m_section;
    };

    struct CJob;

private:
    CJob* m_pJob = nullptr;
};
