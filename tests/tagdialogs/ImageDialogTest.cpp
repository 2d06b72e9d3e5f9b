// SPDX-License-Identifier: GPL-3.0-or-later
// The image dialog: sizes measured from real files, the tag it reads and
// writes, and the commands that open it.

#include "ImageFileSize.h"
#include "TfImg.h"

#include "LongRun.h"
#include "RegistryKeys.h"
#include "SampleImages.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TPMultiImage.h"
#include "TTagDialogCommands.h"
#include "TagText.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class ImageDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        QDir(m_dir.path()).mkpath(QStringLiteral("img"));
    }
    void TearDown() override { SetLowerCaseTags(false); }

    QString Path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    TTagDialogContext Context(bool lowerCaseFiles = false) const
    {
        return {m_dir.path(), lowerCaseFiles, false, nullptr};
    }

    static QLineEdit *Line(const QWidget &dialog, const char *name)
    {
        auto *line = dialog.findChild<QLineEdit *>(QLatin1String(name));
        EXPECT_TRUE(line) << name;
        return line;
    }
    static QCheckBox *Check(const QWidget &dialog, const char *name)
    {
        return dialog.findChild<QCheckBox *>(QLatin1String(name));
    }

    QTemporaryDir m_dir;
};

std::optional<QSize> HeaderSize(std::optional<QSize> (*reader)(QIODevice &), const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return reader(buffer);
}

TEST_F(ImageDialog, SizesOfRealFilesOfEachFormatWithAndWithoutTheLibrary)
{
    for (const char *name : {"a.gif", "a.jpg", "a.JPEG", "a.png", "a.bmp"}) {
        const QString file = WriteSampleImage(Path(QLatin1String(name)), 120, 40);
        for (const bool library : {true, false})
            EXPECT_EQ(ImageFileSize(file, library), QSize(120, 40)) << name << library;
    }
    // A progressive JPEG has no baseline frame header; its size comes from
    // the library's reading of its header all the same.
    const QString progressive = WriteSampleImage(Path(QStringLiteral("p.jpg")), 64, 48, true);
    QFile file(progressive);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(JpegHeaderSize(file));
    for (const bool library : {true, false})
        EXPECT_EQ(ImageFileSize(progressive, library), QSize(64, 48)) << library;
    // Other formats only through the library.
    const QString tiff = WriteSampleImage(Path(QStringLiteral("a.tiff")), 5, 6);
    EXPECT_FALSE(ImageFileSize(tiff, false));
    EXPECT_EQ(ImageFileSize(tiff, true), QSize(5, 6));
}

