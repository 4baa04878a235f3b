// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

namespace archive {

// Run-length coding with the escape byte 0x94: a run of n >= 3 equal bytes is stored as the
// byte, the escape and n; a literal escape byte is stored as the escape and 0.
inline constexpr uint8_t kRleEscape = 0x94;

class RleDecoder : public Decoder {
public:
    void decode(ByteSource &in, ByteSink &out, uint64_t expandedSize) override;
};

class RleEncoder : public Encoder {
public:
    std::vector<uint8_t> encode(const uint8_t *data, size_t size) override;
};

} // namespace archive
