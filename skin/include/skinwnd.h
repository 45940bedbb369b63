// Skinned windows: a window drawn and hit-tested from a skin file.
//
// Classes in this file:
//   CSkinCore  loads a skin into a window, paints its background in three
//              bands, tracks presses on skin buttons and hands clicks and
//              tap-and-hold gestures to virtual handlers
//   CSkinWnd   adds what every skinned window shares: dragging by "MOVE"
//              with an outline, the built-in buttons "POWER", "CLOSE",
//              "HOME", "RESET", "EXIT" and the menus of "POWER" and "CLOSE"
//
// The order of the virtual members is a contract (it continues CWnd's);
// derived classes of other libraries append their own after them.
#pragma once

#include <windows.h>

#include <corvane.h>
#include <xmlaccess.h>

#include "skininfo.h"
#include "skivel_api.h"

// Window messages of skin windows.
enum : UINT {
    WM_SKIN_FOCUSON = 2125,   // give the window focus style (it may be activated)
    WM_SKIN_FOCUSOFF = 2126,  // back to a non-activating tool window
};

// Commands of the built-in menus.
enum : UINT {
    IDM_SKIN_NEXTWINDOW = 1101,
    IDM_SKIN_CLOSE = 1102,
    IDM_SKIN_CLOSEALL = 1103,
    IDM_SKIN_KILL = 1104,
    IDM_SKIN_EXIT = 1105,
    IDM_SKIN_POWEROFF = 1106,
    IDM_SKIN_RESET = 1107,
};

class SKIVEL_API CSkinCore : public CWnd {
public:
    // Starts the component system for this thread (released by the
    // destructor when this start succeeded).
    CSkinCore();
    // Unbinds the window; a window made by Create is destroyed as well, one
    // adopted with Attach is left to its owner.
    ~CSkinCore() override;

