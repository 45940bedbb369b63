// CVOImage decoding: image files and resources through the device's image
// decoder (imgdecmp), whose data callback pulls the bytes from us.
#include <imgdecmp.h>

#include <algorithm>
#include <cstring>

#include "imagefile.h"

namespace {

// Size of the work buffer the decoder's request carries.
constexpr DWORD kDecoderBufferSize = 1024;

// The decoder produces bitmaps for this depth; a missing context means the screen.
int BitsPerPixelOf(HDC hdc)
{
    if (hdc)
        return GetDeviceCaps(hdc, BITSPIXEL);
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

} // namespace

BOOL CVOImage::Decode(HDC hdc, DWORD(CALLBACK* reader)(LPSTR, DWORD, LPARAM), LPARAM readerParam)
{
    BYTE workBuffer[kDecoderBufferSize] = {};
    DecompressImageInfo request = {};
    request.dwSize = sizeof(request);
    request.pbBuffer = workBuffer;
    request.dwBufferMax = kDecoderBufferSize;
    request.dwBufferCurrent = 0;
    request.phBM = &m_hBitmap;
    request.ppImageRender = nullptr;
    request.iBitDepth = BitsPerPixelOf(hdc);
    request.lParam = readerParam;
    request.hdc = g_hdc;
    request.iScale = g_iScale;
    request.iMaxWidth = g_iMaxWidth;
    request.iMaxHeight = g_iMaxHeight;
    request.pfnGetData = reader;
    request.pfnImageProgress = ImageProgress;
    request.crTransparentOverride = 0xFFFFFFFF;  // keep the image's own colours

    const HRESULT result = DecompressImageIndirect(&request);
    if (FAILED(result) && m_hBitmap) {
        // Never keep a half-made bitmap the decoder may have left behind.
        DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
    }
    if (!m_hBitmap)
        return FALSE;
    BITMAP info = {};
    GetObjectW(m_hBitmap, sizeof(info), &info);
    m_nWidth = info.bmWidth;
    m_nHeight = info.bmHeight;
    return TRUE;
}

BOOL CVOImage::Load(HDC hdc, LPCWSTR path)
{
    DeleteBitmap();
    if (!g_hdc)
        g_hdc = CreateCompatibleDC(hdc);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    const BOOL decoded = Decode(hdc, GetImageData, reinterpret_cast<LPARAM>(file));
    CloseHandle(file);
    return decoded;
}

BOOL CVOImage::SetBitmap(HDC hdc, UINT resourceId, LPCWSTR resourceType, HINSTANCE instance)
{
    DeleteBitmap();
    if (!g_hdc)
        g_hdc = CreateCompatibleDC(hdc);
    HMODULE module = instance ? instance : GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), resourceType);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    ResourceReader reader = {0, SizeofResource(module, found), static_cast<const BYTE*>(data)};
    // Success means a bitmap came out, not merely that the resource exists.
    return Decode(hdc, GetImageResourceData, reinterpret_cast<LPARAM>(&reader));
}

DWORD CALLBACK CVOImage::GetImageData(LPSTR buffer, DWORD size, LPARAM lParam)
{
    HANDLE file = reinterpret_cast<HANDLE>(lParam);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD read = 0;
    if (!ReadFile(file, buffer, size, &read, nullptr))
        return 0;
    return read;
}

DWORD CALLBACK CVOImage::GetImageResourceData(LPSTR buffer, DWORD size, LPARAM lParam)
{
    ResourceReader* reader = reinterpret_cast<ResourceReader*>(lParam);
    if (!reader || reader->position >= reader->size)
        return 0;
    const DWORD count = std::min(size, reader->size - reader->position);
    std::memcpy(buffer, reader->data + reader->position, count);
    reader->position += count;
    return count;
}

void CALLBACK CVOImage::ImageProgress(IImageRender*, BOOL, LPARAM) {}
