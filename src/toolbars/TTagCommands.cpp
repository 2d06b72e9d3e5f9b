// SPDX-License-Identifier: GPL-3.0-or-later
#include "TTagCommands.h"

#include "ColorDialog.h"
#include "Colors.h"
#include "CommandBinder.h"
#include "FileUtils.h"
#include "RegistryKeys.h"
#include "Speedbar.h"
#include "TagDialogTable.h"
#include "TagLists.h"
#include "TagText.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqScriptTree.h"
#include "TvqTagButton.h"

#include <QComboBox>
#include <QDateTime>
#include <QLocale>
#include <QTabWidget>
#include <QToolBar>

namespace {

// The Tags menu: what each item inserts around the selection, and whether
// the texts follow the tag case.
struct TTagsMenuItem
{
    const char *name;
    const char *start;
    const char *end;
    bool caseTags;
};

const TTagsMenuItem TagsMenuItems[] = {
    {"mnuTagsBold", "<B>", "</B>", true},
    {"mnuTagsItalic", "<I>", "</I>", true},
    {"mnuTagsULine", "<U>", "</U>", true},
    {"mnuTagsCenter", "<CENTER>", "</CENTER>", true},
    {"mnuTagsStartTag", "<", ">", false},
    {"spdStartTag", "<", ">", false},
    {"mnuTagsEndTag", "</", ">", false},
    {"spdEndTag", "</", ">", false},
    {"mnuTagsBR", "<BR>", "", true},
    {"mnuTagsNbsp", "&nbsp;", "", false},
    {"mnuTagsBlockquote", "<BLOCKQUOTE>", "</BLOCKQUOTE>", true},
    {"mnuTagsH1", "<H1>", "</H1>", true},
    {"mnuTagsH2", "<H2>", "</H2>", true},
    {"mnuTagsH3", "<H3>", "</H3>", true},
    {"mnuTagsH4", "<H4>", "</H4>", true},
    {"mnuTagsH5", "<H5>", "</H5>", true},
    {"mnuTagsH6", "<H6>", "</H6>", true},
    {"mnuTagsFontPlus", "<FONT SIZE=\"+1\">", "</FONT>", true},
    {"mnuTagsFontMinus", "<FONT SIZE=\"-1\">", "</FONT>", true},
};

// The tag lists and the buttons that insert their entries.
const std::pair<const char *, const char *> TagListButtons[] = {
    {"spdTagInsert", "cboTagList"},
    {"spdASPInsert", "cboASPList"},
    {"spdCFusionInsert", "cboCFusionList"},
};

} // namespace

TTagCommands::TTagCommands(TvqHTMLTab *documents, QToolBar *speedbar, QTabWidget *speedbarPages,
                           TSpecialCharBar *specialChars, TvqScriptTree *scriptTree, QWidget *window)
    : QObject(window), m_documents(documents), m_speedbar(speedbar), m_speedbarPages(speedbarPages),
      m_specialChars(specialChars), m_scriptTree(scriptTree), m_window(window)
{
}

bool TTagCommands::IsAvailable(TvqAction action)
{
    return action == vqSimpleTag || action == vqInsertFile || HasTagDialog(action);
}

void TTagCommands::Connect(const TCommandBinder &commands)
{
    for (const TTagsMenuItem &item : TagsMenuItems) {
        const QString start = QString::fromUtf8(item.start);
        const QString end = QString::fromUtf8(item.end);
        const bool caseTags = item.caseTags;
        commands.On({item.name}, this,
                    [this, start, end, caseTags] { RunTagAction(vqSimpleTag, start, end, caseTags); });
    }
    // The paragraph's end tag follows the settings.
    commands.On({"mnuTagsPara"}, this, [this] {
        RunTagAction(vqSimpleTag, QStringLiteral("<P>"), m_closeParagraphTags ? QStringLiteral("</P>") : QString(),
                     true);
    });

    // Date and time in the locale's forms, as the submenu opens.
    connect(commands.Menu(QStringLiteral("mnuTagsDateTime")), &QMenu::aboutToShow, this, [commands] {
        const QLocale locale;
        const QDateTime now = QDateTime::currentDateTime();
        commands.Action(QStringLiteral("mnuDateShort"))->setText(locale.toString(now.date(), QLocale::ShortFormat));
        commands.Action(QStringLiteral("mnuDateLong"))->setText(locale.toString(now.date(), QLocale::LongFormat));
        commands.Action(QStringLiteral("mnuDateTimeShort"))
            ->setText(locale.toString(now.date(), QLocale::ShortFormat) + u' ' + LongTimeText(now.time()));
        commands.Action(QStringLiteral("mnuDateTimeLong"))
            ->setText(locale.toString(now.date(), QLocale::LongFormat) + u' ' + LongTimeText(now.time()));
    });
    for (const char *name : {"mnuDateShort", "mnuDateLong", "mnuDateTimeShort", "mnuDateTimeLong"}) {
        QAction *item = commands.Action(QLatin1String(name));
        commands.On({name}, this, [this, item] { RunTagAction(vqSimpleTag, item->text(), QString(), false); });
    }

    // Ctrl+5, with or without Shift: server-script delimiters, as written.
    auto *script = new QAction(m_window);
    script->setObjectName(QStringLiteral("actServerScript"));
    script->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_5), QKeySequence(Qt::CTRL | Qt::Key_Percent),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_5),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Percent)});
    m_window->addAction(script);
    connect(script, &QAction::triggered, this,
            [this] { RunTagAction(vqSimpleTag, QStringLiteral("<% "), QStringLiteral(" %>"), false); });

    for (const auto &[buttonName, listName] : TagListButtons) {
        auto *button = m_speedbarPages->findChild<TvqTagButton *>(QLatin1String(buttonName));
        auto *list = m_speedbarPages->findChild<QComboBox *>(QLatin1String(listName));
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, this, [this, list] {
            if (list->currentText().isEmpty())
                return;
            const TTagEntry entry = SplitTagEntry(list->currentText());
            RunTagAction(vqSimpleTag, entry.start, entry.end, list->property("caseTags").toBool());
        });
    }

    auto *javaTree = m_speedbarPages->findChild<TvqTagButton *>(QStringLiteral("spdJavaTree"));
    javaTree->setEnabled(true);
    connect(javaTree, &QToolButton::clicked, this, &TTagCommands::spdJavaTreeClick);
    connect(m_scriptTree, &TvqScriptTree::OnItemSelect, this, [this](const QString &start, const QString &end) {
        m_documents->ActiveEditor()->InsertTag(start, end, false);
        m_scriptTree->ShowTree(false);
    });

    for (TvqTagButton *button : m_speedbarPages->findChildren<TvqTagButton *>())
        if (button->isEnabled() && !button->objectName().startsWith(QLatin1String("spd")))
            ConnectSpeedbarButton(button);
    connect(m_specialChars, &TSpecialCharBar::ButtonCreated, this, &TTagCommands::ConnectSpeedbarButton);
}

