// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoinRenderer.h"

#include "Noise.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

constexpr int kFaceSize = 512;

struct Vec3 {
    double x, y, z;
};

Vec3 normalised(Vec3 v)
{
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

double dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// One light for every coin, from the upper left, as a window light falling on a table.
const Vec3 kLight = normalised({-0.45, -0.6, 0.66});
const Vec3 kHalfway = normalised({kLight.x, kLight.y, kLight.z + 1.0});

RgbaF colourOf(QRgb c)
{
    return raster::opaque(c);
}

RgbaF lerp(const RgbaF &a, const RgbaF &b, double t)
{
    const float k = float(std::clamp(t, 0.0, 1.0));
    return {a.r + (b.r - a.r) * k, a.g + (b.g - a.g) * k, a.b + (b.b - a.b) * k, a.a + (b.a - a.a) * k};
}

// Paths are built in face pixels, not in coin radii: the painter flattens curves with a tolerance
// in path units, which at radius 1 would turn every circle into an octagon.
constexpr double kHalf = kFaceSize / 2.0;

QPointF toFace(double x, double y)
{
    return {kHalf + x * kHalf, kHalf + y * kHalf};
}

QPainterPath discPath(double radius, double wobble, uint32_t seed)
{
    QPainterPath path;
    const int steps = 1440;
    for (int i = 0; i < steps; ++i) {
        const double a = 2.0 * M_PI * i / steps;
        // Periodic noise around the rim: sample the value noise on a circle.
        const double n = noise::fbm(3.0 + 2.2 * std::cos(a), 3.0 + 2.2 * std::sin(a), seed, 3);
        const double r = radius * (1.0 - wobble * n);
        const QPointF pt = toFace(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath squarePath(double half)
{
    QPainterPath path;
    path.addRect(QRectF(toFace(-half, -half), toFace(half, half)));
    return path;
}

// Two nested outlines filled even-odd: a ring, without the painter's lossy boolean operations.
QPainterPath ringPath(const QPainterPath &outer, const QPainterPath &inner)
{
    QPainterPath ring = outer;
    ring.addPath(inner);
    ring.setFillRule(Qt::OddEvenFill);
    return ring;
}

// Where the line x' = x crosses the hole, a square of half side h turned by angle within the
// coin: the interval of y' inside it, empty when lo > hi.
void holeInterval(double x, double h, double c, double s, double &lo, double &hi)
{
    lo = -std::numeric_limits<double>::infinity();
    hi = std::numeric_limits<double>::infinity();
    // Texture u = c x - s y must lie in [-h, h].
    if (std::abs(s) < 1e-12) {
        if (std::abs(c * x) > h) {
            lo = 1;
            hi = 0;
            return;
        }
    } else {
        const double a = (c * x - h) / s;
        const double b = (c * x + h) / s;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    }
    // Texture v = s x + c y must lie in [-h, h].
    if (std::abs(c) < 1e-12) {
        if (std::abs(s * x) > h) {
            lo = 1;
            hi = 0;
        }
    } else {
        const double a = (-h - s * x) / c;
        const double b = (h - s * x) / c;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    }
}

} // namespace

CoinModel::CoinModel(const CoinDesign &design) : m_design(design)
{
    m_obverse = buildFace(true);
    m_reverse = buildFace(false);
}

FloatImage CoinModel::buildFace(bool obverse) const
{
    const CoinDesign &d = m_design;
    const int n = kFaceSize;
    const double rimInner = obverse ? d.obverseRimInner : d.reverseRimInner;
    const double holeRim = obverse ? d.obverseHoleRim : d.reverseHoleRim;

    const QPainterPath disc = discPath(1.0, d.edgeWobble, d.seed);
    auto plain = [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
    };
    const FloatMap discCov = raster::coverage(n, n, 2, [&](QPainter &p) {
        plain(p);
        p.drawPath(disc);
    });
    const FloatMap holeCov = raster::coverage(n, n, 2, [&](QPainter &p) {
        plain(p);
        p.drawPath(squarePath(d.holeHalf));
    });
    const FloatMap raisedCov = raster::coverage(n, n, 2, [&](QPainter &p) {
        plain(p);
        if (rimInner > 0.0)
            p.drawPath(ringPath(disc, discPath(rimInner, 0.0, d.seed)));
        if (holeRim > 0.0)
            p.drawPath(ringPath(squarePath(holeRim), squarePath(d.holeHalf)));
        QPainterPathStroker stroker;
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        stroker.setCurveThreshold(0.05);
        if (obverse) {
            stroker.setWidth(d.strokeWidth * kHalf);
            for (const GlyphPlacement &g : d.glyphs) {
                QTransform t;
                t.translate(kHalf + g.centre.x() * kHalf, kHalf + g.centre.y() * kHalf);
                t.scale(g.halfSize.width() * kHalf, g.halfSize.height() * kHalf);
                p.drawPath(stroker.createStroke(t.map(coinGlyphPath(g.glyph))));
            }
        }
        if (!obverse && d.reverseCrescent) {
            stroker.setWidth(d.strokeWidth * 1.1 * kHalf);
            QPainterPath arc;
            arc.moveTo(toFace(-0.26, -0.52));
            arc.quadTo(toFace(0.0, -0.36), toFace(0.26, -0.52));
            p.drawPath(stroker.createStroke(arc));
        }
    });

    // Relief: field low, rims and legend raised, with a little casting roughness in the field.
    FloatMap height(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double rough = noise::fbm(x * 0.05, y * 0.05, d.seed + 7, 3) - 0.5;
            height.at(x, y) = float(discCov.at(x, y) * (0.30 + 0.03 * rough) + 0.58 * raisedCov.at(x, y));
        }
    }
    FloatMap soft = height;
    raster::gaussianBlur(soft, 2.0);
    FloatMap wide = height;
    raster::gaussianBlur(wide, 9.0);

    const RgbaF light = colourOf(d.metalLight);
    const RgbaF dark = colourOf(d.metalDark);
    const RgbaF patina = colourOf(d.patina);
    FloatImage face(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const float alpha = discCov.at(x, y) * (1.0f - holeCov.at(x, y));
            if (alpha <= 0.0f)
                continue;
            const double gx = soft.clampedAt(x + 1, y) - soft.clampedAt(x - 1, y);
            const double gy = soft.clampedAt(x, y + 1) - soft.clampedAt(x, y - 1);
            const Vec3 nrm = normalised({-gx * 7.0, -gy * 7.0, 1.0});
            const double diffuse = std::max(0.0, dot(nrm, kLight));
            const double shade = std::clamp(0.42 + 0.58 * diffuse / kLight.z, 0.15, 1.45);

            const double raised = std::clamp((height.at(x, y) - 0.31) / 0.55, 0.0, 1.0);
            const double u = x / double(n);
            const double v = y / double(n);
            const double mottle = noise::fbm(u * 9.0, v * 9.0, d.seed + 13, 4);
            RgbaF metal = lerp(dark, light, 0.25 + 0.5 * raised + 0.35 * (mottle - 0.5));

            // Verdigris settles in the field and in the corners beside raised work; worn tops stay
            // bright.
            const double cavity = std::clamp((wide.at(x, y) - height.at(x, y)) * 7.0, 0.0, 1.0);
            const double blotch =
                std::clamp((noise::fbm(u * 5.0, v * 5.0, d.seed + 29, 4) - 0.44) * 3.0, 0.0, 1.0);
            const double p =
                std::clamp(d.patinaAmount * (blotch * (1.0 - 0.8 * raised) + 0.6 * cavity), 0.0, 0.85);
            metal = lerp(metal, patina, p);

            const double pits = 0.9 + 0.1 * noise::unit(x, y, d.seed + 41);
            const double specular =
                std::pow(std::max(0.0, dot(nrm, kHalfway)), 28.0) * 0.32 * (1.0 - p) * (0.4 + 0.6 * raised);
            const float k = float(shade * pits);
            RgbaF c{metal.r * k + float(specular) * 1.0f, metal.g * k + float(specular) * 0.93f,
                    metal.b * k + float(specular) * 0.75f, 1.0f};
            c.r = std::min(c.r, 1.0f) * alpha;
            c.g = std::min(c.g, 1.0f) * alpha;
            c.b = std::min(c.b, 1.0f) * alpha;
            c.a = alpha;
            face.at(x, y) = c;
        }
    }
    return face;
}

FloatImage CoinModel::render(const CoinPose &pose, int w, int h, int ss) const
{
    const CoinDesign &d = m_design;
    FloatImage big(w * ss, h * ss);
    const double st = std::sin(pose.theta);
    const double ct = std::cos(pose.theta);
    const double sp = std::sin(pose.psi);
    const double cp = std::cos(pose.psi);
    const double look = pose.psi + pose.spin;
    const double sl = std::sin(look);
    const double cl = std::cos(look);
    const double t2 = d.thickness / 2.0;
    const double inf = std::numeric_limits<double>::infinity();
    const RgbaF edge = colourOf(d.edge);

    auto screenNormal = [&](double nx, double ny, double nz) {
        // Local coin frame -> flipped about the x axis -> turned by psi in the picture plane.
        const double wy = ny * ct - nz * st;
        const double wz = ny * st + nz * ct;
        return Vec3{cp * nx - sp * wy, sp * nx + cp * wy, wz};
    };

    for (int py = 0; py < h * ss; ++py) {
        for (int px = 0; px < w * ss; ++px) {
            const double sx = ((px + 0.5) / ss - pose.cx) / pose.radius;
            const double sy = ((py + 0.5) / ss - pose.cy) / pose.radius;
            const double qx = cp * sx + sp * sy;
            const double qy = -sp * sx + cp * sy;
            if (std::abs(qx) >= 1.0)
                continue;
            const double outer = std::sqrt(1.0 - qx * qx);
            const double a = qy * ct;
            const double b = -qy * st;

            // The disc's cross-section in the plane of this ray: one slab, or two beside the hole.
            double pieces[2][2];
            int pieceCount = 0;
            double holeLo = 0, holeHi = 0;
            holeInterval(qx, d.holeHalf, cl, sl, holeLo, holeHi);
            holeLo = std::max(holeLo, -outer);
            holeHi = std::min(holeHi, outer);
            if (holeLo < holeHi) {
                pieces[0][0] = -outer;
                pieces[0][1] = holeLo;
                pieces[1][0] = holeHi;
                pieces[1][1] = outer;
                pieceCount = 2;
            } else {
                pieces[0][0] = -outer;
                pieces[0][1] = outer;
                pieceCount = 1;
            }

            double zLo = -inf, zHi = inf;
            if (std::abs(ct) < 1e-12) {
                if (std::abs(b) > t2)
                    continue;
            } else {
                const double l1 = (-t2 - b) / ct;
                const double l2 = (t2 - b) / ct;
                zLo = std::min(l1, l2);
                zHi = std::max(l1, l2);
            }

            double bestHit = -inf;
            int bestKind = -1; // 0 face, 1 outer edge, 2 hole wall
            double bestY = 0;
            for (int k = 0; k < pieceCount; ++k) {
                const double ya = pieces[k][0];
                const double yb = pieces[k][1];
                double yLo = -inf, yHi = inf;
                double yAtHi = 0;
                if (std::abs(st) < 1e-12) {
                    if (a < ya || a > yb)
                        continue;
                } else {
                    const double l1 = (ya - a) / st;
                    const double l2 = (yb - a) / st;
                    yLo = std::min(l1, l2);
                    yHi = std::max(l1, l2);
                    yAtHi = st > 0 ? yb : ya;
                }
                const double lo = std::max(yLo, zLo);
                const double hi = std::min(yHi, zHi);
                if (lo > hi || hi <= bestHit)
                    continue;
                bestHit = hi;
                if (zHi <= yHi) {
                    bestKind = 0;
                } else {
                    bestKind = std::abs(std::abs(yAtHi) - outer) < 1e-9 ? 1 : 2;
                    bestY = yAtHi;
                }
            }
            if (bestKind < 0)
                continue;

            RgbaF out;
            if (bestKind == 0) {
                const bool front = ct > 0;
                const double yf = a + bestHit * st;
                // The reverse is the obverse's mirror image through the coin, so its picture is
                // turned the other way; that keeps the two holes on top of each other.
                const double tx = cl * qx - sl * yf;
                const double ty = front ? sl * qx + cl * yf : -sl * qx - cl * yf;
                const FloatImage &tex = front ? m_obverse : m_reverse;
                const RgbaF c = tex.sample((tx + 1.0) * 0.5 * kFaceSize, (ty + 1.0) * 0.5 * kFaceSize);
                if (c.a <= 0.0f)
                    continue;
                const Vec3 nrm = front ? screenNormal(0, 0, 1) : screenNormal(0, 0, -1);
                const double f =
                    std::clamp(0.42 + 0.58 * std::max(0.0, dot(nrm, kLight)) / kLight.z, 0.35, 1.2);
                const double glint = 0.5 * std::pow(std::max(0.0, dot(nrm, kHalfway)), 60.0);
                out = {std::min(c.r * float(f) + float(glint) * c.a, c.a),
                       std::min(c.g * float(f) + float(glint * 0.92) * c.a, c.a),
                       std::min(c.b * float(f) + float(glint * 0.72) * c.a, c.a), c.a};
            } else {
                const double zf = b + bestHit * ct;
                Vec3 nrm;
                double tone;
                if (bestKind == 1) {
                    nrm = screenNormal(qx, bestY, 0);
                    // File marks across the rim.
                    const double ang = std::atan2(bestY, qx);
                    tone = 0.9 + 0.1 * noise::value(ang * 40.0, zf / t2 * 1.5, d.seed + 77);
                } else {
                    nrm = screenNormal(0, bestY > 0 ? -1 : 1, 0);
                    tone = 0.62;
                }
                const double lit = 0.38 + 0.72 * std::max(0.0, dot(nrm, kLight));
                const float k = float(std::clamp(lit * tone, 0.0, 1.3));
                out = {std::min(edge.r * k, 1.0f), std::min(edge.g * k, 1.0f), std::min(edge.b * k, 1.0f),
                       1.0f};
            }
            big.at(px, py) = out;
        }
    }
    return raster::downsample(big, ss);
}

FloatMap castShadow(const FloatImage &layer, double dx, double dy, double sigma)
{
    FloatMap alpha(layer.width(), layer.height());
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            alpha.at(x, y) = layer.at(x, y).a;
    FloatMap moved(layer.width(), layer.height());
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            moved.at(x, y) = alpha.sample(x + 0.5 - dx, y + 0.5 - dy);
    raster::gaussianBlur(moved, sigma);
    return moved;
}
