// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codec.h"

#include <algorithm>
#include <cstring>

namespace archive {

// A ByteSource over bytes in memory, optionally handed out in small blocks.
class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t *data, size_t size, size_t block = 8192)
        : m_data(data), m_size(size), m_block(block)
    {
    }
    explicit MemorySource(const std::vector<uint8_t> &bytes, size_t block = 8192)
        : MemorySource(bytes.data(), bytes.size(), block)
    {
    }

    size_t read(uint8_t *buf, size_t max) override
    {
        const size_t n = std::min({max, m_block, m_size - m_pos});
        if (n)
            std::memcpy(buf, m_data + m_pos, n);
        m_pos += n;
        return n;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_block;
    size_t m_pos = 0;
};

class VectorSink : public ByteSink {
public:
    void write(const uint8_t *data, size_t len) override { bytes.insert(bytes.end(), data, data + len); }
    std::vector<uint8_t> bytes;
};

} // namespace archive
