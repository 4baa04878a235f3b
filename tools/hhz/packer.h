// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tcompress.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

namespace archive {

// One file to be stored in an archive.
struct PackEntry {
    QString name;          // member name, no folder
    QByteArray data;       // the expanded bytes
    uint8_t method = 4;    // 0 stored, 1 run-length, 2 LZHUF, 4 lh5
    bool locked = false;   // combined with the key; its checksum includes the key
    uint32_t dosDateTime = 0;
    uint16_t attributes = kDosAttrArchive;
};

// Method number of a name ("store", "rle", "lzhuf", "lh5"), or -1.
int methodFromName(const QString &name);
QString methodName(int method);

// Compresses the data of one member by its method.
QByteArray compressMember(const QByteArray &data, int method);

// The whole archive file for these members, in order. The header's method field names
// `archiveMethod`; a locked member needs a non-zero key.
QByteArray buildArchive(const QList<PackEntry> &entries, uint32_t key, int archiveMethod);

// Packed DOS date and time of a moment (seconds rounded down to even).
uint32_t toDosDateTime(int year, int month, int day, int hour, int minute, int second);

} // namespace archive
