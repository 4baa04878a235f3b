// SPDX-License-Identifier: GPL-3.0-or-later
#include "lzhuf_decoder.h"
#include "lzhuf_encoder.h"
#include "memory_io.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include "codec_samples.h"

#include <cstring>
#include <iterator>
#include <random>
#include <string>

using namespace archive;
using namespace codec_samples;

namespace {

Bytes decode(const Bytes &stream, uint64_t size, size_t block = 8192)
{
    return decodeWith<LzhufDecoder>(stream, size, block);
}

Bytes encode(const Bytes &data)
{
    return encodeWith<LzhufEncoder>(data);
}

// The vectors' original files, as named in the manifest, each with its stream beside it.
QStringList vectorNames()
{
    QFile manifest(QStringLiteral(CHING_VECTORS_DIR "/manifest.tsv"));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names;
    manifest.readLine(); // column titles
    while (!manifest.atEnd()) {
        const QString name = QString::fromUtf8(manifest.readLine()).section(QLatin1Char('\t'), 0, 0);
        if (!name.trimmed().isEmpty())
            names << name.trimmed();
    }
    return names;
}

QString streamPathOf(const QString &name)
{
    return QStringLiteral(CHING_VECTORS_DIR "/") + name.section(QLatin1Char('.'), 0, 0) +
           QStringLiteral(".lzhuf");
}

QString originalPathOf(const QString &name)
{
    return QStringLiteral(CHING_VECTORS_DIR "/") + name;
}

} // namespace

class TestLzhuf : public QObject {
    Q_OBJECT

private slots:
    void decodesVectors_data();
    void decodesVectors();
    void encoderMatchesVectors_data();
    void encoderMatchesVectors();
    void roundTrip_data();
    void roundTrip();
    void damagedStreams_data();
    void damagedStreams();
    void hugeSizeTinyStream_data();
    void hugeSizeTinyStream();
};

void TestLzhuf::decodesVectors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("block");    // bytes the source hands out at a time
    QTest::addColumn<qint64>("limit"); // expanded size asked for; -1: the whole file

    const QStringList names = vectorNames();
    if (names.isEmpty())
        QSKIP("no independent vectors in " CHING_VECTORS_DIR);
    for (const QString &name : names) {
        for (const int block : {8192, 1, 5})
            QTest::addRow("%s/block %d", qPrintable(name), block) << name << block << qint64(-1);
    }
    // Stopping inside a match, and after the first rebuild of the tree.
    QTest::addRow("text40k.txt/first 1001") << QStringLiteral("text40k.txt") << 8192 << qint64(1001);
    QTest::addRow("random64k.bin/first 40000") << QStringLiteral("random64k.bin") << 8192 << qint64(40000);
}

void TestLzhuf::decodesVectors()
{
    QFETCH(QString, name);
    QFETCH(int, block);
    QFETCH(qint64, limit);

    Bytes original = readFile(originalPathOf(name));
    const Bytes stream = readFile(streamPathOf(name));
    QVERIFY(!stream.empty() || original.empty());
    if (limit >= 0)
        original.resize(size_t(limit));
    QCOMPARE(decode(stream, original.size(), size_t(block)), original);
}

void TestLzhuf::encoderMatchesVectors_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = vectorNames();
    if (names.isEmpty())
        QSKIP("no independent vectors in " CHING_VECTORS_DIR);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

// The published encoder is deterministic, and ours follows it choice for choice.
void TestLzhuf::encoderMatchesVectors()
{
    QFETCH(QString, name);
    QCOMPARE(encode(readFile(originalPathOf(name))), readFile(streamPathOf(name)));
}

void TestLzhuf::roundTrip_data()
{
    QTest::addColumn<Bytes>("data");

    QTest::newRow("empty") << Bytes();
    QTest::newRow("one byte") << Bytes{0x41};
    QTest::newRow("short text") << bytesOf("Nine in the second place means: The well at the bottom.");
    QTest::newRow("200 x") << Bytes(200, 'x');
    QTest::newRow("5000 zeros") << Bytes(5000, 0);
    QTest::newRow("3000 blanks") << Bytes(3000, ' ');
    QTest::newRow("random 100 KB") << randomBytes(100 * 1024, 1);
    QTest::newRow("text-like 200 KB") << textLike(200 * 1024, 2);
    Bytes skewed = textLike(150 * 1024, 3);
    for (size_t i = 0; i < skewed.size(); i += 97)
        skewed[i] = uint8_t(0x80 + i % 128); // rare symbols push the tree deep
    QTest::newRow("text with rare bytes 150 KB") << skewed;
}

void TestLzhuf::roundTrip()
{
    QFETCH(Bytes, data);
    const Bytes stream = encode(data);
    QCOMPARE(decode(stream, data.size()), data);
    QCOMPARE(decode(stream, data.size(), 3), data);
}

void TestLzhuf::damagedStreams_data()
{
    QTest::addColumn<Bytes>("stream");
    QTest::addColumn<qint64>("size");

    const Bytes text = textLike(20000, 4);
    const Bytes good = encode(text);
    const qint64 size = qint64(text.size());

    const size_t n = good.size();
    for (const size_t keep : {size_t(0), size_t(1), size_t(2), n / 4, n / 2, n - 1}) {
        const Bytes head(good.begin(), good.begin() + ptrdiff_t(keep));
        QTest::addRow("truncated to %zu", keep) << head << size;
    }

    std::mt19937 rng(5);
    for (int n = 0; n < 24; ++n) {
        Bytes flipped = good;
        const size_t at = rng() % flipped.size();
        flipped[at] ^= uint8_t(1u << (rng() % 8));
        QTest::addRow("bit flipped at %zu", at) << flipped << size;
    }
    for (int n = 0; n < 6; ++n) {
        const size_t length = 1 + rng() % 5000;
        QTest::addRow("%zu random bytes", length) << randomBytes(length, rng()) << size;
    }
    QTest::newRow("zeros") << Bytes(4000, 0x00) << size;
    QTest::newRow("ones") << Bytes(4000, 0xff) << size;
}

// Whatever the damage, the decoder either gives exactly the stated size or reports it.
void TestLzhuf::damagedStreams()
{
    QFETCH(Bytes, stream);
    QFETCH(qint64, size);
    try {
        QCOMPARE(qint64(decode(stream, uint64_t(size), 7).size()), size);
    } catch (const TruncatedData &) {
    } catch (const BadDecodeTable &) {
    }
}

void TestLzhuf::hugeSizeTinyStream_data()
{
    QTest::addColumn<Bytes>("stream");
    QTest::newRow("empty") << Bytes();
    QTest::newRow("one zero byte") << Bytes{0x00};
    QTest::newRow("16 zero bytes") << Bytes(16, 0x00);
    QTest::newRow("16 0xff bytes") << Bytes(16, 0xff);
    QTest::newRow("real stream") << encode(bytesOf("Thunder repeated: the image of shock."));
}

// Zero padding past the end must not count as data for ever.
void TestLzhuf::hugeSizeTinyStream()
{
    QFETCH(Bytes, stream);
    QVERIFY_THROWS_EXCEPTION(TruncatedData, decode(stream, uint64_t(1) << 40));
}

QTEST_GUILESS_MAIN(TestLzhuf)
#include "tst_lzhuf.moc"
