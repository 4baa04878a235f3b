// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry. For now the window shows the book's introduction as stored in DATA1.HHZ; the
// reader, the oracle and the rest of the main window are built on top of this.
#include "dataarchive.h"
#include "sortes.h"
#include "uistring.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QMessageBox>
#include <QTextBrowser>

#include <cstdio>

namespace {

// A viewer that takes its pictures from the archive.
class ArchiveBrowser : public QTextBrowser {
public:
    explicit ArchiveBrowser(const archive::DataArchive &data) : m_data(data) {}

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type != QTextDocument::ImageResource)
            return QTextBrowser::loadResource(type, name);
        try {
            QImage image;
            image.loadFromData(m_data.member(name.path().toLower()));
            return image;
        } catch (const std::exception &) {
            return {}; // a picture that cannot be had stays blank
        }
    }

private:
    const archive::DataArchive &m_data;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && QByteArray(argv[1]) == "--version") {
        // Also proves that the line-casting library beside the program was found and bound.
        std::printf("%s %s (line casting %s)\n", qPrintable(ching::uiString(1)), ching::kVersion,
                    sortes_line(1, 7) == 1 && sortes_line(2, 9) == 0 ? "ready" : "broken");
        return 0;
    }

    QApplication app(argc, argv);
    app.setApplicationName(ching::uiString(1));
    // The archive is always opened by its bare name from the program's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QString archiveName = ching::uiString(212);
    if (!QFile::exists(archiveName)) {
        QMessageBox::critical(nullptr, ching::uiString(1), ching::uiString(92));
        return 1;
    }

    archive::TCompress compress;
    compress.Key = CHING_ARCHIVE_KEY;
    archive::DataArchive data(compress, archiveName);
    ArchiveBrowser browser(data);
    browser.setWindowTitle(ching::uiString(1));
    browser.resize(800, 600);
    try {
        browser.setHtml(data.memberLines(QStringLiteral("intro.htm")).join(QLatin1Char('\n')));
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, ching::uiString(1), QString::fromStdString(e.what()));
        return 1;
    }
    browser.show();
    return app.exec();
}
