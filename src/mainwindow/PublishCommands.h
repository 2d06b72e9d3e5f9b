// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The publish commands of the main window: the current document (Tools
// menu) and the files selected in the file pane, each through the Publish
// window; the editor has the focus again afterwards.

#include <QObject>
#include <QStringList>

class QWidget;
class TCommandBinder;
class TDocumentCommands;
class TvqHTMLTab;

class TPublishCommands : public QObject
{
    Q_OBJECT

public:
    TPublishCommands(TDocumentCommands *commands, TvqHTMLTab *documents, QWidget *window);

    void Connect(const TCommandBinder &commands);

    // The current document, once the unsaved-changes question allows.
    void PublishDocument();
    // The files selected in the file pane; "No files selected." for none.
    void PublishSelection(const QStringList &files);

private:
    TDocumentCommands *m_commands;
    TvqHTMLTab *m_documents;
    QWidget *m_window;
};
