// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfSettings.h"

#include "ColorDialog.h"
#include "Colors.h"
#include "Dictionaries.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "ProgramHelp.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TfEditBrowser.h"
#include "TfFontSettings.h"
#include "TvqSavedCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char *const GeneralOptions[11] = {
    "Auto-fill HEIGHT and WIDTH for <IMG> tags",
    "Force filenames to lowercase for <IMG> and <A> tags",
    "Show splash screen on startup",
    "Lowercase all inserted tags",
    "Always insert colors as hexadecimal values",
    "Skip HTML tags when checking spelling",
    "Show only file names in the file list",
    "Always save using UNIX format (LF only)",
    "Include closing </P> when inserting paragraph tag",
    "Use Microsoft instead of Netscape format for multimedia",
    "Include empty ALT=\"\" attribute for <IMG> tags",
};

// The colour-class panels in their order on the Editor page.
const std::pair<const char *, TStyleClass> StylePanels[StyleClassCount] = {
    {"Images", scImages},
    {"Anchors", scAnchors},
    {"Tables", scTables},
    {"Quotes", scQuotes},
    {"Comments", scComments},
    {"All Other", scTags},
    {"Scripts,Objects,Styles", scScripts},
};

const QString SampleHtml = QStringLiteral("<center><h1>Heading</h1></center><ul>Normal Text.<li><a href=NoWhere>Link "
                                          "Item</a><li><b>Bold Text</b><li><i>Italicized Text</i><li><code>Code "
                                          "Text</code></ul>");

// The characters a file extension may not hold.
const QString ForbiddenInExtension = QStringLiteral("\\/:*?\"<>|.");

// A font box listing the system's fonts, with the given font chosen even
// when the system does not have it.
QComboBox *FontBox(const QString &current)
{
    auto *box = new QComboBox;
    QStringList families = QFontDatabase::families();
    if (!current.isEmpty() && !families.contains(current))
        families.prepend(current);
    box->addItems(families);
    box->setCurrentText(current);
    return box;
}

QColor Rgb(TColor color)
{
    return ResolveColor(color);
}

// A colour through the colour dialog with the program's custom colours.
std::optional<TColor> PickColor(TColor color)
{
    TColorDialog dialog;
    dialog.Color = color;
    if (!ExecuteColorDialog(RegistryKeys::Velicort, dialog))
        return std::nullopt;
    return dialog.Color;
}

} // namespace

TfSettings::TfSettings(const TSettingsState &state, int page, QWidget *parent) : QDialog(parent), m_state(state)
{
    THourglass hourglass;
    setObjectName(QStringLiteral("TfSettings"));
    setProperty("helpContext", hcSettings);
    setWindowTitle(QStringLiteral("Settings"));
    m_pages = new QTabWidget;
    m_pages->addTab(GeneralPage(), QStringLiteral("General"));
    m_pages->addTab(FilesPage(), QStringLiteral("Files"));
    m_pages->addTab(EditorPage(), QStringLiteral("Editor"));
    m_pages->addTab(InternalBrowserPage(), QStringLiteral("Internal Browser"));
    m_pages->addTab(ExternalBrowserPage(), QStringLiteral("External Browser"));
    m_pages->addTab(SpeedBarPage(), QStringLiteral("SpeedBar"));
    m_pages->setCurrentIndex(page >= pgGeneral && page <= pgSpeedBar ? page : pgGeneral);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    // Filling the controls set some marks; the user has changed nothing yet.
    m_marks = TSettingsMarks();
}

