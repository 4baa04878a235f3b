// SPDX-License-Identifier: GPL-3.0-or-later
// Small pictures of the program's controls: the window buttons, the tool-bar glyphs, the pictures
// of buttons that the tips show, the index marker, the hand cursor and the program's icon.
#include "Generators.h"
#include "Noise.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <functional>

namespace
{

const QColor kInk(palette::inkBrown);
const QColor kDarkInk(palette::ink);
const QColor kPaper(palette::paper);
const QColor kBronze(palette::bronze);
const QColor kJade(palette::jade);
const QColor kCinnabar(palette::cinnabar);

QPen pen(const QColor &c, double w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Every glyph is drawn in a 20 by 20 box.
using GlyphPainter = std::function<void(QPainter &)>;

void glyphIndex(QPainter &p)
{
    p.setPen(pen(kInk, 1.1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3.5, 2.5, 13, 15), 1.5, 1.5);
    p.setPen(pen(kInk, 1.3));
    for (int i = 0; i < 4; ++i) {
        const double y = 6.0 + i * 3.0;
        p.drawLine(QPointF(8.0, y), QPointF(14.0, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kCinnabar);
    p.drawEllipse(QPointF(5.9, 9.0), 1.4, 1.4);
    p.setBrush(kInk);
    for (int i : {0, 2, 3})
        p.drawEllipse(QPointF(5.9, 6.0 + i * 3.0), 0.7, 0.7);
}

void glyphBack(QPainter &p)
{
    QPainterPath arc;
    arc.moveTo(16.0, 15.5);
    arc.cubicTo(16.5, 9.0, 12.0, 6.5, 5.5, 7.0);
    p.setPen(pen(kInk, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(2.5, 7.0);
    head.lineTo(8.0, 2.8);
    head.lineTo(8.0, 11.2);
    head.closeSubpath();
    p.setPen(pen(kInk, 0.8));
    p.setBrush(kInk);
    p.drawPath(head);
}

void glyphPrint(QPainter &p)
{
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.0, 2.5, 8.0, 6.0));
    p.setBrush(kBronze);
    p.drawRoundedRect(QRectF(2.5, 7.5, 15.0, 7.0), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 12.0, 9.0, 5.5));
    p.setPen(pen(kInk, 0.8));
    p.drawLine(QPointF(7.0, 14.0), QPointF(13.0, 14.0));
    p.drawLine(QPointF(7.0, 16.0), QPointF(11.5, 16.0));
    p.setPen(Qt::NoPen);
    p.setBrush(kJade);
    p.drawEllipse(QPointF(15.0, 9.8), 0.9, 0.9);
}

void glyphFind(QPainter &p)
{
    p.setPen(pen(kInk, 3.0));
    p.drawLine(QPointF(12.5, 12.5), QPointF(17.0, 17.0));
    p.setPen(pen(kInk, 1.7));
    p.setBrush(QColor(206, 226, 212));
    p.drawEllipse(QPointF(8.5, 8.5), 5.3, 5.3);
    p.setPen(pen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.3, 5.3, 6.4, 6.4), 100 * 16, 70 * 16);
}

void glyphHelp(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kJade);
    p.drawEllipse(QPointF(10, 10), 8.2, 8.2);
    QPainterPath q;
    q.moveTo(7.0, 7.6);
    q.cubicTo(7.0, 4.2, 13.2, 4.2, 13.2, 7.6);
    q.cubicTo(13.2, 9.8, 10.1, 9.8, 10.1, 12.2);
    p.setPen(pen(kPaper, 2.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10.1, 15.3), 1.25, 1.25);
}

void glyphOracle(QPainter &p)
{
    // Bars two pixels high on whole pixels, so the figure stays crisp at its own size.
    const int bits[6] = {1, 0, 1, 1, 0, 1}; // top first
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const double y = 1.0 + i * 3.0;
        p.setBrush(i == 2 ? kCinnabar : kDarkInk);
        if (bits[i]) {
            p.drawRect(QRectF(2, y, 16, 2));
        } else {
            p.drawRect(QRectF(2, y, 6, 2));
            p.drawRect(QRectF(12, y, 6, 2));
        }
    }
}

