// Decoding image files and resources through the device's image decoder,
// and what a failed load leaves behind.
#include <gtest/gtest.h>

#include <cstdlib>

#include "drawing.h"
#include "image_decode_test_ids.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

// Four 8 x 8 quadrants of distinct colours: block-aligned, so even JPEG
// keeps the quadrant centres close to their colour.
COLORREF Quadrants(int x, int y)
{
    static const COLORREF colours[4] = {RGB(220, 30, 30), RGB(30, 200, 40), RGB(40, 50, 210), RGB(240, 240, 60)};
    return colours[(y / 8) * 2 + x / 8];
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Draws the image into a fresh 32-bit surface and compares every pixel
// (lossless formats) or the quadrant centres (JPEG).
void ExpectQuadrants(CImage& image, int tolerance)
{
    ASSERT_TRUE(image.IsLoaded());
    ASSERT_EQ(image.GetWidth(), 16);
    ASSERT_EQ(image.GetHeight(), 16);
    PixelSurface surface(16, 16, RGB(0, 0, 0));
    image.Draw(surface.dc(), 0, 0, kOpaqueCopy);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (tolerance > 0 && (x % 8 != 4 || y % 8 != 4))
                continue;
            ASSERT_TRUE(Near(surface.At(x, y), Quadrants(x, y), tolerance))
                << "at " << x << "," << y << ": " << std::hex << surface.At(x, y);
        }
    }
}

TEST(ImageDecode, DecodesBmpGifPngAndJpegFiles)
{
    ScratchFolder scratch(L"image_decode");
    PixelSurface reference(1, 1, 0);
    struct Case {
        const wchar_t* name;
        int tolerance;
    } cases[] = {{L"quadrants.bmp", 0}, {L"quadrants.gif", 0}, {L"quadrants.png", 0}, {L"quadrants.jpg", 24}};
    const std::wstring bmp = scratch / cases[0].name;
    ASSERT_TRUE(WriteBmp(bmp, 16, 16, Quadrants));
    ASSERT_TRUE(WritePicture(scratch / cases[1].name, PictureFormat::Gif, 16, 16, Quadrants));
    ASSERT_TRUE(WritePicture(scratch / cases[2].name, PictureFormat::Png, 16, 16, Quadrants));
    ASSERT_TRUE(WritePicture(scratch / cases[3].name, PictureFormat::Jpeg, 16, 16, Quadrants));

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        CImage image;
        ASSERT_TRUE(image.Load(reference.dc(), (scratch / c.name).c_str()));
        ExpectQuadrants(image, c.tolerance);
    }

    // Without a context the screen's depth is used.
    CImage screenDepth(nullptr, bmp.c_str());
    ExpectQuadrants(screenDepth, 0);
}

// The bits a picture is kept in, as its bitmap says.
int BitsOf(const CImage& image)
{
    BITMAP info = {};
    return GetObjectW(static_cast<HBITMAP>(image), sizeof(info), &info) ? info.bmBitsPixel : 0;
}

// Kept in fewer bits, a picture still draws every pixel exactly: a GIF in a
// palette, a many-coloured PNG in 24 bits; a bitmap file read without the
// decoder at the screen's depth.
TEST(ImageDecode, StoredPicturesDrawTheSameInFewerBits)
{
    ScratchFolder scratch(L"image_decode");
    const auto gradient = [](int x, int y) { return RGB(x * 15, y * 15, (x + y) * 7); };  // 289 colours
    ASSERT_TRUE(WriteBmp(scratch / L"quadrants.bmp", 16, 16, Quadrants));
    ASSERT_TRUE(WritePicture(scratch / L"quadrants.gif", PictureFormat::Gif, 16, 16, Quadrants));
    ASSERT_TRUE(WritePicture(scratch / L"many.png", PictureFormat::Png, 17, 17, gradient));

    CImage bitmapFile, gif, png;
    ASSERT_TRUE(bitmapFile.LoadStored(nullptr, (scratch / L"quadrants.bmp").c_str()));
    ASSERT_TRUE(gif.LoadStored(nullptr, (scratch / L"quadrants.gif").c_str()));
    ASSERT_TRUE(png.LoadStored(nullptr, (scratch / L"many.png").c_str()));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(BitsOf(bitmapFile), GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(BitsOf(gif), 8);
    EXPECT_EQ(BitsOf(png), 24);
    ExpectQuadrants(bitmapFile, 0);
    ExpectQuadrants(gif, 0);
    EXPECT_EQ(gif.GetPixel(12, 3), Quadrants(12, 3));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            ASSERT_EQ(png.GetPixel(x, y), gradient(x, y)) << x << "," << y;

    // A broken bitmap file is no picture, whichever way it is read.
    ASSERT_TRUE(WriteBytes(scratch / L"broken.bmp", "BM not really"));
    EXPECT_FALSE(bitmapFile.LoadStored(nullptr, (scratch / L"broken.bmp").c_str()));
    EXPECT_FALSE(bitmapFile.IsLoaded());
}

TEST(ImageDecode, AFailedLoadEmptiesTheImage)
{
    ScratchFolder scratch(L"image_decode");
    PixelSurface reference(1, 1, 0);
    const std::wstring bmp = scratch / L"quadrants.bmp";
    ASSERT_TRUE(WriteBmp(bmp, 16, 16, Quadrants));
    const std::wstring garbage = scratch / L"garbage.png";
    ASSERT_TRUE(WriteBytes(garbage, "this is not a picture at all"));

    CImage image(reference.dc(), bmp.c_str());
    ASSERT_TRUE(image.IsLoaded());
    EXPECT_FALSE(image.Load(reference.dc(), (scratch / L"missing.bmp").c_str()));
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.GetWidth(), 16) << "the size stays as it was";
    EXPECT_EQ(image.Copy(), nullptr);

    ASSERT_TRUE(image.Load(reference.dc(), bmp.c_str()));
    EXPECT_FALSE(image.Load(reference.dc(), garbage.c_str()));
    EXPECT_FALSE(image.IsLoaded());

    PixelSurface surface(16, 16, RGB(9, 9, 9));
    image.Draw(surface.dc(), 0, 0, kOpaqueCopy);
    image.Draw(surface.dc(), RECT{0, 0, 15, 15}, RGB(0, 0, 0));
    EXPECT_EQ(surface.At(0, 0), RGB(9, 9, 9));
}

TEST(ImageDecode, LoadsImageResourcesOfTheProgram)
{
    PixelSurface reference(1, 1, 0);
    CImage image;
    ASSERT_TRUE(image.LoadFromResource(reference.dc(), IDR_TEST_PICTURE));
    ASSERT_EQ(image.GetWidth(), 2);
    ASSERT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(image.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(image.GetPixel(1, 1), RGB(255, 255, 255));

    EXPECT_FALSE(image.LoadFromResource(reference.dc(), IDR_TEST_PICTURE + 1));
    EXPECT_FALSE(image.IsLoaded());
    // The same picture under a type it is not stored as.
    EXPECT_FALSE(image.SetBitmap(reference.dc(), IDR_TEST_PICTURE, L"PICTURE", GetModuleHandleW(nullptr)));
    EXPECT_TRUE(image.SetBitmap(reference.dc(), IDR_TEST_PICTURE, L"IMAGE", GetModuleHandleW(nullptr)));
}

} // namespace