void TTagCommands::ConnectSpeedbarButton(TvqTagButton *button)
{
    // A button whose dialog is not there yet says so by being greyed.
    if (!IsAvailable(button->Action())) {
        button->setEnabled(false);
        return;
    }
    connect(button, &QToolButton::clicked, this, [this, button] { vqTagButtonClick(button); });
}

void TTagCommands::BuildColorBar(QToolBar *bar)
{
    // A colour goes into the document as its name, or as "#RRGGBB" where
    // hexadecimal colours are wanted.
    const auto addSwatch = [this, bar](const QString &name, QColor color) {
        QAction *swatch = bar->addAction(ColorSwatch(color, QSize(14, 14)), name);
        connect(swatch, &QAction::triggered, this, [this, name, color] {
            const QString hex = u'#' + ColorToHexText(ColorFromQColor(color));
            TvqRichHTML *editor = m_documents->ActiveEditor();
            editor->InsertTag(m_forceHexColor || name.startsWith(u'#') ? hex : name, QString(), true);
            editor->setFocus();
        });
    };
    for (const auto &[name, rgb] : NamedColors)
        addSwatch(QLatin1String(name), QColor(rgb));
    bar->addSeparator();
    TColorDialog custom;
    LoadCustomColors(RegistryKeys::Velicort, custom);
    for (const QString &entry : std::as_const(custom.CustomColors)) {
        const QColor color(QRgb(HexTextToColor(entry.section(u'=', 1))));
        addSwatch(u'#' + ColorToHexText(ColorFromQColor(color)), color);
    }
}

void TTagCommands::SetCloseParagraphTags(bool on)
{
    m_closeParagraphTags = on;
    m_speedbarPages->findChild<TvqTagButton *>(QStringLiteral("vqbPara"))
        ->SetTagEnd(on ? QStringLiteral("</P>") : QString());
}

void TTagCommands::vqTagButtonClick(TvqTagButton *button)
{
    RunTagAction(button->Action(), button->TagStart(), button->TagEnd(), button->Tag() == 0);
}

void TTagCommands::RunTagAction(TvqAction action, const QString &start, const QString &end, bool caseTags)
{
    m_scriptTree->ShowTree(false);
    TvqRichHTML *editor = m_documents->ActiveEditor();
    switch (action) {
    case vqSimpleTag:
        editor->InsertTag(caseTags ? CaseTag(start) : start, caseTags ? CaseTag(end) : end, false);
        editor->setFocus();
        break;
    case vqInsertFile:
        emit InsertFileRequested(start);
        break;
    default:
        emit DialogRequested(action);
        break;
    }
}

void TTagCommands::spdJavaTreeClick()
{
    const QWidget *button = m_speedbarPages->findChild<QWidget *>(QStringLiteral("spdJavaTree"));
    const QPoint speedbar = m_speedbar->mapTo(m_window, QPoint(0, 0));
    m_scriptTree->move(speedbar.x() + button->mapTo(m_speedbar, QPoint(0, 0)).x() + 10,
                       speedbar.y() + m_speedbar->height() - 7);
    m_scriptTree->ShowTree(!m_scriptTree->isVisible());
    m_scriptTree->raise();
}
