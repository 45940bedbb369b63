#include "pictures.h"

#include <wincodec.h>

#include <vector>

#include "files.h"

namespace testkit {

PixelColour Quarters(int width, int height, COLORREF topLeft, COLORREF topRight, COLORREF bottomLeft,
                     COLORREF bottomRight)
{
    return [=](int x, int y) {
        if (y < height / 2)
            return x < width / 2 ? topLeft : topRight;
        return x < width / 2 ? bottomLeft : bottomRight;
    };
}

namespace {

void PutLe(std::string& out, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back((char)(value >> (8 * i)));
}

std::string MakeBmp(int width, int height, const PixelColour& colour)
{
    const DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
    const DWORD pixelBytes = stride * (DWORD)height;
    std::string out = "BM";
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
            out.push_back((char)GetBValue(c));
            out.push_back((char)GetGValue(c));
            out.push_back((char)GetRValue(c));
        }
        out.append(stride - (DWORD)width * 3, '\0');
    }
    return out;
}

template <class T>
struct ComRef {
    T* p = nullptr;
    ~ComRef()
    {
        if (p)
            p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope()
    {
        if (SUCCEEDED(hr))
            CoUninitialize();
    }
};

// The frame's pixels: palette indices for GIF (palette filled), 24-bit BGR
// rows otherwise; false when a GIF needs more than 256 colours.
bool FramePixels(PictureFormat format, int width, int height, const PixelColour& colour, std::vector<BYTE>* pixels,
                 UINT* stride, std::vector<WICColor>* palette)
{
    if (format == PictureFormat::Gif) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c = colour(x, y);
                const WICColor argb = 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
                size_t index = 0;
                while (index < palette->size() && (*palette)[index] != argb)
                    ++index;
                if (index == palette->size()) {
                    if (palette->size() == 256)
                        return false;
                    palette->push_back(argb);
                }
                pixels->push_back((BYTE)index);
            }
        *stride = (UINT)width;
        return true;
    }
    *stride = ((UINT)width * 3 + 3) & ~3u;
    pixels->assign((size_t)*stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            BYTE* pixel = &(*pixels)[(size_t)y * *stride + (size_t)x * 3];
            pixel[0] = GetBValue(c);
            pixel[1] = GetGValue(c);
            pixel[2] = GetRValue(c);
        }
    return true;
}

std::string EncodeWithWic(PictureFormat format, int width, int height, const PixelColour& colour)
{
    std::vector<BYTE> pixels;
    std::vector<WICColor> colours;
    UINT stride = 0;
    if (!FramePixels(format, width, height, colour, &pixels, &stride, &colours))
        return std::string();
    const GUID container = format == PictureFormat::Png   ? GUID_ContainerFormatPng
                           : format == PictureFormat::Gif ? GUID_ContainerFormatGif
                                                          : GUID_ContainerFormatJpeg;
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IStream> memory;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IWICPalette> palette;
    WICPixelFormatGUID wanted = format == PictureFormat::Gif ? GUID_WICPixelFormat8bppIndexed
                                                             : GUID_WICPixelFormat24bppBGR;
    WICPixelFormatGUID pixelFormat = wanted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.out())) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.out())) ||
        FAILED(encoder->Initialize(memory.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.out(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&pixelFormat)) ||
        pixelFormat != wanted)
        return std::string();
    if (format == PictureFormat::Gif &&
        (FAILED(factory->CreatePalette(palette.out())) ||
         FAILED(palette->InitializeCustom(colours.data(), (UINT)colours.size())) ||
         FAILED(frame->SetPalette(palette.p))))
        return std::string();
    if (FAILED(frame->WritePixels(height, stride, (UINT)pixels.size(), pixels.data())) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit()))
        return std::string();
    HGLOBAL global = nullptr;
    STATSTG stat = {};
    if (FAILED(GetHGlobalFromStream(memory.p, &global)) || FAILED(memory->Stat(&stat, STATFLAG_NONAME)))
        return std::string();
    const char* bytes = static_cast<const char*>(GlobalLock(global));
    std::string data(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return data;
}

DWORD ToDib(COLORREF colour)
{
    return (DWORD)GetRValue(colour) << 16 | (DWORD)GetGValue(colour) << 8 | GetBValue(colour);
}

}  // namespace

std::string EncodePicture(PictureFormat format, int width, int height, const PixelColour& colour)
{
    return format == PictureFormat::Bmp ? MakeBmp(width, height, colour)
                                        : EncodeWithWic(format, width, height, colour);
}

bool WritePicture(const std::wstring& path, PictureFormat format, int width, int height, const PixelColour& colour)
{
    const std::string bytes = EncodePicture(format, width, height, colour);
    return !bytes.empty() && WriteBytes(path, bytes);
}

PixelSurface::PixelSurface(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

PixelSurface::~PixelSurface()
{
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void PixelSurface::Fill(COLORREF colour)
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = ToDib(colour);
}

void PixelSurface::Set(int x, int y, COLORREF colour)
{
    GdiFlush();
    bits_[y * width_ + x] = ToDib(colour);
}

COLORREF PixelSurface::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    GdiFlush();
    const DWORD pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int PixelSurface::Count(const RECT& area, COLORREF colour) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += At(x, y) == colour;
    return count;
}

}  // namespace testkit
