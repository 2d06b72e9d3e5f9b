// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentCommands.h"

#include "DroppedFiles.h"
#include "EscapeWatcher.h"
#include "FileIO.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "Notices.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "TfCurrentDocs.h"
#include "TfNew.h"
#include "TvqHTMLTab.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QScopeGuard>

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

QString TDocumentCommands::DocumentFolder() const
{
    const QString name = Editor()->Filename();
    return name.isEmpty() ? m_openFolder : QFileInfo(name).absolutePath();
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
    for (const QString &file : std::as_const(files))
        if (!OpenDocument(file))
            break;
    FinishOpening(files.last(), flags);
}

bool TDocumentCommands::OpenDocument(const QString &file)
{
    if (!QFileInfo::exists(file)) {
        MessageDlg(QStringLiteral("File not found."), TMsgKind::Error);
        return false;
    }
    if (QFileInfo(file).isDir()) {
        MessageDlg(QStringLiteral("\"") + QDir::toNativeSeparators(file) +
                       QStringLiteral("\" is a folder, not a document."),
                   TMsgKind::Error);
        return false;
    }
    for (int i = 0; i < m_documents->DocumentCount(); ++i)
        if (SameFilePath(m_documents->DocumentFileName(i), file)) {
            ShowOnceNotice(nmFileAlreadyOpen);
            m_documents->SetTabIndex(i);
            return true;
        }
    // A file that could not be read leaves neither a tab nor a recent entry
    // behind; the editor has said why.
    if (!m_documents->AddDocument(file, Editor()->ColorCodeMode(), NewDocumentFlags()))
        return true;
    if (Editor()->Filename().isEmpty()) {
        m_documents->CloseDocument(m_documents->TabIndex());
        return true;
    }
    Editor()->SetModified(false);
    AddToRecentFiles(file);
    return true;
}

void TDocumentCommands::FinishOpening(const QString &lastFile, int flags)
{
    if (TvqRichHTML *editor = Editor(); editor->window()->isEnabled())
        editor->setFocus();
    m_openFolder = QFileInfo(lastFile).absolutePath();
    if (flags & ofMoveFileBrowser)
        emit MoveFileBrowser(m_openFolder);
    if (!(flags & ofNoPreviewRefresh))
        emit RefreshPreview();
    emit DocumentStateChanged();
}

void TDocumentCommands::NewDocumentFromTemplate()
{
    if (const std::optional<QString> chosen = TfNew::ChooseTemplate(m_fileFilter, Editor()->window()))
        NewDocument(*chosen);
}

void TDocumentCommands::ChooseCurrentDocument()
{
    QStringList paths;
    for (int i = 0; i < m_documents->DocumentCount(); ++i)
        paths.append(m_documents->DocumentFileName(i));
    const int chosen = TfCurrentDocs::ChooseDocument(paths, m_documents->TabIndex(), Editor()->window());
    if (chosen >= 0)
        m_documents->SetTabIndex(chosen);
}

void TDocumentCommands::NewDocument(const QString &templatePath)
{
    THourglass hourglass;
    m_documents->AddDocument(QString(), Editor()->ColorCodeMode(), NewDocumentFlags());
    TvqRichHTML *editor = Editor();
    if (!templatePath.isEmpty() && QFileInfo(templatePath).isFile()) {
        QCoreApplication::processEvents();
        editor->LoadTemplate(templatePath);
        // The caret starts on the line after the body's start tag.
        const qsizetype body = editor->RawText().toUpper().indexOf("<BODY");
        if (body >= 0) {
            const int line = editor->LineFromChar(body);
            if (line + 1 < editor->LineCount())
                editor->SetSel(editor->LineIndex(line + 1), 0);
        }
    }
    editor->SetModified(false);
    emit DocumentStateChanged();
}

