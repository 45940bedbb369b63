// Turning decoded pixels into the bitmap the caller asked for.
#include "imgdecmp_private.h"

#include <string.h>

namespace {

BITMAPINFOHEADER TopDownHeader(const DecodedImage& image, WORD bitCount)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = (LONG)image.width;
    header.biHeight = -(LONG)image.height;  // rows top to bottom
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

HBITMAP CreateDibSection(const DecodedImage& image, int bitDepth)
{
    BITMAPINFO info = {};
    info.bmiHeader = TopDownHeader(image, (WORD)bitDepth);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
        return nullptr;

    BYTE* out = static_cast<BYTE*>(bits);
    const BYTE* in = image.pixels.data();
    if (bitDepth == 32) {
        memcpy(out, in, image.pixels.size());
        // The fourth byte is unused in a device bitmap; keep it clear.
        for (size_t i = 3; i < image.pixels.size(); i += 4)
            out[i] = 0;
    } else {
        const size_t stride = ((size_t)image.width * 3 + 3) & ~(size_t)3;
        for (UINT y = 0; y < image.height; ++y) {
            BYTE* row = out + stride * y;
            for (UINT x = 0; x < image.width; ++x, in += 4) {
                row[x * 3 + 0] = in[0];
                row[x * 3 + 1] = in[1];
                row[x * 3 + 2] = in[2];
            }
        }
    }
    GdiFlush();
    return bitmap;
}

HBITMAP CreateCompatible(const DecodedImage& image, HDC hdc)
{
    // A memory context's own bitmap may be the 1x1 monochrome stock one, so
    // it is no model for a colour image: use the screen instead.
    bool useScreen = !hdc || GetObjectType(hdc) == OBJ_MEMDC;
    HDC reference = useScreen ? GetDC(nullptr) : hdc;
    if (!reference)
        return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(reference, (int)image.width, (int)image.height);
    if (bitmap) {
        BITMAPINFO info = {};
        info.bmiHeader = TopDownHeader(image, 32);
        if (SetDIBits(reference, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS) !=
            (int)image.height) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    if (useScreen)
        ReleaseDC(nullptr, reference);
    return bitmap;
}

} // namespace

HBITMAP CreateImageBitmap(const DecodedImage& image, int bitDepth, HDC hdc)
{
    if (image.width == 0 || image.height == 0 || image.pixels.size() != (size_t)image.width * image.height * 4)
        return nullptr;
    if (bitDepth == 24 || bitDepth == 32)
        return CreateDibSection(image, bitDepth);
    return CreateCompatible(image, hdc);
}
