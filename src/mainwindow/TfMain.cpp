// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMain.h"

#include "Dictionaries.h"
#include "DocumentCommands.h"
#include "DocumentWeightCommands.h"
#include "ExtendedSearchCommands.h"
#include "FileUtils.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "LinkVerifyCommands.h"
#include "LongRun.h"
#include "MainMenu.h"
#include "MessageService.h"
#include "Notices.h"
#include "OpenFromWebCommands.h"
#include "Paths.h"
#include "ProgramHelp.h"
#include "ProjectCommands.h"
#include "PublishCommands.h"
#include "QtMessageService.h"
#include "RecoveryController.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "Speedbar.h"
#include "SpeedbarTable.h"
#include "TAppBarCommands.h"
#include "TCustomMenuCommands.h"
#include "TFileBrowser.h"
#include "TFindCommands.h"
#include "THelpController.h"
#include "TPreviewController.h"
#include "TRuler.h"
#include "TSpellCommands.h"
#include "TStyleCommands.h"
#include "TTagCommands.h"
#include "TTagDialogCommands.h"
#include "TTextCommands.h"
#include "TagText.h"
#include "TextUtils.h"
#include "TfOptionDialog.h"
#include "TfSettings.h"
#include "TfTagList.h"
#include "ThumbnailCommands.h"
#include "TipOfTheDay.h"
#include "TvqAppBar.h"
#include "TvqFileView.h"
#include "TvqHTMLTab.h"
#include "TvqScriptTree.h"
#include "TvqTableSizer.h"
#include "ValidatorCommands.h"
#include "WindowPlacement.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Velicort 2.5 BETA 3");

// Widths of the status panels: caret position, messages (the rest), the
// third panel and the insert mode.
constexpr int CaretPanelWidth = 75;
constexpr int ThirdPanelWidth = 86;

// The colour-coding commands end in these names, by mode.
const QString ColorModeNames[] = {QStringLiteral("None"), QStringLiteral("Minimal"), QStringLiteral("Full")};

THelpOptions HelpOptions(const TMainSettings &m)
{
    return {.UseInternalHTMLHelp = m.UseInternalHTMLHelp,
            .ExternalHTMLHelp = m.ExternalHTMLHelp,
            .HTMLibTopicFile = m.HTMLibTopicFile};
}

} // namespace

TfMain::TfMain(QWidget *parent) : QMainWindow(parent), m_settings(ReadMainSettings())
{
    // A window made without the program's start (a benchmark) asks through
    // Qt's dialogs too; tests have installed their own service.
    if (!TMessageService::Installed())
        TMessageService::Install(std::make_unique<TQtMessageService>());
    setWindowTitle(QStringLiteral("Velicort 2.5"));
    setObjectName(QStringLiteral("TfMain"));
    resize(896, 611);

    m_documents = new TvqHTMLTab;
    m_documents->setObjectName(QStringLiteral("vqHTMLTab"));
    m_commands = new TDocumentCommands(m_documents, this);
    CreateFrame();
    CreateStatusBar();
    BuildMainMenu(this);
    m_documents->SetEditorPopup(BuildEditorPopup(this));
    CreateControllers();
    ConnectCommands();
    m_binder.On({"mnuOptionsSettings", "mnuPE_OptSettings"}, this, [this] { ShowSettings(TfSettings::pgGeneral); });
    // The speedbar's pop-up chooses its pages.
    auto *showHide = new QAction(QStringLiteral("&Show/Hide Toolbars..."), m_speedbarPages);
    showHide->setObjectName(QStringLiteral("mnuPS_ShowHide"));
    connect(showHide, &QAction::triggered, this, [this] { ShowSettings(TfSettings::pgSpeedBar); });
    m_speedbarPages->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_speedbarPages->addAction(showHide);
    ApplyStoredSettings();
    vqHTMLTabPageChange();
}

TfMain::~TfMain() = default;

TvqRichHTML *TfMain::ActiveEditor() const
{
    return m_documents->ActiveEditor();
}

QAction *TfMain::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QToolBar *TfMain::Toolbar(const QString &name) const
{
    return findChild<QToolBar *>(name);
}

QString TfMain::StatusPanelText(int panel) const
{
    return m_statusPanels[panel]->text();
}

// ---------------------------------------------------------------------------
// The frame

void TfMain::CreateFrame()
{
    const auto makeBar = [this](const QString &name, const QString &title) {
        auto *bar = new QToolBar(title, this);
        bar->setObjectName(name);
        bar->setIconSize(QSize(16, 16));
        return bar;
    };

    // The header: the main toolbar and the tag speedbar, one above the other
    // or side by side.
    m_mainToolbar = makeBar(QStringLiteral("pnlTB_Main"), tr("Main Toolbar"));
    m_mainToolbar->setMovable(false);
    m_speedbar = makeBar(QStringLiteral("pnlTB_SpeedBar"), tr("Speedbar"));
    m_speedbar->setMovable(false);
    m_speedbarPages = new QTabWidget;
    m_speedbarPages->setObjectName(QStringLiteral("pgSpeedbar"));
    m_speedbarPages->setDocumentMode(true);
    m_speedbar->addWidget(m_speedbarPages);
    BuildSpeedbarPages(m_speedbarPages);
    // The script object tree floats over the document under its button.
    m_scriptTree = new TvqScriptTree(this);
    m_scriptTree->setObjectName(QStringLiteral("vqJavaScriptTree"));
    m_scriptTree->SetScriptLanguage(slJavaScript);
    m_scriptTree->resize(180, 303);
    m_scriptTree->hide();
    BuildMainToolbar(this, m_mainToolbar);

    m_customBar = makeBar(QStringLiteral("oxDockCustom"), tr("Custom Toolbar"));
    m_colorBar = makeBar(QStringLiteral("oxDockColorBar"), tr("Color Bar"));
    m_secondaryBar = makeBar(QStringLiteral("oxDockSecondary"), tr("Secondary Toolbar"));
    BuildSecondaryToolbar(this, m_secondaryBar);
    m_specialCharBar = makeBar(QStringLiteral("pnlSpecialChar"), tr("Special Characters"));
    m_specialCharBar->setMovable(false);
    m_specialChars = new TSpecialCharBar;
    m_specialCharBar->addWidget(m_specialChars);

    // Left: the file browser pane.
    m_fileBrowser = new TFileBrowser;

    // Centre: the "Edit" and "Browse" pages.
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("pgHTML"));
    m_pages->setTabPosition(QTabWidget::South);
    auto *editPage = new QWidget;
    editPage->setObjectName(QStringLiteral("tbsHTMLEdit"));
    auto *edit = new QVBoxLayout(editPage);
    edit->setContentsMargins(0, 0, 0, 0);
    edit->setSpacing(0);
    auto *validator = new QTreeWidget;
    validator->setObjectName(QStringLiteral("lvwValidator"));
    validator->setHeaderLabels({tr("Line"), tr("Message")});
    validator->hide();
    m_ruler = new TRuler;
    m_ruler->setObjectName(QStringLiteral("pnlRuler"));
    m_ruler->hide();
    edit->addWidget(m_ruler);
    edit->addWidget(m_documents, 1);
    edit->addWidget(validator);
    m_pages->addTab(editPage, tr("Edit"));

    // Right: the HTML help pane, shown by the help command.
    m_help = new THelpController(m_documents,
                                 {[this] { return m_fileBrowser->vqFileList->hasFocus(); },
                                  [this] { m_fileBrowser->RenameSelected(); }, [this](int page) { ShowSettings(page); },
                                  [this](const QString &text) { ShowStatusMessage(text); },
                                  [this] { return m_pages->currentIndex() == 0; }},
                                 this);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("pnlSplitHorz"));
    m_splitter->setOpaqueResize(false); // a moving line, applied on release
    m_splitter->addWidget(m_fileBrowser);
    m_splitter->addWidget(m_pages);
    m_splitter->addWidget(m_help->Pane());
    m_splitter->setCollapsible(0, false);
    m_splitter->setCollapsible(1, false);
    m_splitter->setCollapsible(2, false);
    m_splitter->setStretchFactor(1, 1);
    m_fileBrowser->setMinimumWidth(40);
    m_fileBrowser->setMaximumWidth(600);

    // The header rows: main toolbar and speedbar, the special characters,
    // the custom toolbar; the other bars at the edges until moved.
    addToolBar(Qt::TopToolBarArea, m_mainToolbar);
    addToolBar(Qt::TopToolBarArea, m_speedbar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_specialCharBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_customBar);
    addToolBar(Qt::LeftToolBarArea, m_secondaryBar);
    addToolBar(Qt::BottomToolBarArea, m_colorBar);

    auto *centre = new QWidget;
    auto *layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_splitter, 1);
    m_statusArea = new QStackedWidget;
    m_statusArea->setObjectName(QStringLiteral("pnlStatus"));
    layout->addWidget(m_statusArea);
    setCentralWidget(centre);
}

