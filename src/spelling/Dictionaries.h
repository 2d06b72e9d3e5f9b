// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Hunspell dictionaries installed on the system, named as the setting
// DictionaryMain names them: "en_US" for the system's en_US.dic, or the full
// path of a ".dic" file anywhere else.

#include <QString>
#include <QStringList>

inline const QString DefaultDictionaryName = QStringLiteral("en_US");

// The names of the installed dictionaries, sorted.
QStringList InstalledDictionaries();
// The ".dic" file a setting names; a name not installed gives a path that
// does not exist, which the check reports.
QString DictionaryFilePath(const QString &setting);
