// SPDX-License-Identifier: GPL-3.0-or-later
#include "lh5_decoder.h"

#include "bitreader.h"

#include <array>
#include <cstring>
#include <memory>

namespace archive {

using namespace lh5;

namespace {

// A canonical Huffman code as a lookup table: the next 16 bits index a main table by their top
// MainBits; the rare longer codes continue in a second-level table indexed by the low bits.
// An entry is (symbol << 5) | code length, or a link to a second-level table.
template <unsigned MainBits, unsigned NumSymbols>
class DecodeTable {
public:
    // Throws BadDecodeTable unless the lengths describe a complete prefix code: an incomplete or
    // over-full set can only come from a damaged stream.
    void build(const uint8_t *lengths)
    {
        std::array<unsigned, kMaxCodeBits + 1> perLength{};
        for (unsigned s = 0; s < NumSymbols; ++s) {
            if (lengths[s] > kMaxCodeBits)
                throw BadDecodeTable();
            ++perLength[lengths[s]];
        }
        // Left-aligned 16-bit starting code of each length, in canonical order.
        std::array<uint32_t, kMaxCodeBits + 2> start{};
        std::array<unsigned, kMaxCodeBits + 2> firstIndex{};
        for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
            start[len + 1] = start[len] + (perLength[len] << (kMaxCodeBits - len));
            firstIndex[len + 1] = firstIndex[len] + perLength[len];
        }
        if (start[kMaxCodeBits + 1] != 1u << kMaxCodeBits)
            throw BadDecodeTable();

        // Symbols by (length, symbol): the order in which canonical codes count upwards.
        std::array<uint16_t, NumSymbols> order{};
        for (unsigned s = 0; s < NumSymbols; ++s) {
            if (lengths[s])
                order[firstIndex[lengths[s]]++] = uint16_t(s);
        }
        const unsigned used = NumSymbols - perLength[0];

        uint32_t code = 0;
        unsigned subtables = 0;
        uint32_t linkedPrefix = ~0u;
        for (unsigned k = 0; k < used; ++k) {
            const unsigned symbol = order[k];
            const unsigned len = lengths[symbol];
            const uint16_t entry = uint16_t(symbol << kLenBits | len);
            if (len <= MainBits) {
                const uint32_t first = code >> kSubBits;
                std::fill_n(m_main.begin() + first, 1u << (MainBits - len), entry);
            } else {
                // Codes count upwards, so all long codes under one prefix arrive together.
                const uint32_t prefix = code >> kSubBits;
                if (prefix != linkedPrefix) {
                    linkedPrefix = prefix;
                    m_main[prefix] = uint16_t(subtables++ << kLenBits | kLink);
                }
                const uint32_t first = ((subtables - 1) << kSubBits) | (code & kSubMask);
                std::fill_n(m_sub.begin() + first, 1u << (kMaxCodeBits - len), entry);
            }
            code += 1u << (kMaxCodeBits - len);
        }
    }

    // A tree of one symbol: it takes no bits at all.
    void setSingle(unsigned symbol) { m_main.fill(uint16_t(symbol << kLenBits)); }

    unsigned decode(BitReader &bits) const
    {
        const uint32_t next = bits.peek(kMaxCodeBits);
        uint16_t entry = m_main[next >> kSubBits];
        if ((entry & kLenMask) == kLink)
            entry = m_sub[(unsigned(entry >> kLenBits) << kSubBits) | (next & kSubMask)];
        bits.skip(entry & kLenMask);
        return entry >> kLenBits;
    }

private:
    static constexpr unsigned kSubBits = kMaxCodeBits - MainBits; // bits a second-level table resolves
    static constexpr uint32_t kSubMask = (1u << kSubBits) - 1;
    static constexpr unsigned kLenBits = 5; // low entry bits hold the code length
    static constexpr uint16_t kLenMask = (1u << kLenBits) - 1;
    static constexpr uint16_t kLink = kLenMask; // "length" marking a second-level link
    static_assert(NumSymbols < (1u << (16 - kLenBits)), "symbol must fit an entry");

