// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoinGlyphs.h"

#include <initializer_list>

namespace
{

void line(QPainterPath &p, std::initializer_list<QPointF> pts)
{
    auto it = pts.begin();
    p.moveTo(*it);
    for (++it; it != pts.end(); ++it)
        p.lineTo(*it);
}

void curve(QPainterPath &p, QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    p.moveTo(a);
    p.cubicTo(c1, c2, b);
}

} // namespace

QPainterPath coinGlyphPath(CoinGlyph glyph)
{
    QPainterPath p;
    switch (glyph) {
    case CoinGlyph::Tian:
        line(p, {{-0.55, -0.72}, {0.55, -0.72}});
        line(p, {{-0.82, -0.22}, {0.82, -0.22}});
        curve(p, {0.0, -0.72}, {0.0, -0.2}, {-0.15, 0.45}, {-0.78, 0.86});
        curve(p, {0.04, 0.0}, {0.25, 0.45}, {0.5, 0.7}, {0.82, 0.86});
        break;
    case CoinGlyph::Xia:
        line(p, {{-0.82, -0.72}, {0.82, -0.72}});
        line(p, {{0.0, -0.72}, {0.0, 0.88}});
        curve(p, {0.16, -0.28}, {0.3, -0.18}, {0.42, -0.02}, {0.5, 0.14});
        break;
    case CoinGlyph::Tai:
        line(p, {{-0.84, -0.3}, {0.84, -0.3}});
        curve(p, {0.0, -0.88}, {0.0, -0.05}, {-0.2, 0.45}, {-0.8, 0.86});
        curve(p, {0.05, -0.05}, {0.25, 0.42}, {0.5, 0.7}, {0.82, 0.86});
        line(p, {{-0.16, 0.44}, {0.02, 0.68}});
        break;
    case CoinGlyph::Ping:
        line(p, {{-0.72, -0.76}, {0.72, -0.76}});
        line(p, {{-0.46, -0.48}, {-0.26, -0.16}});
        line(p, {{0.46, -0.48}, {0.26, -0.16}});
        line(p, {{-0.86, 0.06}, {0.86, 0.06}});
        line(p, {{0.0, -0.76}, {0.0, 0.9}});
        break;
    case CoinGlyph::Ban:
        line(p, {{-0.46, -0.88}, {-0.26, -0.58}});
        line(p, {{0.46, -0.88}, {0.26, -0.58}});
        line(p, {{-0.62, -0.34}, {0.62, -0.34}});
        line(p, {{-0.86, 0.16}, {0.86, 0.16}});
        line(p, {{0.0, -0.92}, {0.0, 0.92}});
        break;
    case CoinGlyph::Liang:
        line(p, {{-0.84, -0.82}, {0.84, -0.82}});
        line(p, {{0.0, -0.82}, {0.0, -0.22}});
        line(p, {{-0.76, 0.92}, {-0.76, -0.46}, {0.76, -0.46}, {0.76, 0.92}});
        line(p, {{-0.3, -0.2}, {-0.56, 0.58}});
        line(p, {{-0.34, 0.02}, {-0.08, 0.58}});
        line(p, {{0.36, -0.2}, {0.1, 0.58}});
        line(p, {{0.32, 0.02}, {0.58, 0.58}});
        break;
    case CoinGlyph::Wu:
        line(p, {{-0.72, -0.82}, {0.72, -0.82}});
        line(p, {{-0.84, 0.84}, {0.84, 0.84}});
        curve(p, {-0.5, -0.82}, {-0.1, -0.5}, {0.1, 0.5}, {0.55, 0.84});
        curve(p, {0.5, -0.82}, {0.1, -0.5}, {-0.1, 0.5}, {-0.55, 0.84});
        break;
    case CoinGlyph::Zhu:
        // Metal radical on the left: a roof, a bar, a stem with four grains, a base.
        line(p, {{-0.94, -0.44}, {-0.56, -0.92}, {-0.18, -0.44}});
        line(p, {{-0.82, -0.26}, {-0.3, -0.26}});
        line(p, {{-0.56, -0.26}, {-0.56, 0.84}});
        line(p, {{-0.84, 0.02}, {-0.74, 0.18}});
        line(p, {{-0.28, 0.02}, {-0.38, 0.18}});
        line(p, {{-0.84, 0.38}, {-0.74, 0.54}});
        line(p, {{-0.28, 0.38}, {-0.38, 0.54}});
        line(p, {{-0.92, 0.86}, {-0.2, 0.86}});
        // Vermilion on the right.
        line(p, {{0.36, -0.94}, {0.16, -0.7}});
        line(p, {{0.14, -0.56}, {0.86, -0.56}});
        line(p, {{0.04, -0.12}, {0.96, -0.12}});
        line(p, {{0.5, -0.86}, {0.5, 0.92}});
        curve(p, {0.48, 0.02}, {0.38, 0.3}, {0.25, 0.48}, {0.08, 0.62});
        curve(p, {0.52, 0.02}, {0.62, 0.3}, {0.75, 0.48}, {0.92, 0.62});
        break;
    }
    return p;
}
