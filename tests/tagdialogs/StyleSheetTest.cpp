// SPDX-License-Identifier: GPL-3.0-or-later
// Style declarations and their wrappings, the saved styles file, and the
// style editor's fields, saved styles and save question.

#include "SavedStyles.h"
#include "StyleObject.h"
#include "TfStyleSheet.h"
#include "TfStyleTagSelect.h"

#include "ScriptedMessageService.h"
#include "TagText.h"
#include "TvqColorCombo.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TStyleObject Style(std::initializer_list<std::pair<TStyleSlot, const char *>> fields)
{
    TStyleObject style;
    for (const auto &[slot, text] : fields)
        style.Slots[slot] = QString::fromUtf8(text);
    return style;
}

class StyleSheet : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { SetLowerCaseTags(false); }

    QString StylesPath() const { return m_dir.filePath(QStringLiteral("styles.dat")); }

    template <typename Widget> static Widget *Field(const QWidget &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    static void Click(const QWidget &dialog, const char *name) { Field<QPushButton>(dialog, name)->click(); }
    static QStringList Items(const QComboBox *combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }

    QTemporaryDir m_dir;
};

TEST_F(StyleSheet, DeclarationsTakeOnlyTheFieldsThatAreSet)
{
    EXPECT_EQ(StyleDeclarations(Style({{ssFontSize, "12"}, {ssFontSizeUnit, "px"}}), false),
              QStringLiteral("font-size: 12px"));
    EXPECT_EQ(StyleDeclarations(Style({{ssFontSizeUnit, "pt"}, {ssLeadingUnit, "pt"}}), false), QString());
    EXPECT_EQ(StyleDeclarations(Style({{ssBackground, "#00FF80"}}), false), QStringLiteral("background: #00FF80"));
    const TStyleObject all = Style({{ssFontSize, "1"},
                                    {ssFontSizeUnit, "in"},
                                    {ssFontFamily, "Serif"},
                                    {ssFontWeight, "bold"},
                                    {ssFontStyle, "italic"},
                                    {ssLeading, "2"},
                                    {ssLeadingUnit, "cm"},
                                    {ssDecoration, "none"},
                                    {ssTextAlign, "right"},
                                    {ssTextIndent, "-3"},
                                    {ssTextIndentUnit, "pt"},
                                    {ssLeftMargin, "4"},
                                    {ssLeftMarginUnit, "px"},
                                    {ssRightMargin, ".5"},
                                    {ssRightMarginUnit, "in"},
                                    {ssColor, "Red"},
                                    {ssBackground, "Aqua"}});
    EXPECT_EQ(StyleDeclarations(all, false),
              QStringLiteral("font-size: 1in; font-family: Serif; font-weight: bold; font-style: italic; "
                             "line-height: 2cm; text-decoration: none; text-align: right; text-indent: -3pt; "
                             "margin-left: 4px; margin-right: .5in; color: Red; background: Aqua"));
}

TEST_F(StyleSheet, TheFourWrappings)
{
    const TStyleObject style = Style({{ssFontSize, "14"},
                                      {ssFontSizeUnit, "pt"},
                                      {ssFontFamily, "Arial"},
                                      {ssFontWeight, "bold"},
                                      {ssColor, "Red"}});
    const QString d = QStringLiteral("font-size: 14pt; font-family: Arial; font-weight: bold; color: Red");
    EXPECT_EQ(StyleWrap(style, swStyleBlock),
              std::pair(QStringLiteral("<STYLE TYPE=\"text/css\">\r\n<!--\r\n\t{ ") + d + QStringLiteral(" }"),
                        QStringLiteral("\r\n-->\r\n</STYLE>\r\n")));
    EXPECT_EQ(StyleWrap(style, swSpan), std::pair(QStringLiteral("<SPAN STYLE=\"") + d + QStringLiteral("\">"),
                                                  QStringLiteral("\r\n</SPAN>\r\n")));
    EXPECT_EQ(StyleWrap(style, swStyleAttribute), std::pair(QStringLiteral("STYLE=\"") + d + u'"', QString()));
    EXPECT_EQ(StyleWrap(Style({{ssColor, "Red"}}), swRuleBody), std::pair(QStringLiteral("{color: Red }"), QString()));

    SetLowerCaseTags(true);
    EXPECT_EQ(StyleWrap(style, swStyleBlock).first.left(23), QStringLiteral("<style type=\"text/css\">"));
    EXPECT_EQ(StyleWrap(style, swSpan).second, QStringLiteral("\r\n</span>\r\n"));
}

