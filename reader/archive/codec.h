// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace archive {

// The stored bytes of one member, already unlocked, handed out in blocks.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to max bytes into buf and returns how many; 0 once the stored data is used up.
    virtual size_t read(uint8_t *buf, size_t max) = 0;
};

// Where expanded bytes go.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const uint8_t *data, size_t len) = 0;
};

// The Huffman tables in the stream cannot describe a code: corrupt data, or a locked member
// read with the wrong key.
class BadDecodeTable : public std::runtime_error {
public:
    BadDecodeTable() : std::runtime_error("Bad decode table in archive!") {}
};

// The stream ended well before the expanded size was reached.
class TruncatedData : public std::runtime_error {
public:
    TruncatedData() : std::runtime_error("Compressed data ends early") {}
};

// Bits past the end of the stored data read as zero (encoders pad the last byte and decoders
// look ahead a little), but a decoder that asks for more than this many bytes past the end
// is reading garbage and stops with TruncatedData. This bounds the work a corrupt header can cause.
inline constexpr size_t kReadPastEndSlack = 8;

// One compression method. A decoder knows nothing of files, locks or checksums: it writes
// exactly expandedSize bytes to out or throws BadDecodeTable / TruncatedData.
class Decoder {
public:
    virtual ~Decoder() = default;
    virtual void decode(ByteSource &in, ByteSink &out, uint64_t expandedSize) = 0;
};

// The matching encoders, used by the archive tool and the tests.
class Encoder {
public:
    virtual ~Encoder() = default;
    virtual std::vector<uint8_t> encode(const uint8_t *data, size_t size) = 0;
};

} // namespace archive
