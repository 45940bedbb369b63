// The icon cache "icons.bmp": the list's icons drawn into 16 x 16 cells and
// written as a Windows bitmap at the screen's depth.
#include "launch_list.h"

#include <climits>

namespace {

const WORD kBitmapSignature = 0x4D42;  // "BM"
const int kFileHeaderBytes = 14;
const int kInfoHeaderBytes = 40;
const DWORD kOpaqueAlpha = 0x40;

void PutWord(std::vector<BYTE>* bytes, size_t at, WORD value)
{
    (*bytes)[at] = static_cast<BYTE>(value & 0xFF);
    (*bytes)[at + 1] = static_cast<BYTE>(value >> 8);
}

void PutDword(std::vector<BYTE>* bytes, size_t at, DWORD value)
{
    PutWord(bytes, at, static_cast<WORD>(value & 0xFFFF));
    PutWord(bytes, at + 2, static_cast<WORD>(value >> 16));
}

int ColourDistance(COLORREF a, COLORREF b)
{
    const int red = GetRValue(a) - GetRValue(b);
    const int green = GetGValue(a) - GetGValue(b);
    const int blue = GetBValue(a) - GetBValue(b);
    return red * red + green * green + blue * blue;
}

// The palette index closest to colour among the first `usable` entries.
int NearestIndex(COLORREF colour, const std::vector<COLORREF>& palette, size_t usable)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (size_t i = 0; i < usable && i < palette.size(); ++i) {
        int distance = ColourDistance(colour, palette[i]);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// Copies a 16 x 16 icon into its cell of a top-down 32-bit surface with no
// blending: pixels at least a quarter opaque keep their colour, the others stay
// the transparent colour (blended edges would show as a fringe of it).
// False when the icon is not 16 x 16 or its bitmaps cannot be read.
bool CopyIconCell(DWORD* surface, int surfaceWidth, int x, int y, HICON icon)
{
    const int size = CLaunchList::kIconSize;
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info))
        return false;
    bool copied = false;
    BITMAP colourBitmap = {};
    if (info.hbmColor && ::GetObjectW(info.hbmColor, sizeof(colourBitmap), &colourBitmap) &&
        colourBitmap.bmWidth == size && colourBitmap.bmHeight == size) {
        BITMAPINFO request = {};
        request.bmiHeader.biSize = sizeof(request.bmiHeader);
        request.bmiHeader.biWidth = size;
        request.bmiHeader.biHeight = -size;
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        DWORD colours[16 * 16] = {};
        DWORD mask[16 * 16] = {};
        HDC screen = ::GetDC(nullptr);
        const bool read = ::GetDIBits(screen, info.hbmColor, 0, size, colours, &request, DIB_RGB_COLORS) == size &&
                          ::GetDIBits(screen, info.hbmMask, 0, size, mask, &request, DIB_RGB_COLORS) == size;
        ::ReleaseDC(nullptr, screen);
        if (read) {
            bool hasAlpha = false;
            for (DWORD pixel : colours)
                hasAlpha = hasAlpha || (pixel >> 24) != 0;
            for (int row = 0; row < size; ++row) {
                for (int column = 0; column < size; ++column) {
                    const DWORD pixel = colours[row * size + column];
                    const bool opaque = hasAlpha ? (pixel >> 24) >= kOpaqueAlpha : (mask[row * size + column] & 0xFFFFFF) == 0;
                    if (opaque)
                        surface[(y + row) * surfaceWidth + x + column] = pixel & 0xFFFFFF;
                }
            }
            copied = true;
        }
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return copied;
}

}  // namespace

int IconCacheBits(int screenBits, std::vector<COLORREF>* palette)
{
    palette->clear();
    if (screenBits >= 16)
        return 24;
    if (screenBits == 8) {
        PALETTEENTRY entries[256] = {};
        HDC screen = ::GetDC(nullptr);
        UINT count = screen ? ::GetSystemPaletteEntries(screen, 0, 256, entries) : 0;
        if (screen)
            ::ReleaseDC(nullptr, screen);
        for (int i = 0; i < 256; ++i) {
            const PALETTEENTRY& entry = entries[i < static_cast<int>(count) ? i : 0];
            palette->push_back(RGB(entry.peRed, entry.peGreen, entry.peBlue));
        }
        return 8;
    }
    if (screenBits == 4) {
        for (int i = 0; i < 16; ++i)
            palette->push_back(RGB(i * 17, i * 17, i * 17));
        return 4;
    }
    // Four greys, the rest of the sixteen entries unused.
    const BYTE greys[4] = {0, 128, 192, 255};
    for (int i = 0; i < 16; ++i)
        palette->push_back(i < 4 ? RGB(greys[i], greys[i], greys[i]) : RGB(0, 0, 0));
    return 2;
}

