// SPDX-License-Identifier: GPL-3.0-or-later
// Opening projects into the main window, and the projects dialog.

#include "TfMain.h"

#include "LongRun.h"
#include "ProjectCommands.h"
#include "ProjectFile.h"
#include "RegistryKeys.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "TfProjects.h"
#include "TvqFileView.h"
#include "TvqHTMLTab.h"
#include "URLHistory.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Projects : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("p")));
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectDir"), m_dir.filePath(QStringLiteral("p")));
    }

    QString Page(const QString &name) { return WriteTestFile(m_dir.filePath(name), "<P>text</P>\r\n"); }

    QStringList OpenNames(const TfMain &window) const
    {
        QStringList names;
        for (int i = 0; i < window.Documents()->DocumentCount(); ++i)
            names.append(window.Documents()->DocumentFileName(i));
        return names;
    }

    QTemporaryDir m_dir;
};

TEST_F(Projects, OpeningClosesEverythingAndOpensTheExistingFilesSorted)
{
    const QString b = Page(QStringLiteral("b.htm"));
    const QString a = Page(QStringLiteral("A.htm"));
    const QString project = ProjectFilePath(QStringLiteral("site"));
    ASSERT_TRUE(WriteProjectFile(project, {b, m_dir.filePath(QStringLiteral("gone.htm")), a}));
    const QString other = Page(QStringLiteral("other.htm"));

    TfMain window;
    window.show();
    window.OpenDocuments(other, 0);
    SetCurrentProjectPath(project);
    QTest::keyClicks(window.ActiveEditor(), QStringLiteral("x"));

    // Cancelling the question of Close All leaves everything open.
    Scripted().answers = {TMsgResult::Cancel};
    EXPECT_FALSE(window.Projects()->OpenProject(project, 0));
    EXPECT_EQ(OpenNames(window), QStringList{other});
    EXPECT_TRUE(window.ActiveEditor()->Modified());
    EXPECT_EQ(CurrentProjectPath(), project);

    // An empty or missing project changes nothing, asks nothing.
    Scripted().Reset();
    EXPECT_FALSE(window.Projects()->OpenProject(m_dir.filePath(QStringLiteral("none.vcp")), 0));
    EXPECT_TRUE(Scripted().messages.isEmpty());

    Scripted().answers = {TMsgResult::No};
    EXPECT_TRUE(window.Projects()->OpenProject(project, 1));
    EXPECT_EQ(OpenNames(window), (QStringList{a, b}));
    EXPECT_EQ(window.ActiveEditor()->ColorCodeMode(), ccMinimal);
    EXPECT_EQ(ReadRegValue(RegistryKeys::ColorCoding, QStringLiteral("ColorCodeMode"), QString()), QStringLiteral("1"));
    EXPECT_TRUE(CurrentProjectPath().isEmpty());
    EXPECT_EQ(Scripted().messages.size(), 1); // the one question; the missing file is skipped silently
}

