// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentCommands.h"

#include "DroppedFiles.h"
#include "HTMLExtensions.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TestFiles.h"
#include "TvqHTMLTab.h"
#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Extensions = QStringLiteral("Software\\Velicort\\HTMLExtensions");

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DocumentCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        m_tabs.resize(600, 400);
        m_tabs.show();
    }

    QString WriteFile(const QString &name, const QByteArray &bytes = "<P>text</P>\r\n")
    {
        return WriteTestFile(m_dir.filePath(name), bytes);
    }

    TvqRichHTML *Editor() const { return m_tabs.ActiveEditor(); }

    void Type(const QString &text) { QTest::keyClicks(Editor(), text); }

    QTemporaryDir m_dir;
    TvqHTMLTab m_tabs;
    TDocumentCommands m_commands{&m_tabs};
};

TEST(HTMLExtensions, DefaultsCapAndFilters)
{
    const QStringList defaults = {"HTML", "HTM", "SHTM", "SHTML", "CSS", "ASP", "ASA", "CFM"};
    EXPECT_EQ(LoadHTMLExtensions(), defaults);
    EXPECT_EQ(HTMLDocumentFilter(defaults, QStringLiteral(";")),
              QStringLiteral("*.HTML;*.HTM;*.SHTM;*.SHTML;*.CSS;*.ASP;*.ASA;*.CFM;"));
    EXPECT_TRUE(IsHTMLDocument(QStringLiteral("/site/Index.Html"), defaults));
    EXPECT_FALSE(IsHTMLDocument(QStringLiteral("/site/html"), defaults));
    EXPECT_TRUE(FileDialogFilter(defaults).startsWith(QStringLiteral("HTML Documents (*.html *.HTML *.htm *.HTM ")));

    for (int n = 1; n <= 20; ++n)
        WriteRegValue(Extensions, QStringLiteral("Extension%1").arg(n), QStringLiteral("E%1").arg(n));
    EXPECT_EQ(LoadHTMLExtensions().size(), 15);
    // The list ends at the first empty value.
    WriteRegValue(Extensions, QStringLiteral("Extension3"), QString());
    EXPECT_EQ(LoadHTMLExtensions(), (QStringList{"E1", "E2"}));
    // Without the first value the defaults hold.
    WriteRegValue(Extensions, QStringLiteral("Extension1"), QString());
    EXPECT_EQ(LoadHTMLExtensions(), defaults);

    SaveHTMLExtensions({"HTM", "PHP"});
    EXPECT_EQ(LoadHTMLExtensions(), (QStringList{"HTM", "PHP"}));
    EXPECT_EQ(ReadRegValue(Extensions, QStringLiteral("Extension4"), QStringLiteral("gone")), QStringLiteral("gone"));
}

TEST_F(DocumentCommands, RecentFilesKeepTheTenNewestOnce)
{
    m_commands.LoadRecentFiles();
    EXPECT_EQ(m_commands.RecentFiles(), QStringList(10, QStringLiteral("[Empty]")));

    QStringList opened;
    for (int i = 0; i < 11; ++i) {
        opened.prepend(WriteFile(QStringLiteral("page%1.htm").arg(i)));
        m_commands.OpenDocuments(opened.first(), 0);
    }
    EXPECT_EQ(m_commands.RecentFiles(), opened.mid(0, 10));

    m_commands.AddToRecentFiles(opened.at(5));
    EXPECT_EQ(m_commands.RecentFiles().first(), opened.at(5));
    EXPECT_EQ(m_commands.RecentFiles().count(opened.at(5)), 1);
    EXPECT_EQ(m_commands.RecentFiles().size(), 10);

    m_commands.SaveRecentFiles();
    // A save that a crash cut short left its temporary file beside a page:
    // the next start removes it.
    const QString leftover = QFileInfo(opened.at(0)).absolutePath() + QStringLiteral("/.~vc-a1B2c3");
    QFile(leftover).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFileInfo::exists(leftover));
    TDocumentCommands later(&m_tabs);
    later.LoadRecentFiles();
    EXPECT_EQ(later.RecentFiles(), m_commands.RecentFiles());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(leftover); }));
}

TEST_F(DocumentCommands, EmptySlotsAreStoredAsEmpty)
{
    m_commands.LoadRecentFiles();
    m_commands.OpenDocuments(WriteFile(QStringLiteral("a.htm")), 0);
    m_commands.SaveRecentFiles();
    const QString key = QStringLiteral("Software\\Velicort\\MRUDocuments");
    EXPECT_EQ(ReadRegValue(key, QStringLiteral("MRU1"), QString()), m_dir.filePath(QStringLiteral("a.htm")));
    for (int n = 2; n <= 10; ++n)
        EXPECT_EQ(ReadRegValue(key, QStringLiteral("MRU%1").arg(n), QString()), QStringLiteral("[Empty]"));
}

