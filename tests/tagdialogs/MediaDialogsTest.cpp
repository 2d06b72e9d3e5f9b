// SPDX-License-Identifier: GPL-3.0-or-later
// The multimedia, applet, form element, ActiveX and quick start dialogs:
// whole texts in both tag cases, and the tags they read back.

#include "TagDialogTest.h"
#include "TfActiveX.h"
#include "TfApplet.h"
#include "TfFormElement.h"
#include "TfMarquee.h"
#include "TfMultimedia.h"
#include "TfQuickStart.h"

#include "RegistryKeys.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TestFiles.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The user's copy of the control list, its folder made.
QString UserControlList()
{
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    folder.mkpath(QStringLiteral("."));
    return folder.filePath(QStringLiteral("ActiveX.dat"));
}

using MediaDialogs = TagDialogTest;

TEST_F(MediaDialogs, NewAppletWithOnlyItsCode)
{
    TfApplet applet(Context(), nullptr);
    Field<QLineEdit>(applet, "txtCode")->setText(QStringLiteral("a.class"));
    EXPECT_EQ(applet.StartText(), QStringLiteral("<APPLET CODE=\"a.class\">"));
    EXPECT_EQ(applet.EndText(), QStringLiteral("\r\n\r\n</APPLET>"));
    SetLowerCaseTags(true);
    Field<QLineEdit>(applet, "txtWidth")->setText(QStringLiteral("50%"));
    Field<QComboBox>(applet, "cboAlign")->setCurrentText(QStringLiteral("LEFT"));
    EXPECT_EQ(applet.StartText(), QStringLiteral("<applet code=\"a.class\" align=\"LEFT\" width=50%>"));
    EXPECT_EQ(applet.EndText(), QStringLiteral("\r\n\r\n</applet>"));

    TfApplet edited(Context(), nullptr);
    edited.ReadTag(QStringLiteral("<APPLET CODE=\"b.class\" WIDTH=10 HEIGHT=\"20\" MAYSCRIPT>"));
    EXPECT_EQ(Field<QLineEdit>(edited, "txtHeight")->text(), QStringLiteral("20"));
    Field<QLineEdit>(edited, "txtName")->setText(QStringLiteral("n"));
    EXPECT_EQ(edited.StartText(), QStringLiteral("<APPLET CODE=\"b.class\" WIDTH=10 HEIGHT=20 MAYSCRIPT name=\"n\">"));
    EXPECT_TRUE(edited.EndText().isEmpty());
}

TEST_F(MediaDialogs, ParameterNamesKeepTheTwentyFirstInOrder)
{
    QStringList names;
    for (int i = 1; i <= 20; ++i)
        names.append(QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(AddParamName(names, QStringLiteral("P05")), names) << "known in any case";
    EXPECT_EQ(AddParamName(names, QString()), names);
    const QStringList added = AddParamName(names, QStringLiteral("a"));
    ASSERT_EQ(added.size(), 20);
    EXPECT_EQ(added.first(), QStringLiteral("a"));
    EXPECT_EQ(added.last(), QStringLiteral("p19")) << "p20 made room";
    EXPECT_EQ(AddParamName(names, QStringLiteral("zz")).last(), QStringLiteral("zz"));

    WriteParamNames(names);
    TfParameter dialog(Context(), nullptr);
    EXPECT_EQ(Field<QComboBox>(dialog, "cboName")->count(), 20);
    Field<QComboBox>(dialog, "cboName")->setEditText(QStringLiteral("Movie"));
    Field<QLineEdit>(dialog, "txtValue")->setText(QStringLiteral("a \"b\".swf"));
    dialog.accept();
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<PARAM NAME=\"Movie\" VALUE=\"a &quot;b&quot;.swf\">"));
    const QStringList stored = ReadParamNames();
    EXPECT_EQ(stored.size(), 20);
    EXPECT_TRUE(stored.contains(QStringLiteral("Movie")));
    EXPECT_FALSE(stored.contains(QStringLiteral("p20")));
    EXPECT_EQ(
        ReadRegValue(RegistryKeys::Velicort + QStringLiteral("\\ParamNames"), QStringLiteral("ParamName1"), QString()),
        QStringLiteral("Movie"));

    TfParameter edited(Context(), nullptr);
    edited.ReadTag(QStringLiteral("<param name=\"q\" value=\"1\">"));
    Field<QLineEdit>(edited, "txtValue")->clear();
    EXPECT_EQ(edited.StartText(), QStringLiteral("<param name=\"q\">"));
}

