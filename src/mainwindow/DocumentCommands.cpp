// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentCommands.h"

#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "Notices.h"
#include "TvqHTMLTab.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QPrinter>

TDocumentCommands::TDocumentCommands(TvqHTMLTab *documents, QObject *parent) : QObject(parent), m_documents(documents)
{
    SetHTMLExtensions(LoadHTMLExtensions());
}

void TDocumentCommands::SetHTMLExtensions(const QStringList &extensions)
{
    m_htmlExtensions = extensions;
    m_fileFilter = FileDialogFilter(extensions);
}

TvqRichHTML *TDocumentCommands::Editor() const
{
    return m_documents->ActiveEditor();
}

int TDocumentCommands::NewDocumentFlags() const
{
    int flags = 0;
    if (Editor()->WordWrap())
        flags |= TvqHTMLTab::afWordWrap;
    if (Editor()->AutoIndent())
        flags |= TvqHTMLTab::afAutoIndent;
    return flags;
}

void TDocumentCommands::OpenDocuments(const QString &path, int flags)
{
    QStringList files{path};
    if (path.isEmpty()) {
        files = TMessageService::Instance().GetOpenFileNames(QStringLiteral("Open HTML Document"), m_openFolder,
                                                             m_fileFilter);
        if (files.isEmpty())
            return;
    }
    QCoreApplication::processEvents();
    THourglass hourglass;

    for (const QString &file : std::as_const(files)) {
        if (!QFileInfo::exists(file)) {
            MessageDlg(QStringLiteral("File not found."), TMsgKind::Error);
            break;
        }
        int open = -1;
        for (int i = 0; i < m_documents->DocumentCount() && open < 0; ++i)
            if (m_documents->DocumentFileName(i).compare(file, Qt::CaseInsensitive) == 0)
                open = i;
        if (open >= 0) {
            ShowOnceNotice(nmFileAlreadyOpen);
            m_documents->SetTabIndex(open);
            continue;
        }
        m_documents->AddDocument(file, Editor()->ColorCodeMode(), NewDocumentFlags());
        Editor()->SetModified(false);
    }

    if (TvqRichHTML *editor = Editor(); editor->window()->isEnabled())
        editor->setFocus();
    m_openFolder = QFileInfo(files.last()).absolutePath();
    if (flags & ofMoveFileBrowser)
        emit MoveFileBrowser(m_openFolder);
    if (!(flags & ofNoPreviewRefresh))
        emit RefreshPreview();
    emit DocumentStateChanged();
}

void TDocumentCommands::NewDocument()
{
    THourglass hourglass;
    m_documents->AddDocument(QString(), Editor()->ColorCodeMode(), NewDocumentFlags());
    Editor()->SetModified(false);
    emit DocumentStateChanged();
}

QString TDocumentCommands::AskSaveName(const QString &caption, const QString &fileName)
{
    QString name = TMessageService::Instance().GetSaveFileName(caption, fileName, m_fileFilter);
    if (name.isEmpty())
        return QString();
    if (QFileInfo(name).suffix().isEmpty())
        name += u'.' + m_defaultExtension;
    if (QFileInfo::exists(name) && MessageDlg(QStringLiteral("Overwrite \"") + name + u'?', TMsgKind::Confirmation,
                                              TMsgButtons::YesNoCancel) != TMsgResult::Yes)
        return QString();
    return name;
}

bool TDocumentCommands::SaveDocument()
{
    TvqRichHTML *editor = Editor();
    const QString name = editor->Filename();
    if (name.isEmpty()) {
        if (!SaveDocumentAs())
            return false;
    } else {
        const QFileInfo file(name);
        if (file.exists() && file.lastModified().toMSecsSinceEpoch() > editor->FileTime() &&
            MessageDlg(QStringLiteral("Another user or process has modified this file since you last saved it.  "
                                      "Save anyway?"),
                       TMsgKind::Warning, TMsgButtons::YesNo) != TMsgResult::Yes)
            return false;
        if (!editor->SaveToFile(name, false))
            return false;
    }
    editor->SetModified(false);
    emit DocumentStateChanged();
    return true;
}

bool TDocumentCommands::SaveDocumentAs()
{
    TvqRichHTML *editor = Editor();
    const QString name = AskSaveName(QStringLiteral("Save HTML Document"), editor->Filename());
    if (name.isEmpty() || !editor->SaveToFile(name, false))
        return false;
    editor->SetModified(false);
    emit DocumentStateChanged();
    return true;
}

bool TDocumentCommands::AskSaveChanges()
{
    TvqRichHTML *editor = Editor();
    if (!editor->Modified())
        return true;
    const QString name = editor->Filename().isEmpty() ? QStringLiteral("[Untitled]") : editor->Filename();
    switch (MessageDlg(QStringLiteral("Save changes to ") + name + u'?', TMsgKind::Confirmation,
                       TMsgButtons::YesNoCancel)) {
    case TMsgResult::Yes:
        return SaveDocument();
    case TMsgResult::No:
        return true;
    default:
        return false;
    }
}

void TDocumentCommands::CloseDocument()
{
    if (AskSaveChanges())
        m_documents->CloseActiveDocument();
    emit DocumentStateChanged();
}

bool TDocumentCommands::CloseAllDocuments()
{
    for (int n = m_documents->DocumentCount(); n > 0; --n) {
        if (!AskSaveChanges()) {
            emit DocumentStateChanged();
            return false;
        }
        m_documents->CloseActiveDocument();
        QCoreApplication::processEvents();
    }
    emit DocumentStateChanged();
    return true;
}

void TDocumentCommands::PrintDocument()
{
    QPrinter printer;
    if (TMessageService::Instance().ChoosePrinter(printer))
        Editor()->PrintDocument(printer);
}
