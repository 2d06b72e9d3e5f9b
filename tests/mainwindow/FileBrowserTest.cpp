// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.h"
#include "ScriptedMessageService.h"
#include "TFileBrowser.h"
#include "TestFiles.h"
#include "TvqFileView.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class FileBrowserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        m_pane.SetRefreshAllowed(true);
        m_pane.cboFilter->setCurrentIndex(ffAllFiles);
    }
    void TearDown() override { Scripted().Reset(); }

    QString File(const QString &name, const QByteArray &bytes = QByteArray("x"))
    {
        return WriteTestFile(m_dir.filePath(name), bytes);
    }
    // Shows the test folder and waits until its files are listed.
    void ShowFolder()
    {
        m_pane.ChangeFolder(m_dir.path(), true);
        Wait();
    }
    void Wait()
    {
        QSignalSpy finished(m_pane.vqFileList, &TvqFileView::ScanFinished);
        if (m_pane.vqFileList->ScanRunning()) {
            ASSERT_TRUE(finished.wait(10000));
        }
    }
    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < m_pane.vqFileList->topLevelItemCount(); ++row)
            names.append(m_pane.vqFileList->topLevelItem(row)->text(fcName));
        return names;
    }
    QTreeWidgetItem *Select(const QStringList &names)
    {
        TvqFileView *list = m_pane.vqFileList;
        list->clearSelection();
        QTreeWidgetItem *last = nullptr;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (names.contains(list->topLevelItem(row)->text(fcName))) {
                last = list->topLevelItem(row);
                list->setCurrentItem(last, 0, QItemSelectionModel::Select);
            }
        return last;
    }
    void Run(const char *action) { m_pane.Action(QLatin1String(action))->trigger(); }
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const TRecordedMessage &message : std::as_const(Scripted().messages))
            texts.append(message.text);
        return texts;
    }

    QTemporaryDir m_dir;
    TFileBrowser m_pane;
};

} // namespace

TEST_F(FileBrowserTest, TheFilterBoxChoosesTheFilesListed)
{
    for (const char *name : {"a.htm", "b.HTML", "c.gif", "d.JPG", "e.jpeg", "f.png", "g.bmp", "h.wav", "i.mov", "j.url",
                             "k.txt", "l.css", "~vcTEMP.htm"})
        File(QLatin1String(name));
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.htm")); // folders are never listed
    ShowFolder();
    EXPECT_EQ(m_pane.CurrentFolder(), m_dir.path());
    EXPECT_EQ(Names().size(), 12);

    m_pane.cboFilter->setCurrentIndex(ffWebImages);
    m_pane.RefreshFileList(m_pane.CurrentFolder());
    Wait();
    EXPECT_EQ(Names(), (QStringList{"c.gif", "d.JPG", "e.jpeg", "f.png", "g.bmp"}));

    m_pane.cboFilter->setCurrentIndex(ffWebDocuments);
    m_pane.RefreshFileList(m_pane.CurrentFolder());
    Wait();
    EXPECT_EQ(Names(), (QStringList{"a.htm", "b.HTML", "l.css"}));

    m_pane.cboFilter->setCurrentIndex(ffAllWebFiles);
    m_pane.RefreshFileList(m_pane.CurrentFolder());
    Wait();
    EXPECT_EQ(Names().size(), 11);
    EXPECT_FALSE(Names().contains(QStringLiteral("k.txt")));

    // A folder without such files empties the list.
    QTemporaryDir empty;
    m_pane.ChangeFolder(empty.path(), false);
    Wait();
    EXPECT_TRUE(Names().isEmpty());
}

