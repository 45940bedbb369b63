#include "image_fixtures.h"

#include <wincodec.h>

#include <cstdio>
#include <vector>

namespace {

void PutLe(std::vector<BYTE>& out, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back((BYTE)(value >> (8 * i)));
}

bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

// Releases a COM interface pointer at scope end.
template <typename T> struct ComPtr {
    T* p = nullptr;
    ~ComPtr() { if (p) p->Release(); }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() { if (SUCCEEDED(hr)) CoUninitialize(); }
};

} // namespace

std::wstring FixturePath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"corvane_" + name;
}

bool WriteBmp24(const std::wstring& path, int width, int height, const PixelColour& colour)
{
    const DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
    const DWORD pixelBytes = stride * (DWORD)height;
    std::vector<BYTE> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 14 + 40 + pixelBytes, 4);  // file size
    PutLe(out, 0, 4);
    PutLe(out, 14 + 40, 4);               // offset of the pixels
    PutLe(out, 40, 4);                    // BITMAPINFOHEADER
    PutLe(out, (DWORD)width, 4);
    PutLe(out, (DWORD)height, 4);         // positive: bottom row first
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, BI_RGB, 4);
    PutLe(out, pixelBytes, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
        }
        for (DWORD pad = (DWORD)width * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return WriteFileBytes(path, out);
}

bool WriteWithWic(const std::wstring& path, WicFormat format, int width, int height, const PixelColour& colour)
{
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
        return false;
    const GUID container = format == WicFormat::Png   ? GUID_ContainerFormatPng
                           : format == WicFormat::Gif ? GUID_ContainerFormatGif
                                                      : GUID_ContainerFormatJpeg;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(factory->CreateEncoder(container, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)))
        return false;

    std::vector<BYTE> pixels;
    UINT stride = 0;
    if (format == WicFormat::Gif) {
        // Indexed: a palette of the picture's own colours.
        std::vector<WICColor> palette;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF c = colour(x, y);
                const WICColor argb = 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
                size_t index = 0;
                while (index < palette.size() && palette[index] != argb)
                    ++index;
                if (index == palette.size()) {
                    if (palette.size() == 256)
                        return false;
                    palette.push_back(argb);
                }
                pixels.push_back((BYTE)index);
            }
        }
        ComPtr<IWICPalette> wicPalette;
        WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat8bppIndexed;
        if (FAILED(factory->CreatePalette(&wicPalette)) ||
            FAILED(wicPalette->InitializeCustom(palette.data(), (UINT)palette.size())) ||
            FAILED(frame->SetPixelFormat(&pixelFormat)) || pixelFormat != GUID_WICPixelFormat8bppIndexed ||
            FAILED(frame->SetPalette(wicPalette.p)))
            return false;
        stride = (UINT)width;
    } else {
        WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat24bppBGR;
        if (FAILED(frame->SetPixelFormat(&pixelFormat)) || pixelFormat != GUID_WICPixelFormat24bppBGR)
            return false;
        stride = ((UINT)width * 3 + 3) & ~3u;
        pixels.assign((size_t)stride * height, 0);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF c = colour(x, y);
                BYTE* pixel = &pixels[(size_t)y * stride + (size_t)x * 3];
                pixel[0] = GetBValue(c);
                pixel[1] = GetGValue(c);
                pixel[2] = GetRValue(c);
            }
        }
    }
    return SUCCEEDED(frame->WritePixels(height, stride, (UINT)pixels.size(), pixels.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}
