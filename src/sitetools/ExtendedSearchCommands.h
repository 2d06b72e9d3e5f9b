// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extended find and replace commands of the main window: the two
// dialogs, replacing in the current or every open document, and counting or
// replacing in every HTML document of a folder or a project, with the
// results window and the offer to reload the open documents that changed.

#include "ExtendedSearch.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;
class TCommandBinder;
class TfExtendedSearch;
class TvqHTMLTab;

// What the commands need of the main window.
struct TExtendedSearchHost
{
    std::function<QString()> fileFolder; // the folder the file pane shows
    std::function<bool()> saveAsUnix;    // changed files are saved with LF line ends
    // Switches the question about documents changed on disk on or off and
    // returns how it was.
    std::function<bool(bool)> exchangeReloadPrompt;
    std::function<void(const QString &)> openDocument;
};

class TExtendedSearchCommands : public QObject
{
    Q_OBJECT

public:
    TExtendedSearchCommands(TvqHTMLTab *documents, TExtendedSearchHost host, QWidget *window);

    void Connect(const TCommandBinder &commands);

    TfExtendedSearch *FindDialog() const { return m_find; }
    TfExtendedSearch *ReplaceDialog() const { return m_replace; }

    // Shows a dialog and runs what it was left with.
    void ShowFind();
    // After the one-time note about saving first.
    void ShowReplace();
    // What the dialogs' action buttons run.
    void RunFind();
    void RunReplace();

    // Counts or replaces in every listed file; the rows, as the results
    // window showed them (none after a question was answered No).
    QList<TExtendedSearchRow> SearchFiles(const QStringList &files, bool findOnly, int options);

signals:
    void StatusText(const QString &text);

private:
    void Prepare(TfExtendedSearch *dialog);
    // The files of the dialog's folder or project; none when there are none
    // to search (and the user was told).
    std::optional<QStringList> FileList(const TfExtendedSearch *dialog);
    void ReplaceInOpenDocuments();
    void ReloadChanged(const QStringList &changed);
    // Makes a tab active and lets it show.
    void ActivateTab(int index);
    bool IsOpen(const QString &path) const;

    TvqHTMLTab *m_documents;
    TExtendedSearchHost m_host;
    QWidget *m_window;
    TfExtendedSearch *m_find;
    TfExtendedSearch *m_replace;
};
