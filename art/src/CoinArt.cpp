// SPDX-License-Identifier: GPL-3.0-or-later
// The coin window: its cloth, the three spinning coins, and the round splash that shows them.
#include "Generators.h"
#include "Noise.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <array>
#include <cmath>
#include <memory>

namespace
{

CoinDesign designFor(int index)
{
    CoinDesign d;
    switch (index) {
    case 0:
        // A charm coin "peace under heaven": four characters read top, bottom, right, left.
        d.seed = 11;
        d.metalLight = qRgb(222, 178, 104);
        d.metalDark = qRgb(122, 82, 42);
        d.patina = qRgb(92, 132, 108);
        d.edge = qRgb(160, 112, 60);
        d.patinaAmount = 0.35;
        d.thickness = 0.09;
        d.holeHalf = 0.18;
        d.strokeWidth = 0.058;
        d.obverseRimInner = 0.84;
        d.obverseHoleRim = 0.27;
        d.reverseRimInner = 0.84;
        d.reverseHoleRim = 0.27;
        d.glyphs = {{CoinGlyph::Tian, {0.0, -0.555}, {0.185, 0.2}},
                    {CoinGlyph::Xia, {0.0, 0.565}, {0.185, 0.2}},
                    {CoinGlyph::Tai, {0.565, 0.0}, {0.19, 0.2}},
                    {CoinGlyph::Ping, {-0.565, 0.0}, {0.19, 0.2}}};
        break;
    case 1:
        // The oldest round coin, "half tael": no rims, an uneven cast edge, a dark green patina.
        d.seed = 23;
        d.metalLight = qRgb(184, 150, 98);
        d.metalDark = qRgb(92, 72, 46);
        d.patina = qRgb(88, 122, 98);
        d.edge = qRgb(134, 106, 70);
        d.patinaAmount = 0.62;
        d.thickness = 0.07;
        d.holeHalf = 0.2;
        d.edgeWobble = 0.035;
        d.strokeWidth = 0.06;
        d.obverseRimInner = 0.0;
        d.obverseHoleRim = 0.0;
        d.reverseRimInner = 0.0;
        d.reverseHoleRim = 0.0;
        d.glyphs = {{CoinGlyph::Ban, {0.56, 0.0}, {0.25, 0.42}},
                    {CoinGlyph::Liang, {-0.56, 0.0}, {0.25, 0.42}}};
        break;
    default:
        // "Five grains": a reddish copper with a crescent on the back.
        d.seed = 37;
        d.metalLight = qRgb(216, 146, 100);
        d.metalDark = qRgb(118, 64, 40);
        d.patina = qRgb(84, 124, 104);
        d.edge = qRgb(170, 100, 62);
        d.patinaAmount = 0.25;
        d.thickness = 0.08;
        d.holeHalf = 0.17;
        d.strokeWidth = 0.055;
        d.obverseRimInner = 0.86;
        d.obverseHoleRim = 0.0;
        d.reverseRimInner = 0.86;
        d.reverseHoleRim = 0.25;
        d.reverseCrescent = true;
        d.glyphs = {{CoinGlyph::Wu, {0.53, 0.0}, {0.22, 0.4}}, {CoinGlyph::Zhu, {-0.53, 0.0}, {0.25, 0.42}}};
        break;
    }
    return d;
}

// How each coin moves through its 31 frames: the flip axis turns a little during the throw, and
// the three coins turn different ways so that a throw never looks like one coin three times.
struct Spin {
    double halfTurns; // odd, so the last frame shows the other face
    double psiStart;
    double psiEnd;
};

constexpr std::array<Spin, 3> kSpins{{{3.0, 0.25, 0.85}, {-3.0, -0.55, -0.1}, {3.0, 1.35, 0.75}}};

constexpr int kFrame = 129;
constexpr int kFrames = 31;

// A seamless tile of cloth in the coin window's colour, with one faint cloud scroll on it. The
// cloth is otherwise flat so that the coin frames, which carry the same flat colour behind the
// coin, sit on it without showing their square.
QImage coinCloth()
{
    const int n = 128;
    const FloatMap motif = raster::coverage(n, n, 4, [](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int oy = -1; oy <= 1; ++oy) {
            for (int ox = -1; ox <= 1; ++ox) {
                p.save();
                p.translate(ox * 128 + 70, oy * 128 + 92);
                p.drawPath(cloudCurl());
                p.restore();
            }
        }
    });
    QImage img(n, n, QImage::Format_RGB32);
    for (int y = 0; y < n; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < n; ++x)
            line[x] =
                raster::mix(palette::coinCloth, raster::scale(palette::coinCloth, 0.93), motif.at(x, y));
    }
    return img;
}