TEST_F(ImageDialog, HeaderReadersFollowTheFileStructure)
{
    // 1 × 1 behind a global table of 4 colours (flag bits 1: 3 × 2^2 bytes)
    // and an extension block before the image separator.
    const QByteArray gif = QByteArray("GIF89a\x01\x00\x01\x00\x81\x00\x00", 13) + QByteArray(12, '\x2C') +
                           QByteArray("\x21\xF9\x04\x00\x00\x00\x00\x00", 8) +
                           QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02", 11);
    EXPECT_EQ(HeaderSize(GifHeaderSize, gif), QSize(1, 1));
    EXPECT_FALSE(HeaderSize(GifHeaderSize, gif.left(gif.size() - 6))) << "cut in the descriptor";
    EXPECT_FALSE(HeaderSize(GifHeaderSize, "GIF89a\x01\x00")) << "cut in the header";
    EXPECT_FALSE(
        HeaderSize(GifHeaderSize, QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00\x2C", 14) + QByteArray(10, '\0')))
        << "a width of 0";

    // A fill byte, a restart marker, an APP0 segment, then SOF1.
    const QByteArray jpeg("\xFF\xD8\xFF\xFF\xD0\xFF\xE0\x00\x04\xAA\xBB\xFF\xC1\x00\x11\x08\x00\x30\x00\x40", 20);
    EXPECT_EQ(HeaderSize(JpegHeaderSize, jpeg), QSize(64, 48));
    EXPECT_FALSE(HeaderSize(JpegHeaderSize, QByteArray("\xFF\xD8\xFF\xC2\x00\x11\x08\x00\x30\x00\x40", 11)))
        << "progressive";
    EXPECT_FALSE(HeaderSize(JpegHeaderSize, jpeg.left(17))) << "cut in the frame header";
    EXPECT_FALSE(HeaderSize(JpegHeaderSize, QByteArray("\xFF\xD8\x00", 3)));
    EXPECT_FALSE(HeaderSize(JpegHeaderSize, QByteArray("\xFF\xD8\xFF\xE0\x00\x01", 6))) << "a length below 2";
}

TEST_F(ImageDialog, DamagedAndLyingFilesGiveNoSize)
{
    const TQuietImagePlugins quiet;
    const QStringList files = {
        WriteGarbageGif(Path(QStringLiteral("garbage.gif"))),
        WriteTestFile(Path(QStringLiteral("empty.jpg")), QByteArray()),
        WriteTestFile(Path(QStringLiteral("cut.jpg")), QByteArray("\xFF\xD8\xFF\xE0\x7F\xFF", 6)),
        WriteLyingPng(Path(QStringLiteral("huge.png")), 60000, 60000),
        Path(QStringLiteral("missing.gif")),
        m_dir.path(),
    };
    for (const QString &file : files)
        for (const bool library : {true, false})
            EXPECT_FALSE(ImageFileSize(file, library)) << file.toStdString() << library;
}

TEST_F(ImageDialog, AFileFillsSourceSizeAndPreviewAndBuildsTheExample)
{
    WriteSampleImage(Path(QStringLiteral("img/logo.gif")), 120, 40);
    EXPECT_EQ(TfImg::TagForFile(Context(), Path(QStringLiteral("img/logo.gif"))),
              QStringLiteral("<IMG SRC=\"img/logo.gif\" WIDTH=120 HEIGHT=40 BORDER=0>"));

    WriteSampleImage(Path(QStringLiteral("img/Dot.GIF")), 1, 1);
    SetLowerCaseTags(true);
    TfImg dialog(Context(true), nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Image"));
    dialog.SetFile(Path(QStringLiteral("img/Dot.GIF")));
    EXPECT_EQ(Line(dialog, "txtWidth")->text(), QStringLiteral("1"));
    EXPECT_EQ(Line(dialog, "txtHeight")->text(), QStringLiteral("1"));
    EXPECT_EQ(Line(dialog, "txtSource")->text(), QStringLiteral("img/dot.gif"));
    EXPECT_TRUE(dialog.findChild<TPMultiImage *>(QStringLiteral("imgPreview"))->HasPicture());
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<img src=\"img/dot.gif\" width=1 height=1 border=0>"));

    // A file of no image kind, or with size filling off, leaves both empty.
    dialog.SetFile(WriteTestFile(Path(QStringLiteral("img/clip.avi")), "RIFF"));
    EXPECT_TRUE(Line(dialog, "txtWidth")->text().isEmpty());
    EXPECT_EQ(dialog.findChild<TPMultiImage *>(QStringLiteral("imgPreview"))->Text(),
              QStringLiteral("Preview Unavailable"));
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoFillImageSize"), false);
    TfImg manual(Context(), nullptr);
    manual.SetFile(Path(QStringLiteral("img/logo.gif")));
    EXPECT_TRUE(Line(manual, "txtWidth")->text().isEmpty());
    EXPECT_TRUE(manual.findChild<TPMultiImage *>(QStringLiteral("imgPreview"))->HasPicture());
}

TEST_F(ImageDialog, EditingKeepsTheTagsSizeAndTheFlagsOnce)
{
    WriteSampleImage(Path(QStringLiteral("img/logo.gif")), 120, 40);
    TfImg dialog(Context(), nullptr);
    dialog.ReadTag(QStringLiteral("<IMG SRC=\"img/logo.gif\" WIDTH=12 USEMAP=\"#m\" ISMAP ALIGN=left>"));
    EXPECT_EQ(Line(dialog, "txtWidth")->text(), QStringLiteral("12"));
    EXPECT_TRUE(Line(dialog, "txtHeight")->text().isEmpty());
    EXPECT_TRUE(Check(dialog, "chkIsMap")->isChecked());
    EXPECT_TRUE(dialog.findChild<TPMultiImage *>(QStringLiteral("imgPreview"))->HasPicture());
    EXPECT_EQ(dialog.StartText(),
              QStringLiteral("<IMG SRC=\"img/logo.gif\" WIDTH=12 USEMAP=\"#m\" ISMAP ALIGN=\"left\">"));
    Check(dialog, "chkIsMap")->setChecked(false);
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<IMG SRC=\"img/logo.gif\" WIDTH=12 USEMAP=\"#m\" ALIGN=\"left\">"));

    TfImg usemap(Context(), nullptr);
    usemap.ReadTag(QStringLiteral("<img src=x.gif usemap=\"#m\">"));
    EXPECT_FALSE(Check(usemap, "chkIsMap")->isChecked()) << "USEMAP is no ISMAP";
    Line(usemap, "txtUseMap")->setText(QStringLiteral("map1"));
    Check(usemap, "chkIsMap")->setChecked(true);
    usemap.accept();
    EXPECT_EQ(usemap.result(), QDialog::Accepted);
    EXPECT_EQ(Line(usemap, "txtUseMap")->text(), QStringLiteral("#map1"));
    EXPECT_EQ(usemap.StartText(), QStringLiteral("<img src=\"x.gif\" usemap=\"#map1\" ISMAP>"));
}

