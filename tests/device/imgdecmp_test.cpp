// imgdecmp.dll: images pulled through the caller's callback come out as
// bitmaps of the asked size and depth, with exact colours where the format
// is lossless.
#include <gtest/gtest.h>

#include <imgdecmp.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const COLORREF kMask = RGB(255, 0, 255);

// The colour of pixel (x, y) of every fixture: the mask colour on the
// diagonal, distinct exact colours elsewhere.
COLORREF FixtureColour(int x, int y)
{
    return x == y ? kMask : RGB(20 * x, 40 * y, 200);
}

// The fixture picture's file in one of the formats.
std::vector<BYTE> Picture(PictureFormat format, int width, int height)
{
    const std::string bytes = EncodePicture(format, width, height, FixtureColour);
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

// The caller's side of the decoder: hands out the data a few bytes at a
// time, so the decoder must keep pulling until the callback returns 0.
struct Reader {
    const std::vector<BYTE>* data;
    size_t position;
};

DWORD CALLBACK ReadSome(LPSTR buffer, DWORD max, LPARAM param)
{
    Reader* reader = reinterpret_cast<Reader*>(param);
    size_t count = std::min<size_t>({max, 97, reader->data->size() - reader->position});
    memcpy(buffer, reader->data->data() + reader->position, count);
    reader->position += count;
    return (DWORD)count;
}

struct Request {
    int bitDepth = 24;
    int scale = 100;
    int maxWidth = 10000;
    int maxHeight = 10000;
};

HRESULT Decode(const std::vector<BYTE>& data, const Request& request, HBITMAP* bitmap)
{
    BYTE work[1024] = {};
    Reader reader{&data, 0};
    DecompressImageInfo info = {};
    info.dwSize = sizeof(info);
    info.pbBuffer = work;
    info.dwBufferMax = sizeof(work);
    info.phBM = bitmap;
    info.iBitDepth = request.bitDepth;
    info.lParam = (LPARAM)&reader;
    info.iScale = request.scale;
    info.iMaxWidth = request.maxWidth;
    info.iMaxHeight = request.maxHeight;
    info.pfnGetData = ReadSome;
    info.crTransparentOverride = CLR_INVALID;
    HRESULT hr = DecompressImageIndirect(&info);
    EXPECT_EQ(data.size(), reader.position) << "not all data was pulled";
    return hr;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP bm = {};
    GetObjectW(bitmap, sizeof(bm), &bm);
    return {bm.bmWidth, bm.bmHeight};
}

void ExpectFixturePixels(HBITMAP bitmap, int width, int height, const char* what)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(FixtureColour(x, y), GetPixel(dc, x, y)) << what << " at " << x << "," << y;
    SelectObject(dc, old);
    DeleteDC(dc);
}

class ImageDecoder : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        for (HBITMAP b : bitmaps_)
            DeleteObject(b);
        CoUninitialize();
    }
    // Decodes and keeps the bitmap for clean-up; null on failure.
    HBITMAP Decoded(const std::vector<BYTE>& data, const Request& request = Request())
    {
        HBITMAP bitmap = nullptr;
        if (Decode(data, request, &bitmap) != S_OK || !bitmap)
            return nullptr;
        bitmaps_.push_back(bitmap);
        return bitmap;
    }
    std::vector<HBITMAP> bitmaps_;
};

} // namespace

TEST_F(ImageDecoder, LosslessFormatsKeepExactColours)
{
    const struct {
        const char* name;
        std::vector<BYTE> data;
    } images[] = {
        {"BMP", Picture(PictureFormat::Bmp, 5, 3)},
        {"PNG", Picture(PictureFormat::Png, 5, 3)},
        {"GIF", Picture(PictureFormat::Gif, 5, 3)},
    };
    for (const auto& image : images) {
        for (int depth : {24, 32}) {
            HBITMAP bitmap = Decoded(image.data, Request{depth});
            ASSERT_TRUE(bitmap) << image.name;
            DIBSECTION dib = {};
            ASSERT_EQ((int)sizeof(dib), GetObjectW(bitmap, sizeof(dib), &dib)) << image.name << " is no DIB section";
            EXPECT_EQ(depth, dib.dsBm.bmBitsPixel);
            EXPECT_EQ(5, dib.dsBm.bmWidth);
            EXPECT_EQ(3, dib.dsBm.bmHeight);
            ExpectFixturePixels(bitmap, 5, 3, image.name);
        }
    }
}

TEST_F(ImageDecoder, JpegDecodesToItsSize)
{
    HBITMAP bitmap = Decoded(Picture(PictureFormat::Jpeg, 16, 8));
    ASSERT_TRUE(bitmap);
    SIZE size = BitmapSize(bitmap);
    EXPECT_EQ(16, size.cx);
    EXPECT_EQ(8, size.cy);
}

