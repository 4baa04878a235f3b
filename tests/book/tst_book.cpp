// SPDX-License-Identifier: GPL-3.0-or-later
// The built DATA1.HHZ: every member the program asks for is there, every text is well formed
// and every picture or page a page names can be had.
#include "dataarchive.h"
#include "hexagrams.h"
#include "methods.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

using namespace archive;

namespace {

const QString kArchive = QStringLiteral(CHING_DIST_DIR "/DATA1.HHZ");

QStringList memberNames()
{
    QStringList names;
    TCompress compress;
    for (const MemberInfo &m : compress.members(kArchive))
        names << m.name.toLower();
    return names;
}

QStringList lines(const QString &member)
{
    TCompress compress;
    compress.Key = CHING_ARCHIVE_KEY;
    return DataArchive(compress, kArchive).memberLines(member);
}

QStringList hexagramMembers()
{
    QStringList list;
    for (int n = 1; n <= 64; ++n)
        list << ching::numToNom(n);
    return list;
}

// Pictures the viewer takes from the skin folder rather than the archive.
const QStringList kSkinPictures = {"back1.bmp", "back2.bmp", "introback.bmp", "line1.bmp"};

} // namespace

class TstBook : public QObject {
    Q_OBJECT
private slots:
    void everyMemberTheProgramAsksForIsPresent()
    {
        const QStringList names = memberNames();
        QStringList wanted = hexagramMembers();
        wanted << "intro.htm" << "tritable.htm" << "appendix.htm" << "help.htm" << "about.htm" << "triana.htm"
               << "hexa.htm" << "re.bmp" << "cu.bmp" << "orachico.bmp" << "backleft.bmp" << "max.bmp" << "close.bmp"
               << "min.bmp" << "fondo1.bmp" << "coin.bmp" << "coin1.bmp" << "coin2.bmp" << "coin3.bmp"
               << "delete.exe" << "index.bmp" << "pref.bmp" << "oracle.bmp" << "help2.bmp" << "saveb.bmp"
               << "openb.bmp" << "display.bmp";
        for (int i = 1; i <= 6; ++i)
            wanted << QStringLiteral("yang%1.bmp").arg(i) << QStringLiteral("yin%1.bmp").arg(i);
        for (const char *skin : {"back.bmp", "okcancel.bmp", "bottom.bmp", "button.bmp", "back1.bmp", "line1.bmp",
                                 "stalk.bmp", "backleft.bmp", "back2.bmp"})
            wanted << skin;
        for (const char *variant : {"back.bmp", "okcancel.bmp", "bottom.bmp"})
            wanted << QStringLiteral("_") + variant << QStringLiteral("__") + variant;
        for (const QString &w : wanted)
            QVERIFY2(names.contains(w), qPrintable(w + " is missing"));
        QCOMPARE(std::set<QString>(names.begin(), names.end()).size(), size_t(names.size())); // no doubles
    }

    void everyMethodAndTheLockAreInUse()
    {
        TCompress compress;
        std::set<int> methods;
        for (const MemberInfo &m : compress.members(kArchive)) {
            methods.insert(m.method);
            if (QRegularExpression("^\\d\\d\\.txt$").match(m.name).hasMatch())
                QVERIFY2(m.locked() && m.method != Stored, qPrintable(m.name));
        }
        QCOMPARE(methods, (std::set<int>{Stored, RunLength, Lzhuf, Lh5}));
        // Without the key the texts cannot be read.
        QVERIFY_THROWS_EXCEPTION(EInvalidKey, DataArchive(compress, kArchive).member("01.txt"));
    }

    void hexagramSourcesAreWellFormed_data()
    {
        QTest::addColumn<int>("number");
        for (int n = 1; n <= 64; ++n)
            QTest::newRow(qPrintable(ching::numToNom(n))) << n;
    }
    void hexagramSourcesAreWellFormed()
    {
        QFETCH(int, number);
        const QStringList text = lines(ching::numToNom(number));
        QVERIFY(text.size() > 20);
        QVERIFY(!text[0].trimmed().isEmpty() && !text[0].startsWith('#'));
        const qsizetype markers = std::count_if(text.begin() + 1, text.end(), [](const QString &l) { return l.startsWith('#'); });
        QCOMPARE(markers, number <= 2 ? 19 : 17);
        for (const QString &line : text) {
            if (line.startsWith('#'))
                QVERIFY2(line.size() <= 256, qPrintable(line)); // marker lines keep 255 characters
            const qsizetype aside = line.indexOf("<$>");
            if (aside >= 0)
                QVERIFY2(line.size() - aside - 3 <= 999, qPrintable(line));
        }
        if (number == 1)
            QVERIFY(text.join('\n').contains("<A NAME=\"_4\">"));
        if (number == 21)
            QVERIFY(text.join('\n').contains("<A NAME=\"_1\">"));
    }

