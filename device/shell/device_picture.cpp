// Pictures of the device's files decoded by its image decoder (imgdecmp),
// reading a ROM copy where RAM has no file of the name.
#include "shell.h"

#include <imgdecmp.h>
#include <rom_files.h>

namespace {

const DWORD kDecoderBufferSize = 1024;

DWORD CALLBACK ReadPicture(LPSTR buffer, DWORD size, LPARAM parameter)
{
    DWORD read = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(parameter), buffer, size, &read, nullptr))
        return 0;
    return read;
}

} // namespace

HBITMAP DecodeDevicePicture(const wchar_t* path, SIZE* size)
{
    wchar_t readable[MAX_PATH];
    if (!path || !*path || !DevReadablePath(path, readable, MAX_PATH))
        return nullptr;
    // Shared for writing too: a theme being applied replaces the picture
    // while the screen may be reading it, and must not fail for that.
    HANDLE file = CreateFileW(readable, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    HBITMAP bitmap = nullptr;
    BYTE work[kDecoderBufferSize] = {};
    DecompressImageInfo request = {};
    request.dwSize = sizeof(request);
    request.pbBuffer = work;
    request.dwBufferMax = kDecoderBufferSize;
    request.phBM = &bitmap;
    request.iBitDepth = 24;
    request.lParam = reinterpret_cast<LPARAM>(file);
    request.iScale = 100;
    // Larger pictures than a few screens are of no use here.
    request.iMaxWidth = kScreenWidth * 4;
    request.iMaxHeight = kScreenHeight * 4;
    request.pfnGetData = ReadPicture;
    request.crTransparentOverride = 0xFFFFFFFF;
    HRESULT result = DecompressImageIndirect(&request);
    CloseHandle(file);
    BITMAP info = {};
    if (FAILED(result) || !bitmap || !GetObjectW(bitmap, sizeof(info), &info)) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    size->cx = info.bmWidth;
    size->cy = info.bmHeight;
    return bitmap;
}