TEST_F(DocumentCommands, SaveAsAddsTheDefaultExtensionAndAsksBeforeOverwriting)
{
    Type(QStringLiteral("<P>new</P>"));
    Scripted().fileNames = {m_dir.filePath(QStringLiteral("index"))};
    ASSERT_TRUE(m_commands.SaveDocumentAs());
    const QString index = m_dir.filePath(QStringLiteral("index.html"));
    EXPECT_TRUE(QFileInfo::exists(index));
    EXPECT_EQ(Editor()->Filename(), index);
    EXPECT_FALSE(Editor()->Modified());

    const QString other = WriteFile(QStringLiteral("other.htm"), "keep me");
    Type(QStringLiteral("x"));
    Scripted().fileNames = {other};
    Scripted().answers = {TMsgResult::No};
    EXPECT_FALSE(m_commands.SaveDocumentAs());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Overwrite \"") + other + u'?');
    EXPECT_EQ(ReadFile(other), QByteArray("keep me"));
    EXPECT_TRUE(Editor()->Modified());
    EXPECT_EQ(Editor()->Filename(), index);
}

TEST_F(DocumentCommands, UnixSaveOfAnUntitledDocumentAsksForAName)
{
    m_commands.SetSaveAsUnix(true);
    Type(QStringLiteral("one"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type(QStringLiteral("two"));
    const QString path = m_dir.filePath(QStringLiteral("unix.htm"));
    Scripted().fileNames = {path};
    ASSERT_TRUE(m_commands.SaveDocument());
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Save as Unix (LF only)")});
    EXPECT_EQ(ReadFile(path), QByteArray("one\ntwo"));
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(DocumentCommands, AFileChangedOnDiskIsSavedOverOnlyAfterTheWarning)
{
    const QString path = WriteFile(QStringLiteral("page.htm"));
    m_commands.OpenDocuments(path, 0);
    Type(QStringLiteral("mine "));
    WriteFile(QStringLiteral("page.htm"), "theirs\r\n");
    Editor()->SetFileTime(Editor()->FileTime() - 5000);
    for (bool lineFeedsOnly : {false, true}) {
        m_commands.SetSaveAsUnix(lineFeedsOnly);
        Scripted().Reset();
        Scripted().answers = {TMsgResult::No};
        EXPECT_FALSE(m_commands.SaveDocument());
        ASSERT_EQ(Scripted().messages.size(), 1);
        EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Another user or process has modified this file since "
                                                              "you last saved it.  Save anyway?"));
        EXPECT_EQ(ReadFile(path), QByteArray("theirs\r\n"));
        EXPECT_TRUE(Editor()->Modified());
    }
    m_commands.SetSaveAsUnix(false);
    Scripted().answers = {TMsgResult::Yes};
    EXPECT_TRUE(m_commands.SaveDocument());
    EXPECT_EQ(ReadFile(path), QByteArray("mine <P>text</P>\r\n"));
}

TEST_F(DocumentCommands, NothingIsLostWhenASaveFailsOrIsCancelled)
{
    m_commands.OpenDocuments(WriteFile(QStringLiteral("a.htm")), 0);
    Type(QStringLiteral("a"));
    const QString b = WriteFile(QStringLiteral("b.htm"));
    m_commands.OpenDocuments(b, 0);
    Type(QStringLiteral("b"));

    // Cancel stops Close All with every document still open.
    Scripted().answers = {TMsgResult::Cancel};
    EXPECT_FALSE(m_commands.CloseAllDocuments());
    EXPECT_EQ(m_tabs.DocumentCount(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Save changes to ") + b + u'?');

    // A save that fails keeps the document open and modified.
    QFile::remove(b);
    ASSERT_TRUE(QDir().mkpath(b)); // a folder where the file was: the save cannot write it
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes, TMsgResult::Cancel};
    m_commands.CloseDocument();
    EXPECT_EQ(m_tabs.DocumentCount(), 2);
    EXPECT_TRUE(Editor()->Modified());
    EXPECT_EQ(Editor()->Filename(), b);

    // An untitled document is asked about by that name.
    m_commands.NewDocument(QString());
    Type(QStringLiteral("draft"));
    Scripted().Reset();
    Scripted().answers = {TMsgResult::No};
    m_commands.CloseDocument();
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Save changes to [Untitled]?"));
    EXPECT_EQ(m_tabs.DocumentCount(), 2);
}

TEST_F(DocumentCommands, SaveAllGoesOnPastADocumentThatIsNotSaved)
{
    m_commands.OpenDocuments(WriteFile(QStringLiteral("a.htm")), 0);
    Type(QStringLiteral("a"));
    m_commands.NewDocument(QString());
    Type(QStringLiteral("untitled"));
    const QString c = WriteFile(QStringLiteral("c.htm"));
    m_commands.OpenDocuments(c, 0);
    Type(QStringLiteral("c"));
    m_tabs.SetTabIndex(1);

    Scripted().fileNames = {QString()}; // the untitled one's Save As is cancelled
    m_commands.SaveAllDocuments();
    EXPECT_EQ(ReadFile(m_dir.filePath(QStringLiteral("a.htm"))), QByteArray("a<P>text</P>\r\n"));
    EXPECT_EQ(ReadFile(c), QByteArray("c<P>text</P>\r\n"));
    EXPECT_TRUE(m_tabs.Editor(1)->Modified());
    EXPECT_EQ(m_tabs.TabIndex(), 1);
}

TEST_F(DocumentCommands, ATemplateMakesAnUntitledPageWithTheCaretInTheBody)
{
    const QString templ = WriteFile(QStringLiteral("page.vct"), "<html>\r\n<head></head>\r\n<body class=\"x\">\r\n"
                                                                "<p>Start here</p>\r\n</body>\r\n</html>\r\n");
    m_commands.NewDocument(templ);
    EXPECT_EQ(m_tabs.DocumentCount(), 1); // the untouched untitled document gave way
    EXPECT_TRUE(Editor()->Filename().isEmpty());
    EXPECT_TRUE(m_tabs.DocumentFileName(0).isEmpty());
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_TRUE(Editor()->Text().contains(QStringLiteral("Start here")));
    EXPECT_EQ(Editor()->CurrentLine(), 3);
    EXPECT_EQ(Editor()->GetSelStart(), Editor()->LineIndex(3));
    EXPECT_EQ(m_tabs.TabStrip()->tabText(0), QStringLiteral("[Untitled]"));
}

TEST_F(DocumentCommands, NamesThatDifferOnlyInCaseAreTwoFilesHere)
{
    m_commands.LoadRecentFiles();
    const QString lower = WriteFile(QStringLiteral("index.html"), "<P>lower</P>");
    const QString upper = WriteFile(QStringLiteral("Index.html"), "<P>upper</P>");
    if (QFileInfo(lower).size() == QFileInfo(upper).size() && ReadFile(lower) == ReadFile(upper))
        GTEST_SKIP() << "this file system ignores case";
    m_commands.OpenDocuments(lower, 0);
    m_commands.OpenDocuments(upper, 0);
    EXPECT_TRUE(Scripted().notices.isEmpty()); // no "Already Open"
    ASSERT_EQ(m_tabs.DocumentCount(), 2);
    EXPECT_EQ(m_tabs.DocumentFileName(0), lower);
    EXPECT_EQ(m_tabs.DocumentFileName(1), upper);
    EXPECT_EQ(m_commands.RecentFiles().mid(0, 2), (QStringList{upper, lower}));

    // The same name is still the same file.
    m_commands.OpenDocuments(lower, 0);
    EXPECT_EQ(m_tabs.DocumentCount(), 2);
    EXPECT_EQ(Scripted().notices.size(), 1);
}

TEST_F(DocumentCommands, OpeningStopsAtAMissingFile)
{
    const QString a = WriteFile(QStringLiteral("a.htm"));
    const QString c = WriteFile(QStringLiteral("c.htm"));
    Scripted().fileLists = {{a, m_dir.filePath(QStringLiteral("b.htm")), c}};
    m_commands.OpenDocuments(QString(), 0);
    EXPECT_EQ(m_tabs.DocumentCount(), 1);
    EXPECT_EQ(m_tabs.DocumentFileName(0), a);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File not found."));
}

TEST_F(DocumentCommands, AFolderOrAnUnreadableFileLeavesNoTabAndNoRecentEntry)
{
    const QString page = WriteFile(QStringLiteral("page.htm"));
    m_commands.OpenDocuments(page, 0);
    const QString folder = m_dir.filePath(QStringLiteral("folder.htm"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString locked = WriteFile(QStringLiteral("locked.htm"));
    TUnprivileged::MakeWorldReadable(m_dir.path());
    QFile::setPermissions(locked, QFile::WriteOwner);

    m_commands.OpenDocuments(folder, 0);
    {
        TUnprivileged unprivileged;
        m_commands.OpenDocuments(locked, 0);
    }
    EXPECT_EQ(m_tabs.DocumentCount(), 1);
    EXPECT_EQ(m_tabs.DocumentFileName(0), page);
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_TRUE(Scripted().messages[0].text.contains(QStringLiteral("is a folder")));
    EXPECT_TRUE(Scripted().messages[1].text.startsWith(QStringLiteral("Unable to open ")));
    EXPECT_EQ(m_commands.RecentFiles().first(), page);
    EXPECT_FALSE(m_commands.RecentFiles().contains(folder));
    EXPECT_FALSE(m_commands.RecentFiles().contains(locked));

    // Alone in the window, a failed file gives way to an untitled document.
    TvqHTMLTab alone;
    TDocumentCommands commands(&alone);
    {
        TUnprivileged unprivileged;
        commands.OpenDocuments(locked, 0);
    }
    EXPECT_EQ(alone.DocumentCount(), 1);
    EXPECT_TRUE(alone.DocumentFileName(0).isEmpty());
    EXPECT_FALSE(alone.ActiveEditor()->Modified());
}

TEST_F(DocumentCommands, ADefaultExtensionIsTrimmed)
{
    m_commands.SetDefaultExtension(QStringLiteral(" htm "));
    EXPECT_EQ(m_commands.DefaultExtension(), QStringLiteral("htm"));
}

TEST_F(DocumentCommands, InsertPutsAFilesTextAtTheCaret)
{
    Type(QStringLiteral("before "));
    Scripted().fileNames = {WriteFile(QStringLiteral("part.htm"), "<B>part</B>\r\n")};
    m_commands.InsertDocument(QString());
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Insert Document")});
    EXPECT_TRUE(Editor()->Text().startsWith(QStringLiteral("before <B>part</B>")));
    EXPECT_TRUE(Editor()->Modified());
}

TEST_F(DocumentCommands, DroppedFilesOpenOrAreLinkedByKind)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("css"));
    QDir(m_dir.path()).mkpath(QStringLiteral("img"));
    const QString page = WriteFile(QStringLiteral("page.htm"), "\r\n");
    m_commands.OpenDocuments(page, 0);
    const QString sheet = WriteFile(QStringLiteral("css/site.css"), "");
    const QString picture = WriteFile(QStringLiteral("img/Logo.PNG"), "");
    const QString shortcut =
        WriteFile(QStringLiteral("home.url"), "[InternetShortcut]\r\nURL=https://example.org/\r\n");
    const QString other = WriteFile(QStringLiteral("notes.txt"), "");
    const QString second = WriteFile(QStringLiteral("second.html"));

    SetLowerCaseTags(false);
    m_commands.DropFiles({sheet, picture, shortcut, other, second});
    EXPECT_EQ(m_tabs.DocumentCount(), 2);
    EXPECT_EQ(m_tabs.DocumentFileName(1), second);
    const QString text = m_tabs.Editor(0)->Text();
    EXPECT_TRUE(text.contains(QStringLiteral("<LINK REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"css/site.css\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<IMG SRC=\"img/Logo.PNG\" BORDER=0>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<A HREF=\"https://example.org/\"></A>"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<A HREF=\"notes.txt\"></A>")));

    // Sound and video follow the multimedia format, with the defaults of its
    // dialog; file names may be lowered.
    const TDropOptions microsoft{m_dir.path(), true, false};
    EXPECT_EQ(DroppedFileTag(TFileKind::Sound, m_dir.filePath(QStringLiteral("Tune.WAV")), microsoft).start,
              QStringLiteral("<BGSOUND SRC=\"tune.wav\" LOOP=INFINITE>"));
    const TDropOptions netscape{m_dir.path(), false, true};
    EXPECT_EQ(DroppedFileTag(TFileKind::Video, m_dir.filePath(QStringLiteral("clip.avi")), netscape).start,
              QStringLiteral("<EMBED SRC=\"clip.avi\" BORDER=0>"));
    EXPECT_EQ(FileKindOf(QStringLiteral("/a/README"), LoadHTMLExtensions()), TFileKind::Other);
}

TEST_F(DocumentCommands, FilesLinkedAroundASelectionFollowOneAnother)
{
    const QString page = WriteFile(QStringLiteral("page.htm"), "hello world");
    m_commands.OpenDocuments(page, 0);
    const QString one = WriteFile(QStringLiteral("one.htm"));
    const QString two = WriteFile(QStringLiteral("two.htm"));
    SetLowerCaseTags(false);
    Editor()->SetSel(0, 5);
    m_commands.LinkFiles({one, two});
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<A HREF=\"one.htm\">hello</A><A HREF=\"two.htm\"></A> world"));
}

} // namespace
