// SPDX-License-Identifier: GPL-3.0-or-later
#include "Encoders.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace
{

void putU16(QByteArray &out, uint32_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void putU32(QByteArray &out, uint32_t v)
{
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

void putU32BigEndian(QByteArray &out, uint32_t v)
{
    out.append(char((v >> 24) & 0xFF));
    out.append(char((v >> 16) & 0xFF));
    out.append(char((v >> 8) & 0xFF));
    out.append(char(v & 0xFF));
}

const std::array<uint32_t, 256> &crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t crc32Of(const QByteArray &data)
{
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : data)
        c = crcTable()[(c ^ uint8_t(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putPngChunk(QByteArray &out, const char *type, const QByteArray &payload)
{
    putU32BigEndian(out, uint32_t(payload.size()));
    QByteArray typed(type, 4);
    typed.append(payload);
    out.append(typed);
    putU32BigEndian(out, crc32Of(typed));
}

} // namespace

QByteArray encodeBmp24(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    const int h = rgb.height();
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t pixelBytes = uint32_t(rowBytes) * uint32_t(h);

    QByteArray out;
    out.reserve(int(54 + pixelBytes));
    out.append("BM");
    putU32(out, 54 + pixelBytes);
    putU32(out, 0);
    putU32(out, 54);
    putU32(out, 40);
    putU32(out, uint32_t(w));
    putU32(out, uint32_t(h));
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0); // BI_RGB
    putU32(out, pixelBytes);
    putU32(out, 2835); // 72 dpi
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        for (int pad = w * 3; pad < rowBytes; ++pad)
            out.append('\0');
    }
    return out;
}

QByteArray encodePngRgba(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width();
    const int h = argb.height();

    QByteArray raw;
    raw.reserve(h * (1 + w * 4));
    for (int y = 0; y < h; ++y) {
        raw.append('\0'); // filter: none
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            raw.append(char(qRed(line[x])));
            raw.append(char(qGreen(line[x])));
            raw.append(char(qBlue(line[x])));
            raw.append(char(qAlpha(line[x])));
        }
    }

    QByteArray zlib;
    zlib.append(char(0x78));
    zlib.append(char(0x01));
    qsizetype pos = 0;
    do {
        const qsizetype len = std::min<qsizetype>(65535, raw.size() - pos);
        const bool last = pos + len >= raw.size();
        zlib.append(char(last ? 1 : 0));
        putU16(zlib, uint32_t(len));
        putU16(zlib, uint32_t(~len & 0xFFFF));
        zlib.append(raw.constData() + pos, len);
        pos += len;
    } while (pos < raw.size());
    uint32_t a = 1;
    uint32_t b = 0;
    for (char ch : raw) {
        a = (a + uint8_t(ch)) % 65521u;
        b = (b + a) % 65521u;
    }
    putU32BigEndian(zlib, (b << 16) | a);

    QByteArray ihdr;
    putU32BigEndian(ihdr, uint32_t(w));
    putU32BigEndian(ihdr, uint32_t(h));
    ihdr.append(char(8)); // bit depth
    ihdr.append(char(6)); // RGBA
    ihdr.append(char(0));
    ihdr.append(char(0));
    ihdr.append(char(0));

    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    putPngChunk(out, "IHDR", ihdr);
    putPngChunk(out, "IDAT", zlib);
    putPngChunk(out, "IEND", QByteArray());
    return out;
}

QByteArray encodeJpeg(const QImage &image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);

    unsigned char *buffer = nullptr;
    unsigned long bufferSize = 0;
    jpeg_mem_dest(&cinfo, &buffer, &bufferSize);

    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // The integer DCT gives the same coefficients whichever SIMD path the library takes.
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.optimize_coding = FALSE;
    cinfo.write_JFIF_header = TRUE;
    cinfo.density_unit = 1;
    cinfo.X_density = 72;
    cinfo.Y_density = 72;

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);

    QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(bufferSize));
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

QByteArray encodeWavMono16(const std::vector<int16_t> &samples, int sampleRate)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    QByteArray out;
    out.append("RIFF");
    putU32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    putU32(out, 16);
    putU16(out, 1); // PCM
    putU16(out, 1); // mono
    putU32(out, uint32_t(sampleRate));
    putU32(out, uint32_t(sampleRate * 2));
    putU16(out, 2);
    putU16(out, 16);
    out.append("data");
    putU32(out, dataBytes);
    for (int16_t s : samples)
        putU16(out, uint16_t(s));
    return out;
}