QWidget *TfSettings::GeneralPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tbsGeneral"));
    auto *layout = new QVBoxLayout(page);
    const bool values[11] = {m_state.AutoFillImageSize,   m_state.LowerCaseFiles, m_state.ShowSplash,
                             m_state.LowerCaseTags,       m_state.ForceHexColor,  m_state.SpellSkipTags,
                             m_state.ListOnlyFileNames,   m_state.SaveAsUnix,     m_state.CloseParagraphTags,
                             m_state.MicrosoftMultimedia, m_state.AutoFillAltText};
    for (int i = 0; i < 11; ++i) {
        m_general[i] = new QCheckBox(QString::fromUtf8(GeneralOptions[i]));
        m_general[i]->setChecked(values[i]);
        connect(m_general[i], &QCheckBox::toggled, this, [this] { m_marks.General = true; });
        layout->addWidget(m_general[i]);
    }
    // The main spelling dictionary: an installed one, or the file set before.
    m_dictionary = new QComboBox;
    m_dictionary->setObjectName(QStringLiteral("cboDictionary"));
    m_dictionary->addItems(InstalledDictionaries());
    if (m_dictionary->findText(m_state.DictionaryMain) < 0)
        m_dictionary->addItem(m_state.DictionaryMain);
    m_dictionary->setCurrentText(m_state.DictionaryMain);
    connect(m_dictionary, &QComboBox::currentTextChanged, this, [this] { m_marks.General = true; });
    auto *dictionary = new QFormLayout;
    dictionary->addRow(QStringLiteral("Dictionary"), m_dictionary);
    layout->addLayout(dictionary);
    auto *unsaved = new QGroupBox(QStringLiteral("Unsaved work"));
    auto *unsavedRows = new QFormLayout(unsaved);
    unsavedRows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_recoveryCopies = new QCheckBox(QStringLiteral("Keep &recovery copies of modified documents"));
    m_recoveryCopies->setObjectName(QStringLiteral("chkRecoveryCopies"));
    m_recoveryCopies->setChecked(m_state.Recovery.Enabled);
    m_recoveryDelay = new QSpinBox;
    m_recoveryDelay->setObjectName(QStringLiteral("spnRecoveryDelay"));
    m_recoveryDelay->setRange(MinRecoveryDelay, MaxRecoveryDelay);
    m_recoveryDelay->setSuffix(QStringLiteral(" s"));
    m_recoveryDelay->setValue(m_state.Recovery.DelaySeconds);
    m_reopenSession = new QCheckBox(QStringLiteral("Reopen the documents of the last session"));
    m_reopenSession->setObjectName(QStringLiteral("chkReopenSession"));
    m_reopenSession->setChecked(m_state.Recovery.ReopenSession);
    unsavedRows->addRow(m_recoveryCopies);
    unsavedRows->addRow(QStringLiteral("Copy after the last edit"), m_recoveryDelay);
    unsavedRows->addRow(m_reopenSession);
    const auto mark = [this] { m_marks.Recovery = true; };
    connect(m_recoveryCopies, &QCheckBox::toggled, this, mark);
    connect(m_recoveryDelay, &QSpinBox::valueChanged, this, mark);
    connect(m_reopenSession, &QCheckBox::toggled, this, mark);
    layout->addWidget(unsaved);
    layout->addStretch(1);
    return page;
}

