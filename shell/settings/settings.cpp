// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include "ansi.h"
#include "uistring.h"

namespace ching {
namespace {

// String table ids of the value names.
enum : StringId { kFontName = 200, kPassword = 201, kViewAuto = 202, kPlaySound = 205, kFontSize = 206,
                  kStalkDelay = 214, kCoinDelay = 215, kSettingsKey = 208 };

const QString kTips = QStringLiteral("Tips");
const QString kSkinDir = QStringLiteral("SkinDir");
const QString kPath = QStringLiteral("Path");

// The password offsets: a linear congruential generator restarted for every password.
class PasswordStream {
public:
    int next()
    {
        m_state = m_state * 134775813u + 1u;
        return int((uint64_t(m_state) * 99u) >> 32); // 0..98
    }

private:
    uint32_t m_state = 0x5A17C3E4u;
};

// Characters of the Windows ANSI set are offset as bytes 1..255, wrapping past 255; a character
// outside the set (which the ANSI-only store could never hold) is kept as it is. Since an offset
// byte always maps back into the set, the two kinds never mix up when unscrambling.
QString transform(const QString &text, bool scramble)
{
    PasswordStream offsets;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int r = offsets.next();
        const int code = platform::charToAnsi(c);
        if (code <= 0) {
            out.append(c);
            continue;
        }
        int shifted;
        if (scramble)
            shifted = code + r < 256 ? code + r : code + r - 255;
        else
            shifted = code - r > 0 ? code - r : code - r + 255;
        out.append(platform::ansiToChar(uint8_t(shifted)));
    }
    return out;
}

QString readSkinName(const QString &stored, const QString &fallback)
{
    QString name = stored;
    while (!name.isEmpty() && name.back().isSpace())
        name.chop(1);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name.isEmpty() ? fallback : name;
}

void assign(Settings &s, const SettingField &field, const QVariant &value)
{
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(s.*member)>;
            s.*member = value.value<T>();
        },
        field);
}

QVariant fetch(const Settings &s, const SettingField &field)
{
    return std::visit([&](auto member) { return QVariant::fromValue(s.*member); }, field);
}

} // namespace

Settings::Settings()
{
    for (const SettingDef &def : settingDefs())
        assign(*this, def.field, def.defaultValue);
}

const QList<SettingDef> &settingDefs()
{
    static const QList<SettingDef> defs = {
        {kPath, SettingKind::WriteOnly, QString(), &Settings::programFolder},
        {uiString(kFontName), SettingKind::Text, QStringLiteral("Times New Roman"), &Settings::fontName},
        {uiString(kFontSize), SettingKind::Number, 13, &Settings::fontSize},
        {uiString(kPassword), SettingKind::ScrambledText, QString(), &Settings::password},
        {uiString(kViewAuto), SettingKind::Flag, false, &Settings::viewAuto},
        {uiString(kPlaySound), SettingKind::Flag, false, &Settings::playSound},
        {kTips, SettingKind::Flag, false, &Settings::noTips},
        {uiString(kStalkDelay), SettingKind::NumberNotZero, 40, &Settings::stalkDelay},
        {uiString(kCoinDelay), SettingKind::NumberNotZero, 60, &Settings::coinDelay},
        {kSkinDir, SettingKind::SkinName, QStringLiteral("standard/"), &Settings::skinName},
    };
    return defs;
}

platform::TRegistryEnhanced settingsKey()
{
    platform::TRegistryEnhanced key;
    key.rootKey = platform::RootKey::hkLocalMachine;
    key.access = platform::Access::kAllAccess;
    key.key = uiString(kSettingsKey);
    return key;
}

QString scramblePassword(const QString &password)
{
    return transform(password, true);
}

QString unscramblePassword(const QString &stored)
{
    return transform(stored, false);
}

Settings cargaIni(const platform::TRegistryEnhanced &store)
{
    Settings s;
    // A store that was never written completely holds no font name: keep every default.
    if (store.readValue(uiString(kFontName)).toString().isEmpty())
        return s;
    for (const SettingDef &def : settingDefs()) {
        const QVariant stored = store.readValue(def.name);
        switch (def.kind) {
        case SettingKind::WriteOnly:
            break;
        case SettingKind::Text:
            assign(s, def.field, stored.toString());
            break;
        case SettingKind::ScrambledText:
            assign(s, def.field, unscramblePassword(stored.toString()));
            break;
        case SettingKind::Number:
            assign(s, def.field, stored.toInt());
            break;
        case SettingKind::NumberNotZero:
            assign(s, def.field, stored.toInt() != 0 ? stored.toInt() : def.defaultValue.toInt());
            break;
        case SettingKind::Flag:
            assign(s, def.field, stored.toInt() != 0);
            break;
        case SettingKind::SkinName:
            assign(s, def.field, readSkinName(stored.toString(), def.defaultValue.toString()));
            break;
        }
    }
    return s;
}

void grabaIni(platform::TRegistryEnhanced &store, const Settings &s)
{
    for (const SettingDef &def : settingDefs()) {
        QVariant value = fetch(s, def.field);
        if (def.kind == SettingKind::ScrambledText)
            value = scramblePassword(value.toString());
        else if (def.kind == SettingKind::WriteOnly && !value.toString().endsWith(QLatin1Char('/')))
            value = value.toString() + QLatin1Char('/');
        if (!store.writeValue(def.name, value))
            return; // the key cannot be created: the settings are not stored
    }
}

} // namespace ching
