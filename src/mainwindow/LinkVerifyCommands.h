// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link verification commands of the main window: "&Verify Links..." on
// the current document and "Verify Links..." on a file of the file pane.
// Each checks that there is a saved HTML document to verify, shows the note
// about the connection, runs the verifier with the reload question on
// activation held off, and offers to reload the document the verifier saved.

#include <QObject>

class QWidget;
class TCommandBinder;
class TDocumentCommands;
class TFileBrowser;
class TvqHTMLTab;

class TLinkVerifyCommands : public QObject
{
    Q_OBJECT

public:
    // reloadPromptOnChange is the main window's switch for the question
    // about files changed on disk.
    TLinkVerifyCommands(TvqHTMLTab *documents, TDocumentCommands *commands, TFileBrowser *fileBrowser,
                        bool &reloadPromptOnChange, QWidget *window);

    void Connect(const TCommandBinder &commands);

    void VerifyCurrentDocument();
    void VerifyFile(const QString &path);

private:
    // Runs the verifier; true when the document was saved from it and the
    // user wants it reloaded.
    bool VerifyAndAskReload(const QString &path);

    TvqHTMLTab *m_documents;
    TDocumentCommands *m_commands;
    TFileBrowser *m_fileBrowser;
    bool &m_reloadPromptOnChange;
    QWidget *m_window;
};
