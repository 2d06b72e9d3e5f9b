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
    void SetDefaultExtension(const QString &extension) { m_defaultExtension = extension; }
    // The folder the open dialog starts in.
    QString OpenFolder() const { return m_openFolder; }
    void SetOpenFolder(const QString &folder) { m_openFolder = folder; }

    // Opens the file, or the files the user picks when the path is empty.
    void OpenDocuments(const QString &path, int flags);
    // A new empty document, the active one from now on.
    void NewDocument();
    bool SaveDocument();
    bool SaveDocumentAs();
    // The unsaved-changes question for the active document; true when the
    // caller may go on.
    bool AskSaveChanges();
    // The Close command: closes the active document after the question.
    void CloseDocument();
    // Closes every document, each after the question; false when one
    // question was cancelled (the documents closed before stay closed).
    bool CloseAllDocuments();
    void PrintDocument();

signals:
    // The caption or the Save button may have to change.
    void DocumentStateChanged();
    // Opening asks the file browser pane to show this folder.
    void MoveFileBrowser(const QString &folder);
    // Opening asks for the preview to be refreshed when it shows.
    void RefreshPreview();

private:
    TvqRichHTML *Editor() const;
    // The add-document flags that carry the active editor's word wrap and
    // auto-indent to a new document.
    int NewDocumentFlags() const;
    // The save dialog's answer with the default extension added; empty when
    // cancelled or when an existing file is not to be overwritten.
    QString AskSaveName(const QString &caption, const QString &fileName);

    TvqHTMLTab *m_documents;
    QStringList m_htmlExtensions;
    QString m_fileFilter;
    QString m_defaultExtension = QStringLiteral("html");
    QString m_openFolder;
};
