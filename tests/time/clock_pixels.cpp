#include "clock_pixels.h"

using namespace testkit;

namespace clocktest {

int TextDifference(HWND window, POINT at, const std::wstring& text, const globora::FontSpec& font, COLORREF colour,
                   COLORREF background, bool shadow)
{
    HFONT handle = globora::CreateStyleFont(font);
    HDC measure = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(measure, handle);
    SIZE size = {};
    GetTextExtentPoint32W(measure, text.c_str(), (int)text.size(), &size);
    SelectObject(measure, old);
    DeleteDC(measure);

    const int margin = shadow ? 1 : 0;
    PixelSurface expected(size.cx + margin, size.cy + margin, background);
    old = SelectObject(expected.dc(), handle);
    SetBkMode(expected.dc(), TRANSPARENT);
    SetTextColor(expected.dc(), colour);
    TextOutW(expected.dc(), margin, margin, text.c_str(), (int)text.size());
    if (shadow) {
        SetTextColor(expected.dc(), globora::kHighlight);
        TextOutW(expected.dc(), 0, 0, text.c_str(), (int)text.size());
    }
    SelectObject(expected.dc(), old);
    DeleteObject(handle);

    RECT area = {at.x - margin, at.y - margin, at.x + size.cx, at.y + size.cy};
    std::unique_ptr<PixelSurface> shown = CaptureClient(window, area);
    return Differences(expected, *shown);
}

int OtherPixels(HWND window, const RECT& area, COLORREF colour)
{
    std::unique_ptr<PixelSurface> shown = CaptureClient(window, area);
    return Width(area) * Height(area) - shown->Count({0, 0, Width(area), Height(area)}, colour);
}

} // namespace clocktest
