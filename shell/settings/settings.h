// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry.h"

#include <QString>
#include <QVariant>

#include <variant>

namespace ching {

// The program's settings as they live in memory between start and a normal close. A default
// constructed Settings holds the defaults of the settings table.
struct Settings {
    Settings();

    QString programFolder; // written for the installer's sake, never read back
    QString fontName;      // the viewer's default font
    int fontSize = 0;
    QString password; // the answers password; empty means none
    bool viewAuto = false; // automatic view in the answers window
    bool playSound = false;
    bool noTips = false; // true: no tips window at start
    int stalkDelay = 0;  // milliseconds per stalk step
    int coinDelay = 0;   // milliseconds per coin frame
    QString skinName;    // a folder name under skins/, ending in "/"
};

// How one value is stored and read back.
enum class SettingKind {
    Text,
    Number,
    NumberNotZero, // a stored 0 reads as the default
    Flag,
    ScrambledText, // the password
    SkinName,      // trailing blanks dropped; empty reads as the default
    WriteOnly,     // a text that is stored but never read
};

using SettingField = std::variant<QString Settings::*, int Settings::*, bool Settings::*>;

// One stored setting: value name, kind, default, and where it lives in Settings.
struct SettingDef {
    QString name;
    SettingKind kind;
    QVariant defaultValue;
    SettingField field;
};

// The stored values in the order they are written; they are read in the same order.
const QList<SettingDef> &settingDefs();

// The registry key the settings live in.
platform::TRegistryEnhanced settingsKey();

// Reads the settings. A store without "FontName" (never closed normally) leaves every value at
// its default, so a half-written store is never read partly.
Settings cargaIni(const platform::TRegistryEnhanced &store);

// Writes every value in table order. Throws platform::ERegistryException when a write is refused.
void grabaIni(platform::TRegistryEnhanced &store, const Settings &settings);

// Obfuscation of the stored password: an offset from a fixed generator per character.
QString scramblePassword(const QString &password);
QString unscramblePassword(const QString &stored);

} // namespace ching
