// `devctl shot`: the PNG holds what the screen shows.
#include <gtest/gtest.h>


#include <wincodec.h>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

struct Picture {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgra;  // 32-bit rows, top row first

    COLORREF At(int x, int y) const
    {
        const BYTE* p = &bgra[((size_t)y * width + (size_t)x) * 4];
        return RGB(p[2], p[1], p[0]);
    }
};

// Decodes a picture file with WIC; false if it is not a readable PNG.
bool DecodePng(const std::wstring& path, Picture* picture)
{
    bool ok = false;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* converted = nullptr;
    GUID container = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetContainerFormat(&container)) && container == GUID_ContainerFormatPng &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &converted)) &&
        SUCCEEDED(converted->GetSize(&picture->width, &picture->height))) {
        picture->bgra.assign((size_t)picture->width * picture->height * 4, 0);
        ok = SUCCEEDED(converted->CopyPixels(nullptr, picture->width * 4, (UINT)picture->bgra.size(),
                                             picture->bgra.data()));
    }
    if (converted)
        converted->Release();
    if (frame)
        frame->Release();
    if (decoder)
        decoder->Release();
    if (factory)
        factory->Release();
    return ok;
}

class Screenshot : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        DeleteFileW(kPath);
        CoUninitialize();
    }
    static constexpr const wchar_t* kPath = L"D:\\Temp\\devctl-shot-test.png";
};

} // namespace

TEST_F(Screenshot, PngShowsTheWholeScreen)
{
    const COLORREF fill = RGB(0x12, 0x80, 0xE0);  // channels all differ: catches swapped red and blue
    TestWindow window(L"DevctlShotWindow", {40, 100, 100, 160}, fill);
    ASSERT_TRUE(window.hwnd());
    PumpMessages(100);

    DevctlResult r = RunDevctl({L"shot", kPath});
    ASSERT_EQ(0u, r.exitCode) << r.err;
    Picture picture;
    ASSERT_TRUE(DecodePng(kPath, &picture));
    ASSERT_EQ(240u, picture.width);
    ASSERT_EQ(320u, picture.height);

    EXPECT_EQ(fill, picture.At(40, 100));
    EXPECT_EQ(fill, picture.At(70, 130));
    EXPECT_EQ(fill, picture.At(99, 159));
    EXPECT_NE(fill, picture.At(39, 130));
    EXPECT_NE(fill, picture.At(100, 130));

    // Background points of the task bar, clear of the flag, title, clock and corner.
    const POINT barPoints[] = {{120, 2}, {214, 13}, {22, 23}};
    for (POINT p : barPoints)
        EXPECT_EQ(ScreenPixel(p.x, p.y), picture.At(p.x, p.y)) << "task bar at " << p.x << "," << p.y;
}

TEST_F(Screenshot, ReplacesAnOldFileAndFailsCleanlyOnABadPath)
{
    HANDLE old = CreateFileW(kPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, old);
    DWORD written;
    WriteFile(old, "old", 3, &written, nullptr);
    CloseHandle(old);

    DevctlResult r = RunDevctl({L"shot", kPath});
    ASSERT_EQ(0u, r.exitCode) << r.err;
    Picture picture;
    EXPECT_TRUE(DecodePng(kPath, &picture));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((std::wstring(kPath) + L".tmp").c_str()));

    const wchar_t bad[] = L"D:\\No Such Folder\\shot.png";
    r = RunDevctl({L"shot", bad});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(bad));
}
