// The image drawing rules every skin relies on: inclusive Draw rectangles,
// half-open DrawTile destinations clipped (not squeezed) at the far edges,
// opaque versus transparent copies, and icon-strip cells. Images are 24-bit
// BMP files decoded through the device's decoder; results are read back
// from a 32-bit memory surface.
#include <gtest/gtest.h>

#include "drawing.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const COLORREF kBackground = RGB(1, 2, 3);
const COLORREF kKey = RGB(255, 0, 255);

// Every pixel of the 10 x 10 grid picture differs from every other.
COLORREF Grid(int x, int y)
{
    return RGB(20 * x + 5, 20 * y + 5, 77);
}

// The 20 x 20 picture is made of 2 x 2 blocks of one colour.
COLORREF Blocks(int x, int y)
{
    return RGB((x / 2) * 25, (y / 2) * 25, 200);
}

// A 4 x 4 red picture with two pixels in the key colour.
COLORREF Keyed(int x, int y)
{
    return (x == 1 && y == 1) || (x == 2 && y == 3) ? kKey : RGB(200, 0, 0);
}

class ImageDraw : public ::testing::Test {
protected:
    void Load(CImage& image, const wchar_t* name, int width, int height, PixelColour colour)
    {
        const std::wstring path = files / name;
        ASSERT_TRUE(WriteBmp(path, width, height, colour));
        ASSERT_TRUE(image.Load(target.dc(), path.c_str()));
        ASSERT_EQ(image.GetWidth(), width);
        ASSERT_EQ(image.GetHeight(), height);
    }

    // The pixels of the target inside [0, width) x [0, height) must be what
    // `expected` says; everything else must still be background.
    void ExpectPixels(int width, int height, const std::function<COLORREF(int, int)>& expected)
    {
        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const COLORREF want = x < width && y < height ? expected(x, y) : kBackground;
                ASSERT_EQ(target.At(x, y), want) << "at " << x << "," << y;
            }
        }
    }

    void ExpectUntouched() { ExpectPixels(0, 0, nullptr); }

    PixelSurface target{32, 32, kBackground};
    ScratchFolder files{L"image_draw"};
};

TEST_F(ImageDraw, DrawTileClipsTheLastColumnAndRowWithoutSqueezing)
{
    CImage grid;
    Load(grid, L"grid.bmp", 10, 10, Grid);

    // 25 pixels: columns and rows of 10, 10 and 5.
    grid.DrawTile(target.dc(), RECT{0, 0, 25, 25}, kOpaqueCopy);
    ExpectPixels(25, 25, [](int x, int y) { return Grid(x % 10, y % 10); });

    // 20 pixels: exactly two of each, nothing beyond.
    target.Fill(kBackground);
    grid.DrawTile(target.dc(), RECT{0, 0, 20, 20}, kOpaqueCopy);
    ExpectPixels(20, 20, [](int x, int y) { return Grid(x % 10, y % 10); });
}

TEST_F(ImageDraw, DrawTileRepeatsAnInclusiveSourceArea)
{
    CImage grid;
    Load(grid, L"grid.bmp", 10, 10, Grid);
    grid.DrawTile(target.dc(), RECT{0, 0, 11, 9}, RECT{2, 3, 5, 6}, kOpaqueCopy);
    ExpectPixels(11, 9, [](int x, int y) { return Grid(2 + x % 4, 3 + y % 4); });
}

TEST_F(ImageDraw, DrawStretchesBetweenInclusiveRectangles)
{
    CImage blocks;
    Load(blocks, L"blocks.bmp", 20, 20, Blocks);
    // The whole 20 x 20 picture halved into (0, 0)-(9, 9).
    blocks.Draw(target.dc(), RECT{0, 0, 9, 9}, kOpaqueCopy);
    ExpectPixels(10, 10, [](int x, int y) { return Blocks(2 * x, 2 * y); });

    // A 4 x 4 source area copied one to one.
    CImage grid;
    Load(grid, L"grid.bmp", 10, 10, Grid);
    target.Fill(kBackground);
    grid.Draw(target.dc(), RECT{0, 0, 3, 3}, RECT{4, 5, 7, 8}, kOpaqueCopy);
    ExpectPixels(4, 4, [](int x, int y) { return Grid(4 + x, 5 + y); });
}

TEST_F(ImageDraw, TransparentColourLeavesTheDestinationOnlyWhereItMatchesExactly)
{
    CImage keyed;
    Load(keyed, L"keyed.bmp", 4, 4, Keyed);

    keyed.Draw(target.dc(), 0, 0, kKey);
    ExpectPixels(4, 4, [](int x, int y) { return Keyed(x, y) == kKey ? kBackground : Keyed(x, y); });

    // One step off the key colour is an ordinary colour.
    target.Fill(kBackground);
    keyed.Draw(target.dc(), RECT{0, 0, 3, 3}, RGB(254, 0, 255));
    ExpectPixels(4, 4, Keyed);

    target.Fill(kBackground);
    keyed.Draw(target.dc(), 0, 0, kOpaqueCopy);
    ExpectPixels(4, 4, Keyed);
}

