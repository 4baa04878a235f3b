// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

namespace archive {

// The layout of an -lh5- stream, shared by the decoder and the archive tool's encoder.
namespace lh5 {
inline constexpr unsigned kDictBits = 13;                // the history is 8 KiB
inline constexpr unsigned kDictSize = 1u << kDictBits;   // also the farthest a copy may reach back
inline constexpr uint8_t kDictFill = 0x20;               // history before the first byte reads as blanks
inline constexpr unsigned kMinMatch = 3;                 // shorter copies cost more than literals
inline constexpr unsigned kMaxMatch = 256;               // longest copy, symbol 509
inline constexpr unsigned kLengthBias = 256 - kMinMatch; // symbol c >= 256 copies c - 253 bytes
inline constexpr unsigned kNumC = 256 + kMaxMatch - kMinMatch + 1; // 510 literal-and-length symbols
inline constexpr unsigned kCBits = 9;            // width of the literal-tree count and zero runs
inline constexpr unsigned kNumP = kDictBits + 1; // 14 distance classes: 0, 1, 2-3, ... 4096-8191
inline constexpr unsigned kPBits = 4;            // width of the distance-tree count
inline constexpr unsigned kNumT = 3 + 16;        // 3 zero-run kinds and the lengths 1..16
inline constexpr unsigned kTBits = 5;            // width of the length-tree count
inline constexpr unsigned kTSkipAfter = 3;       // a 2-bit count of zero lengths follows the third
inline constexpr unsigned kMaxCodeBits = 16;     // no code may be longer
inline constexpr unsigned kShortRun = 1;         // T symbol 0: one zero length
inline constexpr unsigned kMidRunBits = 4;       // T symbol 1: 3 + 4 bits zero lengths
inline constexpr unsigned kMidRunBase = 3;       //   ...starting at three
inline constexpr unsigned kLongRunBase = 20;     // T symbol 2: 20 + 9 bits zero lengths
inline constexpr unsigned kBlockCountBits = 16;  // each block starts with its symbol count
} // namespace lh5

class Lh5Decoder : public Decoder {
public:
    void decode(ByteSource &in, ByteSink &out, uint64_t expandedSize) override;
};

} // namespace archive
