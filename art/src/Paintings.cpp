// SPDX-License-Identifier: GPL-3.0-or-later
// The larger pictures for pages, stored as JPEG: the eight trigrams around the Great Ultimate,
// and a misty mountain landscape in ink.
#include "Generators.h"
#include "InkBrush.h"
#include "Noise.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace
{

double smoothstep(double a, double b, double x)
{
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Lays a small upright layer onto a larger one, turned by angle around the layer's centre, which
// lands on (cx, cy).
void blitRotated(FloatImage &dst, const FloatImage &src, double cx, double cy, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double reach = std::hypot(src.width(), src.height()) / 2.0 + 2.0;
    const int x0 = std::max(0, int(cx - reach));
    const int x1 = std::min(dst.width() - 1, int(cx + reach));
    const int y0 = std::max(0, int(cy - reach));
    const int y1 = std::min(dst.height() - 1, int(cy + reach));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double lx = c * dx + s * dy + src.width() / 2.0;
            const double ly = -s * dx + c * dy + src.height() / 2.0;
            const RgbaF p = src.sample(lx, ly);
            if (p.a > 0.0f)
                dst.at(x, y) = raster::over(p, dst.at(x, y));
        }
    }
}

// A painter's seal in a corner: cinnabar square, a border and a trigram cut out of it.
void paintSealStamp(FloatImage &img, double x, double y, double size, const int *bits)
{
    const FloatImage seal = raster::paint(int(size), int(size), 4, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(palette::cinnabar));
        p.drawRoundedRect(QRectF(0, 0, size, size), 2, 2);
        p.setBrush(QColor(palette::paper));
        const double m = size * 0.12;
        p.setPen(QPen(QColor(palette::paper), size * 0.05));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(m, m, size - 2 * m, size - 2 * m));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(palette::paper));
        const double bw = size * 0.5;
        const double bh = size * 0.09;
        for (int i = 0; i < 3; ++i) {
            const double by = size * (0.30 + (2 - i) * 0.17);
            if (bits[i]) {
                p.drawRect(QRectF((size - bw) / 2, by, bw, bh));
            } else {
                p.drawRect(QRectF((size - bw) / 2, by, bw * 0.4, bh));
                p.drawRect(QRectF((size + bw) / 2 - bw * 0.4, by, bw * 0.4, bh));
            }
        }
    });
    for (int sy = 0; sy < seal.height(); ++sy) {
        for (int sx = 0; sx < seal.width(); ++sx) {
            RgbaF p = seal.at(sx, sy);
            const float keep =
                float(std::clamp(1.2 - 0.55 * noise::fbm(sx * 0.3, sy * 0.3, 4242, 3), 0.0, 1.0));
            p = {p.r * keep, p.g * keep, p.b * keep, p.a * keep};
            RgbaF &d = img.at(int(x) + sx, int(y) + sy);
            d = raster::over(p, d);
        }
    }
}

QImage trigramCircle()
{
    const int n = 400;
    const double c = n / 2.0;
    FloatImage img = raster::fromQImage(paperTile(n, n, palette::paper, 7001, 1.2));

    // Rings and the Great Ultimate, drawn with the painter in ink and paper.
    const FloatImage rings = raster::paint(n, n, 3, [c](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(palette::bronze), 1.2));
        p.drawEllipse(QPointF(c, c), 184, 184);
        p.setPen(QPen(QColor(palette::bronze), 0.7));
        p.drawEllipse(QPointF(c, c), 178, 178);
        p.drawEllipse(QPointF(c, c), 70, 70);
        // Eight fine spokes between the trigrams.
        for (int k = 0; k < 8; ++k) {
            const double a = (k + 0.5) * M_PI / 4.0;
            p.drawLine(QPointF(c + 78 * std::sin(a), c - 78 * std::cos(a)),
                       QPointF(c + 172 * std::sin(a), c - 172 * std::cos(a)));
        }
        const double r = 54;
        QPainterPath dark;
        dark.moveTo(c, c - r);
        dark.arcTo(QRectF(c - r, c - r, 2 * r, 2 * r), 90, -180);
        dark.arcTo(QRectF(c - r / 2, c, r, r), 270, -180);
        dark.arcTo(QRectF(c - r / 2, c - r, r, r), 270, 180);
        dark.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(palette::ink));
        p.drawPath(dark);
        // Each half carries a seed of the other.
        p.drawEllipse(QPointF(c, c - r / 2), r / 7, r / 7);
        p.setBrush(QColor(palette::paper));
        p.drawEllipse(QPointF(c, c + r / 2), r / 7, r / 7);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(palette::ink), 1.6));
        p.drawEllipse(QPointF(c, c), r, r);
    });
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            img.at(x, y) = raster::over(rings.at(x, y), img.at(x, y));

    // The Earlier Heaven order, south at the top as on the old charts: heaven above, earth below,
    // fire on the left, water on the right. Line 1 of each trigram lies nearest the centre.
    static const int order[8][3] = {
        {1, 1, 1}, // heaven, top
        {0, 1, 1}, // wind, upper right
        {0, 1, 0}, // water, right
        {0, 0, 1}, // mountain, lower right
        {0, 0, 0}, // earth, bottom
        {1, 0, 0}, // thunder, lower left
        {1, 0, 1}, // fire, left
        {1, 1, 0}, // lake, upper left
    };
    for (int k = 0; k < 8; ++k) {
        FloatImage layer(96, 56);
        paintTrigramBars(layer, order[k], 3, 12.0, 84.0, 6.0, 5.4, 16.0, 0.2, 7100u + uint32_t(k) * 37u,
                         palette::ink);
        const double a = k * M_PI / 4.0;
        const double radius = 124.0;
        blitRotated(img, layer, c + radius * std::sin(a), c - radius * std::cos(a), a);
    }
    static const int heaven[3] = {1, 1, 1};
    paintSealStamp(img, n - 40, n - 40, 28, heaven);
    return raster::flatten(img, palette::paper);
}

