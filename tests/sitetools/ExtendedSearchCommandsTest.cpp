// SPDX-License-Identifier: GPL-3.0-or-later
// The extended find and replace commands: scopes, questions, the results
// window, open documents and the input that waits while they run.

#include "ExtendedSearchCommands.h"

#include "FileUtils.h"
#include "ProjectFile.h"
#include "RegistryKeys.h"
#include "ResultsSeen.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "TfExtendedSearch.h"
#include "TfReplaceResults.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

class ExtendedSearchCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("site")));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("projects")));
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ProjectDir"), m_dir.filePath(QStringLiteral("projects")));
        m_window.resize(640, 480);
        m_window.show();
    }

    QString Page(const QString &name, const QByteArray &bytes)
    {
        return WriteTestFile(m_dir.filePath(QStringLiteral("site/") + name), bytes);
    }
    TfExtendedSearch *Replace(TExtendedScope scope, const QString &find, const QString &replace)
    {
        TfExtendedSearch *dialog = m_commands.ReplaceDialog();
        dialog->SetScope(scope);
        dialog->txtFind->setPlainText(find);
        dialog->txtReplace->setPlainText(replace);
        dialog->txtFolder->setText(m_dir.filePath(QStringLiteral("site")));
        return dialog;
    }

    QTemporaryDir m_dir;
    QWidget m_window;
    TvqHTMLTab *m_tabs = new TvqHTMLTab(&m_window);
    bool m_reloadPrompt = true;
    QStringList m_reloadPromptSeen; // as it was at each question
    QStringList m_opened;
    TExtendedSearchCommands m_commands{m_tabs,
                                       {[this] { return m_dir.filePath(QStringLiteral("site")); }, [] { return false; },
                                        [this](bool on) { return std::exchange(m_reloadPrompt, on); },
                                        [this](const QString &path) { m_opened.append(path); }},
                                       &m_window};
};

TEST_F(ExtendedSearchCommands, DialogsKeepTheirTextsAndEnableWhatTheScopeUses)
{
    TfExtendedSearch *find = m_commands.FindDialog();
    EXPECT_EQ(find->windowTitle(), QStringLiteral("Extended Find"));
    EXPECT_EQ(find->Scope(), esFolder);
    EXPECT_FALSE(find->btnAction->isEnabled());
    find->txtFind->setPlainText(QStringLiteral("word"));
    EXPECT_TRUE(find->btnAction->isEnabled());
    EXPECT_TRUE(find->chkSubfolders->isEnabled());
    find->rdoProject->setChecked(true);
    EXPECT_FALSE(find->chkSubfolders->isEnabled());
    EXPECT_FALSE(find->btnFolder->isEnabled());

    TfExtendedSearch *replace = m_commands.ReplaceDialog();
    EXPECT_EQ(replace->Scope(), esCurrentDocument);
    EXPECT_TRUE(replace->chkBackups->isChecked());
    EXPECT_FALSE(replace->chkBackups->isEnabled());
    replace->rdoFolder->setChecked(true);
    EXPECT_TRUE(replace->chkBackups->isEnabled());
    EXPECT_EQ(replace->Options(), esoBackups);

    // Opening again: the selection becomes the text, the folder stays, the
    // current project is chosen.
    WriteTestFile(ProjectFilePath(QStringLiteral("site")), "[FileList]\r\n");
    SetCurrentProjectPath(ProjectFilePath(QStringLiteral("site")));
    m_tabs->ActiveEditor()->InsertTag(QStringLiteral("chosen"), QString(), false);
    m_tabs->ActiveEditor()->SetSel(0, 6);
    find->txtFolder->setText(QStringLiteral("/kept"));
    QTimer::singleShot(0, find, &QDialog::reject);
    m_commands.ShowFind();
    EXPECT_EQ(find->FindText(), QStringLiteral("chosen"));
    EXPECT_EQ(find->Folder(), QStringLiteral("/kept"));
    EXPECT_EQ(find->ProjectName(), QStringLiteral("site"));

    // With no current project, the first one.
    WriteTestFile(ProjectFilePath(QStringLiteral("alpha")), "[FileList]\r\n");
    SetCurrentProjectPath(QString());
    QTimer::singleShot(0, replace, &QDialog::reject);
    m_commands.ShowReplace();
    EXPECT_EQ(replace->ProjectName(), QStringLiteral("alpha"));
    EXPECT_EQ(Scripted().notices.size(), 1);
}

