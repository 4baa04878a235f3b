// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The Windows ANSI character set (Windows-1252). The five bytes that set leaves undefined map
// to the C1 control of the same number, as Windows itself does, so every byte round-trips.
QString fromAnsi(const QByteArray &bytes);
QChar ansiToChar(uint8_t byte);

// The ANSI byte of a character, or -1 when the set lacks it.
int charToAnsi(QChar c);

// Converts text to ANSI bytes; a character the set lacks becomes "?" and *changed is set.
QByteArray toAnsi(const QString &text, bool *changed = nullptr);

} // namespace platform