QWidget *TfSettings::FilesPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tbsFiles"));
    auto *layout = new QVBoxLayout(page);

    auto *extensions = new QGroupBox(QStringLiteral("Document &Extensions"));
    auto *grid = new QGridLayout(extensions);
    grid->addWidget(new QLabel(QStringLiteral("Files with these extensions are considered HTML documents")), 0, 0, 1,
                    2);
    m_extensions = new QListWidget;
    m_extensions->setObjectName(QStringLiteral("lstExtensions"));
    m_extensions->addItems(m_state.HTMLExtensions.isEmpty() ? QStringList{"HTML", "HTM"} : m_state.HTMLExtensions);
    grid->addWidget(m_extensions, 1, 0, 3, 1);
    auto *add = new QPushButton(QStringLiteral("&Add..."));
    auto *remove = new QPushButton(QStringLiteral("&Delete"));
    connect(add, &QPushButton::clicked, this, &TfSettings::AddExtension);
    connect(remove, &QPushButton::clicked, this, &TfSettings::DeleteExtension);
    grid->addWidget(add, 1, 1);
    grid->addWidget(remove, 2, 1);
    m_defaultExtension = new QLineEdit(m_state.DefaultExtension);
    m_defaultExtension->setObjectName(QStringLiteral("txtDefaultExt"));
    m_defaultExtension->setMaxLength(5);
    connect(m_defaultExtension, &QLineEdit::textEdited, this, [this] { m_marks.DefaultExt = true; });
    auto *defaults = new QFormLayout;
    defaults->addRow(QStringLiteral("Default extension for new documents"), m_defaultExtension);
    grid->addLayout(defaults, 4, 0, 1, 2);
    layout->addWidget(extensions);

    auto *templ = new QGroupBox(QStringLiteral("Use this file as a template for new documents"));
    auto *templRow = new QHBoxLayout(templ);
    m_template = new QLineEdit(m_state.DocumentTemplate);
    m_template->setObjectName(QStringLiteral("txtTemplate"));
    connect(m_template, &QLineEdit::textEdited, this, [this] { m_marks.Template = true; });
    auto *templBrowse = new QPushButton(QStringLiteral("..."));
    templBrowse->setObjectName(QStringLiteral("btnTemplateBrowse"));
    connect(templBrowse, &QPushButton::clicked, this, [this] {
        const QString name = TMessageService::Instance().GetOpenFileName(
            QStringLiteral("Select HTML Document"), QFileInfo(m_template->text()).absolutePath(),
            HTMLDialogFilter(State().HTMLExtensions) + QStringLiteral(";;Velicort Templates (*.vct);;All Files (*)"));
        if (!name.isEmpty()) {
            m_template->setText(QDir::toNativeSeparators(name));
            m_marks.Template = true;
        }
    });
    templRow->addWidget(m_template, 1);
    templRow->addWidget(templBrowse);
    layout->addWidget(templ);

    auto *help = new QGroupBox(QStringLiteral("HTML Help (F2)"));
    auto *helpLayout = new QGridLayout(help);
    m_internalHelp = new QRadioButton(QStringLiteral("Use Velicort's HTML help"));
    m_externalHelp = new QRadioButton(QStringLiteral("Use this external HTML help file:"));
    m_helpFile = new QLineEdit(m_state.ExternalHTMLHelp);
    m_helpFile->setObjectName(QStringLiteral("txtHTMLHelp"));
    m_helpBrowse = new QPushButton(QStringLiteral("..."));
    (m_state.UseInternalHTMLHelp ? m_internalHelp : m_externalHelp)->setChecked(true);
    const auto enableHelpFile = [this] {
        m_helpFile->setEnabled(m_externalHelp->isChecked());
        m_helpBrowse->setEnabled(m_externalHelp->isChecked());
    };
    enableHelpFile();
    connect(m_externalHelp, &QRadioButton::toggled, this, [this, enableHelpFile] {
        enableHelpFile();
        m_marks.Help = true;
    });
    connect(m_helpFile, &QLineEdit::textEdited, this, [this] { m_marks.Help = true; });
    connect(m_helpBrowse, &QPushButton::clicked, this, [this] {
        const QString name = TMessageService::Instance().GetOpenFileName(
            QStringLiteral("Select Help File"), QFileInfo(m_helpFile->text()).absolutePath(),
            QStringLiteral("Help Files (*.html *.htm *.HTML *.HTM);;All Files (*)"));
        if (!name.isEmpty()) {
            m_helpFile->setText(QDir::toNativeSeparators(name));
            m_marks.Help = true;
        }
    });
    helpLayout->addWidget(m_internalHelp, 0, 0, 1, 2);
    helpLayout->addWidget(m_externalHelp, 1, 0, 1, 2);
    helpLayout->addWidget(m_helpFile, 2, 0);
    helpLayout->addWidget(m_helpBrowse, 2, 1);
    layout->addWidget(help);

    auto *bookmarks = new QGroupBox(QStringLiteral("Bookmark file (exported by a browser, for the anchor dialog)"));
    auto *bookmarkRow = new QHBoxLayout(bookmarks);
    m_bookmarkFile = new QLineEdit(m_state.BookmarkFile);
    m_bookmarkFile->setObjectName(QStringLiteral("txtBookmarkFile"));
    connect(m_bookmarkFile, &QLineEdit::textEdited, this, [this] { m_marks.BookmarkFile = true; });
    auto *bookmarkBrowse = new QPushButton(QStringLiteral("..."));
    bookmarkBrowse->setObjectName(QStringLiteral("btnBookmarkFile"));
    connect(bookmarkBrowse, &QPushButton::clicked, this, [this] {
        const QString name = TMessageService::Instance().GetOpenFileName(
            QStringLiteral("Select Bookmark File"), QFileInfo(m_bookmarkFile->text()).absolutePath(),
            QStringLiteral("Bookmark Files (*.html *.htm *.HTML *.HTM);;All Files (*)"));
        if (!name.isEmpty()) {
            m_bookmarkFile->setText(QDir::toNativeSeparators(name));
            m_marks.BookmarkFile = true;
        }
    });
    bookmarkRow->addWidget(m_bookmarkFile, 1);
    bookmarkRow->addWidget(bookmarkBrowse);
    layout->addWidget(bookmarks);
    layout->addStretch(1);
    return page;
}