    // Virtual slots after CWnd's, in contract order.
    virtual int OnLoadSkin(CXmlReader* reader, CXmlNodeListReader* skins);  // 20
    virtual int OnLoadSkinDone();                                            // 21
    virtual void OnDraw(CDC* dc);                                            // 22
    virtual int OnClicked(CButton* button, CPoint point) = 0;                // 23
    virtual int OnTapHold(CButton* button, CPoint point) = 0;                // 24

    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnRButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A non-activating tool window of class className ("SkinWndClass" for
    // null), title "SkinWnd", visible, at (0, 100) and 0 x 0 until a skin is
    // loaded; a child of parent when one is given.  1 when the window exists.
    int Create(HWND parent, LPCWSTR className);
    int Attach(HWND hWnd);
    HWND Detach();

    // Places the window in the Z order only.
    BOOL SetWindowStyle(HWND insertAfter, UINT flags);
    // On: may be activated (tool window); off: non-activating tool window.
    void SetFocusStyle(int on);
    int IsFocusStyle() const { return m_bFocusStyle; }

    int DrawSkin(CDC* dc);  // does nothing; 1
    // The background in its bands, then OnDraw: what painting shows, drawn
    // into any context (also answers WM_PRINTCLIENT).
    void PaintSkin(CDC* dc);

    // Makes the description current; returns the one current before.
    CSkinInfo* SetSkinInfo(CSkinInfo* info);
    CSkinInfo* GetSkinInfo() const { return m_pSkinInfo; }
    CButtonList* GetBtnList() const { return m_pSkinInfo->GetBtnList(); }
    CCtrlList* GetCtrlList() const { return m_pSkinInfo->GetCtrlList(); }
    LPCWSTR GetXMLPath() const { return m_szXMLPath; }
    CDC* GetClientDC() const { return m_pClientDC; }

    CRect GetMovingRect() const { return *m_prcMoving; }
    void SetMovingRect(const RECT& rect) { *m_prcMoving = rect; }
    // The window's actual rectangle (screen coordinates; a child window's in
    // its parent's client coordinates), also stored in the description.
    CRect GetWindowRect();
    // Stores the rectangle and moves the window there, top of the Z order.
    void SetWindowRect(const RECT& rect);
    // A width or height below 0 keeps that side.
    void SetWindowSize(int width, int height);
    // Adds a to the bottom and b to the right of the stored rectangle.
    void InflateWindow(int a, int b);

    // Loads a skin file: the first skin into the current description, then
    // OnLoadSkin, OnLoadSkinDone, and the window takes the description's
    // rectangle.  0 when the file cannot be read or OnLoadSkinDone refuses.
    int LoadSkin(LPCWSTR path);
    // Loads one skin element into the current description; image names are
    // resolved against the folder of path.  0 when the element has no
    // window or no loadable background (the description is then unchanged
    // up to that point).
    int LoadSkin(LPCWSTR path, const CXmlNodeReader& skin);
    // Unpacks a skin package into the folder "SKIN" beside it and loads its
    // SKIN.XML; when unpacking fails, loads the path itself as a skin file.
    int LoadSkinCAB(LPCWSTR path);

protected:
    // Resolves an image name against the skin file's folder; null when the
    // skin path has no folder or the result does not fit.
    LPCWSTR ResolveImagePath(LPCWSTR skinPath, LPCWSTR name, wchar_t* out, size_t capacity) const;
    void CreateClientDC();
    void DeleteClientDC();
    // The background in its bands, composed once for the window's size and
    // drawn with one copy from then on (stretching the middle band at every
    // paint made up most of a repaint).
    void DrawBackdrop(CDC* dc, CImage* image, int width, int height);
    void ForgetBackdrop();

    CClientDC* m_pClientDC;
    int m_bFocusStyle;
    CRect* m_prcWindow;
    CRect* m_prcMoving;
    CSkinInfo* m_pSkinInfo;
    CSkinInfo m_skinInfo;
    wchar_t m_szXMLPath[MAX_PATH];

private:
    CXmlComScope m_com;
    CBitmapDC m_backdrop;           // the composed background, screen-compatible
    const CImage* m_pBackdropImage;  // what it was composed from, at its size
    CRect m_rcBackdropFixed;
    int m_bCreated;          // the window was made by Create (destroyed with the object)
    int m_bButtonCaptured;   // the stylus is captured for a pressed button
};

class SKIVEL_API CSkinWnd : public CSkinCore {
public:
    CSkinWnd();
    ~CSkinWnd() override;

    int OnClicked(CButton* button, CPoint point) override;
    int OnTapHold(CButton* button, CPoint point) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // CSkinCore::Create; a topmost window is also made non-activating and
    // placed topmost.
    using CSkinCore::Create;
    int Create(HWND parent, LPCWSTR className, int topmost);

    int IsMoving() const { return m_bMoving; }
    // True when the stylus went more than 3 pixels from where it was pressed.
    int IsMoved() const;

    // The drag of the window by a button: press, move, release.
    void OnMoveDown(CPoint point);
    void OnMove(CPoint point);
    void OnMoveUp(CPoint point);

protected:
    // A context on the whole display that inverts what lines cross, so that
    // drawing the same outline twice restores the screen.  Null on failure.
    static HDC OpenInvertingDisplayDC();
    // The outline of the rectangle's border pixels (right and bottom
    // outside), from the top-left corner clockwise.
    static void DrawOutline(HDC dc, const RECT& rect);
    // Ends a drag whose stylus capture went elsewhere: the outline goes and
    // the window stays where it was.
    void CancelMove();

    int m_bMoving;
    int m_bOutlineDrawn;
    HDC m_hDisplayDC;
    int m_bReserved;
    CPoint m_ptOffset;   // press point inside the window
    CPoint m_ptOutline;  // top-left of the outline (screen)
    CPoint m_ptPress;    // screen
    CPoint m_ptLatest;   // screen
};
