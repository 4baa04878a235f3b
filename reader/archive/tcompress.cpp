// SPDX-License-Identifier: GPL-3.0-or-later
#include "tcompress.h"

#include "methods.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <array>
#include <cstring>

namespace archive {
namespace {

constexpr qint64 kBlockSize = 8192; // stored data is read, and output written, in blocks of this size
constexpr std::array<const char *, 5> kArchiveMethodIds = {"NON", "RLE", "LZH", "CUS", "LH5"};

int32_t int32At(const char *p) { return qFromLittleEndian<qint32>(p); }
int16_t int16At(const char *p) { return qFromLittleEndian<qint16>(p); }

// Stored bytes of one member from the archive file, unlocked on the way when needed.
class MemberSource : public ByteSource {
public:
    MemberSource(QIODevice &device, qint64 storedSize, bool unlock, uint32_t key)
        : m_device(device), m_remaining(storedSize), m_unlock(unlock), m_key(key)
    {
    }

    size_t read(uint8_t *buf, size_t max) override
    {
        const qint64 want = std::min<qint64>({qint64(max), m_remaining, kBlockSize});
        if (want <= 0)
            return 0;
        const qint64 got = m_device.read(reinterpret_cast<char *>(buf), want);
        if (got <= 0) {
            m_remaining = 0;
            return 0;
        }
        m_remaining -= got;
        if (m_unlock)
            applyKey(buf, size_t(got), m_key, m_phase);
        m_phase += size_t(got);
        return size_t(got);
    }

private:
    QIODevice &m_device;
    qint64 m_remaining;
    bool m_unlock;
    uint32_t m_key;
    size_t m_phase = 0;
};

// Passes expanded bytes on and keeps their sum.
class SummingSink : public ByteSink {
public:
    explicit SummingSink(QIODevice &out) : m_out(out) {}

    void write(const uint8_t *data, size_t len) override
    {
        for (size_t i = 0; i < len; ++i)
            sum += data[i];
        if (m_out.write(reinterpret_cast<const char *>(data), qint64(len)) != qint64(len))
            throw ECompressError("Cannot write the expanded data: " + m_out.errorString().toStdString());
    }

    uint32_t sum = 0;

private:
    QIODevice &m_out;
};

bool sameName(const QString &a, const QString &b)
{
    // ASCII letters only, as member names are compared.
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= 'A' && x <= 'Z')
            x += 32;
        if (y >= 'A' && y <= 'Z')
            y += 32;
        if (x != y)
            return false;
    }
    return true;
}

// The member's path below the target folder, refusing names that would leave it.
QString safeRelativePath(const QString &memberName)
{
    QString path = memberName;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool absolute = path.startsWith(QLatin1Char('/')) || (path.size() >= 2 && path[1] == QLatin1Char(':'));
    const QStringList parts = path.split(QLatin1Char('/'));
    if (absolute || path.isEmpty() || parts.contains(QStringLiteral("..")) || path.endsWith(QLatin1Char('/')))
        throw EUnsafeMemberName(memberName);
    return path;
}

QDateTime fromDosDateTime(uint32_t dos)
{
    const int day = int((dos >> 16) & 0x1F), month = int((dos >> 21) & 0x0F), year = 1980 + int(dos >> 25);
    const int second = int(dos & 0x1F) * 2, minute = int((dos >> 5) & 0x3F), hour = int((dos >> 11) & 0x1F);
    const QDateTime when(QDate(year, month, day), QTime(hour, minute, second));
    return when.isValid() ? when : QDateTime();
}

void applyStoredDateAndAttributes(const QString &path, const MemberInfo &info)
{
    const QDateTime when = fromDosDateTime(info.dosDateTime);
    if (when.isValid()) {
        QFile file(path);
        if (file.open(QIODevice::Append))
            file.setFileTime(when, QFileDevice::FileModificationTime);
    }
    if (info.attributes & kDosAttrReadOnly) {
        QFile::setPermissions(path, QFile::permissions(path) &
                                        ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
    }
}

// An existing target without write permission is left alone, whoever runs the program.
bool targetRefusesWriting(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !(info.permissions() & QFile::WriteOwner);
}

} // namespace

void applyKey(uint8_t *data, size_t size, uint32_t key, size_t phase)
{
    for (size_t i = 0; i < size; ++i)
        data[i] ^= uint8_t(key >> (8 * ((phase + i) % 4)));
}

uint32_t memberChecksum(const QByteArray &bytes, bool locked, uint32_t key)
{
    uint32_t sum = 0;
    for (const char b : bytes)
        sum += uint8_t(b);
    return locked ? sum + key : sum;
}