TEST_F(ImageDialog, QuotesAndTheEmptyAlternativeText)
{
    for (const bool lower : {false, true}) {
        SetLowerCaseTags(lower);
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoFillAltText"), true);
        TfImg dialog(Context(), nullptr);
        Line(dialog, "txtSource")->setText(QStringLiteral("a.gif"));
        const QString tag = dialog.StartText();
        EXPECT_EQ(tag, lower ? QStringLiteral("<img src=\"a.gif\" border=0 alt=\"\">")
                             : QStringLiteral("<IMG SRC=\"a.gif\" BORDER=0 ALT=\"\">"));
        Line(dialog, "txtAlt")->setText(QStringLiteral("A dot"));
        EXPECT_TRUE(
            dialog.StartText().endsWith(lower ? QStringLiteral(" alt=\"A dot\">") : QStringLiteral(" ALT=\"A dot\">")));
    }
    SetLowerCaseTags(false);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("AutoFillAltText"), false);
    TfImg dialog(Context(), nullptr);
    const std::pair<const char *, const char *> fields[] = {
        {"txtSource", "a.gif"}, {"txtWidth", "1"},      {"txtHeight", "2"}, {"txtHSpace", "3"},
        {"txtVSpace", "4"},     {"txtLowSrc", "l.gif"}, {"txtAlt", "Alt"},  {"txtUseMap", "#m"},
    };
    for (const auto &[name, text] : fields)
        Line(dialog, name)->setText(QLatin1String(text));
    dialog.findChild<TvqUpDownEdit *>(QStringLiteral("txtBorder"))->SetText(QStringLiteral("5"));
    dialog.findChild<QComboBox *>(QStringLiteral("cboAlign"))->setEditText(QStringLiteral("TOP"));
    EXPECT_EQ(dialog.StartText(), QStringLiteral("<IMG SRC=\"a.gif\" WIDTH=1 HEIGHT=2 HSPACE=3 VSPACE=4 BORDER=5 "
                                                 "ALIGN=\"TOP\" LOWSRC=\"l.gif\" ALT=\"Alt\" USEMAP=\"#m\">"));
    Line(dialog, "txtWidth")->setText(QStringLiteral("1x"));
    EXPECT_FALSE(Line(dialog, "txtWidth")->hasAcceptableInput()) << "digits only";
}

TEST_F(ImageDialog, DynamicSourceWithLoopStartAndControls)
{
    for (const bool lower : {false, true}) {
        SetLowerCaseTags(lower);
        TfImg dialog(Context(), nullptr);
        EXPECT_FALSE(Line(dialog, "txtDynLoop")->isEnabled());
        dialog.SetDynamicSource(WriteTestFile(Path(QStringLiteral("img/Clip.avi")), "RIFF"));
        EXPECT_EQ(Line(dialog, "txtDynSource")->text(), QStringLiteral("img/Clip.avi"));
        EXPECT_EQ(dialog.StartText(), lower ? QStringLiteral("<img border=0 dynsrc=\"img/Clip.avi\" loop=infinite "
                                                             "start=FILEOPEN>")
                                            : QStringLiteral("<IMG BORDER=0 DYNSRC=\"img/Clip.avi\" LOOP=INFINITE "
                                                             "START=FILEOPEN>"));
    }
    SetLowerCaseTags(false);
    TfImg edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<IMG DYNSRC=\"c.avi\" SRC=\"s.gif\" LOOP=\"INFINITE\" CONTROLS START=MOUSEOVER>"));
    EXPECT_EQ(Line(edit, "txtSource")->text(), QStringLiteral("s.gif"));
    EXPECT_TRUE(Check(edit, "chkDynInfinite")->isChecked());
    EXPECT_TRUE(Check(edit, "chkDynControls")->isChecked());
    Check(edit, "chkDynInfinite")->setChecked(false);
    EXPECT_TRUE(Line(edit, "txtDynLoop")->isEnabled());
    Line(edit, "txtDynLoop")->setText(QStringLiteral("3"));
    Line(edit, "txtDynLoopDelay")->setText(QStringLiteral("250"));
    Check(edit, "chkDynControls")->setChecked(false);
    EXPECT_EQ(edit.StartText(),
              QStringLiteral("<IMG DYNSRC=\"c.avi\" SRC=\"s.gif\" LOOP=3 START=MOUSEOVER LOOPDELAY=250>"));

    TfImg counted(Context(), nullptr);
    counted.ReadTag(QStringLiteral("<IMG DYNSRC=\"c.avi\" LOOP=2>"));
    EXPECT_FALSE(Check(counted, "chkDynInfinite")->isChecked());
    EXPECT_EQ(Line(counted, "txtDynLoop")->text(), QStringLiteral("2"));
}