TEST_F(MediaDialogs, MarqueeExampleLoopAndQuoting)
{
    TfMarquee marquee(Context(), nullptr);
    Field<QLineEdit>(marquee, "txtScrollingText")->setText(QStringLiteral("Hello"));
    EXPECT_EQ(marquee.StartText(), QStringLiteral("<MARQUEE HSPACE=0 VSPACE=0 LOOP=INFINITE>Hello"));
    EXPECT_EQ(marquee.EndText(), QStringLiteral("</MARQUEE>"));

    auto *loop = Field<QLineEdit>(marquee, "txtLoop");
    EXPECT_FALSE(loop->isEnabled());
    Field<QCheckBox>(marquee, "chkInfinite")->setChecked(false);
    EXPECT_TRUE(loop->isEnabled());
    loop->setText(QStringLiteral("3"));
    Field<QComboBox>(marquee, "cboBehavior")->setCurrentText(QStringLiteral("Slide"));
    Field<QComboBox>(marquee, "cboDirection")->setCurrentText(QStringLiteral("Right"));
    Field<QComboBox>(marquee, "cboWidth")->setCurrentText(QStringLiteral("50%"));
    Field<TvqColorCombo>(marquee, "vqColorCombo")->SetColorText(QStringLiteral("Yellow"));
    SetLowerCaseTags(true);
    EXPECT_EQ(marquee.StartText(), QStringLiteral("<marquee width=\"50%\" bgcolor=\"Yellow\" behavior=Slide "
                                                  "direction=\"Right\" hspace=0 vspace=0 loop=3>Hello"));
    EXPECT_EQ(marquee.EndText(), QStringLiteral("</marquee>"));
}

TEST_F(MediaDialogs, MarqueeReadsBothInfiniteLoopsAndHidesItsText)
{
    TfMarquee quoted(Context(), nullptr);
    quoted.ReadTag(QStringLiteral("<MARQUEE loop=\"infinite\" BEHAVIOR=Alternate>"));
    EXPECT_TRUE(Field<QCheckBox>(quoted, "chkInfinite")->isChecked());
    EXPECT_TRUE(Field<QLineEdit>(quoted, "txtScrollingText")->isHidden());
    EXPECT_EQ(quoted.StartText().toStdString(), "<MARQUEE loop=INFINITE BEHAVIOR=Alternate>");
    EXPECT_TRUE(quoted.EndText().isEmpty());

    TfMarquee counted(Context(), nullptr);
    counted.ReadTag(QStringLiteral("<MARQUEE LOOP=4 HSPACE=2>"));
    EXPECT_FALSE(Field<QCheckBox>(counted, "chkInfinite")->isChecked());
    EXPECT_EQ(Field<QLineEdit>(counted, "txtLoop")->text(), QStringLiteral("4"));
    Field<QComboBox>(counted, "cboBehavior")->setEditText(QStringLiteral("a b"));
    EXPECT_EQ(counted.StartText().toStdString(), "<MARQUEE LOOP=4 HSPACE=2 BEHAVIOR=\"a b\">");
}

TEST_F(MediaDialogs, BackgroundSoundAndEmbedFromAFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString tune = QDir(folder).filePath(QStringLiteral("Sounds/Tune.WAV"));
    EXPECT_EQ(TagForFile<TfBGSound>({folder, true, false, nullptr}, tune),
              QStringLiteral("<BGSOUND SRC=\"sounds/tune.wav\" LOOP=INFINITE>"));
    SetLowerCaseTags(true);
    EXPECT_EQ(TagForFile<TfEmbed>({folder, false, false, nullptr}, tune),
              QStringLiteral("<embed src=\"Sounds/Tune.WAV\" border=0>"));
    SetLowerCaseTags(false);

    TfBGSound sound({folder, false, false, nullptr}, nullptr);
    Scripted().fileNames = {tune};
    Field<QToolButton>(sound, "btnBrowse")->click();
    auto *loop = Field<TvqUpDownEdit>(sound, "txtLoop");
    loop->stepBy(2);
    EXPECT_FALSE(Field<QCheckBox>(sound, "chkInfinite")->isChecked()) << "stepping the loop means a count";
    EXPECT_EQ(sound.StartText(), QStringLiteral("<BGSOUND SRC=\"Sounds/Tune.WAV\" LOOP=2>"));
    EXPECT_EQ(
        Scripted().fileDialogFilters.value(0),
        QStringLiteral("WAV Files (*.WAV *.wav);;MIDI Files (*.MID* *.mid*);;AU Files (*.AU *.au);;All Files (*)"));

    TfBGSound edited(Context(), nullptr);
    edited.ReadTag(QStringLiteral("<BGSOUND SRC=a.mid LOOP=5 VOLUME=-100>"));
    EXPECT_FALSE(Field<QCheckBox>(edited, "chkInfinite")->isChecked());
    EXPECT_EQ(edited.StartText(), QStringLiteral("<BGSOUND SRC=\"a.mid\" LOOP=5 VOLUME=-100>"));

    TfEmbed embed(Context(), nullptr);
    embed.ReadTag(QStringLiteral("<EMBED SRC=\"v.mov\" WIDTH=\"320\" AUTOSTART=true>"));
    Field<QLineEdit>(embed, "txtHeight")->setText(QStringLiteral("240"));
    Field<QComboBox>(embed, "cboAlign")->setCurrentText(QStringLiteral("ABSMIDDLE"));
    EXPECT_EQ(embed.StartText(),
              QStringLiteral("<EMBED SRC=\"v.mov\" WIDTH=320 AUTOSTART=true HEIGHT=240 ALIGN=\"ABSMIDDLE\">"));
}

