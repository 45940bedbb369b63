// `shot FILE.png`: saves the whole device screen as a PNG.
//
// The screen is copied into a 24-bit DIB and encoded by WIC.  The picture is
// written to FILE.tmp and renamed into place, so FILE is either the new
// picture or what it was before.
#include "devctl.h"

#include <wincodec.h>

namespace {

// Releases a COM interface at the end of a scope.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (ptr_)
            ptr_->Release();
    }
    T** out() { return &ptr_; }
    T* operator->() const { return ptr_; }
    T* get() const { return ptr_; }

private:
    T* ptr_ = nullptr;
};

class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (ok_)
            CoUninitialize();
    }

private:
    bool ok_;
};

struct Capture {
    int width = 0;
    int height = 0;
    UINT stride = 0;
    std::vector<BYTE> pixels;  // 24-bit BGR rows, top row first
};

bool CaptureScreen(Capture* capture)
{
    capture->width = GetSystemMetrics(SM_CXSCREEN);
    capture->height = GetSystemMetrics(SM_CYSCREEN);
    if (capture->width <= 0 || capture->height <= 0)
        return false;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture->width;
    info.bmiHeader.biHeight = -capture->height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    bool ok = false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (screen && memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, capture->width, capture->height, screen, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
        if (ok) {
            capture->stride = (UINT)(((capture->width * 3) + 3) & ~3);
            const BYTE* first = static_cast<const BYTE*>(bits);
            capture->pixels.assign(first, first + (size_t)capture->stride * (size_t)capture->height);
        }
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    if (screen)
        ReleaseDC(nullptr, screen);
    return ok;
}

// Encodes the capture as PNG into path; returns the failing HRESULT or S_OK.
HRESULT WritePng(const Capture& capture, const std::wstring& path)
{
    ComRef<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.out()));
    if (FAILED(hr))
        return hr;
    ComRef<IWICBitmap> source;
    hr = factory->CreateBitmapFromMemory((UINT)capture.width, (UINT)capture.height, GUID_WICPixelFormat24bppBGR,
                                         capture.stride, (UINT)capture.pixels.size(),
                                         const_cast<BYTE*>(capture.pixels.data()), source.out());
    if (FAILED(hr))
        return hr;
    ComRef<IWICStream> stream;
    if (FAILED(hr = factory->CreateStream(stream.out())))
        return hr;
    if (FAILED(hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
        return hr;
    ComRef<IWICBitmapEncoder> encoder;
    if (FAILED(hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())))
        return hr;
    if (FAILED(hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
        return hr;
    ComRef<IWICBitmapFrameEncode> frame;
    if (FAILED(hr = encoder->CreateNewFrame(frame.out(), nullptr)))
        return hr;
    if (FAILED(hr = frame->Initialize(nullptr)))
        return hr;
    if (FAILED(hr = frame->SetSize((UINT)capture.width, (UINT)capture.height)))
        return hr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(hr = frame->SetPixelFormat(&format)))
        return hr;
    // WriteSource converts if the encoder chose another pixel format.
    if (FAILED(hr = frame->WriteSource(source.get(), nullptr)))
        return hr;
    if (FAILED(hr = frame->Commit()))
        return hr;
    return encoder->Commit();
}

} // namespace

int CmdShot(const Args& args)
{
    if (args.size() != 1 || args[0].empty())
        return kExitUsage;
    const std::wstring& path = args[0];

    Capture capture;
    if (!CaptureScreen(&capture)) {
        ErrLine(L"devctl: cannot copy the screen");
        return kExitFailed;
    }

    ComScope com;
    std::wstring temporary = path + L".tmp";
    HRESULT hr = WritePng(capture, temporary);
    // The stream is closed now (WritePng released it), so the file can move.
    if (SUCCEEDED(hr) && !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        hr = HRESULT_FROM_WIN32(GetLastError());
    if (FAILED(hr)) {
        DeleteFileW(temporary.c_str());
        ErrLine(Format(L"devctl: cannot write %ls: %ls", path.c_str(), ErrorText((DWORD)hr).c_str()));
        return kExitFailed;
    }
    return kExitOk;
}