    std::array<uint16_t, 1u << MainBits> m_main{};
    // Each long code adds at most one second-level table, so NumSymbols of them always suffice.
    std::array<uint16_t, NumSymbols << kSubBits> m_sub{};
};

// Output goes out in chunks of this size; the history stays in front of the chunk so that copies
// never wrap around.
constexpr size_t kChunk = 64 * 1024;
constexpr size_t kFlushAt = kDictSize + kChunk;
// Room past the flush point for one whole copy plus the 8-byte overrun of the fast copy.
constexpr size_t kOutputSize = kFlushAt + kMaxMatch + 8;

struct State {
    DecodeTable<12, kNumC> c; // literals and lengths: the hot table
    DecodeTable<8, kNumP> p;  // distance classes
    DecodeTable<8, kNumT> t;  // code lengths of the literal tree
    std::array<uint8_t, kOutputSize> out;
};

// Reads the lengths of the T or P tree: 3 bits each, 7 and above continued by one 1-bit per
// step and a closing 0; in the T tree a 2-bit count of zero lengths follows the third.
template <unsigned MainBits, unsigned NumSymbols>
void readShortTree(BitReader &bits, DecodeTable<MainBits, NumSymbols> &table, unsigned countBits,
                   unsigned skipAfter)
{
    const unsigned count = bits.get(countBits);
    if (count == 0) {
        // The symbol is checked where it is used: a tree a block never uses may hold anything.
        table.setSingle(bits.get(countBits));
        return;
    }
    if (count > NumSymbols)
        throw BadDecodeTable();
    std::array<uint8_t, NumSymbols> lengths{};
    unsigned i = 0;
    while (i < count) {
        unsigned len = bits.get(3);
        if (len == 7) {
            while (bits.get(1)) {
                if (++len > kMaxCodeBits)
                    throw BadDecodeTable();
            }
        }
        lengths[i++] = uint8_t(len);
        if (i == skipAfter)
            i += bits.get(2); // the skipped lengths are already zero
    }
    table.build(lengths.data());
}

// Reads the lengths of the literal-and-length tree, coded with the T tree.
void readLiteralTree(BitReader &bits, State &state)
{
    const unsigned count = bits.get(kCBits);
    if (count == 0) {
        const unsigned symbol = bits.get(kCBits);
        if (symbol >= kNumC)
            throw BadDecodeTable();
        state.c.setSingle(symbol);
        return;
    }
    if (count > kNumC)
        throw BadDecodeTable();
    std::array<uint8_t, kNumC> lengths{};
    unsigned i = 0;
    while (i < count) {
        const unsigned t = state.t.decode(bits);
        if (t <= 2) {
            const unsigned run = t == 0   ? kShortRun
                                 : t == 1 ? bits.get(kMidRunBits) + kMidRunBase
                                          : bits.get(kCBits) + kLongRunBase;
            if (run > count - i)
                throw BadDecodeTable();
            i += run; // already zero
        } else {
            if (t - 2 > kMaxCodeBits) // only a single-symbol T tree can say so
                throw BadDecodeTable();
            lengths[i++] = uint8_t(t - 2);
        }
    }
    state.c.build(lengths.data());
}

// Reads a block header and its three trees; returns the block's symbol count.
unsigned readBlockHeader(BitReader &bits, State &state)
{
    const unsigned count = bits.get(kBlockCountBits);
    readShortTree(bits, state.t, kTBits, kTSkipAfter);
    readLiteralTree(bits, state);
    readShortTree(bits, state.p, kPBits, 0);
    return count;
}

// Copies len bytes from back bytes behind dst (1 <= back <= kDictSize); may write up to 7 bytes
// past dst + len, which is free room in the output buffer.
inline void copyMatch(uint8_t *dst, size_t back, unsigned len)
{
    const uint8_t *src = dst - back;
    if (back >= 8) {
        // Each 8-byte step reads only bytes that are already final.
        for (unsigned i = 0; i < len; i += 8)
            std::memcpy(dst + i, src + i, 8);
    } else if (back == 1) {
        std::memset(dst, *src, len);
    } else {
        for (unsigned i = 0; i < len; ++i)
            dst[i] = src[i];
    }
}

} // namespace

void Lh5Decoder::decode(ByteSource &in, ByteSink &out, uint64_t expandedSize)
{
    if (expandedSize == 0)
        return;
    const auto state = std::make_unique<State>();
    BitReader bits(in);
    uint8_t *const buf = state->out.data();
    std::memset(buf, kDictFill, kDictSize);

    size_t pos = kDictSize;
    uint64_t remaining = expandedSize;
    unsigned blockLeft = 0;
    while (remaining) {
        // A block of count 0 holds nothing; the next header follows. Each header takes bits, so
        // a stream of empty blocks runs into TruncatedData.
        while (blockLeft == 0)
            blockLeft = readBlockHeader(bits, *state);
        --blockLeft;

        const unsigned c = state->c.decode(bits);
        if (c < 256) {
            buf[pos++] = uint8_t(c);
            --remaining;
        } else {
            unsigned len = c - kLengthBias;
            const unsigned p = state->p.decode(bits);
            if (p >= kNumP)
                throw BadDecodeTable();
            const unsigned distance = p <= 1 ? p : (1u << (p - 1)) + bits.get(p - 1);
            if (len > remaining)
                len = unsigned(remaining);
            copyMatch(buf + pos, size_t(distance) + 1, len);
            pos += len;
            remaining -= len;
        }

        if (pos >= kFlushAt) {
            out.write(buf + kDictSize, pos - kDictSize);
            std::memmove(buf, buf + pos - kDictSize, kDictSize);
            pos = kDictSize;
        }
    }
    if (pos > kDictSize)
        out.write(buf + kDictSize, pos - kDictSize);
}

} // namespace archive
