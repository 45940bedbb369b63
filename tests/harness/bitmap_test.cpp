// The harness can draw into a memory bitmap and read the pixels back.
#include <gtest/gtest.h>

#include <windows.h>

TEST(HarnessBitmap, DrawnPixelsReadBackExactly)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -8;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(dc);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap);
    HGDIOBJ old = SelectObject(dc, bitmap);

    HBRUSH white = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
    HBRUSH blue = CreateSolidBrush(RGB(0x10, 0x20, 0xC0));
    RECT all = {0, 0, 16, 8}, part = {4, 2, 8, 6};
    FillRect(dc, &all, white);
    FillRect(dc, &part, blue);
    SetPixel(dc, 15, 7, RGB(0xAB, 0xCD, 0xEF));
    GdiFlush();

    EXPECT_EQ(RGB(0x10, 0x20, 0xC0), GetPixel(dc, 4, 2));
    EXPECT_EQ(RGB(0x10, 0x20, 0xC0), GetPixel(dc, 7, 5));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), GetPixel(dc, 8, 5)) << "the fill rectangle excludes its right edge";
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), GetPixel(dc, 15, 7));
    // The DIB's memory holds the same pixels, blue first.
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    EXPECT_EQ(0x001020C0u, pixels[2 * 16 + 4] & 0x00FFFFFFu);
    EXPECT_EQ(0x00ABCDEFu, pixels[7 * 16 + 15] & 0x00FFFFFFu);

    SelectObject(dc, old);
    DeleteObject(white);
    DeleteObject(blue);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