TEST_F(FileBrowserTest, UnknownFoldersGiveTheProgramFolderAndTheListWaitsForStartUp)
{
    m_pane.ChangeFolder(m_dir.filePath(QStringLiteral("missing")), false);
    EXPECT_EQ(m_pane.CurrentFolder(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(TFileBrowser::DriveRoots().contains(QDir::rootPath()));
    EXPECT_TRUE(TFileBrowser::DriveRoots().contains(QDir::homePath()));
    EXPECT_EQ(m_pane.DriveOf(QDir::homePath() + QStringLiteral("/site")), QDir::homePath());

    File("a.htm");
    TFileBrowser starting;
    starting.ChangeFolder(m_dir.path(), false);
    EXPECT_EQ(starting.vqFileList->topLevelItemCount(), 0);
    EXPECT_FALSE(starting.vqFileList->ScanRunning());
}

TEST_F(FileBrowserTest, CopiesGetFreeNamesBesideTheFile)
{
    File("a.htm", "<title>A</title>");
    ShowFolder();
    Select({"a.htm"});
    Run("mnuPI_Copy");
    Wait();
    Select({"a.htm"});
    Run("mnuPI_Copy");
    Wait();
    EXPECT_EQ(Names(), (QStringList{"a.htm", "Copy (2) of a.htm", "Copy of a.htm"}));
    EXPECT_EQ(CopyTargetPath(m_dir.filePath(QStringLiteral("a.htm"))),
              m_dir.filePath(QStringLiteral("Copy (3) of a.htm")));
    EXPECT_TRUE(Scripted().messages.isEmpty());

    // A file that went away cannot be copied; the others still are.
    File("b.htm");
    m_pane.RefreshFileList(m_pane.CurrentFolder());
    Wait();
    QFile::remove(m_dir.filePath(QStringLiteral("a.htm")));
    Select({"a.htm", "b.htm"});
    Run("mnuPI_Copy");
    Wait();
    EXPECT_EQ(MessageTexts(), QStringList{"Unable to copy document."});
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("Copy of b.htm"))));
}

TEST_F(FileBrowserTest, RenamingInPlaceRenamesTheFileOrKeepsTheOldName)
{
    File("a.htm");
    File("b.htm");
    ShowFolder();
    QTreeWidgetItem *item = Select({"a.htm"});
    // Types the name into the in-place editor and ends the editing as Enter
    // does.
    const auto rename = [this](const QString &name) {
        m_pane.RenameSelected();
        ASSERT_TRUE(m_pane.vqFileList->Editing());
        auto *editor = m_pane.vqFileList->viewport()->findChild<QLineEdit *>();
        ASSERT_TRUE(editor);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits and closes, then the file is renamed.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(m_pane.vqFileList->Editing());
    };
    rename(QStringLiteral("b.htm"));
    EXPECT_EQ(MessageTexts(), QStringList{"A file with this name already exists."});
    EXPECT_EQ(item->text(fcName), QStringLiteral("a.htm"));
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("a.htm"))));

    Scripted().Reset();
    rename(QStringLiteral("a/b.htm"));
    EXPECT_EQ(MessageTexts(), QStringList{"Invalid filename."});

    Scripted().Reset();
    rename(QString()); // an empty name keeps the old one quietly
    EXPECT_EQ(item->text(fcName), QStringLiteral("a.htm"));
    EXPECT_TRUE(Scripted().messages.isEmpty());

    rename(QStringLiteral("c.htm"));
    EXPECT_TRUE(Scripted().messages.isEmpty());
    EXPECT_EQ(TvqFileView::ItemPath(item), m_dir.filePath(QStringLiteral("c.htm")));
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("c.htm"))));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("a.htm"))));

    // Changes of a row's texts that are no rename leave the file alone.
    m_pane.vqFileList->UpdateFileItem(item);
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("c.htm"))));

    // Saving the file while its name is edited keeps what was typed.
    m_pane.RenameSelected();
    auto *editor = m_pane.vqFileList->viewport()->findChild<QLineEdit *>();
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("d.htm"));
    m_pane.DocumentSaved(m_dir.filePath(QStringLiteral("c.htm")), false);
    EXPECT_EQ(editor->text(), QStringLiteral("d.htm"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("d.htm"))));
    EXPECT_EQ(TvqFileView::ItemPath(item), m_dir.filePath(QStringLiteral("d.htm")));

    // The list refilled while the error shows: the old row is gone, nothing
    // is touched, and the new list stands.
    Scripted().Reset();
    Scripted().onMessage = [this](const TRecordedMessage &) {
        m_pane.vqFileList->SetFiles({m_dir.filePath(QStringLiteral("b.htm"))});
    };
    Select({"d.htm"});
    rename(QStringLiteral("b.htm"));
    Scripted().onMessage = nullptr;
    EXPECT_EQ(MessageTexts(), QStringList{"A file with this name already exists."});
    Wait();
    EXPECT_EQ(Names(), QStringList{"b.htm"});
}