    // Every link and picture in every page leads somewhere.
    void linksAndPicturesResolve()
    {
        const QStringList names = memberNames();
        QStringList pages = hexagramMembers();
        for (const QString &n : names)
            if (n.endsWith(".htm"))
                pages << n;
        const QRegularExpression picture("<img[^>]*\\bsrc=\"([^\"]+)\"", QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression link("<a[^>]*\\bhref=\"([^\"]*)\"", QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression hexagramLink("^(\\d\\d)@(\\d?)$");
        const QRegularExpression background("background=\"([^\"]+)\"", QRegularExpression::CaseInsensitiveOption);
        for (const QString &page : pages) {
            const QString html = lines(page).join('\n');
            QVERIFY2(!html.isEmpty(), qPrintable(page));
            std::set<QString> anchors;
            for (const auto &m : QRegularExpression("<a[^>]*\\bname=\"([^\"]+)\"", QRegularExpression::CaseInsensitiveOption).globalMatch(html))
                anchors.insert(m.captured(1).toLower());
            for (const QRegularExpression *re : {&picture, &background})
                for (const auto &m : re->globalMatch(html)) {
                    const QString src = m.captured(1).toLower();
                    QVERIFY2(kSkinPictures.contains(src) || names.contains(src), qPrintable(page + ": " + src));
                }
            for (const auto &m : link.globalMatch(html)) {
                const QString href = m.captured(1);
                if (href.startsWith("http") || href.startsWith("mailto:") || href == "#")
                    continue;
                if (const auto h = hexagramLink.match(href); h.hasMatch()) {
                    QVERIFY2(h.captured(1).toInt() >= 1 && h.captured(1).toInt() <= 64, qPrintable(page + ": " + href));
                } else if (href.startsWith('#')) {
                    QVERIFY2(anchors.count(href.mid(1).toLower()) || page.endsWith(".txt"), qPrintable(page + ": " + href));
                } else if (href.contains(".htm")) {
                    QVERIFY2(names.contains(href.section('#', 0, 0).toLower()), qPrintable(page + ": " + href));
                } else {
                    QVERIFY2(QRegularExpression("^[1-6]$").match(href).hasMatch(), qPrintable(page + ": " + href));
                }
            }
        }
    }

    void introductionTemplateHasItsReplaceableLines()
    {
        const QStringList intro = lines("intro.htm");
        QVERIFY(intro.size() > 10);
        QVERIFY(intro[3].startsWith("size="));
        const auto first300 = std::find_if(intro.begin(), intro.end(), [](const QString &l) { return l.contains("300"); });
        QVERIFY(first300 != intro.end());
        QVERIFY2(QRegularExpression("(width|height|size)=\"?300", QRegularExpression::CaseInsensitiveOption)
                     .match(*first300).hasMatch(), qPrintable(*first300));
    }

    // Rows are the lower trigram, columns the upper, both in the order Ch'ien, Chen, K'an, Ken, K'un,
    // Sun, Li, Tui (bits of lines 1 to 3).
    void trigramTableFindsEveryHexagram()
    {
        const char *order[] = {"111", "100", "010", "001", "000", "011", "101", "110"};
        const QRegularExpression cell("HREF=\"(\\d\\d)@\"");
        int row = 0;
        for (const QString &line : lines("tritable.htm")) {
            if (!line.startsWith("<tr>", Qt::CaseInsensitive))
                continue;
            int column = 0;
            for (const auto &m : cell.globalMatch(line)) {
                QVERIFY(row < 8 && column < 8);
                const QByteArray pattern = QByteArray(order[row]) + order[column];
                ching::LineBits bits{};
                for (int i = 0; i < 6; ++i)
                    bits[i] = uint8_t(pattern[i] - '0');
                QCOMPARE(m.captured(1).toInt(), ching::hexagramNumber(bits));
                ++column;
            }
            if (column > 0) {
                QCOMPARE(column, 8);
                ++row;
            }
        }
        QCOMPARE(row, 8);
    }

    void picturesDecode()
    {
        TCompress compress;
        DataArchive data(compress, kArchive);
        for (const QString &n : memberNames())
            if (n.endsWith(".bmp"))
                QVERIFY2(!data.memberBitmap(n).isNull(), qPrintable(n));
        QCOMPARE(data.memberBitmap("coin1.bmp").height(), 129);
        const QImage back = data.memberBitmap("back.bmp");
        QVERIFY(back.width() >= 100 && back.height() >= 80);
    }

    void archiveIsReproducible()
    {
        // Packing the same list again gives the same bytes.
        QTemporaryDir dir;
        QProcess hhz;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SOURCE_DATE_EPOCH", CHING_ARCHIVE_DATE_EPOCH);
        hhz.setProcessEnvironment(env);
        hhz.start(CHING_HHZ, {"pack", dir.filePath("again.hhz"), "--list", CHING_ARCHIVE_LIST});
        QVERIFY(hhz.waitForFinished(120000));
        QCOMPARE(hhz.exitCode(), 0);
        QFile a(kArchive), b(dir.filePath("again.hhz"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() == b.readAll());
    }
};

QTEST_GUILESS_MAIN(TstBook)
#include "tst_book.moc"
