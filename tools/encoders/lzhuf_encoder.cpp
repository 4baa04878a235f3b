// SPDX-License-Identifier: GPL-3.0-or-later
#include "lzhuf_encoder.h"

#include "bitwriter.h"
#include "lzhuf_model.h"

#include <memory>

namespace archive {

using namespace lzhuf;

namespace {

// The match finder: every ring position with a full look-ahead after it is a node of a binary
// search tree keyed by the kMaxMatch bytes starting there, one tree per first byte. Inserting
// the current position walks its tree, which passes the longest earlier match on the way.
// The choices (longest, then nearest; which node replaces which) follow the published coder so
// that our streams equal its streams.
class MatchTree {
public:
    static constexpr int kNil = kRingSize;     // "no node"; also a harmless slot to write to
    static constexpr int kRootBase = kNil + 1; // kRootBase + byte: the tree of strings starting with byte

    MatchTree()
    {
        m_left.fill(kNil);
        m_right.fill(kNil);
        m_parent.fill(kNil);
    }

    // Ring bytes plus a copy of the first kMaxMatch - 1 after the end, so that a look-ahead
    // near the end of the ring needs no wrap. The copy starts as zeros, not blanks, as the
    // published coder's static buffer did. Only comparisons past the end of the input see the
    // difference, and those only steer which match of the usable length is taken, but short
    // inputs (60 or so bytes) do come out different with blanks there.
    std::array<uint8_t, kRingSize + kMaxMatch - 1> text{};

    int matchPosition = 0; // distance - 1 of the best match found by the last insert
    int matchLength = 0;   // its length; 0 when shorter than kThreshold + 1

    void insert(int r)
    {
        const uint8_t *key = &text[r];
        int p = kRootBase + key[0];
        int cmp = 1;
        m_left[r] = m_right[r] = kNil;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (m_right[p] == kNil) {
                    m_right[p] = r;
                    m_parent[r] = p;
                    return;
                }
                p = m_right[p];
            } else {
                if (m_left[p] == kNil) {
                    m_left[p] = r;
                    m_parent[r] = p;
                    return;
                }
                p = m_left[p];
            }
            int i = 1;
            for (; i < int(kMaxMatch); ++i) {
                cmp = key[i] - text[p + i];
                if (cmp != 0)
                    break;
            }
            if (i > int(kThreshold)) {
                const int position = ((r - p) & int(kRingMask)) - 1;
                if (i > matchLength) {
                    matchPosition = position;
                    matchLength = i;
                    if (matchLength >= int(kMaxMatch))
                        break;
                } else if (i == matchLength && position < matchPosition) {
                    matchPosition = position;
                }
            }
        }
        // A full-length match: r takes over p's place in the tree, as the newer copy of the
        // same string, and p leaves it.
        m_parent[r] = m_parent[p];
        m_left[r] = m_left[p];
        m_right[r] = m_right[p];
        m_parent[m_left[p]] = r;
        m_parent[m_right[p]] = r;
        replaceChild(m_parent[p], p, r);
        m_parent[p] = kNil;
    }

    void remove(int p)
    {
        if (m_parent[p] == kNil)
            return; // not in the tree
        int q;
        if (m_right[p] == kNil) {
            q = m_left[p];
        } else if (m_left[p] == kNil) {
            q = m_right[p];
        } else {
            // Two children: p's in-order predecessor takes its place.
            q = m_left[p];
            if (m_right[q] != kNil) {
                do {
                    q = m_right[q];
                } while (m_right[q] != kNil);
                m_right[m_parent[q]] = m_left[q];
                m_parent[m_left[q]] = m_parent[q];
                m_left[q] = m_left[p];
                m_parent[m_left[p]] = q;
            }
            m_right[q] = m_right[p];
            m_parent[m_right[p]] = q;
        }
        m_parent[q] = m_parent[p];
        replaceChild(m_parent[p], p, q);
        m_parent[p] = kNil;
    }

private:
    // Tree roots only ever have a right child, so the test finds them too.
    void replaceChild(int parent, int old, int replacement)
    {
        if (m_right[parent] == old)
            m_right[parent] = replacement;
        else
            m_left[parent] = replacement;
    }

    std::array<int, kRingSize + 1> m_left{};        // positions, and kNil
    std::array<int, kRingSize + 1 + 256> m_right{}; // also the 256 tree roots
    std::array<int, kRingSize + 1> m_parent{};      // kNil: position not in any tree
};

} // namespace

std::vector<uint8_t> LzhufEncoder::encode(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> out;
    if (size == 0)
        return out;
    out.reserve(size / 2 + 16);
    BitWriter bits(out);
    AdaptiveHuffman model;
    auto tree = std::make_unique<MatchTree>(); // about 50 KiB: keep it off the stack
    std::array<uint8_t, kRingSize + kMaxMatch - 1> &text = tree->text;

    const uint8_t *const end = data + size;
    const uint8_t *next = data;

    int s = 0;               // oldest ring position, the next one to be overwritten
    int r = int(kRingStart); // start of the look-ahead
    std::fill(text.begin(), text.begin() + r, kRingFill);
    int len = 0; // bytes in the look-ahead
    while (len < int(kMaxMatch) && next != end)
        text[r + len++] = *next++;
    // The blanks just before the start are matchable from the first byte on.
    for (int i = 1; i <= int(kMaxMatch); ++i)
        tree->insert(r - i);
    tree->insert(r);

    auto sendSymbol = [&](unsigned symbol) {
        const auto [code, length] = model.code(symbol);
        bits.put(code, length);
        model.update(symbol);
    };

    do {
        int matchLength = std::min(tree->matchLength, len);
        if (matchLength <= int(kThreshold)) {
            matchLength = 1;
            sendSymbol(text[r]);
        } else {
            sendSymbol(matchSymbol(unsigned(matchLength)));
            const unsigned position = unsigned(tree->matchPosition);
            const unsigned high = position >> kPositionLowBits;
            bits.put(kPositionEncode.code[high] >> (8 - kPositionEncode.length[high]),
                     kPositionEncode.length[high]);
            bits.put(position & ((1u << kPositionLowBits) - 1), kPositionLowBits);
        }
        // Slide past the coded bytes, reading as many new ones.
        int i = 0;
        for (; i < matchLength && next != end; ++i) {
            tree->remove(s);
            text[s] = *next;
            if (s < int(kMaxMatch) - 1)
                text[s + kRingSize] = *next;
            ++next;
            s = (s + 1) & int(kRingMask);
            r = (r + 1) & int(kRingMask);
            tree->insert(r);
        }
        // Past the end of the input the look-ahead only shrinks.
        for (; i < matchLength; ++i) {
            tree->remove(s);
            s = (s + 1) & int(kRingMask);
            r = (r + 1) & int(kRingMask);
            if (--len)
                tree->insert(r);
        }
    } while (len > 0);

    bits.finish();
    return out;
}

} // namespace archive