void TfMain::CreateStatusBar()
{
    auto *status = new QStatusBar;
    status->setObjectName(QStringLiteral("staMain"));
    const QString texts[4] = {QStringLiteral("1: 1"), QStringLiteral(" Ready."), QString(), QStringLiteral("Insert")};
    for (int i = 0; i < 4; ++i) {
        m_statusPanels[i] = new QLabel(texts[i]);
        m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_statusPanels[i]->setAlignment(i == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        status->addWidget(m_statusPanels[i], i == 1 ? 1 : 0);
    }
    m_statusPanels[0]->setFixedWidth(CaretPanelWidth);
    m_statusPanels[2]->setFixedWidth(ThirdPanelWidth);
    // "Overwrite" must fit where "Insert" stands.
    m_statusPanels[3]->setFixedWidth(
        std::max(40, m_statusPanels[3]->fontMetrics().horizontalAdvance(QStringLiteral("Overwrite")) + 10));

    auto *progress = new QWidget;
    auto *row = new QHBoxLayout(progress);
    row->setContentsMargins(4, 2, 4, 2);
    m_progressLabel = new QLabel(tr("Progress..."));
    m_progressBar = new QProgressBar;
    m_progressBar->setObjectName(QStringLiteral("prgProgress"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setTextVisible(false);
    row->addWidget(m_progressLabel);
    row->addWidget(m_progressBar, 1);

    m_statusArea->addWidget(status);
    m_statusArea->addWidget(progress);
    m_statusArea->setFixedHeight(status->sizeHint().height());
}

void TfMain::ShowStatusMessage(const QString &message)
{
    m_statusPanels[1]->setText(message.isEmpty() ? QStringLiteral(" Ready.") : u' ' + message);
}

void TfMain::FormResize()
{
    // The size grip shows only while the window can be resized.
    if (auto *status = qobject_cast<QStatusBar *>(m_statusArea->widget(0)))
        status->setSizeGripEnabled(!isMaximized() && !isFullScreen());
    m_progressBar->setFixedWidth(std::max(0, width() - 106 - m_progressLabel->width()));
}

void TfMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FormResize();
}

// ---------------------------------------------------------------------------
// Settings

void TfMain::ApplyStoredSettings()
{
    const TSettingsBatch batch;
    const TMainSettings &s = m_settings;
    m_fileBrowser->SetFileListEnabled(s.FileListEnabled);
    m_documents->SetFontRegistryKey(RegistryKeys::ColorCoding);
    m_documents->SetUseLockWindowUpdate(s.UseLockWindowUpdate);
    m_documents->SetDocumentBackgroundColor(s.BackgroundColor);
    m_documents->SetDocumentForegroundColor(s.ForegroundColor);
    m_commands->SetDefaultExtension(s.DefaultExtension);
    m_commands->SetSaveAsUnix(s.SaveAsUnix);
    m_commands->SetDropOptions(s.LowerCaseFiles, s.NetscapeMultimedia, s.ResetDirOnOpen);
    SetColorCodingMode(s.ColorCodeMode);
    ActiveEditor()->SetWordWrap(s.WordWrap);
    CheckWordWrap(s.WordWrap);
    m_documents->SetTabWidth(s.TabWidth);
    m_documents->SetAutoIndent(s.AutoIndent);
    m_fileBrowser->cboFilter->setCurrentIndex(s.FilterIndex);

    RestoreWindowPlacement(this);

    SetStatusBarVisible(s.StatusBar);
    SetColorBarVisible(s.ColorBar);
    SetCustomToolbarVisible(s.CustomToolbar);
    SetSecondaryToolbarVisible(s.SecondaryToolbar);
    SetSpecialCharVisible(s.SpecialChar);

    SetDocListVisible(s.DocListVisible);
    m_splitter->setSizes({s.DocListWidth, std::max(200, width() - s.DocListWidth), 0});
    m_fileBrowser->pnlSplitVert->setSizes({s.DirListHeight, std::max(100, height() - s.DirListHeight)});
    TvqFileView *fileList = m_fileBrowser->vqFileList;
    fileList->setColumnWidth(fcName, s.ColumnWidths[fcName]);
    fileList->SetListOnlyFileNames(s.ListOnlyFileNames);
    if (!s.ListOnlyFileNames)
        for (int i = fcType; i < fcColumnCount; ++i)
            fileList->setColumnWidth(i, s.ColumnWidths[i]);

    for (int i = 0; i < int(std::size(SpeedbarPages)); ++i) {
        const TSpeedbarPage &page = SpeedbarPages[i];
        if (page.visibleValue)
            m_speedbarPages->setTabVisible(
                i, ReadRegBool(RegistryKeys::SpeedBar, QLatin1String(page.visibleValue), page.visibleByDefault));
    }
    SetMainToolbarVisible(s.MainVisible);
    SetSpeedbarVisible(s.SpeedbarVisible);
    SetToolbarLayout(s.ToolbarLayout);
    m_reloadPromptOnChange = s.ReloadPromptOnChange;
    m_commands->LoadRecentFiles();
    SetRulersVisible(s.Rulers);
    SetLineNumbersVisible(s.LineNumbers);
    SetLowerCaseTags(s.LowerCaseTags);
    m_tagCommands->SetCloseParagraphTags(s.CloseParagraphTags);
    m_tagCommands->SetForceHexColor(s.ForceHexColor);
}

void TfMain::OpenCommandLine(const QStringList &parameters)
{
    const QStringList files = CommandLineFiles(parameters);

    if (files.isEmpty()) {
        m_fileBrowser->ChangeFolder(m_settings.InitialDir, false);
        m_commands->SetOpenFolder(m_settings.InitialDir);
        ActiveEditor()->SetModified(false);
        show();
        QCoreApplication::processEvents();
    } else {
        THourglass hourglass;
        ActiveEditor()->SetModified(false);
        show();
        QCoreApplication::processEvents();
        for (const QString &file : std::as_const(files)) {
            const QString path = LongPathOf(file);
            if (QFileInfo(path).suffix().compare(QLatin1String("vcp"), Qt::CaseInsensitive) == 0) {
                m_projects->OpenProject(path, ActiveEditor()->ColorCodeMode());
                continue;
            }
            const QString lower = path.toLower();
            if (lower.contains(QLatin1String("temporary internet files/cache")) ||
                lower.contains(QLatin1String("netscape/cache")))
                QDir::setCurrent(DataFolder());
            OpenDocuments(path, 0);
        }
    }
    m_startupDone = true;
    m_fileBrowser->SetRefreshAllowed(true);
    m_fileBrowser->RefreshFileList(m_fileBrowser->CurrentFolder());
    m_documents->SetAcceptFiles(true);
    ActiveEditor()->SetModified(false);
    m_recovery->Start();
}

void TfMain::CreateLongLivedWindows()
{
    m_tagList = new TfTagList(this);
    connect(m_tagList, &TfTagList::Closed, this, [this] {
        Action(QStringLiteral("mnuViewTagList"))->setChecked(false);
        Action(QStringLiteral("spdTags"))->setChecked(false);
    });
    m_binder.On({"mnuViewTagList", "spdTags"}, this, [this](bool on) { SetTagListVisible(on); });
    connect(m_tagList, &TfTagList::InsertTag, this, [this](const QString &start, const QString &end) {
        TLongRun::WhenIdle(this, [this, start, end] { ActiveEditor()->InsertTag(start, end, false); });
    });
}

void TfMain::LoadSettings()
{
    m_preview->LoadBrowserList();
    if (m_settings.ShowTips)
        ShowTipOfTheDay();
    if (ActiveEditor()->isVisible())
        ActiveEditor()->setFocus();
    m_appBar->Load();
    m_customMenus->Load();
    ShowStatusMessage(QString());

    m_messageWindow = new TfVelicortMessageWindow(this);
    // Files handed over, dropped from the desktop or changed on disk change
    // the documents: they wait for a long run under way to end.
    connect(m_messageWindow, &TfVelicortMessageWindow::OpenFileMessage, this,
            [this](const QString &path) { TLongRun::WhenIdle(this, [this, path] { MessageWindowOpenFile(path); }); });
    // A file handed over ends a spelling check, then opens.
    connect(m_messageWindow, &TfVelicortMessageWindow::OpenFileMessage, m_spelling, &TSpellCommands::Cancel);
    connect(m_messageWindow, &TfVelicortMessageWindow::ValidatorResultMessage, this, [this](const QString &path) {
        TLongRun::WhenIdle(this, [this, path] { MessageWindowValidatorResult(path); });
    });
    m_messageWindow->Listen();
    vqHTMLTabPageChange();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            TLongRun::WhenIdle(this, [this] { AppOnActivate(); });
    });
}

