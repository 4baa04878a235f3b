// SPDX-License-Identifier: GPL-3.0-or-later
#include "uistring.h"

#include <QtTest>

using namespace ching;

class TstStrings : public QObject {
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("title") << 1 << QStringLiteral("Velmora I Ching");
        QTest::newRow("double ampersand") << 7 << QStringLiteral("Text Font && Size");
        QTest::newRow("leading blank") << 17 << QStringLiteral(" Match case");
        QTest::newRow("trailing blank 49") << 49 << QStringLiteral("Processing line ");
        QTest::newRow("trailing blank 50") << 50 << QStringLiteral("Line ");
        QTest::newRow("trailing blank 52") << 52 << QStringLiteral("You can't open the ");
        QTest::newRow("blanks both sides") << 53 << QStringLiteral(" file of an invalid program.");
        QTest::newRow("trailing blank 56") << 56 << QStringLiteral("Searching: ");
        QTest::newRow("trailing blank 77") << 77 << QStringLiteral("The file ");
        QTest::newRow("two blanks nines")
            << 85 << QStringLiteral("<A HREF=\"02@\"><I><A NAME=\"7\">When all the lines  are nines, it means:</I></A><p><dir>");
        QTest::newRow("two blanks sixes")
            << 86 << QStringLiteral("<A HREF=\"01@\"><I><A NAME=\"7\">When all the lines  are sixes, it means:</I></A><p><dir>");
        QTest::newRow("bottom space") << 91 << QStringLiteral("<p>&nbsp;").repeated(14);
        QTest::newRow("carriage return")
            << 92 << QStringLiteral("The file DATA1.HHZ isn't founded. Velmora I Ching must be terminated!\r"
                                    "Please reinstall the program.");
        QTest::newRow("settings key") << 208 << QStringLiteral("Software\\Velmora\\Ching");
        QTest::newRow("uninstall parent")
            << 210 << QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
        QTest::newRow("library") << 216 << QStringLiteral("sortes.dll");
        QTest::newRow("skin folder fatal")
            << 300 << QStringLiteral("Fatal error (can't create SkinDir, may be Velmora I Ching is running from a "
                                     "CD-ROM). Velmora I Ching must be terminated!");
    }
    void texts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(uiString(StringId(id)), text);
    }

    void missingIdsAreEmpty_data()
    {
        QTest::addColumn<int>("id");
        for (int id : {0, 28, 30, 40, 45, 100, 199, 217, 299, 301, 57344, 65535})
            QTest::newRow(qPrintable(QString::number(id))) << id;
    }
    void missingIdsAreEmpty()
    {
        QFETCH(int, id);
        QVERIFY(uiString(StringId(id)).isEmpty());
    }

    void joinedMessagesHaveOneBlankAtEachSeam()
    {
        const QString archiveError = uiString(52) + uiString(212) + uiString(53) + QLatin1Char('\r') + uiString(1) +
                                     QLatin1Char(' ') + QLatin1String(kVersion) + uiString(54);
        QCOMPARE(archiveError, QStringLiteral("You can't open the DATA1.HHZ file of an invalid program.\r"
                                              "Velmora I Ching 2.0 must be terminated."));
        QCOMPARE(uiString(77) + QStringLiteral("sortes.dll") + uiString(78),
                 QStringLiteral("The file sortes.dll isn't founded. The installation must be canceled!"));
    }

    void everyTextFitsTheBuffer()
    {
        int present = 0;
        for (int id = 0; id <= 400; ++id) {
            const QString t = uiString(StringId(id));
            QVERIFY(t.size() <= 255);
            present += t.isEmpty() ? 0 : 1;
        }
        QCOMPARE(present, 108); // 1-27, 31-39, 46-99, 200-216 and 300
    }
};

QTEST_APPLESS_MAIN(TstStrings)
#include "tst_strings.moc"
