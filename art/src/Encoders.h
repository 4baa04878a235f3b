// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

// Our own writers, so that the bytes depend on nothing but the pixels: no time stamps, no screen
// resolution, no library version that might pick other compression choices.

// 24-bit bottom-up BI_RGB bitmap at 72 dpi. Alpha is dropped.
QByteArray encodeBmp24(const QImage &image);

// 8-bit RGBA PNG whose zlib stream uses stored blocks only: larger than a compressed one, but the
// same on every machine whatever zlib is installed.
QByteArray encodePngRgba(const QImage &image);

// Baseline JPEG through libjpeg's compression interface, integer DCT, standard Huffman tables.
QByteArray encodeJpeg(const QImage &image, int quality);

// RIFF WAVE, PCM 16-bit little-endian, one channel.
QByteArray encodeWavMono16(const std::vector<int16_t> &samples, int sampleRate);
