// SPDX-License-Identifier: GPL-3.0-or-later
// Each dialog's fields against the tags it reads and writes.

#include "TfAnchor.h"
#include "TfBody.h"
#include "TfBookmarks.h"
#include "TfComment.h"
#include "TfFont.h"
#include "TfForm.h"
#include "TfHorzRule.h"
#include "TfList.h"
#include "TfMailTo.h"
#include "TfMeta.h"
#include "TfParagraph.h"

#include "RegistryKeys.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TestFiles.h"
#include "TvqColorCombo.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"
#include "URLHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class TagDialogs : public testing::Test
{
protected:
    void SetUp() override { SetLowerCaseTags(false); }
    void TearDown() override { SetLowerCaseTags(false); }

    TTagDialogContext Context() const { return {QStringLiteral("/web"), false, false, nullptr}; }

    template <typename Widget> static Widget *Field(const QWidget &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    static void SetText(const QWidget &dialog, const char *name, const QString &text)
    {
        if (auto *line = dialog.findChild<QLineEdit *>(QLatin1String(name)))
            line->setText(text);
        else if (auto *combo = dialog.findChild<QComboBox *>(QLatin1String(name)))
            combo->setEditText(text);
        else if (auto *updown = dialog.findChild<TvqUpDownEdit *>(QLatin1String(name)))
            updown->SetText(text);
        else if (auto *memo = dialog.findChild<QPlainTextEdit *>(QLatin1String(name)))
            memo->setPlainText(text);
        else
            ADD_FAILURE() << "no field " << name;
    }
    static void SetColor(const QWidget &dialog, const char *name, const QString &text)
    {
        Field<TvqColorCombo>(dialog, name)->SetColorText(text);
    }
};

TEST_F(TagDialogs, FontBuildsTheExampleAndEditsInPlace)
{
    TfFont font(Context(), false, nullptr);
    EXPECT_EQ(font.windowTitle(), QStringLiteral("Font"));
    Field<QComboBox>(font, "cboSize")->setCurrentIndex(1);
    SetText(font, "txtSize", QStringLiteral("2"));
    SetText(font, "cboFace", QStringLiteral("Arial"));
    SetColor(font, "vqColorCombo", QStringLiteral("Red"));
    EXPECT_EQ(font.StartText(), QStringLiteral("<FONT SIZE=\"+2\" FACE=\"Arial\" COLOR=\"Red\">"));
    EXPECT_EQ(font.EndText(), QStringLiteral("</FONT>"));

    TfFont edit(Context(), false, nullptr);
    edit.ReadTag(QStringLiteral("<font size=\"-1\" class=\"x\" color=\"#ff0000\">"));
    EXPECT_EQ(Field<QComboBox>(edit, "cboSize")->currentText(), QStringLiteral("-"));
    EXPECT_EQ(Field<TvqUpDownEdit>(edit, "txtSize")->Text(), QStringLiteral("1"));
    SetText(edit, "txtSize", QStringLiteral("3"));
    EXPECT_EQ(edit.StartText(), QStringLiteral("<font size=\"-3\" class=\"x\" color=\"Red\">"));
    EXPECT_EQ(edit.EndText(), QString());
}

TEST_F(TagDialogs, BaseFontInLowerTagCase)
{
    SetLowerCaseTags(true);
    TfFont font(Context(), true, nullptr);
    EXPECT_EQ(font.windowTitle(), QStringLiteral("Base Font"));
    SetText(font, "txtSize", QStringLiteral("3"));
    EXPECT_EQ(font.StartText(), QStringLiteral("<basefont size=\"3\">"));
    EXPECT_EQ(font.EndText(), QString());
}

TEST_F(TagDialogs, UnreadableColourIsRemovedAndOtherAttributesStay)
{
    TfFont font(Context(), false, nullptr);
    font.ReadTag(QStringLiteral("<FONT COLOR=\"xyz\" CLASS=\"k\" FACE=\"Arial\">"));
    SetText(font, "cboFace", QString());
    EXPECT_EQ(font.StartText(), QStringLiteral("<FONT CLASS=\"k\">"));
}

TEST_F(TagDialogs, ATagTheDialogCannotReadGivesEmptyFields)
{
    TfFont font(Context(), false, nullptr);
    font.ReadTag(QStringLiteral("<FONT SIZE = 3 COLOR"));
    EXPECT_TRUE(Field<TvqUpDownEdit>(font, "txtSize")->Text().isEmpty());
    EXPECT_TRUE(Field<TvqColorCombo>(font, "vqColorCombo")->ColorText().isEmpty());
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(TagDialogs, CommentWritesALinePerMemoLine)
{
    TfComment comment(Context(), nullptr);
    SetText(comment, "memComment", QStringLiteral("a\nb\n"));
    EXPECT_EQ(comment.StartText(), QStringLiteral("<!--a-->\r\n<!--b-->\r\n"));
    EXPECT_EQ(comment.EndText(), QString());

    TfComment edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<!-- hello -->"));
    EXPECT_EQ(Field<QPlainTextEdit>(edit, "memComment")->toPlainText(), QStringLiteral(" hello "));
}

TEST_F(TagDialogs, BodyWritesColoursMarginsAndTheFixedBackground)
{
    TfBody body(Context(), nullptr);
    SetColor(body, "vqColorBG", QStringLiteral("White"));
    SetColor(body, "vqColorLink", QStringLiteral("#123"));
    SetText(body, "txtLeftMargin", QStringLiteral("5"));
    Field<QCheckBox>(body, "chkFixedBG")->setChecked(true);
    EXPECT_EQ(body.StartText(),
              QStringLiteral("<BODY BGCOLOR=\"White\" LINK=\"#000123\" LEFTMARGIN=5 BGPROPERTIES=\"FIXED\">"));
    EXPECT_EQ(body.EndText(), QStringLiteral("\r\n\r\n\r\n</BODY>"));

    TfBody edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<body id=\"main\" bgproperties=fixed text=\"#ff0000\" topmargin=2>"));
    EXPECT_TRUE(Field<QCheckBox>(edit, "chkFixedBG")->isChecked());
    EXPECT_EQ(Field<QLineEdit>(edit, "txtTopMargin")->text(), QStringLiteral("2"));
    Field<QCheckBox>(edit, "chkFixedBG")->setChecked(false);
    SetText(edit, "txtTopMargin", QString());
    EXPECT_EQ(edit.StartText(), QStringLiteral("<body id=\"main\" text=\"Red\">"));
    EXPECT_EQ(edit.EndText(), QString());
}

