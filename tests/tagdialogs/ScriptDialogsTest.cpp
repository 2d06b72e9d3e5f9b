// SPDX-License-Identifier: GPL-3.0-or-later
// The script dialogs and the script wizard: the texts they write, in both
// tag cases, and the user's text kept inside its string or attribute.

#include "ScriptText.h"
#include "TagDialogTest.h"
#include "TfJavaScript.h"
#include "TfScript.h"
#include "TfScriptWizard.h"
#include "TfServerVars.h"

#include "ScriptedMessageService.h"
#include "TagText.h"
#include "TestFiles.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class ScriptDialogs : public TagDialogTest
{
protected:
    // Adds a menu item through the two input boxes.
    static void AddItem(TfScriptWizard &wizard, const QString &name, const QString &url)
    {
        Scripted().inputs = {name, url};
        Field<QPushButton>(wizard, "btnAdd")->click();
    }
};

TEST_F(ScriptDialogs, ScriptStringsAndHTMLInThemCannotBeEnded)
{
    EXPECT_EQ(ScriptStringText(QStringLiteral("say \"hi\" \\ it's"), u'"'), QStringLiteral("say \\\"hi\\\" \\\\ it's"));
    EXPECT_EQ(ScriptStringText(QStringLiteral("it's \"x\""), u'\''), QStringLiteral("it\\'s \"x\""));
    EXPECT_EQ(ScriptStringText(QStringLiteral("a</script>b\r\nc"), u'"'), QStringLiteral("a<\\/script>b\\r\\nc"));
    EXPECT_EQ(ScriptStringText(QStringLiteral("a") + QChar(0x2028) + u'b', u'"'), QStringLiteral("a\\u2028b"));
    EXPECT_EQ(HTMLInScriptText(QStringLiteral("Bob's \"big\" <page> \\ &amp;")),
              QStringLiteral("Bob&#39;s &quot;big&quot; &lt;page&gt; &#92; &amp;"));
    EXPECT_EQ(AttributeText(QStringLiteral("a \"b\"")), QStringLiteral("a &quot;b&quot;"));
    EXPECT_EQ(PlainAttributeText(QStringLiteral("50%")), QStringLiteral("50%"));
    EXPECT_EQ(PlainAttributeText(QStringLiteral("a b>")), QStringLiteral("\"a b>\""));
    EXPECT_EQ(FillScriptTemplate(QStringLiteral("a /* VELICORT */ b /* VELICORT */"), QStringLiteral("X")),
              QStringLiteral("a X b /* VELICORT */"));
    EXPECT_EQ(FillScriptTemplate(QStringLiteral("no marker"), QStringLiteral("X")), QString());
}

TEST_F(ScriptDialogs, NewScriptComesWithItsCommentAndEndTag)
{
    TfScript dialog(Context(), nullptr);
    EXPECT_EQ(Field<QComboBox>(dialog, "cboLanguage")->currentText(), QStringLiteral("JavaScript"));
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n"));
    EXPECT_EQ(dialog.EndText(), QStringLiteral("\r\n//-->\r\n</SCRIPT>"));
    SetLowerCaseTags(true);
    Field<QLineEdit>(dialog, "txtSource")->setText(QStringLiteral("a\"b.js"));
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<script language=\"JavaScript\" src=\"a&quot;b.js\">\r\n<!--\r\n"));
    EXPECT_EQ(dialog.EndText(), QStringLiteral("\r\n//-->\r\n</script>"));
}

TEST_F(ScriptDialogs, ScriptNeedsALanguageOrASourceAndEditsInPlace)
{
    TfScript dialog(Context(), nullptr);
    dialog.ReadTag(QStringLiteral("<SCRIPT TYPE=\"text/javascript\">"));
    EXPECT_TRUE(Field<QComboBox>(dialog, "cboLanguage")->currentText().isEmpty());
    dialog.accept();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.at(0).text, QStringLiteral("Please select either a language or a source."));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    QTemporaryDir dir;
    Scripted().fileNames = {QDir(dir.path()).filePath(QStringLiteral("JS/Menu.JS"))};
    TfScript browsing({dir.path(), true, false, nullptr}, nullptr);
    browsing.ReadTag(QStringLiteral("<script src=old.js id=x>"));
    Field<QComboBox>(browsing, "cboLanguage")->setEditText(QString());
    Field<QToolButton>(browsing, "btnBrowse")->click();
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Open HTML Document")});
    EXPECT_EQ(browsing.StartText(), QStringLiteral("<script src=\"js/menu.js\" id=x>"));
    EXPECT_TRUE(browsing.EndText().isEmpty());
}

