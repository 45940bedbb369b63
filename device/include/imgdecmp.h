// The device's image decoder (imgdecmp.dll): decodes BMP, GIF, JPEG and PNG
// data, pulled through a caller's callback, into a device bitmap.
#pragma once
#include <windows.h>

#ifndef IMGDECMP_API
#define IMGDECMP_API __declspec(dllimport)
#endif

// Progressive-rendering object of the device decoder; never created here.
typedef struct IImageRender IImageRender;

// Copies up to dwBufferMax bytes of image data into szBuffer and returns the
// count; 0 ends the data.
typedef DWORD (CALLBACK *GETIMAGEDATA)(LPSTR szBuffer, DWORD dwBufferMax, LPARAM lParam);
typedef void (CALLBACK *PROGRESSFUNC)(IImageRender *pRender, BOOL bComplete, LPARAM lParam);

// The request record.  Both sides use this one layout and set dwSize to
// sizeof(DecompressImageInfo): 60 bytes on the 32-bit device, more on x64.
typedef struct tagDecompressImageInfo {
    DWORD dwSize;                    // sizeof(DecompressImageInfo)
    LPBYTE pbBuffer;                 // caller's work buffer (not needed here)
    DWORD dwBufferMax;
    DWORD dwBufferCurrent;
    HBITMAP *phBM;                   // receives the bitmap; the caller owns it
    IImageRender **ppImageRender;    // set to null when given
    int iBitDepth;                   // 24 or 32: DIB section; else compatible bitmap
    LPARAM lParam;                   // passed to pfnGetData and pfnImageProgress
    HDC hdc;                         // reference context for compatible bitmaps
    int iScale;                      // percent (<= 0 means 100)
    int iMaxWidth;                   // pixels (<= 0 means no limit)
    int iMaxHeight;
    GETIMAGEDATA pfnGetData;
    PROGRESSFUNC pfnImageProgress;   // not called by this decoder
    COLORREF crTransparentOverride;  // colour for transparent pixels; 0xFFFFFFFF: none
} DecompressImageInfo, DECOMPRESSIMAGEINFO;

#ifdef __cplusplus
extern "C" {
#endif

// Exported by name and at ordinal 1.  Returns S_OK with the bitmap in
// *phBM, or E_FAIL (bad record, no data, unknown format, out of memory).
IMGDECMP_API HRESULT WINAPI DecompressImageIndirect(DecompressImageInfo *pImageInfo);

#ifdef __cplusplus
}
#endif