void glyphPrefs(QPainter &p)
{
    const double knobs[3] = {12.0, 6.0, 10.0};
    for (int i = 0; i < 3; ++i) {
        const double x = 5.0 + i * 5.0;
        p.setPen(pen(kInk, 1.2));
        p.drawLine(QPointF(x, 2.5), QPointF(x, 17.5));
        p.setPen(pen(kInk, 0.9));
        p.setBrush(i == 1 ? kCinnabar : kBronze);
        p.drawRoundedRect(QRectF(x - 2.3, knobs[i] - 1.6, 4.6, 3.2), 0.8, 0.8);
    }
}

void glyphOpen(QPainter &p)
{
    p.setPen(pen(kInk, 1.0));
    p.setBrush(QColor(140, 98, 52));
    QPainterPath back;
    back.moveTo(2.5, 16.5);
    back.lineTo(2.5, 4.5);
    back.lineTo(7.0, 4.5);
    back.lineTo(8.5, 6.0);
    back.lineTo(15.5, 6.0);
    back.lineTo(15.5, 16.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.0, 7.5, 9.0, 6.0));
    p.setBrush(kBronze);
    QPainterPath front;
    front.moveTo(2.5, 16.5);
    front.lineTo(5.0, 9.5);
    front.lineTo(18.0, 9.5);
    front.lineTo(15.5, 16.5);
    front.closeSubpath();
    p.drawPath(front);
}

void glyphSave(QPainter &p)
{
    p.setPen(pen(kInk, 1.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath tray;
    tray.moveTo(3.0, 11.5);
    tray.lineTo(3.0, 17.0);
    tray.lineTo(17.0, 17.0);
    tray.lineTo(17.0, 11.5);
    p.drawPath(tray);
    p.setPen(pen(kJade, 2.2));
    p.drawLine(QPointF(10.0, 2.5), QPointF(10.0, 10.0));
    QPainterPath head;
    head.moveTo(5.8, 9.0);
    head.lineTo(14.2, 9.0);
    head.lineTo(10.0, 14.0);
    head.closeSubpath();
    p.setPen(pen(kJade, 0.8));
    p.setBrush(kJade);
    p.drawPath(head);
}

void smallCoin(QPainter &p, QPointF c, double r)
{
    QPainterPath coin;
    coin.addEllipse(c, r, r);
    const double h = r * 0.32;
    QPainterPath hole;
    hole.addRect(QRectF(c.x() - h, c.y() - h, 2 * h, 2 * h));
    p.setPen(pen(QColor(96, 64, 30), 0.9));
    p.setBrush(QColor(196, 150, 78));
    p.drawPath(coin.subtracted(hole));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(120, 84, 40), 0.6));
    p.drawEllipse(c, r * 0.72, r * 0.72);
}

void glyphCoins(QPainter &p)
{
    smallCoin(p, QPointF(6.5, 12.5), 5.0);
    smallCoin(p, QPointF(13.5, 13.0), 5.0);
    smallCoin(p, QPointF(10.0, 6.5), 5.0);
}

void glyphStalks(QPainter &p)
{
    const QColor colours[3] = {QColor(140, 61, 47), QColor(124, 94, 52), QColor(96, 113, 28)};
    for (int i = 0; i < 6; ++i) {
        const double x = 5.0 + i * 2.0;
        p.setPen(pen(colours[i % 3], 1.3));
        p.drawLine(QPointF(x + 1.5, 2.5), QPointF(x - 1.0 + i * 0.3, 17.5));
    }
    p.setPen(pen(kCinnabar, 1.8));
    p.drawLine(QPointF(4.0, 11.0), QPointF(16.5, 11.0));
}

struct NamedGlyph {
    const char *name;
    GlyphPainter painter;
};