TEST_F(MediaDialogs, FormElementsOfEveryKind)
{
    TfFormElement text(Context(), feText, nullptr);
    Field<QLineEdit>(text, "txtName")->setText(QStringLiteral("q"));
    Field<TvqUpDownEdit>(text, "txtVal1")->SetText(QStringLiteral("20"));
    EXPECT_EQ(text.StartText(), QStringLiteral("<INPUT TYPE=\"TEXT\" NAME=\"q\" SIZE=20 MAXLENGTH=0>\r\n"));
    EXPECT_TRUE(text.EndText().isEmpty());

    // Choosing a kind empties the fields and shows those it has.
    auto *kind = Field<QComboBox>(text, "cboElement");
    kind->setCurrentIndex(feSelect);
    EXPECT_TRUE(Field<QLineEdit>(text, "txtName")->text().isEmpty());
    EXPECT_TRUE(Field<QLineEdit>(text, "txtValue")->isHidden());
    EXPECT_TRUE(Field<TvqUpDownEdit>(text, "txtVal2")->isHidden());
    Field<QLineEdit>(text, "txtName")->setText(QStringLiteral("s"));
    Field<TvqUpDownEdit>(text, "txtVal1")->SetText(QStringLiteral("2"));
    EXPECT_EQ(text.StartText(), QStringLiteral("<SELECT NAME=\"s\">\r\n\t<OPTION>\r\n\t<OPTION>\r\n"));
    EXPECT_EQ(text.EndText(), QStringLiteral("\r\n</SELECT>"));

    SetLowerCaseTags(true);
    kind->setCurrentIndex(feTextArea);
    EXPECT_FALSE(Field<TvqUpDownEdit>(text, "txtVal2")->isHidden());
    Field<QLineEdit>(text, "txtName")->setText(QStringLiteral("t"));
    Field<TvqUpDownEdit>(text, "txtVal1")->SetText(QStringLiteral("4"));
    Field<TvqUpDownEdit>(text, "txtVal2")->SetText(QStringLiteral("40"));
    EXPECT_EQ(text.StartText(), QStringLiteral("<textarea name=\"t\" rows=4 cols=40>\r\n"));
    EXPECT_EQ(text.EndText(), QStringLiteral("</textarea>"));

    const std::pair<TFormElementKind, const char *> inputs[] = {
        {feHidden, "hidden"}, {feCheckbox, "checkbox"}, {feRadio, "radio"}, {feSubmit, "submit"}, {feReset, "reset"}};
    for (const auto &[inputKind, type] : inputs) {
        TfFormElement input(Context(), inputKind, nullptr);
        Field<QLineEdit>(input, "txtName")->setText(QStringLiteral("n"));
        Field<QLineEdit>(input, "txtValue")->setText(QStringLiteral("say \"go\""));
        EXPECT_EQ(
            input.StartText(),
            QStringLiteral("<input type=\"%1\" name=\"n\" value=\"say &quot;go&quot;\">\r\n").arg(QLatin1String(type)));
        EXPECT_TRUE(input.EndText().isEmpty());
        EXPECT_TRUE(Field<TvqUpDownEdit>(input, "txtVal1")->isHidden());
    }
}

