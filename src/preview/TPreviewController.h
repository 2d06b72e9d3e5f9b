// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Browse page and the browsers: what the page shows (the internal viewer
// or the browser object, through the server mapping), the page switch, the
// browser object's toolbar, the temporary copies previews work on, and the
// external browser programs.

#include "ExternalBrowserLaunch.h"
#include "PreviewOptions.h"

#include <QObject>

class QLabel;
class QMenu;
class QStackedLayout;
class QTabWidget;
class QToolBar;
class TBrowserView;
class TCommandBinder;
class THTMLViewer;
class TPreviewHost;
class TvqHTMLTab;
class TvqRichHTML;

class TPreviewController : public QObject
{
    Q_OBJECT

public:
    // Adds the Browse page to the pages, after the Edit page, and makes the
    // browser toolbar a child of the window.
    TPreviewController(TvqHTMLTab *documents, QTabWidget *pages, TPreviewHost &host, const TPreviewOptions &options,
                       QWidget *window);
    ~TPreviewController() override;

    void Connect(const TCommandBinder &commands);
    QToolBar *BrowserToolbar() const { return m_browserToolbar; }
    bool Browsing() const;

    const TPreviewOptions &Options() const { return m_options; }
    // Each setter stores its group of options.
    void SetViewerDefaults(const QString &fontName, int fontSize, TColor fontColor, TColor linkColor);
    void SetServerMapping(const QString &from, const QString &to);
    void SetLaunchSetting(int setting);
    void SetBrowsers(const QList<TExternalBrowserInfo> &browsers);
    void LoadBrowserList() { m_options.Browsers = LoadExternalBrowsers(); }
    // Previews with the browser object instead of the internal viewer; a new
    // choice starts with a fresh browser object.
    void SetUseBrowserObject(bool on);

    // What the Browse page shows: the active document, again.
    void RefreshPreview();
    // Shows the page when it is up: a document opened or chosen meanwhile.
    void RefreshIfBrowsing();
    void pgHTMLChange(int page);
    bool CreateBrowserObject();
    TBrowserView *BrowserObject() const { return m_browserObject; }
    // Shows a temporary copy of the document in the browser object, through
    // the server mapping when there is one.
    void ShowInBrowserObject();
    // Opens the page the browser object shows in the editor.
    void spdBrowserEditClick();
    void spdBrowserServerMappingClick();
    // Shows the active document in a browser program: saved first, asked
    // about, or as a temporary copy (launch setting 0, 1 or 2).
    bool LaunchExternalBrowser(const QString &location, bool useDDE, int launchSetting);
    void spdBrowseExternalClick();
    void mnuPB_BrowserClick(const QString &name);
    QStringList TempCopies() const { return m_tempCopies.Paths(); }
    void DeleteTempCopies() { m_tempCopies.DeleteAll(); }
    // A temporary copy of the bytes in the system's temporary folder, for a
    // tool to read; deleted with the preview's copies. Empty when it cannot
    // be made.
    QString MakeToolCopy(const QByteArray &bytes) { return m_tempCopies.Make(QString(), bytes); }

signals:
    // "Edit this page" on a page that is no local file: its address.
    void EditRemotePage(const QString &address);

private:
    TvqRichHTML *ActiveEditor() const;
    void CreateBrowsePage();
    void CreateBrowserToolbar();
    void ApplyViewerDefaults();
    // A temporary copy of the active document beside it, the copies made
    // before deleted first; empty, after a message, when it cannot be made.
    QString MakeTempCopy();

    TvqHTMLTab *m_documents;
    QTabWidget *m_pages;
    TPreviewHost &m_host;
    TPreviewOptions m_options;
    QWidget *m_window;
    THTMLViewer *m_htmlView = nullptr;
    QStackedLayout *m_browseStack = nullptr;
    TBrowserView *m_browserObject = nullptr;
    QToolBar *m_browserToolbar = nullptr;
    QLabel *m_mappingLabel = nullptr;
    QMenu *m_browserList = nullptr;
    TTempCopies m_tempCopies;
};
