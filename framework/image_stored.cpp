// CImage::LoadStored: pictures a program keeps all day.  A Windows bitmap
// file needs no decoder (whose start costs a process a quarter of a
// megabyte) and is kept at the screen's depth, as skins are drawn on every
// paint.  Other pictures arrive from the decoder at four bytes a pixel
// although a GIF holds one, and are kept in the fewest bits that hold them
// exactly: a palette of up to 256 colours, else 24 bits.  Drawing from those
// costs more than from the screen's depth, so this suits pictures drawn
// seldom (the bar's background, drawn into an applet's own surface).
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "imagefile.h"

namespace {

const int kPaletteColours = 256;

// A DIB section of the size and depth; the bits come back in bits.
HBITMAP CreateSection(int width, int height, int bitCount, const RGBQUAD* palette, int colours, void** bits)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[kPaletteColours];
    } info = {};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = width;
    info.header.biHeight = -height;  // rows top to bottom
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(colours);
    std::copy(palette, palette + colours, info.colours);
    return ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
}

size_t Stride(int width, int bitCount)
{
    return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
}

// The picture's pixels as 0x00RRGGBB, top row first; empty on failure.
std::vector<DWORD> ReadPixels(HBITMAP bitmap, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != height)
        pixels.clear();
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;  // the fourth byte means nothing in a device bitmap
    return pixels;
}

HBITMAP MakePaletted(const std::vector<DWORD>& pixels, int width, int height)
{
    std::unordered_map<DWORD, BYTE> index;
    RGBQUAD palette[kPaletteColours] = {};
    for (DWORD pixel : pixels) {
        if (index.count(pixel))
            continue;
        if (index.size() == kPaletteColours)
            return nullptr;  // more colours than a palette holds
        const BYTE next = static_cast<BYTE>(index.size());
        palette[next] = RGBQUAD{static_cast<BYTE>(pixel), static_cast<BYTE>(pixel >> 8),
                                static_cast<BYTE>(pixel >> 16), 0};
        index.emplace(pixel, next);
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateSection(width, height, 8, palette, static_cast<int>(index.size()), &bits);
    if (!bitmap || !bits)
        return bitmap ? (::DeleteObject(bitmap), nullptr) : nullptr;
    const size_t stride = Stride(width, 8);
    for (int y = 0; y < height; ++y) {
        BYTE* row = static_cast<BYTE*>(bits) + stride * y;
        const DWORD* in = pixels.data() + static_cast<size_t>(width) * y;
        for (int x = 0; x < width; ++x)
            row[x] = index[in[x]];
    }
    ::GdiFlush();
    return bitmap;
}

HBITMAP MakeTrueColour(const std::vector<DWORD>& pixels, int width, int height)
{
    void* bits = nullptr;
    HBITMAP bitmap = CreateSection(width, height, 24, nullptr, 0, &bits);
    if (!bitmap || !bits)
        return bitmap ? (::DeleteObject(bitmap), nullptr) : nullptr;
    const size_t stride = Stride(width, 24);
    for (int y = 0; y < height; ++y) {
        BYTE* row = static_cast<BYTE*>(bits) + stride * y;
        const DWORD* in = pixels.data() + static_cast<size_t>(width) * y;
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<BYTE>(in[x]);
            row[x * 3 + 1] = static_cast<BYTE>(in[x] >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(in[x] >> 16);
        }
    }
    ::GdiFlush();
    return bitmap;
}

bool IsBitmapFile(LPCWSTR path)
{
    const size_t length = path ? wcslen(path) : 0;
    return length >= 4 && _wcsicmp(path + length - 4, L".bmp") == 0;
}

}  // namespace

BOOL CImage::LoadStored(HDC hdc, LPCWSTR path)
{
    if (IsBitmapFile(path)) {
        DeleteBitmap();
        m_hdc = hdc;
        if (!g_hdc)
            g_hdc = CreateCompatibleDC(hdc);
        m_hBitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        BITMAP info = {};
        if (m_hBitmap && GetObjectW(m_hBitmap, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight > 0) {
            m_nWidth = info.bmWidth;
            m_nHeight = info.bmHeight;
            return TRUE;
        }
    }
    if (!Load(hdc, path))
        return FALSE;
    Compact();
    return TRUE;
}

// On any failure the decoded bitmap stays: it draws the same, only larger.
void CImage::Compact()
{
    if (!m_hBitmap || m_nWidth <= 0 || m_nHeight <= 0)
        return;
    const std::vector<DWORD> pixels = ReadPixels(m_hBitmap, m_nWidth, m_nHeight);
    if (pixels.empty())
        return;
    HBITMAP compact = MakePaletted(pixels, m_nWidth, m_nHeight);
    if (!compact)
        compact = MakeTrueColour(pixels, m_nWidth, m_nHeight);
    if (!compact)
        return;
    DeleteBitmap();
    m_hBitmap = compact;
}