std::vector<BYTE> BitmapFileBytes(int width, int height, const std::vector<COLORREF>& pixels, int bitsPerPixel,
                                  const std::vector<COLORREF>& palette)
{
    // Depth 2 means four greys written as 4-bit pixels.
    const bool fourGreys = bitsPerPixel == 2;
    const int fileBits = fourGreys ? 4 : bitsPerPixel;
    const size_t paletteEntries = fileBits == 24 ? 0 : (fileBits == 8 ? 256 : 16);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        pixels.size() != static_cast<size_t>(width) * height || (fileBits != 24 && fileBits != 8 && fileBits != 4) ||
        palette.size() < paletteEntries)
        return {};
    const size_t usable = fourGreys ? 4 : paletteEntries;

    const size_t rowBytes = ((static_cast<size_t>(width) * fileBits + 31) / 32) * 4;
    const size_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + paletteEntries * 4;
    std::vector<BYTE> bytes(pixelOffset + rowBytes * height, 0);

    PutWord(&bytes, 0, kBitmapSignature);
    PutDword(&bytes, 2, static_cast<DWORD>(bytes.size()));
    PutDword(&bytes, 10, static_cast<DWORD>(pixelOffset));
    PutDword(&bytes, 14, kInfoHeaderBytes);
    PutDword(&bytes, 18, static_cast<DWORD>(width));
    PutDword(&bytes, 22, static_cast<DWORD>(height));  // positive: rows bottom-up
    PutWord(&bytes, 26, 1);
    PutWord(&bytes, 28, static_cast<WORD>(fileBits));
    PutDword(&bytes, 30, BI_RGB);
    PutDword(&bytes, 34, static_cast<DWORD>(rowBytes * height));
    PutDword(&bytes, 46, static_cast<DWORD>(paletteEntries));
    for (size_t i = 0; i < paletteEntries; ++i) {
        const size_t at = kFileHeaderBytes + kInfoHeaderBytes + i * 4;
        bytes[at] = GetBValue(palette[i]);
        bytes[at + 1] = GetGValue(palette[i]);
        bytes[at + 2] = GetRValue(palette[i]);
    }

    for (int y = 0; y < height; ++y) {
        BYTE* row = &bytes[pixelOffset + rowBytes * (height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = pixels[static_cast<size_t>(y) * width + x];
            if (fileBits == 24) {
                row[3 * x] = GetBValue(colour);
                row[3 * x + 1] = GetGValue(colour);
                row[3 * x + 2] = GetRValue(colour);
            } else if (fileBits == 8) {
                row[x] = static_cast<BYTE>(NearestIndex(colour, palette, usable));
            } else {
                const BYTE index = static_cast<BYTE>(NearestIndex(colour, palette, usable));
                row[x / 2] |= x % 2 ? index : static_cast<BYTE>(index << 4);
            }
        }
    }
    return bytes;
}

BOOL CLaunchList::WriteIconCache(LPCWSTR path) const
{
    if (!path || !*path)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kCacheSide;
    info.bmiHeader.biHeight = -kCacheSide;  // top-down, so pixel rows read in screen order
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    int screenBits = screen ? ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES) : 24;
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP surface = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (screen)
        ::ReleaseDC(nullptr, screen);
    if (!memory || !surface || !bits) {
        if (surface)
            ::DeleteObject(surface);
        if (memory)
            ::DeleteDC(memory);
        return FALSE;
    }
    HGDIOBJ oldBitmap = ::SelectObject(memory, surface);
    const RECT whole = {0, 0, kCacheSide, kCacheSide};
    HBRUSH background = ::CreateSolidBrush(kTransparent);
    ::FillRect(memory, &whole, background);
    ::DeleteObject(background);
    ::GdiFlush();
    for (int i = 0; i < GetCount() && i < kCachedEntries; ++i) {
        HICON icon = CFileInfo::GetFileIcon(GetPath(i));
        if (!icon)
            continue;
        const int x = (i % kColumns) * kIconSize;
        const int y = (i / kColumns) * kIconSize;
        if (!CopyIconCell(static_cast<DWORD*>(bits), kCacheSide, x, y, icon)) {
            ::DrawIconEx(memory, x, y, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
            ::GdiFlush();
        }
        ::DestroyIcon(icon);
    }

    std::vector<COLORREF> pixels(static_cast<size_t>(kCacheSide) * kCacheSide);
    const DWORD* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const DWORD bgr = source[i];  // 0x00RRGGBB in a 32-bit DIB
        pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(surface);
    ::DeleteDC(memory);

    std::vector<COLORREF> palette;
    const int depth = IconCacheBits(screenBits, &palette);
    return WriteWholeFile(path, BitmapFileBytes(kCacheSide, kCacheSide, pixels, depth, palette));
}
