// SPDX-License-Identifier: GPL-3.0-or-later
// bench_decode: how fast the archive's methods expand a fixed, compressible 20 MB input, and
// (when built with liblhasa) how our lh5 decoder compares with LHA's on the same stream.
#include "lh5_decoder.h"
#include "lh5_encoder.h"
#include "lzhuf_decoder.h"
#include "lzhuf_encoder.h"
#include "memory_io.h"

#ifdef CHING_HAVE_LHASA
#include <lhasa.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <random>
#include <string>

using namespace archive;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr size_t kInputSize = 20 * 1000 * 1000; // large enough to swamp timer and cache effects
constexpr int kRuns = 5;                        // best of this many, to shed scheduling noise
constexpr unsigned kSeed = 20240611;            // the input is the same in every run and build

// Sentences of words from a small vocabulary with numbers and line breaks: roughly the mix of
// the program's book texts, compressing about three to one.
Bytes makeInput()
{
    static const char *const words[] = {
        "the",      "superior", "man",    "heaven",  "earth",     "thunder",      "lake",
        "mountain", "wind",     "water",  "fire",    "nine",      "six",          "in",
        "at",       "beginning", "means", "perseverance", "furthers", "no",       "blame",
        "misfortune", "great",  "good",   "fortune", "it",        "is",           "of",
        "and",      "to",       "a",      "crosses", "dragon",    "field",        "hidden",
        "appears",  "creative", "receptive", "youthful", "folly", "waiting",      "conflict"};
    std::mt19937 rng(kSeed);
    Bytes out;
    out.reserve(kInputSize + 64);
    while (out.size() < kInputSize) {
        const unsigned length = 4 + rng() % 14;
        for (unsigned w = 0; w < length; ++w) {
            std::string word = words[rng() % std::size(words)];
            if (w == 0)
                word[0] = char(word[0] - 'a' + 'A');
            out.insert(out.end(), word.begin(), word.end());
            out.push_back(w + 1 < length ? ' ' : '.');
        }
        if (rng() % 5 == 0) {
            const std::string number = " " + std::to_string(rng() % 64 + 1) + "\n";
            out.insert(out.end(), number.begin(), number.end());
        } else {
            out.push_back(' ');
        }
    }
    out.resize(kInputSize);
    return out;
}

// Takes the output and keeps only its length, so the timing is the decoder's alone.
class CountingSink : public ByteSink {
public:
    void write(const uint8_t *, size_t len) override { count += len; }
    size_t count = 0;
};

double bestSeconds(const std::function<void()> &run)
{
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

double megabytesPerSecond(size_t bytes, double seconds)
{
    return double(bytes) / 1e6 / seconds;
}

// Decodes once into memory to check the result, then times decoding into a counting sink.
// Returns MB/s, or 0 when the decoder failed.
double benchOurs(const char *name, Decoder &decoder, const Bytes &stream, const Bytes &input)
{
    try {
        MemorySource source(stream);
        VectorSink sink;
        decoder.decode(source, sink, input.size());
        if (sink.bytes != input) {
            std::printf("%s: decoded output differs from the input\n", name);
            return 0;
        }
        const double seconds = bestSeconds([&] {
            MemorySource timedSource(stream);
            CountingSink counter;
            decoder.decode(timedSource, counter, input.size());
        });
        const double speed = megabytesPerSecond(input.size(), seconds);
        std::printf("%-6s %9zu bytes (%5.1f%%)  decode %8.1f MB/s\n", name, stream.size(),
                    100.0 * double(stream.size()) / double(input.size()), speed);
        return speed;
    } catch (const std::exception &e) {
        std::printf("%s: decoder failed: %s\n", name, e.what());
        return 0;
    }
}

#ifdef CHING_HAVE_LHASA
struct LhasaFeed {
    const Bytes *stream;
    size_t pos = 0;
};

size_t lhasaRead(void *buf, size_t len, void *userData)
{
    auto *feed = static_cast<LhasaFeed *>(userData);
    const size_t n = std::min(len, feed->stream->size() - feed->pos);
    std::copy_n(feed->stream->data() + feed->pos, n, static_cast<uint8_t *>(buf));
    feed->pos += n;
    return n;
}

// lhasa's decoder over the same stream; with keep it also keeps the output. Returns the
// number of bytes it produced.
size_t lhasaDecode(const Bytes &stream, size_t expandedSize, Bytes *keep)
{
    static char method[] = "-lh5-";
    LhasaFeed feed{&stream};
    LHADecoder *decoder = lha_decoder_new(lha_decoder_for_name(method), lhasaRead, &feed, expandedSize);
    if (!decoder)
        return 0;
    static uint8_t chunk[64 * 1024];
    size_t total = 0;
    while (const size_t got = lha_decoder_read(decoder, chunk, sizeof chunk)) {
        if (keep)
            keep->insert(keep->end(), chunk, chunk + got);
        total += got;
    }
    lha_decoder_free(decoder);
    return total;
}

double benchLhasa(const Bytes &stream, const Bytes &input)
{
    Bytes decoded;
    lhasaDecode(stream, input.size(), &decoded);
    if (decoded != input) {
        std::printf("lhasa: decoded output differs from the input\n");
        return 0;
    }
    const double seconds = bestSeconds([&] { lhasaDecode(stream, input.size(), nullptr); });
    const double speed = megabytesPerSecond(input.size(), seconds);
    std::printf("%-6s same lh5 stream          decode %8.1f MB/s  (includes lhasa's CRC-16)\n", "lhasa",
                speed);
    return speed;
}
#endif

} // namespace

int main()
{
    const Bytes input = makeInput();
    std::printf("input: %zu bytes of text-like data, best of %d runs\n", input.size(), kRuns);

    const Bytes lh5Stream = Lh5Encoder().encode(input.data(), input.size());
    Lh5Decoder lh5;
    const double ours = benchOurs("lh5", lh5, lh5Stream, input);

    const Bytes lzhufStream = LzhufEncoder().encode(input.data(), input.size());
    if (lzhufStream.empty()) {
        std::printf("LZHUF: encoder not available\n");
    } else {
        LzhufDecoder lzhuf;
        benchOurs("LZHUF", lzhuf, lzhufStream, input);
    }

#ifdef CHING_HAVE_LHASA
    const double theirs = benchLhasa(lh5Stream, input);
    if (ours > 0 && theirs > 0)
        std::printf("lh5 ours/lhasa: %.2f\n", ours / theirs);
#else
    (void)ours;
    std::printf("lhasa: not built in (liblhasa not found)\n");
#endif
    return 0;
}
