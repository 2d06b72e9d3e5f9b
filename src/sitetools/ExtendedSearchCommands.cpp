// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtendedSearchCommands.h"

#include "CommandBinder.h"
#include "EscapeWatcher.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "LongRun.h"
#include "MessageService.h"
#include "Notices.h"
#include "ProjectFile.h"
#include "TfExtendedSearch.h"
#include "TfReplaceResults.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QScopeGuard>

#include <cmath>

TExtendedSearchCommands::TExtendedSearchCommands(TvqHTMLTab *documents, TExtendedSearchHost host, QWidget *window)
    : QObject(window), m_documents(documents), m_host(std::move(host)), m_window(window),
      m_find(new TfExtendedSearch(false, window)), m_replace(new TfExtendedSearch(true, window))
{
}

void TExtendedSearchCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuSearchFindEx"}, this, [this] { ShowFind(); });
    commands.On({"mnuSearchReplaceEx", "spdReplaceEx"}, this, [this] { ShowReplace(); });
}

void TExtendedSearchCommands::Prepare(TfExtendedSearch *dialog)
{
    QStringList projects;
    const QFileInfoList files =
        QDir(ProjectFolder()).entryInfoList({u'*' + ProjectFileExtension}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files)
        projects.append(file.completeBaseName());
    const QString current = CurrentProjectPath();
    dialog->Prepare(m_documents->ActiveEditor()->SelText(), projects,
                    current.isEmpty() ? QString() : ProjectName(current), m_host.fileFolder());
}

void TExtendedSearchCommands::ShowFind()
{
    Prepare(m_find);
    if (m_find->exec() == QDialog::Accepted)
        RunFind();
}

void TExtendedSearchCommands::ShowReplace()
{
    if (ShowOnceNotice(nmExtendedReplace) == TMsgResult::Cancel)
        return;
    Prepare(m_replace);
    if (m_replace->exec() == QDialog::Accepted)
        RunReplace();
}

std::optional<QStringList> TExtendedSearchCommands::FileList(const TfExtendedSearch *dialog)
{
    if (dialog->Scope() == esProject) {
        const QString path = ProjectFilePath(dialog->ProjectName());
        const std::optional<QStringList> files = ReadProjectFile(path, false);
        if (!files || files->isEmpty()) {
            MessageDlg(QStringLiteral("Project \"") + path + QStringLiteral("\" is empty."), TMsgKind::Information);
            return std::nullopt;
        }
        return files;
    }
    THourglass hourglass;
    emit StatusText(QStringLiteral("Building file list..."));
    QStringList files =
        TExtendedSearch::FolderDocuments(dialog->Folder(), dialog->chkSubfolders->isChecked(), LoadHTMLExtensions());
    emit StatusText(QString());
    return files;
}

void TExtendedSearchCommands::RunFind()
{
    if (const std::optional<QStringList> files = FileList(m_find))
        SearchFiles(*files, true, m_find->Options());
}

void TExtendedSearchCommands::RunReplace()
{
    const QString find = TExtendedSearch::EditorLineBreaks(m_replace->FindText());
    const QString replace = TExtendedSearch::EditorLineBreaks(m_replace->ReplaceText());
    const bool matchCase = m_replace->Options() & esoMatchCase;
    switch (m_replace->Scope()) {
    case esCurrentDocument: {
        const int count = m_documents->ActiveEditor()->ReplaceAll(find, replace, matchCase);
        MessageDlg(QString::number(count) + QStringLiteral(" replacements made."), TMsgKind::Information);
        break;
    }
    case esOpenDocuments:
        ReplaceInOpenDocuments();
        break;
    case esFolder:
    case esProject:
        if (const std::optional<QStringList> files = FileList(m_replace))
            SearchFiles(*files, false, m_replace->Options());
        break;
    }
}

void TExtendedSearchCommands::ActivateTab(int index)
{
    m_documents->SetTabIndex(index);
    // Lets the tab show; the user's input waits for the end of the run.
    TEscapeWatcher().Pressed();
}

