// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainMenu.h"

#include "ButtonIcons.h"
#include "Paths.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace {

enum TKind { Command, Check, Separator, Submenu, EndSubmenu };

struct TItem
{
    TKind kind;
    const char *name = nullptr;
    const char *caption = nullptr;
    const char *shortcut = nullptr;
};

constexpr TItem Sep{Separator};
constexpr TItem End{EndSubmenu};

struct TMenu
{
    const char *name;
    const char *caption;
    std::initializer_list<TItem> items;
};

// The menu bar, menu by menu.
const TMenu Menus[] = {
    {"mnuFile",
     "&File",
     {
         {Command, "mnuFileNew", "&New...", "Ctrl+N"},
         {Command, "mnuFileOpen", "&Open...", "Ctrl+O"},
         {Command, "mnuFileOpenWeb", "Open from the &Web..."},
         {Submenu, "mnuFileReopen", "&Reopen"},
         {Command, "mnuMRU_1", "[Empty]"},
         {Command, "mnuMRU_2", "[Empty]"},
         {Command, "mnuMRU_3", "[Empty]"},
         {Command, "mnuMRU_4", "[Empty]"},
         {Command, "mnuMRU_5", "[Empty]"},
         {Command, "mnuMRU_6", "[Empty]"},
         {Command, "mnuMRU_7", "[Empty]"},
         {Command, "mnuMRU_8", "[Empty]"},
         {Command, "mnuMRU_9", "[Empty]"},
         {Command, "mnuMRU_10", "[Empty]"},
         End,
         Sep,
         {Command, "mnuFileInsert", "&Insert..."},
         {Command, "mnuFileCurrentDocs", "Current &Documents...", "Ctrl+D"},
         Sep,
         {Command, "mnuFileSave", "&Save", "Ctrl+S"},
         {Command, "mnuFileSaveAs", "Save &As...", "Ctrl+Shift+S"},
         {Command, "mnuFileSaveAll", "Sa&ve All"},
         {Command, "mnuFileSaveAsUnix", "Save as &Unix (LF only)...", "Ctrl+Shift+U"},
         Sep,
         {Command, "mnuFileClose", "&Close", "Ctrl+W"},
         {Command, "mnuFileCloseAll", "C&lose All"},
         Sep,
         {Command, "mnuFileProjects", "Projec&ts..."},
         Sep,
         {Command, "mnuFilePrint", "&Print...", "Ctrl+P"},
         Sep,
         {Command, "mnuFileExit", "E&xit", "Alt+X"},
     }},
    {"mnuEdit",
     "&Edit",
     {
         {Command, "mnuEditUndo", "&Undo", "Ctrl+Z"},
         Sep,
         {Command, "mnuEditCut", "Cu&t", "Ctrl+X"},
         {Command, "mnuEditCopy", "&Copy", "Ctrl+C"},
         {Command, "mnuEditPaste", "&Paste", "Ctrl+V"},
         {Command, "mnuEditSelectAll", "Select &All", "Ctrl+A"},
         Sep,
         {Command, "mnuEditIndent", "&Indent", "Ctrl+Shift+."},
         {Command, "mnuEditUnindent", "U&nindent", "Ctrl+Shift+,"},
         Sep,
         {Command, "mnuEditStripAllTags", "&Strip All Tags"},
         {Command, "mnuEditConvertTags", "Convert Tag Case..."},
         Sep,
         {Command, "mnuEditEditTag", "Edit Tag...", "F3"},
     }},
    {"mnuSearch",
     "&Search",
     {
         {Command, "mnuSearchFind", "&Find...", "Ctrl+F"},
         {Command, "mnuSearchReplace", "&Replace...", "Ctrl+H"},
         {Command, "mnuSearchFindNext", "Find &Next", "Ctrl+G"},
         {Command, "mnuSearchFindPrevious", "Find Pre&vious", "Ctrl+Shift+G"},
         {Command, "mnuSearchGoToLine", "&Go to Line...", "Ctrl+L"},
         Sep,
         {Command, "mnuSearchFindEx", "Ex&tended Find..."},
         {Command, "mnuSearchReplaceEx", "&Extended Replace..."},
         Sep,
         {Command, "mnuSearchReplaceSlashes", "Replace &Slashes..."},
         {Command, "mnuSearchReplaceExtChars", "Replace Extended &Characters..."},
     }},
    {"mnuView",
     "&View",
     {
         {Command, "mnuViewEditBrowse", "Toggle Edit/&Browse", "F12"},
         {Command, "mnuViewExtBrowser", "&View in External Browser", "F11"},
         Sep,
         {Check, "mnuViewDocList", "&Document List"},
         {Check, "mnuViewMainToolbar", "&Main Toolbar"},
         {Check, "mnuViewSpeedbar", "Tag S&peedbar"},
         {Check, "mnuViewSecondaryToolbar", "Secon&dary Toolbar"},
         {Check, "mnuViewCustomToolbar", "C&ustom Toolbar"},
         {Check, "mnuViewColorBar", "Co&lor Bar"},
         {Check, "mnuViewSpecialChars", "Special C&haracters"},
         {Check, "mnuViewStatusBar", "&Status Bar"},
         {Submenu, "mnuViewToolbarLayout", "&Toolbar Layout"},
         {Check, "mnuViewToolbarVertical", "&Vertical"},
         {Check, "mnuViewToolbarHorizontal", "&Horizontal"},
         End,
         Sep,
         {Check, "mnuViewRulers", "&Rulers"},
         {Check, "mnuViewLineNumbers", "Line &Numbers"},
         {Check, "mnuViewTagList", "T&ag List"},
     }},
    {"mnuTools",
     "&Tools",
     {
         {Command, "mnuToolsAnchor", "Quick &Anchor", "Ctrl+Shift+A"},
         {Command, "mnuToolsImage", "Quick &Image", "Ctrl+Shift+I"},
         {Command, "mnuToolsFont", "Quick &Font", "Ctrl+Shift+F"},
         {Command, "mnuToolsTableWizard", "&Table Wizard", "Ctrl+Shift+T"},
         {Command, "mnuToolsFrameWizard", "Frame &Wizard", "Ctrl+Shift+W"},
         {Command, "mnuToolsList", "&List Editor", "Ctrl+Shift+L"},
         {Command, "mnuToolsCommentEditor", "Co&mment Editor", "Ctrl+Shift+M"},
         {Command, "mnuToolsHorzRule", "&Horizontal Rule Editor", "Ctrl+Shift+H"},
         {Command, "mnuToolsQuickStart", "Quick &Start", "Ctrl+Shift+Q"},
         Sep,
         {Command, "mnuToolsSpellCheck", "Spell &Check"},
         {Command, "mnuToolsVerifyLinks", "&Verify Links..."},
         {Command, "mnuToolsValidate", "Validat&e HTML"},
         {Command, "mnuToolsBandwidth", "Document &Weight"},
         {Command, "mnuToolsPublish", "&Publish Document..."},
     }},
    {"mnuTags",
     "T&ags",
     {
         {Command, "mnuTagsBold", "Bold"},
         {Command, "mnuTagsItalic", "Italic"},
         {Command, "mnuTagsULine", "Underline"},
         {Command, "mnuTagsCenter", "Center"},
         {Command, "mnuTagsStartTag", "Start Tag <>"},
         {Command, "mnuTagsEndTag", "End Tag </>"},
         {Command, "mnuTagsPara", "Paragraph"},
         {Command, "mnuTagsBR", "Break"},
         {Command, "mnuTagsNbsp", "Non-breaking Space"},
         {Command, "mnuTagsBlockquote", "Blockquote"},
         {Command, "mnuTagsH1", "H1"},
         {Command, "mnuTagsH2", "H2"},
         {Command, "mnuTagsH3", "H3"},
         {Command, "mnuTagsH4", "H4"},
         {Command, "mnuTagsH5", "H5"},
         {Command, "mnuTagsH6", "H6"},
         {Command, "mnuTagsFontPlus", "Font Size +1"},
         {Command, "mnuTagsFontMinus", "Font Size - 1"},
         Sep,
         {Submenu, "mnuTagsDateTime", "Insert Datetime"},
         {Command, "mnuDateShort", "Short Date"},
         {Command, "mnuDateLong", "Long Date"},
         {Command, "mnuDateTimeShort", "Short Datetime"},
         {Command, "mnuDateTimeLong", "Long Datetime"},
         End,
     }},
    {"mnuOptions",
     "&Options",
     {
         {Check, "mnuOptionsFullScreen", "Full &Screen"},
         Sep,
         {Submenu, "mnuColorCoding", "&Color Coding"},
         {Check, "mnuCCNone", "&None"},
         {Check, "mnuCCMinimal", "&Minimal"},
         {Check, "mnuCCFull", "&Full"},
         End,
         {Command, "mnuOptionsReapplyColorCoding", "Re-apply Color Coding", "Ctrl+K"},
         {Check, "mnuOptionsWordWrap", "&Word Wrap"},
         Sep,
         {Command, "mnuOptionsSettings", "&Settings...", "F8"},
     }},
    {"mnuHelp",
     "&Help",
     {
         {Command, "mnuHelpHTMLib", "HTM&L Help", "F2"},
         Sep,
         {Command, "mnuHelpTip", "&Tip of the Day..."},
         {Command, "mnuHelpAbout", "&About Velicort..."},
     }},
};