TEST_F(ImageDraw, EmptyImagesDegenerateSourcesAndReversedDestinationsDrawNothing)
{
    CImage empty;
    empty.Draw(target.dc(), 0, 0, kOpaqueCopy);
    empty.Draw(target.dc(), RECT{0, 0, 9, 9}, kKey);
    empty.DrawTile(target.dc(), RECT{0, 0, 20, 20}, kOpaqueCopy);
    empty.DrawTile(target.dc(), RECT{0, 0, 20, 20}, kKey);
    EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
    ExpectUntouched();

    CImage grid;
    Load(grid, L"grid.bmp", 10, 10, Grid);
    grid.DrawTile(target.dc(), RECT{0, 0, 20, 20}, RECT{5, 5, 4, 4}, kOpaqueCopy);
    grid.DrawTile(target.dc(), RECT{0, 0, 20, 20}, RECT{5, 5, 5, 2}, kKey);
    grid.Draw(target.dc(), RECT{0, 0, 9, 9}, RECT{5, 5, 4, 9}, kOpaqueCopy);
    grid.Draw(target.dc(), RECT{9, 9, 0, 0}, kOpaqueCopy);
    grid.Draw(target.dc(), RECT{9, 0, 0, 9}, kKey);
    grid.DrawTile(target.dc(), RECT{20, 20, 0, 0}, kOpaqueCopy);
    grid.DrawTile(target.dc(), RECT{5, 5, 5, 5}, kOpaqueCopy);
    ExpectUntouched();
}

TEST_F(ImageDraw, NaturalSizeCopyAndStretchAreRecorded)
{
    CImage grid;
    Load(grid, L"grid.bmp", 10, 10, Grid);

    grid.Draw(target.dc(), 0, 0, 20, 20);
    EXPECT_TRUE(g_bStretchBlt);
    ExpectPixels(20, 20, [](int x, int y) { return Grid(x / 2, y / 2); });

    target.Fill(kBackground);
    grid.Draw(target.dc(), 3, 2, 10, 10);
    EXPECT_FALSE(g_bStretchBlt);
    EXPECT_EQ(target.At(3, 2), Grid(0, 0));
    EXPECT_EQ(target.At(12, 11), Grid(9, 9));
    EXPECT_EQ(target.At(13, 11), kBackground);
}

TEST_F(ImageDraw, CopyAndGetPixelReadTheDecodedPixels)
{
    CImage grid;
    Load(grid, L"grid.bmp", 10, 10, Grid);
    EXPECT_EQ(grid.GetPixel(3, 7), Grid(3, 7));

    HBITMAP copy = grid.Copy();
    ASSERT_NE(copy, nullptr);
    grid.DrawTile(target.dc(), RECT{0, 0, 10, 10}, kOpaqueCopy);  // the image stays usable
    target.Fill(kBackground);
    HDC scratch = CreateCompatibleDC(target.dc());
    HGDIOBJ old = SelectObject(scratch, copy);
    BitBlt(target.dc(), 0, 0, 10, 10, scratch, 0, 0, SRCCOPY);
    SelectObject(scratch, old);
    DeleteDC(scratch);
    DeleteObject(copy);
    ExpectPixels(10, 10, Grid);
}

// The icon strip: 4 columns x 2 rows of 16 x 16 cells, each of its own
// colour, with one key-coloured pixel in cell (1, 2).
COLORREF Strip(int x, int y)
{
    if (x == 2 * 16 + 3 && y == 16 + 4)
        return CIconList::kTransparent;
    return RGB(40 * (x / 16) + 10, 100 * (y / 16) + 20, 150);
}

TEST_F(ImageDraw, IconListDrawsOneCellLeavingOutTheStripKeyColour)
{
    const std::wstring path = files / L"strip.bmp";
    ASSERT_TRUE(WriteBmp(path, 64, 32, Strip));
    CDC dc(target.dc());
    CIconList icons;
    icons.Draw(&dc, 0, 0, 0, 0);  // nothing loaded yet
    ExpectUntouched();
    ASSERT_TRUE(icons.Load(&dc, path.c_str()));
    EXPECT_FALSE(icons.Load(&dc, (files / L"no such strip.bmp").c_str()));

    icons.Draw(&dc, 5, 6, 1, 2);
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const bool inCell = x >= 5 && x < 21 && y >= 6 && y < 22;
            const COLORREF source = Strip(32 + x - 5, 16 + y - 6);
            const COLORREF want = inCell && source != CIconList::kTransparent ? source : kBackground;
            ASSERT_EQ(target.At(x, y), want) << "at " << x << "," << y;
        }
    }
}

TEST_F(ImageDraw, BitmapSurfaceFollowsTheSameRulesAndCanBeRemade)
{
    CBitmapDC surface(target.dc(), 10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            surface.SetPixel(x, y, Grid(x, y));
    surface.DrawTile(target.dc(), RECT{0, 0, 25, 25}, kOpaqueCopy);
    ExpectPixels(25, 25, [](int x, int y) { return Grid(x % 10, y % 10); });

    target.Fill(kBackground);
    surface.SetPixel(4, 4, kKey);
    surface.Draw(target.dc(), RECT{0, 0, 9, 9}, kKey);
    ExpectPixels(10, 10, [](int x, int y) { return x == 4 && y == 4 ? kBackground : Grid(x, y); });

    // Remade at another size, then at no size at all.
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_TRUE(surface.DeleteDC());
    EXPECT_TRUE(surface.CreateDCW(target.dc(), 3, 2));
    EXPECT_EQ(surface.GetWidth(), 3);
    EXPECT_EQ(surface.GetHeight(), 2);
    CBrush fill(blue);
    const RECT all = {0, 0, 3, 2};
    surface.FillRect(&all, &fill);
    target.Fill(kBackground);
    surface.Draw(target.dc(), 0, 0, kOpaqueCopy);
    ExpectPixels(3, 2, [&](int, int) { return blue; });

    EXPECT_TRUE(surface.CreateDCW(target.dc(), 0, 0));
    target.Fill(kBackground);
    surface.Draw(target.dc(), 0, 0, kOpaqueCopy);
    surface.DrawTile(target.dc(), RECT{0, 0, 20, 20}, kOpaqueCopy);
    ExpectUntouched();
    EXPECT_TRUE(surface.DeleteDC());
}

} // namespace
