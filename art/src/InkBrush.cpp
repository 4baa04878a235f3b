// SPDX-License-Identifier: GPL-3.0-or-later
#include "InkBrush.h"

#include "Noise.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace
{

double smoothstep(double a, double b, double x)
{
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double bump(double u, double centre, double width)
{
    const double d = (u - centre) / width;
    return std::exp(-d * d);
}

} // namespace

void paintBrushStroke(FloatImage &layer, const BrushStroke &s, QRgb ink)
{
    const double r = s.halfHeight;
    const double len = s.x1 - s.x0;
    auto centreY = [&](double x) { return s.yc + s.tilt * ((x - s.x0) / len - 0.5); };
    auto half = [&](double x) {
        const double u = (x - s.x0) / len;
        // Thicker where the brush is pressed down and where it pauses, a touch thinner between.
        return r *
               (1.0 + 0.16 * bump(u, 0.05, 0.10) + 0.10 * bump(u, 0.95, 0.08) - 0.05 * std::sin(M_PI * u));
    };
    auto wobble = [&](double x, uint32_t salt) {
        return s.roughness * 2.0 * (noise::fbm(x * 0.18, 0.0, s.seed + salt, 3) - 0.5);
    };

    QPainterPath path;
    const double left = s.x0 + 0.45 * r;
    const double right = s.x1 - 0.55 * r;
    path.moveTo(left, centreY(left) - half(left) + wobble(left, 11));
    for (double x = left + 0.5; x <= right; x += 0.5)
        path.lineTo(x, centreY(x) - half(x) + wobble(x, 11));
    // The end: the brush pauses and lifts, leaving a rounded shoulder that sits a little low.
    const double ty = centreY(right) - half(right) + wobble(right, 11);
    const double by = centreY(right) + half(right) + wobble(right, 23);
    path.cubicTo(s.x1 + 0.05 * r, ty, s.x1 + 0.30 * r, centreY(s.x1) + 0.35 * r, right - 0.05 * r,
                 by + 0.12 * r);
    for (double x = right - 0.5; x >= left + 0.3 * r; x -= 0.5)
        path.lineTo(x, centreY(x) + half(x) + wobble(x, 23));
    // The start: the tip enters from the upper left, so the end is cut on a slant.
    const double sy = centreY(left) + half(left);
    path.cubicTo(s.x0 - 0.10 * r, sy + 0.05 * r, s.x0 - 0.25 * r, centreY(s.x0) - 0.55 * r, left,
                 centreY(left) - half(left) + wobble(left, 11));
    path.closeSubpath();

    const FloatMap cov = raster::coverage(layer.width(), layer.height(), 4, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(path);
    });

    const RgbaF inkF = raster::opaque(ink);
    for (int y = 0; y < layer.height(); ++y) {
        for (int x = 0; x < layer.width(); ++x) {
            const float c = cov.at(x, y);
            if (c <= 0.0f)
                continue;
            const double u = std::clamp((x + 0.5 - s.x0) / len, 0.0, 1.0);
            // Dry streaks run along the stroke and appear only towards its end.
            const double streak =
                std::clamp((noise::fbm(x * 0.035, (y + 0.5) * 0.75, s.seed + 57, 2) - 0.48) * 4.0, 0.0, 1.0);
            const double grain = noise::unit(x, y, s.seed + 91);
            const double density = 1.0 - s.dryness * smoothstep(0.55, 1.0, u) * streak - 0.05 * grain;
            const float a = float(c * std::clamp(density, 0.0, 1.0));
            RgbaF src{inkF.r * a, inkF.g * a, inkF.b * a, a};
            layer.at(x, y) = raster::over(src, layer.at(x, y));
        }
    }
}
