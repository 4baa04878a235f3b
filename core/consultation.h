// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hexagrams.h"

#include <QString>

#include <functional>

namespace ching {

// The consultation and reader state that the main window owns for the whole run.
struct ConsultationState {
    LineBits primaryLines{};     // the primary hexagram as cast
    LineBits secondLines{};      // moving lines turned, the others as cast
    bool hasMovingLines = false; // the two differ somewhere
    bool consultationShown = false;
    bool markMovingLines = false; // the page being composed is the consultation's primary hexagram
    int currentPage = 0;
    int lineImageFlip = 0; // 1: the page's line pictures run mirrored (YANG6 on line 1 ...)

    // Takes a new cast (or a stored answer) and derives whether any line moves.
    void setLines(const LineBits &primary, const LineBits &second);
};

// Whether line `line` is to be marked as moving on the page being composed. The oracle pane's
// visibility comes in as a value so that this needs no window.
bool mutalinea(const ConsultationState &state, int line, bool oraclePaneVisible);

// The ruler mark picture of a line for the page composer, empty for none.
QString reg(int line, int hexagram);

// A fair coin, true or false with equal chance; tests pass a fixed one.
using CoinFlip = std::function<bool()>;
// A coin seeded from the clock at every call, as each page draws its own flip.
CoinFlip clockCoin();

// The variant digit of a line's picture. Line 6 is asked first and draws the page's flip.
QString aleato(ConsultationState &state, int line, const CoinFlip &coin = clockCoin());
// The HTML picture of one line of hexagram h, linking to that line's anchor.
QString linhex(ConsultationState &state, int line, int hexagram, const CoinFlip &coin = clockCoin());
// Six blanks and the title of the page on show, for the status panel.
QString nombreH(const ConsultationState &state);

} // namespace ching
