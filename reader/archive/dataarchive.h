// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tcompress.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>

namespace archive {

// The bytes of a member are not a picture the program can show.
class EInvalidGraphic : public std::runtime_error {
public:
    EInvalidGraphic() : std::runtime_error("Bitmap image is not valid") {}
};

// The program's view of DATA1.HHZ: a member as bytes, as text lines or as a bitmap.
class DataArchive {
public:
    explicit DataArchive(const TCompress &compress, QString archiveName = QStringLiteral("DATA1.HHZ"));

    // Every member of that name, appended; empty when there is none.
    QByteArray member(const QString &name) const;
    // The member's text (Windows ANSI) split at CR LF, CR or LF.
    QStringList memberLines(const QString &name) const;
    // The member decoded as a Windows bitmap; throws EInvalidGraphic when it is none.
    QImage memberBitmap(const QString &name) const;

    const QString &archiveName() const { return m_archiveName; }

private:
    const TCompress &m_compress;
    QString m_archiveName;
};

// Splits text into lines at CR LF, CR or LF; a final line break does not start another line.
QStringList splitLines(const QString &text);

} // namespace archive
