// SPDX-License-Identifier: GPL-3.0-or-later
#include "PublishCommands.h"

#include "CommandBinder.h"
#include "DocumentCommands.h"
#include "MessageService.h"
#include "TfPublish.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

TPublishCommands::TPublishCommands(TDocumentCommands *commands, TvqHTMLTab *documents, QWidget *window)
    : QObject(window), m_commands(commands), m_documents(documents), m_window(window)
{
}

void TPublishCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuToolsPublish"}, this, [this] { PublishDocument(); });
}

void TPublishCommands::PublishDocument()
{
    if (!m_commands->AskSaveChanges())
        return;
    // An untitled document that was not saved has no file to send.
    const QString name = m_documents->ActiveEditor()->Filename();
    PublishFiles(m_window, name.isEmpty() ? QStringList() : QStringList{name});
    m_commands->FocusEditor();
}

void TPublishCommands::PublishSelection(const QStringList &files)
{
    if (files.isEmpty())
        MessageDlg(QStringLiteral("No files selected."), TMsgKind::Error);
    else
        PublishFiles(m_window, files);
    m_commands->FocusEditor();
}