TEST_F(ImageDecoder, OtherDepthsGiveACompatibleBitmap)
{
    HBITMAP bitmap = Decoded(Picture(PictureFormat::Bmp, 6, 4), Request{16});
    ASSERT_TRUE(bitmap);
    DIBSECTION dib = {};
    EXPECT_EQ((int)sizeof(BITMAP), GetObjectW(bitmap, sizeof(dib), &dib));
    EXPECT_EQ(6, dib.dsBm.bmWidth);
    EXPECT_GT(dib.dsBm.bmBitsPixel, 1) << "a monochrome bitmap";
}

TEST_F(ImageDecoder, ScaleAndMaximumSizeKeepTheAspect)
{
    const std::vector<BYTE> bmp = Picture(PictureFormat::Bmp, 40, 20);
    const std::vector<BYTE> png = Picture(PictureFormat::Png, 40, 20);
    const std::vector<BYTE> jpeg = Picture(PictureFormat::Jpeg, 40, 20);
    const struct {
        Request request;
        SIZE want;
    } cases[] = {
        {{24, 50, 10000, 10000}, {20, 10}},
        {{24, 100, 16, 10000}, {16, 8}},
        {{24, 100, 10000, 5}, {10, 5}},
        {{24, 200, 60, 60}, {60, 30}},  // scaled first, then limited
        {{24, 1, 10000, 10000}, {1, 1}},
    };
    for (const auto& c : cases) {
        for (const auto* data : {&bmp, &png, &jpeg}) {
            HBITMAP bitmap = Decoded(*data, c.request);
            ASSERT_TRUE(bitmap);
            SIZE got = BitmapSize(bitmap);
            EXPECT_EQ(c.want.cx, got.cx) << "scale " << c.request.scale << " max " << c.request.maxWidth;
            EXPECT_EQ(c.want.cy, got.cy) << "scale " << c.request.scale << " max " << c.request.maxHeight;
        }
    }
    // Halving keeps source pixels, not blends: the mask stays exact.
    HBITMAP half = Decoded(bmp, Request{24, 50});
    ASSERT_TRUE(half);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, half);
    EXPECT_EQ(kMask, GetPixel(dc, 3, 3));
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST_F(ImageDecoder, BadRequestsFail)
{
    HBITMAP bitmap = (HBITMAP)0x1234;  // must stay untouched
    std::vector<BYTE> garbage(300, 0x5A);
    EXPECT_EQ(E_FAIL, Decode(garbage, Request(), &bitmap));
    EXPECT_EQ(E_FAIL, Decode(std::vector<BYTE>(), Request(), &bitmap));
    // A truncated file is not an image either.
    std::vector<BYTE> cut = Picture(PictureFormat::Bmp, 8, 8);
    cut.resize(40);
    EXPECT_EQ(E_FAIL, Decode(cut, Request(), &bitmap));
    // A signature followed by something else: neither the decoder it names
    // nor any other takes it.
    std::vector<BYTE> posing(garbage);
    memcpy(posing.data(), "GIF89a", 6);
    EXPECT_EQ(E_FAIL, Decode(posing, Request(), &bitmap));
    EXPECT_EQ((HBITMAP)0x1234, bitmap);

    // A record of another layout (the 32-bit one is 60 bytes) is refused.
    DecompressImageInfo info = {};
    info.dwSize = 60;
    info.phBM = &bitmap;
    EXPECT_EQ(E_FAIL, DecompressImageIndirect(&info));
    EXPECT_EQ(E_FAIL, DecompressImageIndirect(nullptr));
}

TEST_F(ImageDecoder, WorksOnAThreadInAnotherApartment)
{
    const std::vector<BYTE> png = Picture(PictureFormat::Png, 5, 3);
    HRESULT hr = E_UNEXPECTED;
    HBITMAP bitmap = nullptr;
    std::thread worker([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        hr = Decode(png, Request(), &bitmap);
        CoUninitialize();
    });
    worker.join();
    ASSERT_EQ(S_OK, hr);
    bitmaps_.push_back(bitmap);
    ExpectFixturePixels(bitmap, 5, 3, "PNG from an MTA thread");
}

TEST(ImageDecoderExports, EntryIsAtOrdinalOne)
{
    HMODULE module = GetModuleHandleW(L"imgdecmp.dll");
    ASSERT_TRUE(module);
    FARPROC byName = GetProcAddress(module, "DecompressImageIndirect");
    ASSERT_TRUE(byName);
    EXPECT_EQ(byName, GetProcAddress(module, MAKEINTRESOURCEA(1)));
}
