// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures that the book's pages show: the hexagram lines, the ruler marks, the trigram figures,
// the horizontal rule and the paper behind every page.
#include "Generators.h"
#include "InkBrush.h"
#include "Noise.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

QImage paperTile(int w, int h, QRgb base, uint32_t seed, double fibreAmount)
{
    // Fibres are drawn on a coverage map nine times, shifted by the tile size, so that a fibre
    // crossing an edge comes back in on the other side and the tile has no seam.
    Rng rng(seed);
    struct Fibre {
        QPainterPath path;
        bool light;
    };
    std::vector<Fibre> fibres;
    const int count = int(w * h / 900.0 * fibreAmount);
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(0, w);
        const double y = rng.range(0, h);
        const double len = rng.range(4, 14);
        const double ang = rng.range(0, M_PI);
        const double bend = rng.range(-3, 3);
        QPainterPath p;
        const QPointF a(x, y);
        const QPointF b(x + len * std::cos(ang), y + len * std::sin(ang));
        const QPointF mid((a.x() + b.x()) / 2 + bend * std::sin(ang),
                          (a.y() + b.y()) / 2 - bend * std::cos(ang));
        p.moveTo(a);
        p.quadTo(mid, b);
        fibres.push_back({p, rng.unit() < 0.55});
    }
    auto fibreMap = [&](bool light) {
        return raster::coverage(w, h, 2, [&](QPainter &p) {
            p.setPen(QPen(Qt::white, 0.55));
            p.setBrush(Qt::NoBrush);
            for (const Fibre &f : fibres) {
                if (f.light != light)
                    continue;
                for (int oy = -1; oy <= 1; ++oy)
                    for (int ox = -1; ox <= 1; ++ox)
                        p.drawPath(f.path.translated(ox * w, oy * h));
            }
        });
    };
    const FloatMap lightFibres = fibreMap(true);
    const FloatMap darkFibres = fibreMap(false);

    QImage out(w, h, QImage::Format_RGB32);
    const int period = 4;
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double cloud =
                noise::fbm(x * period / double(w), y * period / double(h), seed, 4, period) - 0.5;
            const double grain = noise::unit(x, y, seed + 3) - 0.5;
            double f = 1.0 + 0.045 * cloud + 0.018 * grain;
            f += 0.035 * lightFibres.at(x, y) - 0.045 * darkFibres.at(x, y);
            line[x] = raster::scale(base, f);
        }
    }
    return out;
}

void paintTrigramBars(FloatImage &layer, const int *bits, int count, double x0, double x1, double top,
                      double barHalf, double pitch, double gapFraction, uint32_t seed, QRgb ink)
{
    for (int i = 0; i < count; ++i) {
        // Line 1 is the lowest.
        const double yc = top + barHalf + (count - 1 - i) * pitch;
        BrushStroke s;
        s.yc = yc;
        s.halfHeight = barHalf;
        s.seed = seed + uint32_t(i) * 17u;
        s.roughness = std::min(0.35, barHalf * 0.07);
        if (bits[i]) {
            s.x0 = x0;
            s.x1 = x1;
            paintBrushStroke(layer, s, ink);
        } else {
            const double gap = (x1 - x0) * gapFraction;
            const double half = (x1 - x0 - gap) / 2.0;
            s.x0 = x0;
            s.x1 = x0 + half;
            s.dryness = 0.15;
            paintBrushStroke(layer, s, ink);
            s.seed += 5;
            s.x0 = x1 - half;
            s.x1 = x1;
            paintBrushStroke(layer, s, ink);
        }
    }
}

namespace
{

// One line of a hexagram figure in a page; six hand-made variants of each kind, so that a figure
// never shows the same stroke twice.
QImage hexagramLine(bool yang, int variant)
{
    const int w = 96;
    const int h = 18;
    FloatImage layer(w, h);
    const uint32_t seed = (yang ? 1000u : 2000u) + uint32_t(variant) * 131u;
    const double jitterL = (noise::unit(variant, 1, seed) - 0.5) * 2.0;
    const double jitterR = (noise::unit(variant, 2, seed) - 0.5) * 2.0;
    const double x0 = 5.0 + jitterL;
    const double x1 = 91.0 + jitterR;
    BrushStroke s;
    s.yc = 9.0 + (noise::unit(variant, 3, seed) - 0.5) * 0.6;
    s.halfHeight = 5.3 + (noise::unit(variant, 4, seed) - 0.5) * 0.5;
    s.tilt = -0.2 - 0.5 * noise::unit(variant, 5, seed);
    s.seed = seed;
    if (yang) {
        s.x0 = x0;
        s.x1 = x1;
        paintBrushStroke(layer, s, palette::ink);
    } else {
        const double gap = 13.0 + (noise::unit(variant, 6, seed) - 0.5) * 2.0;
        const double half = (x1 - x0 - gap) / 2.0;
        s.x0 = x0;
        s.x1 = x0 + half;
        s.dryness = 0.14;
        paintBrushStroke(layer, s, palette::ink);
        s.seed += 7;
        s.x0 = x1 - half;
        s.x1 = x1;
        s.yc += 0.2;
        paintBrushStroke(layer, s, palette::ink);
    }
    return raster::flatten(layer, palette::paper);
}

// The governing ruler: a round cinnabar seal dot.
QImage rulerRound()
{
    const int n = 13;
    FloatImage layer(n, n);
    const FloatMap cov = raster::coverage(n, n, 4, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.5, 6.5), 4.7, 4.7);
    });
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double dx = x + 0.5 - 5.6;
            const double dy = y + 0.5 - 5.4;
            // A faint sheen up and to the left, as on a lacquer bead.
            const double sheen = std::exp(-(dx * dx + dy * dy) / 6.0);
            const QRgb c = raster::mix(palette::cinnabar, qRgb(226, 120, 96), 0.45 * sheen);
            const float a = cov.at(x, y);
            layer.at(x, y) = raster::opaque(c, a);
        }
    }
    return raster::flatten(layer, palette::paper);
}

