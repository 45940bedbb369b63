// The theme library's preview drawing, pixel by pixel, into the test kit's
// surfaces: the caption gradient's bands, the Today and Start menu
// previews' bands, scaling, tiling and frames.
#include <gtest/gtest.h>

#include "theme_test_support.h"

using testkit::PixelSurface;
using testkit::ScratchFolder;

namespace {

const COLORREF kFill = RGB(0x12, 0x34, 0x56);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

CTskInfo Colours()
{
    CTskInfo info;
    for (int i = 0; i < CTskColor::kCount; ++i)
        info.m_color[i] = RGB(10 * i, 0x80, 0xFF - 10 * i);
    return info;
}

} // namespace

TEST(PreviewDrawing, GradientBandsAndTheirColours)
{
    PixelSurface surface(12, 4, kFill);
    ASSERT_TRUE(DrawGradient(surface.dc(), POINT{1, 1}, SIZE{10, 2}, 4, RGB(0, 0, 0), RGB(0, 0, 0xFF)));
    // Bands from x = 1 + trunc(i x 10 / 4): 1, 3, 6, 8; blue (0 x (4 - i) + 255 x i) / 4.
    const BYTE blue[] = {0, 63, 127, 191};
    const int first[] = {1, 3, 6, 8};
    const int last[] = {2, 5, 7, 10};
    for (int band = 0; band < 4; ++band)
        for (int x = first[band]; x <= last[band]; ++x)
            for (int y = 1; y <= 2; ++y)
                EXPECT_EQ(RGB(0, 0, blue[band]), surface.At(x, y)) << "band " << band << " at " << x << "," << y;
    EXPECT_EQ(kFill, surface.At(0, 1));
    EXPECT_EQ(kFill, surface.At(11, 1));
    EXPECT_EQ(kFill, surface.At(5, 0));
    EXPECT_EQ(kFill, surface.At(5, 3));

    PixelSurface untouched(8, 8, kFill);
    DrawGradient(untouched.dc(), POINT{0, 0}, SIZE{8, 8}, 0, kBlack, kWhite);
    DrawGradient(untouched.dc(), POINT{0, 0}, SIZE{8, 8}, -3, kBlack, kWhite);
    EXPECT_EQ(64, untouched.Count(RECT{0, 0, 8, 8}, kFill)) << "no steps, no bands";
}

TEST(PreviewDrawing, TodayPreviewBands)
{
    ScratchFolder folder(L"preview-today");
    CTskInfo info = Colours();
    const COLORREF picture = RGB(0x20, 0xA0, 0x40);
    std::wstring today = folder / L"today.bmp";
    ASSERT_TRUE(testkit::WriteBmp(today, 240, 268, testkit::Plain(picture)));
    wcscpy_s(info.m_szToday, MAX_PATH, today.c_str());

    // 135 x 180 at (5, 7): scale 180 / 320, top band 19, bottom band 16.
    PixelSurface surface(150, 200, kFill);
    ASSERT_TRUE(DrawToday(surface.dc(), POINT{5, 7}, SIZE{135, 180}, &info));
    const int left = 5, top = 7, right = 5 + 134, bottom = 7 + 179;
    // The frame and nothing outside it.
    for (int x = left; x <= right; x += 19) {
        EXPECT_EQ(kBlack, surface.At(x, top)) << x;
        EXPECT_EQ(kBlack, surface.At(x, bottom)) << x;
    }
    EXPECT_EQ(kBlack, surface.At(left, 100));
    EXPECT_EQ(kBlack, surface.At(right, 100));
    EXPECT_EQ(kFill, surface.At(left - 1, 100));
    EXPECT_EQ(kFill, surface.At(right + 1, 100));
    EXPECT_EQ(kFill, surface.At(60, bottom + 1));
    // The caption band: 15 steps from colour 2 at its left to near colour 3.
    EXPECT_EQ(info.m_color[2], surface.At(left + 1, top + 10));
    EXPECT_NE(picture, surface.At(60, top + 18)) << "band of 19 rows";
    EXPECT_EQ(picture, surface.At(60, top + 19)) << "the picture starts below the caption band";
    // The picture over the middle band, the black line, the command band.
    EXPECT_EQ(picture, surface.At(right - 1, top + 19 + 143));
    EXPECT_EQ(kBlack, surface.At(60, top + 180 - 16 - 1)) << "the line at y + height - bottom band - 1";
    EXPECT_EQ(info.m_color[5], surface.At(60, top + 180 - 16));
    EXPECT_EQ(info.m_color[5], surface.At(60, bottom - 1));
}

