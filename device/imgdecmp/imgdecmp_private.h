// Shared pieces of imgdecmp.dll, the device's image decoder: pulling the
// data, decoding it with the desktop's imaging component, and turning the
// pixels into a device bitmap.
#pragma once
#include <vector>

#include <imgdecmp.h>

// Decoded pixels: rows top to bottom, 4 bytes a pixel (blue, green, red,
// unused), no padding.
struct DecodedImage {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> pixels;
};

// How the decoded image is sized: percent first, then the maximum size
// (keeping the aspect ratio); <= 0 means 100 % or no limit.
struct ImageSizing {
    int scale = 100;
    int maxWidth = 0;
    int maxHeight = 0;
};

// Reads everything the caller's callback gives until it returns 0; FALSE
// when it gives nothing, more than it was asked for, or more than the
// decoder accepts.
bool PullImageData(GETIMAGEDATA getData, LPARAM lParam, std::vector<BYTE>& data);

// The target size of a width x height image under `sizing` (each side at
// least 1 pixel).
void ScaledSize(UINT width, UINT height, const ImageSizing& sizing, UINT& outWidth, UINT& outHeight);

// Decodes the first frame of `data`; transparent pixels take
// `transparentOverride` unless it is CLR_INVALID.  FALSE for data in no
// known format.
bool DecodeImage(const std::vector<BYTE>& data, const ImageSizing& sizing, COLORREF transparentOverride,
                 DecodedImage& image);

// A bitmap of the pixels: a DIB section at 24 or 32 bits per pixel,
// otherwise a bitmap compatible with `hdc` (the screen when hdc is null or
// a memory context).  Null on failure.
HBITMAP CreateImageBitmap(const DecodedImage& image, int bitDepth, HDC hdc);