// ---------------------------------------------------------------------------
// Commands

void TfMain::CreateControllers()
{
    m_preview = new TPreviewController(m_documents, m_pages, *this, m_settings.Preview, this);
    m_preview->Connect(m_binder);
    // A row of its own, where the speedbar stands.
    insertToolBar(m_speedbar, m_preview->BrowserToolbar());
    insertToolBarBreak(m_preview->BrowserToolbar());
    connect(m_commands, &TDocumentCommands::RefreshPreview, m_preview, &TPreviewController::RefreshIfBrowsing);
    connect(Action(QStringLiteral("mnuPB_FullScreen")), &QAction::triggered, this, &TfMain::SetFullScreen);
    connect(Action(QStringLiteral("mnuPB_Rulers")), &QAction::triggered, this, &TfMain::SetRulersVisible);

    m_tagCommands = new TTagCommands(m_documents, m_speedbar, m_speedbarPages, m_specialChars, m_scriptTree, this);
    m_tagCommands->Connect(m_binder);
    m_tagCommands->BuildColorBar(m_colorBar);
    connect(m_tagCommands, &TTagCommands::InsertFileRequested, m_commands, &TDocumentCommands::InsertDocument);
    m_customMenus = new TCustomMenuCommands(m_customBar, m_tagCommands, this);
    m_appBar = new TAppBarCommands(
        m_speedbarPages->findChild<TvqAppBar *>(QStringLiteral("vqAppBar1")),
        m_speedbarPages->findChild<QAbstractButton *>(QStringLiteral("spdCustomizeAppBar")),
        {[this] { return m_commands->AskSaveChanges(); }, [this] { return ActiveEditor()->Filename(); }}, this);

    // Picked files are relative to the document, or for an untitled one to
    // the folder the file browser shows.
    m_tagDialogs = new TTagDialogCommands(
        m_documents,
        [this] {
            const QString name = ActiveEditor()->Filename();
            return name.isEmpty() ? m_fileBrowser->CurrentFolder() : QFileInfo(name).absolutePath();
        },
        this);
    m_tagDialogs->Connect(m_binder);
    m_tagDialogs->ConnectSpeedbar(m_speedbarPages);
    connect(m_tagCommands, &TTagCommands::DialogRequested, m_tagDialogs, &TTagDialogCommands::RunAction);
    new TQuickTable(m_documents, m_speedbarPages->findChild<QAbstractButton *>(QStringLiteral("vqbQuickTable")),
                    m_speedbar, this);
    (new TStyleCommands(m_documents, m_speedbarPages, this))->Connect();

    m_textCommands = new TTextCommands(m_documents, this);
    m_textCommands->Connect(m_binder);

    m_projects = new TProjectCommands(
        m_commands, [this](TColorCodeMode mode) { SetColorCodingMode(mode); }, this);
    m_projects->Connect(m_binder);

    auto *publish = new TPublishCommands(m_commands, m_documents, this);
    publish->Connect(m_binder);
    connect(m_fileBrowser, &TFileBrowser::PublishRequested, publish, &TPublishCommands::PublishSelection);

    m_findCommands = new TFindCommands(m_documents, this);
    m_findCommands->Connect(m_binder);
    connect(m_findCommands, &TFindCommands::StatusText, this, &TfMain::ShowStatusMessage);

    m_spelling = new TSpellCommands(m_documents, this, {m_fileBrowser, m_mainToolbar, m_speedbar});
    m_spelling->Connect(m_binder);
    m_spelling->SetSkipTags(m_settings.SpellSkipTags);
    m_spelling->SetDictionaries(m_settings.DictionaryMain, m_settings.DictionaryUser);
    m_recovery = new TRecoveryController(
        m_documents, RecoveryFolder(), [this](const QStringList &files) { m_commands->OpenInOrder(files); }, this);
    connect(m_recovery, &TRecoveryController::StatusText, this, &TfMain::ShowStatusMessage);
    m_help->SetOptions(HelpOptions(m_settings));
    m_help->Connect(m_binder);
    InstallHelpKey(this);
    (new TLinkVerifyCommands(m_documents, m_commands, m_fileBrowser, m_reloadPromptOnChange, this))->Connect(m_binder);
    (new TDocumentWeightCommands(m_documents, m_commands, m_fileBrowser, this))->Connect(m_binder);
    new TThumbnailCommands(m_tagDialogs, m_fileBrowser, m_settings.ThumbnailDir, this);
    m_extendedSearch = new TExtendedSearchCommands(
        m_documents,
        {[this] { return m_fileBrowser->CurrentFolder(); }, [this] { return m_commands->SaveAsUnix(); },
         [this](bool on) { return std::exchange(m_reloadPromptOnChange, on); },
         [this](const QString &path) { OpenDocuments(path, 0); }},
        this);
    m_extendedSearch->Connect(m_binder);
    connect(m_extendedSearch, &TExtendedSearchCommands::StatusText, this, &TfMain::ShowStatusMessage);
    auto *openFromWeb = new TOpenFromWebCommands(m_documents, m_commands, m_pages, this);
    openFromWeb->Connect(m_binder);
    connect(openFromWeb, &TOpenFromWebCommands::StatusText, this, &TfMain::ShowStatusMessage);
    connect(m_preview, &TPreviewController::EditRemotePage, openFromWeb, &TOpenFromWebCommands::OpenFromWeb);
    m_validator =
        new TValidatorCommands(m_documents, m_preview, findChild<QTreeWidget *>(QStringLiteral("lvwValidator")),
                               CompanionValidatorPath(), this);
    m_validator->Connect(m_binder);
}