TEST(PreviewDrawing, TodayPictureScaledFromTheCornerOnWhite)
{
    ScratchFolder folder(L"preview-small");
    CTskInfo info = Colours();
    const COLORREF picture = RGB(0xC0, 0x20, 0x20);
    std::wstring today = folder / L"small.bmp";
    ASSERT_TRUE(testkit::WriteBmp(today, 100, 100, testkit::Plain(picture)));
    wcscpy_s(info.m_szToday, MAX_PATH, today.c_str());
    // Height 160: scale 0.5, top band 17, bottom 15; 100 x 100 becomes the
    // inclusive square (0,0)-(50,50) of the middle band.
    PixelSurface surface(120, 160, kFill);
    DrawToday(surface.dc(), POINT{0, 0}, SIZE{120, 160}, &info);
    EXPECT_EQ(picture, surface.At(1, 17));
    EXPECT_EQ(picture, surface.At(50, 17 + 50));
    EXPECT_EQ(kWhite, surface.At(51, 17 + 10)) << "beside the scaled picture";
    EXPECT_EQ(kWhite, surface.At(10, 17 + 51)) << "below it";

    // A missing picture leaves the middle band white; the bands still show.
    wcscpy_s(info.m_szToday, MAX_PATH, (folder / L"missing.bmp").c_str());
    EXPECT_TRUE(DrawToday(surface.dc(), POINT{0, 0}, SIZE{120, 160}, &info));
    EXPECT_EQ(kWhite, surface.At(10, 60));
    EXPECT_EQ(info.m_color[5], surface.At(10, 150));
}

TEST(PreviewDrawing, StartMenuPreviewTilesTheScaledPicture)
{
    ScratchFolder folder(L"preview-start");
    CTskInfo info = Colours();
    const COLORREF corner = RGB(0xFF, 0x00, 0x00), rest = RGB(0x00, 0x00, 0xFF);
    std::wstring start = folder / L"start.bmp";
    // 40 x 40 with a red top-left quarter; at height 51 (scale 0.2) it
    // becomes the inclusive square (0,0)-(8,8): tiles of 9 x 9.
    ASSERT_TRUE(testkit::WriteBmp(start, 40, 40, testkit::Quarters(40, 40, corner, rest, rest, rest)));
    wcscpy_s(info.m_szStart, MAX_PATH, start.c_str());
    PixelSurface surface(40, 51, kFill);
    ASSERT_TRUE(DrawStartMenu(surface.dc(), POINT{0, 0}, SIZE{40, 51}, &info));
    for (int tile = 0; tile < 4; ++tile) {
        EXPECT_EQ(corner, surface.At(1 + 9 * tile, 1)) << "tile " << tile;
        EXPECT_EQ(rest, surface.At(7 + 9 * tile, 7)) << "tile " << tile;
    }
    EXPECT_EQ(corner, surface.At(1, 1 + 9)) << "tiles repeat downwards too";
    EXPECT_EQ(kBlack, surface.At(0, 20));
    EXPECT_EQ(kBlack, surface.At(39, 20));
    EXPECT_EQ(kBlack, surface.At(20, 50));
}

TEST(PreviewDrawing, NavigationTrayAndCaptionWithAPicture)
{
    ScratchFolder folder(L"preview-tray");
    CTskInfo info = Colours();
    std::wstring icon = folder / L"icon.bmp";
    const COLORREF key = RGB(0xFF, 0x00, 0xFF), mark = RGB(0x00, 0x60, 0x00);
    ASSERT_TRUE(testkit::WriteBmp(icon, 4, 4, testkit::Quarters(4, 4, mark, key, key, key)));

    PixelSurface tray(30, 10, kFill);
    EXPECT_TRUE(DrawNavTray(tray.dc(), POINT{2, 2}, SIZE{20, 6}, &info, icon.c_str(), key));
    EXPECT_EQ(mark, tray.At(2, 2)) << "the picture at the point";
    EXPECT_EQ(info.m_color[6], tray.At(5, 2)) << "its transparent colour leaves the tray colour";
    EXPECT_EQ(info.m_color[6], tray.At(21, 7));
    EXPECT_EQ(kFill, tray.At(22, 7));
    EXPECT_FALSE(DrawNavTray(tray.dc(), POINT{0, 0}, SIZE{4, 4}, &info, (folder / L"none.bmp").c_str(), key));
    EXPECT_EQ(info.m_color[6], tray.At(0, 0)) << "filled even without the picture";

    PixelSurface caption(20, 4, kFill);
    EXPECT_FALSE(DrawGradientDlg(caption.dc(), POINT{0, 0}, SIZE{20, 4}, 2, kBlack, kWhite,
                                 (folder / L"none.bmp").c_str(), key));
    EXPECT_EQ(kBlack, caption.At(0, 0)) << "the gradient without the picture";
    EXPECT_TRUE(DrawGradientDlg(caption.dc(), POINT{0, 0}, SIZE{20, 4}, 2, kBlack, kWhite, icon.c_str(), 0xFFFFFFFF));
    EXPECT_EQ(key, caption.At(3, 0)) << "opaque with 0xFFFFFFFF";
}
