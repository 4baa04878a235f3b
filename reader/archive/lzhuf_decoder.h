// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

namespace archive {

// LZHUF (Okumura and Yoshizaki): LZSS over a 4 KiB ring with adaptive Huffman coded symbols.
// The stream carries no size and no end code; the caller's expanded size says when to stop.
class LzhufDecoder : public Decoder {
public:
    void decode(ByteSource &in, ByteSink &out, uint64_t expandedSize) override;
};

} // namespace archive
