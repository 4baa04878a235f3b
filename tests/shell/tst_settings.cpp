// SPDX-License-Identifier: GPL-3.0-or-later
#include "ansi.h"
#include "registry.h"
#include "settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace ching;
using platform::TRegistryEnhanced;

class TstSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }
    void init()
    {
        QFile::remove(TRegistryEnhanced::storeFile(platform::RootKey::hkLocalMachine));
        QFile::remove(TRegistryEnhanced::storeFile(platform::RootKey::hkCurrentUser));
    }

    void firstStartGivesTheDefaults()
    {
        const Settings s = cargaIni(settingsKey());
        QCOMPARE(s.fontName, QStringLiteral("Times New Roman"));
        QCOMPARE(s.fontSize, 13);
        QVERIFY(s.password.isEmpty());
        QVERIFY(!s.viewAuto);
        QVERIFY(!s.playSound);
        QVERIFY(!s.noTips);
        QCOMPARE(s.stalkDelay, 40);
        QCOMPARE(s.coinDelay, 60);
        QCOMPARE(s.skinName, QStringLiteral("standard/"));
    }

    void roundTrip()
    {
        Settings s;
        s.programFolder = QStringLiteral("/opt/velmora");
        s.fontName = QStringLiteral("DejaVu Serif, Book");
        s.fontSize = 17;
        s.password = QStringLiteral("moon \u00e9t\u00e9 \u20ac");
        s.viewAuto = true;
        s.playSound = true;
        s.noTips = true;
        s.stalkDelay = 5;
        s.coinDelay = 7;
        s.skinName = QStringLiteral("gold/");
        auto key = settingsKey();
        grabaIni(key, s);
        const Settings r = cargaIni(settingsKey());
        QCOMPARE(r.fontName, s.fontName);
        QCOMPARE(r.fontSize, 17);
        QCOMPARE(r.password, s.password);
        QVERIFY(r.viewAuto && r.playSound && r.noTips);
        QCOMPARE(r.stalkDelay, 5);
        QCOMPARE(r.coinDelay, 7);
        QCOMPARE(r.skinName, QStringLiteral("gold/"));
        QCOMPARE(settingsKey().readValue(QStringLiteral("Path")).toString(), QStringLiteral("/opt/velmora/"));
        QCOMPARE(settingsKey().readValue(QStringLiteral("FontSize")).typeId(), int(QMetaType::Int));
        // The password is not stored in the clear.
        QVERIFY(settingsKey().readValue(QStringLiteral("Password")).toString() != s.password);
    }

    void storedValuesAreRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("stalk delay 0 means 40") << "STDelay" << QVariant(0) << "stalk" << QVariant(40);
        QTest::newRow("coin delay 0 means 60") << "CDelay" << QVariant(0) << "coin" << QVariant(60);
        QTest::newRow("stalk delay 5") << "STDelay" << QVariant(5) << "stalk" << QVariant(5);
        QTest::newRow("coin delay 5") << "CDelay" << QVariant(5) << "coin" << QVariant(5);
        QTest::newRow("blank skin") << "SkinDir" << QVariant(QStringLiteral("   ")) << "skin"
                                    << QVariant(QStringLiteral("standard/"));
        QTest::newRow("skin with trailing blanks") << "SkinDir" << QVariant(QStringLiteral("green\\  ")) << "skin"
                                                   << QVariant(QStringLiteral("green/"));
        QTest::newRow("any non-zero flag is true") << "PlaySound" << QVariant(7) << "sound" << QVariant(true);
    }
    void storedValuesAreRead()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        auto key = settingsKey();
        key.writeValue(QStringLiteral("FontName"), QStringLiteral("Times New Roman"));
        key.writeValue(name, stored);
        const Settings s = cargaIni(settingsKey());
        const QVariant got = field == "stalk" ? QVariant(s.stalkDelay)
                             : field == "coin" ? QVariant(s.coinDelay)
                             : field == "skin" ? QVariant(s.skinName)
                                               : QVariant(s.playSound);
        QCOMPARE(got, expected);
    }

    void withoutFontNameNothingElseIsRead()
    {
        auto key = settingsKey();
        key.writeValue(QStringLiteral("PlaySound"), 1);
        key.writeValue(QStringLiteral("CDelay"), 5);
        const Settings s = cargaIni(settingsKey());
        QVERIFY(!s.playSound);
        QCOMPARE(s.coinDelay, 60);
    }

    void passwordScrambling_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("empty") << QString();
        QTest::newRow("ascii") << QStringLiteral("Sesame 123");
        QTest::newRow("wraps past 255") << QStringLiteral("\u00ff\u00fe\u00fd\u00fc\u00fb\u00fa\u00f9\u00f8");
        QTest::newRow("low codes") << QStringLiteral("\u0001\u0002\u0003!");
        QTest::newRow("ansi specials") << QStringLiteral("\u20ac\u2026\u0152\u0178");
        QTest::newRow("outside the ansi set") << QStringLiteral("\u6613\u7d93 \u0411\u0443\u043a \U0001F30A");
    }
    void passwordScrambling()
    {
        QFETCH(QString, password);
        const QString stored = scramblePassword(password);
        QCOMPARE(stored.size(), password.size());
        QCOMPARE(unscramblePassword(stored), password);
    }

    void scramblingOffsetsFollowTheFixedGenerator()
    {
        // First offsets of the generator from seed 0x5A17C3E4, computed by hand.
        uint32_t state = 0x5A17C3E4u;
        QString expected;
        for (const char c : QByteArray("AAAA")) {
            state = state * 134775813u + 1u;
            const int r = int((uint64_t(state) * 99u) >> 32);
            const int code = c + r < 256 ? c + r : c + r - 255;
            expected.append(platform::ansiToChar(uint8_t(code))); // stored as the ANSI character
        }
        QCOMPARE(scramblePassword(QStringLiteral("AAAA")), expected);
    }

    void registryPaths()
    {
        TRegistryEnhanced key;
        key.rootKey = platform::RootKey::hkCurrentUser;
        key.key = QStringLiteral("\\Software\\Velmora\\Test\\");
        QVERIFY(!key.readValue(QStringLiteral("missing")).isValid());
        QVERIFY(key.writeValue(QStringLiteral("Sub\\Deeper\\Value"), QStringLiteral("x")));
        QVERIFY(key.writeValue(QStringLiteral("dwordish"), QStringLiteral("dword:00000001")));
        TRegistryEnhanced sub = key;
        sub.key = QStringLiteral("Software\\Velmora\\Test\\Sub\\Deeper");
        QCOMPARE(sub.readValue(QStringLiteral("Value")).toString(), QStringLiteral("x"));
        QCOMPARE(key.readValue(QStringLiteral("dwordish")).toString(), QStringLiteral("dword:00000001"));
        QCOMPARE(key.subKeys(), QStringList{QStringLiteral("Sub")});
        QVERIFY(key.deleteKey(QStringLiteral("Sub")));
        QVERIFY(!sub.readValue(QStringLiteral("Value")).isValid());
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