TEST_F(StyleSheet, AFamilyWithABlankIsSingleQuotedOnlyInsideTheAttribute)
{
    const TStyleObject style = Style({{ssFontFamily, "Times New Roman"}});
    EXPECT_EQ(StyleWrap(style, swStyleAttribute).first, QStringLiteral("STYLE=\"font-family: 'Times New Roman'\""));
    EXPECT_EQ(StyleWrap(style, swSpan).first, QStringLiteral("<SPAN STYLE=\"font-family: Times New Roman\">"));
    EXPECT_EQ(StyleWrap(style, swRuleBody).first, QStringLiteral("{font-family: Times New Roman }"));
    EXPECT_EQ(StyleWrap(Style({{ssFontFamily, "Arial"}}), swStyleAttribute).first,
              QStringLiteral("STYLE=\"font-family: Arial\""));
}

TEST_F(StyleSheet, RecordsHaveFixedSlotsAndCutLongTexts)
{
    TStyleObject style = Style({{ssName, "Head"}, {ssColor, "Red"}});
    style.Slots[ssFontFamily] = QString(300, u'x');
    style.Slots[ssBackground] = QString(200, u'é'); // two bytes each in UTF-8
    const QByteArray record = style.ToRecord();
    ASSERT_EQ(record.size(), 7680);
    EXPECT_EQ(record.left(5), QByteArray("\x04Head"));
    EXPECT_EQ(quint8(record[256]), 255);
    EXPECT_EQ(record.mid(8 * 256, 4), QByteArray("\x03Red"));
    EXPECT_EQ(quint8(record[17 * 256]), 254);
    EXPECT_EQ(record.mid(18 * 256), QByteArray(12 * 256, '\0'));
    const TStyleObject back = TStyleObject::FromRecord(record);
    EXPECT_EQ(back.Name(), QStringLiteral("Head"));
    EXPECT_EQ(back.Slots[ssFontFamily], QString(255, u'x'));
    EXPECT_EQ(back.Slots[ssBackground], QString(127, u'é'));
    EXPECT_EQ(back.Slots[ssColor], QStringLiteral("Red"));
}

TEST_F(StyleSheet, SavedStylesReplaceANameInAnyCaseAndSurviveARestart)
{
    EXPECT_TRUE(TSavedStyles(StylesPath()).Styles().empty()) << "a missing file has no styles";
    TSavedStyles styles(StylesPath());
    styles.Put(Style({{ssName, "body"}, {ssColor, "Red"}}));
    styles.Put(Style({{ssName, "Alpha"}}));
    styles.Put(Style({{ssName, "BODY"}, {ssColor, "Blue"}}));
    EXPECT_EQ(styles.SortedNames(), (QStringList{"Alpha", "BODY"}));
    EXPECT_EQ(styles.Find(QStringLiteral("Body"))->Slots[ssColor], QStringLiteral("Blue"));
    const TSavedStyles::TWriteResult first = styles.Write();
    EXPECT_TRUE(first.written);
    EXPECT_TRUE(first.backedUp);
    EXPECT_FALSE(QFile::exists(StylesPath() + QStringLiteral(".bak"))) << "nothing to back up yet";
    EXPECT_EQ(QFileInfo(StylesPath()).size(), 2 * 7680);

    const TSavedStyles read(StylesPath());
    ASSERT_EQ(read.Styles().size(), 2u);
    EXPECT_EQ(read.Styles()[0].Name(), QStringLiteral("Alpha")) << "file order is list order";
    EXPECT_EQ(read.Styles()[1].Slots[ssColor], QStringLiteral("Blue"));

    styles.Remove(QStringLiteral("alpha"));
    EXPECT_TRUE(styles.Write().written);
    EXPECT_EQ(QFileInfo(StylesPath() + QStringLiteral(".bak")).size(), 2 * 7680);
    EXPECT_EQ(QFileInfo(StylesPath()).size(), 7680);
}

