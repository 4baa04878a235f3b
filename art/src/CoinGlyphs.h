// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>

// The characters cast on our coins, drawn as open centre-line strokes in a box from -1 to 1 (y
// down). They are stroked with an even, rounded pen, as seal-style coin legends are. No font is
// involved, so the coins come out the same on every machine.
enum class CoinGlyph {
    Tian,  // heaven
    Xia,   // below
    Tai,   // great
    Ping,  // peace
    Ban,   // half
    Liang, // tael
    Wu,    // five
    Zhu,   // grain (a weight)
};

QPainterPath coinGlyphPath(CoinGlyph glyph);
