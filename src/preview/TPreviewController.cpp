// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPreviewController.h"

#include "CommandBinder.h"
#include "DocumentFile.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "Notices.h"
#include "ProgramHelp.h"
#include "RegistryKeys.h"
#include "ServerMapping.h"
#include "SettingsStore.h"
#include "TBrowserEngine.h"
#include "TBrowserView.h"
#include "THTMLViewer.h"
#include "TPreviewHost.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStackedLayout>
#include <QTabWidget>
#include <QToolBar>

namespace {
constexpr int EditPage = 0;
constexpr int BrowsePage = 1;
} // namespace

TPreviewController::TPreviewController(TvqHTMLTab *documents, QTabWidget *pages, TPreviewHost &host,
                                       const TPreviewOptions &options, QWidget *window)
    : QObject(window), m_documents(documents), m_pages(pages), m_host(host), m_options(options), m_window(window)
{
    CreateBrowsePage();
    CreateBrowserToolbar();
    ApplyViewerDefaults();
    connect(m_pages, &QTabWidget::currentChanged, this, &TPreviewController::pgHTMLChange);
}

TPreviewController::~TPreviewController() = default;

TvqRichHTML *TPreviewController::ActiveEditor() const
{
    return m_documents->ActiveEditor();
}

bool TPreviewController::Browsing() const
{
    return m_pages->currentIndex() == BrowsePage;
}

void TPreviewController::CreateBrowsePage()
{
    m_htmlView = new THTMLViewer;
    m_htmlView->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *browsePage = new QWidget;
    browsePage->setObjectName(QStringLiteral("tbsHTMLBrowse"));
    m_browseStack = new QStackedLayout(browsePage);
    m_browseStack->setContentsMargins(0, 0, 0, 0);
    m_browseStack->addWidget(m_htmlView);
    m_pages->addTab(browsePage, tr("Browse"));
    connect(m_htmlView, &THTMLViewer::OnHotSpotCovered, this,
            [this](const QString &text) { m_host.ShowStatusMessage(text); });

    // The Browse page's pop-up; the window connects Full Screen and Rulers.
    const auto popupItem = [this](const QString &name, const QString &caption, bool checkable) {
        auto *item = new QAction(caption, m_htmlView);
        item->setObjectName(name);
        item->setCheckable(checkable);
        m_htmlView->addAction(item);
        return item;
    };
    connect(popupItem(QStringLiteral("mnuPB_Reload"), QStringLiteral("&Reload Original"), false), &QAction::triggered,
            this, &TPreviewController::RefreshPreview);
    popupItem(QStringLiteral("mnuPB_FullScreen"), QStringLiteral("Full &Screen"), true);
    popupItem(QStringLiteral("mnuPB_Rulers"), QStringLiteral("Ru&lers"), true);
    connect(popupItem(QStringLiteral("mnuPB_Settings"), QStringLiteral("Settings..."), false), &QAction::triggered,
            this, [this] { m_host.ShowBrowserSettings(false); });

    // The list of external browsers to choose from.
    m_browserList = new QMenu(m_window);
    m_browserList->setObjectName(QStringLiteral("mnuPopupBrowserList"));
    for (int i = 1; i <= MaxExternalBrowsers; ++i) {
        QAction *item = m_browserList->addAction(QString());
        item->setObjectName(QStringLiteral("mnuPB_Browser%1").arg(i));
        connect(item, &QAction::triggered, this, [this, item] { mnuPB_BrowserClick(item->text()); });
    }
}

