// SPDX-License-Identifier: GPL-3.0-or-later
#include "consultation.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace ching {

void ConsultationState::setLines(const LineBits &primary, const LineBits &second)
{
    primaryLines = primary;
    secondLines = second;
    hasMovingLines = primary != second;
}

bool mutalinea(const ConsultationState &state, int line, bool oraclePaneVisible)
{
    if (line < 1 || line > 6)
        return false;
    return state.hasMovingLines && state.markMovingLines && oraclePaneVisible &&
           state.primaryLines[line - 1] != state.secondLines[line - 1];
}

QString reg(int line, int hexagram)
{
    const char mark = (line >= 1 && line <= 6) ? rulerMarks(hexagram)[line - 1] : '-';
    if (mark == '-' || mark == '\0')
        return {};
    return mark == 'G' ? QStringLiteral("<img src=\"RE.bmp\" transp>") : QStringLiteral("<img src=\"CU.bmp\" transp>");
}

CoinFlip clockCoin()
{
    return [] {
        QRandomGenerator generator(quint32(QDateTime::currentMSecsSinceEpoch()));
        return generator.bounded(2) == 1;
    };
}

QString aleato(ConsultationState &state, int line, const CoinFlip &coin)
{
    if (line == 6)
        state.lineImageFlip = coin() ? 1 : 0;
    return QString::number(state.lineImageFlip == 1 ? 7 - line : line);
}

QString linhex(ConsultationState &state, int line, int hexagram, const CoinFlip &coin)
{
    const QString variant = aleato(state, line, coin);
    const bool yang = line >= 1 && line <= 6 && hexPattern(hexagram)[line - 1] == 1;
    return QStringLiteral("<a href=\"#") + QString::number(line) + QStringLiteral("\"><img src=\"") +
           (yang ? QStringLiteral("YANG") : QStringLiteral("YIN")) + variant +
           QStringLiteral(".bmp\" border=0 transp></a><br>");
}

QString nombreH(const ConsultationState &state)
{
    const QStringList &titles = titulos();
    const int page = state.currentPage;
    return QStringLiteral("      ") + (page >= 0 && page < titles.size() ? titles[page] : QString());
}

} // namespace ching
