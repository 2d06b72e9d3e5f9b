// SPDX-License-Identifier: GPL-3.0-or-later
// The file pane's "&View Thumbnails": the page for the pane's folder, its
// image tag through the image dialog, and the thumbnail files of the last
// run deleted at start.

#include "TfMain.h"

#include "SampleImages.h"
#include "ScriptedMessageService.h"
#include "TFileBrowser.h"
#include "TestFiles.h"
#include "ThumbnailCommands.h"
#include "TvqHTMLTab.h"
#include "WhenShown.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ThumbnailCommands : public testing::Test
{
protected:
    void SetUp() override { Scripted().Reset(); }

    QTemporaryDir m_dir;
    TfMain m_window;
};

} // namespace

TEST_F(ThumbnailCommands, LastRunsThumbnailFilesGoAtStart)
{
    const QString old = WriteTestFile(m_dir.filePath("old.THB"), "x");
    const QString other = WriteTestFile(m_dir.filePath("keep.png"), "x");
    TThumbnailCommands commands(nullptr, m_window.FileBrowser(), m_dir.path(), &m_window);
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_EQ(commands.ThumbNB.Title, QStringLiteral("Thumbnail Viewer"));
    EXPECT_EQ(commands.ThumbNB.DataFileName, QStringLiteral("thumbnail.dat"));
    EXPECT_EQ(commands.ThumbNB.PreviewsDir, m_dir.path());
}

TEST_F(ThumbnailCommands, InsertImgTagAddsTheTagAndALineBreakAsOneEdit)
{
    TvqRichHTML *editor = m_window.Documents()->ActiveEditor();
    editor->InsertTag(QStringLiteral("<P>"), QString(), true);
    editor->SetModified(false);
    const qsizetype undoSteps = editor->UndoList().Count();
    const QString image = WriteSampleImage(m_dir.filePath("Photo.png"), 40, 30);

    WhenShown<TfThumbnail>([](TfThumbnail *page) {
        if (page->Running() || page->Names().isEmpty())
            QSignalSpy(page, &TfThumbnail::Loaded).wait(10000);
        page->SetCurrentCell(0, 0);
        // The image dialog opens over the page; its OK inserts the tag.
        WhenShown<QDialog>([](QDialog *dialog) { dialog->accept(); });
        page->mnuInsertTag->trigger();
        page->btnClose->click();
    });
    const QAction *view = m_window.FileBrowser()->findChild<QAction *>(QStringLiteral("mnuPI_Thumbnails"));
    ASSERT_TRUE(view && view->isEnabled());
    emit m_window.FileBrowser()->ViewThumbnails(m_dir.path());

    EXPECT_TRUE(editor->Text().startsWith(QStringLiteral("<P><IMG SRC=\""))) << editor->Text().toStdString();
    EXPECT_TRUE(editor->Text().contains(QStringLiteral("Photo.png")));
    EXPECT_TRUE(editor->Text().endsWith(QStringLiteral(">\r\n")));
    EXPECT_EQ(editor->GetSelStart(), editor->Text().size()); // the caret after the line break
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(editor->UndoList().Count(), undoSteps + 1);
    editor->Undo();
    EXPECT_EQ(editor->Text(), QStringLiteral("<P>"));
}
