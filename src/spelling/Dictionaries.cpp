// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dictionaries.h"

#include "Paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Where Debian's dictionary packages put them.
const QStringList &SystemFolders()
{
    static const QStringList folders = {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell")};
    return folders;
}

} // namespace

QStringList InstalledDictionaries()
{
    QStringList names;
    for (const QString &folder : SystemFolders()) {
        const QDir dir(folder);
        for (const QFileInfo &dic : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files)) {
            const QString name = dic.completeBaseName();
            if (!names.contains(name) && QFileInfo::exists(dir.filePath(name + QStringLiteral(".aff"))))
                names.append(name);
        }
    }
    names.sort();
    return names;
}

QString DictionaryFilePath(const QString &setting)
{
    if (IsAbsoluteFilePath(setting))
        return setting;
    const QString file = setting.endsWith(QStringLiteral(".dic")) ? setting : setting + QStringLiteral(".dic");
    for (const QString &folder : SystemFolders()) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(SystemFolders().first()).filePath(file);
}