struct TButton
{
    const char *name;
    const char *hint;
    // The picture: a standard one of the style, or a few letters drawn.
    QStyle::StandardPixmap pixmap;
    const char *glyph;
    bool toggle = false;
};

constexpr QStyle::StandardPixmap NoPixmap = QStyle::SP_CustomBase;

const TButton MainButtons[] = {
    {"spdNew", "New document", QStyle::SP_FileIcon, nullptr},
    {"spdOpen", "Open", QStyle::SP_DialogOpenButton, nullptr},
    {"spdSave", "Save", QStyle::SP_DialogSaveButton, nullptr},
    {"spdSaveAll", "Save all", NoPixmap, "All"},
    {"spdCurrentDocs", "Current documents", QStyle::SP_FileDialogListView, nullptr},
    {"spdProjects", "Projects", QStyle::SP_DirIcon, nullptr},
    {nullptr},
    {"spdUndo", "Undo", QStyle::SP_ArrowBack, nullptr},
    {"spdCut", "Cut", NoPixmap, "Cut"},
    {"spdCopy", "Copy", NoPixmap, "Cpy"},
    {"spdPaste", "Paste", NoPixmap, "Pst"},
    {"spdIndent", "Indent", NoPixmap, "\u2192|"},
    {"spdUnIndent", "Unindent", NoPixmap, "|\u2190"},
    {nullptr},
    {"spdFind", "Find", NoPixmap, "Fnd"},
    {"spdReplace", "Replace", NoPixmap, "Rpl"},
    {"spdReplaceEx", "Extended replace", NoPixmap, "xR"},
    {nullptr},
    {"spdSpellCheck", "Spell check", NoPixmap, "abc"},
    {"spdValidate", "Validate HTML", NoPixmap, "\u2713", true},
    {"spdVerifyLinks", "Verify links", NoPixmap, "URL"},
    {"spdTags", "Tag list", NoPixmap, "<>", true},
    {"spdWordWrap", "Word wrap", NoPixmap, "\u21b5", true},
    {nullptr},
    {"spdBrowseExternal", "Open in external browser", QStyle::SP_ComputerIcon, nullptr},
    {"spdHTMLib", "HTML Help (F2)", QStyle::SP_DialogHelpButton, nullptr, true},
    {"spdFullScreen", "Full screen", QStyle::SP_TitleBarMaxButton, nullptr, true},
};

