// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window: the document tabs in the centre with the preview page
// beside them, the document list pane on the left, the HTML help pane on the
// right, the header with the main toolbar and the tag speedbar, the dockable
// bars, the status bar and every menu. It reads its options at start-up,
// keeps one instance per user through its message window, and writes its
// layout back when it closes.

#include "CommandBinder.h"
#include "MainSettings.h"
#include "SettingsState.h"
#include "TPreviewHost.h"
#include "TvqRichHTML.h"

#include <QMainWindow>

class QAction;
class QActionGroup;
class QLabel;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QMenu;
class QToolBar;
class TAppBarCommands;
class TCustomMenuCommands;
class TDocumentCommands;
class TPreviewController;
class TProjectCommands;
class TRecoveryController;
class TTagCommands;
class TTagDialogCommands;
class TTextCommands;
class TFindCommands;
class TSpellCommands;
class THelpController;
class TRuler;
class TSpecialCharBar;
class TvqScriptTree;
class TExtendedSearchCommands;
class TValidatorCommands;
class TfTagList;
class TfVelicortMessageWindow;
class TvqHTMLTab;
class QDragMoveEvent;
class QDropEvent;
class TFileBrowser;

class TfMain : public QMainWindow, private TPreviewHost
{
    Q_OBJECT

public:
    // Builds the window from the settings store.
    explicit TfMain(QWidget *parent = nullptr);
    ~TfMain() override;

    // The command line at start-up: all parameters joined name one file, as
    // a path with blanks would; when they do not, each parameter that names
    // an existing file opens. Shows the window.
    void OpenCommandLine(const QStringList &parameters);
    // The windows that live as long as this one: extended find, the tag list
    // and extended replace.
    void CreateLongLivedWindows();
    // The options read after the other long-lived windows exist; starts the
    // message window that takes over later starts of the program.
    void LoadSettings();

    TvqHTMLTab *Documents() const { return m_documents; }
    TDocumentCommands *Commands() const { return m_commands; }
    TProjectCommands *Projects() const { return m_projects; }
    TPreviewController *Preview() const { return m_preview; }
    TTagCommands *TagCommands() const { return m_tagCommands; }
    TAppBarCommands *AppBar() const { return m_appBar; }
    TCustomMenuCommands *CustomMenus() const { return m_customMenus; }
    TFindCommands *FindCommands() const { return m_findCommands; }
    TSpellCommands *SpellCommands() const { return m_spelling; }
    TRecoveryController *Recovery() const { return m_recovery; }
    THelpController *Help() const { return m_help; }
    TvqRichHTML *ActiveEditor() const;
    const TMainSettings &Settings() const { return m_settings; }
    // A menu command or tool button by its name ("mnuFileOpen", "spdSave").
    QAction *Action(const QString &name) const;
    QToolBar *Toolbar(const QString &name) const;
    QString StatusPanelText(int panel) const;

    void OpenDocuments(const QString &path, int flags);
    // A file of the file browser as a tag at the caret: an image tag for an
    // image, a style-sheet link, an anchor for a document, and so on.
    void InsertFileTag(const QString &path);
    TFileBrowser *FileBrowser() const { return m_fileBrowser; }
    void UpdateCaption();
    void SetColorCodingMode(TColorCodeMode mode);
    // The settings dialog on one of its pages; applies what changed.
    void ShowSettings(int page);
    // The options as the settings dialog shows them, and applying and
    // writing the groups it marked.
    TSettingsState CurrentSettings() const;
    void ApplySettings(const TSettingsState &state, const TSettingsMarks &marks);

    bool FullScreen() const { return m_fullScreen; }
    void SetFullScreen(bool on);
    void SetDocListVisible(bool on);
    void SetMainToolbarVisible(bool on);
    void SetSpeedbarVisible(bool on);
    void SetToolbarLayout(int layout);
    void SetStatusBarVisible(bool on);
    void SetColorBarVisible(bool on);
    void SetCustomToolbarVisible(bool on);
    void SetSecondaryToolbarVisible(bool on);
    void SetSpecialCharVisible(bool on);
    void SetRulersVisible(bool on);
    void SetLineNumbersVisible(bool on);

    // While set, the window refuses to close (long operations set it).
    void SetClosingBlocked(bool blocked) { m_closingBlocked = blocked; }
    bool StartupDone() const { return m_startupDone; }

    // The application became active: asks to reload a document changed on
    // disk since it was loaded or saved.
    void AppOnActivate();

