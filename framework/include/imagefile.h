// Images decoded by the device's image decoder into device bitmaps.
//
// Classes in this file:
//   CVOImage   one decoded bitmap: load from a file or a resource, draw, copy
//   CImage     adds the transparent, stretched and tiled draws skins use
//   CIconList  a strip image of equal cells, drawn one cell at a time
//
// Every image is selected into one shared memory context, g_hdc, while it
// is drawn; g_hdc is created by the first load and kept for the life of the
// process. Image drawing is for the thread that owns the windows only.
// Rectangles follow the rule in drawcontext.h (inclusive sources and Draw
// destinations, half-open DrawTile destinations, kOpaqueCopy = no
// transparency). Drawing an empty image, a degenerate source or a reversed
// destination draws nothing.
#pragma once

#include <windows.h>

#include "cobject.h"
#include "corvane_api.h"
#include "drawcontext.h"
#include "geometry.h"

struct IImageRender;

// Process statics of the image classes.
extern CORVANE_API HDC g_hdc;              // memory context images are drawn from
extern CORVANE_API BOOL g_bStretchBlt;     // whether the last CVOImage::Draw stretched
extern CORVANE_API int g_iScale;           // decoder scale in percent (100)
extern CORVANE_API int g_iMaxWidth;        // decoder size limits in pixels (10000)
extern CORVANE_API int g_iMaxHeight;

class CORVANE_API CVOImage : public CObject {
public:
    CVOImage() = default;
    ~CVOImage() override;  // deletes the bitmap
    CVOImage(const CVOImage&) = delete;
    CVOImage& operator=(const CVOImage&) = delete;

    // Decode a file, or a resource of the given type in the module (null =
    // the program's), at the bit depth of the context (the screen's when it
    // is null). The bitmap held before is deleted first, so a failure leaves
    // the image empty; the width and height then keep their old values.
    BOOL Load(HDC hdc, LPCWSTR path);
    BOOL SetBitmap(HDC hdc, UINT resourceId, LPCWSTR resourceType, HINSTANCE instance);

    // The bitmap at (x, y): at its natural size when width and height are
    // both -1 or equal the image's, else stretched to width x height.
    // Always 1; records in g_bStretchBlt whether it stretched.
    BOOL Draw(HDC hdc, int x, int y, int width, int height);
    // A new bitmap holding a copy of the image, owned by the caller; null
    // for an empty image.
    HBITMAP Copy() const;

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsLoaded() const { return m_hBitmap != nullptr; }
    operator HBITMAP() const { return m_hBitmap; }

    // The decoder's callbacks. GetImageData reads from the file handle in
    // lParam; GetImageResourceData from the ResourceReader in lParam.
    static DWORD CALLBACK GetImageData(LPSTR buffer, DWORD size, LPARAM lParam);
    static DWORD CALLBACK GetImageResourceData(LPSTR buffer, DWORD size, LPARAM lParam);
    static void CALLBACK ImageProgress(IImageRender* render, BOOL complete, LPARAM lParam);

    // Where the decoder is in a resource's bytes.
    struct ResourceReader {
        DWORD position;
        DWORD size;
        const BYTE* data;
    };

protected:
    void DeleteBitmap();
    // Runs the decoder over the data the reader delivers.
    BOOL Decode(HDC hdc, DWORD(CALLBACK* reader)(LPSTR, DWORD, LPARAM), LPARAM readerParam);

    int m_nWidth = 0;
    int m_nHeight = 0;
    HBITMAP m_hBitmap = nullptr;
};

class CORVANE_API CImage : public CVOImage {
public:
    CImage() = default;
    CImage(HDC hdc, LPCWSTR path) { Load(hdc, path); }
    using CVOImage::Draw;  // (hdc, x, y, width, height): opaque, natural or stretched

    BOOL Load(HDC hdc, LPCWSTR path);
    // For pictures a program keeps for its whole life: a Windows bitmap
    // file (.bmp) is read without the decoder, at the screen's depth; any
    // other picture is decoded as Load does and then kept in as few bits as
    // hold it exactly: 8 bits with a palette for at most 256 colours (every
    // GIF), else 24.  Drawing and GetPixel give the same colours as after
    // Load; memory and drawing time differ (see image_stored.cpp).
    BOOL LoadStored(HDC hdc, LPCWSTR path);
    // A resource of type "IMAGE" in the program's own module.
    BOOL LoadFromResource(HDC hdc, UINT resourceId);

    // The whole image at its natural size at (0, 0), at (x, y) or at a point.
    void Draw(HDC hdc, COLORREF transparent) { Draw(hdc, 0, 0, transparent); }
    void Draw(HDC hdc, int x, int y, COLORREF transparent);
    void Draw(HDC hdc, POINT point, COLORREF transparent) { Draw(hdc, point.x, point.y, transparent); }
    // The whole image, or a source area, stretched onto an inclusive destination.
    void Draw(HDC hdc, const RECT& dest, COLORREF transparent);
    void Draw(HDC hdc, const RECT& dest, const RECT& source, COLORREF transparent);
    // The whole image, or a source area, repeated over a half-open destination.
    void DrawTile(HDC hdc, const RECT& dest, COLORREF transparent);
    void DrawTile(HDC hdc, const RECT& dest, const RECT& source, COLORREF transparent);

    // The pixel's colour, or 0xFFFFFFFF for an empty image or a point outside it.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

protected:
    RECT WholeImage() const;
    // Replaces the bitmap with its 8-bit (palette) or 24-bit copy.
    void Compact();

    HDC m_hdc = nullptr;  // the context given at load time
};

class CORVANE_API CIconList : public CObject {
public:
    // The colour left out of every cell: RGB(0, 128, 128).
    static constexpr COLORREF kTransparent = 0x808000;

    CIconList() = default;
    ~CIconList() override;  // deletes the strip image
    CIconList(const CIconList&) = delete;
    CIconList& operator=(const CIconList&) = delete;

    // Loads the strip with the context's bit depth (the screen's for null).
    // On failure the strip held before is kept and 0 is returned.
    BOOL Load(CDC* dc, LPCWSTR path);
    // Deletes the current strip and takes ownership of the given one.
    void SetImage(CImage* image);
    void SetSize(int cellWidth, int cellHeight) { m_cx = cellWidth; m_cy = cellHeight; }
    // Cell (row, column) at (x, y); nothing without a loaded strip.
    void Draw(CDC* dc, int x, int y, int row, int column);

    int m_cx = 16;
    int m_cy = 16;
    CImage* m_pImage = nullptr;
};
