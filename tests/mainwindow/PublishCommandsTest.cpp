// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's publish commands: the current document after the
// unsaved-changes question, and the file pane's selection.

#include "TfMain.h"

#include "../sitetools/WhenPublishWindowShows.h"
#include "PublishCommands.h"
#include "ScriptedMessageService.h"
#include "TFileBrowser.h"
#include "TestFiles.h"
#include "TvqFileView.h"
#include "TvqRichHTML.h"

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QStringList ListedFiles(const TfPublish &window)
{
    QStringList files;
    for (int i = 0; i < window.lvwResults->topLevelItemCount(); ++i)
        files.append(window.lvwResults->topLevelItem(i)->text(0));
    return files;
}

TEST(PublishCommands, TheDocumentGoesAfterTheQuestionAndTheSelectionFromThePane)
{
    Scripted().Reset();
    QTemporaryDir dir;
    const QString page = WriteTestFile(dir.filePath("page.htm"), "<P>text</P>\r\n");
    const QString other = WriteTestFile(dir.filePath("other.htm"), "<P>other</P>\r\n");
    TfMain window;
    window.show();
    window.OpenDocuments(page, 0);
    QTest::keyClicks(window.ActiveEditor(), "x");
    const QString text = window.ActiveEditor()->Text();
    QAction *publish = window.findChild<QAction *>("mnuToolsPublish");
    ASSERT_TRUE(publish->isEnabled());

    // Cancelled at the question: nothing is published.
    Scripted().answers = {TMsgResult::Cancel};
    publish->trigger();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, "Save changes to " + page + "?");

    // Not saved: the file as it is on disk goes; the document is untouched.
    Scripted().Reset();
    Scripted().answers = {TMsgResult::No};
    QStringList listed;
    WhenPublishWindowShows([&](TfPublish &publishWindow) { listed = ListedFiles(publishWindow); });
    publish->trigger();
    EXPECT_EQ(listed, QStringList{QDir::toNativeSeparators(page)});
    EXPECT_EQ(window.ActiveEditor()->Text(), text);
    EXPECT_TRUE(window.ActiveEditor()->Modified());

    // The pane's selection; none selected is said.
    TFileBrowser *pane = window.FileBrowser();
    pane->SetRefreshAllowed(true);
    QSignalSpy scanned(pane->vqFileList, &TvqFileView::ScanFinished);
    pane->ChangeFolder(dir.path(), true);
    if (pane->vqFileList->ScanRunning())
        ASSERT_TRUE(scanned.wait(10000));
    ASSERT_EQ(pane->vqFileList->topLevelItemCount(), 2);
    pane->vqFileList->selectAll();
    ASSERT_TRUE(pane->Action("mnuPI_Publish")->isEnabled());
    WhenPublishWindowShows([&](TfPublish &publishWindow) { listed = ListedFiles(publishWindow); });
    pane->Action("mnuPI_Publish")->trigger();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QDir::toNativeSeparators(other), QDir::toNativeSeparators(page)}));

    Scripted().Reset();
    window.findChild<TPublishCommands *>()->PublishSelection({});
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, "No files selected.");
}

} // namespace
