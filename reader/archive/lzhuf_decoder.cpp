// SPDX-License-Identifier: GPL-3.0-or-later
#include "lzhuf_decoder.h"

#include "bitreader.h"
#include "lzhuf_model.h"

#include <algorithm>

namespace archive {

using namespace lzhuf;

namespace {

// Bits looked at per step of the tree walk: most codes are shorter, so one peek usually does.
constexpr unsigned kWalkChunk = 16;

// Walks the tree from the root, a chunk of peeked bits at a time, and counts the symbol.
// Every code is at least one bit long, so even endless zero padding makes progress until the
// bit reader gives up with TruncatedData.
unsigned decodeSymbol(BitReader &bits, AdaptiveHuffman &model)
{
    unsigned node = model.son(kRoot);
    while (node < kNodeCount) {
        const uint32_t chunk = bits.peek(kWalkChunk);
        unsigned used = 0;
        do {
            node = model.son(node + ((chunk >> (kWalkChunk - 1 - used)) & 1));
            ++used;
        } while (node < kNodeCount && used < kWalkChunk);
        bits.skip(used);
    }
    const unsigned symbol = node - kNodeCount;
    model.update(symbol);
    return symbol;
}

// A position is the fixed code of its high six bits followed by the low six bits, at most 14
// bits in all.
unsigned decodePosition(BitReader &bits)
{
    constexpr unsigned window = 8 + kPositionLowBits;
    const uint32_t peeked = bits.peek(window);
    const unsigned lead = peeked >> kPositionLowBits;
    const unsigned length = kPositionDecode.length[lead];
    const unsigned low = (peeked >> (8 - length)) & ((1u << kPositionLowBits) - 1);
    bits.skip(length + kPositionLowBits);
    return (unsigned(kPositionDecode.high[lead]) << kPositionLowBits) | low;
}

} // namespace

void LzhufDecoder::decode(ByteSource &in, ByteSink &out, uint64_t expandedSize)
{
    BitReader bits(in);
    OutputWindow window(out);
    AdaptiveHuffman model;

    // Blanks behind the first write position, which early matches copy from; zeros from there
    // on, as in the published decoder's static buffer. A sound stream writes those before it
    // reads them, so they only decide what a damaged stream turns into.
    std::array<uint8_t, kRingSize> ring;
    std::fill(ring.begin(), ring.begin() + kRingStart, kRingFill);
    std::fill(ring.begin() + kRingStart, ring.end(), uint8_t(0));
    unsigned r = kRingStart;

    uint64_t remaining = expandedSize;
    while (remaining) {
        const unsigned symbol = decodeSymbol(bits, model);
        if (symbol < kLiteralCount) {
            ring[r] = uint8_t(symbol);
            r = (r + 1) & kRingMask;
            window.put(uint8_t(symbol));
            --remaining;
            continue;
        }
        unsigned from = (r - decodePosition(bits) - 1) & kRingMask;
        // The last match may run past the stated size; the rest of it is not wanted.
        const unsigned length = unsigned(std::min<uint64_t>(matchLength(symbol), remaining));
        for (unsigned k = 0; k < length; ++k) {
            const uint8_t byte = ring[from];
            from = (from + 1) & kRingMask;
            ring[r] = byte;
            r = (r + 1) & kRingMask;
            window.put(byte);
        }
        remaining -= length;
    }
    window.flush();
}

} // namespace archive