QWidget *TfSettings::EditorPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tbsEditor"));
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    m_tabWidth = new QSpinBox;
    m_tabWidth->setObjectName(QStringLiteral("txtTabWidth"));
    m_tabWidth->setRange(5, 60);
    m_tabWidth->setValue(m_state.TabWidth);
    connect(m_tabWidth, &QSpinBox::valueChanged, this, [this] { m_marks.TabWidth = true; });
    form->addRow(QStringLiteral("Tab width"), m_tabWidth);
    m_fontName = FontBox(m_state.FontName);
    m_fontName->setObjectName(QStringLiteral("cboDefaultFont"));
    connect(m_fontName, &QComboBox::currentTextChanged, this, [this] { m_marks.EditorFont = true; });
    form->addRow(QStringLiteral("Font Name"), m_fontName);
    m_fontSize = new QSpinBox;
    m_fontSize->setObjectName(QStringLiteral("txtDefaultFontSize"));
    m_fontSize->setRange(6, 24);
    m_fontSize->setValue(m_state.FontSize);
    connect(m_fontSize, &QSpinBox::valueChanged, this, [this] { m_marks.EditorFont = true; });
    form->addRow(QStringLiteral("Size"), m_fontSize);
    layout->addLayout(form);
    m_autoIndent = new QCheckBox(QStringLiteral(" Auto-indent (match previous line's indent after hitting <Enter>)"));
    m_autoIndent->setChecked(m_state.AutoIndent);
    connect(m_autoIndent, &QCheckBox::toggled, this, [this] { m_marks.AutoIndent = true; });
    layout->addWidget(m_autoIndent);

    auto *styles = new QGroupBox;
    auto *grid = new QGridLayout(styles);
    grid->addWidget(new QLabel(QStringLiteral("Apply these colors and styles to common HTML tags.")), 0, 0, 1, 4);
    for (int i = 0; i < StyleClassCount; ++i) {
        const auto &[caption, style] = StylePanels[i];
        m_stylePanels[i] = new QLabel(QLatin1String(caption));
        m_stylePanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_stylePanels[i]->setMinimumWidth(150);
        auto *more = new QPushButton(QStringLiteral("..."));
        more->setFixedWidth(28);
        connect(more, &QPushButton::clicked, this, [this, i] { ChooseStyle(i); });
        grid->addWidget(m_stylePanels[i], 1 + i / 2, (i % 2) * 2);
        grid->addWidget(more, 1 + i / 2, (i % 2) * 2 + 1);
        ShowStylePanel(i);
    }
    layout->addWidget(styles);

    auto *colors = new QHBoxLayout;
    m_background = new QPushButton(QStringLiteral("Background Color"));
    m_foreground = new QPushButton(QStringLiteral("Foreground Color"));
    ShowColorButton(m_background, m_state.BackgroundColor);
    ShowColorButton(m_foreground, m_state.ForegroundColor);
    connect(m_background, &QPushButton::clicked, this, [this] {
        if (const std::optional<TColor> color = PickColor(m_state.BackgroundColor)) {
            m_state.BackgroundColor = *color;
            ShowColorButton(m_background, *color);
            m_marks.Background = true;
        }
    });
    connect(m_foreground, &QPushButton::clicked, this, [this] {
        if (const std::optional<TColor> color = PickColor(m_state.ForegroundColor)) {
            m_state.ForegroundColor = *color;
            ShowColorButton(m_foreground, *color);
            m_marks.Foreground = true;
        }
    });
    colors->addWidget(m_background);
    colors->addWidget(m_foreground);
    layout->addLayout(colors);
    layout->addStretch(1);
    return page;
}