TEST_F(Projects, KeysAndClosingTheWindowWaitUntilEveryFileIsOpen)
{
    const QStringList pages{Page(QStringLiteral("a.htm")), Page(QStringLiteral("b.htm")),
                            Page(QStringLiteral("c.htm"))};
    const QString project = ProjectFilePath(QStringLiteral("typed"));
    ASSERT_TRUE(WriteProjectFile(project, pages));
    TfMain window;
    window.show();
    // As the first file starts opening, the user types and closes the window.
    QPointer<TvqRichHTML> typedInto;
    const QMetaObject::Connection typing = QObject::connect(window.Documents(), &TvqHTMLTab::OnPageChange, [&] {
        if (typedInto || !TLongRun::Active())
            return;
        typedInto = window.ActiveEditor();
        QCoreApplication::postEvent(typedInto, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        QCoreApplication::postEvent(&window, new QCloseEvent);
    });
    ASSERT_TRUE(window.Projects()->OpenProject(project, 2));
    QObject::disconnect(typing);
    EXPECT_EQ(OpenNames(window), pages);
    for (int i = 0; i < window.Documents()->DocumentCount(); ++i)
        EXPECT_FALSE(window.Documents()->Editor(i)->Modified()) << i;
    EXPECT_TRUE(window.isVisible());

    Scripted().answers = {TMsgResult::No};
    QCoreApplication::processEvents();
    ASSERT_TRUE(typedInto);
    EXPECT_EQ(typedInto->RawText().left(1), "x");
    ASSERT_EQ(Scripted().messages.size(), 1); // the save question of the typed-in page
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Projects, AProjectOnTheCommandLineOrHandedOverOpensWithTheEditorsMode)
{
    const QString a = Page(QStringLiteral("a.htm"));
    const QString project = ProjectFilePath(QStringLiteral("cmd"));
    ASSERT_TRUE(WriteProjectFile(project, {a}));
    {
        TfMain window;
        window.OpenCommandLine({project});
        EXPECT_EQ(OpenNames(window), QStringList{a});
    }
    TfMain window;
    window.show();
    window.SetColorCodingMode(ccNone);
    window.MessageWindowOpenFile(project);
    EXPECT_EQ(OpenNames(window), QStringList{a});
    EXPECT_EQ(window.ActiveEditor()->ColorCodeMode(), ccNone);
}

TEST_F(Projects, KnownURLsComeFromTheCurrentProjectUntilCloseAll)
{
    const QString sub = m_dir.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    const QString page = WriteTestFile(sub + QStringLiteral("/Page.htm"), "x");
    const QString index = Page(QStringLiteral("index.htm"));
    const QString project = ProjectFilePath(QStringLiteral("urls"));
    ASSERT_TRUE(WriteProjectFile(project, {page, index}));
    AddToURLHistory(QStringLiteral("http://example.org/"));

    TfMain window;
    SetCurrentProjectPath(project);
    EXPECT_EQ(KnownURLs(m_dir.path(), false),
              (QStringList{QStringLiteral("sub/Page.htm"), QStringLiteral("index.htm")}));
    EXPECT_EQ(KnownURLs(sub, true), (QStringList{QStringLiteral("Page.htm"), QStringLiteral("../index.htm")}));
    window.Action(QStringLiteral("mnuFileCloseAll"))->trigger();
    EXPECT_TRUE(CurrentProjectPath().isEmpty());
    EXPECT_EQ(KnownURLs(m_dir.path(), false), QStringList{QStringLiteral("http://example.org/")});
}

TEST_F(Projects, TheDialogOpensAProjectWhichBecomesCurrent)
{
    const QString a = Page(QStringLiteral("a.htm"));
    ASSERT_TRUE(WriteProjectFile(ProjectFilePath(QStringLiteral("one")), {a}));
    TfMain window;
    window.show();
    for (const char *name : {"mnuFileProjects", "spdProjects", "mnuPES_Projects"})
        EXPECT_TRUE(window.Action(QLatin1String(name))->isEnabled()) << name;

    QTimer::singleShot(0, &window, [] {
        auto *dialog = qobject_cast<TfProjects *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Projects - one"));
        EXPECT_EQ(dialog->vqProjectFileView->topLevelItemCount(), 1);
        dialog->btnOpenProject->click();
    });
    window.Action(QStringLiteral("mnuFileProjects"))->trigger();
    EXPECT_EQ(OpenNames(window), QStringList{a});
    EXPECT_EQ(CurrentProjectPath(), ProjectFilePath(QStringLiteral("one")));
}

TEST_F(Projects, DialogCreatesFillsSavesAndDeletesProjects)
{
    const QString a = Page(QStringLiteral("a.htm"));
    const QString missing = m_dir.filePath(QStringLiteral("gone.htm"));
    QStringList opened;
    TfProjects dialog([](const QString &, int) { return false; }, [&](const QString &path) { opened.append(path); });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Projects - [Untitled]"));
    EXPECT_EQ(dialog.lstProjects->count(), 0);

    // New project: an existing name is refused and asked again.
    ASSERT_TRUE(WriteProjectFile(ProjectFilePath(QStringLiteral("taken")), {a}));
    Scripted().inputs = {QStringLiteral("taken"), QStringLiteral("fresh")};
    dialog.btnNewProjectClick();
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("A project with this name already exists."));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Projects - fresh"));
    EXPECT_EQ(ReadProjectFile(ProjectFilePath(QStringLiteral("fresh")), false), QStringList());
    EXPECT_EQ(dialog.lstProjects->currentItem()->text(), QStringLiteral("fresh"));

    // Add files, one of them missing; the row shows it.
    Scripted().fileLists = {{a, missing}};
    dialog.btnAddFileClick();
    ASSERT_EQ(dialog.vqProjectFileView->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.vqProjectFileView->topLevelItem(1)->text(3), QStringLiteral("[file not found]"));
    EXPECT_EQ(Scripted().fileDialogCaptions.last(), QStringLiteral("Add File to Project"));

    // The pop-up: link verification, weight and properties for one file.
    dialog.vqProjectFileView->setCurrentItem(dialog.vqProjectFileView->topLevelItem(1));
    dialog.UpdatePopup();
    EXPECT_TRUE(dialog.mnuFileOpen->isEnabled());
    EXPECT_TRUE(dialog.mnuFileVerify->isEnabled());
    EXPECT_TRUE(dialog.mnuFileBandwidth->isEnabled());
    EXPECT_TRUE(dialog.mnuFileProperties->isEnabled());
    Scripted().Reset();
    dialog.mnuFileBandwidth->trigger();
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("File not found (") + missing + ".)");
    Scripted().Reset();
    dialog.mnuFileOpenClick();
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("Unable to locate file \"") + missing + "\".");
    dialog.mnuFileRemoveClick();
    EXPECT_EQ(dialog.Project().Files(), QStringList{a});

    // Moving to another project asks to save; Yes writes.
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    dialog.lstProjects->setCurrentRow(1); // "taken"
    EXPECT_EQ(ReadProjectFile(ProjectFilePath(QStringLiteral("fresh")), false), QStringList{a});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Projects - taken"));

    // Deleting projects; the only one left starts the new-project prompt.
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes, TMsgResult::Yes};
    dialog.btnDeleteProjectClick();
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Delete project \"taken\"?"));
    EXPECT_EQ(dialog.lstProjects->count(), 1);
    EXPECT_TRUE(Scripted().inputQueries.isEmpty());
    dialog.btnDeleteProjectClick();
    EXPECT_EQ(dialog.lstProjects->count(), 0);
    ASSERT_EQ(Scripted().inputQueries.size(), 1);
    EXPECT_EQ(Scripted().inputQueries[0].caption, QStringLiteral("New Project"));

    // The colour-coding box stores at once; widths are kept on closing.
    dialog.cboColorCoding->setCurrentIndex(0);
    emit dialog.cboColorCoding->activated(0);
    EXPECT_EQ(ReadProjectColorCoding(), 0);
    dialog.vqProjectFileView->setColumnWidth(0, 77);
    dialog.btnCloseClick();
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\ProjectList"), QStringLiteral("ColWidth_0"), QString()),
              QStringLiteral("77"));
}

} // namespace