    // A later start of the program handed over a file; a validator
    // handed over its results file.
    void MessageWindowOpenFile(const QString &path);
    void MessageWindowValidatorResult(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void CreateFrame();
    void CreateStatusBar();
    void CreateControllers();
    void ConnectCommands();
    void SetEditingCommandsEnabled(bool enabled);
    // The options read at start-up, given to the window and its controls.
    void ApplyStoredSettings();
    void ApplyEditorFont(const TSettingsState &state);
    bool FormCloseQuery();
    void FormClose();
    void FormResize();

    // What the preview asks of the window.
    QString DocumentFolder() const override;
    bool SaveDocument() override;
    bool SaveDocumentAs() override;
    bool AskSaveChanges() override;
    void OpenDocument(const QString &path) override;
    void ShowBrowserSettings(bool external) override;
    void ShowStatusMessage(const QString &message) override;
    void BrowsePageShown(bool shown, bool browserToolbar) override;
    void SetTagListVisible(bool on);
    void ToggleWordWrap();
    void CheckWordWrap(bool on);
    void CheckColorMode(TColorCodeMode mode);

    // Events of the document tabs.
    void vqHTMLTabActiveDocProgressChange(TvqRichHTML *sender, int value);
    void vqHTMLTabActiveDocInsertModeChange(TvqRichHTML *sender, TInsertMode mode);
    void vqHTMLTabActiveDocModifyStatusChange(TvqRichHTML *sender);
    void vqHTMLTabActiveDocSelectionChange();
    void vqHTMLTabActiveDocKeyPress();
    void vqHTMLTabDropFiles(const QStringList &files);
    void vqHTMLTabActiveDocDragOver(TvqRichHTML *sender, QDragMoveEvent *event);
    void vqHTMLTabActiveDocDragDrop(TvqRichHTML *sender, QDropEvent *event);
    void vqHTMLTabPageChange();
    void UpdateReopenMenu();
    void mnuMRU_Click(int slot);

    TMainSettings m_settings;
    TvqHTMLTab *m_documents = nullptr;
    TCommandBinder m_binder{this};
    TDocumentCommands *m_commands = nullptr;
    TProjectCommands *m_projects = nullptr;
    TPreviewController *m_preview = nullptr;
    TTagCommands *m_tagCommands = nullptr;
    TAppBarCommands *m_appBar = nullptr;
    TCustomMenuCommands *m_customMenus = nullptr;
    TTagDialogCommands *m_tagDialogs = nullptr;
    TTextCommands *m_textCommands = nullptr;
    TFindCommands *m_findCommands = nullptr;
    TSpellCommands *m_spelling = nullptr;
    TRecoveryController *m_recovery = nullptr;
    TfVelicortMessageWindow *m_messageWindow = nullptr;
    TExtendedSearchCommands *m_extendedSearch = nullptr;
    TValidatorCommands *m_validator = nullptr;
    TfTagList *m_tagList = nullptr;

    QToolBar *m_mainToolbar = nullptr;
    QToolBar *m_speedbar = nullptr;
    QTabWidget *m_speedbarPages = nullptr;
    QToolBar *m_customBar = nullptr;
    QToolBar *m_colorBar = nullptr;
    QToolBar *m_secondaryBar = nullptr;
    QToolBar *m_specialCharBar = nullptr;
    TSpecialCharBar *m_specialChars = nullptr;
    TvqScriptTree *m_scriptTree = nullptr;
    QSplitter *m_splitter = nullptr;
    TFileBrowser *m_fileBrowser = nullptr;
    QTabWidget *m_pages = nullptr; // "Edit" and "Browse"
    TRuler *m_ruler = nullptr;
    THelpController *m_help = nullptr;
    QStackedWidget *m_statusArea = nullptr; // the status bar or the progress
    QLabel *m_statusPanels[4] = {};
    QLabel *m_progressLabel = nullptr;
    QProgressBar *m_progressBar = nullptr;

    bool m_startupDone = false;
    bool m_closingBlocked = false;
    bool m_fullScreen = false;
    bool m_editingEnabled = true;
    bool m_docListVisible = true;
    bool m_mainToolbarVisible = true;
    bool m_speedbarVisible = true;
    int m_toolbarLayout = 0;
    bool m_statusBarVisible = true;
    bool m_colorBarVisible = true;
    bool m_customToolbarVisible = true;
    bool m_secondaryToolbarVisible = true;
    bool m_specialCharVisible = true;
    bool m_rulersVisible = false;
    bool m_reloadPromptOnChange = true;

    // What full screen hid, to show again when it ends.
    struct TSavedBars
    {
        bool statusBar = true;
        bool colorBar = true;
        bool docList = true;
        bool customToolbar = true;
        bool specialChar = true;
        bool secondaryToolbar = true;
        bool maximized = false;
    } m_savedBars;
};
