// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace ching {

// One line bit per line: 0 yin (broken), 1 yang (solid). Index 0 is line 1, the bottom line.
using LineBits = std::array<uint8_t, 6>;

inline constexpr int kHexagramCount = 64;
inline constexpr int kNoHexagram = 65; // what a lookup of bytes other than 0 and 1 gives
inline constexpr int kPageCount = 67;  // introduction, 64 hexagrams, trigram table, appendixes
inline constexpr int kTrigramTablePage = 65;
inline constexpr int kAppendixPage = 66;

// The line pattern of hexagram n (1..64).
const LineBits &hexPattern(int n);
// The six ruler marks of hexagram n (1..64): '-' none, 'G' governing, 'C' constituting.
const char *rulerMarks(int n);
// The phrase after a line's name ("Nine", "Six") on its heading, for line 1..6.
const char *lineSuffix(int line);
// The 67 page titles, by page number.
const QStringList &titulos();

// The first hexagram whose pattern equals the six bytes, or kNoHexagram.
int hexagramNumber(const LineBits &lines);
// The hexagram that results from turning line `line` (1..6) of hexagram h (1..64).
int hexamuta(int h, int line);
// Archive member that holds the source of hexagram n: "01.txt" ... "64.txt".
QString numToNom(int n);

} // namespace ching
