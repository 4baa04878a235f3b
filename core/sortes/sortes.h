// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The line-casting library: turns the sum cast for a line (6, 7, 8 or 9) into the line bit of
// the primary hexagram (selector 1) or of the second hexagram (selector 2): 0 yin, 1 yang.
// Any other selector or sum gives 0.
extern "C" uint8_t sortes_line(uint8_t selector, uint8_t sum);