void TExtendedSearchCommands::ReplaceInOpenDocuments()
{
    const QString find = TExtendedSearch::EditorLineBreaks(m_replace->FindText());
    const QString replace = TExtendedSearch::EditorLineBreaks(m_replace->ReplaceText());
    const bool matchCase = m_replace->Options() & esoMatchCase;
    TfReplaceResults results(false, {}, m_window);
    {
        const TLongRun run;
        const int active = m_documents->TabIndex();
        for (int i = 0; i < m_documents->DocumentCount(); ++i) {
            ActivateTab(i);
            const int count = m_documents->Editor(i)->ReplaceAll(find, replace, matchCase);
            results.AddRow({m_documents->DocumentFileName(i), count, QString(), false});
        }
        ActivateTab(active);
    }
    results.exec();
}

bool TExtendedSearchCommands::IsOpen(const QString &path) const
{
    for (int i = 0; i < m_documents->DocumentCount(); ++i)
        if (m_documents->DocumentFileName(i).compare(path, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QList<TExtendedSearchRow> TExtendedSearchCommands::SearchFiles(const QStringList &files, bool findOnly, int options)
{
    if (files.isEmpty()) {
        MessageDlg(QStringLiteral("No documents found."), TMsgKind::Information);
        return {};
    }
    const bool openAffected =
        !findOnly && std::any_of(files.begin(), files.end(), [this](const QString &file) { return IsOpen(file); });
    if (!findOnly &&
        MessageDlg(QStringLiteral("This will affect all specified HTML documents") +
                       (openAffected ? QStringLiteral(", including one or more open documents,") : QString()) +
                       QStringLiteral(" without further confirmation.\r\n\r\nContinue?"),
                   TMsgKind::Warning, TMsgButtons::YesNo) != TMsgResult::Yes)
        return {};

    TfExtendedSearch *dialog = findOnly ? m_find : m_replace;
    const TExtendedSearch search(dialog->FindText(), dialog->ReplaceText(), findOnly, options, m_host.saveAsUnix());
    const bool reloadPrompt = m_host.exchangeReloadPrompt(false);
    const auto restorePrompt = qScopeGuard([&] { m_host.exchangeReloadPrompt(reloadPrompt); });
    QList<TExtendedSearchRow> rows;
    QStringList changed;
    {
        const TLongRun run;
        QProgressDialog progress(QStringLiteral("Scanning..."), QStringLiteral("Cancel"), 0, 100, m_window);
        progress.setWindowTitle(findOnly ? QStringLiteral("Extended Find") : QStringLiteral("Extended Replace"));
        progress.setMinimumDuration(300);
        progress.setValue(0);
        // The progress window's Cancel answers; the main window and the
        // dialog wait.
        TEscapeWatcher watcher({m_window, dialog});
        const double step = 100.0 / double(files.size());
        double done = 0;
        // A cancelled run lists what it did, the files written among it.
        search.ProcessAll(
            files,
            [&](const TExtendedSearchRow &row) {
                rows.append(row);
                if (row.written)
                    changed.append(row.file);
                done = std::min(100.0, done + step);
                progress.setValue(int(std::lround(done)));
            },
            [&] { return !watcher.Pressed() && !progress.wasCanceled(); });
    }
    emit StatusText(QStringLiteral("Operation completed"));
    {
        TfReplaceResults results(findOnly, m_host.openDocument, m_window);
        for (const TExtendedSearchRow &row : std::as_const(rows))
            results.AddRow(row);
        results.exec();
    }
    emit StatusText(QString());
    if (openAffected && !changed.isEmpty() &&
        MessageDlg(QStringLiteral("Reload affected documents?"), TMsgKind::Confirmation, TMsgButtons::YesNo) ==
            TMsgResult::Yes)
        ReloadChanged(changed);
    return rows;
}

void TExtendedSearchCommands::ReloadChanged(const QStringList &changed)
{
    const TLongRun run;
    const int active = m_documents->TabIndex();
    for (int i = 0; i < m_documents->DocumentCount(); ++i) {
        if (!changed.contains(m_documents->DocumentFileName(i), Qt::CaseInsensitive))
            continue;
        ActivateTab(i);
        m_documents->Editor(i)->Reload();
    }
    ActivateTab(active);
}