std::vector<NamedGlyph> toolGlyphs()
{
    return {{"index", glyphIndex}, {"back", glyphBack},     {"print", glyphPrint},  {"find", glyphFind},
            {"help", glyphHelp},   {"oracle", glyphOracle}, {"pref", glyphPrefs},   {"open", glyphOpen},
            {"save", glyphSave},   {"coins", glyphCoins},   {"stalks", glyphStalks}};
}

FloatImage glyphImage(const GlyphPainter &g, int size, double offset, double scale)
{
    return raster::paint(size, size, 4, [&](QPainter &p) {
        p.translate(offset, offset);
        p.scale(scale, scale);
        g(p);
    });
}

// The picture of a tool button that a tip names: a raised paper button with the glyph on it, on
// the tips window's white.
QImage tipButton(const GlyphPainter &g)
{
    const int n = 24;
    const FloatImage img = raster::paint(n, n, 4, [&](QPainter &p) {
        QLinearGradient face(0, 0, 0, n);
        face.setColorAt(0.0, QColor(246, 238, 220));
        face.setColorAt(1.0, QColor(218, 202, 170));
        p.setPen(pen(QColor(150, 124, 90), 1.0));
        p.setBrush(face);
        p.drawRoundedRect(QRectF(0.5, 0.5, n - 1.0, n - 1.0), 3, 3);
        p.translate(2.0, 2.0);
        g(p);
    });
    return raster::flatten(img, qRgb(255, 255, 255));
}

QImage displayPicture()
{
    const int n = 24;
    const FloatImage img = raster::paint(n, n, 4, [](QPainter &p) {
        p.setPen(pen(kDarkInk, 1.0));
        p.setBrush(QColor(70, 62, 56));
        p.drawRoundedRect(QRectF(1.5, 2.5, 21, 15), 1.5, 1.5);
        QLinearGradient screen(0, 4, 0, 16);
        screen.setColorAt(0.0, QColor(214, 232, 220));
        screen.setColorAt(1.0, QColor(120, 170, 142));
        p.setPen(Qt::NoPen);
        p.setBrush(screen);
        p.drawRect(QRectF(3.5, 4.5, 17, 11));
        // A small mountain on the screen, so it reads as a display of colour pictures.
        QPainterPath hill;
        hill.moveTo(3.5, 15.5);
        hill.lineTo(9.0, 9.5);
        hill.lineTo(12.0, 12.0);
        hill.lineTo(15.0, 8.5);
        hill.lineTo(20.5, 15.5);
        hill.closeSubpath();
        p.setBrush(QColor(60, 100, 80));
        p.drawPath(hill);
        p.setBrush(kCinnabar);
        p.drawEllipse(QPointF(7.0, 7.5), 1.4, 1.4);
        p.setPen(pen(kDarkInk, 1.0));
        p.setBrush(QColor(110, 100, 92));
        p.drawRect(QRectF(10.0, 17.5, 4.0, 2.5));
        p.drawRoundedRect(QRectF(6.5, 20.0, 11.0, 2.5), 1.0, 1.0);
    });
    return raster::flatten(img, qRgb(255, 255, 255));
}

// The tips window's own picture: a red paper lantern, 23 by 30, on the window's white panel.
QImage tipsLantern()
{
    const FloatImage img = raster::paint(23, 30, 4, [](QPainter &p) {
        p.setPen(pen(QColor(120, 90, 40), 0.9));
        p.drawLine(QPointF(11.5, 0.0), QPointF(11.5, 3.5));
        p.setPen(pen(QColor(110, 80, 30), 0.8));
        p.setBrush(QColor(palette::gold));
        p.drawRoundedRect(QRectF(7.0, 3.0, 9.0, 3.0), 1.0, 1.0);
        p.drawRoundedRect(QRectF(7.5, 24.0, 8.0, 2.6), 1.0, 1.0);
        QRadialGradient body(QPointF(9.5, 12.0), 11.0);
        body.setColorAt(0.0, QColor(236, 110, 72));
        body.setColorAt(0.6, QColor(palette::cinnabar));
        body.setColorAt(1.0, QColor(128, 30, 24));
        p.setPen(pen(QColor(110, 28, 20), 0.8));
        p.setBrush(body);
        p.drawEllipse(QRectF(2.0, 5.5, 19.0, 19.0));
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(QColor(150, 40, 30), 0.7));
        for (double k : {0.33, 0.62})
            p.drawEllipse(QRectF(11.5 - 9.5 * k, 5.5, 19.0 * k, 19.0));
        p.drawLine(QPointF(11.5, 5.8), QPointF(11.5, 24.2));
        p.setPen(pen(QColor(palette::gold), 0.9));
        for (double x : {10.3, 11.5, 12.7})
            p.drawLine(QPointF(11.5, 26.5), QPointF(x, 29.6));
    });
    return raster::flatten(img, qRgb(255, 255, 255));
}

