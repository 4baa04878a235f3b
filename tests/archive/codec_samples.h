// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs and helpers shared by the codec tests.
#pragma once

#include "memory_io.h"

#include <QFile>
#include <QMetaType>

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace codec_samples {

inline Bytes readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return Bytes(all.begin(), all.end());
}

template <class Decoder>
Bytes decodeWith(const Bytes &stream, uint64_t size, size_t block = 8192)
{
    archive::MemorySource source(stream, block);
    archive::VectorSink sink;
    Decoder().decode(source, sink, size);
    return sink.bytes;
}

template <class Encoder>
Bytes encodeWith(const Bytes &data)
{
    return Encoder().encode(data.data(), data.size());
}

inline Bytes randomBytes(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    Bytes out(size);
    for (auto &b : out)
        b = uint8_t(rng());
    return out;
}

// Words with line breaks, and now and then a stretch repeated from 8192 bytes back (the farthest
// an lh5 copy reaches) or from 8193 (just too far).
inline Bytes textLike(size_t size, unsigned seed)
{
    static const char *const words[] = {"the",  "heaven", "earth",     "thunder", "lake",  "mountain",
                                        "wind", "water",  "fire",      "nine",    "six",   "at",
                                        "line", "means",  "steadfast", "fault",   "great", "good fortune"};
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < size) {
        if (out.size() > 9000 && rng() % 200 == 0) {
            const size_t back = rng() % 2 ? 8192 : 8193;
            for (unsigned k = 0; k < 300; ++k) {
                const uint8_t repeated = out[out.size() - back];
                out.push_back(repeated);
            }
            continue;
        }
        const std::string word = words[rng() % std::size(words)];
        out.insert(out.end(), word.begin(), word.end());
        out.push_back(rng() % 9 == 0 ? '\n' : ' ');
    }
    out.resize(size);
    return out;
}

inline Bytes bytesOf(const char *text)
{
    return Bytes(text, text + std::strlen(text));
}

} // namespace codec_samples