void TfSettings::ShowStylePanel(int index)
{
    const TStylePair pair = m_state.Styles[StylePanels[index].second - 1];
    QFont font = m_stylePanels[index]->font();
    font.setBold(pair.Effects & 1);
    font.setItalic(pair.Effects & 2);
    font.setUnderline(pair.Effects & 4);
    m_stylePanels[index]->setFont(font);
    QPalette palette = m_stylePanels[index]->palette();
    palette.setColor(QPalette::WindowText, Rgb((pair.Effects & 0x40000000) ? m_state.ForegroundColor : pair.Color));
    m_stylePanels[index]->setPalette(palette);
}

void TfSettings::ChooseStyle(int index)
{
    TStylePair &pair = m_state.Styles[StylePanels[index].second - 1];
    const std::optional<std::pair<TColor, quint32>> chosen = TfFontSettings::Edit(pair.Color, pair.Effects & 7, this);
    if (!chosen)
        return;
    pair.Color = chosen->first;
    pair.Effects = chosen->second & 7;
    ShowStylePanel(index);
    m_marks.EditorFont = true;
}

void TfSettings::ShowColorButton(QPushButton *button, TColor color)
{
    QPixmap swatch(14, 14);
    swatch.fill(Rgb(color));
    button->setIcon(QIcon(swatch));
}