void TfMain::ConnectCommands()
{
    const auto on = [this](const char *name, auto handler) { m_binder.On({name}, this, handler); };
    on("mnuFileNew", [this] { m_commands->NewDocumentFromTemplate(); });
    m_binder.On({"mnuFileCurrentDocs", "spdCurrentDocs"}, this, [this] { m_commands->ChooseCurrentDocument(); });
    on("spdNew", [this] {
        // Disabled while it runs, so a double click makes one document.
        QAction *button = Action(QStringLiteral("spdNew"));
        button->setEnabled(false);
        m_commands->NewDocument(m_settings.DocumentTemplate);
        button->setEnabled(true);
    });
    on("mnuFileInsert", [this] { m_commands->InsertDocument(QString()); });
    m_binder.On({"mnuFileSaveAll", "spdSaveAll"}, this, [this] { m_commands->SaveAllDocuments(); });
    on("mnuFileSaveAsUnix", [this] { m_commands->SaveDocumentAsUnix(QString()); });
    for (int i = 1; i <= 10; ++i)
        on(qPrintable(QStringLiteral("mnuMRU_%1").arg(i)), [this, i] { mnuMRU_Click(i); });
    on("mnuFileOpen", [this] { OpenDocuments(QString(), m_settings.ResetDirOnOpen ? 1 : 0); });
    on("mnuFileSave", [this] { m_commands->SaveDocument(); });
    on("mnuFileSaveAs", [this] { m_commands->SaveDocumentAs(); });
    on("mnuFileClose", [this] {
        m_commands->CloseDocument();
        findChild<QWidget *>(QStringLiteral("lvwValidator"))->hide();
    });
    on("mnuFilePrint", [this] { m_commands->PrintDocument(); });
    on("mnuFileExit", [this] { close(); });
    on("spdOpen", [this] { OpenDocuments(QString(), m_settings.ResetDirOnOpen ? 1 : 0); });
    on("spdSave", [this] { m_commands->SaveDocument(); });

    for (const char *group : {"mnuCC", "spdCC"}) {
        auto *modes = new QActionGroup(this);
        const QString prefix = QLatin1String(group);
        for (const TColorCodeMode mode : {ccNone, ccMinimal, ccFull}) {
            QAction *action = Action(prefix + ColorModeNames[mode]);
            modes->addAction(action);
            on(qPrintable(action->objectName()), [this, mode] { SetColorCodingMode(mode); });
        }
    }
    m_binder.On({"mnuOptionsReapplyColorCoding", "mnuPE_OptReapplyColorCoding", "spdReapplyColorCode"}, this,
                [this] { ActiveEditor()->ColorAll(); });
    m_binder.On({"mnuOptionsWordWrap", "spdWordWrap"}, this, [this] { ToggleWordWrap(); });
    m_binder.On({"mnuOptionsFullScreen", "mnuPE_OptFullScreen", "spdFullScreen"}, this,
                [this](bool on) { SetFullScreen(on); });
    on("mnuViewToolbarVertical", [this] { SetToolbarLayout(0); });
    on("mnuViewToolbarHorizontal", [this] { SetToolbarLayout(1); });

    on("mnuViewStatusBar", [this](bool on) { SetStatusBarVisible(on); });
    on("mnuViewColorBar", [this](bool on) { SetColorBarVisible(on); });
    on("mnuViewCustomToolbar", [this](bool on) { SetCustomToolbarVisible(on); });
    on("mnuViewSecondaryToolbar", [this](bool on) { SetSecondaryToolbarVisible(on); });
    on("mnuViewSpecialChars", [this](bool on) { SetSpecialCharVisible(on); });
    on("mnuViewDocList", [this](bool on) { SetDocListVisible(on); });
    on("mnuViewMainToolbar", [this](bool on) { SetMainToolbarVisible(on); });
    on("mnuViewSpeedbar", [this](bool on) { SetSpeedbarVisible(on); });
    on("mnuViewRulers", [this](bool on) { SetRulersVisible(on); });
    on("mnuViewLineNumbers", [this](bool on) { SetLineNumbersVisible(on); });
    on("mnuHelpTip", [] { ShowTipOfTheDay(); });
    on("mnuHelpAbout", [] {
        MessageDlg(QStringLiteral("Velicort 2.5\r\n\r\nA native HTML editor for people who write web pages by "
                                  "hand.\r\n\r\nFree software under the GNU General Public License, version 3 or "
                                  "later."),
                   TMsgKind::Plain);
    });

    connect(m_commands, &TDocumentCommands::RecentFilesChanged, this, &TfMain::UpdateReopenMenu);
    connect(m_commands, &TDocumentCommands::DocumentStateChanged, this, [this] {
        UpdateCaption();
        // A page that declares a charset Velicort does not read says so.
        const QString charset = ActiveEditor()->OtherCharset();
        ShowStatusMessage(charset.isEmpty() ? QString()
                                            : QStringLiteral("The page declares the charset \"%1\"; it is read "
                                                             "as Windows-1252.")
                                                  .arg(charset));
        Action(QStringLiteral("spdSave"))->setEnabled(ActiveEditor()->Modified());
    });

    connect(m_documents, &TvqHTMLTab::OnActiveDocProgressChange, this, &TfMain::vqHTMLTabActiveDocProgressChange);
    connect(m_documents, &TvqHTMLTab::OnActiveDocInsertModeChange, this, &TfMain::vqHTMLTabActiveDocInsertModeChange);
    connect(m_documents, &TvqHTMLTab::OnActiveDocModifyStatusChange, this,
            &TfMain::vqHTMLTabActiveDocModifyStatusChange);
    connect(m_documents, &TvqHTMLTab::OnActiveDocSelectionChange, this, &TfMain::vqHTMLTabActiveDocSelectionChange);
    connect(m_documents, &TvqHTMLTab::OnActiveDocKeyPress, this, &TfMain::vqHTMLTabActiveDocKeyPress);
    connect(m_documents, &TvqHTMLTab::OnDropFiles, this, &TfMain::vqHTMLTabDropFiles);
    connect(m_documents, &TvqHTMLTab::OnPageChange, this, &TfMain::vqHTMLTabPageChange);
    connect(m_documents, &TvqHTMLTab::OnActiveDocDragOver, this, &TfMain::vqHTMLTabActiveDocDragOver);
    connect(m_documents, &TvqHTMLTab::OnActiveDocDragDrop, this, &TfMain::vqHTMLTabActiveDocDragDrop);

    connect(m_commands, &TDocumentCommands::MoveFileBrowser, this,
            [this](const QString &folder) { m_fileBrowser->ChangeFolder(folder, false); });
    connect(m_commands, &TDocumentCommands::DocumentSaved, m_fileBrowser, &TFileBrowser::DocumentSaved);
    connect(m_fileBrowser, &TFileBrowser::OpenDocument, this, &TfMain::OpenDocuments);
    connect(m_fileBrowser, &TFileBrowser::InsertFileTag, this, &TfMain::InsertFileTag);
    connect(m_fileBrowser, &TFileBrowser::StatusText, this, &TfMain::ShowStatusMessage);
}

