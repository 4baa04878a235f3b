// SPDX-License-Identifier: GPL-3.0-or-later
#include "consultation.h"
#include "hexagrams.h"
#include "sortes.h"

#include <QRegularExpression>
#include <QtTest>

#include <set>

using namespace ching;

namespace {

LineBits bits(const char *pattern)
{
    LineBits lines{};
    for (int i = 0; i < 6; ++i)
        lines[i] = uint8_t(pattern[i] - '0');
    return lines;
}

CoinFlip fixedCoin(bool value)
{
    return [value] { return value; };
}

} // namespace

class TstHexagrams : public QObject {
    Q_OBJECT
private slots:
    void everyPatternOnceAndLooksUpItsOwnNumber()
    {
        std::set<LineBits> seen;
        for (int n = 1; n <= kHexagramCount; ++n) {
            QCOMPARE(hexagramNumber(hexPattern(n)), n);
            seen.insert(hexPattern(n));
            QCOMPARE(int(strlen(rulerMarks(n))), 6);
        }
        QCOMPARE(int(seen.size()), 64);
    }

    void lookup_data()
    {
        QTest::addColumn<QByteArray>("lines"); // six raw bytes, line 1 first
        QTest::addColumn<int>("number");
        QTest::newRow("six yang") << QByteArray(6, '\1') << 1;
        QTest::newRow("six yin") << QByteArray(6, '\0') << 2;
        QTest::newRow("bottom yang only") << QByteArray("\1\0\0\0\0\0", 6) << 24;
        QTest::newRow("top yang only") << QByteArray("\0\0\0\0\0\1", 6) << 23;
        QTest::newRow("hexagram 3") << QByteArray("\1\0\0\0\1\0", 6) << 3;
        QTest::newRow("digit characters are not line bits") << QByteArray("111111") << kNoHexagram;
        QTest::newRow("a byte of 2") << QByteArray("\1\1\1\2\1\1", 6) << kNoHexagram;
    }
    void lookup()
    {
        QFETCH(QByteArray, lines);
        QFETCH(int, number);
        LineBits b{};
        std::copy(lines.begin(), lines.end(), b.begin());
        QCOMPARE(hexagramNumber(b), number);
    }

    void hexamutaIsAnInvolution()
    {
        for (int h = 1; h <= 64; ++h)
            for (int l = 1; l <= 6; ++l) {
                const int changed = ching::hexamuta(h, l);
                QVERIFY(changed >= 1 && changed <= 64);
                QVERIFY(changed != h);
                QCOMPARE(ching::hexamuta(changed, l), h);
            }
    }

    void hexamuta_data()
    {
        QTest::addColumn<int>("hexagram");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("result");
        QTest::newRow("1/1") << 1 << 1 << 44;
        QTest::newRow("1/6") << 1 << 6 << 43;
        QTest::newRow("1/3") << 1 << 3 << 10;
        QTest::newRow("2/1") << 2 << 1 << 24;
        QTest::newRow("11/6") << 11 << 6 << 26;
        QTest::newRow("64/1") << 64 << 1 << 38;
    }
    void hexamuta()
    {
        QFETCH(int, hexagram);
        QFETCH(int, line);
        QFETCH(int, result);
        QCOMPARE(ching::hexamuta(hexagram, line), result);
    }

    void titles()
    {
        const QStringList &t = titulos();
        QCOMPARE(t.size(), 67);
        QCOMPARE(t[0], QStringLiteral("Introduction"));
        QCOMPARE(t[1], QStringLiteral(" 1. Ch'ien / The Creative"));
        QCOMPARE(t[4], QStringLiteral(" 4. M\u00eang / Youthful Folly"));
        QCOMPARE(t[5], QStringLiteral(" 5. Hs\u00fc / Waiting"));
        QCOMPARE(t[64], QStringLiteral("64. Wei Chi / Before Completion"));
        QCOMPARE(t[65], QStringLiteral("Trigram's Table"));
        QCOMPARE(t[66], QStringLiteral("Appendixes"));
        const QRegularExpression form(QStringLiteral("^[ 1-6][0-9]\\. .+ / .+$"));
        for (int n = 1; n <= 64; ++n) {
            QVERIFY2(form.match(t[n]).hasMatch(), qPrintable(t[n]));
            QCOMPARE(t[n].left(2).trimmed().toInt(), n);
        }
    }