TEST_F(ExtendedSearchCommands, ReplaceInAFolderAsksShowsTheResultsAndWrites)
{
    const QString a = Page(QStringLiteral("a.htm"), "aaa");
    const QString b = Page(QStringLiteral("b.html"), "bbb");
    Page(QStringLiteral("notes.txt"), "aaa");
    Replace(esFolder, QStringLiteral("a"), QStringLiteral("aa"));

    Scripted().answers = {TMsgResult::No};
    m_commands.RunReplace();
    EXPECT_EQ(Scripted().messages.at(0).text,
              QStringLiteral("This will affect all specified HTML documents without further confirmation.\r\n\r\n"
                             "Continue?"));
    EXPECT_EQ(Read(a), QByteArray("aaa"));

    Scripted().Reset();
    TResultsSeen results;
    m_commands.RunReplace();
    EXPECT_EQ(results.caption, QStringLiteral("Replace Results"));
    // The files of each HTML extension in turn.
    EXPECT_EQ(results.rows, (QList<QStringList>{{QStringLiteral("b.html"), QStringLiteral("0"), QString()},
                                                {QStringLiteral("a.htm"), QStringLiteral("3"), QString()}}));
    EXPECT_EQ(Read(a), QByteArray("aaaaaa"));
    EXPECT_EQ(Read(a + QStringLiteral(".bak")), QByteArray("aaa"));
    EXPECT_FALSE(QFileInfo::exists(b + QStringLiteral(".bak")));
    EXPECT_TRUE(m_reloadPrompt);
}

TEST_F(ExtendedSearchCommands, FindInAProjectAndTheEmptyCases)
{
    const QString a = Page(QStringLiteral("a.htm"), "one two one");
    const QString project = ProjectFilePath(QStringLiteral("site"));
    ASSERT_TRUE(WriteProjectFile(project, {a, m_dir.filePath(QStringLiteral("gone.htm"))}));
    TfExtendedSearch *find = m_commands.FindDialog();
    find->txtFind->setPlainText(QStringLiteral("one"));
    find->cboProject->addItem(QStringLiteral("site"));
    find->SetScope(esProject);

    TResultsSeen results;
    m_commands.RunFind();
    EXPECT_EQ(results.caption, QStringLiteral("Find Results"));
    ASSERT_EQ(results.rows.size(), 2);
    EXPECT_EQ(results.rows[0], (QStringList{QStringLiteral("a.htm"), QStringLiteral("2"), QString()}));
    EXPECT_TRUE(results.rows[1][2].startsWith(QStringLiteral("Unable to read file")));
    EXPECT_TRUE(Scripted().messages.isEmpty());

    ASSERT_TRUE(WriteProjectFile(project, {}));
    m_commands.RunFind();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Project \"") + project + QStringLiteral("\" is empty."));

    Scripted().Reset();
    find->SetScope(esFolder);
    find->txtFolder->setText(m_dir.filePath(QStringLiteral("projects")));
    m_commands.RunFind();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("No documents found."));
}

TEST_F(ExtendedSearchCommands, TheResultsWindowSortsAndOpensInFindMode)
{
    TfReplaceResults results(true, [this](const QString &path) { m_opened.append(path); });
    results.AddRow({QStringLiteral("/b.htm"), 2, QString(), false});
    results.AddRow({QStringLiteral("/a.htm"), 10, QString(), false});
    results.SortBy(TfReplaceResults::rcMatches);
    EXPECT_EQ(results.lvwResults->topLevelItem(0)->text(1), QStringLiteral("2"));
    results.SortBy(TfReplaceResults::rcMatches);
    EXPECT_EQ(results.lvwResults->topLevelItem(0)->text(1), QStringLiteral("10"));
    results.SortBy(TfReplaceResults::rcFile);
    EXPECT_EQ(results.lvwResults->topLevelItem(0)->text(0), QStringLiteral("/a.htm"));
    results.lvwResults->setCurrentItem(results.lvwResults->topLevelItem(1));
    results.mnuOpen->trigger();
    EXPECT_EQ(m_opened, QStringList{QStringLiteral("/b.htm")});
    EXPECT_EQ(TfReplaceResults(false, {}).mnuOpen, nullptr);
}