const TButton SecondaryButtons[] = {
    {"spdStartTag", "Start tag", NoPixmap, "<>"},
    {"spdEndTag", "End tag", NoPixmap, "</>"},
    {"spdStripTags", "Strip all tags", NoPixmap, "\u2212<>"},
    {"spdTagCase", "Convert tag case", NoPixmap, "Aa"},
    {"spdSlashes", "Replace slashes", NoPixmap, "\\/"},
    {"spdConvertSpecChar", "Replace extended characters", NoPixmap, "&&;"},
    {nullptr},
    {"spdCCNone", "No color coding", NoPixmap, "C0", true},
    {"spdCCMinimal", "Minimal color coding", NoPixmap, "C1", true},
    {"spdCCFull", "Full color coding", NoPixmap, "C2", true},
    {"spdReapplyColorCode", "Re-apply color coding", QStyle::SP_BrowserReload, nullptr},
};

QAction *MakeAction(QMainWindow *window, const char *name, const QString &text, bool checkable)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    action->setEnabled(false);
    return action;
}

void BuildButtons(QMainWindow *window, QToolBar *toolbar, const TButton *buttons, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const TButton &button = buttons[i];
        if (!button.name) {
            toolbar->addSeparator();
            continue;
        }
        QAction *action = MakeAction(window, button.name, QString::fromUtf8(button.hint), button.toggle);
        const QString file = DataFilePath(QStringLiteral("icons/%1.svg").arg(QLatin1String(button.name)));
        action->setIcon(button.pixmap == NoPixmap || QFileInfo::exists(file)
                            ? ButtonIcon(QLatin1String(button.name), QString::fromUtf8(button.glyph))
                            : window->style()->standardIcon(button.pixmap));
        toolbar->addAction(action);
    }
}

} // namespace

