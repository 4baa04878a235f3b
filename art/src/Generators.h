// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArtSet.h"
#include "CoinRenderer.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>

// Each generator adds one family of files to the set.
void addPageArt(ArtSet &art);   // hexagram lines, ruler marks, trigrams, rule, page backgrounds
void addCoinArt(ArtSet &art);   // coin window cloth, the three coin animations, the splash
void addSkinArt(ArtSet &art);   // the nine skin bitmaps in three colourings, oracle pane pieces
void addIconArt(ArtSet &art);   // window buttons, glyphs, tip pictures, cursor, program icon
void addPaintings(ArtSet &art); // the JPEG pictures for pages
void addSoundArt(ArtSet &art);  // the coin clink

// Shared between families.

// The auspicious cloud: two curls joined by a long tail, about 55 by 28 units around the origin.
QPainterPath cloudCurl();

// A seamless tile of paper: soft cloudiness, grain and a few fibres around the given base colour.
QImage paperTile(int w, int h, QRgb base, uint32_t seed, double fibreAmount = 1.0);

// The three coins of the coin window, built once; index 0, 1, 2 for coin1 … coin3.
const CoinModel &coinModel(int index);

// Paints the frame of a window of w by h pixels from a skin's back.bmp the way the program cuts
// and lays its pieces (mode 'p' for the preferences dialog, anything else for the other windows).
void paintSkinFrame(QPainter &p, const QImage &back, int w, int h, char mode);

// Line bits (1 yang, 0 yin), line 1 first and drawn lowest, as brush strokes on a layer; pitch is
// the distance between the centres of neighbouring lines.
void paintTrigramBars(FloatImage &layer, const int *bits, int count, double x0, double x1, double top,
                      double barHalf, double pitch, double gapFraction, uint32_t seed, QRgb ink);
