// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Raster.h"

#include <cstdint>

// A horizontal stroke of a loaded brush: pressed in at the start, a short pause at the end, edges
// that are not ruler-straight and a few dry streaks in the tail. Used for the hexagram lines in
// pages, the trigram pictures and the painted figures, so that all lines share one hand.
struct BrushStroke {
    double x0 = 0;
    double x1 = 0;
    double yc = 0;
    double halfHeight = 5;
    uint32_t seed = 1;
    double roughness = 0.35; // pixels of edge wobble
    double dryness = 0.22;   // how far the dry streaks lighten the tail
    double tilt = -0.35;     // rise over the length, as a hand writes slightly uphill
};

// Adds the stroke to a premultiplied layer, in ink of the given colour.
void paintBrushStroke(FloatImage &layer, const BrushStroke &stroke, QRgb ink);
