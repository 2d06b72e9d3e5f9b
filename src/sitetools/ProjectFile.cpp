// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProjectFile.h"

#include "IniFile.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString ProjectSection = QStringLiteral("Project");
const QString FileListSection = QStringLiteral("FileList");

QString FileKey(qsizetype number)
{
    return QStringLiteral("File%1").arg(number);
}

QString g_currentProjectPath;

} // namespace

QString CurrentProjectPath()
{
    return g_currentProjectPath;
}

void SetCurrentProjectPath(const QString &path)
{
    g_currentProjectPath = path;
}

QString ProjectFolder()
{
    QString folder = ReadRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectDir"), QString());
    if (folder.isEmpty()) {
        // Our own folder: made on first use, so that a new user can start a
        // project at once.
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Projects");
        QDir().mkpath(folder);
    }
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString ProjectFilePath(const QString &name)
{
    return ProjectFolder() + name + ProjectFileExtension;
}

QString ProjectName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(ProjectFileExtension, Qt::CaseInsensitive))
        name.chop(ProjectFileExtension.size());
    return name;
}

int ReadProjectColorCoding()
{
    const qint64 level = ReadRegInteger(RegistryKeys::Velicort, QStringLiteral("ProjectColorCoding"), 2);
    return level >= 0 && level <= 2 ? int(level) : 2;
}

void WriteProjectColorCoding(int level)
{
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectColorCoding"), QString::number(level));
}

void SortProjectFiles(QStringList &files)
{
    std::stable_sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

std::optional<QStringList> ReadProjectFile(const QString &path, bool sorted)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const TIniFile ini(path);
    QStringList files;
    for (qsizetype number = 1;; ++number) {
        const QString file = ini.ReadString(FileListSection, FileKey(number), QString());
        if (file.isEmpty())
            break;
        files.append(file);
    }
    if (sorted)
        SortProjectFiles(files);
    return files;
}

bool WriteProjectFile(const QString &path, const QStringList &files)
{
    if (QFileInfo::exists(path)) {
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::copy(path, backup))
            MessageDlg(QStringLiteral("Unable to backup project data file."), TMsgKind::Error);
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        MessageDlg(QStringLiteral("The path to your project files - ") + QDir::toNativeSeparators(folder) +
                       QStringLiteral(" - is invalid."),
                   TMsgKind::Error);
        return false;
    }
    TIniFile ini(path);
    if (!ini.WriteString(ProjectSection, QStringLiteral("ProjectName"), ProjectName(path)) ||
        !ini.WriteString(ProjectSection, QStringLiteral("Version"), QStringLiteral("2.5")))
        return false;
    ini.EraseSection(FileListSection);
    for (qsizetype i = 0; i < files.size(); ++i)
        if (!ini.WriteString(FileListSection, FileKey(i + 1), files.at(i)))
            return false;
    return ini.UpdateFile();
}
