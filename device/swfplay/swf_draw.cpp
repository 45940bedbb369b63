#include "swf_draw.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace swf {

StageFit FitStage(const Movie& movie, int width, int height)
{
    double stageW = movie.stage.right - movie.stage.left, stageH = movie.stage.bottom - movie.stage.top;
    StageFit fit;
    fit.scale = std::min(width / stageW, height / stageH);
    fit.left = (width - stageW * fit.scale) / 2;
    fit.top = (height - stageH * fit.scale) / 2;
    return fit;
}

namespace {

// Far outside any box, so a wild transform cannot overflow GDI's coordinates.
const double kCoordinateLimit = 30000;

LONG ToPixel(double v)
{
    if (!(v > -kCoordinateLimit))  // also catches NaN
        return static_cast<LONG>(-kCoordinateLimit);
    if (v > kCoordinateLimit)
        return static_cast<LONG>(kCoordinateLimit);
    return static_cast<LONG>(std::lround(v));
}

}  // namespace

void DrawFrame(HDC dc, int width, int height, const Movie& movie, const DisplayList& list, COLORREF background)
{
    RECT box = {0, 0, width, height};
    HBRUSH back = CreateSolidBrush(background);
    FillRect(dc, &box, back);
    DeleteObject(back);

    StageFit fit = FitStage(movie, width, height);
    // Shapes draw inside the stage only.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, ToPixel(fit.left), ToPixel(fit.top),
                      ToPixel(fit.left + (movie.stage.right - movie.stage.left) * fit.scale),
                      ToPixel(fit.top + (movie.stage.bottom - movie.stage.top) * fit.scale));
    SetPolyFillMode(dc, ALTERNATE);
    std::vector<POINT> points;
    for (const auto& entry : list) {
        auto shape = movie.shapes.find(entry.second.shape);
        if (shape == movie.shapes.end())
            continue;
        const Matrix& m = entry.second.matrix;
        for (const Path& path : shape->second.paths) {
            points.clear();
            for (const Point& p : path.points) {
                double x = m.a * p.x + m.c * p.y + m.tx - movie.stage.left;
                double y = m.b * p.x + m.d * p.y + m.ty - movie.stage.top;
                points.push_back({ToPixel(fit.left + x * fit.scale), ToPixel(fit.top + y * fit.scale)});
            }
            if (path.filled && points.size() >= 3) {
                HBRUSH brush = CreateSolidBrush(path.fill);
                HGDIOBJ oldBrush = SelectObject(dc, brush);
                HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
                Polygon(dc, points.data(), static_cast<int>(points.size()));
                SelectObject(dc, oldPen);
                SelectObject(dc, oldBrush);
                DeleteObject(brush);
            }
            if (path.lineWidth > 0) {
                int pixels = std::max(1, static_cast<int>(path.lineWidth * fit.scale + 0.5));
                HPEN pen = CreatePen(PS_SOLID, std::min(pixels, 64), path.line);
                HGDIOBJ oldPen = SelectObject(dc, pen);
                Polyline(dc, points.data(), static_cast<int>(points.size()));
                SelectObject(dc, oldPen);
                DeleteObject(pen);
            }
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace swf
