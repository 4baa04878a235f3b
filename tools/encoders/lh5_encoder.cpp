// SPDX-License-Identifier: GPL-3.0-or-later
#include "lh5_encoder.h"


#include "bitwriter.h"
#include "lh5_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <queue>
#include <span>

namespace archive {

using namespace lh5;

namespace {

constexpr size_t kBlockSymbols = 16 * 1024;  // well below the 16-bit count; keeps tables local
constexpr unsigned kHashBits = 15;           // 32K chain heads for 3-byte prefixes
constexpr size_t kChainSize = 2 * kDictSize; // chain links of the last two windows; older are unreachable
constexpr unsigned kMaxChain = 128;          // candidates tried per position: speed against ratio
constexpr unsigned kLazyEnough = 32;         // a match this long is taken without looking one byte on
constexpr unsigned kFarShortMatch = 4096;    // a 3-byte copy from further back costs more than literals
constexpr unsigned kTSkipLimit = kTSkipAfter + 3; // the 2-bit skip covers at most three zero lengths

// One code: lengths and canonical code words. A tree of one (or no) symbol keeps length 0 and
// is written in the short form, so its symbol costs no bits.
struct Code {
    std::vector<uint8_t> lengths;
    std::vector<uint16_t> words;
    unsigned used = 0;   // symbols with a nonzero frequency
    unsigned single = 0; // the symbol, when used <= 1