QWidget *TfSettings::InternalBrowserPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tbsIntBrowser"));
    auto *layout = new QVBoxLayout(page);

    m_useMSIE = new QCheckBox(QStringLiteral("Use the built-in web engine as Velicort's internal browser "
                                             "(shows pages as current web browsers do)."));
    m_useMSIE->setChecked(m_state.UseMSIE);
    m_useMSIE->setEnabled(BrowserObjectInstalled() || m_state.UseMSIE);
    layout->addWidget(m_useMSIE);

    m_viewerGroup = new QWidget;
    auto *viewer = new QGridLayout(m_viewerGroup);
    m_viewerFont = FontBox(m_state.ViewerFontName);
    m_viewerSize = new QSpinBox;
    m_viewerSize->setRange(6, 48);
    m_viewerSize->setValue(m_state.ViewerFontSize);
    m_viewerColor = new QPushButton(QStringLiteral("Font &Color"));
    m_linkColor = new QPushButton(QStringLiteral("&Link Color"));
    auto *defaults = new QPushButton(QStringLiteral("Defaults"));
    m_sample = new QTextBrowser;
    m_sample->setObjectName(QStringLiteral("htmlFont"));
    auto *fontLabel = new QLabel(QStringLiteral("Font &Name"));
    fontLabel->setBuddy(m_viewerFont);
    auto *sizeLabel = new QLabel(QStringLiteral("Font &Size"));
    sizeLabel->setBuddy(m_viewerSize);
    viewer->addWidget(fontLabel, 0, 0);
    viewer->addWidget(m_viewerFont, 0, 1);
    viewer->addWidget(sizeLabel, 1, 0);
    viewer->addWidget(m_viewerSize, 1, 1);
    viewer->addWidget(m_viewerColor, 2, 0);
    viewer->addWidget(m_linkColor, 2, 1);
    viewer->addWidget(defaults, 3, 0);
    viewer->addWidget(m_sample, 0, 2, 4, 1);
    const auto viewerChanged = [this] {
        m_marks.Viewer = true;
        UpdateSample();
    };
    connect(m_viewerFont, &QComboBox::currentTextChanged, this, viewerChanged);
    connect(m_viewerSize, &QSpinBox::valueChanged, this, viewerChanged);
    connect(m_viewerColor, &QPushButton::clicked, this, [this, viewerChanged] {
        if (const std::optional<TColor> color = PickColor(m_state.ViewerFontColor)) {
            m_state.ViewerFontColor = *color;
            viewerChanged();
        }
    });
    connect(m_linkColor, &QPushButton::clicked, this, [this, viewerChanged] {
        if (const std::optional<TColor> color = PickColor(m_state.ViewerLinkColor)) {
            m_state.ViewerLinkColor = *color;
            viewerChanged();
        }
    });
    connect(defaults, &QPushButton::clicked, this, &TfSettings::SetViewerDefaults);
    layout->addWidget(m_viewerGroup);

    m_mappingGroup = new QGroupBox(QStringLiteral("Map Local Path to URL"));
    auto *mapping = new QGridLayout(m_mappingGroup);
    m_mapFrom = new TvqSavedCombo;
    m_mapFrom->setObjectName(QStringLiteral("vqMapFrom"));
    m_mapFrom->SetRegistryKey(RegistryKeys::URLMappings, QStringLiteral("MapFrom"));
    m_mapFrom->setEditText(m_state.MapFrom);
    m_mapTo = new TvqSavedCombo;
    m_mapTo->setObjectName(QStringLiteral("vqMapTo"));
    m_mapTo->SetRegistryKey(RegistryKeys::URLMappings, QStringLiteral("MapTo"));
    m_mapTo->setEditText(m_state.MapTo);
    connect(m_mapFrom, &QComboBox::editTextChanged, this, [this] { m_marks.Mapping = true; });
    connect(m_mapTo, &QComboBox::editTextChanged, this, [this] { m_marks.Mapping = true; });
    auto *folder = new QPushButton(QStringLiteral("..."));
    connect(folder, &QPushButton::clicked, this, [this] {
        const QString chosen =
            TMessageService::Instance().GetFolderName(QStringLiteral("Select Directory"), m_mapFrom->currentText());
        if (!chosen.isEmpty())
            m_mapFrom->setEditText(QDir::toNativeSeparators(chosen));
    });
    mapping->addWidget(new QLabel(QStringLiteral("When browsing, replace this local path")), 0, 0, 1, 2);
    mapping->addWidget(m_mapFrom, 1, 0);
    mapping->addWidget(folder, 1, 1);
    mapping->addWidget(new QLabel(QStringLiteral("with this URL")), 2, 0, 1, 2);
    mapping->addWidget(m_mapTo, 3, 0, 1, 2);
    auto *note = new QLabel(QStringLiteral("Note: This setting is only used when accessing documents from a web server "
                                           "and should normally be left blank.  For details on this setting, press "
                                           "the 'Help' button below."));
    note->setWordWrap(true);
    mapping->addWidget(note, 4, 0, 1, 2);
    auto *help = new QPushButton(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("btnMappingHelp"));
    connect(help, &QPushButton::clicked, this, [] { ShowHelpContext(hcURLMapping); });
    mapping->addWidget(help, 5, 1);
    layout->addWidget(m_mappingGroup);
    layout->addStretch(1);

    const auto showGroups = [this] {
        m_viewerGroup->setVisible(!m_useMSIE->isChecked());
        m_mappingGroup->setVisible(m_useMSIE->isChecked());
    };
    showGroups();
    connect(m_useMSIE, &QCheckBox::toggled, this, showGroups);
    UpdateSample();
    return page;
}

void TfSettings::UpdateSample()
{
    ShowColorButton(m_viewerColor, m_state.ViewerFontColor);
    ShowColorButton(m_linkColor, m_state.ViewerLinkColor);
    QFont font(m_viewerFont->currentText());
    font.setPointSize(m_viewerSize->value());
    m_sample->setFont(font);
    m_sample->setHtml(QStringLiteral("<body style=\"color:%1\"><style>a { color: %2 }</style>")
                          .arg(Rgb(m_state.ViewerFontColor).name(), Rgb(m_state.ViewerLinkColor).name()) +
                      SampleHtml);
}

void TfSettings::SetViewerDefaults()
{
    m_viewerFont->setCurrentText(QStringLiteral("Times New Roman"));
    m_viewerSize->setValue(12);
    m_state.ViewerFontColor = 0;
    m_state.ViewerLinkColor = 16711680;
    m_marks.Viewer = true;
    UpdateSample();
}

