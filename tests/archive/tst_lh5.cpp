// SPDX-License-Identifier: GPL-3.0-or-later
#include "lh5_decoder.h"
#include "lh5_encoder.h"
#include "memory_io.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "codec_samples.h"

#include <cstring>
#include <random>

using namespace archive;
using namespace codec_samples;

namespace {

Bytes decode(const Bytes &stream, uint64_t size, size_t block = 8192)
{
    return decodeWith<Lh5Decoder>(stream, size, block);
}

Bytes encode(const Bytes &data)
{
    return encodeWith<Lh5Encoder>(data);
}

// Random bytes repeated from exactly 8192 bytes back: only the farthest copy can shrink them.
Bytes repeatedAtFarthest(unsigned seed)
{
    const Bytes half = randomBytes(8192, seed);
    Bytes out = half;
    out.insert(out.end(), half.begin(), half.end());
    return out;
}

// Original files of the vectors, as named in the manifest; each has NAME.lh5 beside it.
QStringList vectorNames()
{
    QFile manifest(QStringLiteral(CHING_VECTORS_DIR "/manifest.tsv"));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names;
    manifest.readLine(); // column titles
    while (!manifest.atEnd()) {
        const QString name = QString::fromUtf8(manifest.readLine()).section(QLatin1Char('\t'), 0, 0);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

QString vectorPath(const QString &name)
{
    return QStringLiteral(CHING_VECTORS_DIR "/") + name;
}

QString streamPath(const QString &name)
{
    return vectorPath(name.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".lh5"));
}

// Hand-built streams for the table checks.
class BitBuilder {
public:
    BitBuilder &put(uint32_t value, unsigned count)
    {
        for (unsigned i = count; i-- > 0;) {
            if (m_used % 8 == 0)
                m_bytes.push_back(0);
            if (value >> i & 1)
                m_bytes.back() |= uint8_t(0x80 >> m_used % 8);
            ++m_used;
        }
        return *this;
    }
    // A block header up to its P tree, with T and C trees of one symbol each (0-bit codes).
    BitBuilder &singleUpToP(unsigned count, unsigned c)
    {
        return put(count, 16).put(0, 5).put(0, 5).put(0, 9).put(c, 9);
    }
    // ...and a P tree of one symbol too.
    BitBuilder &singleBlock(unsigned count, unsigned c, unsigned p)
    {
        return singleUpToP(count, c).put(0, 4).put(p, 4);
    }
    Bytes bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
    size_t m_used = 0;
};

enum class Outcome { Exact, BadTable, Truncated };

// The level-0 .lzh archive of one -lh5- member, as LHA writes it.
QByteArray lzhArchive(const Bytes &original, const Bytes &stream)
{
    uint16_t crc = 0; // CRC-16, reflected polynomial 0xA001, as LHA checks members
    for (uint8_t b : original) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = uint16_t(crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1);
    }
    auto le = [](QByteArray &to, uint32_t v, int bytes) {
        for (int k = 0; k < bytes; ++k)
            to.append(char(v >> (8 * k)));
    };
    const QByteArray name = "member.bin";
    QByteArray body = "-lh5-";
    le(body, uint32_t(stream.size()), 4);
    le(body, uint32_t(original.size()), 4);
    le(body, 0x00210000, 4); // 1980-01-01 00:00 in MS-DOS form
    body.append(char(0x20)); // archive attribute
    body.append(char(0));    // header level
    body.append(char(name.size()));
    body.append(name);
    le(body, crc, 2);
    uint8_t sum = 0;
    for (char b : body)
        sum = uint8_t(sum + uint8_t(b));
    QByteArray archive;
    archive.append(char(body.size()));
    archive.append(char(sum));
    archive.append(body);
    archive.append(reinterpret_cast<const char *>(stream.data()), qsizetype(stream.size()));
    archive.append(char(0)); // end of archive
    return archive;
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestLh5 : public QObject {
    Q_OBJECT

private slots:
    void vectorsDecode_data();
    void vectorsDecode();
    void roundTrip_data();
    void roundTrip();
    void lhasaAcceptsOurStreams_data();
    void lhasaAcceptsOurStreams();
    void craftedStreams_data();
    void craftedStreams();
    void damagedStreams_data();
    void damagedStreams();
};

void TestLh5::vectorsDecode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("block");
    const QStringList names = vectorNames();
    if (names.isEmpty())
        QTest::newRow("no vectors") << QString() << 0;
    // The archive hands the stored data out in blocks; a code may straddle any boundary.
    for (const QString &name : names) {
        for (int block : {8192, 7, 1})
            QTest::addRow("%s/%d", qPrintable(name), block) << name << block;
    }
}

void TestLh5::vectorsDecode()
{
    QFETCH(QString, name);
    QFETCH(int, block);
    if (name.isEmpty())
        QSKIP("vectors folder absent");
    const Bytes original = readFile(vectorPath(name));
    const Bytes stream = readFile(streamPath(name));
    QVERIFY(QFile::exists(streamPath(name)));
    QCOMPARE(decode(stream, original.size(), size_t(block)), original);
}

void TestLh5::roundTrip_data()
{
    QTest::addColumn<Bytes>("data");
    QTest::newRow("empty") << Bytes{};
    QTest::newRow("one byte") << Bytes{'A'};
    QTest::newRow("short text") << bytesOf("    The rain in Spain stays mainly in the plain; zzzzzzzzzz");
    QTest::newRow("one long run") << Bytes(100000, 'z');
    Bytes runs;
    for (unsigned k = 0; k < 3000; ++k)
        runs.insert(runs.end(), k % 300 + 1, uint8_t(k));
    QTest::newRow("runs of every length") << runs;
    QTest::newRow("random 100K") << randomBytes(100000, 1);
    QTest::newRow("random 8K twice") << repeatedAtFarthest(7);
    QTest::newRow("text 300K with far repeats") << textLike(300000, 2);
    for (const QString &name : vectorNames())
        QTest::addRow("vector %s", qPrintable(name)) << readFile(vectorPath(name));
}

void TestLh5::roundTrip()
{
    QFETCH(Bytes, data);
    const Bytes stream = encode(data);
    QCOMPARE(decode(stream, data.size()), data);
    QCOMPARE(encode(data), stream);
}

void TestLh5::lhasaAcceptsOurStreams_data()
{
    QTest::addColumn<Bytes>("data");
    QTest::newRow("one byte") << Bytes{'A'};
    QTest::newRow("one long run") << Bytes(70000, 'z');
    QTest::newRow("random 100K") << randomBytes(100000, 3);
    QTest::newRow("random 8K twice") << repeatedAtFarthest(8);
    QTest::newRow("text 300K with far repeats") << textLike(300000, 4);
}

// LHA's own decoder (Debian's lhasa) must read what we write.
void TestLh5::lhasaAcceptsOurStreams()
{
    QFETCH(Bytes, data);
    const QString lha = QStandardPaths::findExecutable(QStringLiteral("lha"));
    if (lha.isEmpty())
        QSKIP("lha not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("test.lzh"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lzhArchive(data, encode(data)));
    file.close();

    QProcess process;
    process.start(lha, {QStringLiteral("pq"), path});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray printed = process.readAllStandardOutput();
    QCOMPARE(Bytes(printed.begin(), printed.end()), data);
}

void TestLh5::craftedStreams_data()
{
    QTest::addColumn<Bytes>("stream");
    QTest::addColumn<quint64>("size");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Bytes>("expected");

    QTest::newRow("empty block, then a block")
        << BitBuilder().singleBlock(0, 'A', 0).singleBlock(2, 'B', 0).bytes() << quint64(2) << Outcome::Exact
        << bytesOf("BB");
    // Distance class 9 with extra bits 44: 300 bytes back, before the first byte.
    QTest::newRow("copy from the blank history")
        << BitBuilder().singleBlock(1, 256 + 5 - 3, 9).put(44, 8).bytes() << quint64(5) << Outcome::Exact
        << bytesOf("     ");
    QTest::newRow("copy cut at the stated size")
        << BitBuilder().singleBlock(1, 256 + 10 - 3, 0).bytes() << quint64(4) << Outcome::Exact
        << bytesOf("    ");
    QTest::newRow("only empty blocks") << Bytes(64, 0) << quint64(100) << Outcome::Truncated << Bytes{};
    QTest::newRow("stated size far beyond the stream")
        << BitBuilder().singleBlock(3, 'q', 0).bytes() << (quint64(1) << 40) << Outcome::Truncated << Bytes{};
    QTest::newRow("T count beyond the alphabet")
        << BitBuilder().put(1, 16).put(20, 5).bytes() << quint64(1) << Outcome::BadTable << Bytes{};
    QTest::newRow("C count beyond the alphabet")
        << BitBuilder().put(1, 16).put(0, 5).put(3, 5).put(511, 9).bytes() << quint64(1) << Outcome::BadTable
        << Bytes{};
    QTest::newRow("C single symbol beyond the alphabet")
        << BitBuilder().singleUpToP(1, 510).bytes() << quint64(1) << Outcome::BadTable << Bytes{};
    QTest::newRow("P count beyond the alphabet")
        << BitBuilder().singleUpToP(1, 'A').put(15, 4).bytes() << quint64(1) << Outcome::BadTable << Bytes{};
    QTest::newRow("P single symbol beyond the alphabet, used")
        << BitBuilder().singleBlock(1, 256, 14).bytes() << quint64(3) << Outcome::BadTable << Bytes{};
    // P lengths 1,1,1: three one-bit codes.
    QTest::newRow("P over-subscribed")
        << BitBuilder().singleUpToP(1, 'A').put(3, 4).put(1, 3).put(1, 3).put(1, 3).bytes()
        << quint64(1) << Outcome::BadTable << Bytes{};
    // P lengths 1,2: a quarter of the code space is left over.
    QTest::newRow("P incomplete")
        << BitBuilder().singleUpToP(1, 'A').put(2, 4).put(1, 3).put(2, 3).bytes()
        << quint64(1) << Outcome::BadTable << Bytes{};
    // T length 7 + ten more 1-bits = 17.
    QTest::newRow("T length over 16")
        << BitBuilder().put(1, 16).put(1, 5).put(7, 3).put(0x3FF, 10).put(0, 1).bytes() << quint64(1)
        << Outcome::BadTable << Bytes{};
    // T lengths 1,1,0 and no skip; C has 2 lengths but its first item is T symbol 1 (code 1)
    // with 4 bits 0: a run of 3 zero lengths.
    const Bytes runPastCount = BitBuilder()
                                   .put(1, 16)
                                   .put(3, 5).put(1, 3).put(1, 3).put(0, 3).put(0, 2)
                                   .put(2, 9).put(1, 1).put(0, 4)
                                   .bytes();
    QTest::newRow("zero run past the C count") << runPastCount << quint64(1) << Outcome::BadTable << Bytes{};
}

void TestLh5::craftedStreams()
{
    QFETCH(Bytes, stream);
    QFETCH(quint64, size);
    QFETCH(Outcome, outcome);
    QFETCH(Bytes, expected);
    switch (outcome) {
    case Outcome::Exact:
        QCOMPARE(decode(stream, size), expected);
        break;
    case Outcome::BadTable:
        QVERIFY_THROWS_EXCEPTION(BadDecodeTable, decode(stream, size));
        break;
    case Outcome::Truncated:
        QVERIFY_THROWS_EXCEPTION(TruncatedData, decode(stream, size));
        break;
    }
}

void TestLh5::damagedStreams_data()
{
    QTest::addColumn<Bytes>("stream");
    QTest::addColumn<quint64>("size");

    const Bytes text = textLike(40000, 5);
    const Bytes good = encode(text);
    for (size_t cut : {size_t(0), size_t(1), size_t(5), good.size() / 3, good.size() - 1})
        QTest::addRow("cut at %zu", cut)
            << Bytes(good.begin(), good.begin() + ptrdiff_t(cut)) << quint64(text.size());
    std::mt19937 rng(6);
    for (int k = 0; k < 12; ++k) {
        Bytes flipped = good;
        const size_t at = rng() % std::min<size_t>(flipped.size(), k < 6 ? 40 : flipped.size());
        flipped[at] ^= uint8_t(1u << (rng() % 8));
        QTest::addRow("bit flipped at %zu", at) << flipped << quint64(text.size());
    }
    for (unsigned seed = 10; seed < 16; ++seed)
        QTest::addRow("garbage %u", seed) << randomBytes(2000, seed) << (quint64(1) << 36);
}

// Whatever the damage: no crash and no hang, and either a clean error or exactly the stated size.
void TestLh5::damagedStreams()
{
    QFETCH(Bytes, stream);
    QFETCH(quint64, size);
    try {
        QCOMPARE(decode(stream, size, 7).size(), size);
    } catch (const BadDecodeTable &) {
    } catch (const TruncatedData &) {
    }
}

QTEST_APPLESS_MAIN(TestLh5)
#include "tst_lh5.moc"
