// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Context-sensitive HTML help: F2 shows the reference page of the tag at the
// caret in the help pane at the right of the main window, or looks the tag up
// in an external help file. The pane's viewer (the browser object when the
// web engine loads, else the internal viewer) is made when it is first shown.

#include "HelpTopics.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QAction;
class QPushButton;
class TBrowserView;
class TCommandBinder;
class THTMLViewer;
class TvqHTMLTab;

struct THelpOptions
{
    bool UseInternalHTMLHelp = true;
    QString ExternalHTMLHelp;
    QString HTMLibTopicFile;
    // Shows the pages in the browser object when the web engine is there;
    // off, always in the internal viewer.
    bool UseBrowserObject = true;
};

// What the help asks of the window around it.
struct THelpHooks
{
    // F2 renames in the file list while that has the focus.
    std::function<bool()> fileListHasFocus;
    std::function<void()> renameInFileList;
    std::function<void(int page)> showSettings;
    std::function<void(const QString &text)> showStatus;
    std::function<bool()> editPageActive;
};

class THelpController : public QObject
{
    Q_OBJECT

public:
    // Makes the hidden pane pnlHTMLib; the window places it.
    THelpController(TvqHTMLTab *documents, THelpHooks hooks, QObject *parent);

    QWidget *Pane() const { return m_pane; }
    // The help command and the tool button.
    void Connect(const TCommandBinder &commands);
    void SetOptions(const THelpOptions &options) { m_options = options; }
    const THelpOptions &Options() const { return m_options; }

    void mnuHelpHTMLibClick();
    void spdHTMLibClick();
    // Shows the pane at the page for the key: "RESOURCES" the resources
    // page, an empty or unknown key the contents page.
    void ShowHelpTopic(const QString &key);
    void ShowHelpPane(bool on);
    // Destroys the pane's viewer and hides the pane.
    void CloseHelpObject();
    bool HelpObjectCreated() const { return m_helpObject != nullptr; }
    QWidget *HelpObject() const { return m_helpObject; }
    // The page the viewer shows.
    QString CurrentPage() const;

private:
    void CreateHelpObject();
    void Navigate(const QString &page);
    // With the internal help off: the external help file, at the key's entry.
    void ShowExternalHelp(const QString &key);

    TvqHTMLTab *m_documents;
    THelpHooks m_hooks;
    THelpOptions m_options;
    THelpTopics m_topics;
    QWidget *m_pane;
    QWidget *m_container; // htmlib, where the viewer sits
    QPointer<QWidget> m_helpObject;
    TBrowserView *m_browser = nullptr;
    THTMLViewer *m_viewer = nullptr;
    QAction *m_button = nullptr; // spdHTMLib
};