QWidget *TfSettings::ExternalBrowserPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tbsExtBrowser"));
    auto *layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("When viewing documents, show a choice between these browsers:")), 0, 0,
                      1, 2);
    m_browsers = new QListWidget;
    m_browsers->setObjectName(QStringLiteral("lstBrowsers"));
    for (const TExternalBrowserInfo &browser : std::as_const(m_state.Browsers))
        m_browsers->addItem(browser.Name);
    connect(m_browsers, &QListWidget::itemDoubleClicked, this, &TfSettings::EditBrowser);
    layout->addWidget(m_browsers, 1, 0, 4, 1);
    const std::pair<const char *, void (TfSettings::*)()> buttons[] = {{"&Add...", &TfSettings::AddBrowser},
                                                                       {"&Edit...", &TfSettings::EditBrowser},
                                                                       {"&Delete", &TfSettings::DeleteBrowser}};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(QLatin1String(buttons[i].first));
        connect(button, &QPushButton::clicked, this, buttons[i].second);
        layout->addWidget(button, 1 + i, 1);
    }
    auto *launch = new QGroupBox(QStringLiteral("When Launching an E&xternal Browser"));
    auto *options = new QVBoxLayout(launch);
    const char *captions[3] = {"Prompt to save changes to the current document",
                               "Automatically save changes to current document",
                               "Browse using a temporary copy (no need to save)"};
    for (int i = 0; i < 3; ++i) {
        m_launch[i] = new QRadioButton(QLatin1String(captions[i]));
        m_launch[i]->setChecked(m_state.BrowserLaunchSetting == i);
        connect(m_launch[i], &QRadioButton::clicked, this, [this] { m_marks.Launch = true; });
        options->addWidget(m_launch[i]);
    }
    layout->addWidget(launch, 5, 0, 1, 2);
    return page;
}

QWidget *TfSettings::SpeedBarPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tbsSpeedBar"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Only display these toolbars within the HTML speedbar:")));
    auto *grid = new QGridLayout;
    for (int i = 0; i < SpeedbarOptionCount; ++i) {
        m_speedbar[i] = new QCheckBox(QLatin1String(SpeedbarOptions[i].caption));
        m_speedbar[i]->setChecked(m_state.SpeedbarPages[i]);
        connect(m_speedbar[i], &QCheckBox::toggled, this, [this] { m_marks.Speedbar = true; });
        grid->addWidget(m_speedbar[i], i % 6, i / 6);
    }
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("(Note that the \"QuickTab\" toolbar cannot be hidden)")));
    layout->addStretch(1);
    return page;
}

bool TfSettings::AcceptableExtension(const QString &extension)
{
    if (extension.isEmpty()) {
        MessageDlg(QStringLiteral("File extensions must be at least one character in length."), TMsgKind::Warning);
        return false;
    }
    if (std::any_of(extension.begin(), extension.end(), [](QChar c) { return ForbiddenInExtension.contains(c); })) {
        MessageDlg(QStringLiteral("A file extension cannot contain the following characters:\r\n") +
                       ForbiddenInExtension,
                   TMsgKind::Error);
        return false;
    }
    return true;
}

void TfSettings::AddExtension()
{
    QString text;
    if (!TMessageService::Instance().InputQuery(QStringLiteral("Add Extension"),
                                                QStringLiteral("Enter a File Extension:"), text))
        return;
    const QString extension = text.trimmed().toUpper();
    if (!AcceptableExtension(extension))
        return;
    if (!m_extensions->findItems(extension, Qt::MatchFixedString).isEmpty()) {
        MessageDlg(QStringLiteral("This extension already exists in the list."), TMsgKind::Plain);
        return;
    }
    m_extensions->addItem(extension);
    m_extensions->setFocus();
    m_marks.Extensions = true;
}

void TfSettings::DeleteExtension()
{
    if (m_extensions->count() == 1) {
        MessageDlg(QStringLiteral("At least one extension must be specified."), TMsgKind::Warning);
    } else if (QListWidgetItem *item = m_extensions->currentItem()) {
        delete item;
        m_marks.Extensions = true;
    }
    m_extensions->setFocus();
}