void TPreviewController::CreateBrowserToolbar()
{
    // The browser object's toolbar takes the speedbar's place while the
    // browser object shows the page.
    m_browserToolbar = new QToolBar(tr("Web Engine"), m_window);
    m_browserToolbar->setObjectName(QStringLiteral("pgMSIEToolbar"));
    m_browserToolbar->setIconSize(QSize(16, 16));
    const std::pair<const char *, const char *> buttons[] = {
        {"spdBrowserBack", "Back"},           {"spdBrowserNext", "Next"},
        {"spdBrowserStop", "Stop"},           {"spdBrowserRefresh", "Refresh"},
        {"spdBrowserEdit", "Edit this page"}, {"spdBrowserServerMapping", "URL mapping"}};
    for (const auto &[name, text] : buttons) {
        QAction *button = m_browserToolbar->addAction(QLatin1String(text));
        button->setObjectName(QLatin1String(name));
        button->setEnabled(BrowserObjectInstalled());
    }
    m_mappingLabel = new QLabel;
    m_mappingLabel->setObjectName(QStringLiteral("lblURLMapping"));
    m_browserToolbar->addWidget(m_mappingLabel);
    m_browserToolbar->hide();
    const std::pair<const char *, void (TBrowserView::*)()> moves[] = {{"spdBrowserBack", &TBrowserView::GoBack},
                                                                       {"spdBrowserNext", &TBrowserView::GoForward},
                                                                       {"spdBrowserStop", &TBrowserView::Stop},
                                                                       {"spdBrowserRefresh", &TBrowserView::Refresh}};
    const TCommandBinder toolbar(m_browserToolbar);
    for (const auto &[name, move] : moves)
        connect(toolbar.Action(QLatin1String(name)), &QAction::triggered, this, [this, move = move] {
            if (m_browserObject)
                (m_browserObject->*move)();
        });
    connect(toolbar.Action(QStringLiteral("spdBrowserEdit")), &QAction::triggered, this,
            &TPreviewController::spdBrowserEditClick);
    connect(toolbar.Action(QStringLiteral("spdBrowserServerMapping")), &QAction::triggered, this,
            &TPreviewController::spdBrowserServerMappingClick);
}

void TPreviewController::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuViewEditBrowse"}, this, [this] { m_pages->setCurrentIndex(Browsing() ? EditPage : BrowsePage); });
    commands.On({"mnuViewExtBrowser", "spdBrowseExternal"}, this, [this] { spdBrowseExternalClick(); });
}

// ---------------------------------------------------------------------------
// Options

void TPreviewController::ApplyViewerDefaults()
{
    m_htmlView->SetDefFontName(m_options.ViewerFontName);
    m_htmlView->SetDefFontSize(m_options.ViewerFontSize);
    m_htmlView->SetDefFontColor(m_options.ViewerFontColor);
    m_htmlView->SetDefHotSpotColor(m_options.ViewerLinkColor);
}

void TPreviewController::SetViewerDefaults(const QString &fontName, int fontSize, TColor fontColor, TColor linkColor)
{
    m_options.ViewerFontName = fontName;
    m_options.ViewerFontSize = fontSize;
    m_options.ViewerFontColor = fontColor;
    m_options.ViewerLinkColor = linkColor;
    const QString key = RegistryKeys::InternalBrowser;
    WriteRegValue(key, QStringLiteral("DefFontName"), fontName);
    WriteRegValue(key, QStringLiteral("DefFontSize"), fontSize);
    WriteRegValue(key, QStringLiteral("DefFontColor"), qint64(fontColor));
    WriteRegValue(key, QStringLiteral("DefHotSpotColor"), qint64(linkColor));
    ApplyViewerDefaults();
}

void TPreviewController::SetServerMapping(const QString &from, const QString &to)
{
    m_options.MapFrom = from;
    m_options.MapTo = to;
    WriteRegValue(RegistryKeys::URLMappings, QStringLiteral("CurrentMapFrom"), from);
    WriteRegValue(RegistryKeys::URLMappings, QStringLiteral("CurrentMapTo"), to);
}

void TPreviewController::SetLaunchSetting(int setting)
{
    m_options.LaunchSetting = setting;
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("BrowserLaunchSetting"), setting);
}

void TPreviewController::SetBrowsers(const QList<TExternalBrowserInfo> &browsers)
{
    m_options.Browsers = browsers;
    SaveExternalBrowsers(browsers);
}

void TPreviewController::SetUseBrowserObject(bool on)
{
    delete m_browserObject;
    m_browserObject = nullptr;
    m_browseStack->setCurrentWidget(m_htmlView);
    m_options.UseBrowserObject = on;
    WriteRegValue(RegistryKeys::InternalBrowser, QStringLiteral("UseMSIE"), on);
    if (Browsing()) {
        m_browserToolbar->setVisible(on);
        m_host.BrowsePageShown(true, on);
        RefreshPreview();
    }
}

// ---------------------------------------------------------------------------
// The Browse page