QImage coinStrip(int index)
{
    const CoinModel &model = coinModel(index);
    const Spin spin = kSpins[size_t(index)];
    QImage strip(kFrame * kFrames, kFrame, QImage::Format_RGB32);
    const RgbaF cloth = raster::opaque(palette::coinCloth);
    for (int f = 0; f < kFrames; ++f) {
        const double t = f / double(kFrames - 1);
        const double eased = t * t * (3.0 - 2.0 * t);
        const double lift = std::sin(M_PI * t);
        CoinPose pose;
        pose.cx = 62.5;
        pose.cy = 61.5 - 5.0 * lift;
        pose.radius = 46.0 * (1.0 + 0.09 * lift);
        pose.theta = spin.halfTurns * M_PI * eased;
        pose.psi = spin.psiStart + (spin.psiEnd - spin.psiStart) * t;
        // The coin also turns about its own axis on the way, so that it lands with the reverse
        // upright (see CoinPose).
        pose.spin = -2.0 * spin.psiEnd * eased;
        const FloatImage layer = model.render(pose, kFrame, kFrame, 3);
        const FloatMap shadow = castShadow(layer, 2.0 + 5.0 * lift, 3.0 + 6.0 * lift, 1.3 + 2.6 * lift);
        const float darkness = float(0.30 - 0.10 * lift);
        for (int y = 0; y < kFrame; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(strip.scanLine(y)) + f * kFrame;
            for (int x = 0; x < kFrame; ++x) {
                const bool border = x == 0 || y == 0 || x == kFrame - 1 || y == kFrame - 1;
                if (border) {
                    // The frame's edge is always the plain key colour.
                    line[x] = palette::coinCloth;
                    continue;
                }
                const float k = 1.0f - darkness * shadow.at(x, y);
                const RgbaF bg{cloth.r * k, cloth.g * k, cloth.b * k, 1.0f};
                const RgbaF c = raster::over(layer.at(x, y), bg);
                line[x] = qRgb(std::clamp(int(std::lround(c.r * 255)), 0, 255),
                               std::clamp(int(std::lround(c.g * 255)), 0, 255),
                               std::clamp(int(std::lround(c.b * 255)), 0, 255));
            }
        }
    }
    return strip;
}

// The splash: three coins at rest on dark lacquer inside a bronze ring, 104 pixels square, round.
QImage splash()
{
    const int n = 104;
    const double c = n / 2.0;
    FloatImage img(n, n);
    const FloatMap disc = raster::coverage(n, n, 4, [c](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(c, c), 48.0, 48.0);
    });
    const FloatMap ring = raster::coverage(n, n, 4, [c](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1.6));
        p.drawEllipse(QPointF(c, c), 45.2, 45.2);
    });
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double dx = (x + 0.5 - c + 10) / 58.0;
            const double dy = (y + 0.5 - c + 14) / 58.0;
            const double glow = std::exp(-(dx * dx + dy * dy) * 1.6);
            const double grain = noise::fbm(x * 0.08, y * 0.5, 515, 3) - 0.5;
            QRgb lacquer = raster::mix(qRgb(30, 20, 16), qRgb(92, 40, 30), glow * 0.9 + grain * 0.08);
            lacquer = raster::mix(lacquer, palette::gold, ring.at(x, y) * 0.85);
            img.at(x, y) = raster::opaque(lacquer, disc.at(x, y));
        }
    }
    struct Placed {
        int model;
        CoinPose pose;
    };
    const std::array<Placed, 3> coins{{
        {2, {66.0, 40.0, 20.0, M_PI, 0.0, 0.35}},
        {1, {62.0, 68.0, 21.0, 0.0, 0.0, -0.25}},
        {0, {38.0, 52.0, 23.0, 0.0, 0.0, 0.12}},
    }};
    for (const Placed &placed : coins) {
        const FloatImage layer = coinModel(placed.model).render(placed.pose, n, n, 3);
        const FloatMap shadow = castShadow(layer, 2.0, 3.0, 1.8);
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                RgbaF &px = img.at(x, y);
                const float k = 1.0f - 0.55f * shadow.at(x, y);
                px = {px.r * k, px.g * k, px.b * k, px.a};
                // Keep the coins inside the round window.
                RgbaF coin = layer.at(x, y);
                const float clip = disc.at(x, y);
                coin = {coin.r * clip, coin.g * clip, coin.b * clip, coin.a * clip};
                px = raster::over(coin, px);
            }
        }
    }
    return raster::toQImage(img);
}

} // namespace

const CoinModel &coinModel(int index)
{
    static std::array<std::unique_ptr<CoinModel>, 3> models;
    std::unique_ptr<CoinModel> &slot = models[size_t(index)];
    if (!slot)
        slot = std::make_unique<CoinModel>(designFor(index));
    return *slot;
}

void addCoinArt(ArtSet &art)
{
    art.addBmp(QStringLiteral("coin.bmp"), coinCloth(), QStringLiteral("coins"));
    for (int i = 0; i < 3; ++i)
        art.addBmp(QStringLiteral("coin%1.bmp").arg(i + 1), coinStrip(i), QStringLiteral("coins"));
    art.addPng(QStringLiteral("splash.png"), splash(), QStringLiteral("program"));
}

QPainterPath cloudCurl()
{
    QPainterPath cloud;
    cloud.moveTo(-30, 6);
    cloud.cubicTo(-18, 6, -6, 2, 0, -6);
    cloud.cubicTo(6, -16, -8, -22, -12, -12);
    cloud.cubicTo(-14, -6, -6, -4, -4, -9);
    cloud.moveTo(0, -6);
    cloud.cubicTo(10, 4, 24, 0, 24, -10);
    cloud.cubicTo(24, -20, 12, -20, 12, -12);
    cloud.cubicTo(12, -7, 18, -7, 19, -11);
    return cloud;
}