    void pageFragments()
    {
        QCOMPARE(reg(5, 1), QStringLiteral("<img src=\"RE.bmp\" transp>"));
        QCOMPARE(reg(4, 9), QStringLiteral("<img src=\"CU.bmp\" transp>"));
        QCOMPARE(reg(1, 1), QString());
        QCOMPARE(numToNom(9), QStringLiteral("09.txt"));
        QCOMPARE(numToNom(10), QStringLiteral("10.txt"));
        QCOMPARE(numToNom(64), QStringLiteral("64.txt"));
        QCOMPARE(QString::fromLatin1(lineSuffix(1)), QStringLiteral(" at the beginning means:</I><p>"));
        QCOMPARE(QString::fromLatin1(lineSuffix(6)), QStringLiteral(" at the top means:</I><p>"));
    }

    void linePicturesFollowThePagesFlip()
    {
        ConsultationState s;
        // Line 6 is asked first and draws the flip that the rest of the page keeps.
        QCOMPARE(aleato(s, 6, fixedCoin(true)), QStringLiteral("1"));
        QCOMPARE(linhex(s, 1, 2, fixedCoin(false)),
                 QStringLiteral("<a href=\"#1\"><img src=\"YIN6.bmp\" border=0 transp></a><br>"));
        QCOMPARE(aleato(s, 6, fixedCoin(false)), QStringLiteral("6"));
        QCOMPARE(linhex(s, 1, 2, fixedCoin(true)),
                 QStringLiteral("<a href=\"#1\"><img src=\"YIN1.bmp\" border=0 transp></a><br>"));
        QCOMPARE(linhex(s, 3, 1, fixedCoin(true)),
                 QStringLiteral("<a href=\"#3\"><img src=\"YANG3.bmp\" border=0 transp></a><br>"));
    }

    void mutalineaNeedsEveryCondition_data()
    {
        QTest::addColumn<bool>("marking");
        QTest::addColumn<bool>("paneVisible");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("marked");
        QTest::newRow("moving line shown") << true << true << 2 << true;
        QTest::newRow("line that does not move") << true << true << 1 << false;
        QTest::newRow("oracle pane hidden") << true << false << 2 << false;
        QTest::newRow("page is not the consultation's") << false << true << 2 << false;
    }
    void mutalineaNeedsEveryCondition()
    {
        QFETCH(bool, marking);
        QFETCH(bool, paneVisible);
        QFETCH(int, line);
        QFETCH(bool, marked);
        ConsultationState s;
        s.setLines(bits("100010"), bits("110010"));
        s.markMovingLines = marking;
        QVERIFY(s.hasMovingLines);
        QCOMPARE(mutalinea(s, line, paneVisible), marked);
        s.setLines(bits("100010"), bits("100010"));
        QVERIFY(!mutalinea(s, line, paneVisible));
    }

    void statusTitle()
    {
        ConsultationState s;
        QCOMPARE(nombreH(s), QStringLiteral("      Introduction"));
        s.currentPage = 29;
        QCOMPARE(nombreH(s), QStringLiteral("      29. K'an / The Abysmal"));
    }

    void lineCastingLibrary_data()
    {
        QTest::addColumn<int>("sum");
        QTest::addColumn<int>("primary");
        QTest::addColumn<int>("second");
        QTest::newRow("6 old yin") << 6 << 0 << 1;
        QTest::newRow("7 young yang") << 7 << 1 << 1;
        QTest::newRow("8 young yin") << 8 << 0 << 0;
        QTest::newRow("9 old yang") << 9 << 1 << 0;
    }
    void lineCastingLibrary()
    {
        QFETCH(int, sum);
        QFETCH(int, primary);
        QFETCH(int, second);
        QCOMPARE(int(sortes_line(1, uint8_t(sum))), primary);
        QCOMPARE(int(sortes_line(2, uint8_t(sum))), second);
    }
};

QTEST_APPLESS_MAIN(TstHexagrams)
#include "tst_hexagrams.moc"