TSettingsState TfMain::CurrentSettings() const
{
    const TMainSettings &m = m_settings;
    TSettingsState s;
    s.AutoFillImageSize = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoFillImageSize"), true);
    s.AutoFillAltText = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoFillAltText"), false);
    s.Recovery = m_recovery->Options();
    s.BookmarkFile = ReadRegValue(RegistryKeys::Velicort, QStringLiteral("BookmarkFile"), QString());
    s.ShowSplash = SplashWanted();
    s.LowerCaseFiles = m.LowerCaseFiles;
    s.LowerCaseTags = LowerCaseTags();
    s.ForceHexColor = m.ForceHexColor;
    s.SpellSkipTags = m.SpellSkipTags;
    s.DictionaryMain = ReadRegValue(RegistryKeys::Velicort, QStringLiteral("DictionaryMain"), DefaultDictionaryName);
    s.ListOnlyFileNames = m.ListOnlyFileNames;
    s.SaveAsUnix = m_commands->SaveAsUnix();
    s.CloseParagraphTags = m.CloseParagraphTags;
    s.MicrosoftMultimedia = !m.NetscapeMultimedia;
    s.DocumentTemplate = m.DocumentTemplate;
    s.HTMLExtensions = m_commands->HTMLExtensions();
    s.DefaultExtension = m_commands->DefaultExtension();
    s.UseInternalHTMLHelp = m.UseInternalHTMLHelp;
    s.ExternalHTMLHelp = m.ExternalHTMLHelp;
    const TvqRichHTML *editor = ActiveEditor();
    s.AutoIndent = m_documents->AutoIndent();
    s.FontName = editor->FontName();
    s.FontSize = editor->FontSize();
    for (int style = scTags; style <= scScripts; ++style)
        s.Styles[style - 1] = editor->StylePair(TStyleClass(style));
    s.BackgroundColor = m_documents->DocumentBackgroundColor();
    s.ForegroundColor = m_documents->DocumentForegroundColor();
    s.TabWidth = m_documents->TabWidth();
    const TPreviewOptions &preview = m_preview->Options();
    s.UseMSIE = preview.UseBrowserObject;
    s.ViewerFontName = preview.ViewerFontName;
    s.ViewerFontSize = preview.ViewerFontSize;
    s.ViewerFontColor = preview.ViewerFontColor;
    s.ViewerLinkColor = preview.ViewerLinkColor;
    s.MapFrom = preview.MapFrom;
    s.MapTo = preview.MapTo;
    s.Browsers = preview.Browsers;
    s.BrowserLaunchSetting = preview.LaunchSetting;
    for (int i = 0; i < SpeedbarOptionCount; ++i)
        s.SpeedbarPages[i] = m_speedbarPages->isTabVisible(
            m_speedbarPages->indexOf(findChild<QWidget *>(QLatin1String(SpeedbarOptions[i].page))));
    return s;
}

