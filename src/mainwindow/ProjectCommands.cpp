// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProjectCommands.h"

#include "CommandBinder.h"
#include "DocumentCommands.h"
#include "ProjectFile.h"
#include "TfProjects.h"

#include <QFileInfo>

TProjectCommands::TProjectCommands(TDocumentCommands *commands, std::function<void(TColorCodeMode)> setColorCodingMode,
                                   QWidget *window)
    : QObject(window), m_commands(commands), m_setColorCodingMode(std::move(setColorCodingMode)), m_window(window)
{
}

void TProjectCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuFileCloseAll"}, this, [this] { CloseAll(); });
    commands.On({"mnuFileProjects", "spdProjects", "mnuPES_Projects"}, this, [this] { ShowProjects(); });
}

bool TProjectCommands::CloseAll()
{
    if (!m_commands->CloseAllDocuments())
        return false;
    SetCurrentProjectPath(QString());
    return true;
}

bool TProjectCommands::OpenProject(const QString &path, int level)
{
    const QStringList files = ReadProjectFile(path, true).value_or(QStringList());
    if (files.isEmpty() || !CloseAll())
        return false;
    m_setColorCodingMode(ColorCodeModeFromNumber(level));
    QStringList existing;
    for (const QString &file : files)
        if (QFileInfo(file).isFile())
            existing.append(file);
    m_commands->OpenInOrder(existing);
    return true;
}

void TProjectCommands::ShowProjects()
{
    TfProjects dialog([this](const QString &path, int level) { return OpenProject(path, level); },
                      [this](const QString &path) { m_commands->OpenDocuments(path, 0); }, m_window);
    if (dialog.exec() == QDialog::Accepted)
        SetCurrentProjectPath(dialog.Project().Path());
    m_commands->FocusEditor();
}
