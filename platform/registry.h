// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <stdexcept>

namespace platform {

enum class RootKey { hkClassesRoot, hkCurrentConfig, hkCurrentUser, hkDynData, hkLocalMachine, hkUsers };
enum class Access { kRead, kWrite, kExecute, kAllAccess };

// A value write the store refused.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Keys and values in the style of the Windows registry, kept in one INI file per root under
// $XDG_CONFIG_HOME/velmora/. A key path is a group; numbers keep their kind by being stored as
// "dword:xxxxxxxx" (a text that happens to start with a kind prefix is stored as "sz:" + text).
class TRegistryEnhanced {
public:
    RootKey rootKey = RootKey::hkCurrentUser;
    Access access = Access::kAllAccess;
    QString key; // backslash-separated; leading and trailing backslashes are ignored

    // The value's content: QString for a text, int for a 32-bit number, an invalid QVariant when
    // the key or the value is missing. A value name may hold backslashes: the part before the
    // last one names a sub-key of `key`.
    QVariant readValue(const QString &name) const;

    // Writes by the variant's kind: int and bool as a number (bool as 0 or 1), anything else as
    // a text. Returns false without a message when the key cannot be created; throws
    // ERegistryException "Failed to set data for 'name'" when the store refuses the value.
    bool writeValue(const QString &name, const QVariant &value);

    bool keyExists() const;
    // Removes a key and everything below it; false when it did not exist.
    bool deleteKey(const QString &path);
    // Names of the sub-keys directly below `key`.
    QStringList subKeys() const;

    // The file that holds a root.
    static QString storeFile(RootKey root);

private:
    QString groupFor(const QString &valueName, QString *leaf) const;
};

} // namespace platform