void TfMain::ShowSettings(int page)
{
    TfSettings dialog(CurrentSettings(), page, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ApplySettings(dialog.State(), dialog.Marks());
}

void TfMain::ApplySettings(const TSettingsState &s, const TSettingsMarks &marks)
{
    const TSettingsBatch batch;
    TMainSettings &m = m_settings;
    if (marks.General) {
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoFillImageSize"), s.AutoFillImageSize);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoFillAltText"), s.AutoFillAltText);
        m.LowerCaseFiles = s.LowerCaseFiles;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("LowerCaseFiles"), s.LowerCaseFiles);
        SetLowerCaseTags(s.LowerCaseTags);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("LowerCaseTags"), s.LowerCaseTags);
        m.CloseParagraphTags = s.CloseParagraphTags;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("CloseParagraphTags"), s.CloseParagraphTags);
        m_tagCommands->SetCloseParagraphTags(s.CloseParagraphTags);
        m.NetscapeMultimedia = !s.MicrosoftMultimedia;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("MultimediaFormat"), s.MicrosoftMultimedia ? 0 : 1);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ShowSplash"), s.ShowSplash);
        m.ForceHexColor = s.ForceHexColor;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ForceHexColor"), s.ForceHexColor);
        m_tagCommands->SetForceHexColor(s.ForceHexColor);
        m.SpellSkipTags = s.SpellSkipTags;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("SpellSkipTags"), s.SpellSkipTags);
        m_spelling->SetSkipTags(s.SpellSkipTags);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("DictionaryMain"), s.DictionaryMain);
        m.DictionaryMain = DictionaryFilePath(s.DictionaryMain);
        m_spelling->SetDictionaries(m.DictionaryMain, m.DictionaryUser);
        m_commands->SetSaveAsUnix(s.SaveAsUnix);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("SaveAsUnix"), s.SaveAsUnix);
        m_commands->SetDropOptions(m.LowerCaseFiles, m.NetscapeMultimedia, m.ResetDirOnOpen);
        if (s.ListOnlyFileNames != m.ListOnlyFileNames) {
            m.ListOnlyFileNames = s.ListOnlyFileNames;
            WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("ListOnlyFileNames"), s.ListOnlyFileNames);
            m_fileBrowser->vqFileList->SetListOnlyFileNames(s.ListOnlyFileNames);
            m_fileBrowser->RefreshFileList(m_fileBrowser->CurrentFolder());
        }
    }
    if (marks.Recovery)
        m_recovery->SetOptions(s.Recovery);
    if (marks.Template) {
        m.DocumentTemplate = s.DocumentTemplate;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("DocumentTemplate"), s.DocumentTemplate);
    }
    if (marks.BookmarkFile)
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("BookmarkFile"), s.BookmarkFile);
    if (marks.Help) {
        m.ExternalHTMLHelp = s.ExternalHTMLHelp;
        m.UseInternalHTMLHelp = s.UseInternalHTMLHelp;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ExternalHTMLHelp"), s.ExternalHTMLHelp);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("UseInternalHTMLHelp"), s.UseInternalHTMLHelp);
        m_help->SetOptions(HelpOptions(m));
        if (!m.UseInternalHTMLHelp)
            m_help->CloseHelpObject();
    }
    if (marks.Viewer)
        m_preview->SetViewerDefaults(s.ViewerFontName, s.ViewerFontSize, s.ViewerFontColor, s.ViewerLinkColor);
    if (marks.Mapping)
        m_preview->SetServerMapping(s.MapFrom, s.MapTo);
    if (marks.Launch)
        m_preview->SetLaunchSetting(s.BrowserLaunchSetting);
    if (marks.Browsers)
        m_preview->SetBrowsers(s.Browsers);
    if (marks.Extensions) {
        SaveHTMLExtensions(s.HTMLExtensions);
        m_commands->SetHTMLExtensions(s.HTMLExtensions);
        m_fileBrowser->vqFileList->SetHTMLExtensions(s.HTMLExtensions);
        m_fileBrowser->RefreshFileList(m_fileBrowser->CurrentFolder());
    }
    if (marks.DefaultExt) {
        m_commands->SetDefaultExtension(s.DefaultExtension);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("DefaultExtension"), s.DefaultExtension);
    }
    if (marks.Background) {
        WriteRegValue(RegistryKeys::ColorCoding, QStringLiteral("BackgroundColor"), qint64(s.BackgroundColor));
        m_documents->SetDocumentBackgroundColor(s.BackgroundColor);
    }
    if (marks.Foreground) {
        WriteRegValue(RegistryKeys::ColorCoding, QStringLiteral("ForegroundColor"), qint64(s.ForegroundColor));
        m_documents->SetDocumentForegroundColor(s.ForegroundColor);
    }
    if (marks.TabWidth) {
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("TabWidth"), s.TabWidth);
        m_documents->SetTabWidth(s.TabWidth);
    }
    if (marks.AutoIndent) {
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoIndent"), s.AutoIndent);
        m_documents->SetAutoIndent(s.AutoIndent);
    }
    if (marks.EditorFont)
        ApplyEditorFont(s);
    if (marks.Speedbar) {
        m_speedbarPages->setCurrentIndex(0);
        for (int i = 0; i < SpeedbarOptionCount; ++i) {
            m_speedbarPages->setTabVisible(
                m_speedbarPages->indexOf(findChild<QWidget *>(QLatin1String(SpeedbarOptions[i].page))),
                s.SpeedbarPages[i]);
            WriteRegValue(RegistryKeys::SpeedBar, QLatin1String(SpeedbarOptions[i].value), s.SpeedbarPages[i]);
        }
    }
    if (s.UseMSIE != m_preview->Options().UseBrowserObject)
        m_preview->SetUseBrowserObject(s.UseMSIE);
}

void TfMain::ApplyEditorFont(const TSettingsState &s)
{
    const auto apply = [&s](TvqRichHTML *editor) {
        editor->SetEditorFont(s.FontName, s.FontSize);
        for (int style = scTags; style <= scScripts; ++style)
            editor->SetStylePair(TStyleClass(style), s.Styles[style - 1]);
        editor->ColorAll();
    };
    if (m_documents->DocumentCount() > 1 && TfOptionDialog::Choose(ApplyDocSettingsDialog, this).value_or(false)) {
        const int active = m_documents->TabIndex();
        for (int i = 0; i < m_documents->DocumentCount(); ++i) {
            m_documents->SetTabIndex(i);
            QCoreApplication::processEvents();
            TvqRichHTML *editor = ActiveEditor();
            const bool modified = editor->Modified();
            apply(editor);
            editor->SetModified(modified);
        }
        m_documents->SetTabIndex(active);
    } else {
        apply(ActiveEditor());
    }
    ActiveEditor()->WriteFontSettings(RegistryKeys::ColorCoding);
}

// ---------------------------------------------------------------------------
// What the preview asks of the window

QString TfMain::DocumentFolder() const
{
    return m_commands->DocumentFolder();
}

bool TfMain::SaveDocument()
{
    return m_commands->SaveDocument();
}

bool TfMain::SaveDocumentAs()
{
    return m_commands->SaveDocumentAs();
}

bool TfMain::AskSaveChanges()
{
    return m_commands->AskSaveChanges();
}

void TfMain::OpenDocument(const QString &path)
{
    OpenDocuments(path, 0);
}

void TfMain::ShowBrowserSettings(bool external)
{
    ShowSettings(external ? TfSettings::pgExternalBrowser : TfSettings::pgInternalBrowser);
}

void TfMain::BrowsePageShown(bool shown, bool browserToolbar)
{
    findChild<QWidget *>(QStringLiteral("lvwValidator"))->hide();
    m_scriptTree->ShowTree(false);
    SetEditingCommandsEnabled(!shown);
    m_speedbar->setVisible(m_speedbarVisible && !m_fullScreen && !(shown && browserToolbar));
}

void TfMain::SetEditingCommandsEnabled(bool enabled)
{
    if (enabled == m_editingEnabled)
        return;
    m_editingEnabled = enabled;
    for (const char *name : {"spdNew", "spdOpen", "spdProjects", "spdValidate", "spdVerifyLinks", "spdReplace",
                             "spdFind", "spdReplaceEx", "spdUndo", "spdIndent", "spdUnIndent", "spdCut", "spdCopy",
                             "spdPaste", "spdSpellCheck", "spdTags", "spdWordWrap"}) {
        QAction *action = Action(QLatin1String(name));
        // Commands still to come stay greyed on the Edit page too.
        if (!enabled)
            action->setProperty("enabledOnEdit", action->isEnabled());
        action->setEnabled(enabled ? action->property("enabledOnEdit").toBool() : false);
    }
    for (const char *name : {"mnuFile", "mnuEdit", "mnuSearch", "mnuTools", "mnuTags"})
        findChild<QMenu *>(QLatin1String(name))->menuAction()->setEnabled(enabled);
    m_speedbarPages->setEnabled(enabled);
    m_customBar->setEnabled(enabled);
    m_secondaryBar->setEnabled(enabled);
}

void TfMain::OpenDocuments(const QString &path, int flags)
{
    m_commands->OpenDocuments(path, flags);
}

void TfMain::UpdateCaption()
{
    const QString name = ActiveEditor()->Filename();
    setWindowTitle(Caption + QStringLiteral(" - [") +
                   (name.isEmpty() ? QStringLiteral("Untitled") : QDir::toNativeSeparators(name)) + u']');
}