TEST_F(TagDialogs, BodyBrowseMakesTheImageRelative)
{
    TfBody body(Context(), nullptr);
    Scripted().fileNames = {QStringLiteral("/web/img/Back.GIF")};
    Field<QPushButton>(body, "btnImage")->click();
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Select an Image")});
    EXPECT_EQ(Field<QLineEdit>(body, "txtImage")->text(), QStringLiteral("img/Back.GIF"));
}

TEST_F(TagDialogs, AnchorFromAFileAnAddressAndAnEditedTag)
{
    EXPECT_EQ(TfAnchor::TagForFile(Context(), QStringLiteral("/web/docs/Page.html")),
              std::pair(QStringLiteral("<A HREF=\"docs/Page.html\">"), QStringLiteral("</A>")));
    EXPECT_EQ(
        TfAnchor::TagForFile({QStringLiteral("/web/docs"), true, false, nullptr}, QStringLiteral("/web/Img/Logo.GIF")),
        std::pair(QStringLiteral("<A HREF=\"../img/logo.gif\">"), QStringLiteral("</A>")));
    EXPECT_EQ(TfAnchor::TagForFile(Context(), QStringLiteral("http://Example.com/A")).first,
              QStringLiteral("<A HREF=\"http://Example.com/A\">"));

    TfAnchor edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<a href=\"a.html\" class=\"c\">"));
    EXPECT_TRUE(Field<QWidget>(edit, "grpDescription")->isHidden());
    SetText(edit, "cboTarget", QStringLiteral("_top"));
    EXPECT_EQ(edit.StartText(), QStringLiteral("<a href=\"a.html\" class=\"c\" TARGET=\"_top\">"));
    EXPECT_EQ(edit.EndText(), QString());
}

TEST_F(TagDialogs, AnchorKeepsItsDescriptionAndLowersFilesButNotNames)
{
    TfAnchor anchor({QStringLiteral("/web"), true, false, nullptr}, nullptr);
    SetText(anchor, "cboURL", QStringLiteral("#Top"));
    SetText(anchor, "memDescription", QStringLiteral("go\nup"));
    EXPECT_EQ(anchor.StartText(), QStringLiteral("<A HREF=\"#Top\">go\r\nup"));
    SetText(anchor, "cboURL", QStringLiteral("Page.HTML"));
    EXPECT_EQ(anchor.StartText(), QStringLiteral("<A HREF=\"page.html\">go\r\nup"));
}

