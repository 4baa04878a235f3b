// SPDX-License-Identifier: GPL-3.0-or-later
#include "dataarchive.h"

#include "ansi.h"

#include <QBuffer>

namespace archive {

DataArchive::DataArchive(const TCompress &compress, QString archiveName)
    : m_compress(compress), m_archiveName(std::move(archiveName))
{
}

QByteArray DataArchive::member(const QString &name) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    m_compress.expandToStream(m_archiveName, buffer, name);
    return bytes;
}

QStringList DataArchive::memberLines(const QString &name) const
{
    return splitLines(platform::fromAnsi(member(name)));
}

QImage DataArchive::memberBitmap(const QString &name) const
{
    QImage image;
    if (!image.loadFromData(member(name), "BMP"))
        throw EInvalidGraphic();
    return image;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

} // namespace archive
