// SPDX-License-Identifier: GPL-3.0-or-later
#include "Templates.h"

#include "Paths.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStandardPaths>

#include <filesystem>

namespace {

const QString TemplateExtension = QStringLiteral(".vct");

QString ShippedTemplateFolder()
{
    return DataFilePath(QStringLiteral("Templates"));
}

// The template files of a folder by name, keyed without case.
QMap<QString, QString> TemplatesIn(const QString &folder)
{
    QMap<QString, QString> files;
    // Name filters ignore case, so "PAGE.VCT" is a template too.
    const QDir dir(folder, u'*' + TemplateExtension, QDir::NoSort, QDir::Files);
    for (const QFileInfo &file : dir.entryInfoList())
        files.insert(file.completeBaseName().toCaseFolded(), file.filePath());
    return files;
}

// Both folders' templates, the user's replacing shipped ones.
QMap<QString, QString> AllTemplates()
{
    QMap<QString, QString> files = TemplatesIn(ShippedTemplateFolder());
    files.insert(TemplatesIn(UserTemplateFolder()));
    return files;
}

std::filesystem::path FileSystemPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

QString UserTemplateFolder()
{
    const QString folder = ReadRegValue(RegistryKeys::Velicort, QStringLiteral("TemplateDir"), QString());
    if (!folder.isEmpty())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Templates");
}

QStringList TemplateNames()
{
    QStringList names;
    for (const QString &path : AllTemplates())
        names.append(QFileInfo(path).completeBaseName());
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TemplatePath(const QString &name)
{
    return AllTemplates().value(name.toCaseFolded());
}

bool IsShippedTemplate(const QString &name)
{
    const QString key = name.toCaseFolded();
    return TemplatesIn(ShippedTemplateFolder()).contains(key) && !TemplatesIn(UserTemplateFolder()).contains(key);
}

std::error_code CreateUserTemplate(const QString &source, const QString &name)
{
    const QString folder = UserTemplateFolder();
    std::error_code error;
    std::filesystem::create_directories(FileSystemPath(folder), error);
    if (error)
        return error;
    // A user template whose name differs only in case is the one replaced.
    const QString target =
        TemplatesIn(folder).value(name.toCaseFolded(), QDir(folder).filePath(name + TemplateExtension));
    // The template itself chosen as the source: nothing to copy. (Files
    // that do not exist compare equal.)
    if (const QFileInfo existing(target); existing.exists() && existing == QFileInfo(source))
        return error;
    const std::filesystem::path targetPath = FileSystemPath(target);
    std::filesystem::copy_file(FileSystemPath(source), targetPath, std::filesystem::copy_options::overwrite_existing,
                               error);
    // The copy takes the source's permissions; a template made from a
    // read-only file must still be replaceable.
    if (!error)
        std::filesystem::permissions(targetPath,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
    return error;
}
