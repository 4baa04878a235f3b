// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

#include <memory>

namespace archive {

// Storage methods of archive members, as numbered in the member header.
enum Method : uint8_t { Stored = 0, RunLength = 1, Lzhuf = 2, Custom = 3, Lh5 = 4 };

// The decoder of a method, or null for stored data and methods this program cannot expand.
std::unique_ptr<Decoder> makeDecoder(int method);

} // namespace archive
