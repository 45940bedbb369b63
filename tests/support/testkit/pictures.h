// Test pictures: files whose every pixel the test knows, written by hand
// (24-bit BMP) or through the platform's encoders (PNG, GIF, JPEG), and a
// drawing surface whose pixels the test reads back.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace testkit {

// The colour of each pixel (x, y) of a test picture.
using PixelColour = std::function<COLORREF(int x, int y)>;

// Four quarters: top-left, top-right, bottom-left, bottom-right.
PixelColour Quarters(int width, int height, COLORREF topLeft, COLORREF topRight, COLORREF bottomLeft,
                     COLORREF bottomRight);
inline PixelColour Plain(COLORREF colour)
{
    return [colour](int, int) { return colour; };
}

enum class PictureFormat { Bmp, Png, Gif, Jpeg };

// The picture's file contents; empty when it could not be encoded.  GIF
// pictures may use at most 256 colours, JPEG ones come out near the colours.
std::string EncodePicture(PictureFormat format, int width, int height, const PixelColour& colour);
bool WritePicture(const std::wstring& path, PictureFormat format, int width, int height,
                  const PixelColour& colour);
inline bool WriteBmp(const std::wstring& path, int width, int height, const PixelColour& colour)
{
    return WritePicture(path, PictureFormat::Bmp, width, height, colour);
}

// A memory context drawing into a 32-bit top-down DIB section.
class PixelSurface {
public:
    PixelSurface(int width, int height, COLORREF fill);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void Fill(COLORREF colour);
    void Set(int x, int y, COLORREF colour);
    COLORREF At(int x, int y) const;  // CLR_INVALID outside the surface
    // Pixels of the rectangle that have this colour.
    int Count(const RECT& area, COLORREF colour) const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

}  // namespace testkit