    void put(BitWriter &bits, unsigned symbol) const { bits.put(words[symbol], lengths[symbol]); }
};

// Huffman lengths from frequencies, limited to 16 bits by flattening the frequencies until the
// tree is shallow enough; ties break on the symbol number so the output is deterministic.
Code makeCode(std::span<const uint32_t> freq)
{
    const unsigned n = unsigned(freq.size());
    Code code;
    code.lengths.assign(n, 0);
    code.words.assign(n, 0);
    for (unsigned s = 0; s < n; ++s) {
        if (freq[s]) {
            ++code.used;
            code.single = s;
        }
    }
    if (code.used < 2) {
        if (code.used == 0)
            code.single = 0;
        return code;
    }

    std::vector<uint32_t> weight(freq.begin(), freq.end());
    for (;;) {
        using Node = std::pair<uint64_t, unsigned>; // weight, node number
        std::priority_queue<Node, std::vector<Node>, std::greater<>> heap;
        std::vector<unsigned> parent(2 * n, 0);
        for (unsigned s = 0; s < n; ++s) {
            if (weight[s])
                heap.push({weight[s], s});
        }
        unsigned next = n;
        while (heap.size() > 1) {
            const Node a = heap.top();
            heap.pop();
            const Node b = heap.top();
            heap.pop();
            parent[a.second] = parent[b.second] = next;
            heap.push({a.first + b.first, next++});
        }
        // Inner nodes are numbered after their children, so depths come out in one downward pass.
        const unsigned root = next - 1;
        std::vector<uint8_t> depth(next, 0);
        for (unsigned node = root; node-- > n;)
            depth[node] = uint8_t(depth[parent[node]] + 1);
        unsigned deepest = 0;
        for (unsigned s = 0; s < n; ++s) {
            if (weight[s]) {
                code.lengths[s] = uint8_t(depth[parent[s]] + 1);
                deepest = std::max<unsigned>(deepest, code.lengths[s]);
            }
        }
        if (deepest <= kMaxCodeBits)
            break;
        for (uint32_t &w : weight) {
            if (w)
                w = (w + 1) / 2;
        }
    }

    // Canonical code words: by length, then by symbol, as the decoders count them.
    std::array<unsigned, kMaxCodeBits + 1> perLength{};
    for (uint8_t len : code.lengths)
        ++perLength[len];
    perLength[0] = 0;
    std::array<uint32_t, kMaxCodeBits + 2> nextWord{};
    for (unsigned len = 1; len <= kMaxCodeBits; ++len)
        nextWord[len + 1] = (nextWord[len] + perLength[len]) << 1;
    for (unsigned s = 0; s < n; ++s) {
        if (code.lengths[s])
            code.words[s] = uint16_t(nextWord[code.lengths[s]]++);
    }
    return code;
}

// Number of lengths worth writing: the rest are zero.
unsigned trimmedCount(const std::vector<uint8_t> &lengths)
{
    unsigned n = unsigned(lengths.size());
    while (n > 0 && lengths[n - 1] == 0)
        --n;
    return n;
}

// The T or P tree: 3 bits per length, 7 and above as that many 1-bits minus 3 and a closing
// 0; in the T tree the third length is followed by a 2-bit count of zero lengths.
void writeShortTree(BitWriter &bits, const Code &code, unsigned countBits, unsigned skipAfter)
{
    if (code.used < 2) {
        bits.put(0, countBits);
        bits.put(code.single, countBits);
        return;
    }
    const unsigned n = trimmedCount(code.lengths);
    bits.put(n, countBits);
    unsigned i = 0;
    while (i < n) {
        const unsigned len = code.lengths[i++];
        if (len <= 6)
            bits.put(len, 3);
        else
            bits.put((1u << (len - 3)) - 2, len - 3);
        if (i == skipAfter) {
            while (i < kTSkipLimit && i < n && code.lengths[i] == 0)
                ++i;
            bits.put(i - skipAfter, 2);
        }
    }
}

// Calls out(tSymbol, extraValue, extraBits) for each item of the literal tree's lengths: a
// nonzero length L is T symbol L + 2, zero lengths go in runs.
template <typename Out>
void forEachLengthItem(const std::vector<uint8_t> &lengths, Out out)
{
    const unsigned n = trimmedCount(lengths);
    unsigned i = 0;
    while (i < n) {
        const unsigned len = lengths[i++];
        if (len) {
            out(len + 2, 0, 0);
            continue;
        }
        unsigned run = 1;
        while (i < n && lengths[i] == 0) {
            ++i;
            ++run;
        }
        if (run <= 2) {
            for (unsigned k = 0; k < run; ++k)
                out(0, 0, 0);
        } else if (run < kMidRunBase + (1u << kMidRunBits)) {
            out(1, run - kMidRunBase, kMidRunBits);
        } else if (run == kLongRunBase - 1) {
            // 19 is neither a mid run nor a long one: one single zero and a run of 18.
            out(0, 0, 0);
            out(1, run - 1 - kMidRunBase, kMidRunBits);
        } else {
            out(2, run - kLongRunBase, kCBits);
        }
    }
}

struct Symbol {
    uint16_t c;        // literal byte, or kLengthBias + match length
    uint16_t distance; // bytes back minus one, for matches
};

unsigned distanceClass(unsigned distance) { return unsigned(std::bit_width(distance)); }

void writeBlock(BitWriter &bits, const std::vector<Symbol> &symbols)
{
    std::array<uint32_t, kNumC> cFreq{};
    std::array<uint32_t, kNumP> pFreq{};
    for (const Symbol &s : symbols) {
        ++cFreq[s.c];
        if (s.c >= 256)
            ++pFreq[distanceClass(s.distance)];
    }
    const Code c = makeCode(cFreq);
    const Code p = makeCode(pFreq);

    bits.put(unsigned(symbols.size()), kBlockCountBits);
    if (c.used >= 2) {
        std::array<uint32_t, kNumT> tFreq{};
        forEachLengthItem(c.lengths, [&](unsigned t, unsigned, unsigned) { ++tFreq[t]; });
        const Code t = makeCode(tFreq);
        writeShortTree(bits, t, kTBits, kTSkipAfter);
        bits.put(trimmedCount(c.lengths), kCBits);
        forEachLengthItem(c.lengths, [&](unsigned sym, unsigned extra, unsigned extraBits) {
            t.put(bits, sym);
            bits.put(extra, extraBits);
        });
    } else {
        // One literal-or-length symbol: an unused single-symbol T tree, then the short form.
        bits.put(0, kTBits);
        bits.put(0, kTBits);
        bits.put(0, kCBits);
        bits.put(c.single, kCBits);
    }
    writeShortTree(bits, p, kPBits, 0);

    for (const Symbol &s : symbols) {
        c.put(bits, s.c);
        if (s.c >= 256) {
            const unsigned cls = distanceClass(s.distance);
            p.put(bits, cls);
            if (cls > 1)
                bits.put(s.distance & ((1u << (cls - 1)) - 1), cls - 1);
        }
    }
}

// Hash chains over the input: every position is linked to the previous one with the same first
// three bytes.
class MatchFinder {
public:
    struct Match {
        unsigned length = 0;
        unsigned distance = 0; // bytes back minus one
    };

