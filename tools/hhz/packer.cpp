// SPDX-License-Identifier: GPL-3.0-or-later
#include "packer.h"

#include "lh5_encoder.h"
#include "lzhuf_encoder.h"
#include "methods.h"
#include "rle.h"
#include "tcompress.h"

#include <QtEndian>

#include <stdexcept>

namespace archive {
namespace {

void appendInt32(QByteArray &out, int32_t v)
{
    char b[4];
    qToLittleEndian<qint32>(v, b);
    out.append(b, 4);
}

void appendInt16(QByteArray &out, int16_t v)
{
    char b[2];
    qToLittleEndian<qint16>(v, b);
    out.append(b, 2);
}

constexpr const char *kMethodIds[] = {"NON", "RLE", "LZH", "CUS", "LH5"};

} // namespace

int methodFromName(const QString &name)
{
    const QString n = name.toLower();
    if (n == QLatin1String("store"))
        return Stored;
    if (n == QLatin1String("rle"))
        return RunLength;
    if (n == QLatin1String("lzhuf"))
        return Lzhuf;
    if (n == QLatin1String("lh5"))
        return Lh5;
    return -1;
}

QString methodName(int method)
{
    switch (method) {
    case Stored: return QStringLiteral("store");
    case RunLength: return QStringLiteral("rle");
    case Lzhuf: return QStringLiteral("lzhuf");
    case Custom: return QStringLiteral("custom");
    case Lh5: return QStringLiteral("lh5");
    default: return QStringLiteral("method %1").arg(method);
    }
}

QByteArray compressMember(const QByteArray &data, int method)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(data.constData());
    std::vector<uint8_t> packed;
    switch (method) {
    case Stored:
        return data;
    case RunLength:
        packed = RleEncoder().encode(bytes, size_t(data.size()));
        break;
    case Lzhuf:
        packed = LzhufEncoder().encode(bytes, size_t(data.size()));
        break;
    case Lh5:
        packed = Lh5Encoder().encode(bytes, size_t(data.size()));
        break;
    default:
        throw std::invalid_argument("cannot compress with " + methodName(method).toStdString());
    }
    return QByteArray(reinterpret_cast<const char *>(packed.data()), qsizetype(packed.size()));
}

QByteArray buildArchive(const QList<PackEntry> &entries, uint32_t key, int archiveMethod)
{
    qint64 total = 0;
    bool anyLocked = false;
    for (const PackEntry &e : entries) {
        total += e.data.size();
        anyLocked = anyLocked || e.locked;
    }
    if (total > INT32_MAX)
        throw std::length_error("an archive holds at most 2 GiB of expanded data");
    if (anyLocked && key == 0)
        throw std::invalid_argument("locked members need a key");

    QByteArray out(kArchiveMagic, 5);
    out.append(kMethodIds[archiveMethod >= 0 && archiveMethod <= 4 ? archiveMethod : Lh5], 3);
    appendInt32(out, int32_t(total));
    out.append(char(kArchiveTypeMulti));
    appendInt32(out, 0);
    appendInt32(out, anyLocked ? kLockedFlag : 0);

    for (const PackEntry &e : entries) {
        const QByteArray name = e.name.toLatin1();
        if (name.isEmpty() || name.size() > INT16_MAX)
            throw std::invalid_argument("bad member name: " + e.name.toStdString());
        QByteArray stored = compressMember(e.data, e.method);
        // Stored members are never combined with the key: readers copy them as they are.
        const bool lock = e.locked && e.method != Stored;
        if (lock)
            applyKey(reinterpret_cast<uint8_t *>(stored.data()), size_t(stored.size()), key, 0);
        appendInt16(out, int16_t(name.size()));
        appendInt32(out, int32_t(e.dosDateTime));
        appendInt16(out, int16_t(e.attributes));
        appendInt32(out, int32_t(e.data.size()));
        appendInt32(out, int32_t(stored.size()));
        out.append(char(e.method));
        appendInt32(out, int32_t(memberChecksum(e.data, lock, key)));
        appendInt32(out, lock ? kLockedFlag : 0);
        out.append(name);
        out.append(stored);
    }
    return out;
}

uint32_t toDosDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const uint32_t date = uint32_t(((year - 1980) & 0x7F) << 9 | (month & 0x0F) << 5 | (day & 0x1F));
    const uint32_t time = uint32_t((hour & 0x1F) << 11 | (minute & 0x3F) << 5 | ((second / 2) & 0x1F));
    return date << 16 | time;
}

} // namespace archive
