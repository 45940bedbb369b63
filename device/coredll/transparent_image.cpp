// The device's transparent blit, on the desktop's TransparentBlt.  The
// device stretches colour-on-colour, keeping whole source pixels; the
// desktop's default stretch mode (BLACKONWHITE) ANDs neighbouring pixels
// together when shrinking, which turns pixels next to the transparent colour
// into colours the image never had.  The destination is switched to
// COLORONCOLOR, as the device always behaves, and since Wine's TransparentBlt
// stretches through a scratch context of its own in the default mode, a
// stretched blit is first stretched here, colour-on-colour, to the
// destination size.
#include <cedevice.h>

#include "coredll_private.h"

namespace {

// A memory context holding a source bitmap for the duration of one blit.
class BitmapSourceDc {
public:
    explicit BitmapSourceDc(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), previous_(dc_ ? SelectObject(dc_, bitmap) : nullptr) {}
    ~BitmapSourceDc()
    {
        if (dc_) {
            SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
    }
    BitmapSourceDc(const BitmapSourceDc&) = delete;
    BitmapSourceDc& operator=(const BitmapSourceDc&) = delete;

    // Null when the bitmap could not be selected (e.g. it is selected
    // into another context).
    HDC get() const { return (dc_ && previous_ && previous_ != HGDI_ERROR) ? dc_ : nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A 32-bit scratch image of the destination size holding the stretched
// source.
class StretchedCopy {
public:
    StretchedCopy(HDC source, LONG x, LONG y, LONG cx, LONG cy, LONG width, LONG height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = bitmap_ ? CreateCompatibleDC(nullptr) : nullptr;
        if (!dc_)
            return;
        previous_ = SelectObject(dc_, bitmap_);
        SetStretchBltMode(dc_, COLORONCOLOR);
        ok_ = StretchBlt(dc_, 0, 0, width, height, source, x, y, cx, cy, SRCCOPY) != FALSE;
    }
    ~StretchedCopy()
    {
        if (dc_) {
            SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    StretchedCopy(const StretchedCopy&) = delete;
    StretchedCopy& operator=(const StretchedCopy&) = delete;

    HDC get() const { return ok_ ? dc_ : nullptr; }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    bool ok_ = false;
};

BOOL Blit(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy, HDC hdcSrc, LONG SrcX, LONG SrcY,
          LONG SrcCx, LONG SrcCy, COLORREF TransparentColor)
{
    SetStretchBltMode(hdcDest, COLORONCOLOR);
    const UINT key = (UINT)TransparentColor;
    bool stretched = DstCx != SrcCx || DstCy != SrcCy;
    if (!stretched || DstCx <= 0 || DstCy <= 0 || SrcCx <= 0 || SrcCy <= 0)
        return TransparentBlt(hdcDest, DstX, DstY, DstCx, DstCy, hdcSrc, SrcX, SrcY, SrcCx, SrcCy, key);

    StretchedCopy copy(hdcSrc, SrcX, SrcY, SrcCx, SrcCy, DstCx, DstCy);
    if (!copy.get())
        return FALSE;
    return TransparentBlt(hdcDest, DstX, DstY, DstCx, DstCy, copy.get(), 0, 0, DstCx, DstCy, key);
}

} // namespace

extern "C" BOOL WINAPI TransparentImage(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy, HANDLE hSrc,
                                        LONG SrcX, LONG SrcY, LONG SrcCx, LONG SrcCy, COLORREF TransparentColor)
{
    if (!hdcDest || !hSrc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (GetObjectType(hSrc) == OBJ_BITMAP) {
        BitmapSourceDc source(static_cast<HBITMAP>(hSrc));
        if (!source.get()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        return Blit(hdcDest, DstX, DstY, DstCx, DstCy, source.get(), SrcX, SrcY, SrcCx, SrcCy, TransparentColor);
    }
    return Blit(hdcDest, DstX, DstY, DstCx, DstCy, static_cast<HDC>(hSrc), SrcX, SrcY, SrcCx, SrcCy,
                TransparentColor);
}