QImage mountains()
{
    const int w = 480;
    const int h = 260;
    FloatImage img = raster::fromQImage(paperTile(w, h, palette::paper, 7301, 1.0));

    // A pale cinnabar sun behind the far peaks.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x + 0.5 - 356.0, y + 0.5 - 66.0);
            const float a = float(0.42 * (1.0 - smoothstep(20.5, 22.0, d)));
            if (a > 0)
                img.at(x, y) = raster::over(raster::opaque(qRgb(214, 112, 84), a), img.at(x, y));
        }
    }

    struct Ridge {
        double base; // height of the valley line
        double amp;  // height of the peaks
        double freq; // peaks per pixel
        double tone; // ink density at the crest
        double mist; // how far below the crest the ink fades out
        uint32_t seed;
    };
    const Ridge ridges[4] = {
        {150, 70, 0.010, 0.20, 60, 11},
        {175, 80, 0.014, 0.36, 55, 23},
        {205, 90, 0.018, 0.58, 50, 37},
        {250, 70, 0.022, 0.86, 60, 53},
    };
    const RgbaF ink = raster::opaque(palette::ink);
    for (const Ridge &r : ridges) {
        for (int x = 0; x < w; ++x) {
            const double n = noise::fbm(x * r.freq, 0.5, r.seed, 5);
            // Sharpened noise gives pointed peaks and rounded valleys.
            const double peak = std::pow(std::clamp(n, 0.0, 1.0), 1.6) * 1.8;
            const double crest = r.base - r.amp * peak;
            for (int y = 0; y < h; ++y) {
                const double yy = y + 0.5;
                if (yy < crest - 1.0)
                    continue;
                const double edge = std::clamp(yy - crest + 0.5, 0.0, 1.0);
                const double fall = 1.0 - smoothstep(0.0, r.mist, yy - crest);
                // Texture strokes run down the slopes.
                const double strokes = 0.7 + 0.3 * noise::fbm(x * 0.25, yy * 0.04, r.seed + 5, 3);
                const float a = float(edge * r.tone * (0.25 + 0.75 * fall) * strokes * (0.35 + 0.65 * fall));
                if (a <= 0.0f)
                    continue;
                img.at(x, y) = raster::over({ink.r * a, ink.g * a, ink.b * a, a}, img.at(x, y));
            }
        }
    }

    // A pair of birds crossing the sky, two flicks of the brush each.
    const FloatImage details = raster::paint(w, h, 3, [](QPainter &p) {
        p.setPen(QPen(QColor(palette::ink), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        auto bird = [&p](double x, double y, double s) {
            QPainterPath b;
            b.moveTo(x - 6 * s, y - 2 * s);
            b.quadTo(x - 2 * s, y - 3 * s, x, y);
            b.quadTo(x + 2 * s, y - 3.5 * s, x + 7 * s, y - 3 * s);
            p.drawPath(b);
        };
        bird(220, 60, 1.0);
        bird(238, 70, 0.8);
    });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.at(x, y) = raster::over(details.at(x, y), img.at(x, y));

    static const int mountain[3] = {0, 0, 1};
    paintSealStamp(img, w - 36, h - 36, 24, mountain);
    return raster::flatten(img, palette::paper);
}

} // namespace

void addPaintings(ArtSet &art)
{
    art.addJpeg(QStringLiteral("trigrams.jpg"), trigramCircle(), QStringLiteral("page"));
    art.addJpeg(QStringLiteral("mountains.jpg"), mountains(), QStringLiteral("page"));
}
