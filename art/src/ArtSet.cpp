// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtSet.h"

#include "Encoders.h"

#include <stdexcept>

namespace
{

void checkUnique(const std::vector<ArtItem> &items, const QString &name)
{
    // The archive compares member names without case, so two names that differ only in case
    // would shadow each other there.
    for (const ArtItem &item : items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            throw std::runtime_error("duplicate art name: " + name.toStdString());
    }
}

} // namespace

void ArtSet::addBmp(const QString &name, const QImage &image, const QString &group)
{
    checkUnique(m_items, name);
    m_items.push_back({name, encodeBmp24(image), image.convertToFormat(QImage::Format_RGB32), group});
}

void ArtSet::addPng(const QString &name, const QImage &image, const QString &group)
{
    checkUnique(m_items, name);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    m_items.push_back({name, encodePngRgba(argb), argb, group});
}

void ArtSet::addJpeg(const QString &name, const QImage &image, const QString &group)
{
    checkUnique(m_items, name);
    m_items.push_back({name, encodeJpeg(image, 85), image.convertToFormat(QImage::Format_RGB32), group});
}

void ArtSet::addRaw(const QString &name, const QByteArray &bytes, const QImage &preview, const QString &group)
{
    checkUnique(m_items, name);
    m_items.push_back({name, bytes, preview, group});
}

const ArtItem *ArtSet::find(const QString &name) const
{
    for (const ArtItem &item : m_items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}
