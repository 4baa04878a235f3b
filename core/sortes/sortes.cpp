// SPDX-License-Identifier: GPL-3.0-or-later
#include "sortes.h"

extern "C" __attribute__((visibility("default"))) uint8_t sortes_line(uint8_t selector, uint8_t sum)
{
    if (sum < 6 || sum > 9)
        return 0;
    const bool yang = sum % 2 == 1;           // 7 and 9 are yang as cast
    const bool moving = sum == 6 || sum == 9; // old lines turn into their opposite
    if (selector == 1)
        return yang ? 1 : 0;
    if (selector == 2)
        return (yang != moving) ? 1 : 0;
    return 0;
}
