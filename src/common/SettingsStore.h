// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-user settings store. Settings are addressed the way the Windows
// registry addresses them: a key path under the current user such as
// "Software\Velicort\ColorCoding" and a value name. Key paths and names compare
// without case; every value is stored as a string (integers as decimal text,
// booleans as "-1" and "0"). On Linux the store is an INI file at the XDG
// config location, or the file named by the environment variable
// VELICORT_SETTINGS.

#include <QString>
#include <QVariant>

#include <optional>

// The file that holds the settings.
QString SettingsFilePath();

// While one lives, the values written reach the file together when it ends:
// one rewrite of the file instead of one per value (closing the main window
// writes some thirty). Batches nest; the outermost one writes.
class TSettingsBatch
{
public:
    TSettingsBatch();
    ~TSettingsBatch();
    TSettingsBatch(const TSettingsBatch &) = delete;
    TSettingsBatch &operator=(const TSettingsBatch &) = delete;

private:
    bool m_outermost;
};

// The stored string, or the default converted to a string when the key or the
// value is missing. Never creates anything.
QString ReadRegValue(const QString &section, const QString &name, const QVariant &defaultValue);

// Writes the value converted to a string, creating the key when it is missing.
void WriteRegValue(const QString &section, const QString &name, const QVariant &value);

// Deletes a key with its values and subkeys.
void EraseRegKey(const QString &section);

// An integer value: decimal text, or hexadecimal with a leading "0x"; a
// missing or non-numeric value gives the default.
qint64 ReadRegInteger(const QString &section, const QString &name, qint64 defaultValue);

// A boolean value, the one way every boolean setting is read. The program
// writes "-1" and "0"; a value edited by hand may say "1" or "true", and
// means true just as well: any number but 0, or "true" in any case, is true;
// "0" or "false" is false; a missing, empty or unreadable value gives the
// default.
bool ReadRegBool(const QString &section, const QString &name, bool defaultValue);

// An integer written as decimal text, or hexadecimal with a leading "0x".
std::optional<qint64> ParseIntegerText(const QString &text);

// The text a value is stored as: booleans "-1"/"0", numbers in decimal.
QString RegValueText(const QVariant &value);

// Whether the web engine module is installed beside the program, to show
// previews with (the settings of other software that the Windows form read
// are answered here).
bool BrowserObjectInstalled();
