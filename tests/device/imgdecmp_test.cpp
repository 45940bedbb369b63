// imgdecmp.dll: images pulled through the caller's callback come out as
// bitmaps of the asked size and depth, with exact colours where the format
// is lossless.
#include <gtest/gtest.h>

#include <imgdecmp.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

const COLORREF kMask = RGB(255, 0, 255);

// The colour of pixel (x, y) of every fixture: the mask colour on the
// diagonal, distinct exact colours elsewhere.
COLORREF FixtureColour(int x, int y)
{
    return x == y ? kMask : RGB(20 * x, 40 * y, 200);
}

// A 24-bit bottom-up BMP file, written by hand.
std::vector<BYTE> MakeBmp(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> data((const BYTE*)&file, (const BYTE*)&file + sizeof(file));
    data.insert(data.end(), (const BYTE*)&info, (const BYTE*)&info + sizeof(info));
    for (int y = height - 1; y >= 0; --y) {
        std::vector<BYTE> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            COLORREF c = FixtureColour(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
        data.insert(data.end(), row.begin(), row.end());
    }
    return data;
}

// The same picture through one of the desktop's WIC encoders.  GIF frames
// are written as palette indices (every fixture colour is in the palette).
std::vector<BYTE> Encode(REFGUID container, int width, int height)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> memory;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    EXPECT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)));
    EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &memory));
    EXPECT_HRESULT_SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder));
    if (!encoder)
        return {};
    encoder->Initialize(memory.Get(), WICBitmapEncoderNoCache);
    EXPECT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr));
    frame->Initialize(nullptr);
    frame->SetSize(width, height);

    std::vector<BYTE> pixels;
    UINT stride;
    WICPixelFormatGUID format;
    if (container == GUID_ContainerFormatGif) {
        format = GUID_WICPixelFormat8bppIndexed;
        std::vector<WICColor> colours;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                COLORREF c = FixtureColour(x, y);
                WICColor wic = 0xFF000000 | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                auto at = std::find(colours.begin(), colours.end(), wic);
                pixels.push_back((BYTE)(at - colours.begin()));
                if (at == colours.end())
                    colours.push_back(wic);
            }
        ComPtr<IWICPalette> palette;
        factory->CreatePalette(&palette);
        palette->InitializeCustom(colours.data(), (UINT)colours.size());
        EXPECT_HRESULT_SUCCEEDED(frame->SetPalette(palette.Get()));
        stride = width;
    } else {
        format = GUID_WICPixelFormat24bppBGR;
        stride = width * 3;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                COLORREF c = FixtureColour(x, y);
                pixels.insert(pixels.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
            }
    }
    WICPixelFormatGUID asked = format;
    frame->SetPixelFormat(&format);
    EXPECT_TRUE(IsEqualGUID(asked, format));
    EXPECT_HRESULT_SUCCEEDED(frame->WritePixels(height, stride, (UINT)pixels.size(), pixels.data()));
    frame->Commit();
    encoder->Commit();

    HGLOBAL global = nullptr;
    GetHGlobalFromStream(memory.Get(), &global);
    STATSTG stat = {};
    memory->Stat(&stat, STATFLAG_NONAME);
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(global));
    std::vector<BYTE> data(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return data;
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
        {"BMP", MakeBmp(5, 3)},
        {"PNG", Encode(GUID_ContainerFormatPng, 5, 3)},
        {"GIF", Encode(GUID_ContainerFormatGif, 5, 3)},
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
    HBITMAP bitmap = Decoded(Encode(GUID_ContainerFormatJpeg, 16, 8));
    ASSERT_TRUE(bitmap);
    SIZE size = BitmapSize(bitmap);
    EXPECT_EQ(16, size.cx);
    EXPECT_EQ(8, size.cy);
}

TEST_F(ImageDecoder, OtherDepthsGiveACompatibleBitmap)
{
    HBITMAP bitmap = Decoded(MakeBmp(6, 4), Request{16});
    ASSERT_TRUE(bitmap);
    DIBSECTION dib = {};
    EXPECT_EQ((int)sizeof(BITMAP), GetObjectW(bitmap, sizeof(dib), &dib));
    EXPECT_EQ(6, dib.dsBm.bmWidth);
    EXPECT_GT(dib.dsBm.bmBitsPixel, 1) << "a monochrome bitmap";
}

TEST_F(ImageDecoder, ScaleAndMaximumSizeKeepTheAspect)
{
    const std::vector<BYTE> bmp = MakeBmp(40, 20);
    const std::vector<BYTE> png = Encode(GUID_ContainerFormatPng, 40, 20);
    const std::vector<BYTE> jpeg = Encode(GUID_ContainerFormatJpeg, 40, 20);
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
    std::vector<BYTE> cut = MakeBmp(8, 8);
    cut.resize(40);
    EXPECT_EQ(E_FAIL, Decode(cut, Request(), &bitmap));
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
    const std::vector<BYTE> png = Encode(GUID_ContainerFormatPng, 5, 3);
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