void TfMain::SetColorCodingMode(TColorCodeMode mode)
{
    THourglass hourglass;
    TvqRichHTML *editor = ActiveEditor();
    const bool wasModified = editor->Modified();
    editor->SetColorCodeMode(mode);
    if (!wasModified)
        editor->SetModified(false);
    WriteRegValue(RegistryKeys::ColorCoding, QStringLiteral("ColorCodeMode"), int(mode));
    CheckColorMode(mode);
}

void TfMain::CheckColorMode(TColorCodeMode mode)
{
    Action(QStringLiteral("mnuCC") + ColorModeNames[mode])->setChecked(true);
    Action(QStringLiteral("spdCC") + ColorModeNames[mode])->setChecked(true);
}

void TfMain::CheckWordWrap(bool on)
{
    Action(QStringLiteral("mnuOptionsWordWrap"))->setChecked(on);
    Action(QStringLiteral("spdWordWrap"))->setChecked(on);
}

void TfMain::ToggleWordWrap()
{
    const bool on = !ActiveEditor()->WordWrap();
    ActiveEditor()->SetWordWrap(on);
    CheckWordWrap(on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("WordWrap"), on);
}

void TfMain::SetTagListVisible(bool on)
{
    m_tagList->setVisible(on);
    Action(QStringLiteral("mnuViewTagList"))->setChecked(on);
    Action(QStringLiteral("spdTags"))->setChecked(on);
}

// ---------------------------------------------------------------------------
// Bars and panes

namespace {

void ShowChecked(QWidget *control, QAction *action, bool on)
{
    control->setVisible(on);
    if (action)
        action->setChecked(on);
}

} // namespace

void TfMain::SetDocListVisible(bool on)
{
    m_docListVisible = on;
    ShowChecked(m_fileBrowser, Action(QStringLiteral("mnuViewDocList")), on);
}

void TfMain::SetMainToolbarVisible(bool on)
{
    m_mainToolbarVisible = on;
    ShowChecked(m_mainToolbar, Action(QStringLiteral("mnuViewMainToolbar")), on);
}

void TfMain::SetSpeedbarVisible(bool on)
{
    m_speedbarVisible = on;
    ShowChecked(m_speedbar, Action(QStringLiteral("mnuViewSpeedbar")), on);
}

void TfMain::SetToolbarLayout(int layout)
{
    m_toolbarLayout = layout == 0 ? 0 : 1;
    // Vertical: the speedbar below the main toolbar; horizontal: beside it.
    removeToolBarBreak(m_speedbar);
    if (m_toolbarLayout == 0)
        insertToolBarBreak(m_speedbar);
    Action(QStringLiteral("mnuViewToolbarVertical"))->setChecked(m_toolbarLayout == 0);
    Action(QStringLiteral("mnuViewToolbarHorizontal"))->setChecked(m_toolbarLayout == 1);
}

void TfMain::SetStatusBarVisible(bool on)
{
    m_statusBarVisible = on;
    ShowChecked(m_statusArea, Action(QStringLiteral("mnuViewStatusBar")), on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("StatusBar"), on);
}

void TfMain::SetColorBarVisible(bool on)
{
    m_colorBarVisible = on;
    ShowChecked(m_colorBar, Action(QStringLiteral("mnuViewColorBar")), on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ColorBar"), on);
}

void TfMain::SetCustomToolbarVisible(bool on)
{
    m_customToolbarVisible = on;
    ShowChecked(m_customBar, Action(QStringLiteral("mnuViewCustomToolbar")), on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("CustomToolbar"), on);
}

void TfMain::SetSecondaryToolbarVisible(bool on)
{
    m_secondaryToolbarVisible = on;
    ShowChecked(m_secondaryBar, Action(QStringLiteral("mnuViewSecondaryToolbar")), on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("SecondaryToolbar"), on);
}

void TfMain::SetSpecialCharVisible(bool on)
{
    m_specialCharVisible = on;
    ShowChecked(m_specialCharBar, Action(QStringLiteral("mnuViewSpecialChars")), on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("SpecialChar"), on);
}

void TfMain::SetLineNumbersVisible(bool on)
{
    m_documents->SetLineNumbers(on);
    Action(QStringLiteral("mnuViewLineNumbers"))->setChecked(on);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("LineNumbers"), on);
}

void TfMain::SetRulersVisible(bool on)
{
    m_rulersVisible = on;
    m_ruler->setVisible(on);
    for (const char *name : {"mnuViewRulers", "mnuPB_Rulers"})
        Action(QLatin1String(name))->setChecked(on);
}