// Minimise, maximise and close: small lacquer buttons that suit every skin's corner.
QImage windowButton(int kind)
{
    const int w = 17;
    const int h = 20;
    const FloatImage img = raster::paint(w, h, 4, [kind](QPainter &p) {
        QLinearGradient face(0, 0, 0, 20);
        face.setColorAt(0.0, QColor(104, 76, 54));
        face.setColorAt(1.0, QColor(56, 38, 27));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(34, 24, 18));
        p.drawRect(QRectF(0, 0, 17, 20));
        p.setBrush(face);
        p.drawRect(QRectF(1, 1, 15, 18));
        p.setPen(QPen(QColor(150, 118, 86), 1.0));
        p.drawLine(QPointF(1.5, 1.5), QPointF(15.5, 1.5));
        const QColor mark(236, 222, 190);
        if (kind == 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            p.drawRect(QRectF(4.5, 12.5, 8.0, 2.0));
        } else if (kind == 1) {
            p.setPen(QPen(mark, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(4.5, 6.5, 8.0, 7.0));
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            p.drawRect(QRectF(4.0, 6.0, 9.0, 2.0));
        } else {
            p.setPen(pen(mark, 1.7));
            p.drawLine(QPointF(5.2, 6.7), QPointF(11.8, 13.3));
            p.drawLine(QPointF(11.8, 6.7), QPointF(5.2, 13.3));
        }
    });
    return raster::flatten(img, qRgb(34, 24, 18));
}

// The marker on the index entry of the page shown: a small cinnabar seal with the trigram of
// heaven, on the glyph key colour.
QImage indexMarker()
{
    const FloatImage img = raster::paint(16, 16, 4, [](QPainter &p) {
        p.setPen(pen(QColor(120, 30, 22), 0.8));
        p.setBrush(kCinnabar);
        p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
        p.setPen(Qt::NoPen);
        p.setBrush(kPaper);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(4.6, 4.9 + i * 2.6, 6.8, 1.4));
    });
    return raster::keyed(img, palette::glyphKey, palette::glyphMatte);
}

// The glyph of the answers and analysis windows' buttons: a small cash coin.
QImage answersButtonGlyph()
{
    const FloatImage img = raster::paint(16, 16, 4, [](QPainter &p) { smallCoin(p, QPointF(8, 8), 6.8); });
    return raster::keyed(img, palette::glyphKey, palette::glyphMatte);
}

