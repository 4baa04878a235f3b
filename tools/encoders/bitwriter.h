// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace archive {

// Most-significant-bit-first writer shared by the encoders; the final partial byte is padded
// with zero bits.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t> &out) : m_out(out) {}

    // The low count bits of value, count <= 32.
    void put(uint32_t value, unsigned count)
    {
        m_bits = (m_bits << count) | value;
        m_count += count;
        while (m_count >= 8) {
            m_count -= 8;
            m_out.push_back(uint8_t(m_bits >> m_count));
        }
        m_bits &= (uint64_t(1) << m_count) - 1;
    }

    void finish()
    {
        if (m_count)
            m_out.push_back(uint8_t(m_bits << (8 - m_count)));
        m_bits = 0;
        m_count = 0;
    }

private:
    std::vector<uint8_t> &m_out;
    uint64_t m_bits = 0;  // pending bits, right-aligned
    unsigned m_count = 0; // how many are pending, always below 8 between calls
};

} // namespace archive