TEST_F(StyleSheet, AFailedBackupAndWriteAreReportedAndTheListKeepsTheStyle)
{
    // A folder where the file should be can be neither copied nor replaced.
    ASSERT_TRUE(QDir().mkpath(StylesPath()));
    TSavedStyles styles(StylesPath());
    TfStyleSheet editor(styles, false, nullptr);
    Field<QComboBox>(editor, "cboFontStyle")->setEditText(QStringLiteral("italic"));
    Scripted().inputs = {QStringLiteral("slanted")};
    Click(editor, "btnSave");
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Unable to backup style data file."));
    EXPECT_EQ(Scripted().messages[1].text,
              QStringLiteral("An I/O error occurred while saving this style.  Operation cancelled."));
    EXPECT_EQ(Scripted().messages[1].kind, TMsgKind::Error);
    EXPECT_EQ(styles.SortedNames(), QStringList{"slanted"});
    EXPECT_TRUE(editor.Modified()) << "the style was not saved";
}

TEST_F(StyleSheet, EditorStartsClearAndBuildsFromItsFields)
{
    TSavedStyles styles(StylesPath());
    TfStyleSheet editor(styles, false, nullptr);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Style"));
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(Field<QComboBox>(editor, "cboFontSizeAttr")->currentText(), QStringLiteral("pt"));
    EXPECT_EQ(Items(Field<QComboBox>(editor, "cboRightMarginAttr")), (QStringList{"pt", "in", "cm", "px"}));
    EXPECT_EQ(Field<QComboBox>(editor, "cboFontFamily")->currentText(), QString());
    QTest::keyClicks(Field<QLineEdit>(editor, "txtFontSize"), QStringLiteral("1x2"));
    Field<QComboBox>(editor, "cboFontSizeAttr")->setCurrentText(QStringLiteral("px"));
    Field<TvqColorCombo>(editor, "vqColorBG")->SetColorText(QStringLiteral("#ff0000"));
    Field<QComboBox>(editor, "cboTextDecoration")->setEditText(QStringLiteral("underline"));
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(StyleDeclarations(editor.FieldsStyle(), false),
              QStringLiteral("font-size: 12px; text-decoration: underline; background: Red"));
    const QFont sample = Field<QLabel>(editor, "pnlSample")->font();
    EXPECT_EQ(sample.pointSize(), 12);
    EXPECT_TRUE(sample.underline());
    EXPECT_EQ(Field<QLabel>(editor, "pnlSample")->palette().color(QPalette::Window), QColor(Qt::red));

    // "Insert" asks for the wrapping; the save question comes after it.
    WhenShown<TfStyleTagSelect>([](TfStyleTagSelect *chooser) {
        chooser->findChild<QRadioButton *>(QStringLiteral("optStyleTag3"))->setChecked(true);
        chooser->accept();
    });
    Scripted().answers = {TMsgResult::No};
    QTimer::singleShot(0, &editor, [&editor] { Click(editor, "btnInsert"); });
    EXPECT_EQ(editor.exec(), QDialog::Accepted);
    EXPECT_EQ(Scripted().messages.at(0).text, QStringLiteral("Save changes to style \"[Untitled]\"?"));
    EXPECT_EQ(editor.StartText(), QStringLiteral("{font-size: 12px; text-decoration: underline; background: Red }"));
    EXPECT_TRUE(editor.EndText().isEmpty());
}

TEST_F(StyleSheet, CloseQuestionUnansweredKeepsTheEditorOpenOnce)
{
    TSavedStyles styles(StylesPath());
    TfStyleSheet editor(styles, false, nullptr);
    editor.show();
    Field<QLineEdit>(editor, "txtFontLeading")->setText(QStringLiteral("3"));
    Scripted().answers = {TMsgResult::Cancel};
    Click(editor, "btnClose");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_FALSE(editor.Modified());
    Click(editor, "btnClose");
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(Scripted().messages.size(), 1) << "the second close does not ask again";
    EXPECT_EQ(editor.result(), QDialog::Rejected);
}

