// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the archive walk and every decoder. The first byte picks what is fed:
// 0 a whole archive (every member expanded, with the program's key and without), 1..3 one raw
// stream for the run-length, LZHUF or lh5 decoder with a stated size taken from the next bytes.
#include "codec.h"
#include "memory_io.h"
#include "methods.h"
#include "tcompress.h"

#include <QBuffer>

#include <cstdint>

namespace {

constexpr uint32_t kKey = CHING_ARCHIVE_KEY;
constexpr uint64_t kMaxRawOutput = 1 << 20; // keeps each run short; the size still varies widely

void fuzzArchive(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const uint32_t key : {kKey, 0u}) {
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        try {
            archive::walkMembers(file, [&](QIODevice &device, const archive::MemberInfo &info) {
                QByteArray out;
                QBuffer sink(&out);
                sink.open(QIODevice::WriteOnly);
                try {
                    archive::expandMember(device, info, key, sink);
                } catch (const archive::ECompressError &) {
                }
                // A member never expands beyond its stated size.
                if (info.method != archive::Stored && out.size() > info.expandedSize)
                    __builtin_trap();
            });
        } catch (const archive::ECompressError &) {
        }
    }
}

void fuzzDecoder(int method, const uint8_t *data, size_t size)
{
    if (size < 3)
        return;
    const uint64_t expanded = ((uint64_t(data[0]) << 16) | (uint64_t(data[1]) << 8) | data[2]) % kMaxRawOutput;
    auto decoder = archive::makeDecoder(method);
    archive::MemorySource source(data + 3, size - 3, 1 + size % 97);
    archive::VectorSink sink;
    try {
        decoder->decode(source, sink, expanded);
        if (sink.bytes.size() != expanded)
            __builtin_trap();
    } catch (const archive::BadDecodeTable &) {
    } catch (const archive::TruncatedData &) {
    }
    if (sink.bytes.size() > expanded)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    switch (data[0] % 4) {
    case 0:
        fuzzArchive(data + 1, size - 1);
        break;
    case 1:
        fuzzDecoder(archive::RunLength, data + 1, size - 1);
        break;
    case 2:
        fuzzDecoder(archive::Lzhuf, data + 1, size - 1);
        break;
    default:
        fuzzDecoder(archive::Lh5, data + 1, size - 1);
        break;
    }
    return 0;
}
