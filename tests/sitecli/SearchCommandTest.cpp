// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site find and replace over folders and projects: the rows the
// editor's results window lists for the same search, the bytes its replace
// writes, dry runs, and the settings and options that choose the files.

#include "ExtendedSearchCommands.h"
#include "HTMLExtensions.h"
#include "Paths.h"
#include "ProjectFile.h"
#include "RegistryKeys.h"
#include "ResultsSeen.h"
#include "SettingsStore.h"
#include "SiteRun.h"
#include "TestFiles.h"
#include "TfExtendedSearch.h"
#include "TvqHTMLTab.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Every file below a folder, by its path there, with its bytes.
QMap<QString, QByteArray> Tree(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), Read(path));
    }
    return files;
}

struct TSearch
{
    QString find;
    QString replace;
    bool matchCase = false;
    bool subfolders = false;
    bool backups = false;
};

// The rows of the results window after the editor's extended find or
// replace over the folder: file name, count, message.
QList<QStringList> EditorRows(bool replace, const QString &folder, const TSearch &search)
{
    QWidget window;
    window.resize(400, 300);
    window.show();
    TExtendedSearchCommands commands(
        new TvqHTMLTab(&window),
        {[folder] { return folder; }, [] { return false; }, [](bool on) { return on; }, [](const QString &) {}},
        &window);
    TfExtendedSearch *dialog = replace ? commands.ReplaceDialog() : commands.FindDialog();
    dialog->SetScope(esFolder);
    dialog->txtFolder->setText(folder);
    dialog->txtFind->setPlainText(search.find);
    dialog->chkMatchCase->setChecked(search.matchCase);
    dialog->chkSubfolders->setChecked(search.subfolders);
    if (replace) {
        dialog->txtReplace->setPlainText(search.replace);
        dialog->chkBackups->setChecked(search.backups);
    }
    const TResultsSeen results;
    if (replace)
        commands.RunReplace();
    else
        commands.RunFind();
    return results.rows;
}

QStringList Arguments(bool replace, const QString &folder, const TSearch &search)
{
    QStringList arguments{replace ? QStringLiteral("replace") : QStringLiteral("find"), QStringLiteral("--json"),
                          search.find};
    if (replace)
        arguments << search.replace;
    if (search.matchCase)
        arguments << QStringLiteral("--case");
    if (search.subfolders)
        arguments << QStringLiteral("--recursive");
    if (search.backups)
        arguments << QStringLiteral("--backup");
    return arguments << folder;
}

// The report's rows as the results window shows them.
QList<QStringList> ReportRows(const TSiteRun &run)
{
    QList<QStringList> rows = run.Rows({QStringLiteral("file"), QStringLiteral("count"), QStringLiteral("message")});
    for (QStringList &row : rows)
        row[0] = QFileInfo(row[0]).fileName();
    return rows;
}

class SearchCommand : public testing::Test
{
protected:
    // A site of real pages in the forms files come in, with a subfolder.
    QString Site(const QString &name)
    {
        const QString root = m_dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(root + QStringLiteral("/sub")));
        const QByteArray sample = Read(DataFilePath(QStringLiteral("sample.htm")));
        const QByteArray history = Read(DataFilePath(QStringLiteral("History.htm")));
        WriteTestFile(root + QStringLiteral("/sample.htm"), sample);
        WriteTestFile(root + QStringLiteral("/lf.html"), QByteArray(history).replace("\r\n", "\n"));
        WriteTestFile(root + QStringLiteral("/latin.htm"), "<P>caf\xe9 table TABLE</P>\r\n");
        WriteTestFile(root + QStringLiteral("/notes.txt"), "table");
        WriteTestFile(root + QStringLiteral("/sub/deep.htm"), "\xef\xbb\xbf<table>caf\xc3\xa9</table>\n");
        return root;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SearchCommand, FindListsTheFilesAndCountsOfTheResultsWindow)
{
    const QString site = Site(QStringLiteral("site"));
    const TSearch searches[] = {{QStringLiteral("table"), QString(), false, false, false},
                                {QStringLiteral("TABLE"), QString(), true, false, false},
                                {QStringLiteral("caf\u00e9"), QString(), false, true, false},
                                {QStringLiteral("</td>\n"), QString(), false, true, false}};
    for (const TSearch &search : searches) {
        SCOPED_TRACE(search.find.toStdString());
        const QList<QStringList> editor = EditorRows(false, site, search);
        ASSERT_FALSE(editor.isEmpty());
        const TSiteRun run = RunSite(Arguments(false, site, search));
        EXPECT_EQ(ReportRows(run), editor);
        qsizetype total = 0;
        for (const QStringList &row : editor)
            total += row[1].toLongLong();
        EXPECT_EQ(run.Summary().value(QStringLiteral("matches")).toInteger(), total);
        EXPECT_EQ(run.status, total > 0 ? 0 : 1);
    }
    EXPECT_EQ(Tree(site), Tree(Site(QStringLiteral("untouched"))));

    // Nothing found: exit 1, as grep.
    const TSiteRun none = RunSite({QStringLiteral("find"), QStringLiteral("no such words"), site});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.endsWith(QStringLiteral("0 matches in 0 of 3 files\n"))) << none.out.toStdString();
}

