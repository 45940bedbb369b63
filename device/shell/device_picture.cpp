// Pictures of the device's files decoded by its image decoder (imgdecmp),
// reading a ROM copy where RAM has no file of the name.
#include "shell.h"

#include <imgdecmp.h>
#include <rom_files.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const DWORD kDecoderBufferSize = 1024;

// Pictures larger than this are no pictures of the device's screen.
const DWORD kMaxPictureBytes = 8 * 1024 * 1024;

struct PictureBytes {
    std::vector<char> bytes;
    size_t position = 0;
};

DWORD CALLBACK ReadPicture(LPSTR buffer, DWORD size, LPARAM parameter)
{
    PictureBytes* picture = reinterpret_cast<PictureBytes*>(parameter);
    size_t count = std::min<size_t>(size, picture->bytes.size() - picture->position);
    memcpy(buffer, picture->bytes.data() + picture->position, count);
    picture->position += count;
    return static_cast<DWORD>(count);
}

// The whole file, read at once: a theme being applied writes these files,
// and a file held open while it is decoded would make that write fail.
bool ReadWholeFile(const wchar_t* path, std::vector<char>* bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxPictureBytes;
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) &&
             read == bytes->size();
    }
    CloseHandle(file);
    return ok;
}

} // namespace

HBITMAP DecodeDevicePicture(const wchar_t* path, SIZE* size)
{
    wchar_t readable[MAX_PATH];
    if (!path || !*path || !DevReadablePath(path, readable, MAX_PATH))
        return nullptr;
    PictureBytes picture;
    if (!ReadWholeFile(readable, &picture.bytes))
        return nullptr;
    HBITMAP bitmap = nullptr;
    BYTE work[kDecoderBufferSize] = {};
    DecompressImageInfo request = {};
    request.dwSize = sizeof(request);
    request.pbBuffer = work;
    request.dwBufferMax = kDecoderBufferSize;
    request.phBM = &bitmap;
    request.iBitDepth = 24;
    request.lParam = reinterpret_cast<LPARAM>(&picture);
    request.iScale = 100;
    // Larger pictures than a few screens are of no use here.
    request.iMaxWidth = kScreenWidth * 4;
    request.iMaxHeight = kScreenHeight * 4;
    request.pfnGetData = ReadPicture;
    request.crTransparentOverride = 0xFFFFFFFF;
    HRESULT result = DecompressImageIndirect(&request);
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