TEST_F(MediaDialogs, ActiveXControlsComeFromTheControlList)
{
    QTemporaryDir dir;
    const QString list = QDir(dir.path()).filePath(QStringLiteral("ActiveX.dat"));
    WriteTestFile(list, "Zeta|1111-22|Zeta.Ctl\r\nAlpha Control|ABCD-EF|\r\nbroken line\r\n");
    const QList<TControlInfo> controls = ReadControlList(list);
    ASSERT_EQ(controls.size(), 2);
    EXPECT_EQ(controls.at(0).name, QStringLiteral("Alpha Control"));
    EXPECT_TRUE(controls.at(0).progID.isEmpty());
    EXPECT_TRUE(ReadControlList(QDir(dir.path()).filePath(QStringLiteral("none.dat"))).isEmpty());

    // The user's copy stands in for the shipped list.
    const QString user = UserControlList();
    WriteTestFile(user, "Alpha Control|ABCD-EF|\r\n");
    TfActiveX dialog(Context(), nullptr);
    QFile::remove(user);
    EXPECT_EQ(Field<QListWidget>(dialog, "lstControls")->currentItem()->text(), QStringLiteral("Alpha Control"));
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<OBJECT \r\n\tID=\"Alpha Control\"\r\n\tCLASSID=\"CLSID:ABCD-EF\"\r\n"
                                                 "\tWIDTH=80\r\n\tHEIGHT=30>\r\n"));
    EXPECT_EQ(dialog.EndText(), QStringLiteral("\r\n</OBJECT>\r\n"));
    SetLowerCaseTags(true);
    Field<QRadioButton>(dialog, "optProgID")->setChecked(true);
    Field<QRadioButton>(dialog, "optInsert")->setChecked(true);
    Field<TvqUpDownEdit>(dialog, "txtHeight")->SetText(QString());
    Field<QComboBox>(dialog, "cboCodeBase")->setEditText(QStringLiteral("http://x/a.cab"));
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<insert \r\n\tID=\"Alpha Control\"\r\n\tclassid=\"progid:\"\r\n"
                                                 "\twidth=80\r\n\tcodebase=\"http://x/a.cab\">\r\n"));
    EXPECT_EQ(dialog.EndText(), QStringLiteral("\r\n</insert>\r\n"));
}

TEST_F(MediaDialogs, ActiveXWithoutControlsStillInsertsAnObject)
{
    const QString user = UserControlList();
    WriteTestFile(user, "");
    TfActiveX dialog(Context(), nullptr);
    QFile::remove(user);
    EXPECT_EQ(Field<QListWidget>(dialog, "lstControls")->count(), 0);
    EXPECT_TRUE(Scripted().messages.isEmpty());
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<OBJECT \r\n\tWIDTH=80\r\n\tHEIGHT=30>\r\n"));
    // The shipped list holds a few well-known controls.
    EXPECT_GE(ReadControlList(ControlListPath()).size(), 3);
}

TEST_F(MediaDialogs, QuickStartWritesTheSkeletonWithTheBodyDialogsTag)
{
    TfQuickStart start(Context(), nullptr);
    // Cancelling the body dialog keeps the quick start open; OK takes its tag.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    start.accept();
    EXPECT_EQ(start.result(), QDialog::Rejected);
    QTimer::singleShot(0, [] {
        auto *body = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        body->findChild<TvqColorCombo *>(QStringLiteral("vqColorBG"))->SetColorText(QStringLiteral("White"));
        body->accept();
    });
    start.accept();
    EXPECT_EQ(start.result(), QDialog::Accepted);
    EXPECT_EQ(start.StartText(),
              QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n<HTML>\r\n<HEAD>"
                             "\r\n\t<TITLE>Untitled</TITLE>\r\n</HEAD>\r\n\r\n<BODY BGCOLOR=\"White\">\r\n"));
    EXPECT_EQ(start.EndText(), QStringLiteral("\r\n\r\n\r\n</BODY>\r\n</HTML>\r\n"));

    SetLowerCaseTags(true);
    TfQuickStart bare(Context(), nullptr);
    Field<QCheckBox>(bare, "chkBody")->setChecked(false);
    Field<QComboBox>(bare, "cboDocType")->setEditText(QString());
    Field<QLineEdit>(bare, "txtTitle")->setText(QStringLiteral("a </title> b"));
    bare.accept();
    EXPECT_EQ(bare.result(), QDialog::Accepted);
    EXPECT_EQ(bare.StartText(), QStringLiteral("<html>\r\n<head>\r\n\t<title>a &lt;/title> b</title>\r\n</head>\r\n"));
    EXPECT_EQ(bare.EndText(), QStringLiteral("\r\n\r\n\r\n</html>\r\n"));
}

} // namespace
