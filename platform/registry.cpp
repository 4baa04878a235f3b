// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {
namespace {

const QString kNumberPrefix = QStringLiteral("dword:");
const QString kTextPrefix = QStringLiteral("sz:");

QString rootFileName(RootKey root)
{
    switch (root) {
    case RootKey::hkClassesRoot: return QStringLiteral("classes-root.ini");
    case RootKey::hkCurrentConfig: return QStringLiteral("current-config.ini");
    case RootKey::hkCurrentUser: return QStringLiteral("current-user.ini");
    case RootKey::hkDynData: return QStringLiteral("dyn-data.ini");
    case RootKey::hkLocalMachine: return QStringLiteral("local-machine.ini");
    case RootKey::hkUsers: return QStringLiteral("users.ini");
    }
    return QStringLiteral("current-user.ini");
}

// Backslash path to a settings group: empty parts (leading, trailing, doubled) drop out.
QString toGroup(const QString &path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

QString encode(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return kNumberPrefix + QStringLiteral("%1").arg(value.toBool() ? 1 : 0, 8, 16, QLatin1Char('0'));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return kNumberPrefix + QStringLiteral("%1").arg(quint32(value.toLongLong()), 8, 16, QLatin1Char('0'));
    default: {
        const QString text = value.toString();
        if (text.startsWith(kNumberPrefix) || text.startsWith(kTextPrefix))
            return kTextPrefix + text;
        return text;
    }
    }
}

QVariant decode(const QString &stored)
{
    if (stored.startsWith(kNumberPrefix)) {
        bool ok = false;
        const quint32 number = stored.mid(kNumberPrefix.size()).toUInt(&ok, 16);
        return ok ? QVariant(int(number)) : QVariant(0);
    }
    if (stored.startsWith(kTextPrefix))
        return stored.mid(kTextPrefix.size());
    return stored;
}

} // namespace

QString TRegistryEnhanced::storeFile(RootKey root)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QStringLiteral("/velmora/") + rootFileName(root);
}

QString TRegistryEnhanced::groupFor(const QString &valueName, QString *leaf) const
{
    QString group = toGroup(key);
    const int cut = valueName.lastIndexOf(QLatin1Char('\\'));
    *leaf = cut < 0 ? valueName : valueName.mid(cut + 1);
    if (cut > 0) {
        const QString sub = toGroup(valueName.left(cut));
        if (!sub.isEmpty())
            group = group.isEmpty() ? sub : group + QLatin1Char('/') + sub;
    }
    return group;
}

bool TRegistryEnhanced::keyExists() const
{
    const QString file = storeFile(rootKey);
    if (!QFileInfo::exists(file))
        return false;
    QSettings store(file, QSettings::IniFormat);
    const QString group = toGroup(key);
    if (group.isEmpty())
        return true;
    store.beginGroup(group);
    return !store.allKeys().isEmpty();
}

QVariant TRegistryEnhanced::readValue(const QString &name) const
{
    const QString file = storeFile(rootKey);
    if (!QFileInfo::exists(file))
        return {};
    QSettings store(file, QSettings::IniFormat);
    QString leaf;
    const QString group = groupFor(name, &leaf);
    if (leaf.isEmpty())
        return {};
    const QVariant raw = store.value(group.isEmpty() ? leaf : group + QLatin1Char('/') + leaf);
    if (!raw.isValid())
        return {};
    return decode(raw.toString());
}

bool TRegistryEnhanced::writeValue(const QString &name, const QVariant &value)
{
    const QString file = storeFile(rootKey);
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        return false; // the key cannot be created: nothing is stored, as with a refused key
    if (info.exists() ? !info.isWritable() : !QFileInfo(info.absolutePath()).isWritable())
        return false;
    QString leaf;
    const QString group = groupFor(name, &leaf);
    QSettings store(file, QSettings::IniFormat);
    store.setValue(group.isEmpty() ? leaf : group + QLatin1Char('/') + leaf, encode(value));
    store.sync();
    if (leaf.isEmpty() || store.status() != QSettings::NoError)
        throw ERegistryException("Failed to set data for '" + name.toStdString() + "'");
    return true;
}

bool TRegistryEnhanced::deleteKey(const QString &path)
{
    const QString file = storeFile(rootKey);
    if (!QFileInfo::exists(file))
        return false;
    QSettings store(file, QSettings::IniFormat);
    QString group = toGroup(key);
    const QString sub = toGroup(path);
    if (!sub.isEmpty())
        group = group.isEmpty() ? sub : group + QLatin1Char('/') + sub;
    if (group.isEmpty())
        return false;
    store.beginGroup(group);
    const bool existed = !store.allKeys().isEmpty();
    store.endGroup();
    store.remove(group);
    store.sync();
    return existed && store.status() == QSettings::NoError;
}

QStringList TRegistryEnhanced::subKeys() const
{
    const QString file = storeFile(rootKey);
    if (!QFileInfo::exists(file))
        return {};
    QSettings store(file, QSettings::IniFormat);
    const QString group = toGroup(key);
    if (!group.isEmpty())
        store.beginGroup(group);
    return store.childGroups();
}

} // namespace platform
