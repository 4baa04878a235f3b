// SPDX-License-Identifier: GPL-3.0-or-later
// artgen OUTDIR
// artgen --contact-sheet FILE.png OUTDIR
//
// Writes every picture, cursor and sound of the program into OUTDIR, the same bytes on every run,
// and OUTDIR/manifest.txt naming them for the archive builder. The contact sheet is one PNG of
// everything for people to review.
#include "ArtSet.h"
#include "ContactSheet.h"
#include "Generators.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <exception>

namespace
{

int usage()
{
    std::fprintf(stderr, "usage: artgen OUTDIR\n       artgen --contact-sheet FILE.png OUTDIR\n");
    return 2;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Nothing here needs a display; the offscreen platform only serves the contact sheet's fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    QString sheetPath;
    QString outDir;
    if (args.size() == 1 && !args[0].startsWith(QLatin1String("--"))) {
        outDir = args[0];
    } else if (args.size() == 3 && args[0] == QLatin1String("--contact-sheet")) {
        sheetPath = args[1];
        outDir = args[2];
    } else {
        return usage();
    }

    ArtSet art;
    try {
        addPageArt(art);
        addSkinArt(art);
        addIconArt(art);
        addCoinArt(art);
        addPaintings(art);
        addSoundArt(art);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }

    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    const QDir dir(outDir);
    QStringList names;
    for (const ArtItem &item : art.items()) {
        if (!writeFile(dir.filePath(item.name), item.bytes))
            return 1;
        names << item.name;
    }
    std::sort(names.begin(), names.end());
    if (!writeFile(dir.filePath(QStringLiteral("manifest.txt")),
                   (names.join(QLatin1Char('\n')) + '\n').toUtf8()))
        return 1;

    if (!sheetPath.isEmpty()) {
        const QImage sheet = buildContactSheet(art);
        if (!sheet.save(sheetPath, "PNG")) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(sheetPath));
            return 1;
        }
    }
    std::printf("artgen: %d files in %s\n", int(names.size()), qPrintable(dir.absolutePath()));
    return 0;
}
