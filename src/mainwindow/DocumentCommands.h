// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The File commands on the open documents: opening, new documents, saving,
// the unsaved-changes question and closing. They work on the document tabs
// and tell the main window when its caption and Save button need a look.

#include <QObject>
#include <QString>
#include <QStringList>

class TvqHTMLTab;
class TvqRichHTML;

class TDocumentCommands : public QObject
{
    Q_OBJECT

public:
    // Flags of OpenDocuments.
    enum TOpenFlag { ofMoveFileBrowser = 1, ofNoPreviewRefresh = 2 };

    explicit TDocumentCommands(TvqHTMLTab *documents, QObject *parent = nullptr);

    QStringList HTMLExtensions() const { return m_htmlExtensions; }
    void SetHTMLExtensions(const QStringList &extensions);
    QString DefaultExtension() const { return m_defaultExtension; }
    void SetDefaultExtension(const QString &extension) { m_defaultExtension = extension.trimmed(); }
    bool SaveAsUnix() const { return m_saveAsUnix; }
    void SetSaveAsUnix(bool value) { m_saveAsUnix = value; }
    void SetDropOptions(bool lowerCaseFiles, bool netscapeMultimedia, bool resetDirOnOpen);
    // The folder the open dialog starts in.
    QString OpenFolder() const { return m_openFolder; }
    void SetOpenFolder(const QString &folder) { m_openFolder = folder; }
    // The folder the active document's references start from: its file's
    // folder, or the open dialog's for an untitled document.
    QString DocumentFolder() const;

    // Opens the file, or the files the user picks when the path is empty.
    void OpenDocuments(const QString &path, int flags);
    // Opens the documents in order; only the last one refreshes the preview
    // and, when so set, moves the file browser.
    void OpenInOrder(const QStringList &documents);
    void FocusEditor();
    // The New command: the template chooser, then a new document.
    void NewDocumentFromTemplate();
    // A new document, the active one from now on: empty, or holding the
    // template's text while staying untitled.
    void NewDocument(const QString &templatePath);
    // Inserts a file's text at the caret; asks for the file when the path is
    // empty.
    void InsertDocument(const QString &path);
    // The Current Documents picker; the chosen document becomes the active one.
    void ChooseCurrentDocument();
    bool SaveDocument();
    bool SaveDocumentAs();
    // Saves with line feeds only: to the path, or to a name the user picks
    // when the path is empty.
    bool SaveDocumentAsUnix(const QString &path);
    // Saves every document; one that is not saved does not stop the others.
    void SaveAllDocuments();
    // The unsaved-changes question for the active document; true when the
    // caller may go on.
    bool AskSaveChanges();
    // The current document saved for a site tool that reads its file: the
    // save question for a named one, "must first be saved" and Save As for
    // an untitled one. False when the document is empty (the user is told
    // emptyMessage) or the user cancelled.
    bool SaveForFileTool(const QString &emptyMessage);
    // The Close command: closes the active document after the question.
    void CloseDocument();
    // Closes every document, each after the question; false when one
    // question was cancelled (the documents closed before stay closed).
    // When the program ends, the last document is only asked about: emptying
    // it would keep the user waiting for nothing.
    enum class TCloseAll { Documents, ForExit };
    bool CloseAllDocuments(TCloseAll mode = TCloseAll::Documents);
    void PrintDocument();
    // Links each file into the active document at the selection, one tag
    // after the other: an HTML document or an unknown file by an anchor, an
    // image by an image tag, and so on.
    void LinkFiles(const QStringList &files);
    // Files dropped on the document area: HTML documents open, other files
    // are linked into the active document.
    void DropFiles(const QStringList &files);

    // The recent files, most recent first: always ten entries, "[Empty]" for
    // a slot without a file.
    QStringList RecentFiles() const { return m_recentFiles; }
    void LoadRecentFiles();
    void AddToRecentFiles(const QString &path);
    void SaveRecentFiles() const;

signals:
    // The caption or the Save button may have to change.
    void DocumentStateChanged();
    // A document was saved to the path; newName when it was saved under a
    // name chosen in the save dialog.
    void DocumentSaved(const QString &path, bool newName);
    // Opening asks the file browser pane to show this folder.
    void MoveFileBrowser(const QString &folder);
    // Opening asks for the preview to be refreshed when it shows.
    void RefreshPreview();
    void RecentFilesChanged();

private:
    TvqRichHTML *Editor() const;
    // Opens one file in a tab of its own, or shows its tab when it is open
    // already; false when it is missing or a folder (the user has been told).
    bool OpenDocument(const QString &file);
    // What follows opening: the focus, the open folder, the file browser
    // and the preview as the flags say.
    void FinishOpening(const QString &lastFile, int flags);
    // The add-document flags that carry the active editor's word wrap and
    // auto-indent to a new document.
    int NewDocumentFlags() const;
    // The save dialog's answer with the default extension added; empty when
    // cancelled or when an existing file is not to be overwritten.
    QString AskSaveName(const QString &caption, const QString &fileName);
    // False when the file changed on disk since it was loaded or saved and
    // the user does not want to save over it.
    bool MaySaveOver(const TvqRichHTML *editor, const QString &name);

    TvqHTMLTab *m_documents;
    QStringList m_htmlExtensions;
    QString m_fileFilter;
    QString m_defaultExtension = QStringLiteral("html");
    QString m_openFolder;
    bool m_saveAsUnix = false;
    bool m_lowerCaseFiles = false;
    bool m_netscapeMultimedia = false;
    bool m_resetDirOnOpen = true;
    QStringList m_recentFiles;
};
