// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

// One generated file: its bytes as they go into the archive, plus a picture that stands for it on
// the review sheet (the picture itself for images, a drawn waveform for the sound).
struct ArtItem {
    QString name;
    QByteArray bytes;
    QImage preview;
    QString group;
};

// Everything artgen makes, in the order it was made. Writers add through the typed helpers so that
// every format goes through our own deterministic encoders.
class ArtSet
{
  public:
    // Windows bitmap, 24-bit, no alpha: the program and the page viewer read these by name.
    void addBmp(const QString &name, const QImage &image, const QString &group);
    // PNG with alpha, for the program's own resources (cursor, splash, tool glyphs).
    void addPng(const QString &name, const QImage &image, const QString &group);
    void addJpeg(const QString &name, const QImage &image, const QString &group);
    void addRaw(const QString &name, const QByteArray &bytes, const QImage &preview, const QString &group);

    const std::vector<ArtItem> &items() const { return m_items; }
    const ArtItem *find(const QString &name) const;

  private:
    std::vector<ArtItem> m_items;
};
