// SPDX-License-Identifier: GPL-3.0-or-later
// The skins: for each of the three built-in colourings a back.bmp (frame pieces and the two
// colours the program reads from it), the OK/Cancel corner and the bottom band; and the six
// bitmaps all three share.
#include "Generators.h"
#include "Noise.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <stdexcept>

namespace
{

// Layout of back.bmp that the program relies on.
constexpr int kBackW = 192; // only the first 100 columns are cut; the rest completes the preview
constexpr int kBackH = 80;
constexpr QPoint kFramePixel(72, 20);
constexpr QPoint kShadePixel(50, 50);

// The frame's cross-section from the outer edge inwards: a rounded ridge, then a fine inner line.
QRgb profile(const SkinColours &s, int k)
{
    switch (k) {
    case 0:
        return s.outline;
    case 1:
        return s.mid;
    case 2:
        return s.light;
    case 3:
        return raster::mix(s.light, s.frame, 0.5);
    case 4:
        return s.mid;
    case 5:
        return s.deep;
    case 6:
        return raster::mix(s.light, s.frame, 0.45);
    default:
        return s.frame;
    }
}

// A cinnabar seal with the trigram of heaven cut into it, before the title of every skinned window.
// Mirror-symmetric, because the top-right corner is this piece mirrored.
void paintSeal(QImage &img, QRect box, uint32_t seed)
{
    const int ss = 4;
    const FloatImage seal = raster::paint(box.width(), box.height(), ss, [&](QPainter &p) {
        const QRectF r(0.5, 0.5, box.width() - 1.0, box.height() - 1.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(palette::cinnabar));
        p.drawRoundedRect(r, 2.2, 2.2);
        p.setBrush(QColor(palette::paper));
        const double inset = 3.6;
        const double barW = box.width() - 2 * inset;
        const double pitch = (box.height() - 2 * inset) / 3.0;
        const double barH = pitch * 0.55;
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(inset, inset + i * pitch + (pitch - barH) / 2, barW, barH));
    });
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            RgbaF c = seal.at(x, y);
            // A stamp never prints evenly: let a little of the ground through, mirrored so the
            // unevenness is symmetric too.
            const int mx = std::min(x, box.width() - 1 - x);
            const double worn = noise::fbm(mx * 0.45, y * 0.45, seed, 2);
            const float keep = float(std::clamp(1.15 - 0.5 * worn, 0.0, 1.0));
            c = {c.r * keep, c.g * keep, c.b * keep, c.a * keep};
            QRgb &dst = reinterpret_cast<QRgb *>(img.scanLine(box.y() + y))[box.x() + x];
            const RgbaF out = raster::over(c, raster::opaque(dst));
            dst = qRgb(int(std::lround(out.r * 255)), int(std::lround(out.g * 255)),
                       int(std::lround(out.b * 255)));
        }
    }
}

QImage backBitmap(const SkinColours &s)
{
    QImage img(kBackW, kBackH, QImage::Format_RGB32);
    img.fill(s.frame);
    auto set = [&](int x, int y, QRgb c) { reinterpret_cast<QRgb *>(img.scanLine(y))[x] = c; };

    // The program reads the shade colour from (50,50), inside the left edge tile. That tile's
    // inner part is hidden behind the windows' content, except for a strip of the preferences
    // dialog, so it stays in the frame colour and only this one pixel (and its mirror image, for
    // the preview) carries the shade.
    set(kShadePixel.x(), kShadePixel.y(), s.shade);
    set(kBackW - 1 - kShadePixel.x(), kShadePixel.y(), s.shade);
    // The middle of the bitmap is cut by no piece; it makes the preferences' preview show the
    // shade colour as the oracle pane uses it, as the bars of a figure.
    {
        const int bits[6] = {1, 0, 1, 0, 1, 0}; // top line first
        const int cx = kBackW / 2;
        for (int i = 0; i < 6; ++i) {
            const int y0 = 36 + i * 5;
            for (int y = y0; y < y0 + 3; ++y) {
                for (int x = cx - 18; x < cx + 18; ++x) {
                    const bool gap = !bits[i] && std::abs(x - cx + 0.5) < 5.0;
                    if (!gap)
                        set(x, y, s.shade);
                }
            }
        }
    }
    // Ridge along the outer edge, inner line inside it. Distances are taken to the nearest edge
    // so the corners mitre cleanly; the inner line of the top band runs under the title.
    for (int y = 0; y < kBackH; ++y) {
        for (int x = 0; x < kBackW; ++x) {
            const int dx = std::min(x, kBackW - 1 - x);
            const int dTop = y;
            const int dBottom = kBackH - 1 - y;
            const int dOuter = std::min({dx, dTop, dBottom});
            if (dOuter <= 4) {
                set(x, y, profile(s, dOuter));
                continue;
            }
            // Inner line: columns 5 and 6 from the sides, rows 28/29 under the title band and
            // rows 74/73 above the bottom; where two meet the darker one wins, so the line turns
            // its corners without a notch.
            int k = 99;
            if (y >= 28 && y <= 74 && dx <= 6)
                k = dx;
            if (y == 28 || y == 29)
                k = std::min(k, y == 28 ? 5 : 6);
            if (y == 73 || y == 74)
                k = std::min(k, y == 74 ? 5 : 6);
            if (k <= 6)
                set(x, y, profile(s, k));
        }
    }
    // The seal stands just before the title. In the top-right corner, which is this piece mirrored,
    // it then falls left of the window buttons instead of peeking out from under them.
    paintSeal(img, QRect(50, 5, 18, 18), 77);
    paintSeal(img, QRect(kBackW - 50 - 18, 5, 18, 18), 77);
    // The program takes its two colours from these pixels; a drawing change must not move them.
    if (img.pixel(kFramePixel) != s.frame || img.pixel(kShadePixel) != s.shade)
        throw std::logic_error("back.bmp colour pixels moved");
    return img;
}