TEST_F(ExtendedSearchCommands, OpenDocumentsChangeInTheirTabsWithOneUndoEach)
{
    const QString a = Page(QStringLiteral("a.htm"), "q1 q2");
    const QString b = Page(QStringLiteral("b.htm"), "none");
    ASSERT_TRUE(m_tabs->AddDocument(a, ccFull, 0));
    ASSERT_TRUE(m_tabs->AddDocument(b, ccFull, 0));
    Replace(esOpenDocuments, QStringLiteral("q"), QStringLiteral("QQ"));
    // Typed into the second page while the tabs are worked through: it
    // waits for the end, so that page has nothing to replace.
    TvqRichHTML *second = m_tabs->Editor(1);
    QMetaObject::invokeMethod(
        second, [second] { QTest::keyClick(second, Qt::Key_Q); }, Qt::QueuedConnection);

    TResultsSeen results;
    m_commands.RunReplace();
    EXPECT_EQ(results.caption, QStringLiteral("Replace Results"));
    EXPECT_EQ(results.rows, (QList<QStringList>{{QStringLiteral("a.htm"), QStringLiteral("2"), QString()},
                                                {QStringLiteral("b.htm"), QStringLiteral("0"), QString()}}));
    TvqRichHTML *first = m_tabs->Editor(0);
    EXPECT_EQ(first->Text(), QStringLiteral("QQ1 QQ2"));
    EXPECT_TRUE(first->Modified());
    EXPECT_EQ(Read(a), QByteArray("q1 q2")); // not saved
    EXPECT_EQ(m_tabs->TabIndex(), 1);
    first->Undo();
    EXPECT_EQ(first->Text(), QStringLiteral("q1 q2"));
    EXPECT_EQ(second->Text(), QStringLiteral("qnone"));

    // The current document alone, with the count as a message.
    m_tabs->SetTabIndex(0);
    Scripted().Reset();
    Replace(esCurrentDocument, QStringLiteral("Q"), QStringLiteral("z"))->chkMatchCase->setChecked(true);
    m_commands.RunReplace();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("0 replacements made."));
    Replace(esCurrentDocument, QStringLiteral("q"), QStringLiteral("z"))->chkMatchCase->setChecked(false);
    m_commands.RunReplace();
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("2 replacements made."));
    EXPECT_EQ(second->Text(), QStringLiteral("qnone"));
}

TEST_F(ExtendedSearchCommands, OpenAffectedDocumentsAreReloadedWhenTheUserSaysSo)
{
    const QString a = Page(QStringLiteral("a.htm"), "old");
    const QString b = Page(QStringLiteral("b.htm"), "old");
    ASSERT_TRUE(m_tabs->AddDocument(a, ccFull, 0));
    ASSERT_TRUE(m_tabs->AddDocument(b, ccFull, 0));
    m_tabs->SetTabIndex(0);
    Replace(esFolder, QStringLiteral("old"), QStringLiteral("new"))->chkBackups->setChecked(false);

    // The prompt about files changed on disk is off from the first question
    // on, while files are written.
    TResultsSeen results;
    Scripted().answers = {TMsgResult::Yes, TMsgResult::Yes};
    Scripted().onMessage = [this](const TRecordedMessage &) {
        m_reloadPromptSeen.append(m_reloadPrompt ? "on" : "off");
    };
    m_commands.RunReplace();
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_TRUE(Scripted().messages[0].text.contains(QStringLiteral(", including one or more open documents,")));
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("Reload affected documents?"));
    EXPECT_EQ(m_reloadPromptSeen, (QStringList{QStringLiteral("on"), QStringLiteral("off")}));
    EXPECT_EQ(m_tabs->Editor(0)->Text(), QStringLiteral("new"));
    EXPECT_EQ(m_tabs->Editor(1)->Text(), QStringLiteral("new"));
    EXPECT_EQ(m_tabs->TabIndex(), 0);
    EXPECT_TRUE(m_reloadPrompt);
}

TEST_F(ExtendedSearchCommands, InputDuringAFolderRunWaitsAndCancelListsWhatWasWritten)
{
    const int count = 400;
    for (int i = 0; i < count; ++i)
        Page(QStringLiteral("p%1.htm").arg(i, 3, 10, QLatin1Char('0')), "old");
    Replace(esFolder, QStringLiteral("old"), QStringLiteral("new"));
    TvqRichHTML *editor = m_tabs->ActiveEditor();
    // Typed once the run has started: held back; then Escape cancels.
    QMetaObject::invokeMethod(
        editor,
        [editor] {
            QTest::keyClick(editor, Qt::Key_Z);
            QTest::keyClick(editor, Qt::Key_Escape);
        },
        Qt::QueuedConnection);
    TResultsSeen results;
    const QStringList files = ListFilesByMasks(m_dir.filePath(QStringLiteral("site")), QStringLiteral("*.htm"));
    const QList<TExtendedSearchRow> rows = m_commands.SearchFiles(files, false, 0);
    ASSERT_LT(rows.size(), count);
    EXPECT_EQ(results.rows.size(), rows.size());
    for (int i = 0; i < count; ++i) {
        const bool listed = i < rows.size();
        if (listed) {
            EXPECT_EQ(rows[i].file, files[i]);
            EXPECT_TRUE(rows[i].written);
        }
        EXPECT_EQ(Read(files[i]), listed ? QByteArray("new") : QByteArray("old")) << i;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(editor->Text(), QStringLiteral("z"));
    EXPECT_TRUE(editor->Modified());
}

} // namespace
