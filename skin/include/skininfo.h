// The in-memory description of a skin and the process-wide image cache.
//
// Classes in this file:
//   CButton       one skin button: name, mask colour, rectangles, status
//   CButtonList   the buttons of a skin, their state images, hit testing,
//                 press and release
//   CCtrl         one named control area of a skin
//   CCtrlList     the control areas of a skin
//   CSharedImage  one cached image and the path it came from
//   CImgList      the cache of images shared by every skin window of a process
//   CSkinInfo     one loaded skin: window and moving rectangles, background,
//                 fixed bands, buttons and control areas
//
// Rectangles are half-open (right and bottom lie outside), as the skin file
// gives them: x, y, w, h become left = x, top = y, right = x + w,
// bottom = y + h.  Names are matched exactly (case-sensitive).  Images come
// from the cache and are never owned by a description or a list.
#pragma once

#include <windows.h>

#include <coretypes.h>
#include <drawing.h>

#include "skivel_api.h"

// ---- CButton ---------------------------------------------------------------

class SKIVEL_API CButton : public CObject {
public:
    enum {
        kNameLength = 32,  // characters, terminator included; longer names are cut
    };
    enum Status { Normal = 0, Pushed = 1, Disabled = 2 };
    // The mask colour of a button that names none: no mask pixel has it.
    enum : COLORREF { kNoMaskColour = CLR_INVALID };

    CButton();
    CButton(const CButton& other) = default;
    CButton& operator=(const CButton& other) = default;

    int GetID() const { return m_nID; }
    LPCWSTR GetCommand() const { return m_szCommand; }
    int GetStatus() const { return m_nStatus; }
    void SetStatus(int status) { m_nStatus = status; }
    // Exact comparison with the name.
    BOOL IsEqual(LPCWSTR command) const;

    void SetCommand(LPCWSTR command);  // cut to kNameLength - 1 characters
    COLORREF GetMaskColour() const { return m_crMask; }
    void SetMaskColour(COLORREF colour) { m_crMask = colour; }

    int m_nID;
    wchar_t m_szCommand[kNameLength];
    COLORREF m_crMask;
    CRect m_rcPosition;  // in the window
    CRect m_rcEnable;    // normal look in the enable image
    CRect m_rcPushed;    // pushed look in the pushed image
    CRect m_rcDisable;   // disabled look in the disable image
    int m_nStatus;
};

// ---- CButtonList -----------------------------------------------------------

class SKIVEL_API CButtonList : public CObList {
public:
    CButtonList();
    ~CButtonList() override;  // deletes the buttons
    // Copies the buttons (same ids, same order), the images and the context;
    // no button is pressed in the copy.
    void CopyFrom(const CButtonList& other);

    // Stores the context, sets the enable, pushed and disable images to the
    // given image and removes every button; the mask image is kept.  Fails
    // for a null context.
    int Init(CDC* dc, CImage* image);
    // Each fetches the image through the cache; the slot is empty afterwards
    // when the image could not be loaded (result 0).
    int LoadEnable(LPCWSTR path);
    int LoadPushed(LPCWSTR path);
    int LoadMask(LPCWSTR path);
    int LoadDisable(LPCWSTR path);
    void SetMask(CImage* image) { m_pMask = image; }

    // Appends a new button with the next id (100 + buttons already held).
    int AddButton(LPCWSTR command, COLORREF mask, const RECT& position, const RECT& enable, const RECT& pushed,
                  const RECT& disable);
    int AddButton(const CButton* button);

    CButton* GetButton(LPCWSTR command) const;  // first exact match
    CButton* GetButton(int id) const;
    // With a mask image: the first button whose mask colour is the colour
    // under the point (none outside the image).  Without: the first button
    // whose position rectangle holds the point.
    CButton* GetButton(CPoint point) const;

    // Draws the button in its current status; nothing for a null button or
    // context, or an empty image slot.
    void DrawButton(CDC* dc, CButton* button) const;

    // 1 when the press was taken (a button that is not disabled lies there).
    int OnLButtonDown(CPoint point);
    // 1 for a click: the release lies on the button pressed.
    int OnLButtonUp(CPoint point);
    // Puts the pressed button back to normal without a click (the stylus
    // capture was lost).
    void CancelPress();
    CButton* GetPressed() const { return m_pPressed; }
    LPCWSTR GetCommand() const;  // name of the pressed button, or null
    void RemoveAll();

    CDC* GetDC() const { return m_pDC; }
    CImage* GetEnableImage() const { return m_pEnable; }
    CImage* GetPushedImage() const { return m_pPushed; }
    CImage* GetMaskImage() const { return m_pMask; }
    CImage* GetDisableImage() const { return m_pDisable; }

private:
    CButtonList(const CButtonList&) = delete;
    CButtonList& operator=(const CButtonList&) = delete;

    CDC* m_pDC;
    CButton* m_pPressed;
    CImage* m_pEnable;
    CImage* m_pMask;
    CImage* m_pPushed;
    CImage* m_pDisable;
};

