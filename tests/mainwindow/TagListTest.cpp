// SPDX-License-Identifier: GPL-3.0-or-later
// The floating tag list, and the script, multimedia and form dialogs reached
// from the main window's speedbar and menus.

#include "TfMain.h"

#include "LongRun.h"
#include "RegistryKeys.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TfTagList.h"
#include "TvqHTMLTab.h"
#include "TvqTagButton.h"
#include "WhenShown.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QListWidgetItem *Entry(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

TEST(TagList, LoadsItsListsWhenFirstShownAndGivesEntriesInTheTagCase)
{
    SetLowerCaseTags(true);
    TfTagList tags;
    EXPECT_EQ(tags.TagsList()->count(), 0);
    tags.show();
    ASSERT_GT(tags.TagsList()->count(), 100);
    // HTML5 elements and attributes are there.
    EXPECT_TRUE(Entry(tags.TagsList(), QStringLiteral("<ARTICLE>..</ARTICLE>")));
    EXPECT_TRUE(Entry(tags.AttributesList(), QStringLiteral("PLACEHOLDER=\"\"")));
    EXPECT_LT(tags.AttributesList()->row(Entry(tags.AttributesList(), QStringLiteral("ALT=\"\""))),
              tags.AttributesList()->row(Entry(tags.AttributesList(), QStringLiteral("WIDTH=\"\""))));

    QSignalSpy inserted(&tags, &TfTagList::InsertTag);
    emit tags.TagsList()->itemDoubleClicked(Entry(tags.TagsList(), QStringLiteral("<B>..</B>")));
    emit tags.TagsList()->itemDoubleClicked(Entry(tags.TagsList(), QStringLiteral("<BR>")));
    emit tags.AttributesList()->itemDoubleClicked(Entry(tags.AttributesList(), QStringLiteral("HIDDEN")));
    ASSERT_EQ(inserted.count(), 3);
    EXPECT_EQ(inserted.at(0), (QVariantList{QStringLiteral("<b>"), QStringLiteral("</b>")}));
    EXPECT_EQ(inserted.at(1), (QVariantList{QStringLiteral("<br>"), QString()}));
    EXPECT_EQ(inserted.at(2), (QVariantList{QStringLiteral("hidden"), QString()}));
    SetLowerCaseTags(false);
}

TEST(TagList, KeepsItsPlace)
{
    const QString key = RegistryKeys::Velicort + QStringLiteral("\\TagForm");
    {
        TfTagList tags;
        EXPECT_EQ(tags.geometry(), QRect(320, 240, 320, 274));
        tags.setGeometry(100, 110, 250, 300);
    }
    EXPECT_EQ(ReadRegInteger(key, QStringLiteral("Width"), 0), 250);
    TfTagList again;
    EXPECT_EQ(again.geometry(), QRect(100, 110, 250, 300));
}

class MainWindowDialogs : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        m_window = std::make_unique<TfMain>();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    TvqRichHTML *Editor() const { return m_window->ActiveEditor(); }

    std::unique_ptr<TfMain> m_window;
};

TEST_F(MainWindowDialogs, TagListEntriesGoIntoTheDocumentOnceALongRunEnds)
{
    m_window->CreateLongLivedWindows();
    m_window->Action(QStringLiteral("mnuViewTagList"))->trigger();
    auto *tags = m_window->findChild<TfTagList *>();
    ASSERT_TRUE(tags && tags->isVisible());
    {
        const TLongRun run;
        emit tags->TagsList()->itemDoubleClicked(Entry(tags->TagsList(), QStringLiteral("<B>..</B>")));
        EXPECT_TRUE(Editor()->Text().isEmpty());
    }
    QTRY_COMPARE_WITH_TIMEOUT(Editor()->Text(), QStringLiteral("<B></B>"), 5000);
    EXPECT_TRUE(Editor()->Modified());
    tags->close();
    EXPECT_FALSE(m_window->Action(QStringLiteral("mnuViewTagList"))->isChecked());
}

TEST_F(MainWindowDialogs, SpeedbarButtonsAndMenusOpenTheDialogs)
{
    for (const char *name :
         {"vqbFormText", "vqbFormSelect", "vqbJS_MsgBox", "vqbJS_OpenWindow", "spdEmbed", "spdMarquee", "spdBGSound",
          "spdASPServerVar", "spdCFServerVar", "spdASP_Include", "vqbApplet", "vqTagButton2", "vqbParameter1",
          "vqbScriptWizard", "vqTagButton1", "vqbQuickStart"})
        EXPECT_TRUE(m_window->findChild<TvqTagButton *>(QLatin1String(name))->isEnabled()) << name;

    AnswerNextDialog(QStringLiteral("Form Element"), [](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("q"));
    });
    m_window->findChild<TvqTagButton *>(QStringLiteral("vqbFormText"))->click();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<INPUT TYPE=\"TEXT\" NAME=\"q\" SIZE=0 MAXLENGTH=0>\r\n"));

    Editor()->SetSel(Editor()->TextLength(), 0);
    AnswerNextDialog(QStringLiteral("Message Box"), [](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("txtText"))->setText(QStringLiteral("Hi"));
    });
    m_window->findChild<TvqTagButton *>(QStringLiteral("vqbJS_MsgBox"))->click();
    EXPECT_TRUE(Editor()->Text().endsWith(QStringLiteral("\r\nalert(\"Hi\");")));

    Editor()->SetSel(Editor()->TextLength(), 0);
    AnswerNextDialog(QStringLiteral("QuickStart"), [](QDialog *dialog) {
        dialog->findChild<QWidget *>(QStringLiteral("chkBody"))->setProperty("checked", false);
    });
    ASSERT_TRUE(m_window->Action(QStringLiteral("mnuToolsQuickStart"))->isEnabled());
    m_window->Action(QStringLiteral("mnuToolsQuickStart"))->trigger();
    EXPECT_TRUE(Editor()->Text().endsWith(QStringLiteral("</HEAD>\r\n\r\n\r\n\r\n</HTML>\r\n")));
    EXPECT_TRUE(Editor()->Modified());
}

} // namespace