void TPreviewController::pgHTMLChange(int page)
{
    m_tempCopies.DeleteAll();
    if (page == EditPage) {
        m_browserToolbar->hide();
        m_host.BrowsePageShown(false, false);
        if (m_browserObject)
            m_browserObject->Unload();
        m_htmlView->Clear();
        QCoreApplication::processEvents();
        m_tempCopies.DeleteAll();
        if (ActiveEditor()->isVisible())
            ActiveEditor()->setFocus();
    } else {
        m_browseStack->setCurrentWidget(m_htmlView);
        m_browserToolbar->setVisible(m_options.UseBrowserObject);
        m_host.BrowsePageShown(true, m_options.UseBrowserObject);
        THourglass hourglass;
        QCoreApplication::processEvents();
        RefreshPreview();
    }
}

void TPreviewController::RefreshIfBrowsing()
{
    if (Browsing())
        RefreshPreview();
}

void TPreviewController::RefreshPreview()
{
    TvqRichHTML *editor = ActiveEditor();
    if (editor->TextLength() == 0) {
        m_pages->setCurrentIndex(EditPage);
        MessageDlg(QStringLiteral("This document is empty - there is nothing to browse."), TMsgKind::Information);
        return;
    }
    if (m_options.UseBrowserObject) {
        if (CreateBrowserObject()) {
            ShowInBrowserObject();
            QCoreApplication::processEvents();
            return;
        }
        MessageDlg(QStringLiteral("Reverting to Velicort's default browser."), TMsgKind::Information);
        SetUseBrowserObject(false);
        return;
    }
    if (m_htmlView->Busy()) {
        m_host.ShowStatusMessage(QStringLiteral("Processing previous request..."));
        return;
    }
    ShowOnceNotice(nmBrowserCaps);
    const QString folder = m_host.DocumentFolder();
    if (!editor->Filename().isEmpty())
        QDir::setCurrent(folder);
    m_htmlView->LoadStrings(editor->Text(), folder);
    QCoreApplication::processEvents();
    m_htmlView->setFocus();
}

bool TPreviewController::CreateBrowserObject()
{
    if (!m_browserObject) {
        THourglass hourglass;
        m_host.ShowStatusMessage(QStringLiteral("Creating the web engine..."));
        QCoreApplication::processEvents();
        TBrowserEngine *engine = BrowserEngine();
        m_host.ShowStatusMessage(QString());
        if (!engine) {
            if (MessageDlg(QStringLiteral("Velicort was unable to communicate with the built-in web engine. "
                                          "Press 'Help' for more information on this error."),
                           TMsgKind::Error, TMsgButtons::OkHelp) == TMsgResult::Help)
                ShowHelpContext(hcBrowserObject);
            return false;
        }
        m_browserObject = engine->CreateBrowserObject();
        m_browseStack->addWidget(m_browserObject);
    }
    return true;
}

void TPreviewController::ShowInBrowserObject()
{
    ShowOnceNotice(nmMSIE301);
    QString address = MakeTempCopy();
    if (address.isEmpty())
        return;
    m_mappingLabel->clear();
    if (!m_options.MapFrom.isEmpty()) {
        if (const std::optional<QString> mapped = MapLocalPath(address, m_options.MapFrom, m_options.MapTo)) {
            address = *mapped;
            m_mappingLabel->setText(QStringLiteral("URL mapping successful"));
        } else {
            ShowOnceNotice(nmURLMapFail);
            m_mappingLabel->setText(QStringLiteral("URL mapping failed"));
        }
    }
    m_browserObject->Navigate(address);
    m_browseStack->setCurrentWidget(m_browserObject);
}

void TPreviewController::spdBrowserEditClick()
{
    const std::optional<QString> path =
        LocalPathOfAddress(m_browserObject->LocationURL(), m_options.MapFrom, m_options.MapTo);
    if (!path) {
        emit EditRemotePage(m_browserObject->LocationURL());
        return;
    }
    const QString file = QDir::toNativeSeparators(*path);
    if (!QFileInfo(file).isFile()) {
        MessageDlg(QStringLiteral("Unable to locate ") + file + u'.', TMsgKind::Error);
        return;
    }
    if (QFileInfo(file).fileName().toUpper().startsWith(QLatin1String("~VC"))) {
        MessageDlg(QStringLiteral("The document in the browser is a temporary file created by Velicort and cannot be "
                                  "edited."),
                   TMsgKind::Warning);
        return;
    }
    m_pages->setCurrentIndex(EditPage);
    QCoreApplication::processEvents();
    m_host.OpenDocument(file);
}