void TDocumentCommands::InsertDocument(const QString &path)
{
    QString file = path;
    if (file.isEmpty()) {
        file =
            TMessageService::Instance().GetOpenFileName(QStringLiteral("Insert Document"), m_openFolder, m_fileFilter);
        if (file.isEmpty())
            return;
        m_openFolder = QFileInfo(file).absolutePath();
    }
    QCoreApplication::processEvents();
    THourglass hourglass;
    TvqRichHTML *editor = Editor();
    editor->InsertFile(file);
    editor->setFocus();
    editor->SetModified(true);
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

bool TDocumentCommands::MaySaveOver(const TvqRichHTML *editor, const QString &name)
{
    const QFileInfo file(name);
    return !file.exists() || file.lastModified().toMSecsSinceEpoch() <= editor->FileTime() ||
           MessageDlg(QStringLiteral("Another user or process has modified this file since you last saved it.  "
                                     "Save anyway?"),
                      TMsgKind::Warning, TMsgButtons::YesNo) == TMsgResult::Yes;
}

bool TDocumentCommands::SaveDocument()
{
    TvqRichHTML *editor = Editor();
    const QString name = editor->Filename();
    if (!name.isEmpty() && !MaySaveOver(editor, name))
        return false;
    if (m_saveAsUnix)
        return SaveDocumentAsUnix(name);
    if (name.isEmpty()) {
        if (!SaveDocumentAs())
            return false;
    } else if (!editor->SaveToFile(name, false)) {
        return false;
    }
    editor->SetModified(false);
    emit DocumentStateChanged();
    emit DocumentSaved(editor->Filename(), false);
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
    emit DocumentSaved(name, true);
    return true;
}

bool TDocumentCommands::SaveDocumentAsUnix(const QString &path)
{
    TvqRichHTML *editor = Editor();
    const QString name = path.isEmpty() ? AskSaveName(QStringLiteral("Save as Unix (LF only)"), QString()) : path;
    if (name.isEmpty() || !editor->SaveToFile(name, true))
        return false;
    editor->SetModified(false);
    emit DocumentStateChanged();
    emit DocumentSaved(name, path.isEmpty());
    return true;
}

void TDocumentCommands::SaveAllDocuments()
{
    const int active = m_documents->TabIndex();
    for (int i = 0; i < m_documents->DocumentCount(); ++i) {
        m_documents->SetTabIndex(i);
        QCoreApplication::processEvents();
        SaveDocument();
    }
    m_documents->SetTabIndex(active);
}

bool TDocumentCommands::SaveForFileTool(const QString &emptyMessage)
{
    TvqRichHTML *editor = Editor();
    if (editor->TextLength() == 0) {
        MessageDlg(emptyMessage, TMsgKind::Information);
        return false;
    }
    if (!editor->Filename().isEmpty())
        return AskSaveChanges();
    MessageDlg(QStringLiteral("This document must first be saved."), TMsgKind::Information);
    return SaveDocumentAs();
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

bool TDocumentCommands::CloseAllDocuments(TCloseAll mode)
{
    for (int n = m_documents->DocumentCount(); n > 0; --n) {
        if (!AskSaveChanges()) {
            emit DocumentStateChanged();
            return false;
        }
        if (n == 1 && mode == TCloseAll::ForExit)
            break;
        m_documents->CloseActiveDocument();
        QCoreApplication::processEvents();
    }
    emit DocumentStateChanged();
    return true;
}

void TDocumentCommands::SetDropOptions(bool lowerCaseFiles, bool netscapeMultimedia, bool resetDirOnOpen)
{
    m_lowerCaseFiles = lowerCaseFiles;
    m_netscapeMultimedia = netscapeMultimedia;
    m_resetDirOnOpen = resetDirOnOpen;
}

void TDocumentCommands::LinkFiles(const QStringList &files)
{
    TvqRichHTML *editor = Editor();
    const TDropOptions options{DocumentFolder(), m_lowerCaseFiles, m_netscapeMultimedia};
    qsizetype pendingEnd = 0; // the end text after the selection
    for (int i = 0; i < files.size(); ++i) {
        // Each tag follows the one before instead of landing inside it; the
        // first may have wrapped the selection, which stays selected.
        if (i > 0) {
            qsizetype start = 0;
            qsizetype length = 0;
            editor->GetSel(start, length);
            editor->SetSel(start + length + pendingEnd, 0);
        }
        const TTagTexts tag = DroppedFileTag(FileKindOf(files.at(i), m_htmlExtensions), files.at(i), options);
        editor->InsertTag(tag.start, tag.end, false);
        pendingEnd = editor->Encode(tag.end).size();
        QCoreApplication::processEvents();
    }
}

void TDocumentCommands::DropFiles(const QStringList &files)
{
    TvqRichHTML *editor = Editor();
    editor->SetSel(editor->GetSelStart(), 0);
    THourglass hourglass;
    QStringList documents;
    QStringList others;
    for (const QString &file : files)
        (FileKindOf(file, m_htmlExtensions) == TFileKind::Document ? documents : others).append(file);
    LinkFiles(others);
    OpenInOrder(documents);
    FocusEditor();
}

void TDocumentCommands::OpenInOrder(const QStringList &documents)
{
    if (documents.isEmpty())
        return;
    // What the user does meanwhile, in the window or the dialog that asked
    // for the batch, waits until the last document is open; only that one
    // is shown.
    TEscapeWatcher held({m_documents->window(), QApplication::activeModalWidget()});
    THourglass hourglass;
    m_documents->setUpdatesEnabled(false);
    auto shown = qScopeGuard([this] { m_documents->setUpdatesEnabled(true); });
    for (const QString &file : documents) {
        OpenDocument(file);
        held.Pressed();
    }
    FinishOpening(documents.last(), m_resetDirOnOpen ? ofMoveFileBrowser : 0);
}

void TDocumentCommands::FocusEditor()
{
    Editor()->setFocus();
}

// ---------------------------------------------------------------------------
// Recent files

namespace {

const QString RecentFilesKey = QStringLiteral("Software\\Velicort\\MRUDocuments");
const QString EmptySlot = QStringLiteral("[Empty]");
constexpr int RecentFileCount = 10;

} // namespace

void TDocumentCommands::LoadRecentFiles()
{
    m_recentFiles.clear();
    for (int n = 1; n <= RecentFileCount; ++n) {
        const QString path = ReadRegValue(RecentFilesKey, QStringLiteral("MRU%1").arg(n), QString());
        m_recentFiles.append(path.isEmpty() ? EmptySlot : path);
    }
    // Saves that a crash cut short may have left temporary files beside them.
    QStringList folders;
    for (const QString &path : std::as_const(m_recentFiles)) {
        const QString folder = QFileInfo(path).absolutePath();
        if (path != EmptySlot && !folders.contains(folder))
            folders.append(folder);
    }
    RemoveStaleTemporaryFilesLater(folders);
    emit RecentFilesChanged();
}

void TDocumentCommands::AddToRecentFiles(const QString &path)
{
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i)
        if (SameFilePath(m_recentFiles.at(i), path)) {
            m_recentFiles.removeAt(i);
            break;
        }
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > RecentFileCount)
        m_recentFiles.removeLast();
    emit RecentFilesChanged();
}

void TDocumentCommands::SaveRecentFiles() const
{
    EraseRegKey(RecentFilesKey);
    for (int n = 1; n <= RecentFileCount; ++n)
        WriteRegValue(RecentFilesKey, QStringLiteral("MRU%1").arg(n), m_recentFiles.value(n - 1, EmptySlot));
}

// ---------------------------------------------------------------------------

void TDocumentCommands::PrintDocument()
{
    QPrinter printer;
    if (TMessageService::Instance().ChoosePrinter(printer))
        Editor()->PrintDocument(printer);
}