void BuildMainMenu(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    for (const TMenu &menu : Menus) {
        QMenu *current = bar->addMenu(QString::fromUtf8(menu.caption));
        current->setObjectName(QLatin1String(menu.name));
        QMenu *top = current;
        for (const TItem &item : menu.items) {
            switch (item.kind) {
            case Separator:
                current->addSeparator();
                break;
            case Submenu:
                current = current->addMenu(QString::fromUtf8(item.caption));
                current->setObjectName(QLatin1String(item.name));
                break;
            case EndSubmenu:
                current = top;
                break;
            case Command:
            case Check: {
                QAction *action = MakeAction(window, item.name, QString::fromUtf8(item.caption), item.kind == Check);
                if (item.shortcut)
                    action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
                current->addAction(action);
                break;
            }
            }
        }
    }
}

void BuildMainToolbar(QMainWindow *window, QToolBar *toolbar)
{
    BuildButtons(window, toolbar, MainButtons, std::size(MainButtons));
}

void BuildSecondaryToolbar(QMainWindow *window, QToolBar *toolbar)
{
    BuildButtons(window, toolbar, SecondaryButtons, std::size(SecondaryButtons));
}

QMenu *BuildEditorPopup(QMainWindow *window)
{
    const auto action = [window](const char *name) { return window->findChild<QAction *>(QLatin1String(name)); };
    auto *popup = new QMenu(window);
    popup->setObjectName(QStringLiteral("mnuPopupEditor"));
    const char *editCommands[] = {"mnuEditUndo", nullptr, "mnuEditCut", "mnuEditCopy", "mnuEditPaste", nullptr};
    for (const char *name : editCommands) {
        if (name)
            popup->addAction(action(name));
        else
            popup->addSeparator();
    }
    // The File menu's commands again, as a submenu.
    popup->addMenu(window->findChild<QMenu *>(QStringLiteral("mnuFile")))->setText(QStringLiteral("&File"));

    QMenu *selection = popup->addMenu(QStringLiteral("Selection"));
    selection->setObjectName(QStringLiteral("mnuPE_Select"));
    const char *selectionCommands[][2] = {
        {"mnuSelect_OrdList", "Convert Lines to Ordered List"},
        {"mnuSelect_UnOrdList", "Convert Lines to Unordered List"},
        {"mnuSelect_Table", "Convert Lines to Table..."},
        {"mnuSelect_AddBreaks", "Add line breaks <BR>"},
        {"mnuSelect_StripAll", "Strip All Tags"},
        {"mnuSelect_StripOuter", "Strip Outermost Tags"},
        {"mnuSelectUppercase", "Uppercase"},
        {"mnuSelectLowercase", "Lowercase"},
    };
    for (const auto &[name, caption] : selectionCommands)
        selection->addAction(MakeAction(window, name, QString::fromUtf8(caption), false));
    // The key works with the menu closed.
    QAction *orderedList = window->findChild<QAction *>(QStringLiteral("mnuSelect_OrdList"));
    orderedList->setShortcut(QKeySequence("Ctrl+Shift+O"));
    window->addAction(orderedList);

    popup->addMenu(window->findChild<QMenu *>(QStringLiteral("mnuTagsDateTime")));
    popup->addAction(action("mnuEditEditTag"));
    popup->addSeparator();
    auto *weight = MakeAction(window, "mnuPE_Bandwidth", QStringLiteral("Document &Weight"), false);
    popup->addAction(weight);
    popup->addAction(MakeAction(window, "mnuPES_Projects", QStringLiteral("Projects..."), false));
    popup->addSeparator();

    QMenu *options = popup->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuPE_Options"));
    options->addAction(MakeAction(window, "mnuPE_OptFullScreen", QStringLiteral("Full Screen"), true));
    options->addAction(
        MakeAction(window, "mnuPE_OptReapplyColorCoding", QStringLiteral("Re-apply Color Coding"), false));
    options->addAction(MakeAction(window, "mnuPE_OptSettings", QStringLiteral("&Settings..."), false));
    return popup;
}
