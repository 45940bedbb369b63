// The panel picture: the program's own "IMAGE" resource, decoded by the
// device's image library from the resource's bytes.
#include <imgdecmp.h>

#include <cstring>

#include "power_panel.h"
#include "resource.h"

namespace PowerPanel {

namespace {

struct ResourceReader {
    const BYTE* data;
    DWORD size;
    DWORD offset;
};

DWORD CALLBACK ReadResource(LPSTR buffer, DWORD bufferMax, LPARAM lParam)
{
    auto* reader = reinterpret_cast<ResourceReader*>(lParam);
    DWORD left = reader->size - reader->offset;
    DWORD count = left < bufferMax ? left : bufferMax;
    memcpy(buffer, reader->data + reader->offset, count);
    reader->offset += count;
    return count;
}

}  // namespace

HBITMAP LoadPanelPicture(HINSTANCE instance, SIZE* size)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_PANEL_PICTURE), L"IMAGE");
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return nullptr;
    ResourceReader reader = {static_cast<const BYTE*>(bytes), SizeofResource(instance, found), 0};

    HBITMAP bitmap = nullptr;
    BYTE work[1024];
    DecompressImageInfo request = {};
    request.dwSize = sizeof(request);
    request.pbBuffer = work;
    request.dwBufferMax = sizeof(work);
    request.phBM = &bitmap;
    request.iBitDepth = 24;
    request.lParam = reinterpret_cast<LPARAM>(&reader);
    request.iScale = 100;
    request.pfnGetData = ReadResource;
    request.crTransparentOverride = 0xFFFFFFFF;
    if (FAILED(DecompressImageIndirect(&request))) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    size->cx = info.bmWidth;
    size->cy = info.bmHeight;
    return bitmap;
}

}  // namespace PowerPanel