void expandMember(QIODevice &archive, const MemberInfo &info, uint32_t key, QIODevice &out)
{
    if (info.locked() && info.method != Stored && key == 0)
        throw EInvalidKey();

    if (info.method == Stored) {
        std::array<char, kBlockSize> block;
        qint64 remaining = info.storedSize;
        while (remaining > 0) {
            const qint64 got = archive.read(block.data(), std::min<qint64>(remaining, kBlockSize));
            if (got <= 0)
                throw EBadChecksum(); // the archive ends inside the member
            if (out.write(block.data(), got) != got)
                throw ECompressError("Cannot write the expanded data: " + out.errorString().toStdString());
            remaining -= got;
        }
        return;
    }

    MemberSource source(archive, info.storedSize, info.lockFlag == kLockedFlag && key != 0, key);
    SummingSink sink(out);
    if (auto decoder = makeDecoder(info.method)) {
        try {
            decoder->decode(source, sink, uint64_t(info.expandedSize));
        } catch (const BadDecodeTable &) {
            if (info.locked())
                throw EInvalidKey();
            throw ELZHBadDecodeTable();
        } catch (const TruncatedData &) {
            if (info.locked())
                throw EInvalidKey();
            throw EBadChecksum();
        }
    }
    if (info.locked()) {
        if (info.checksum != key + sink.sum)
            throw EInvalidKey();
    } else if (info.checksum != sink.sum) {
        throw EBadChecksum();
    }
}

void walkMembers(QIODevice &file, const std::function<void(QIODevice &, const MemberInfo &)> &visit)
{
    qint64 totalExpanded = 0; // a file too short for a header holds no members
    if (file.size() > kArchiveHeaderSize - 1) {
        char header[kArchiveHeaderSize];
        if (file.read(header, kArchiveHeaderSize) != kArchiveHeaderSize ||
            std::memcmp(header, kArchiveMagic, 5) != 0)
            throw EInvalidHeader();
        if (header[12] != kArchiveTypeMulti)
            throw EInvalidHeaderArchiveType();
        const QByteArray methodId(header + 5, 3);
        if (std::none_of(kArchiveMethodIds.begin(), kArchiveMethodIds.end(),
                         [&](const char *id) { return methodId == id; }))
            throw EUnrecognizedCompressionMethod(methodId);
        totalExpanded = int32At(header + 8);
    }

    qint64 running = 0;
    while (running < totalExpanded) {
        char raw[kMemberHeaderSize];
        if (file.read(raw, kMemberHeaderSize) != kMemberHeaderSize)
            break;
        const int nameLength = int16At(raw);
        if (nameLength < 0)
            break;
        const QByteArray name = file.read(nameLength);
        if (name.size() != nameLength)
            break;
        MemberInfo info;
        info.name = QString::fromLatin1(name);
        info.dosDateTime = uint32_t(int32At(raw + 2));
        info.attributes = uint16_t(int16At(raw + 6));
        info.expandedSize = int32At(raw + 8);
        info.storedSize = int32At(raw + 12);
        info.method = uint8_t(raw[16]);
        info.checksum = uint32_t(int32At(raw + 17));
        info.lockFlag = int32At(raw + 21);
        // Negative sizes would step backwards through the file or never reach the total.
        if (info.expandedSize < 0 || info.storedSize < 0)
            throw EInvalidHeader();
        const qint64 dataStart = file.pos();
        visit(file, info);
        // Stored data that runs past the end of the file leaves no room for another member.
        if (dataStart + info.storedSize >= file.size() || !file.seek(dataStart + info.storedSize))
            break;
        running += info.expandedSize;
    }
}

void TCompress::walk(const QString &archiveName,
                     const std::function<void(QIODevice &, const MemberInfo &)> &visit) const
{
    QFile file(archiveName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError("Cannot open file \"" + archiveName.toStdString() + "\". " +
                          file.errorString().toStdString());
    walkMembers(file, visit);
}

void TCompress::expandToStream(const QString &archiveName, QIODevice &stream, const QString &member) const
{
    walk(archiveName, [&](QIODevice &file, const MemberInfo &info) {
        if (sameName(info.name, member))
            expandMember(file, info, Key, stream);
    });
}

void TCompress::expandToFolder(const QString &archiveName, QStringList &names)
{
    // An unset target means the current folder, never the root of the file system.
    QString target = TargetPath.isEmpty() ? QDir::currentPath() : TargetPath;
    if (!target.endsWith(QLatin1Char('/')))
        target += QLatin1Char('/');
    const QStringList wanted = names;
    QStringList written;
    walk(archiveName, [&](QIODevice &file, const MemberInfo &info) {
        if (std::none_of(wanted.begin(), wanted.end(), [&](const QString &w) { return sameName(w, info.name); }))
            return;
        const QString path = target + safeRelativePath(info.name);
        if (MakeDirectories)
            QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile out(path);
        out.setDirectWriteFallback(false);
        if (targetRefusesWriting(path) || !out.open(QIODevice::WriteOnly)) {
            if (ExceptionOnFileError)
                throw ECompressError("Cannot create file \"" + path.toStdString() + "\".");
            return;
        }
        try {
            expandMember(file, info, Key, out);
        } catch (...) {
            out.cancelWriting(); // nothing half-expanded is left behind
            throw;
        }
        if (!out.commit()) {
            if (ExceptionOnFileError)
                throw ECompressError("Cannot create file \"" + path.toStdString() + "\".");
            return;
        }
        applyStoredDateAndAttributes(path, info);
        written << QFileInfo(path).absoluteFilePath();
    });
    names = written;
}

QString TCompress::expandOneToFolder(const QString &member, const QString &archiveName)
{
    QStringList names{member};
    expandToFolder(archiveName, names);
    return names.isEmpty() ? QString() : names.first();
}

QList<MemberInfo> TCompress::members(const QString &archiveName) const
{
    QList<MemberInfo> list;
    walk(archiveName, [&](QIODevice &, const MemberInfo &info) { list << info; });
    return list;
}

} // namespace archive
