// SPDX-License-Identifier: GPL-3.0-or-later
// hhz: builds and inspects the program's data archives.
#include "packer.h"

#include "ansi.h"
#include "methods.h"
#include "tcompress.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <iostream>

using namespace archive;

namespace {

constexpr uint32_t kProgramKey = CHING_ARCHIVE_KEY;

int usage()
{
    std::cerr << "usage:\n"
                 "  hhz list ARCHIVE\n"
                 "  hhz cat ARCHIVE MEMBER\n"
                 "  hhz extract ARCHIVE [MEMBER...] -C DIR\n"
                 "  hhz pack ARCHIVE [--method store|rle|lzhuf|lh5] [--lock] [--ansi] [--list LISTFILE] FILE...\n"
                 "\n"
                 "A list file names one file a line: PATH [method=M] [lock] [ansi] [name=MEMBER]\n"
                 "(paths relative to the list file; # starts a comment). 'ansi' stores UTF-8 text\n"
                 "as Windows-1252. Dates come from SOURCE_DATE_EPOCH when set, else from the files.\n";
    return 2;
}

QString dosDateText(uint32_t dos)
{
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(1980 + int(dos >> 25))
        .arg(int((dos >> 21) & 0x0F), 2, 10, QLatin1Char('0'))
        .arg(int((dos >> 16) & 0x1F), 2, 10, QLatin1Char('0'))
        .arg(int((dos >> 11) & 0x1F), 2, 10, QLatin1Char('0'))
        .arg(int((dos >> 5) & 0x3F), 2, 10, QLatin1Char('0'));
}

int list(const QString &archiveName)
{
    TCompress compress;
    const QList<MemberInfo> members = compress.members(archiveName);
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("name"), -24)
               .arg(QStringLiteral("method"), -7)
               .arg(QStringLiteral("size"), 10)
               .arg(QStringLiteral("stored"), 10)
               .arg(QStringLiteral("lock"), -6)
               .arg(QStringLiteral("date"));
    for (const MemberInfo &m : members) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(m.name, -24)
                   .arg(methodName(m.method), -7)
                   .arg(m.expandedSize, 10)
                   .arg(m.storedSize, 10)
                   .arg(m.locked() ? QStringLiteral("locked") : QStringLiteral("-"), -6)
                   .arg(dosDateText(m.dosDateTime));
    }
    return 0;
}

int cat(const QString &archiveName, const QString &member)
{
    TCompress compress;
    compress.Key = kProgramKey;
    bool found = false;
    for (const MemberInfo &m : compress.members(archiveName))
        found = found || m.name.compare(member, Qt::CaseInsensitive) == 0;
    if (!found) {
        std::cerr << "hhz: no member \"" << member.toStdString() << "\" in " << archiveName.toStdString() << "\n";
        return 1;
    }
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    compress.expandToStream(archiveName, out, member);
    return 0;
}

int extract(const QString &archiveName, QStringList names, const QString &dir)
{
    TCompress compress;
    compress.Key = kProgramKey;
    compress.ExceptionOnFileError = true; // a tool run should say what it could not write
    compress.TargetPath = dir;
    if (!QDir().mkpath(dir)) {
        std::cerr << "hhz: cannot create " << dir.toStdString() << "\n";
        return 1;
    }
    if (names.isEmpty())
        for (const MemberInfo &m : compress.members(archiveName))
            names << m.name;
    compress.expandToFolder(archiveName, names);
    for (const QString &path : names)
        std::cout << path.toStdString() << "\n";
    return 0;
}

struct PackOptions {
    int method = Lh5;
    bool lock = false;
    bool ansi = false;
};

uint32_t dateOf(const QString &path)
{
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    const QDateTime when = epoch.isEmpty() ? QFileInfo(path).lastModified().toUTC()
                                           : QDateTime::fromSecsSinceEpoch(epoch.toLongLong(), Qt::UTC);
    const QDate d = when.date();
    const QTime t = when.time();
    return toDosDateTime(std::max(d.year(), 1980), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

PackEntry readEntry(const QString &path, const QString &name, const PackOptions &options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString() + ": " + file.errorString().toStdString());
    PackEntry entry;
    entry.name = name.isEmpty() ? QFileInfo(path).fileName() : name;
    entry.data = file.readAll();
    if (options.ansi) {
        bool changed = false;
        entry.data = platform::toAnsi(QString::fromUtf8(entry.data), &changed);
        if (changed)
            throw std::runtime_error(path.toStdString() + " holds characters that Windows-1252 lacks");
    }
    entry.method = uint8_t(options.method);
    entry.locked = options.lock;
    entry.dosDateTime = dateOf(path);
    return entry;
}

QList<PackEntry> readListFile(const QString &listPath, const PackOptions &defaults)
{
    QFile file(listPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + listPath.toStdString());
    const QDir base = QFileInfo(listPath).absoluteDir();
    QList<PackEntry> entries;
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        PackOptions options = defaults;
        QString name;
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QString &w = words[i];
            if (w.startsWith(QLatin1String("method=")))
                options.method = methodFromName(w.mid(7));
            else if (w == QLatin1String("lock"))
                options.lock = true;
            else if (w == QLatin1String("ansi"))
                options.ansi = true;
            else if (w.startsWith(QLatin1String("name=")))
                name = w.mid(5);
            else
                options.method = -1;
            if (options.method < 0)
                throw std::runtime_error(QStringLiteral("%1:%2: cannot read \"%3\"")
                                             .arg(listPath).arg(lineNumber).arg(w).toStdString());
        }
        entries << readEntry(base.absoluteFilePath(words[0]), name, options);
    }
    return entries;
}

int pack(const QString &archiveName, const QStringList &args)
{
    PackOptions options;
    QList<PackEntry> entries;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--method") && i + 1 < args.size()) {
            options.method = methodFromName(args[++i]);
            if (options.method < 0)
                return usage();
        } else if (a == QLatin1String("--lock")) {
            options.lock = true;
        } else if (a == QLatin1String("--ansi")) {
            options.ansi = true;
        } else if (a == QLatin1String("--list") && i + 1 < args.size()) {
            entries << readListFile(args[++i], options);
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            entries << readEntry(a, QString(), options);
        }
    }
    QSaveFile out(archiveName);
    if (!out.open(QIODevice::WriteOnly)) {
        std::cerr << "hhz: cannot write " << archiveName.toStdString() << "\n";
        return 1;
    }
    out.write(buildArchive(entries, kProgramKey, options.method));
    if (!out.commit()) {
        std::cerr << "hhz: cannot write " << archiveName.toStdString() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString command = args.takeFirst();
    const QString archiveName = args.takeFirst();
    try {
        if (command == QLatin1String("list") && args.isEmpty())
            return list(archiveName);
        if (command == QLatin1String("cat") && args.size() == 1)
            return cat(archiveName, args.first());
        if (command == QLatin1String("extract")) {
            const qsizetype c = args.indexOf(QStringLiteral("-C"));
            if (c < 0 || c + 1 >= args.size())
                return usage();
            const QString dir = args[c + 1];
            args.remove(c, 2);
            return extract(archiveName, args, dir);
        }
        if (command == QLatin1String("pack"))
            return pack(archiveName, args);
    } catch (const std::exception &e) {
        std::cerr << "hhz: " << e.what() << "\n";
        return 1;
    }
    return usage();
}