TEST_F(ImageDialog, OkNeedsASourceAndClearEmptiesTheImageFields)
{
    TfImg dialog(Context(), nullptr);
    Line(dialog, "txtAlt")->setText(QStringLiteral("text"));
    Line(dialog, "txtHSpace")->setText(QStringLiteral("3"));
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.at(0).text, QStringLiteral("Please select an image."));
    EXPECT_EQ(Scripted().messages.at(0).kind, TMsgKind::Warning);

    Scripted().fileNames = {WriteSampleImage(Path(QStringLiteral("img/a.png")), 3, 4), Path(QStringLiteral("low.gif"))};
    dialog.findChild<QToolButton *>(QStringLiteral("btnSource"))->click();
    dialog.findChild<QToolButton *>(QStringLiteral("btnLowSrc"))->click();
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList(2, QStringLiteral("Select a File")));
    EXPECT_EQ(Line(dialog, "txtSource")->text(), QStringLiteral("img/a.png"));
    EXPECT_EQ(Line(dialog, "txtWidth")->text(), QStringLiteral("3"));
    EXPECT_EQ(Line(dialog, "txtLowSrc")->text(), QStringLiteral("low.gif"));
    dialog.findChild<QPushButton *>(QStringLiteral("btnClear"))->click();
    for (const char *name : {"txtSource", "txtAlt", "txtWidth", "txtHeight"})
        EXPECT_TRUE(Line(dialog, name)->text().isEmpty()) << name;
    EXPECT_EQ(Line(dialog, "txtHSpace")->text(), QStringLiteral("3")) << "spacing stays";
    EXPECT_EQ(Line(dialog, "txtLowSrc")->text(), QStringLiteral("low.gif"));
    EXPECT_EQ(dialog.findChild<TPMultiImage *>(QStringLiteral("imgPreview"))->Text(),
              QStringLiteral("Preview Unavailable"));
}

// The image dialog as the program opens it.
class ImageCommands : public ImageDialog
{
protected:
    void SetUp() override
    {
        ImageDialog::SetUp();
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
    }

    TvqRichHTML *Editor() { return m_tabs.ActiveEditor(); }

    // Runs act on the dialog once it is shown, then closes it with OK.
    void WhenShown(std::function<void(QDialog *)> act)
    {
        auto *poll = new QTimer(&m_tabs);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, &m_tabs, [this, poll, act] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isActiveWindow())
                return;
            poll->deleteLater();
            poll->stop();
            ++m_shown;
            act(dialog);
            dialog->accept();
        });
        poll->start();
    }

    TvqHTMLTab m_tabs;
    TTagDialogCommands m_commands{&m_tabs, [this] { return m_dir.path(); }, &m_tabs};
    int m_shown = 0;
};

TEST_F(ImageCommands, InsertTagOfAnImageWaitsForALongRunAndIsOneUndoStep)
{
    const QString file = WriteSampleImage(Path(QStringLiteral("img/logo.png")), 120, 40);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Image"));
        dialog->findChild<QLineEdit *>(QStringLiteral("txtAlt"))->setText(QStringLiteral("Logo"));
    });
    {
        const TLongRun run;
        EXPECT_TRUE(m_commands.InsertFileTag(file, TFileKind::Image));
        QTest::qWait(50);
        EXPECT_EQ(m_shown, 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_shown, 1, 5000);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<IMG SRC=\"img/logo.png\" WIDTH=120 HEIGHT=40 BORDER=0 ALT=\"Logo\">"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_TRUE(Editor()->Text().isEmpty());
}

TEST_F(ImageCommands, EditTagReplacesTheImageInOneUndoStep)
{
    const QString page = QStringLiteral("<P><IMG SRC=\"a.gif\" WIDTH=5></P>");
    Editor()->InsertTag(page, QString(), false);
    Editor()->SetModified(false);
    Editor()->SetSel(5, 0);
    WhenShown([](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("txtWidth"))->setText(QStringLiteral("7"));
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(m_shown, 1);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<P><IMG SRC=\"a.gif\" WIDTH=7></P>"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), page);
}

} // namespace
