// SPDX-License-Identifier: GPL-3.0-or-later
// The archive tool and the program as a person runs them.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Run run(const QString &program, const QStringList &args, const QString &dir = QString())
{
    QProcess p;
    if (!dir.isEmpty())
        p.setWorkingDirectory(dir);
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QString kHhz = QStringLiteral(CHING_HHZ);

} // namespace

class TstHhz : public QObject {
    Q_OBJECT
private slots:
    void packListCatExtract()
    {
        QTemporaryDir dir;
        const QByteArray text = QStringLiteral("CH'IEN / THE CREATIVE\n\u00eat\u00e9 \u2014 ok\n").toUtf8().repeated(50);
        writeFile(dir.filePath("01.txt"), text);
        writeFile(dir.filePath("pic.bmp"), QByteArray(4000, '\x7f'));
        writeFile(dir.filePath("files.lst"), "# members\n01.txt method=lzhuf lock ansi\npic.bmp method=rle name=_back.bmp\n");
        const QString archive = dir.filePath("t.hhz");

        QCOMPARE(run(kHhz, {"pack", archive, "--list", dir.filePath("files.lst"), "--method", "lh5",
                            dir.filePath("pic.bmp")}).exitCode, 0);
        const Run listed = run(kHhz, {"list", archive});
        QCOMPARE(listed.exitCode, 0);
        QVERIFY(listed.out.contains("01.txt"));
        QVERIFY(listed.out.contains("lzhuf"));
        QVERIFY(listed.out.contains("locked"));
        QVERIFY(listed.out.contains("_back.bmp"));

        // Text is stored as Windows-1252.
        const Run shown = run(kHhz, {"cat", archive, "01.TXT"});
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(shown.out.startsWith("CH'IEN / THE CREATIVE\n\xea" "t\xe9 \x97 ok\n"));

        QCOMPARE(run(kHhz, {"extract", archive, "_back.bmp", "-C", dir.filePath("out")}).exitCode, 0);
        QFile extracted(dir.filePath("out/_back.bmp"));
        QVERIFY(extracted.open(QIODevice::ReadOnly));
        QCOMPARE(extracted.readAll(), QByteArray(4000, '\x7f'));
    }

    void errorsExitNonZeroWithTheMessage_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("not an archive") << QByteArray("this is no archive at all!") << QByteArray("Can't recognize compressed file header");
        QByteArray type("SPIS\x1aLH5\0\0\0\0\x02\0\0\0\0\0\0\0\0", 21);
        QTest::newRow("archive type") << type << QByteArray("Archive type must be caMulti");
    }
    void errorsExitNonZeroWithTheMessage()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QByteArray, message);
        QTemporaryDir dir;
        writeFile(dir.filePath("bad.hhz"), archive);
        const Run r = run(kHhz, {"list", dir.filePath("bad.hhz")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QVERIFY(r.out.isEmpty());
    }

    void missingMemberAndBadUsage()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.txt"), "a");
        QCOMPARE(run(kHhz, {"pack", dir.filePath("t.hhz"), dir.filePath("a.txt")}).exitCode, 0);
        QCOMPARE(run(kHhz, {"cat", dir.filePath("t.hhz"), "b.txt"}).exitCode, 1);
        QCOMPARE(run(kHhz, {"frobnicate", dir.filePath("t.hhz")}).exitCode, 2);
        QCOMPARE(run(kHhz, {"pack", dir.filePath("t.hhz"), "--method", "zip", dir.filePath("a.txt")}).exitCode, 2);
    }

    void programFindsItsLibraryBesideItself()
    {
        const Run r = run(QStringLiteral(CHING_DIST_DIR "/ching"), {"--version"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("Velmora I Ching 2.0 (line casting ready)\n"));
    }
};

QTEST_GUILESS_MAIN(TstHhz)
#include "tst_hhz.moc"
