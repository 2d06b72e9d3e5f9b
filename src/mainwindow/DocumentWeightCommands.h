// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Document &Weight" of the main window: on the current document (Tools menu
// and the editor's pop-up), which must be saved first, and on the file pane's
// focused file.

#include <QObject>

class QWidget;
class TCommandBinder;
class TDocumentCommands;
class TFileBrowser;
class TvqHTMLTab;

class TDocumentWeightCommands : public QObject
{
    Q_OBJECT

public:
    TDocumentWeightCommands(TvqHTMLTab *documents, TDocumentCommands *commands, TFileBrowser *fileBrowser,
                            QWidget *window);

    void Connect(const TCommandBinder &commands);

    void mnuToolsBandwidthClick();

private:
    TvqHTMLTab *m_documents;
    TDocumentCommands *m_commands;
    QWidget *m_window;
};
