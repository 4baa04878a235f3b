// SPDX-License-Identifier: GPL-3.0-or-later
#include "ansi.h"

#include <array>

namespace platform {
namespace {

// Bytes 0x80..0x9F; the rest of the set equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar ansiToChar(uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(byte);
}

QString fromAnsi(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char b : bytes)
        *out++ = ansiToChar(uint8_t(b));
    return text;
}

int charToAnsi(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == u)
            return int(0x80 + i);
    return -1;
}

QByteArray toAnsi(const QString &text, bool *changed)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool lost = false;
    for (const QChar c : text) {
        const int b = charToAnsi(c);
        if (b < 0) {
            lost = true;
            bytes.append('?');
        } else {
            bytes.append(char(b));
        }
    }
    if (changed)
        *changed = lost;
    return bytes;
}

} // namespace platform
