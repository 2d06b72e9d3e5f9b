// SPDX-License-Identifier: GPL-3.0-or-later
// The properties window over documents, images and other files that the
// tests write, and the windows that lead to it.

#include "TfBandwidth.h"
#include "TfDocProperties.h"

#include "SampleImages.h"
#include "ScriptedMessageService.h"
#include "TestFiles.h"
#include "WhenShown.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct DocPropertiesTest : testing::Test
{
    DocPropertiesTest() { Scripted().Reset(); }
    QString Path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(DocPropertiesTest, DocumentShowsTitleLinksAndDependencies)
{
    QByteArray text = "<html><title>  Two\r\nlines\t</title><a href=\"b.htm\"><a HREF=\"a.htm\">"
                      "<img src=\"z.gif\"><body background=\"back.png\">";
    text.append(QByteArray(10240 - text.size(), ' '));
    const QString page = WriteTestFile(Path("page.htm"), text);

    TfDocProperties window(page);

    EXPECT_EQ(window.edFileName->text(), QStringLiteral("page.htm"));
    EXPECT_EQ(window.edSize->text(), QStringLiteral("10.00 KB (10240 bytes)"));
    EXPECT_FALSE(window.edModified->text().isEmpty());
    EXPECT_EQ(window.lblTitle->text(), QStringLiteral("Title:"));
    EXPECT_EQ(window.edTitle->text(), QStringLiteral("Two lines"));
    ASSERT_EQ(window.lstLinks->count(), 2);
    EXPECT_EQ(window.lstLinks->item(0)->text(), QStringLiteral("a.htm"));
    ASSERT_EQ(window.lstDependencies->count(), 2);
    EXPECT_EQ(window.lstDependencies->item(1)->text(), QStringLiteral("back.png"));
    EXPECT_FALSE(window.tabLists->isHidden());
    EXPECT_TRUE(window.pnlImage->isHidden());
}

TEST_F(DocPropertiesTest, CopyUrlCopiesTheSelectedEntryOfTheVisibleList)
{
    const QString page = WriteTestFile(Path("page.htm"), "<a href=\"x.htm\"><img src=\"pic.gif\">");
    TfDocProperties window(page);
    window.tabLists->setCurrentWidget(window.lstDependencies);
    window.lstDependencies->setCurrentRow(0);
    window.mnuCopyURL->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("pic.gif"));
}

TEST_F(DocPropertiesTest, ImageShowsWhatTheLibraryTellsAndACentredPreview)
{
    const QString image = WriteSampleImage(Path("red.png"), 30, 20);

    TfDocProperties window(image);
    window.show();

    EXPECT_EQ(window.lblTitle->text(), QStringLiteral("Image:"));
    EXPECT_EQ(window.edTitle->text(), QStringLiteral("PNG image"));
    EXPECT_EQ(window.edDimensions->text(), QStringLiteral("30 x 20"));
    EXPECT_FALSE(window.edBitsPerPixel->text().isEmpty());
    EXPECT_EQ(window.edPlanes->text(), QStringLiteral("1"));
    EXPECT_EQ(window.edCompression->text(), QStringLiteral("Deflate"));
    EXPECT_TRUE(window.tabLists->isHidden());
    EXPECT_FALSE(window.pnlImage->isHidden());
    ASSERT_FALSE(window.imgPreview->pixmap().isNull());
    EXPECT_EQ(window.imgPreview->pixmap().size(), QSize(30, 20));
    // Smaller than its box: in the middle of it.
    const QRect box = window.sbPreview->viewport()->rect();
    const QPoint centre = window.imgPreview->mapTo(window.sbPreview->viewport(), window.imgPreview->rect().center());
    EXPECT_LE((centre - box.center()).manhattanLength(), 2);
}

TEST_F(DocPropertiesTest, UnreadableImagesHaveNoPreview)
{
    const TQuietImagePlugins quiet;
    for (const QString &image : {WriteGarbageGif(Path("bad.gif")), WriteLyingPng(Path("huge.png"), 60000, 60000)}) {
        TfDocProperties window(image);
        EXPECT_EQ(window.edTitle->text(), QStringLiteral("Error loading image")) << image.toStdString();
        EXPECT_TRUE(window.edDimensions->text().isEmpty());
        EXPECT_EQ(window.imgPreview->text(), QStringLiteral("Preview Unavailable"));
    }
}

TEST_F(DocPropertiesTest, OtherAndMissingFiles)
{
    const TDocumentProperties other =
        ReadDocumentProperties(WriteTestFile(Path("notes.txt"), "text"), {QStringLiteral("HTM")});
    EXPECT_EQ(other.kind, TPropertiesKind::Other);
    EXPECT_EQ(other.fileName, QStringLiteral("notes.txt"));
    EXPECT_TRUE(other.titleLabel.isEmpty() && other.title.isEmpty());

    TfDocProperties missing(Path("gone.htm"));
    EXPECT_TRUE(missing.edFileName->text().isEmpty() && missing.edSize->text().isEmpty() &&
                missing.edTitle->text().isEmpty());
    EXPECT_TRUE(missing.tabLists->isHidden() && missing.pnlImage->isHidden());
}

TEST_F(DocPropertiesTest, WeightWindowShowsPropertiesOfTheRowDoubleClicked)
{
    WriteSampleImage(Path("pic.png"), 8, 8);
    const QString page = WriteTestFile(Path("page.htm"), "<img src=\"pic.png\">");
    TfBandwidth weight(page);
    ASSERT_EQ(weight.lvDependencies->topLevelItemCount(), 1);
    EXPECT_TRUE(weight.mnuPopup->defaultAction()->isEnabled());
    QString shown;
    WhenShown<TfDocProperties>([&](TfDocProperties *properties) {
        shown = properties->edDimensions->text();
        properties->accept();
    });
    QTreeWidgetItem *row = weight.lvDependencies->topLevelItem(0);
    weight.lvDependencies->setCurrentItem(row);
    emit weight.lvDependencies->itemDoubleClicked(row, 0);
    EXPECT_EQ(shown, QStringLiteral("8 x 8"));
}

} // namespace
