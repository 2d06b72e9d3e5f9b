// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkVerifyCommands.h"

#include "CommandBinder.h"
#include "DocumentCommands.h"
#include "HTMLExtensions.h"
#include "LongRun.h"
#include "MessageService.h"
#include "Notices.h"
#include "TFileBrowser.h"
#include "TfLinkTest.h"
#include "TvqFileView.h"
#include "TvqHTMLTab.h"

#include <QScopeGuard>

TLinkVerifyCommands::TLinkVerifyCommands(TvqHTMLTab *documents, TDocumentCommands *commands, TFileBrowser *fileBrowser,
                                         bool &reloadPromptOnChange, QWidget *window)
    : QObject(window), m_documents(documents), m_commands(commands), m_fileBrowser(fileBrowser),
      m_reloadPromptOnChange(reloadPromptOnChange), m_window(window)
{
    connect(m_fileBrowser, &TFileBrowser::VerifyLinks, this,
            [this](const QString &path) { TLongRun::WhenIdle(this, [this, path] { VerifyFile(path); }); });
}

void TLinkVerifyCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuToolsVerifyLinks", "spdVerifyLinks"}, this,
                [this] { TLongRun::WhenIdle(this, [this] { VerifyCurrentDocument(); }); });
}

bool TLinkVerifyCommands::VerifyAndAskReload(const QString &path)
{
    const bool reloadPrompt = m_reloadPromptOnChange;
    m_reloadPromptOnChange = false;
    const auto restore = qScopeGuard([this, reloadPrompt] { m_reloadPromptOnChange = reloadPrompt; });
    return VerifyDocumentLinks(path, m_window) &&
           MessageDlg(QStringLiteral("Reload affected document?"), TMsgKind::Confirmation, TMsgButtons::YesNo) ==
               TMsgResult::Yes;
}

void TLinkVerifyCommands::VerifyCurrentDocument()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    if (!m_commands->SaveForFileTool(QStringLiteral("This document is empty - there is nothing to verify.")))
        return;
    if (ShowOnceNotice(nmActiveConnection) == TMsgResult::Cancel)
        return;
    if (VerifyAndAskReload(editor->Filename()))
        editor->Reload();
}

void TLinkVerifyCommands::VerifyFile(const QString &path)
{
    if (path.isEmpty() || ShowOnceNotice(nmActiveConnection) == TMsgResult::Cancel)
        return;
    if (FileKindOf(path, m_fileBrowser->vqFileList->HTMLExtensions()) != TFileKind::Document) {
        MessageDlg(QStringLiteral("This function can only be performed on HTML documents."), TMsgKind::Warning);
        return;
    }
    if (!VerifyAndAskReload(path))
        return;
    for (int i = 0; i < m_documents->DocumentCount(); ++i) {
        if (m_documents->DocumentFileName(i).toUpper() == path.toUpper()) {
            m_documents->SetTabIndex(i);
            m_documents->Editor(i)->Reload();
            break;
        }
    }
}