TEST_F(FileBrowserTest, DeleteRefusesWildcardsAndMissingFilesAndDeletesNothingThen)
{
    const QString star = File("a*.htm");
    const QString gone = File("gone.htm");
    const QString kept = File("kept.htm");
    ShowFolder();

    Select({"a*.htm", "kept.htm"});
    Run("mnuPI_Delete");
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Plain);
    EXPECT_EQ(Scripted().messages[0].text,
              QStringLiteral("This filename contains an illegal wildcard character (*).  Operation cancelled."));
    EXPECT_TRUE(QFileInfo::exists(star) && QFileInfo::exists(kept));

    Scripted().Reset();
    QFile::remove(gone);
    Select({"gone.htm", "kept.htm"});
    Run("mnuPI_Delete");
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Unable to locate file \"") + gone +
                                          QStringLiteral("\".  Operation cancelled.")});
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(Names().size(), 3);

    // Confirmed, the file goes to the trash and its row away.
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    Select({"kept.htm"});
    Run("mnuPI_Delete");
    EXPECT_FALSE(QFileInfo::exists(kept));
    EXPECT_FALSE(Names().contains(QStringLiteral("kept.htm")));
}

TEST_F(FileBrowserTest, MovesGoIntoTheChosenFolderNeverOverAnotherFile)
{
    QTemporaryDir target;
    WriteTestFile(QDir(target.path()).filePath(QStringLiteral("b.htm")), "theirs");
    const QString a = File("a.htm");
    const QString b = File("b.htm", "mine");
    ShowFolder();
    Select({"a.htm", "b.htm"});
    Scripted().fileNames = {target.path()};
    Run("mnuPI_Move");
    Wait();
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{"Select Destination Directory"});
    EXPECT_TRUE(QFileInfo::exists(QDir(target.path()).filePath(QStringLiteral("a.htm"))));
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Error moving file \"") + b + u'"'});
    QFile theirs(QDir(target.path()).filePath(QStringLiteral("b.htm")));
    ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
    EXPECT_EQ(theirs.readAll(), QByteArray("theirs"));
    EXPECT_EQ(Names(), QStringList{"b.htm"});
}

TEST_F(FileBrowserTest, NewFoldersAndTheirErrors)
{
    ShowFolder();
    Scripted().inputs = {QStringLiteral("site"), QStringLiteral("site"), QStringLiteral("no/such/site")};
    Run("mnuPD_NewFolder");
    ASSERT_EQ(Scripted().inputQueries.size(), 1);
    EXPECT_EQ(Scripted().inputQueries[0].caption, QStringLiteral("New Folder"));
    EXPECT_EQ(Scripted().inputQueries[0].prompt, QStringLiteral("Enter the new folder name:"));
    EXPECT_EQ(Scripted().inputQueries[0].value, m_dir.path());
    EXPECT_TRUE(QFileInfo(m_dir.filePath(QStringLiteral("site"))).isDir());
    EXPECT_TRUE(Scripted().messages.isEmpty());

    Run("mnuPD_NewFolder");
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Information);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This directory already exists."));
    Run("mnuPD_NewFolder");
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("Invalid path."));
}

TEST_F(FileBrowserTest, CommandsFollowTheSelection)
{
    File("a.htm");
    File("b.gif");
    ShowFolder();
    const auto enabled = [this](const char *name) { return m_pane.Action(QLatin1String(name))->isEnabled(); };

    Select({});
    EXPECT_FALSE(enabled("mnuPI_Edit") || enabled("mnuPI_Copy") || enabled("mnuPI_Rename"));
    EXPECT_TRUE(enabled("mnuPI_Refresh"));

    Select({"a.htm", "b.gif"});
    EXPECT_TRUE(enabled("mnuPI_Edit") && enabled("mnuPI_Copy") && enabled("mnuPI_Move") && enabled("mnuPI_Delete"));
    EXPECT_FALSE(enabled("mnuPI_InsertTag") || enabled("mnuPI_Rename") || enabled("mnuPI_Properties"));

    Select({"b.gif"});
    EXPECT_TRUE(enabled("mnuPI_InsertTag") && enabled("mnuPI_Rename") && enabled("mnuPI_Properties"));

    // The status bar shows the selected file's size.
    QSignalSpy status(&m_pane, &TFileBrowser::StatusText);
    Select({"a.htm"});
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("1KB"));
}

