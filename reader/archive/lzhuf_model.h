// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces of the LZHUF method that the decoder and the archive tool's encoder must agree on
// bit for bit: the ring buffer layout, the symbol alphabet, the fixed position code and the
// adaptive Huffman tree with its exact update and rebuild order.

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace archive::lzhuf {

inline constexpr unsigned kRingSize = 4096;                   // window the matches copy from
inline constexpr unsigned kRingMask = kRingSize - 1;          // ring positions wrap by masking
inline constexpr unsigned kMaxMatch = 60;                     // longest match, also the look-ahead
inline constexpr unsigned kThreshold = 2;                     // matches this short go out as literals
inline constexpr unsigned kRingStart = kRingSize - kMaxMatch; // first write position
inline constexpr uint8_t kRingFill = 0x20;                    // ring bytes before kRingStart start as blanks
inline constexpr unsigned kLiteralCount = 256;                // symbols below this are plain bytes
inline constexpr unsigned kSymbolCount = 256 - kThreshold + kMaxMatch; // literals plus lengths 3..60
inline constexpr unsigned kNodeCount = 2 * kSymbolCount - 1; // leaves and internal nodes of the tree
inline constexpr unsigned kRoot = kNodeCount - 1;            // the root is always the last node
inline constexpr unsigned kMaxFreq = 0x8000;                 // root count that triggers a rebuild
inline constexpr unsigned kPositionLowBits = 6;              // low bits of a position, sent verbatim
inline constexpr unsigned kPositionHighCount = kRingSize >> kPositionLowBits; // values of the high part

// A match of length n travels as symbol n + 253, just past the literals.
constexpr unsigned matchSymbol(unsigned length) { return length + kLiteralCount - 1 - kThreshold; }
constexpr unsigned matchLength(unsigned symbol) { return symbol + 1 + kThreshold - kLiteralCount; }

// The high six bits of a match position use a fixed prefix code: recent positions are the
// likely ones, so they get the short codes (3 bits for the nearest 64 bytes, 8 for the oldest).
constexpr unsigned positionCodeLength(unsigned high)
{
    return high < 1 ? 3 : high < 4 ? 4 : high < 12 ? 5 : high < 24 ? 6 : high < 48 ? 7 : 8;
}

struct PositionEncodeTable {
    std::array<uint8_t, kPositionHighCount> code{};   // left-aligned in 8 bits
    std::array<uint8_t, kPositionHighCount> length{}; // bits used of code
};

struct PositionDecodeTable {
    std::array<uint8_t, 256> high{};   // high six bits for each possible next byte of the stream
    std::array<uint8_t, 256> length{}; // how many of those 8 bits the code really used
};

// The code is canonical: consecutive values take consecutive codes of their length.
inline constexpr PositionEncodeTable kPositionEncode = [] {
    PositionEncodeTable table;
    unsigned next = 0;
    for (unsigned high = 0; high < kPositionHighCount; ++high) {
        table.code[high] = uint8_t(next);
        table.length[high] = uint8_t(positionCodeLength(high));
        next += 1u << (8 - table.length[high]);
    }
    return table;
}();

// Every 8-bit window starting with a value's code decodes to that value.
inline constexpr PositionDecodeTable kPositionDecode = [] {
    PositionDecodeTable table;
    for (unsigned high = 0; high < kPositionHighCount; ++high) {
        const unsigned span = 1u << (8 - kPositionEncode.length[high]);
        for (unsigned k = 0; k < span; ++k) {
            table.high[kPositionEncode.code[high] + k] = uint8_t(high);
            table.length[kPositionEncode.code[high] + k] = kPositionEncode.length[high];
        }
    }
    return table;
}();

static_assert(kPositionEncode.code[kPositionHighCount - 1] == 0xff, "position code must fill 8 bits");
static_assert(kPositionEncode.code[24] == 0xc0 && kPositionEncode.length[24] == 7);

// Adaptive Huffman tree over kSymbolCount symbols, kept in sibling order: node frequencies never
// decrease with the node index, and the two children of a node sit side by side. Encoder and
// decoder run the same updates after every symbol, so they hold the same tree throughout.
class AdaptiveHuffman {
public:
    AdaptiveHuffman() { reset(); }

    // All symbols seen once, paired off in index order.
    void reset()
    {
        for (unsigned i = 0; i < kSymbolCount; ++i) {
            m_freq[i] = 1;
            m_son[i] = uint16_t(i + kNodeCount);
            m_parent[i + kNodeCount] = uint16_t(i);
        }
        for (unsigned i = 0, j = kSymbolCount; j <= kRoot; i += 2, ++j) {
            m_freq[j] = uint16_t(m_freq[i] + m_freq[i + 1]);
            m_son[j] = uint16_t(i);
            m_parent[i] = m_parent[i + 1] = uint16_t(j);
        }
        m_freq[kNodeCount] = 0xffff;
        m_parent[kRoot] = 0;
    }

    // For an internal node, the index of its 0-child (the 1-child follows it); for a leaf,
    // kNodeCount + symbol. The decoder walks from son(kRoot) until it reaches a leaf. Every
    // internal node's children lie below kRoot, so a walk stays in range whatever bits it reads.
    unsigned son(unsigned node) const { return m_son[node]; }

    // The code of a symbol as (bits, length), first bit most significant. No code in a tree
    // whose root count stays below kMaxFreq is anywhere near 32 bits long.
    std::pair<uint32_t, unsigned> code(unsigned symbol) const
    {
        uint32_t bits = 0;
        unsigned length = 0;
        unsigned node = m_parent[symbol + kNodeCount];
        do {
            bits |= uint32_t(node & 1) << length; // odd nodes are the 1-children
            ++length;
            node = m_parent[node];
        } while (node != kRoot);
        return {bits, length};
    }

    // Counts one more occurrence of symbol and restores sibling order on the way to the root.
    void update(unsigned symbol)
    {
        if (m_freq[kRoot] == kMaxFreq)
            rebuild();
        unsigned c = m_parent[symbol + kNodeCount];
        do {
            const uint16_t k = ++m_freq[c];
            unsigned l = c + 1;
            if (k > m_freq[l]) {
                // Swap c with the last node of its old frequency; the sentinel stops the scan.
                while (k > m_freq[++l]) {
                }
                --l;
                m_freq[c] = m_freq[l];
                m_freq[l] = k;

                const unsigned i = m_son[c];
                m_parent[i] = uint16_t(l);
                if (i < kNodeCount)
                    m_parent[i + 1] = uint16_t(l);

                const unsigned j = m_son[l];
                m_son[l] = uint16_t(i);
                m_parent[j] = uint16_t(c);
                if (j < kNodeCount)
                    m_parent[j + 1] = uint16_t(c);
                m_son[c] = uint16_t(j);

                c = l;
            }
            c = m_parent[c];
        } while (c != 0); // only the root has parent 0: node 0 is always a leaf
    }

private:
    // Halves every count and rebuilds the tree from the leaves, exactly in the order the
    // published coder does, since any difference in tie-breaking changes every later code.
    void rebuild()
    {
        // Leaves to the front, in node order, with halved counts (rounded up so none is 0).
        unsigned j = 0;
        for (unsigned i = 0; i < kNodeCount; ++i) {
            if (m_son[i] >= kNodeCount) {
                m_freq[j] = uint16_t((m_freq[i] + 1) / 2);
                m_son[j] = m_son[i];
                ++j;
            }
        }
        // Pair nodes 2i, 2i+1 into node j, sliding it down behind the last node with a count
        // not above its own: equal counts keep their order.
        for (unsigned i = 0, j = kSymbolCount; j < kNodeCount; i += 2, ++j) {
            const uint16_t f = uint16_t(m_freq[i] + m_freq[i + 1]);
            unsigned k = j;
            while (f < m_freq[k - 1]) // stops by i + 1 at the latest: m_freq[i + 1] <= f
                --k;
            std::copy_backward(m_freq.begin() + k, m_freq.begin() + j, m_freq.begin() + j + 1);
            m_freq[k] = f;
            std::copy_backward(m_son.begin() + k, m_son.begin() + j, m_son.begin() + j + 1);
            m_son[k] = uint16_t(i);
        }
        for (unsigned i = 0; i < kNodeCount; ++i) {
            const unsigned k = m_son[i];
            m_parent[k] = uint16_t(i);
            if (k < kNodeCount)
                m_parent[k + 1] = uint16_t(i);
        }
    }

    std::array<uint16_t, kNodeCount + 1> m_freq{};              // one more: 0xffff stops the swap scan
    std::array<uint16_t, kNodeCount + kSymbolCount> m_parent{}; // nodes, then the leaf of each symbol
    std::array<uint16_t, kNodeCount> m_son{};                   // see son()
};

} // namespace archive::lzhuf