// The constituting ruler: a square jade mark.
QImage rulerSquare()
{
    const int n = 13;
    FloatImage layer(n, n);
    const FloatMap cov = raster::coverage(n, n, 4, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2.5, 2.5, 8, 8), 0.8, 0.8);
    });
    const FloatMap inner = raster::coverage(n, n, 4, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.0, 4.0, 5, 5));
    });
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const QRgb c =
                raster::mix(palette::jade, qRgb(120, 170, 142), 0.5 * inner.at(x, y) * (y < 7 ? 1.0 : 0.6));
            layer.at(x, y) = raster::opaque(c, cov.at(x, y));
        }
    }
    return raster::flatten(layer, palette::paper);
}

// The rule under a page's title: a strong ink line over a thin bronze one, fading at both ends.
QImage pageRule()
{
    const int w = 256;
    const int h = 8;
    const QImage paper = paperTile(w, h, palette::paper, 404, 0.0);
    FloatImage layer(w, h);
    const FloatMap strong =
        raster::coverage(w, h, 4, [](QPainter &p) { p.fillRect(QRectF(0, 1.6, 256, 1.8), Qt::white); });
    const FloatMap thin =
        raster::coverage(w, h, 4, [](QPainter &p) { p.fillRect(QRectF(0, 5.0, 256, 0.9), Qt::white); });
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double fade = std::min(1.0, std::min(x + 0.5, w - x - 0.5) / 18.0);
            const double ink = strong.at(x, y) * fade * (0.9 + 0.1 * noise::value(x * 0.2, 0, 88));
            const double bronze = thin.at(x, y) * fade;
            RgbaF c = raster::opaque(palette::bronze, float(bronze * 0.9));
            c = raster::over(raster::opaque(palette::inkBrown, float(ink)), c);
            layer.at(x, y) = c;
        }
    }
    FloatImage base = raster::fromQImage(paper);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            base.at(x, y) = raster::over(layer.at(x, y), base.at(x, y));
    return raster::flatten(base, palette::paper);
}

// Laid paper for the analysis report: faint laid lines and wider chain lines.
QImage laidPaper()
{
    QImage img = paperTile(128, 128, qRgb(240, 234, 216), 505, 0.6);
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            double f = 1.0;
            if (y % 4 == 0)
                f -= 0.012;
            if (x % 32 == 16)
                f -= 0.022;
            line[x] = raster::scale(line[x], f);
        }
    }
    return img;
}

// A paper with a few pale washes of ink, for the introduction when a skin offers it.
QImage washPaper()
{
    const int n = 256;
    QImage img = paperTile(n, n, palette::paper, 606, 1.0);
    for (int y = 0; y < n; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const double wash = noise::fbm(x * 3.0 / n, y * 3.0 / n, 607, 5, 3);
            const double t = std::clamp((wash - 0.58) * 3.0, 0.0, 1.0) * 0.10;
            line[x] = raster::mix(line[x], palette::inkBrown, t);
        }
    }
    return img;
}

} // namespace

void addPageArt(ArtSet &art)
{
    for (int v = 1; v <= 6; ++v)
        art.addBmp(QStringLiteral("YANG%1.bmp").arg(v), hexagramLine(true, v), QStringLiteral("page"));
    for (int v = 1; v <= 6; ++v)
        art.addBmp(QStringLiteral("YIN%1.bmp").arg(v), hexagramLine(false, v), QStringLiteral("page"));
    art.addBmp(QStringLiteral("RE.bmp"), rulerRound(), QStringLiteral("page"));
    art.addBmp(QStringLiteral("CU.bmp"), rulerSquare(), QStringLiteral("page"));

    // In the order of the analysis report's columns: heaven, thunder, water, mountain, earth,
    // wind, fire, lake (line 1 first).
    static const int trigrams[8][3] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1},
                                       {0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
    for (int t = 0; t < 8; ++t) {
        FloatImage layer(44, 38);
        paintTrigramBars(layer, trigrams[t], 3, 5.0, 39.0, 5.0, 3.6, 11.0, 0.22, 3000u + uint32_t(t) * 71u,
                         palette::ink);
        art.addBmp(QStringLiteral("trigram%1.bmp").arg(t + 1), raster::flatten(layer, palette::paper),
                   QStringLiteral("page"));
    }

    art.addBmp(QStringLiteral("line1.bmp"), pageRule(), QStringLiteral("skin shared"));
    art.addBmp(QStringLiteral("back1.bmp"), paperTile(128, 128, palette::paper, 101),
               QStringLiteral("skin shared"));
    art.addBmp(QStringLiteral("back2.bmp"), laidPaper(), QStringLiteral("skin shared"));
    art.addBmp(QStringLiteral("introback.bmp"), washPaper(), QStringLiteral("page"));
}
