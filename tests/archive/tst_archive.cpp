// SPDX-License-Identifier: GPL-3.0-or-later
#include "dataarchive.h"
#include "methods.h"
#include "packer.h"
#include "tcompress.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace archive;

namespace {

constexpr uint32_t kKey = CHING_ARCHIVE_KEY;

QByteArray sampleText()
{
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "The well is the same though the town moves; line " + QByteArray::number(i % 37) + ".\r\n";
    text += QByteArray(300, ' ') + QByteArray(5, char(0x94)) + QByteArray(70, 'x');
    return text;
}

PackEntry entry(const QString &name, const QByteArray &data, int method, bool locked = false)
{
    PackEntry e;
    e.name = name;
    e.data = data;
    e.method = uint8_t(method);
    e.locked = locked;
    e.dosDateTime = toDosDateTime(2026, 3, 21, 6, 30, 10);
    return e;
}

// Appends one member with hand-made header fields and stored bytes.
void appendRawMember(QByteArray &archive, const QByteArray &name, int32_t expanded, const QByteArray &stored,
                     int method, uint32_t checksum, int32_t lock)
{
    char b[25];
    qToLittleEndian<qint16>(qint16(name.size()), b);
    qToLittleEndian<qint32>(0, b + 2);
    qToLittleEndian<qint16>(0x20, b + 6);
    qToLittleEndian<qint32>(expanded, b + 8);
    qToLittleEndian<qint32>(qint32(stored.size()), b + 12);
    b[16] = char(method);
    qToLittleEndian<quint32>(checksum, b + 17);
    qToLittleEndian<qint32>(lock, b + 21);
    archive.append(b, 25).append(name).append(stored);
    // keep the header's total in step
    qToLittleEndian<qint32>(qFromLittleEndian<qint32>(archive.constData() + 8) + expanded, archive.data() + 8);
}

QByteArray emptyArchive()
{
    return buildArchive({}, kKey, Lh5);
}

uint32_t byteSum(const QByteArray &bytes)
{
    return memberChecksum(bytes, false, 0);
}

class Fixture {
public:
    Fixture() { QDir::setCurrent(m_dir.path()); }
    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("DATA1.HHZ"))
    {
        QFile f(m_dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

QByteArray expand(const QString &archiveName, const QString &member, uint32_t key = kKey)
{
    TCompress compress;
    compress.Key = key;
    return DataArchive(compress, archiveName).member(member);
}

// The message of the archive error that expanding raises, or "" when none.
QString errorOf(const QString &archiveName, const QString &member, uint32_t key = kKey)
{
    try {
        expand(archiveName, member, key);
    } catch (const ECompressError &e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstArchive : public QObject {
    Q_OBJECT
private slots:
    void everyMethodRoundTrips_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("locked");
        for (int m : {int(Stored), int(RunLength), int(Lzhuf), int(Lh5)})
            for (bool locked : {false, true})
                QTest::newRow(qPrintable(methodName(m) + (locked ? " locked" : ""))) << m << locked;
    }
    void everyMethodRoundTrips()
    {
        QFETCH(int, method);
        QFETCH(bool, locked);
        Fixture fx;
        const QByteArray text = sampleText();
        const QByteArray empty;
        const QString name = fx.write(buildArchive({entry("intro.htm", "<p>first</p>", Stored),
                                                    entry("01.txt", text, method, locked),
                                                    entry("nothing.txt", empty, method, locked),
                                                    entry("last.bmp", "BM tail", RunLength)},
                                                   kKey, method));
        QCOMPARE(expand(name, "01.TXT"), text); // names compare without case
        QCOMPARE(expand(name, "nothing.txt"), empty);
        QCOMPARE(expand(name, "LAST.bmp"), QByteArray("BM tail"));
        QCOMPARE(expand(name, "absent.txt"), QByteArray());
    }

    void lines()
    {
        Fixture fx;
        const QString name = fx.write(buildArchive({entry("a.txt", "one\r\ntwo\rthree\nfour\r\n\r\nsix \xe9\x80", Lh5)},
                                                   kKey, Lh5));
        TCompress compress;
        const QStringList lines = DataArchive(compress, name).memberLines("a.txt");
        QCOMPARE(lines, (QStringList{"one", "two", "three", "four", "", QStringLiteral("six \u00e9\u20ac")}));
        QVERIFY(splitLines(QString()).isEmpty());
        QCOMPARE(splitLines("x\n"), QStringList{"x"});
    }

    void bitmaps()
    {
        Fixture fx;
        QImage picture(7, 5, QImage::Format_RGB32);
        picture.fill(qRgb(0x41, 0x8d, 0x41));
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "BMP");
        const QString name = fx.write(buildArchive({entry("coin.bmp", bmp, Lzhuf), entry("bad.bmp", "not a bitmap", Lh5)},
                                                   kKey, Lh5));
        TCompress compress;
        DataArchive data(compress, name);
        const QImage loaded = data.memberBitmap("COIN.BMP");
        QCOMPARE(loaded.size(), QSize(7, 5));
        QCOMPARE(loaded.pixel(3, 2), qRgb(0x41, 0x8d, 0x41));
        QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, data.memberBitmap("bad.bmp"));
        QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, data.memberBitmap("absent.bmp"));
    }

    void headerErrors_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QString>("message");
        QByteArray good = emptyArchive() + QByteArray(10, '\0');
        QByteArray magic = good;
        magic[3] = 'X';
        QByteArray type = good;
        type[12] = 2;
        QByteArray method = good;
        method.replace(5, 3, "ZIP");
        QTest::newRow("magic") << magic << "Can't recognize compressed file header";
        QTest::newRow("type") << type << "Archive type must be caMulti";
        QTest::newRow("method") << method << "Unrecognized compression method: \"ZIP\" in header";
        QTest::newRow("21 bytes of nothing") << QByteArray(21, '\0') << "Can't recognize compressed file header";
        QTest::newRow("20 bytes are no header") << QByteArray(20, 'z') << "";
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void headerErrors()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QString, message);
        Fixture fx;
        QCOMPARE(errorOf(fx.write(archive), "01.txt"), message);
    }

    void lockAndChecksumRules_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("lock");
        QTest::addColumn<int>("checksumKind"); // 0 plain sum, 1 sum + key, 2 wrong
        QTest::addColumn<uint>("key");
        QTest::addColumn<QString>("message");
        const QString keyError = "File locked -- valid key required";
        const QString sumError = "Bad checksum during expansion -- data may be invalid";
        QTest::newRow("locked, sum plus key") << 1 << 2 << 1 << kKey << "";
        QTest::newRow("locked, plain sum") << 1 << 2 << 0 << kKey << keyError;
        QTest::newRow("locked, no key") << 1 << 2 << 1 << 0u << keyError;
        QTest::newRow("locked, other key") << 1 << 2 << 1 << 12345678u << keyError;
        QTest::newRow("unlocked, wrong sum") << 1 << 0 << 2 << kKey << sumError;
        QTest::newRow("unlocked, right sum") << 1 << 0 << 0 << kKey << "";
        QTest::newRow("stored with lock flag, no key") << 0 << 2 << 2 << 0u << "";
        QTest::newRow("custom method") << 3 << 0 << 0 << kKey << sumError;
        QTest::newRow("custom method, zero sum") << 3 << 0 << 2 << kKey << "";
    }
    void lockAndChecksumRules()
    {
        QFETCH(int, method);
        QFETCH(int, lock);
        QFETCH(int, checksumKind);
        QFETCH(uint, key);
        QFETCH(QString, message);
        const QByteArray text = "abcabcabc\x94 ok";
        QByteArray stored = compressMember(text, method == 3 ? Stored : method);
        if (lock == 2 && method != Stored)
            applyKey(reinterpret_cast<uint8_t *>(stored.data()), size_t(stored.size()), kKey, 0);
        const uint32_t sum = byteSum(text);
        const uint32_t checksum = checksumKind == 0 ? sum : checksumKind == 1 ? sum + kKey : 0;
        QByteArray archive = emptyArchive();
        appendRawMember(archive, "m.txt", int32_t(text.size()), stored, method, checksum, lock);
        Fixture fx;
        QCOMPARE(errorOf(fx.write(archive), "m.txt", key), message);
    }

    void runLengthExamples_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("expanded");
        QTest::newRow("run of five") << QByteArray("\x41\x94\x05") << QByteArray(5, 'A');
        QTest::newRow("literal escape") << QByteArray("\x94\x00", 2) << QByteArray("\x94");
        QTest::newRow("run after an escape repeats the escape")
            << QByteArray("\x94\x00\x94\x03", 4) << QByteArray(3, char(0x94));
        QTest::newRow("pairs stay literal") << QByteArray("aabb") << QByteArray("aabb");
    }
    void runLengthExamples()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, expanded);
        QByteArray archive = emptyArchive();
        appendRawMember(archive, "r", int32_t(expanded.size()), stored, RunLength, byteSum(expanded), 0);
        Fixture fx;
        QCOMPARE(expand(fx.write(archive), "r"), expanded);
    }

    void independentVectorsDecodeAsMembers_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<int>("method");
        QDir dir(QStringLiteral(CHING_VECTORS_DIR));
        if (!dir.exists(QStringLiteral("manifest.tsv")))
            QSKIP("the compression vectors are not beside this checkout");
        QFile manifest(dir.filePath(QStringLiteral("manifest.tsv")));
        manifest.open(QIODevice::ReadOnly | QIODevice::Text);
        manifest.readLine();
        while (!manifest.atEnd()) {
            const QString original = QString::fromUtf8(manifest.readLine()).section('\t', 0, 0);
            const QString base = original.section('.', 0, 0);
            QTest::newRow(qPrintable(base + " lzhuf")) << original << base + ".lzhuf" << int(Lzhuf);
            QTest::newRow(qPrintable(base + " lh5")) << original << base + ".lh5" << int(Lh5);
        }
    }
    void independentVectorsDecodeAsMembers()
    {
        QFETCH(QString, original);
        QFETCH(QString, stream);
        QFETCH(int, method);
        const QDir dir(QStringLiteral(CHING_VECTORS_DIR));
        const QByteArray expected = readFile(dir.filePath(original));
        const QByteArray data = readFile(dir.filePath(stream));
        for (const bool locked : {false, true}) {
            QByteArray stored = data;
            if (locked)
                applyKey(reinterpret_cast<uint8_t *>(stored.data()), size_t(stored.size()), kKey, 0);
            QByteArray archive = emptyArchive();
            appendRawMember(archive, "first", 3, compressMember("abc", RunLength), RunLength, byteSum("abc"), 0);
            appendRawMember(archive, "v", int32_t(expected.size()), stored, method,
                            memberChecksum(expected, locked, kKey), locked ? 2 : 0);
            appendRawMember(archive, "after", 3, "xyz", Stored, 0, 0);
            Fixture fx;
            const QString name = fx.write(archive);
            QCOMPARE(expand(name, "v"), expected);
            QCOMPARE(expand(name, "after"), QByteArray("xyz")); // the walk steps over the stored size exactly
        }
    }

    void walkStopsAtTheHeadersTotal()
    {
        QByteArray archive = emptyArchive();
        appendRawMember(archive, "a", 3, "abc", Stored, 0, 0);
        appendRawMember(archive, "b", 3, "def", Stored, 0, 0);
        qToLittleEndian<qint32>(3, archive.data() + 8); // the total names only the first member
        Fixture fx;
        const QString name = fx.write(archive);
        QCOMPARE(expand(name, "a"), QByteArray("abc"));
        QCOMPARE(expand(name, "b"), QByteArray());
    }

    void negativeSizesAreRefused()
    {
        QByteArray archive = emptyArchive();
        appendRawMember(archive, "a", 3, "abc", Stored, 0, 0);
        qToLittleEndian<qint32>(-30, archive.data() + kArchiveHeaderSize + 12);
        Fixture fx;
        QCOMPARE(errorOf(fx.write(archive), "a"), QStringLiteral("Can't recognize compressed file header"));
    }

    // Corrupt and truncated archives end in one of the archive's errors or expand what is intact;
    // they never crash, hang or claim memory beyond a member's size.
    void corruptionIsReportedNeverFatal_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("locked");
        for (int m : {int(RunLength), int(Lzhuf), int(Lh5)})
            for (bool locked : {false, true})
                QTest::newRow(qPrintable(methodName(m) + (locked ? " locked" : ""))) << m << locked;
    }
    void corruptionIsReportedNeverFatal()
    {
        QFETCH(int, method);
        QFETCH(bool, locked);
        const QByteArray text = sampleText();
        const QByteArray good = buildArchive({entry("01.txt", text, method, locked)}, kKey, method);
        const int dataStart = kArchiveHeaderSize + kMemberHeaderSize + 6;
        QRandomGenerator random(20261209);
        Fixture fx;
        int errors = 0;
        for (int round = 0; round < 200; ++round) {
            QByteArray bad = good;
            if (round % 2 == 0) {
                bad.truncate(dataStart + int(random.bounded(good.size() - dataStart)));
            } else {
                for (int flips = 0; flips < 3; ++flips) {
                    const int at = dataStart + int(random.bounded(good.size() - dataStart));
                    bad[at] = char(bad[at] ^ (1 << random.bounded(8)));
                }
            }
            const QString name = fx.write(bad);
            const QString message = errorOf(name, "01.txt");
            if (message.isEmpty()) {
                QVERIFY(expand(name, "01.txt").size() <= text.size());
            } else {
                ++errors;
                if (locked)
                    QCOMPARE(message, QStringLiteral("File locked -- valid key required"));
                else
                    QVERIFY2(message == "Bad checksum during expansion -- data may be invalid" ||
                                 message == "Bad decode table in archive!",
                             qPrintable(message));
            }
        }
        QVERIFY(errors > 100);
    }

    void folderExpansion()
    {
        Fixture fx;
        const QString name = fx.write(buildArchive({entry("_back.bmp", "green", Lh5), entry("keep.bmp", "new", RunLength),
                                                    entry("okcancel.bmp", "ok", Lzhuf, true), entry("x.bmp", "x", Stored)},
                                                   kKey, Lh5));
        const QString target = fx.path("skins/green");
        QVERIFY(QDir().mkpath(target));
        QFile keep(target + "/keep.bmp");
        keep.open(QIODevice::WriteOnly);
        keep.write("old");
        keep.close();
        keep.setPermissions(QFile::ReadOwner | QFile::ReadGroup);

        TCompress compress;
        compress.Key = kKey;
        compress.TargetPath = target; // no trailing slash: one is added
        QStringList names{"OKCANCEL.BMP", "keep.bmp", "_back.bmp", "absent.bmp"};
        compress.expandToFolder(name, names);
        // The read-only file is skipped and the walk goes on; the list holds what was written in archive order.
        QCOMPARE(names, (QStringList{target + "/_back.bmp", target + "/okcancel.bmp"}));
        QCOMPARE(readFile(target + "/_back.bmp"), QByteArray("green"));
        QCOMPARE(readFile(target + "/okcancel.bmp"), QByteArray("ok"));
        QCOMPARE(readFile(target + "/keep.bmp"), QByteArray("old"));
        QCOMPARE(QFileInfo(target + "/_back.bmp").lastModified().date(), QDate(2026, 3, 21));

        QCOMPARE(compress.expandOneToFolder("x.bmp", name), target + "/x.bmp");
        compress.TargetPath.clear(); // the current folder, which the fixture made its own
        QCOMPARE(compress.expandOneToFolder("x.bmp", name), fx.path("x.bmp"));
        QCOMPARE(compress.expandOneToFolder("absent.bmp", name), QString());
    }

    void folderExpansionWithWrongKeyLeavesNoFile()
    {
        Fixture fx;
        const QString name = fx.write(buildArchive({entry("locked.txt", sampleText(), Lh5, true)}, kKey, Lh5));
        TCompress compress;
        compress.Key = kKey ^ 0x01010101;
        compress.TargetPath = fx.path("out");
        QDir().mkpath(compress.TargetPath);
        QVERIFY_THROWS_EXCEPTION(EInvalidKey, compress.expandOneToFolder("locked.txt", name));
        QVERIFY(!QFile::exists(fx.path("out/locked.txt")));
    }

    void folderExpansionStaysInsideTheTarget_data()
    {
        QTest::addColumn<QString>("member");
        QTest::newRow("climbs out") << "../escaped.txt";
        QTest::newRow("climbs out with backslashes") << "..\\escaped.txt";
        QTest::newRow("absolute") << "/tmp/escaped.txt";
        QTest::newRow("leading backslash") << "\\escaped.txt";
        QTest::newRow("drive letter") << "C:\\escaped.txt";
    }
    void folderExpansionStaysInsideTheTarget()
    {
        QFETCH(QString, member);
        Fixture fx;
        const QString name = fx.write(buildArchive({entry(member, "evil", Lh5)}, kKey, Lh5));
        TCompress compress;
        compress.TargetPath = fx.path("inside");
        QDir().mkpath(compress.TargetPath);
        QVERIFY_THROWS_EXCEPTION(EUnsafeMemberName, compress.expandOneToFolder(member, name));
        QVERIFY(!QFile::exists(fx.path("escaped.txt")));
    }

    void folderPartsAreNotCreated()
    {
        Fixture fx;
        const QString name = fx.write(buildArchive({entry("sub\\a.txt", "a", Lh5), entry("b.txt", "b", Lh5)}, kKey, Lh5));
        TCompress compress;
        compress.TargetPath = fx.path("t");
        QDir().mkpath(compress.TargetPath);
        QStringList names{"sub\\a.txt", "b.txt"};
        compress.expandToFolder(name, names);
        QCOMPARE(names, QStringList{fx.path("t/b.txt")});
        compress.MakeDirectories = true;
        QCOMPARE(compress.expandOneToFolder("sub\\a.txt", name), fx.path("t/sub/a.txt"));
    }

    void missingArchiveIsAnError()
    {
        Fixture fx;
        QVERIFY(errorOf(fx.path("nowhere.hhz"), "01.txt").startsWith("Cannot open file"));
    }
};

QTEST_GUILESS_MAIN(TstArchive)
#include "tst_archive.moc"