void TPreviewController::spdBrowserServerMappingClick()
{
    const QString before = (m_options.MapFrom + m_options.MapTo).toUpper();
    m_host.ShowBrowserSettings(false);
    if ((m_options.MapFrom + m_options.MapTo).toUpper() != before && Browsing())
        RefreshPreview();
}

// ---------------------------------------------------------------------------
// External browsers

void TPreviewController::spdBrowseExternalClick()
{
    const QList<TExternalBrowserInfo> &browsers = m_options.Browsers;
    if (browsers.size() >= 2) {
        const QList<QAction *> items = m_browserList->actions();
        for (int i = 0; i < items.size(); ++i) {
            items[i]->setVisible(i < browsers.size());
            if (i < browsers.size())
                items[i]->setText(browsers.at(i).Name);
        }
        m_browserList->popup(QCursor::pos());
        return;
    }
    if (browsers.isEmpty()) {
        MessageDlg(QStringLiteral("Please specify an external browser."), TMsgKind::Warning);
        m_host.ShowBrowserSettings(true);
        if (browsers.isEmpty())
            return;
    }
    const TExternalBrowserInfo browser = browsers.first();
    LaunchExternalBrowser(browser.Location, browser.UseDDE, m_options.LaunchSetting);
}

void TPreviewController::mnuPB_BrowserClick(const QString &name)
{
    for (const TExternalBrowserInfo &browser : std::as_const(m_options.Browsers)) {
        if (browser.Name != name)
            continue;
        if (QFileInfo(browser.Location).isFile()) {
            LaunchExternalBrowser(browser.Location, browser.UseDDE, m_options.LaunchSetting);
        } else {
            MessageDlg(QStringLiteral("The selected browser could not be found at \"") + browser.Location +
                           QStringLiteral("\".  Please update this browser's location."),
                       TMsgKind::Information);
            m_host.ShowBrowserSettings(true);
        }
        return;
    }
}

QString TPreviewController::MakeTempCopy()
{
    m_tempCopies.DeleteAll();
    const TvqRichHTML *editor = ActiveEditor();
    const QString folder = m_host.DocumentFolder();
    // A copy must show what the document holds: a character its encoding
    // lacks goes into the copy as UTF-8 rather than not at all.
    std::optional<QByteArray> bytes = editor->FileBytes(editor->LineEnds());
    if (!bytes)
        bytes = FileBytesFromDocument(editor->RawText().constData(), editor->TextLength(), editor->LineEnds());
    const QString path = m_tempCopies.Make(folder, *bytes);
    if (path.isEmpty())
        MessageDlg(QStringLiteral("Unable to create a temporary copy of the document in ") +
                       QDir::toNativeSeparators(folder) + u'.',
                   TMsgKind::Error);
    return path;
}

bool TPreviewController::LaunchExternalBrowser(const QString &location, bool useDDE, int launchSetting)
{
    Q_UNUSED(useDDE); // no DDE here: the browser is started as a program
    TvqRichHTML *editor = ActiveEditor();
    QString path;
    if (launchSetting == 2) {
        path = MakeTempCopy();
        if (path.isEmpty())
            return false;
    } else if (!editor->Filename().isEmpty()) {
        if (launchSetting == 1 && editor->Modified() && !m_host.SaveDocument())
            return false;
        if (launchSetting == 0 && !m_host.AskSaveChanges())
            return false;
        path = editor->Filename();
    } else {
        if (MessageDlg(QStringLiteral("This document must be saved in order to display it."), TMsgKind::Information,
                       TMsgButtons::OkCancel) != TMsgResult::Ok ||
            !m_host.SaveDocumentAs())
            return false;
        path = editor->Filename();
    }
    const bool started = StartExternalBrowser(location, path);
    if (!started)
        MessageDlg(QStringLiteral("Unable to start ") + location + u'.', TMsgKind::Error);
    QCoreApplication::processEvents();
    return started;
}