TEST_F(TagDialogs, AnchorOffersTheHistoryAndTheDocumentsAnchors)
{
    WriteRegValue(QStringLiteral("Software\\Velicort\\URLHistory"), QStringLiteral("URL1"), QStringLiteral("b.html"));
    TvqRichHTML editor;
    editor.InsertTag(QStringLiteral("<A NAME=\"zeta\"></A><a name=\"Alpha\">"), QString(), false);
    editor.SetSel(0, 0);
    TfAnchor anchor({QStringLiteral("/web"), false, false, &editor}, nullptr);
    anchor.SetFile(QStringLiteral("/web/c.html"));
    anchor.Prepare();
    auto *url = Field<QComboBox>(anchor, "cboURL");
    QStringList items;
    for (int i = 0; i < url->count(); ++i)
        items.append(url->itemText(i));
    EXPECT_EQ(items, (QStringList{"b.html", "#Alpha", "#zeta"}));
    EXPECT_EQ(url->currentText(), QStringLiteral("c.html"));
    EXPECT_FALSE(anchor.ReplacesSelection());
}

TEST_F(TagDialogs, AnchorRemembersTheAddressesUsed)
{
    const auto accept = [this](const QString &href) {
        TfAnchor anchor(Context(), nullptr);
        SetText(anchor, "cboURL", href);
        anchor.accept();
    };
    for (int i = 0; i < 31; ++i)
        accept(QStringLiteral("p%1.html").arg(i));
    accept(QStringLiteral("p5.html"));
    accept(QString());
    accept(QStringLiteral("#top"));
    const QStringList history = ReadURLHistory();
    ASSERT_EQ(history.size(), 30);
    EXPECT_EQ(history.first(), QStringLiteral("p5.html"));
    EXPECT_EQ(history.at(1), QStringLiteral("p30.html"));
    EXPECT_EQ(history.count(QStringLiteral("p5.html")), 1);

    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoFillHREF"), false);
    accept(QStringLiteral("new.html"));
    EXPECT_EQ(ReadURLHistory().first(), QStringLiteral("p5.html"));
}

TEST_F(TagDialogs, BookmarksComeFromTheBookmarkFile)
{
    EXPECT_EQ(BookmarkURLs(QStringLiteral("<DL><DT><A HREF=\"https://b.org/\" ADD_DATE=\"1\">B</A>\n"
                                          "<dt><a href=\"https://lower.org/\">no</a><DT><A HREF=\"http://a.org/\">")),
              (QStringList{"https://b.org/", "http://a.org/"}));

    TfAnchor without(Context(), nullptr);
    EXPECT_TRUE(Field<QToolButton>(without, "btnBookmarks")->isHidden());

    QTemporaryDir dir;
    const QString file = WriteTestFile(dir.filePath(QStringLiteral("bookmarks.html")),
                                       "<DT><A HREF=\"https://z.org/\">Z</A><DT><A HREF=\"https://a.org/\">A</A>");
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("BookmarkFile"), file);
    TfAnchor with(Context(), nullptr);
    EXPECT_FALSE(Field<QToolButton>(with, "btnBookmarks")->isHidden());
    TfBookmarks picker(file, nullptr);
    EXPECT_EQ(picker.SelectedURL(), QStringLiteral("https://a.org/"));

    TfBookmarks missing(dir.filePath(QStringLiteral("gone.html")), nullptr);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.first().text, QStringLiteral("Unable to open bookmark file."));
    EXPECT_EQ(Scripted().messages.first().kind, TMsgKind::Error);
    EXPECT_EQ(missing.SelectedURL(), QString());
}

TEST_F(TagDialogs, HorizontalRuleComesBackWhollyInTheTagCase)
{
    TfHorzRule rule(Context(), nullptr);
    SetText(rule, "cboAlign", QStringLiteral("Center"));
    SetText(rule, "txtSize", QStringLiteral("2"));
    SetText(rule, "txtWidth", QStringLiteral("50%"));
    Field<QCheckBox>(rule, "chkNoShade")->setChecked(true);
    SetColor(rule, "vqColorCombo", QStringLiteral("Red"));
    EXPECT_EQ(rule.StartText(), QStringLiteral("<HR ALIGN=\"CENTER\" SIZE=\"2\" WIDTH=\"50%\" COLOR=\"RED\" NOSHADE>"));

    TfHorzRule edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<hr noshade size=3 id=k>"));
    EXPECT_TRUE(Field<QCheckBox>(edit, "chkNoShade")->isChecked());
    Field<QCheckBox>(edit, "chkNoShade")->setChecked(false);
    EXPECT_EQ(edit.StartText(), QStringLiteral("<HR SIZE=\"3\" ID=K>"));

    SetLowerCaseTags(true);
    TfHorzRule lower(Context(), nullptr);
    Field<QCheckBox>(lower, "chkNoShade")->setChecked(true);
    EXPECT_EQ(lower.StartText(), QStringLiteral("<hr noshade>"));
}