// The bottom band of the main window: a shallow tray around the tool panel. Only the first and
// last 20 columns carry its ends; the middle is stretched by the program.
QImage bottomBitmap(const SkinColours &s)
{
    const int w = 120;
    const int h = 49;
    const QRgb tray = raster::mix(s.frame, s.shade, 0.35);
    const FloatImage layer = raster::paint(w, h, 4, [&](QPainter &p) {
        p.fillRect(QRectF(0, 0, w, h), QColor(s.frame));
        const QRectF groove(12.5, 6.5, w - 25.0, 36.0);
        p.setBrush(QColor(tray));
        p.setPen(QPen(QColor(s.deep), 1.0));
        p.drawRoundedRect(groove, 5, 5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(s.light), 1.0));
        p.drawRoundedRect(groove.translated(1, 1), 5, 5);
        p.setPen(QPen(QColor(s.deep), 1.0));
        p.drawRoundedRect(groove, 5, 5);
    });
    return raster::flatten(layer, s.frame);
}

QImage cutPiece(const QImage &back, QRect r, bool mirror)
{
    QImage piece = back.copy(r);
    return mirror ? piece.mirrored(true, false) : piece;
}

// The preferences dialog's OK/Cancel corner: the dialog's own frame where the picture covers it,
// and a sunken panel for the two buttons.
QImage okCancelBitmap(const SkinColours &s, const QImage &back)
{
    const int dw = 399;
    const int dh = 272;
    QImage dialog(dw, dh, QImage::Format_RGB32);
    dialog.fill(s.frame);
    {
        // Painted as for a window whose bottom-right corner the frame draws itself: in the dialog
        // that corner is left to this picture, which must therefore carry it.
        QPainter p(&dialog);
        paintSkinFrame(p, back, dw, dh, 'm');
    }
    const int w = 114;
    const int h = 38;
    QImage img = dialog.copy(dw - w, dh - h, w, h);
    // The picture stands at (width - 114, height - 38) of the dialog; its last row and column are
    // covered by the dialog's one-pixel outline and never show.
    const QRgb panel = raster::mix(s.frame, s.shade, 0.3);
    auto set = [&](int x, int y, QRgb c) { reinterpret_cast<QRgb *>(img.scanLine(y))[x] = c; };
    for (int y = 3; y <= 30; ++y)
        for (int x = 3; x <= 106; ++x)
            set(x, y, panel);
    for (int x = 2; x <= 107; ++x) {
        set(x, 2, s.deep);
        set(x, 3, raster::mix(panel, s.deep, 0.3));
    }
    for (int y = 2; y <= 32; ++y) {
        set(2, y, s.deep);
        set(3, y, raster::mix(panel, s.deep, 0.3));
    }
    return img;
}

// The tile of the yarrow-stalk window: plain linen, woven, so the coloured stalks and their black
// shadows stand out clearly.
QImage linen()
{
    const int n = 128;
    QImage img(n, n, QImage::Format_RGB32);
    const QRgb base = qRgb(228, 218, 194);
    for (int y = 0; y < n; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < n; ++x) {
            // Each thread has its own thickness (slub); warp and weft cross over and under.
            const int cellX = x / 2;
            const int cellY = y / 2;
            const bool warpOnTop = ((cellX + cellY) & 1) == 0;
            const double warp = noise::value(0.5, cellX * 0.5, 801, 1, 32) - 0.5;
            const double weft = noise::value(cellY * 0.5, 0.5, 802, 32, 1) - 0.5;
            const double thread = warpOnTop ? warp : weft;
            const double within = warpOnTop ? (x % 2) : (y % 2);
            const double cloud = noise::fbm(x * 4.0 / n, y * 4.0 / n, 803, 3, 4) - 0.5;
            double f = 1.0 + 0.05 * thread + (within ? -0.02 : 0.015) + 0.03 * cloud;
            f += (noise::unit(x, y, 804) - 0.5) * 0.02;
            line[x] = raster::scale(base, f);
        }
    }
    return img;
}