void TfSettings::AddBrowser()
{
    if (m_state.Browsers.size() >= MaxExternalBrowsers) {
        MessageDlg(QStringLiteral("A maximum of ") + QString::number(MaxExternalBrowsers) +
                       QStringLiteral(" browsers may be specified."),
                   TMsgKind::Information);
        return;
    }
    const std::optional<TExternalBrowserInfo> entry = TfEditBrowser::Edit(TExternalBrowserInfo(), true, this);
    if (!entry)
        return;
    for (const TExternalBrowserInfo &browser : std::as_const(m_state.Browsers))
        if (browser.Name == entry->Name) {
            MessageDlg(QStringLiteral("A browser with this name already exists."), TMsgKind::Warning);
            return;
        }
    m_state.Browsers.append(*entry);
    m_browsers->addItem(entry->Name);
    m_marks.Browsers = true;
}

void TfSettings::EditBrowser()
{
    const int row = m_browsers->currentRow();
    if (row < 0)
        return;
    const std::optional<TExternalBrowserInfo> entry = TfEditBrowser::Edit(m_state.Browsers.at(row), false, this);
    if (!entry)
        return;
    m_state.Browsers[row] = *entry;
    m_browsers->item(row)->setText(entry->Name);
    m_marks.Browsers = true;
}

void TfSettings::DeleteBrowser()
{
    const int row = m_browsers->currentRow();
    if (row < 0)
        return;
    m_state.Browsers.removeAt(row);
    delete m_browsers->takeItem(row);
    m_marks.Browsers = true;
}

TSettingsState TfSettings::State() const
{
    TSettingsState state = m_state;
    bool *general[11] = {&state.AutoFillImageSize,   &state.LowerCaseFiles, &state.ShowSplash,
                         &state.LowerCaseTags,       &state.ForceHexColor,  &state.SpellSkipTags,
                         &state.ListOnlyFileNames,   &state.SaveAsUnix,     &state.CloseParagraphTags,
                         &state.MicrosoftMultimedia, &state.AutoFillAltText};
    for (int i = 0; i < 11; ++i)
        *general[i] = m_general[i]->isChecked();
    state.DictionaryMain = m_dictionary->currentText();
    state.Recovery = {m_recoveryCopies->isChecked(), m_recoveryDelay->value(), m_reopenSession->isChecked()};
    state.DocumentTemplate = m_template->text();
    state.HTMLExtensions.clear();
    for (int i = 0; i < m_extensions->count(); ++i)
        state.HTMLExtensions.append(m_extensions->item(i)->text());
    state.DefaultExtension = m_defaultExtension->text().trimmed();
    state.UseInternalHTMLHelp = m_internalHelp->isChecked();
    state.ExternalHTMLHelp = m_helpFile->text();
    state.BookmarkFile = m_bookmarkFile->text();
    state.AutoIndent = m_autoIndent->isChecked();
    state.FontName = m_fontName->currentText();
    state.FontSize = m_fontSize->value();
    state.TabWidth = m_tabWidth->value();
    state.UseMSIE = m_useMSIE->isChecked();
    state.ViewerFontName = m_viewerFont->currentText();
    state.ViewerFontSize = m_viewerSize->value();
    state.MapFrom = m_mapFrom->currentText();
    state.MapTo = m_mapTo->currentText();
    for (int i = 0; i < 3; ++i)
        if (m_launch[i]->isChecked())
            state.BrowserLaunchSetting = i;
    for (int i = 0; i < SpeedbarOptionCount; ++i)
        state.SpeedbarPages[i] = m_speedbar[i]->isChecked();
    return state;
}

void TfSettings::done(int result)
{
    // Saving "index" with an empty default extension would write "index.".
    if (result == Accepted && !AcceptableExtension(m_defaultExtension->text().trimmed())) {
        m_pages->setCurrentIndex(pgFiles);
        m_defaultExtension->setFocus();
        return;
    }
    // The mapping histories keep what was typed, however the dialog closes.
    m_mapFrom->AddCurrentText();
    m_mapTo->AddCurrentText();
    QDialog::done(result);
}
