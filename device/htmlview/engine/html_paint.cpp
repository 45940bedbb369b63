#include "html_paint.h"

#include <cwchar>

namespace html {

namespace {

const COLORREF kFrameColor = RGB(0x80, 0x80, 0x80);

// One solid brush and pen at a time, remade when the colour changes.
class Colors {
public:
    explicit Colors(HDC dc) : dc_(dc) {}
    ~Colors()
    {
        if (brush_)
            DeleteObject(brush_);
        if (pen_) {
            SelectObject(dc_, oldPen_);
            DeleteObject(pen_);
        }
    }
    HBRUSH Brush(COLORREF color)
    {
        if (!brush_ || color != brushColor_) {
            if (brush_)
                DeleteObject(brush_);
            brush_ = CreateSolidBrush(color);
            brushColor_ = color;
        }
        return brush_;
    }
    void SelectPen(COLORREF color)
    {
        if (pen_ && color == penColor_)
            return;
        HPEN pen = CreatePen(PS_SOLID, 1, color);
        HGDIOBJ old = SelectObject(dc_, pen);
        if (pen_)
            DeleteObject(pen_);
        else
            oldPen_ = old;
        pen_ = pen;
        penColor_ = color;
    }

private:
    HDC dc_;
    HBRUSH brush_ = nullptr;
    COLORREF brushColor_ = 0;
    HPEN pen_ = nullptr;
    COLORREF penColor_ = 0;
    HGDIOBJ oldPen_ = nullptr;
};

void Frame(HDC dc, RECT r, int thickness, HBRUSH brush)
{
    for (int i = 0; i < thickness && r.right > r.left && r.bottom > r.top; ++i) {
        FrameRect(dc, &r, brush);
        InflateRect(&r, -1, -1);
    }
}

void PaintImage(HDC dc, const RECT& r, const Image& image)
{
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image.bitmap);
    int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, image.width, image.height,
               SRCCOPY);
    SetStretchBltMode(dc, mode);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace

void PaintPage(HDC dc, const Document& doc, const PageLayout& layout, const FontSet& fonts, const ImageStore& images,
               int scrollY, const RECT& clip)
{
    Colors colors(dc);
    FillRect(dc, &clip, colors.Brush(layout.background));
    int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);

    std::vector<uint32_t> visible;
    layout.Visible(clip.top + scrollY, clip.bottom + scrollY, visible);
    for (uint32_t index : visible) {
        const Item& item = layout.items[index];
        RECT r = item.rect;
        OffsetRect(&r, 0, -scrollY);
        switch (item.kind) {
        case ItemKind::kText:
            SelectObject(dc, fonts.Handle(item.font));
            SetTextColor(dc, item.color);
            ExtTextOutW(dc, r.left, r.top, 0, nullptr, doc.text.data() + item.textStart, item.textLength, nullptr);
            break;
        case ItemKind::kFill:
            FillRect(dc, &r, colors.Brush(item.color));
            break;
        case ItemKind::kFrame:
            Frame(dc, r, item.variant, colors.Brush(item.color));
            break;
        case ItemKind::kRule:
            FillRect(dc, &r, colors.Brush(item.color));
            break;
        case ItemKind::kBullet:
            if (item.variant == 2) {
                FillRect(dc, &r, colors.Brush(item.color));
            } else {
                colors.SelectPen(item.color);
                HGDIOBJ oldBrush = SelectObject(dc, item.variant == 0 ? static_cast<HGDIOBJ>(colors.Brush(item.color))
                                                                      : GetStockObject(NULL_BRUSH));
                Ellipse(dc, r.left, r.top, r.right, r.bottom);
                SelectObject(dc, oldBrush);
            }
            break;
        case ItemKind::kNumber: {
            wchar_t number[16];
            int n = _snwprintf(number, 16, L"%u.", item.textStart);
            SelectObject(dc, fonts.Handle(item.font));
            SetTextColor(dc, item.color);
            DrawTextW(dc, number, n > 0 ? n : 0, &r, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
            break;
        }
        case ItemKind::kImage:
            if (item.image >= 0 && images.Get(item.image).bitmap)
                PaintImage(dc, r, images.Get(item.image));
            else
                Frame(dc, r, 1, colors.Brush(kFrameColor));
            break;
        case ItemKind::kObject:
            if (item.variant == 0)
                Frame(dc, r, 1, colors.Brush(kFrameColor));
            break;
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace html