// The oracle pane's tile: pale paper with two faint cloud scrolls, quiet behind the figures.
QImage paneTile()
{
    const int n = 128;
    QImage img = paperTile(n, n, qRgb(233, 224, 201), 901, 0.7);
    const FloatMap motif = raster::coverage(n, n, 4, [](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1.3, Qt::SolidLine, Qt::RoundCap));
        struct Cloud {
            double x, y, s;
            bool flip;
        };
        const Cloud clouds[2] = {{34, 36, 0.9, false}, {96, 100, 0.75, true}};
        for (const Cloud &c : clouds) {
            for (int oy = -1; oy <= 1; ++oy) {
                for (int ox = -1; ox <= 1; ++ox) {
                    p.save();
                    p.translate(c.x + ox * n, c.y + oy * n);
                    p.scale(c.flip ? -c.s : c.s, c.s);
                    p.drawPath(cloudCurl());
                    p.restore();
                }
            }
        }
    });
    for (int y = 0; y < n; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < n; ++x)
            line[x] = raster::mix(line[x], raster::scale(line[x], 0.93), motif.at(x, y));
    }
    return img;
}

// The brush that fills the bars of the oracle pane's figures: ink with a faint horizontal grain,
// as a bar laid with one stroke.
QImage figureInk()
{
    const int n = 32;
    QImage img(n, n, QImage::Format_RGB32);
    const QRgb base = qRgb(46, 36, 30);
    for (int y = 0; y < n; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const double streak = noise::value(x * 2.0 / n, y * 8.0 / n, 951, 2, 8) - 0.5;
            const double grain = noise::unit(x, y, 952) - 0.5;
            line[x] = raster::scale(base, 1.0 + 0.22 * streak + 0.08 * grain);
        }
    }
    return img;
}

} // namespace

void paintSkinFrame(QPainter &p, const QImage &back, int w, int h, char mode)
{
    const QImage topLeft = cutPiece(back, QRect(0, 0, 70, 32), false);
    const QImage topRight = cutPiece(back, QRect(0, 0, 70, 32), true);
    const QImage bottomLeft = cutPiece(back, QRect(0, 70, 70, 10), false);
    const QImage bottomRight = cutPiece(back, QRect(0, 70, 70, 10), true);
    const QImage top = cutPiece(back, QRect(70, 0, 29, 32), false);
    const QImage bottom = cutPiece(back, QRect(70, 70, 29, 10), false);
    const QImage left = cutPiece(back, QRect(0, 32, 70, 38), false);
    const QImage right = cutPiece(back, QRect(0, 32, 70, 38), true);

    p.save();
    p.setBrushOrigin(0, 0);
    if (w - 70 > 70)
        p.fillRect(QRect(70, 0, w - 140, 32), QBrush(QPixmap::fromImage(top)));
    for (int x = 70; x < w - 70; x += bottom.width())
        p.drawImage(x, h - 10, bottom);
    if (h - 10 > 32)
        p.fillRect(QRect(0, 32, 70, h - 42), QBrush(QPixmap::fromImage(left)));
    for (int y = 32; y < h - 10; y += right.height())
        p.drawImage(w - 70, y, right);
    p.drawImage(0, 0, topLeft);
    if (mode == 'p')
        p.drawImage(w - 70, 0, topRight);
    p.drawImage(0, h - 10, bottomLeft);
    if (mode != 'p')
        p.drawImage(w - 70, h - 10, bottomRight);
    p.restore();
}

void addSkinArt(ArtSet &art)
{
    for (const SkinColours &s : builtInSkins()) {
        const QImage back = backBitmap(s);
        const QString group = QStringLiteral("skin ") + s.name;
        art.addBmp(s.prefix + QStringLiteral("back.bmp"), back, group);
        art.addBmp(s.prefix + QStringLiteral("okcancel.bmp"), okCancelBitmap(s, back), group);
        art.addBmp(s.prefix + QStringLiteral("bottom.bmp"), bottomBitmap(s), group);
    }
    art.addBmp(QStringLiteral("stalk.bmp"), linen(), QStringLiteral("skin shared"));
    art.addBmp(QStringLiteral("backleft.bmp"), paneTile(), QStringLiteral("skin shared"));
    art.addBmp(QStringLiteral("fondo1.bmp"), figureInk(), QStringLiteral("oracle"));
}
