// Test helper: picture files written by the tests themselves, a 24-bit BMP
// by hand and the other formats through the platform's WIC encoders.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The colour of each pixel of a test picture.
using PixelColour = std::function<COLORREF(int x, int y)>;

// A path in the temporary folder for a fixture file of this name.
std::wstring FixturePath(const wchar_t* name);

bool WriteBmp24(const std::wstring& path, int width, int height, const PixelColour& colour);

enum class WicFormat { Png, Gif, Jpeg };
// GIF pictures may use at most 256 colours.
bool WriteWithWic(const std::wstring& path, WicFormat format, int width, int height, const PixelColour& colour);
