// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

namespace archive {

// Writes -lh5- streams that LHA's own decoders accept: greedy-with-one-step-lazy LZSS over the
// 8 KiB history, then static Huffman blocks. Output depends on the input alone.
class Lh5Encoder : public Encoder {
public:
    std::vector<uint8_t> encode(const uint8_t *data, size_t size) override;
};

} // namespace archive