// ---- CCtrl -----------------------------------------------------------------

class SKIVEL_API CCtrl : public CObject {
public:
    enum {
        kNameLength = 32,  // characters, terminator included; longer text is cut
    };
    enum Align { Left = 0, Center = 1, Right = 2 };

    CCtrl();
    CCtrl(LPCWSTR type, LPCWSTR id, int align, const RECT& rect);
    CCtrl(const CCtrl& other) = default;
    CCtrl& operator=(const CCtrl& other) = default;

    LPCWSTR GetType() const { return m_szType; }
    LPCWSTR GetID() const { return m_szID; }
    const CRect& GetRect() const { return m_rect; }
    int GetAlign() const { return m_nAlign; }
    BOOL IsType(LPCWSTR type) const;
    BOOL IsID(LPCWSTR id) const;

    // "center" is 1, "right" 2, anything else (or null) 0.
    static int ParseAlign(LPCWSTR text);

    wchar_t m_szType[kNameLength];
    wchar_t m_szID[kNameLength];
    CRect m_rect;
    int m_nAlign;
};

// ---- CCtrlList -------------------------------------------------------------

class SKIVEL_API CCtrlList : public CObList {
public:
    CCtrlList();
    ~CCtrlList() override;  // deletes the controls
    void CopyFrom(const CCtrlList& other);

    int AddCtrl(LPCWSTR type, LPCWSTR id, int align, const RECT& rect);
    int AddCtrl(const CCtrl* ctrl);
    void RemoveAll();

private:
    CCtrlList(const CCtrlList&) = delete;
    CCtrlList& operator=(const CCtrlList&) = delete;
};

// ---- CSharedImage, CImgList ------------------------------------------------

class SKIVEL_API CSharedImage : public CObject {
public:
    CSharedImage();
    ~CSharedImage() override;  // deletes the image
    CSharedImage(const CSharedImage&) = delete;
    CSharedImage& operator=(const CSharedImage&) = delete;

    // Reads the file as CImage::LoadStored does: a bitmap file at its own
    // depth, other pictures decoded at the context's (the screen's for a
    // null context).  Returns the image, or null (and holds none) on failure.
    CImage* LoadImageW(CDC* dc, LPCWSTR path);
    CImage* GetImage() const { return m_pImage; }
    LPCWSTR GetPath() const { return m_szPath; }

private:
    wchar_t m_szPath[MAX_PATH];
    CImage* m_pImage;
};

class SKIVEL_API CImgList : public CObList {
public:
    CImgList();
    ~CImgList() override;  // deletes every image, also the forgotten ones
    CImgList(const CImgList&) = delete;
    CImgList& operator=(const CImgList&) = delete;

    // The context images are decoded with (not owned).
    void SetDC(CDC* dc) { m_pDC = dc; }
    CDC* GetDC() const { return m_pDC; }

    // The image cached for exactly this path (case-sensitive), else AddImage.
    CImage* GetImage(LPCWSTR path);
    // Loads and caches the file; null (nothing cached) when it cannot be
    // loaded or the path does not fit.
    CImage* AddImage(LPCWSTR path);
    CImage* LookUp(LPCWSTR path) const;
    // Takes the images of every path under folder (which ends with "\")
    // out of the cache, so that the next request loads the file again.  The
    // image objects stay alive until RemoveAll: skins loaded earlier may
    // still draw them.  Returns the number taken out.
    int ForgetFolder(LPCWSTR folder);
    // Deletes every image.  No skin may use them afterwards.
    void RemoveAll();

private:
    CDC* m_pDC;
    CObList m_forgotten;  // CSharedImage objects out of the cache, still owned
};

// The one image cache of the process, made when the library loads.
extern SKIVEL_API CImgList g_imgList;

// ---- CSkinInfo -------------------------------------------------------------

class SKIVEL_API CSkinInfo {
public:
    CSkinInfo();
    CSkinInfo(const CSkinInfo& other);
    CSkinInfo& operator=(const CSkinInfo& other);
    ~CSkinInfo();

    CRect& GetWindowRect() { return m_rcWindow; }
    const CRect& GetWindowRect() const { return m_rcWindow; }
    CRect& GetMovingRect() { return m_rcMoving; }
    // left 0, top = head band, right 0, bottom = foot band.
    CRect& GetFixedRange() { return m_rcFixed; }
    const CRect& GetFixedRange() const { return m_rcFixed; }
    CImage* GetBackground() const { return m_pBackground; }
    void SetBackground(CImage* image) { m_pBackground = image; }
    CButtonList* GetBtnList() { return &m_btnList; }
    CCtrlList* GetCtrlList() { return &m_ctrlList; }

    CImage* m_pBackground;
    CRect m_rcFixed;
    CRect m_rcWindow;
    CRect m_rcMoving;
    CButtonList m_btnList;
    CCtrlList m_ctrlList;
};