TEST_F(SearchCommand, ReplaceWritesWhatTheEditorWritesAndADryRunNothing)
{
    const TSearch searches[] = {{QStringLiteral("table"), QStringLiteral("TABLE"), false, true, true},
                                {QStringLiteral("</p>\n"), QStringLiteral("</P>\n\n"), false, false, false},
                                {QStringLiteral("caf\u00e9"), QStringLiteral("\u2192"), true, true, true}};
    int n = 0;
    for (const TSearch &search : searches) {
        SCOPED_TRACE(search.find.toStdString());
        const QString editorSite = Site(QStringLiteral("editor%1").arg(n));
        const QString ourSite = Site(QStringLiteral("ours%1").arg(n++));
        const QMap<QString, QByteArray> before = Tree(ourSite);

        QStringList dryRun = Arguments(true, ourSite, search);
        dryRun.insert(1, QStringLiteral("--dry-run"));
        const TSiteRun dry = RunSite(dryRun);
        EXPECT_EQ(Tree(ourSite), before);
        EXPECT_TRUE(dry.Summary().value(QStringLiteral("dryRun")).toBool());

        const QList<QStringList> editor = EditorRows(true, editorSite, search);
        const TSiteRun run = RunSite(Arguments(true, ourSite, search));
        EXPECT_EQ(ReportRows(run), editor);
        EXPECT_EQ(ReportRows(dry), editor);
        EXPECT_EQ(Tree(ourSite), Tree(editorSite));
        EXPECT_NE(Tree(ourSite), before);
        // The Windows-1252 page cannot take an arrow: a row that says so, exit 1.
        const bool refused =
            std::any_of(editor.begin(), editor.end(), [](const QStringList &row) { return !row[2].isEmpty(); });
        EXPECT_EQ(run.status, refused ? 1 : 0);
    }
}

TEST_F(SearchCommand, ProjectsSettingsAndOptionsChooseTheFiles)
{
    const QString site = Site(QStringLiteral("site"));
    const QString locked = site + QStringLiteral("/sample.htm");
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString project = m_dir.filePath(QStringLiteral("My Site.vcp"));
    ASSERT_TRUE(
        WriteProjectFile(project, {site + QStringLiteral("/latin.htm"), locked, site + QStringLiteral("/gone.htm")}));
    const TSiteRun find = RunSite({QStringLiteral("find"), QStringLiteral("--json"), QStringLiteral("table"), project});
    const QList<QStringList> rows = ReportRows(find);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (QStringList{"latin.htm", "2", ""}));
    EXPECT_TRUE(rows[2][2].startsWith(QStringLiteral("Unable to read file"))) << rows[2][2].toStdString();
    EXPECT_EQ(find.status, 0);

    const TSiteRun replace = RunSite({QStringLiteral("replace"), QStringLiteral("--json"), QStringLiteral("table"),
                                      QStringLiteral("grid"), project});
    EXPECT_EQ(ReportRows(replace), (QList<QStringList>{{"latin.htm", "2", ""},
                                                       {"sample.htm", "0", "skipped read-only file"},
                                                       {"gone.htm", "0", "File not found"}}));
    EXPECT_EQ(replace.status, 1);
    EXPECT_EQ(Read(site + QStringLiteral("/latin.htm")), QByteArray("<P>caf\xe9 grid grid</P>\r\n"));

    // The stored HTML extensions, unless --extensions names others; with the
    // stored Unix line ends, changed files are written with LF only.
    SaveHTMLExtensions({QStringLiteral("TXT")});
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("SaveAsUnix"), true);
    EXPECT_EQ(ReportRows(RunSite({QStringLiteral("find"), QStringLiteral("--json"), QStringLiteral("table"), site})),
              (QList<QStringList>{{"notes.txt", "1", ""}}));
    const TSiteRun pages = RunSite({QStringLiteral("replace"), QStringLiteral("--json"), QStringLiteral("--extensions"),
                                    QStringLiteral(".html, htm"), QStringLiteral("caf"), QStringLiteral("CAF"),
                                    QStringLiteral("--recursive"), site});
    QMap<QString, QStringList> byFile;
    for (const QStringList &row : ReportRows(pages))
        byFile.insert(row[0], row.mid(1));
    EXPECT_EQ(byFile, (QMap<QString, QStringList>{{"lf.html", {"0", ""}},
                                                  {"latin.htm", {"1", ""}},
                                                  {"sample.htm", {"0", "skipped read-only file"}},
                                                  {"deep.htm", {"1", ""}}}));
    EXPECT_EQ(Read(site + QStringLiteral("/latin.htm")), QByteArray("<P>CAF\xe9 grid grid</P>\n"));

    // Paths below a folder given relative to the current one are relative.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const TSiteRun relative = RunSite({QStringLiteral("find"), QStringLiteral("table"), QStringLiteral("site")});
    QDir::setCurrent(current);
    EXPECT_TRUE(relative.out.startsWith(QStringLiteral("site/notes.txt: 1 match\n"))) << relative.out.toStdString();
}
