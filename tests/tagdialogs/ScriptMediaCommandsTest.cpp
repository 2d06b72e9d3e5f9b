// SPDX-License-Identifier: GPL-3.0-or-later
// The script, multimedia and form dialogs opened as the program opens them:
// from their speedbar buttons, "Edit Tag..." and files, shown modally, and
// their result put into the document as one edit.

#include "TTagDialogCommands.h"

#include "LongRun.h"
#include "RegistryKeys.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"
#include "WhenShown.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The speedbar buttons that open these dialogs through handlers of their own.
const char *const HandlerButtons[] = {
    "vqbFormText",   "vqbFormTextArea", "vqbFormHidden",  "vqbFormCheckbox",  "vqbFormRadio", "vqbFormSelect",
    "vqbFormSubmit", "vqbFormReset",    "vqbJS_MsgBox",   "vqbJS_OpenWindow", "spdEmbed",     "spdMarquee",
    "spdBGSound",    "spdASPServerVar", "spdCFServerVar", "spdASP_Include",
};

class ScriptMediaCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        for (const char *name : HandlerButtons) {
            auto *button = new QToolButton(&m_speedbar);
            button->setObjectName(QLatin1String(name));
            button->setEnabled(false);
        }
        m_commands.ConnectSpeedbar(&m_speedbar);
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
    }

    TvqRichHTML *Editor() { return m_tabs.ActiveEditor(); }

    void SetDocument(const QString &text, qsizetype selStart, qsizetype selLength)
    {
        Editor()->InsertTag(text, QString(), false);
        Editor()->SetModified(false);
        Editor()->SetSel(selStart, selLength);
    }

    void Click(const char *name) { m_speedbar.findChild<QToolButton *>(QLatin1String(name))->click(); }

    // Runs act on the dialog once it is shown modally, and counts it.
    void WhenShown(std::function<void(QDialog *)> act)
    {
        ::WhenShown<QDialog>([this, act](QDialog *dialog) {
            ++m_shown;
            act(dialog);
        });
    }

    QWidget m_speedbar;
    TvqHTMLTab m_tabs;
    TTagDialogCommands m_commands{&m_tabs, [] { return QStringLiteral("/web"); }, &m_tabs};
    int m_shown = 0;
};

TEST_F(ScriptMediaCommands, EveryHandlerButtonIsEnabled)
{
    for (const char *name : HandlerButtons)
        EXPECT_TRUE(m_speedbar.findChild<QToolButton *>(QLatin1String(name))->isEnabled()) << name;
}

TEST_F(ScriptMediaCommands, EveryDialogButtonEditsOnceAndWaitsForALongRun)
{
    SetDocument(QStringLiteral("x"), 0, 1);
    for (const char *name : HandlerButtons) {
        if (QLatin1String(name) == QLatin1String("spdASP_Include"))
            continue;
        Editor()->SetModified(false);
        Editor()->SetSel(0, 1);
        WhenShown([](QDialog *dialog) { dialog->accept(); });
        {
            const TLongRun run;
            Click(name);
            EXPECT_EQ(Editor()->Text(), QStringLiteral("x")) << name;
        }
        QTRY_VERIFY_WITH_TIMEOUT(Editor()->Modified(), 5000);
        EXPECT_NE(Editor()->Text(), QStringLiteral("x")) << name;
        Editor()->Undo();
        EXPECT_EQ(Editor()->Text(), QStringLiteral("x")) << name;
    }
    EXPECT_EQ(m_shown, int(std::size(HandlerButtons)) - 1);
}

TEST_F(ScriptMediaCommands, ASelectListWrapsTheSelectionInOneUndoStep)
{
    SetDocument(QStringLiteral("a b"), 1, 1);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Form Element"));
        EXPECT_EQ(dialog->findChild<QComboBox *>(QStringLiteral("cboElement"))->currentText(),
                  QStringLiteral("Select List"));
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("txtName")), QStringLiteral("s"));
        dialog->findChild<TvqUpDownEdit *>(QStringLiteral("txtVal1"))->stepBy(1);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    Click("vqbFormSelect");
    EXPECT_EQ(m_shown, 1);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("a<SELECT NAME=\"s\">\r\n\t<OPTION>\r\n \r\n</SELECT>b"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("a b"));
}

