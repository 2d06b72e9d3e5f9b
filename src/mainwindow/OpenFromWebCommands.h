// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Open from the &Web...": asks for a page's address, fetches the page over
// HTTP and opens its text as a new untitled document that remembers the
// address. The browser pane's "Edit this page" on a remote page comes here
// too.

#include <QObject>

class QTabWidget;
class QWidget;
class TCommandBinder;
class TDocumentCommands;
class TvqHTMLTab;

class TOpenFromWebCommands : public QObject
{
    Q_OBJECT

public:
    TOpenFromWebCommands(TvqHTMLTab *documents, TDocumentCommands *commands, QTabWidget *pages, QWidget *window);

    void Connect(const TCommandBinder &commands);

    // The dialog starts with the address, empty for none.
    void OpenFromWeb(const QString &address);

signals:
    void StatusText(const QString &text);

private:
    // The page's text in a new document; a charset the server names that
    // the editor does not read is told in the status bar.
    void OpenPage(const QString &address, const QByteArray &bytes, const QString &contentType);

    TvqHTMLTab *m_documents;
    TDocumentCommands *m_commands;
    QTabWidget *m_pages;
    QWidget *m_window;
};
