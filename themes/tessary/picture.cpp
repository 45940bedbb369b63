// Pictures and surfaces of the preview drawing.
#include "picture.h"

#include <imgdecmp.h>

namespace {

const DWORD kDecoderBufferSize = 1024;
const int kMaxPictureSide = 10000;

DWORD CALLBACK ReadPictureData(LPSTR buffer, DWORD size, LPARAM parameter)
{
    DWORD read = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(parameter), buffer, size, &read, nullptr))
        return 0;
    return read;
}

void CALLBACK IgnoreProgress(IImageRender*, BOOL, LPARAM) {}

} // namespace

CTskPicture::~CTskPicture()
{
    if (m_dc) {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

bool CTskPicture::Load(HDC reference, const wchar_t* path)
{
    if (m_dc || !path || !*path)
        return false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    HDC dc = CreateCompatibleDC(reference);
    BYTE work[kDecoderBufferSize] = {};
    DecompressImageInfo request = {};
    request.dwSize = sizeof(request);
    request.pbBuffer = work;
    request.dwBufferMax = kDecoderBufferSize;
    request.phBM = &m_bitmap;
    request.iBitDepth = 24;  // a bitmap of our own, usable from any context
    request.lParam = reinterpret_cast<LPARAM>(file);
    request.hdc = dc;
    request.iScale = 100;
    request.iMaxWidth = kMaxPictureSide;
    request.iMaxHeight = kMaxPictureSide;
    request.pfnGetData = ReadPictureData;
    request.pfnImageProgress = IgnoreProgress;
    request.crTransparentOverride = 0xFFFFFFFF;
    HRESULT result = DecompressImageIndirect(&request);
    CloseHandle(file);
    BITMAP info = {};
    if (FAILED(result) || !m_bitmap || !GetObjectW(m_bitmap, sizeof(info), &info)) {
        if (m_bitmap)
            DeleteObject(m_bitmap);
        m_bitmap = nullptr;
        DeleteDC(dc);
        return false;
    }
    m_width = info.bmWidth;
    m_height = info.bmHeight;
    m_dc = dc;
    m_old = SelectObject(m_dc, m_bitmap);
    return true;
}

void CTskPicture::Draw(HDC target, int x, int y, COLORREF transparent) const
{
    if (!m_dc)
        return;
    if (transparent == 0xFFFFFFFF)
        BitBlt(target, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
    else
        TransparentBlt(target, x, y, m_width, m_height, m_dc, 0, 0, m_width, m_height, transparent);
}

// A 32-bit bitmap of its own, whatever bitmap the reference context holds.
CTskSurface::CTskSurface(HDC reference, int width, int height)
{
    m_dc = CreateCompatibleDC(reference);
    if (!m_dc || width <= 0 || height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap)
        m_old = SelectObject(m_dc, m_bitmap);
}

CTskSurface::~CTskSurface()
{
    if (m_dc) {
        if (m_old)
            SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
}