TEST_F(TagDialogs, ListWritesEveryRowAndClearStartsOver)
{
    TfList list(Context(), nullptr);
    auto *rows = Field<TvqUpDownEdit>(list, "txtRows");
    auto *grid = Field<QTableWidget>(list, "grdList");
    rows->stepBy(2);
    ASSERT_EQ(grid->rowCount(), 3);
    grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("a")));
    grid->setItem(2, 0, new QTableWidgetItem(QStringLiteral("c")));
    EXPECT_EQ(list.StartText(), QStringLiteral("<OL>\r\n\t<LI>a\r\n\t<LI>\r\n\t<LI>c\r\n</OL>"));
    EXPECT_EQ(list.EndText(), QString());

    SetLowerCaseTags(true);
    Field<QRadioButton>(list, "optUnordered")->setChecked(true);
    QTest::mouseClick(Field<QWidget>(list, "btnClear"), Qt::LeftButton);
    EXPECT_EQ(rows->Text(), QStringLiteral("1"));
    EXPECT_EQ(list.StartText(), QStringLiteral("<ul>\r\n\t<li>\r\n</ul>"));
}

TEST_F(TagDialogs, MetaFormAndParagraphKeepUnknownAttributes)
{
    TfMeta meta(Context(), nullptr);
    SetText(meta, "cboEquiv", QStringLiteral("Refresh"));
    SetText(meta, "memContent", QStringLiteral("5; URL=next.html"));
    EXPECT_EQ(meta.StartText(), QStringLiteral("<META HTTP-EQUIV=\"Refresh\" CONTENT=\"5; URL=next.html\">"));
    TfMeta editMeta(Context(), nullptr);
    editMeta.ReadTag(QStringLiteral("<meta name=\"keywords\" lang=\"en\" content=\"a\">"));
    SetText(editMeta, "memContent", QStringLiteral("a, b"));
    EXPECT_EQ(editMeta.StartText(), QStringLiteral("<meta name=\"keywords\" lang=\"en\" content=\"a, b\">"));

    TfForm form(Context(), nullptr);
    SetText(form, "txtAction", QStringLiteral("/cgi-bin/send"));
    SetText(form, "cboMethod", QStringLiteral("POST"));
    EXPECT_EQ(form.StartText(), QStringLiteral("<FORM ACTION=\"/cgi-bin/send\" METHOD=\"POST\">"));
    EXPECT_EQ(form.EndText(), QStringLiteral("</FORM>"));
    TfForm editForm(Context(), nullptr);
    editForm.ReadTag(QStringLiteral("<FORM NAME=\"f\" METHOD=GET>"));
    SetText(editForm, "cboMethod", QString());
    EXPECT_EQ(editForm.StartText(), QStringLiteral("<FORM NAME=\"f\">"));
    EXPECT_EQ(editForm.EndText(), QString());

    TfParagraph paragraph(Context(), nullptr);
    paragraph.ReadTag(QStringLiteral("<P CLASS=\"x\">"));
    SetText(paragraph, "cboAlign", QStringLiteral("CENTER"));
    EXPECT_EQ(paragraph.StartText(), QStringLiteral("<P CLASS=\"x\" ALIGN=\"CENTER\">"));
}

TEST_F(TagDialogs, MailToRemembersTheAddress)
{
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("EMailAddress"), QStringLiteral("old@example.com"));
    TfMailTo mail(Context(), nullptr);
    EXPECT_EQ(Field<QLineEdit>(mail, "txtMailTo")->text(), QStringLiteral("old@example.com"));
    SetText(mail, "txtMailTo", QStringLiteral("me@example.com"));
    mail.accept();
    EXPECT_EQ(mail.StartText(), QStringLiteral("<A HREF=\"mailto:me@example.com\">"));
    EXPECT_EQ(mail.EndText(), QStringLiteral("</A>"));
    EXPECT_EQ(ReadRegValue(RegistryKeys::Velicort, QStringLiteral("EMailAddress"), QString()),
              QStringLiteral("me@example.com"));
}

} // namespace
