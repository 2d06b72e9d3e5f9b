// SPDX-License-Identifier: GPL-3.0-or-later
#include "URLHistory.h"

#include "ProjectFile.h"
#include "SettingsStore.h"
#include "TagText.h"

#include <QFileInfo>

namespace {

const QString HistoryKey = QStringLiteral("Software\\Velicort\\URLHistory");

} // namespace

QStringList ReadURLHistory()
{
    QStringList urls;
    for (int i = 1; i <= URLHistoryLimit; ++i) {
        const QString url = ReadRegValue(HistoryKey, QStringLiteral("URL%1").arg(i), QString());
        if (url.isEmpty())
            break;
        urls.append(url);
    }
    return urls;
}

void AddToURLHistory(const QString &url)
{
    QStringList urls = ReadURLHistory();
    urls.removeAll(url);
    urls.prepend(url);
    const TSettingsBatch batch;
    EraseRegKey(HistoryKey);
    for (int i = 0; i < urls.size() && i < URLHistoryLimit; ++i)
        WriteRegValue(HistoryKey, QStringLiteral("URL%1").arg(i + 1), urls.at(i));
}

QStringList KnownURLs(const QString &documentFolder, bool lowerCaseFiles)
{
    const QString project = CurrentProjectPath();
    if (project.isEmpty())
        return ReadURLHistory();
    QStringList urls;
    for (const QString &file : ReadProjectFile(project, false).value_or(QStringList())) {
        const QFileInfo info(file);
        urls.append(MakeRelativeFolder(documentFolder, info.absolutePath(), lowerCaseFiles) + info.fileName());
    }
    return urls;
}