TEST_F(ScriptDialogs, MenuItemsAreAddedOnceAndWrittenSafely)
{
    TfScriptWizard wizard(Context(), nullptr);
    AddItem(wizard, QStringLiteral("Bob's page"), QStringLiteral("bob.htm"));
    AddItem(wizard, QStringLiteral("Bob's page"), QStringLiteral("never.htm"));
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.value(0).text, QStringLiteral("This name already exists in the list."));
    AddItem(wizard, QStringLiteral("Blank"), QStringLiteral("  "));
    AddItem(wizard, QStringLiteral("Odd \"one\""), QStringLiteral("x.htm?a='1'\\"));
    auto *items = Field<QTreeWidget>(wizard, "lvwMenuItems");
    ASSERT_EQ(items->topLevelItemCount(), 2);
    EXPECT_EQ(items->currentItem()->text(0), QStringLiteral("Odd \"one\""));
    EXPECT_EQ(Scripted().inputQueries.value(0).caption, QStringLiteral("Add Item Name"));
    EXPECT_EQ(Scripted().inputQueries.value(0).value, QStringLiteral("Name"));
    EXPECT_EQ(Scripted().inputQueries.value(1).prompt, QStringLiteral("Enter the URL for the new item:"));

    EXPECT_EQ(wizard.MenuPiece(),
              QStringLiteral("document.write('<option value=none>Select your destination...');\r\n"
                             "document.write('<option value=none>--------------------');\r\n"
                             "document.write('<option value=\"bob.htm\">Bob&#39;s page');\r\n"
                             "document.write('<option value=\"x.htm?a=&#39;1&#39;&#92;\">Odd &quot;one&quot;');"));
    Field<QPushButton>(wizard, "btnDelete")->click();
    EXPECT_EQ(items->topLevelItemCount(), 1);
}

TEST_F(ScriptDialogs, FadeSpeedIsHeldToItsRange)
{
    TfScriptWizard wizard(Context(), nullptr);
    EXPECT_EQ(wizard.FadePiece(), QStringLiteral("fade(255,255,255,0,0,0,50);"));
    auto *speed = Field<TvqUpDownEdit>(wizard, "txtSpeed");
    const std::pair<const char *, const char *> cases[] = {{"1", "2"}, {"300", "255"}, {"", "50"}, {"77", "77"}};
    for (const auto &[typed, written] : cases) {
        speed->SetText(QLatin1String(typed));
        EXPECT_EQ(wizard.FadePiece(), QStringLiteral("fade(255,255,255,0,0,0,%1);").arg(QLatin1String(written)))
            << typed;
    }
    Field<TvqColorCombo>(wizard, "vqColorFadeTo")->SetColorText(QStringLiteral("#102030"));
    EXPECT_EQ(wizard.FadePiece(), QStringLiteral("fade(255,255,255,16,32,48,77);"));
}

TEST_F(ScriptDialogs, LastModifiedTagsFollowTheCaseButTheLanguageDoesNot)
{
    TfScriptWizard wizard(Context(), nullptr);
    EXPECT_EQ(wizard.LastModifiedScript(),
              QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n\tdocument.write(\"Last modified \" + "
                             "document.lastModified);\r\n// -->\r\n</SCRIPT>"));
    SetLowerCaseTags(true);
    Field<QLineEdit>(wizard, "txtLastModified")->setText(QStringLiteral("Changed \"</script>"));
    EXPECT_EQ(
        wizard.LastModifiedScript(),
        QStringLiteral("<script language=\"JavaScript\">\r\n<!--\r\n\tdocument.write(\"Changed \\\"<\\/script> \" + "
                       "document.lastModified);\r\n// -->\r\n</script>"));
}

TEST_F(ScriptDialogs, WizardFillsTheShippedTemplatesOrCopiesTheScript)
{
    TfScriptWizard wizard(Context(), nullptr);
    wizard.accept();
    const QString menu = wizard.StartText();
    EXPECT_TRUE(menu.contains(QStringLiteral("\r\ndocument.write('<option value=none>Select your destination...');")));
    EXPECT_FALSE(menu.contains(QStringLiteral("VELICORT")));
    // Only the end tag may hold "</", or validators flag the script.
    EXPECT_EQ(menu.count(QStringLiteral("</")), 1);
    EXPECT_TRUE(menu.trimmed().endsWith(QStringLiteral("</SCRIPT>")));

    TfScriptWizard copying(Context(), nullptr);
    Field<QTabWidget>(copying, "pgcPages")->setCurrentIndex(1);
    Field<QRadioButton>(copying, "optCopy")->setChecked(true);
    copying.accept();
    EXPECT_TRUE(copying.StartText().isEmpty());
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("\r\nfade(255,255,255,0,0,0,50);\r\n")));
    EXPECT_EQ(QApplication::clipboard()->text().count(QStringLiteral("</")), 1);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.at(0).text, QStringLiteral("The script has been copied to the clipboard."));
}