TEST_F(FileBrowserTest, OpeningAndTaggingGoByKind)
{
    File("a.htm");
    File("b.gif");
    File("c.txt");
    File("d.css");
    ShowFolder();
    QSignalSpy opened(&m_pane, &TFileBrowser::OpenDocument);
    QSignalSpy tagged(&m_pane, &TFileBrowser::InsertFileTag);
    for (int row = 0; row < m_pane.vqFileList->topLevelItemCount(); ++row)
        emit m_pane.vqFileList->itemActivated(m_pane.vqFileList->topLevelItem(row), 0);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].at(0).toString(), m_dir.filePath(QStringLiteral("a.htm")));
    EXPECT_EQ(opened[1].at(0).toString(), m_dir.filePath(QStringLiteral("d.css")));
    ASSERT_EQ(tagged.size(), 1);
    EXPECT_EQ(tagged[0].at(0).toString(), m_dir.filePath(QStringLiteral("b.gif")));
}

TEST_F(FileBrowserTest, ASaveDuringAScanGivesOneRow)
{
    QStringList names;
    for (int i = 0; i < 2000; ++i)
        names.append(File(QStringLiteral("p%1.htm").arg(i, 4, 10, QLatin1Char('0'))));
    m_pane.ChangeFolder(m_dir.path(), true);
    m_pane.DocumentSaved(names.last(), true);
    Wait();
    EXPECT_EQ(m_pane.vqFileList->topLevelItemCount(), 2000);
}

TEST_F(FileBrowserTest, SavedDocumentsShowInTheList)
{
    const QString a = File("a.htm", "<title>Old</title>");
    ShowFolder();
    WriteTestFile(a, "<title>New</title>");
    m_pane.DocumentSaved(a, false);
    EXPECT_EQ(m_pane.vqFileList->FindFile(a)->text(fcDescription), QStringLiteral("New"));

    const QString b = File("b.htm");
    m_pane.DocumentSaved(b, true);
    ASSERT_TRUE(m_pane.vqFileList->FindFile(b));
    EXPECT_EQ(m_pane.vqFileList->currentItem(), m_pane.vqFileList->FindFile(b));

    QTemporaryDir elsewhere;
    const QString c = WriteTestFile(QDir(elsewhere.path()).filePath(QStringLiteral("c.htm")), "x");
    m_pane.DocumentSaved(c, true);
    EXPECT_EQ(m_pane.vqFileList->FindFile(c), nullptr);
    EXPECT_EQ(Names().size(), 2);
}

TEST_F(FileBrowserTest, ADisabledListIsEmptyAndStaysSo)
{
    File("a.htm");
    ShowFolder();
    Run("mnuPI_DisableFileList");
    EXPECT_FALSE(m_pane.FileListEnabled());
    EXPECT_TRUE(m_pane.Action(QStringLiteral("mnuPI_DisableFileList"))->isChecked());
    EXPECT_TRUE(Names().isEmpty());
    m_pane.RefreshFileList(m_pane.CurrentFolder());
    EXPECT_TRUE(Names().isEmpty());
    Run("mnuPI_DisableFileList");
    Wait();
    EXPECT_EQ(Names(), QStringList{"a.htm"});
}

TEST_F(FileBrowserTest, FoldersComingAndGoingBesideTheShownOneLeaveItShown)
{
    const QString shown = m_dir.filePath(QStringLiteral("shown"));
    const QString beside = m_dir.filePath(QStringLiteral("beside"));
    ASSERT_TRUE(QDir().mkdir(shown));
    ASSERT_TRUE(QDir().mkdir(beside));
    m_pane.show();
    m_pane.ChangeFolder(shown, true);
    // The tree reads the folders in the background and then marks the shown one.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QModelIndex current = m_pane.vqDirList->currentIndex();
            return current.isValid() && current.data(QFileSystemModel::FilePathRole).toString() == shown;
        },
        10000));
    // and opens its parents so that the row is in sight.
    for (QModelIndex parent = m_pane.vqDirList->currentIndex().parent(); parent.isValid(); parent = parent.parent())
        EXPECT_TRUE(m_pane.vqDirList->isExpanded(parent))
            << parent.data(QFileSystemModel::FilePathRole).toString().toStdString();
    // The shown folder goes away under the tree, whose current row moves to
    // the folder beside it: the pane stays where the user put it.
    ASSERT_TRUE(QDir(shown).removeRecursively());
    QTest::qWaitFor(
        [&] {
            const QModelIndex current = m_pane.vqDirList->currentIndex();
            return !current.isValid() || current.data(QFileSystemModel::FilePathRole).toString() != shown;
        },
        3000);
    EXPECT_EQ(m_pane.CurrentFolder(), shown);
}