TEST_F(StyleSheet, YesSavesUnderANameAndTheListStaysSorted)
{
    TSavedStyles styles(StylesPath());
    styles.Put(Style({{ssName, "zeta"}}));
    styles.Put(Style({{ssName, "Head"}, {ssColor, "Red"}}));
    TfStyleSheet editor(styles, false, nullptr);
    auto *saved = Field<QComboBox>(editor, "cboSavedStyles");
    EXPECT_EQ(Items(saved), (QStringList{"Head", "zeta"}));
    EXPECT_EQ(saved->currentIndex(), -1);

    // Picking a style loads it.
    saved->setCurrentIndex(0);
    EXPECT_EQ(Field<TvqColorCombo>(editor, "vqColor")->ColorText(), QStringLiteral("Red"));
    EXPECT_FALSE(editor.Modified());
    Field<QComboBox>(editor, "cboFontWeight")->setEditText(QStringLiteral("bold"));

    // Closing: Yes, then an empty name asks again, then a name in another
    // case replaces the style.
    Scripted().answers = {TMsgResult::Yes};
    Scripted().inputs = {QString(), QStringLiteral("HEAD")};
    editor.show();
    Click(editor, "btnClose");
    EXPECT_FALSE(editor.isVisible());
    ASSERT_EQ(Scripted().inputQueries.size(), 2);
    EXPECT_EQ(Scripted().inputQueries[0].caption, QStringLiteral("Save"));
    EXPECT_EQ(Scripted().inputQueries[0].prompt, QStringLiteral("Style Name:"));
    EXPECT_EQ(Scripted().inputQueries[0].value, QStringLiteral("Head"));
    EXPECT_EQ(Scripted().messages.at(0).text, QStringLiteral("Save changes to style \"Head\"?"));
    EXPECT_EQ(Items(saved), (QStringList{"HEAD", "zeta"}));
    EXPECT_EQ(saved->currentText(), QStringLiteral("HEAD"));

    const TSavedStyles read(StylesPath());
    ASSERT_EQ(read.Styles().size(), 2u);
    EXPECT_EQ(read.Styles()[1].Name(), QStringLiteral("HEAD")) << "the new style goes last";
    EXPECT_EQ(StyleDeclarations(read.Styles()[1], false), QStringLiteral("font-weight: bold; color: Red"));
}

TEST_F(StyleSheet, NewClearAndDeleteAskFirst)
{
    TSavedStyles styles(StylesPath());
    styles.Put(Style({{ssName, "a"}, {ssColor, "Red"}}));
    styles.Put(Style({{ssName, "b"}, {ssColor, "Blue"}}));
    TfStyleSheet editor(styles, false, nullptr);
    auto *saved = Field<QComboBox>(editor, "cboSavedStyles");
    saved->setCurrentIndex(0);
    Field<QLineEdit>(editor, "txtTextIndent")->setText(QStringLiteral("2"));

    // Cancelled: nothing is cleared.
    Scripted().answers = {TMsgResult::Cancel};
    Click(editor, "btnClear");
    EXPECT_EQ(Field<QLineEdit>(editor, "txtTextIndent")->text(), QStringLiteral("2"));
    // Not modified any more: "New" clears without asking.
    Click(editor, "btnNew");
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(saved->currentIndex(), -1);
    EXPECT_TRUE(Field<QLineEdit>(editor, "txtTextIndent")->text().isEmpty());
    EXPECT_TRUE(Field<TvqColorCombo>(editor, "vqColor")->ColorText().isEmpty());

    // Delete asks, rewrites the file and loads the last style left.
    saved->setCurrentIndex(0);
    Scripted().answers = {TMsgResult::No};
    Click(editor, "btnDelete");
    EXPECT_EQ(saved->count(), 2);
    Scripted().answers = {TMsgResult::Yes};
    Click(editor, "btnDelete");
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("Delete selected style?"));
    EXPECT_EQ(Items(saved), QStringList{"b"});
    EXPECT_EQ(saved->currentIndex(), 0);
    EXPECT_EQ(Field<TvqColorCombo>(editor, "vqColor")->ColorText(), QStringLiteral("Blue"));
    EXPECT_EQ(TSavedStyles(StylesPath()).SortedNames(), QStringList{"b"});
}

} // namespace
