// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

#include <array>

namespace archive {

// Most-significant-bit-first reader over a ByteSource, shared by the LZHUF and lh5 decoders.
// Holds up to 64 bits left-aligned in one word so that peek/skip are a shift each.
class BitReader {
public:
    explicit BitReader(ByteSource &source) : m_source(source) {}

    // The next n bits (0..32) without consuming them.
    uint32_t peek(unsigned n)
    {
        if (n == 0)
            return 0;
        if (m_count < n)
            refill(n);
        return uint32_t(m_bits >> (64 - n));
    }

    void skip(unsigned n)
    {
        if (m_count < n)
            refill(n);
        m_bits = n >= 64 ? 0 : m_bits << n;
        m_count -= n;
    }

    uint32_t get(unsigned n)
    {
        const uint32_t value = peek(n);
        skip(n);
        return value;
    }

    // Reads the next whole byte from the bit stream.
    uint8_t getByte() { return uint8_t(get(8)); }

private:
    void refill(unsigned needed)
    {
        while (m_count <= 56) {
            if (m_pos == m_end && !fetch())
                break;
            m_bits |= uint64_t(*m_pos++) << (56 - m_count);
            m_count += 8;
        }
        // Past the end of the stored data: zero bits, within the slack only.
        while (m_count < needed) {
            if (++m_pastEnd > kReadPastEndSlack)
                throw TruncatedData();
            m_count += 8;
        }
    }

    bool fetch()
    {
        if (m_exhausted)
            return false;
        const size_t got = m_source.read(m_buffer.data(), m_buffer.size());
        if (got == 0) {
            m_exhausted = true;
            return false;
        }
        m_pos = m_buffer.data();
        m_end = m_pos + got;
        return true;
    }

    ByteSource &m_source;
    std::array<uint8_t, 8192> m_buffer{};
    const uint8_t *m_pos = nullptr;
    const uint8_t *m_end = nullptr;
    uint64_t m_bits = 0;  // left-aligned: the next bit is bit 63
    unsigned m_count = 0; // valid bits in m_bits
    size_t m_pastEnd = 0; // zero bytes supplied after the stored data ended
    bool m_exhausted = false;
};

// Collects expanded bytes and hands them to a sink in blocks, so decoders can write one byte
// at a time cheaply. Also stops at the stated size.
class OutputWindow {
public:
    explicit OutputWindow(ByteSink &sink) : m_sink(sink) {}
    ~OutputWindow() = default;

    void put(uint8_t byte)
    {
        m_buffer[m_used++] = byte;
        if (m_used == m_buffer.size())
            flush();
    }

    void flush()
    {
        if (m_used) {
            m_sink.write(m_buffer.data(), m_used);
            m_used = 0;
        }
    }

private:
    ByteSink &m_sink;
    std::array<uint8_t, 8192> m_buffer{};
    size_t m_used = 0;
};

} // namespace archive
