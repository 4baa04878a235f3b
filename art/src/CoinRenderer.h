// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoinGlyphs.h"
#include "Raster.h"

#include <QPointF>
#include <QSizeF>
#include <cstdint>
#include <vector>

struct GlyphPlacement {
    CoinGlyph glyph;
    QPointF centre;  // in coin radii
    QSizeF halfSize; // in coin radii
};

// What one cast cash coin looks like. Lengths are in coin radii.
struct CoinDesign {
    uint32_t seed = 1;
    QRgb metalLight = 0;
    QRgb metalDark = 0;
    QRgb patina = 0;
    QRgb edge = 0;
    double patinaAmount = 0.3;
    double thickness = 0.08;
    double holeHalf = 0.18;
    double edgeWobble = 0.0; // unevenly cast rim of the oldest coins
    double strokeWidth = 0.05;
    // Raised rims; 0 means none. The outer rim is given by its inner radius.
    double obverseRimInner = 0.84;
    double obverseHoleRim = 0.27;
    double reverseRimInner = 0.84;
    double reverseHoleRim = 0.27;
    bool reverseCrescent = false;
    std::vector<GlyphPlacement> glyphs; // on the obverse only
};

// Where a coin is and how it is turned: it is flipped by theta about an axis lying in the picture
// plane at angle psi, then seen straight from above. theta = 0 shows the obverse, pi the reverse.
struct CoinPose {
    double cx = 0;
    double cy = 0;
    double radius = 40; // pixels
    double theta = 0;
    double psi = 0;
    // Turn of the coin about its own axis. At rest the obverse (theta = 0) stands upright when
    // spin = 0, the reverse (theta = pi) when spin = -2 psi.
    double spin = 0;
};

// A coin as a solid: a disc of some thickness with a square hole, its two faces shaded from a
// relief map. Pictures of it are ray cast, so the edge and the walls of the hole show correctly
// while it spins.
class CoinModel
{
  public:
    explicit CoinModel(const CoinDesign &design);

    // A premultiplied layer of w by h pixels holding the coin alone, ss by ss samples a pixel.
    FloatImage render(const CoinPose &pose, int w, int h, int ss = 3) const;

  private:
    FloatImage buildFace(bool obverse) const;

    CoinDesign m_design;
    FloatImage m_obverse;
    FloatImage m_reverse;
};

// A soft shadow of a layer, as seen on a table below it: the layer's coverage moved and blurred.
FloatMap castShadow(const FloatImage &layer, double dx, double dy, double sigma);