void TfMain::SetFullScreen(bool on)
{
    for (const char *name : {"mnuOptionsFullScreen", "mnuPE_OptFullScreen", "spdFullScreen", "mnuPB_FullScreen"})
        Action(QLatin1String(name))->setChecked(on);
    // Entering again would store the full-screen window as the normal one.
    if (on == m_fullScreen)
        return;
    ShowOnceNotice(nmFullScreen);
    m_fullScreen = on;
    setUpdatesEnabled(false);
    if (on) {
        m_savedBars = {m_statusBarVisible,   m_colorBarVisible,         m_docListVisible, m_customToolbarVisible,
                       m_specialCharVisible, m_secondaryToolbarVisible, isMaximized()};
        m_mainToolbar->hide();
        m_speedbar->hide();
        m_fileBrowser->hide();
        m_statusArea->hide();
        m_colorBar->hide();
        m_customBar->hide();
        m_specialCharBar->hide();
        m_secondaryBar->hide();
        SaveWindowPlacement(this);
        showMaximized();
    } else {
        m_statusArea->setVisible(m_savedBars.statusBar);
        m_colorBar->setVisible(m_savedBars.colorBar);
        m_fileBrowser->setVisible(m_savedBars.docList);
        m_customBar->setVisible(m_savedBars.customToolbar);
        m_specialCharBar->setVisible(m_savedBars.specialChar);
        m_secondaryBar->setVisible(m_savedBars.secondaryToolbar);
        m_mainToolbar->setVisible(m_mainToolbarVisible);
        m_speedbar->setVisible(m_speedbarVisible);
        showNormal();
        RestoreWindowPlacement(this);
        if (m_savedBars.maximized)
            showMaximized();
    }
    setUpdatesEnabled(true);
    QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------
// Events of the documents

void TfMain::vqHTMLTabActiveDocProgressChange(TvqRichHTML *sender, int value)
{
    if (value == 0) {
        m_progressLabel->setText(sender->ProgressCaption());
        m_progressBar->setValue(0);
        m_statusArea->setCurrentIndex(1);
        m_statusArea->show();
        // Painted at once, without letting input through: the run that
        // reports owns the document until it ends.
        m_statusArea->repaint();
    } else if (value == 100) {
        m_progressBar->setValue(0);
        m_statusArea->setCurrentIndex(0);
        m_statusArea->setVisible(m_statusBarVisible);
    } else {
        m_progressBar->setValue(value);
    }
}

void TfMain::vqHTMLTabActiveDocInsertModeChange(TvqRichHTML *, TInsertMode mode)
{
    m_statusPanels[3]->setText(mode == imOverwrite ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
}

void TfMain::vqHTMLTabActiveDocModifyStatusChange(TvqRichHTML *)
{
    Action(QStringLiteral("spdSave"))->setEnabled(ActiveEditor()->Modified());
}

void TfMain::vqHTMLTabActiveDocSelectionChange()
{
    m_scriptTree->ShowTree(false);
    TvqRichHTML *editor = ActiveEditor();
    if (editor->UpdateLocked())
        return;
    const qsizetype caret = editor->GetSelStart();
    const int line = editor->LineFromChar(caret);
    const QString text =
        QString::number(line + 1) + QStringLiteral(": ") + QString::number(caret - editor->LineIndex(line) + 1);
    if (m_statusPanels[0]->text() != text)
        m_statusPanels[0]->setText(text);
}

void TfMain::vqHTMLTabActiveDocKeyPress()
{
    Action(QStringLiteral("spdSave"))->setEnabled(true);
}

void TfMain::vqHTMLTabDropFiles(const QStringList &files)
{
    TLongRun::WhenIdle(this, [this, files] { m_commands->DropFiles(files); });
}

void TfMain::vqHTMLTabActiveDocDragOver(TvqRichHTML *, QDragMoveEvent *event)
{
    if (event->source() == m_fileBrowser->vqFileList) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void TfMain::vqHTMLTabActiveDocDragDrop(TvqRichHTML *sender, QDropEvent *event)
{
    // Files from the file browser are linked, never opened.
    sender->MoveCaretToPoint(event->position().toPoint());
    m_commands->LinkFiles(m_fileBrowser->vqFileList->SelectedPaths());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    sender->setFocus();
}

void TfMain::InsertFileTag(const QString &path)
{
    // Style sheets get the tag built from the file alone, as for a drop.
    if (m_tagDialogs->InsertFileTag(path, FileKindOf(path, m_fileBrowser->vqFileList->HTMLExtensions())))
        return;
    m_commands->LinkFiles({path});
    ActiveEditor()->setFocus();
}

void TfMain::UpdateReopenMenu()
{
    const QStringList recent = m_commands->RecentFiles();
    for (int i = 0; i < 10; ++i) {
        QAction *item = Action(QStringLiteral("mnuMRU_%1").arg(i + 1));
        const QString path = recent.value(i, QStringLiteral("[Empty]"));
        item->setData(path);
        // An "&" in a path is a character, not a mnemonic.
        item->setText(QString(path).replace(u'&', QLatin1String("&&")));
        item->setEnabled(path != QLatin1String("[Empty]"));
    }
}

void TfMain::mnuMRU_Click(int slot)
{
    const QString path = Action(QStringLiteral("mnuMRU_%1").arg(slot))->data().toString();
    if (path != QLatin1String("[Empty]"))
        OpenDocuments(path, m_settings.ResetDirOnOpen ? TDocumentCommands::ofMoveFileBrowser : 0);
}

void TfMain::vqHTMLTabPageChange()
{
    TvqRichHTML *editor = ActiveEditor();
    m_ruler->SetEditor(editor);
    m_scriptTree->ShowTree(false);
    CheckWordWrap(editor->WordWrap());
    Action(QStringLiteral("spdSave"))->setEnabled(editor->Modified());
    CheckColorMode(editor->ColorCodeMode());
    m_statusPanels[0]->clear();
    vqHTMLTabActiveDocSelectionChange();
    vqHTMLTabActiveDocInsertModeChange(editor, editor->InsertMode());
    UpdateCaption();
}

// ---------------------------------------------------------------------------
// Activation, the message window, closing

void TfMain::AppOnActivate()
{
    TvqRichHTML *editor = ActiveEditor();
    if (!m_reloadPromptOnChange || !editor || editor->Filename().isEmpty())
        return;
    const QFileInfo file(editor->Filename());
    if (!file.exists())
        return;
    const qint64 age = file.lastModified().toMSecsSinceEpoch();
    if (age == editor->FileTime())
        return;
    // Asked once per change, however the question is answered.
    editor->SetFileTime(age);
    if (MessageDlg(QStringLiteral("File \"") + editor->Filename() +
                       QStringLiteral("\" has changed since you last saved it.  Do you wish to reload it?\r\n\r\n"
                                      "(Warning: You will lose any changes you made if you answer 'Yes')"),
                   TMsgKind::Confirmation, TMsgButtons::YesNo) == TMsgResult::Yes)
        editor->Reload();
}

void TfMain::MessageWindowOpenFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    if (QFileInfo(path).suffix().compare(QLatin1String("vcp"), Qt::CaseInsensitive) != 0)
        OpenDocuments(path, 0);
    else
        m_projects->OpenProject(path, ActiveEditor()->ColorCodeMode());
    QCoreApplication::processEvents();
}

void TfMain::MessageWindowValidatorResult(const QString &path)
{
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    m_validator->ShowValidatorResults(path);
}

bool TfMain::FormCloseQuery()
{
    if (m_closingBlocked)
        return false;
    m_recovery->RecordSession();
    return m_commands->CloseAllDocuments(TDocumentCommands::TCloseAll::ForExit);
}

void TfMain::FormClose()
{
    const TSettingsBatch batch;
    m_reloadPromptOnChange = false;
    // A program started from now on runs on its own instead of handing its
    // files to this one, which is ending.
    delete m_messageWindow;
    m_messageWindow = nullptr;
    m_fileBrowser->vqFileList->StopScan();
    m_preview->DeleteTempCopies();
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("InitialDir"), m_fileBrowser->CurrentFolder());
    m_commands->SaveRecentFiles();
    m_recovery->Finish();
    if (m_fullScreen)
        return;
    SaveWindowPlacement(this);
    WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("Visible"), m_docListVisible);
    if (m_docListVisible) {
        WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("DocListWidth"), m_fileBrowser->width());
        WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("DirListHeight"), m_fileBrowser->vqDirList->height());
        const TvqFileView *fileList = m_fileBrowser->vqFileList;
        for (int i = 0; i < fcColumnCount; ++i)
            WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("ColWidth_%1").arg(i), fileList->columnWidth(i));
        WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("FilterIndex"),
                      m_fileBrowser->cboFilter->currentIndex());
    }
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("Rulers"), m_rulersVisible);
    WriteRegValue(RegistryKeys::Toolbars, QStringLiteral("ToolbarLayout"), m_toolbarLayout);
    WriteRegValue(RegistryKeys::Toolbars, QStringLiteral("MainVisible"), m_mainToolbarVisible);
    WriteRegValue(RegistryKeys::Toolbars, QStringLiteral("SpeedbarVisible"), m_speedbarVisible);
}

void TfMain::closeEvent(QCloseEvent *event)
{
    // A run that lets events through owns its document: the window closes
    // once it has ended. A spell check ends first.
    if (m_spelling->Running())
        m_spelling->Cancel();
    if (TLongRun::Active()) {
        event->ignore();
        TLongRun::WhenIdle(this, [this] { close(); });
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
