// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

namespace archive {

// The LZHUF compressor as Okumura and Yoshizaki published it: a binary search tree over the
// ring finds the longest (then nearest) match, symbols go through the shared adaptive Huffman
// model. Writes no size header; the last byte is zero-padded.
class LzhufEncoder : public Encoder {
public:
    std::vector<uint8_t> encode(const uint8_t *data, size_t size) override;
};

} // namespace archive
