// SPDX-License-Identifier: GPL-3.0-or-later
#include "rle.h"

#include "bitreader.h"

#include <array>

namespace archive {

void RleDecoder::decode(ByteSource &in, ByteSink &out, uint64_t expandedSize)
{
    OutputWindow window(out);
    std::array<uint8_t, 8192> block;
    uint64_t written = 0;
    uint8_t previous = 0;
    bool escapePending = false;
    auto emit = [&](uint8_t byte) {
        if (written < expandedSize) {
            window.put(byte);
            ++written;
        }
    };
    // The whole stored data is read even past the stated size, as the stream defines it; the
    // output is cut at the stated size and the caller's checksum judges the result.
    while (const size_t got = in.read(block.data(), block.size())) {
        for (size_t i = 0; i < got; ++i) {
            const uint8_t b = block[i];
            if (escapePending) {
                escapePending = false;
                if (b == 0) {
                    emit(kRleEscape);
                } else {
                    for (unsigned k = 1; k < b && written < expandedSize; ++k)
                        emit(previous);
                }
                previous = kRleEscape;
            } else if (b == kRleEscape) {
                escapePending = true;
            } else {
                emit(b);
                previous = b;
            }
        }
    }
    window.flush();
    if (written < expandedSize)
        throw TruncatedData();
}

std::vector<uint8_t> RleEncoder::encode(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> out;
    out.reserve(size + size / 64 + 16);
    size_t i = 0;
    while (i < size) {
        const uint8_t b = data[i];
        size_t run = 1;
        while (i + run < size && data[i + run] == b && run < 255)
            ++run;
        if (b == kRleEscape) {
            // Every escape byte is written as escape, 0: after it the "previous" byte is the
            // escape itself, so a run of escapes cannot use the count form.
            out.push_back(kRleEscape);
            out.push_back(0);
            i += 1;
        } else if (run >= 3) {
            out.push_back(b);
            out.push_back(kRleEscape);
            out.push_back(uint8_t(run));
            i += run;
        } else {
            out.push_back(b);
            i += 1;
        }
    }
    return out;
}

} // namespace archive
