// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace archive {

// Errors of the archive component. Each carries the message the user sees.
class ECompressError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EInvalidHeader : public ECompressError {
public:
    EInvalidHeader() : ECompressError("Can't recognize compressed file header") {}
};
class EInvalidHeaderArchiveType : public ECompressError {
public:
    EInvalidHeaderArchiveType() : ECompressError("Archive type must be caMulti") {}
};
class EUnrecognizedCompressionMethod : public ECompressError {
public:
    explicit EUnrecognizedCompressionMethod(const QByteArray &id)
        : ECompressError("Unrecognized compression method: \"" + id.toStdString() + "\" in header")
    {
    }
};
class EInvalidKey : public ECompressError {
public:
    EInvalidKey() : ECompressError("File locked -- valid key required") {}
};
class EBadChecksum : public ECompressError {
public:
    EBadChecksum() : ECompressError("Bad checksum during expansion -- data may be invalid") {}
};
class ELZHBadDecodeTable : public ECompressError {
public:
    ELZHBadDecodeTable() : ECompressError("Bad decode table in archive!") {}
};
// The archive file itself cannot be opened.
class EFOpenError : public ECompressError {
public:
    using ECompressError::ECompressError;
};
// A member would be written outside the target folder (an absolute name or one with "..").
class EUnsafeMemberName : public ECompressError {
public:
    explicit EUnsafeMemberName(const QString &name)
        : ECompressError("The archive member \"" + name.toStdString() +
                         "\" would be written outside the target folder; it was not expanded.")
    {
    }
};

// One member header as stored.
struct MemberInfo {
    QString name;
    uint32_t dosDateTime = 0;
    uint16_t attributes = 0;
    int32_t expandedSize = 0;
    int32_t storedSize = 0;
    uint8_t method = 0;
    uint32_t checksum = 0;
    int32_t lockFlag = 0;
    bool locked() const { return lockFlag != 0; }
};

// Layout constants of the archive file.
inline constexpr int kArchiveHeaderSize = 21;
inline constexpr int kMemberHeaderSize = 25;
inline constexpr char kArchiveMagic[] = "SPIS\x1a";
inline constexpr int kArchiveTypeMulti = 1;
inline constexpr int32_t kLockedFlag = 2;
inline constexpr int kDosAttrReadOnly = 0x01;
inline constexpr int kDosAttrArchive = 0x20;

// The expanding half of the archive component: finds members by name (ASCII case-insensitive)
// and expands them into a stream or into files. The archive is opened and closed for every call.
class TCompress {
public:
    bool MakeDirectories = false;       // folder parts of member names are not created
    bool ExceptionOnFileError = false;  // a target that cannot be created is skipped
    bool CheckSpaceBeforeExpand = false;
    uint32_t Key = 0;                   // key of locked members
    QString TargetPath;                 // folder of folder expansions

    // Appends every member named `member` to `stream`; a missing member leaves it untouched.
    void expandToStream(const QString &archiveName, QIODevice &stream, const QString &member) const;

    // Expands each listed member into TargetPath; on return the list holds the paths written,
    // in archive order.
    void expandToFolder(const QString &archiveName, QStringList &names);

    // The path of the written file, or empty when nothing was written.
    QString expandOneToFolder(const QString &member, const QString &archiveName);

    // Every member header, in archive order, without expanding anything.
    QList<MemberInfo> members(const QString &archiveName) const;

private:
    void walk(const QString &archiveName, const std::function<void(QIODevice &, const MemberInfo &)> &visit) const;
};

// Reads the archive header and calls `visit` for every member header, with the device at the
// member's stored data; whatever `visit` reads, the walk goes on after the stored size.
void walkMembers(QIODevice &archive, const std::function<void(QIODevice &, const MemberInfo &)> &visit);

// Expands one member's stored data (at the device's position) into `out`, checking lock and sum.
// Throws the archive errors above.
void expandMember(QIODevice &archive, const MemberInfo &info, uint32_t key, QIODevice &out);

// The checksum a member of these bytes carries; locked members add the key.
uint32_t memberChecksum(const QByteArray &bytes, bool locked, uint32_t key);

// Combines stored bytes with the key, least significant byte first, starting at key byte `phase`.
void applyKey(uint8_t *data, size_t size, uint32_t key, size_t phase);

} // namespace archive