    MatchFinder(const uint8_t *data, size_t size)
        : m_data(data), m_size(size), m_head(size_t(1) << kHashBits, -1), m_prev(kChainSize, -1)
    {
    }

    void insert(size_t pos)
    {
        if (pos + kMinMatch > m_size)
            return;
        const uint32_t h = hash(pos);
        m_prev[pos % kChainSize] = m_head[h];
        m_head[h] = int64_t(pos);
    }

    // The longest earlier match at pos within the history; pos itself must not be inserted yet.
    Match find(size_t pos) const
    {
        Match best;
        if (pos + kMinMatch > m_size)
            return best;
        const unsigned maxLength = unsigned(std::min<size_t>(kMaxMatch, m_size - pos));
        const uint8_t *const here = m_data + pos;
        unsigned bestLength = kMinMatch - 1;
        int64_t candidate = m_head[hash(pos)];
        for (unsigned tries = kMaxChain; tries && candidate >= 0; --tries) {
            const size_t back = pos - size_t(candidate);
            if (back > kDictSize)
                break;
            const uint8_t *const there = m_data + candidate;
            if (there[bestLength] == here[bestLength]) {
                unsigned length = 0;
                while (length < maxLength && there[length] == here[length])
                    ++length;
                if (length > bestLength && (length > kMinMatch || back <= kFarShortMatch)) {
                    bestLength = length;
                    best = {length, unsigned(back - 1)};
                    if (length == maxLength)
                        break;
                }
            }
            candidate = m_prev[size_t(candidate) % kChainSize];
        }
        return best;
    }

private:
    uint32_t hash(size_t pos) const
    {
        const uint32_t v = uint32_t(m_data[pos]) | uint32_t(m_data[pos + 1]) << 8 |
                           uint32_t(m_data[pos + 2]) << 16;
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    const uint8_t *m_data;
    size_t m_size;
    std::vector<int64_t> m_head; // newest position per hash, or -1
    std::vector<int64_t> m_prev; // next older position with the same hash, by position mod kChainSize
};

} // namespace

std::vector<uint8_t> Lh5Encoder::encode(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> out;
    if (size == 0)
        return out;
    out.reserve(size / 2 + 64);
    BitWriter bits(out);
    MatchFinder finder(data, size);
    std::vector<Symbol> symbols;
    symbols.reserve(kBlockSymbols);
    auto emit = [&](Symbol s) {
        symbols.push_back(s);
        if (symbols.size() == kBlockSymbols) {
            writeBlock(bits, symbols);
            symbols.clear();
        }
    };

    size_t pos = 0;
    MatchFinder::Match match = finder.find(pos);
    while (pos < size) {
        finder.insert(pos);
        if (match.length >= kMinMatch && match.length < kLazyEnough) {
            // One step of lazy matching: a longer match one byte on beats this one.
            const MatchFinder::Match next = finder.find(pos + 1);
            if (next.length > match.length) {
                emit({data[pos], 0});
                ++pos;
                match = next;
                continue;
            }
        }
        if (match.length >= kMinMatch) {
            emit({uint16_t(kLengthBias + match.length), uint16_t(match.distance)});
            for (size_t k = 1; k < match.length; ++k)
                finder.insert(pos + k);
            pos += match.length;
        } else {
            emit({data[pos], 0});
            ++pos;
        }
        match = finder.find(pos);
    }
    if (!symbols.empty())
        writeBlock(bits, symbols);
    bits.finish();
    return out;
}

} // namespace archive
