// SPDX-License-Identifier: GPL-3.0-or-later
// Project files and the project the projects dialog edits.

#include "Project.h"
#include "ProjectFile.h"

#include "HTMLExtensions.h"
#include "IniFile.h"
#include "RegistryKeys.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProjectFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectDir"), m_dir.path());
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const TRecordedMessage &message : Scripted().messages)
            texts.append(message.text);
        return texts;
    }

    QTemporaryDir m_dir;
};

TEST_F(ProjectFileTest, OneFileProjectHasFourEntriesAndSavingAgainKeepsABackup)
{
    const QString path = ProjectFilePath(QStringLiteral("site"));
    EXPECT_EQ(path, Path(QStringLiteral("site.vcp")));
    ASSERT_TRUE(WriteProjectFile(path, {QStringLiteral("/w/index.html")}));

    const TIniFile ini(path);
    EXPECT_EQ(ini.Sections(), (QStringList{QStringLiteral("Project"), QStringLiteral("FileList")}));
    EXPECT_EQ(ini.Keys(QStringLiteral("Project")),
              (QStringList{QStringLiteral("ProjectName"), QStringLiteral("Version")}));
    EXPECT_EQ(ini.Keys(QStringLiteral("FileList")), QStringList{QStringLiteral("File1")});
    EXPECT_EQ(ini.ReadString(QStringLiteral("Project"), QStringLiteral("ProjectName"), {}), QStringLiteral("site"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Project"), QStringLiteral("Version"), {}), QStringLiteral("2.5"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("FileList"), QStringLiteral("File1"), {}), QStringLiteral("/w/index.html"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray first = file.readAll();
    file.close();
    ASSERT_TRUE(WriteProjectFile(path, {QStringLiteral("/w/a.html"), QStringLiteral("/w/b.html")}));
    QFile backup(path + QStringLiteral(".bak"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), first);
    // The old list is gone whole, not overwritten key by key.
    EXPECT_EQ(ReadProjectFile(path, false), (QStringList{QStringLiteral("/w/a.html"), QStringLiteral("/w/b.html")}));
    ASSERT_TRUE(WriteProjectFile(path, {}));
    EXPECT_EQ(ReadProjectFile(path, false), QStringList());
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(ProjectFileTest, ReadingStopsAtAGapSortsOnRequestAndTakesWindowsLineEnds)
{
    const QString path =
        WriteTestFile(Path(QStringLiteral("w.vcp")), "[Project]\r\nProjectName=w\r\nVersion=2.5\r\n[FileList]\r\n"
                                                     "File1=/w/b.html\r\nFile2=/w/A.html\r\nFile4=/w/c.html\r\n");
    EXPECT_EQ(ReadProjectFile(path, false), (QStringList{QStringLiteral("/w/b.html"), QStringLiteral("/w/A.html")}));
    EXPECT_EQ(ReadProjectFile(path, true), (QStringList{QStringLiteral("/w/A.html"), QStringLiteral("/w/b.html")}));
    EXPECT_EQ(ReadProjectFile(Path(QStringLiteral("none.vcp")), true), std::nullopt);
}

TEST_F(ProjectFileTest, AFailedWriteLeavesTheOldProjectWhole)
{
    const QString path = ProjectFilePath(QStringLiteral("keep"));
    ASSERT_TRUE(WriteProjectFile(path, {QStringLiteral("/w/a.html"), QStringLiteral("/w/b.html")}));
    // A path the file cannot hold fails half-way through the list.
    EXPECT_FALSE(WriteProjectFile(path, {QStringLiteral("/w/c.html"), QStringLiteral("/w/bad\nname.html")}));
    EXPECT_EQ(ReadProjectFile(path, false), (QStringList{QStringLiteral("/w/a.html"), QStringLiteral("/w/b.html")}));
}

TEST_F(ProjectFileTest, AMissingFolderIsReportedAndNothingWritten)
{
    const QString folder = Path(QStringLiteral("gone"));
    EXPECT_FALSE(WriteProjectFile(folder + QStringLiteral("/p.vcp"), {QStringLiteral("/w/a.html")}));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("The path to your project files - ") + folder +
                                          QStringLiteral(" - is invalid.")});
    EXPECT_FALSE(QFileInfo::exists(folder));

    // The default folder in the per-user data folder is ours and made when
    // missing, so that a new user's first project can be written.
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectDir"), QString());
    QDir(ProjectFolder()).removeRecursively();
    EXPECT_TRUE(WriteProjectFile(ProjectFilePath(QStringLiteral("first")), {QStringLiteral("/w/a.html")}));
    EXPECT_EQ(ReadProjectFile(ProjectFilePath(QStringLiteral("first")), false),
              QStringList{QStringLiteral("/w/a.html")});
    QDir(ProjectFolder()).removeRecursively();
}

TEST_F(ProjectFileTest, ColourCodingOutsideTheLevelsReadsAsFull)
{
    EXPECT_EQ(ReadProjectColorCoding(), 2);
    WriteProjectColorCoding(1);
    EXPECT_EQ(ReadProjectColorCoding(), 1);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectColorCoding"), QStringLiteral("7"));
    EXPECT_EQ(ReadProjectColorCoding(), 2);
}

TEST_F(ProjectFileTest, AddingFilesSkipsCaseOnlyDuplicatesOnceAndRefusesOtherTypes)
{
    const QStringList extensions{QStringLiteral("html"), QStringLiteral("htm")};
    TProject project;
    EXPECT_EQ(project.Caption(), QStringLiteral("Projects - [Untitled]"));
    project.AddFiles({QStringLiteral("/w/z.html"), QStringLiteral("/w/a.html")}, extensions);
    // A new project keeps the order the files came in.
    EXPECT_EQ(project.Files(), (QStringList{QStringLiteral("/w/z.html"), QStringLiteral("/w/a.html")}));
    Scripted().Reset();
    project.AddFiles({QStringLiteral("/w/Z.HTML"), QStringLiteral("/w/notes.txt"), QStringLiteral("/w/A.html"),
                      QStringLiteral("/w/m.htm")},
                     extensions);
    EXPECT_EQ(project.Files(),
              (QStringList{QStringLiteral("/w/z.html"), QStringLiteral("/w/a.html"), QStringLiteral("/w/m.htm")}));
    EXPECT_EQ(MessageTexts(),
              (QStringList{QStringLiteral("File \"/w/notes.txt\" isn't a recognized HTML document.  To add new HTML "
                                          "document types to Velicort, go to settings and switch to the page labeled "
                                          "\"Files.\""),
                           QStringLiteral("One or more files already exist in this project and were not added.")}));
    EXPECT_TRUE(project.Modified());

    // A project read from disk stays sorted.
    ASSERT_TRUE(project.SaveTo(ProjectFilePath(QStringLiteral("p"))));
    project.Load(ProjectFilePath(QStringLiteral("p")));
    project.AddFiles({QStringLiteral("/w/b.html")}, extensions);
    EXPECT_EQ(project.Files(), (QStringList{QStringLiteral("/w/a.html"), QStringLiteral("/w/b.html"),
                                            QStringLiteral("/w/m.htm"), QStringLiteral("/w/z.html")}));
    EXPECT_EQ(project.Caption(), QStringLiteral("Projects - p"));
}

TEST_F(ProjectFileTest, SavePromptOutcomes)
{
    const QStringList extensions{QStringLiteral("html")};
    TProject project;
    // Not modified: go on without a question.
    EXPECT_TRUE(project.SavePrompt());
    EXPECT_TRUE(Scripted().messages.isEmpty());

    // No: drop the changes and go on.
    project.AddFiles({QStringLiteral("/w/a.html")}, extensions);
    Scripted().answers = {TMsgResult::No};
    EXPECT_TRUE(project.SavePrompt());
    EXPECT_FALSE(project.Modified());
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("Save changes?"));

    // Yes with nothing to save: stay.
    TProject empty;
    empty.SetModified(true);
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    EXPECT_FALSE(empty.SavePrompt());
    EXPECT_FALSE(empty.Modified());
    EXPECT_EQ(MessageTexts().last(), QStringLiteral("This project is empty - there is nothing to save."));

    // Yes for a new project and the name box cancelled: stay, still modified.
    project.SetModified(true);
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    EXPECT_FALSE(project.SavePrompt());
    EXPECT_TRUE(project.Modified());
    ASSERT_EQ(Scripted().inputQueries.size(), 1);
    EXPECT_EQ(Scripted().inputQueries[0].caption, QStringLiteral("Save Project"));
    EXPECT_EQ(Scripted().inputQueries[0].value, QStringLiteral("[Untitled]"));

    // Yes with a name: written to the project folder, go on.
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    Scripted().inputs = {QStringLiteral("mine")};
    EXPECT_TRUE(project.SavePrompt());
    EXPECT_EQ(project.Path(), Path(QStringLiteral("mine.vcp")));
    EXPECT_EQ(ReadProjectFile(project.Path(), true), QStringList{QStringLiteral("/w/a.html")});
    EXPECT_FALSE(project.Modified());

    // Yes with a failing write: stay.
    project.Reset(Path(QStringLiteral("gone/p.vcp")));
    project.AddFiles({QStringLiteral("/w/a.html")}, extensions);
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    EXPECT_FALSE(project.SavePrompt());
}

} // namespace
