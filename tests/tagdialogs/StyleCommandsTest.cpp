// SPDX-License-Identifier: GPL-3.0-or-later
// The Styles page of the speedbar: the style editor opened from its button,
// the saved styles in the list, and "Insert style tag".

#include "TStyleCommands.h"

#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "TagText.h"
#include "TfStyleSheet.h"
#include "TfStyleTagSelect.h"
#include "TvqColorCombo.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class StyleCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        ASSERT_TRUE(m_dir.isValid());
        for (const char *name : {"spdStyleSheet", "spdStyleInsert"}) {
            auto *button = new QToolButton(&m_speedbar);
            button->setObjectName(QLatin1String(name));
            button->setEnabled(false);
        }
        m_list = new QComboBox(&m_speedbar);
        m_list->setObjectName(QStringLiteral("cboStyleList"));
        TSavedStyles saved(StylesPath());
        TStyleObject style;
        style.Slots[ssName] = QStringLiteral("warn");
        style.Slots[ssColor] = QStringLiteral("Red");
        style.Slots[ssFontFamily] = QStringLiteral("Comic Sans");
        saved.Put(style);
        style.Slots[ssName] = QStringLiteral("Big");
        style.Slots[ssFontSize] = QStringLiteral("20");
        style.Slots[ssFontSizeUnit] = QStringLiteral("px");
        saved.Put(style);
        ASSERT_TRUE(saved.Write().written);
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
        m_commands = std::make_unique<TStyleCommands>(&m_tabs, &m_speedbar, &m_tabs, StylesPath());
        m_commands->Connect();
        Editor()->InsertTag(QStringLiteral("say hello"), QString(), false);
        Editor()->SetModified(false);
        Editor()->SetSel(4, 5);
    }

    QString StylesPath() const { return m_dir.filePath(QStringLiteral("styles.dat")); }
    TvqRichHTML *Editor() { return m_tabs.ActiveEditor(); }
    QToolButton *Button(const char *name) { return m_speedbar.findChild<QToolButton *>(QLatin1String(name)); }

    QTemporaryDir m_dir;
    TvqHTMLTab m_tabs;
    QWidget m_speedbar;
    QComboBox *m_list = nullptr;
    std::unique_ptr<TStyleCommands> m_commands;
};

TEST_F(StyleCommands, TheListHoldsTheSavedStylesSortedAndNoneIsChosen)
{
    EXPECT_TRUE(Button("spdStyleSheet")->isEnabled());
    EXPECT_TRUE(Button("spdStyleInsert")->isEnabled());
    ASSERT_EQ(m_list->count(), 2);
    EXPECT_EQ(m_list->itemText(0), QStringLiteral("Big"));
    EXPECT_EQ(m_list->itemText(1), QStringLiteral("warn"));
    EXPECT_EQ(m_list->currentIndex(), -1);
}

TEST_F(StyleCommands, InsertStyleTagWrapsTheSelectionInOneUndoStep)
{
    Button("spdStyleInsert")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello")) << "no style chosen, nothing happens";
    EXPECT_FALSE(Editor()->Modified());

    m_list->setCurrentIndex(1);
    Button("spdStyleInsert")->click();
    QTRY_VERIFY(Editor()->Modified());
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say <SPAN STYLE=\"font-family: Comic Sans; color: Red\">hello</SPAN>"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello"));
}

TEST_F(StyleCommands, InsertStyleTagWaitsForALongRunToEnd)
{
    SetLowerCaseTags(true);
    m_list->setCurrentIndex(0);
    {
        const TLongRun run;
        Button("spdStyleInsert")->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello"));
    }
    QTRY_COMPARE(
        Editor()->Text(),
        QStringLiteral("say <span style=\"font-size: 20px; font-family: Comic Sans; color: Red\">hello</span>"));
}

TEST_F(StyleCommands, TheEditorInsertsItsWrappingAndRefreshesTheList)
{
    WhenShown<TfStyleSheet>([](TfStyleSheet *editor) {
        editor->findChild<TvqColorCombo *>(QStringLiteral("vqColor"))->SetColorText(QStringLiteral("Navy"));
        editor->findChild<QComboBox *>(QStringLiteral("cboFontWeight"))->setEditText(QStringLiteral("bold"));
        WhenShown<TfStyleTagSelect>([](TfStyleTagSelect *chooser) {
            chooser->findChild<QRadioButton *>(QStringLiteral("optStyleTag1"))->setChecked(true);
            chooser->accept();
        });
        editor->findChild<QPushButton *>(QStringLiteral("btnInsert"))->click();
    });
    Scripted().answers = {TMsgResult::Yes};
    Scripted().inputs = {QStringLiteral("Strong")};
    {
        // The editor waits for a long run to end.
        const TLongRun run;
        Button("spdStyleSheet")->click();
        QCoreApplication::processEvents();
        EXPECT_FALSE(QApplication::activeModalWidget());
    }
    QTRY_VERIFY(Editor()->Modified());
    EXPECT_EQ(Editor()->Text(),
              QStringLiteral("say <SPAN STYLE=\"font-weight: bold; color: Navy\">hello\r\n</SPAN>\r\n"));
    ASSERT_EQ(m_list->count(), 3);
    EXPECT_EQ(m_list->itemText(1), QStringLiteral("Strong"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello"));
}

TEST_F(StyleCommands, ClosingTheEditorLeavesTheDocumentAlone)
{
    WhenShown<TfStyleSheet>([](TfStyleSheet *editor) { editor->reject(); });
    Button("spdStyleSheet")->click();
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCoreApplication::processEvents();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello"));
    EXPECT_FALSE(Editor()->Modified());
}

} // namespace