TEST_F(ScriptMediaCommands, EditTagOpensTheMarqueeAndTheScriptInPlace)
{
    const QString page = QStringLiteral("<MARQUEE LOOP=2>x</MARQUEE><SCRIPT SRC=\"a.js\"></SCRIPT>");
    SetDocument(page, 3, 0);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Marquee"));
        dialog->findChild<QComboBox *>(QStringLiteral("cboDirection"))->setEditText(QStringLiteral("Left"));
        dialog->accept();
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(Editor()->Text(),
              QStringLiteral("<MARQUEE LOOP=2 DIRECTION=\"Left\">x</MARQUEE><SCRIPT SRC=\"a.js\"></SCRIPT>"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), page);

    Editor()->SetSel(page.indexOf(QLatin1String("<SCRIPT")) + 2, 0);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Script"));
        dialog->findChild<QComboBox *>(QStringLiteral("cboLanguage"))->setEditText(QStringLiteral("VBScript"));
        dialog->accept();
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(m_shown, 2);
    EXPECT_TRUE(Editor()->Text().endsWith(QStringLiteral("<SCRIPT SRC=\"a.js\" LANGUAGE=\"VBScript\"></SCRIPT>")));
}

TEST_F(ScriptMediaCommands, ACopiedScriptLeavesTheDocumentAlone)
{
    SetDocument(QStringLiteral("page"), 4, 0);
    WhenShown([](QDialog *dialog) {
        dialog->findChild<QTabWidget *>(QStringLiteral("pgcPages"))->setCurrentIndex(2);
        dialog->findChild<QRadioButton *>(QStringLiteral("optCopy"))->setChecked(true);
        dialog->accept();
    });
    m_commands.RunAction(vqScriptWizard);
    EXPECT_EQ(m_shown, 1);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("page"));
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_EQ(Scripted().messages.size(), 1);
}

TEST_F(ScriptMediaCommands, SoundsAndVideosOpenTheDialogOfTheMultimediaFormat)
{
    const QString tune = QStringLiteral("/web/media/tune.wav");
    const QString clip = QStringLiteral("/web/clip.avi");
    const auto expect = [this](const QString &caption, const char *field, const QString &reference) {
        WhenShown([caption, field, reference](QDialog *dialog) {
            EXPECT_EQ(dialog->windowTitle(), caption);
            EXPECT_EQ(dialog->findChild<QLineEdit *>(QLatin1String(field))->text(), reference);
            dialog->reject();
        });
    };
    expect(QStringLiteral("Background Sound"), "txtSource", QStringLiteral("media/tune.wav"));
    EXPECT_TRUE(m_commands.InsertFileTag(tune, TFileKind::Sound));
    expect(QStringLiteral("Image"), "txtDynSource", QStringLiteral("clip.avi"));
    EXPECT_TRUE(m_commands.InsertFileTag(clip, TFileKind::Video));
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("MultimediaFormat"), 1);
    expect(QStringLiteral("Embed"), "txtSource", QStringLiteral("media/tune.wav"));
    EXPECT_TRUE(m_commands.InsertFileTag(tune, TFileKind::Sound));
    expect(QStringLiteral("Embed"), "txtSource", QStringLiteral("clip.avi"));
    EXPECT_TRUE(m_commands.InsertFileTag(clip, TFileKind::Video));
    EXPECT_EQ(m_shown, 4);
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(ScriptMediaCommands, TheIncludeAsksForAFile)
{
    SetDocument(QString(), 0, 0);
    Scripted().fileNames = {QString()};
    Click("spdASP_Include");
    EXPECT_TRUE(Editor()->Text().isEmpty());
    EXPECT_FALSE(Editor()->Modified());
    Scripted().fileNames = {QStringLiteral("/web/inc/head.asp")};
    Click("spdASP_Include");
    EXPECT_EQ(Scripted().fileDialogCaptions.value(1), QStringLiteral("Select Include File"));
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<!--#include file=\"inc/head.asp\"-->\r\n"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_TRUE(Editor()->Text().isEmpty());
}

TEST_F(ScriptMediaCommands, ButtonsWaitForALongRunToEnd)
{
    SetDocument(QString(), 0, 0);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Server Variables"));
        dialog->accept();
    });
    Scripted().fileNames = {QStringLiteral("/web/a.inc")};
    {
        const TLongRun run;
        Click("spdCFServerVar");
        Click("spdASP_Include");
        EXPECT_TRUE(Editor()->Text().isEmpty());
        EXPECT_TRUE(Scripted().fileDialogCaptions.isEmpty());
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_shown, 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(Editor()->Text(), QStringLiteral("#CGI.ALL_HTTP#\r\n<!--#include file=\"a.inc\"-->\r\n"),
                              5000);
}

} // namespace
