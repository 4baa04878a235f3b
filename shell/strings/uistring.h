// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace ching {

using StringId = uint16_t;

// Every user-visible text, page fragment and stored name, fetched by number. An id without an
// entry gives the empty text; a text is at most 255 characters.
QString uiString(StringId id);

// The version shown in messages and on the about page.
inline constexpr const char *kVersion = "2.0";

} // namespace ching