TEST_F(ScriptDialogs, AMissingTemplateOrMarkerGivesNoScript)
{
    QTemporaryDir dir;
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("menu.js"));
    EXPECT_TRUE(TfScriptWizard::FromTemplateFile(missing, QStringLiteral("x")).isEmpty());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.at(0).text,
              QStringLiteral("The source for this script could not be found at \"") + missing + QStringLiteral(".\""));
    EXPECT_EQ(Scripted().messages.at(0).kind, TMsgKind::Error);
    WriteTestFile(missing, "<SCRIPT>\r\n</SCRIPT>\r\n");
    EXPECT_TRUE(TfScriptWizard::FromTemplateFile(missing, QStringLiteral("x")).isEmpty());
    EXPECT_EQ(Scripted().messages.size(), 1);
}

TEST_F(ScriptDialogs, MessageBoxAndOpenWindowCalls)
{
    TfJS_MsgBox box(Context(), nullptr);
    Field<QLineEdit>(box, "txtText")->setText(QStringLiteral("Leave \"now\"?"));
    EXPECT_EQ(box.StartText(), QStringLiteral("alert(\"Leave \\\"now\\\"?\");"));
    Field<QRadioButton>(box, "optConfirm")->setChecked(true);
    EXPECT_EQ(box.StartText(), QStringLiteral("confirm(\"Leave \\\"now\\\"?\");"));
    EXPECT_TRUE(box.EndText().isEmpty());

    TfJS_OpenWindow window(Context(), nullptr);
    Field<QLineEdit>(window, "txtURL")->setText(QStringLiteral("page.htm"));
    Field<QLineEdit>(window, "txtTitle")->setText(QStringLiteral("Help"));
    Field<QLineEdit>(window, "txtHeight")->setText(QStringLiteral("0"));
    EXPECT_EQ(window.StartText(), QStringLiteral("window.open('page.htm', 'Help');"));
    Field<QCheckBox>(window, "chkscrollbars")->setChecked(true);
    Field<QLineEdit>(window, "txtWidth")->setText(QStringLiteral("300"));
    EXPECT_EQ(window.StartText(), QStringLiteral("window.open('page.htm', 'Help', 'scrollbars,width=300');"));
    for (QCheckBox *box : window.findChildren<QCheckBox *>())
        box->setChecked(true);
    Field<QLineEdit>(window, "txtHeight")->setText(QStringLiteral("200"));
    Field<QLineEdit>(window, "txtTitle")->setText(QStringLiteral("Bob's"));
    EXPECT_EQ(window.StartText(),
              QStringLiteral("window.open('page.htm', 'Bob\\'s', 'toolbar,menubar,scrollbars,resizable,status,location,"
                             "directories,copyhistory,height=200,width=300');"));
}

TEST_F(ScriptDialogs, ServerVariablesAndIncludeIgnoreTheTagCase)
{
    SetLowerCaseTags(true);
    TfServerVars asp(Context(), false, nullptr);
    auto *vars = Field<QComboBox>(asp, "cboVars");
    EXPECT_EQ(vars->count(), 20);
    EXPECT_EQ(asp.StartText(), QStringLiteral("<%= Request.ServerVariables(\"ALL_HTTP\") %>\r\n"));
    TfServerVars cfml(Context(), true, nullptr);
    Field<QComboBox>(cfml, "cboVars")->setCurrentText(QStringLiteral("SERVER_NAME"));
    EXPECT_EQ(cfml.StartText(), QStringLiteral("#CGI.SERVER_NAME#\r\n"));

    EXPECT_EQ(ASPIncludeText(QStringLiteral("/web/Pages"), QStringLiteral("/web/Inc/Head.ASP"), true),
              QStringLiteral("<!--#include file=\"../inc/Head.ASP\"-->\r\n"));
    EXPECT_EQ(ASPIncludeText(QStringLiteral("/web"), QStringLiteral("/web/a.inc"), false),
              QStringLiteral("<!--#include file=\"a.inc\"-->\r\n"));
}

} // namespace