// A pointing hand, white with an ink outline, its fingertip at the hot spot (13, 9).
QImage handCursor()
{
    QPainterPath hand;
    // Index finger, pointing up.
    hand.moveTo(11.0, 19.0);
    hand.lineTo(11.0, 10.2);
    hand.cubicTo(11.0, 7.4, 15.2, 7.4, 15.2, 10.2);
    hand.lineTo(15.2, 16.2);
    // Curled middle, ring and little fingers.
    hand.cubicTo(15.4, 14.6, 19.0, 14.6, 19.2, 16.4);
    hand.cubicTo(19.4, 15.0, 22.8, 15.0, 23.0, 17.0);
    hand.cubicTo(23.3, 15.9, 26.4, 16.0, 26.5, 18.2);
    hand.lineTo(26.5, 23.0);
    hand.cubicTo(26.5, 25.5, 25.0, 27.0, 24.0, 28.0);
    hand.lineTo(24.0, 30.5);
    hand.lineTo(13.0, 30.5);
    hand.lineTo(13.0, 28.5);
    // Thumb, resting against the palm.
    hand.cubicTo(11.0, 27.0, 8.0, 23.5, 6.4, 21.0);
    hand.cubicTo(5.4, 19.4, 7.4, 18.0, 8.8, 19.2);
    hand.lineTo(11.0, 21.2);
    hand.closeSubpath();

    const FloatImage shape = raster::paint(32, 32, 4, [&](QPainter &p) {
        p.setPen(pen(QColor(28, 22, 18), 1.15));
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(hand);
        p.setPen(pen(QColor(28, 22, 18), 0.8));
        p.drawLine(QPointF(15.2, 16.2), QPointF(15.2, 19.0));
        p.drawLine(QPointF(19.2, 16.4), QPointF(19.2, 19.2));
        p.drawLine(QPointF(23.0, 17.0), QPointF(23.0, 19.6));
        p.setPen(pen(QColor(28, 22, 18), 0.9));
        p.drawLine(QPointF(13.0, 28.5), QPointF(24.0, 28.0));
    });
    // A soft shadow below and to the right, as every system pointer has.
    const FloatMap shadow = castShadow(shape, 1.2, 1.4, 0.8);
    FloatImage out(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float s = 0.35f * shadow.at(x, y);
            out.at(x, y) = raster::over(shape.at(x, y), RgbaF{0, 0, 0, s});
        }
    }
    return raster::toQImage(out);
}

QImage programIcon()
{
    const int n = 64;
    CoinPose pose{31.0, 30.5, 29.0, 0.0, 0.0, 0.0};
    const FloatImage coin = coinModel(0).render(pose, n, n, 3);
    const FloatMap shadow = castShadow(coin, 1.5, 2.0, 1.5);
    FloatImage out(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            out.at(x, y) = raster::over(coin.at(x, y), RgbaF{0, 0, 0, 0.4f * shadow.at(x, y)});
    return raster::toQImage(out);
}

} // namespace

void addIconArt(ArtSet &art)
{
    const QString chrome = QStringLiteral("window");
    art.addBmp(QStringLiteral("min.bmp"), windowButton(0), chrome);
    art.addBmp(QStringLiteral("max.bmp"), windowButton(1), chrome);
    art.addBmp(QStringLiteral("close.bmp"), windowButton(2), chrome);
    art.addBmp(QStringLiteral("orachico.bmp"), indexMarker(), chrome);
    art.addBmp(QStringLiteral("button.bmp"), answersButtonGlyph(), QStringLiteral("skin shared"));

    for (const NamedGlyph &g : toolGlyphs())
        art.addPng(QStringLiteral("tb-%1.png").arg(QLatin1String(g.name)),
                   raster::toQImage(glyphImage(g.painter, 20, 0.0, 1.0)), QStringLiteral("tool bar"));

    const QString tips = QStringLiteral("tips");
    art.addBmp(QStringLiteral("index.bmp"), tipButton(glyphIndex), tips);
    art.addBmp(QStringLiteral("pref.bmp"), tipButton(glyphPrefs), tips);
    art.addBmp(QStringLiteral("oracle.bmp"), tipButton(glyphOracle), tips);
    art.addBmp(QStringLiteral("help2.bmp"), tipButton(glyphHelp), tips);
    art.addBmp(QStringLiteral("saveb.bmp"), tipButton(glyphSave), tips);
    art.addBmp(QStringLiteral("openb.bmp"), tipButton(glyphOpen), tips);
    art.addBmp(QStringLiteral("display.bmp"), displayPicture(), tips);
    art.addBmp(QStringLiteral("tipslamp.bmp"), tipsLantern(), tips);

    art.addPng(QStringLiteral("hand.png"), handCursor(), QStringLiteral("program"));
    art.addPng(QStringLiteral("ching.png"), programIcon(), QStringLiteral("program"));
}
