// SPDX-License-Identifier: GPL-3.0-or-later
// Finding and replacing in files on disk: the same counts and bytes as the
// editor's replace-all and save, backups, and the files that are left alone.

#include "ExtendedSearch.h"

#include "DocumentFile.h"
#include "Paths.h"
#include "TestFiles.h"
#include "TextEncoding.h"
#include "TvqRichHTML.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

class ExtendedSearch : public testing::Test
{
protected:
    QString File(const QString &name, const QByteArray &bytes) { return WriteTestFile(m_dir.filePath(name), bytes); }

    // What the editor makes of a file: replace-all with the texts as the
    // commands hand them over, then a save as it would save the document.
    std::pair<int, QByteArray> EditorResult(const QString &path, const QString &find, const QString &replace,
                                            bool matchCase, bool lfOnly)
    {
        TvqRichHTML editor;
        EXPECT_TRUE(editor.SetFilename(path));
        const int count = editor.ReplaceAll(TExtendedSearch::EditorLineBreaks(find),
                                            TExtendedSearch::EditorLineBreaks(replace), matchCase);
        const QString saved = m_dir.filePath(QStringLiteral("editor.out"));
        QFile::remove(saved);
        EXPECT_TRUE(editor.WriteFile(saved, lfOnly));
        return {count, Read(saved)};
    }

    QTemporaryDir m_dir;
};

TEST_F(ExtendedSearch, ReplacementsAreNeverSearchedAgain)
{
    const QString page = File(QStringLiteral("a.htm"), "aaa");
    const TExtendedSearchRow row =
        TExtendedSearch(QStringLiteral("a"), QStringLiteral("aa"), false, 0, false).Process(page);
    EXPECT_EQ(row.count, 3);
    EXPECT_TRUE(row.written);
    EXPECT_TRUE(row.message.isEmpty());
    EXPECT_EQ(Read(page), QByteArray("aaaaaa"));
    // Overlapping candidates count once each, left to right.
    EXPECT_EQ(TExtendedSearch(QStringLiteral("aa"), QString(), true, 0, false).Apply("aaaaa").count, 2);
}

TEST_F(ExtendedSearch, BackupsOnlyOfChangedFilesAndNoOlderCopyIsLost)
{
    const QString changed = File(QStringLiteral("changed.htm"), "<P>old</P>");
    const QString same = File(QStringLiteral("same.htm"), "<P>other</P>");
    const QString earlier = File(QStringLiteral("same.htm.bak"), "the user's only copy");
    const QString untouched = File(QStringLiteral("plain.htm"), "nothing here");
    const TExtendedSearch search(QStringLiteral("old"), QStringLiteral("new"), false, esoBackups, false);

    EXPECT_EQ(search.Process(changed).count, 1);
    EXPECT_EQ(Read(changed), QByteArray("<P>new</P>"));
    EXPECT_EQ(Read(changed + QStringLiteral(".bak")), QByteArray("<P>old</P>"));

    const QDateTime before = QFileInfo(same).lastModified();
    const TExtendedSearchRow row = search.Process(same);
    EXPECT_EQ(row.count, 0);
    EXPECT_FALSE(row.written);
    EXPECT_EQ(Read(earlier), QByteArray("the user's only copy"));
    EXPECT_EQ(QFileInfo(same).lastModified(), before);

    search.Process(untouched);
    EXPECT_FALSE(QFileInfo::exists(untouched + QStringLiteral(".bak")));
}

TEST_F(ExtendedSearch, MissingAndReadOnlyFilesAreReportedAndSkipped)
{
    const QString locked = File(QStringLiteral("locked.htm"), "old");
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const TExtendedSearch replace(QStringLiteral("old"), QStringLiteral("new"), false, esoBackups, false);

    const TExtendedSearchRow row = replace.Process(locked);
    EXPECT_EQ(row.count, 0);
    EXPECT_EQ(row.message, QStringLiteral("skipped read-only file"));
    EXPECT_EQ(Read(locked), QByteArray("old"));
    EXPECT_FALSE(QFileInfo::exists(locked + QStringLiteral(".bak")));

    const TExtendedSearchRow gone = replace.Process(m_dir.filePath(QStringLiteral("gone.htm")));
    EXPECT_EQ(gone.count, 0);
    EXPECT_EQ(gone.message, QStringLiteral("File not found"));
}

TEST_F(ExtendedSearch, FindOnlyCountsReportsUnreadableFilesAndNeverWrites)
{
    const QString page = File(QStringLiteral("page.htm"), "Old old OLD");
    const QDateTime before = QFileInfo(page).lastModified();
    const TExtendedSearch find(QStringLiteral("old"), QStringLiteral("new"), true, esoBackups | esoMatchCase, true);

    const TExtendedSearchRow missing = find.Process(m_dir.filePath(QStringLiteral("gone.htm")));
    EXPECT_EQ(missing.count, 0);
    EXPECT_TRUE(missing.message.startsWith(QStringLiteral("Unable to read file: "))) << missing.message.toStdString();
    const TExtendedSearchRow row = find.Process(page);
    EXPECT_EQ(row.count, 1);
    EXPECT_FALSE(row.written);
    EXPECT_EQ(TExtendedSearch(QStringLiteral("old"), QString(), true, 0, false).Process(page).count, 3);
    EXPECT_EQ(Read(page), QByteArray("Old old OLD"));
    EXPECT_EQ(QFileInfo(page).lastModified(), before);
    EXPECT_FALSE(QFileInfo::exists(page + QStringLiteral(".bak")));
}

TEST_F(ExtendedSearch, AFileChangedByAnotherProgramIsNotOverwritten)
{
    const QString page = File(QStringLiteral("page.htm"), "old text");
    const TExtendedSearch search(QStringLiteral("old"), QStringLiteral("new"), false, esoBackups, false);
    TExtendedSearch::TPrepared prepared = search.Prepare(page);
    ASSERT_EQ(prepared.row.count, 1);
    WriteTestFile(page, "old text, edited elsewhere");

    const TExtendedSearchRow row = search.Commit(std::move(prepared));
    EXPECT_FALSE(row.written);
    EXPECT_EQ(row.message, QStringLiteral("not changed: another program changed the file meanwhile"));
    EXPECT_EQ(Read(page), QByteArray("old text, edited elsewhere"));
    EXPECT_FALSE(QFileInfo::exists(page + QStringLiteral(".bak")));
}

TEST_F(ExtendedSearch, AFailedWriteLeavesTheFileAndSaysWhy)
{
    const QString page = File(QStringLiteral("page.htm"), "old");
    const TDocumentFileWriter previous =
        SetDocumentFileWriter([](const QString &, const QByteArray &) { return TFileResult{ENOSPC}; });
    const TExtendedSearchRow row =
        TExtendedSearch(QStringLiteral("old"), QStringLiteral("new"), false, 0, false).Process(page);
    SetDocumentFileWriter(previous);
    EXPECT_FALSE(row.written);
    EXPECT_EQ(row.message, QStringLiteral("Unable to save file: ") + qt_error_string(ENOSPC));
    EXPECT_EQ(Read(page), QByteArray("old"));
}

TEST_F(ExtendedSearch, LineBreaksEncodingsAndCaseAsTheEditorHasThem)
{
    struct TCase
    {
        const char *name;
        QByteArray bytes;
        QString find;
        QString replace;
        bool matchCase;
        bool lfOnly;
        int count;
        QByteArray result;
    };
    const TCase cases[] = {
        {"crlf.htm", "<B>one\r\ntwo</B>\r\n", QStringLiteral("one\ntwo"), QStringLiteral("1\n2"), false, false, 1,
         "<B>1\r\n2</B>\r\n"},
        {"lf.htm", "<B>one\ntwo</B>\n", QStringLiteral("one\r\ntwo"), QStringLiteral("1\n2"), false, false, 1,
         "<B>1\n2</B>\n"},
        {"mixed.htm", "one\r\ntwo\none\ntwo", QStringLiteral("one\ntwo"), QStringLiteral("x"), false, false, 1,
         "x\none\ntwo"},
        {"lfOnly.htm", "<b>One</b>\r\n", QStringLiteral("one"), QStringLiteral("two"), false, true, 1, "<b>two</b>\n"},
        {"case.htm", "One one ONE", QStringLiteral("one"), QStringLiteral("x"), true, false, 1, "One x ONE"},
        {"nocase.htm", "One one ONE", QStringLiteral("one"), QStringLiteral("x"), false, false, 3, "x x x"},
        {"1252.htm", "caf\xe9 CAF\xc9 cafe", QStringLiteral("café"), QStringLiteral("tea \u20ac"), false, false, 1,
         "tea \x80 CAF\xc9 cafe"},
        {"1252-ascii.htm", "caf\xe9 cafe\n", QStringLiteral("cafe"), QStringLiteral("bar"), false, false, 1,
         "caf\xe9 bar\n"},
        {"utf8.htm",
         "\xef\xbb\xbf"
         "caf\xc3\xa9 x",
         QStringLiteral("x"), QStringLiteral("\u00e9"), false, false, 1,
         "\xef\xbb\xbf"
         "caf\xc3\xa9 \xc3\xa9"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString page = File(QLatin1String(c.name), c.bytes);
        const auto [editorCount, editorBytes] = EditorResult(page, c.find, c.replace, c.matchCase, c.lfOnly);
        const TExtendedSearchRow row =
            TExtendedSearch(c.find, c.replace, false, c.matchCase ? esoMatchCase : 0, c.lfOnly).Process(page);
        EXPECT_EQ(row.count, c.count);
        EXPECT_EQ(Read(page), c.result);
        EXPECT_EQ(editorCount, c.count);
        EXPECT_EQ(editorBytes, c.result);
    }
}

TEST_F(ExtendedSearch, AWindows1252PageThatCannotHoldTheReplacementStaysAsItWas)
{
    const QString page = File(QStringLiteral("latin.htm"), "caf\xe9");
    const TExtendedSearchRow row =
        TExtendedSearch(QStringLiteral("caf"), QStringLiteral("\u2192"), false, esoBackups, false).Process(page);
    EXPECT_EQ(row.count, 0);
    EXPECT_FALSE(row.written);
    EXPECT_TRUE(row.message.contains(QStringLiteral("Windows-1252")));
    EXPECT_EQ(Read(page), QByteArray("caf\xe9"));
}

// Fifty real pages in every form a file comes in, changed on disk and by the
// editor: the same counts and the same bytes, file by file.
TEST_F(ExtendedSearch, AFolderOfPagesEndsAsTheEditorWouldSaveIt)
{
    QList<QByteArray> pages;
    for (const QString &name : {QStringLiteral("sample.htm"), QStringLiteral("History.htm")})
        pages.append(Read(DataFilePath(name)));
    for (const QFileInfo &file : QDir(DataFilePath(QStringLiteral("Templates"))).entryInfoList(QDir::Files))
        pages.append(Read(file.filePath()));
    ASSERT_GE(pages.size(), 5);

    const struct
    {
        QString find;
        QString replace;
        bool matchCase;
        bool lfOnly;
    } searches[] = {
        {QStringLiteral("<td"), QStringLiteral("<TD"), false, false},
        {QStringLiteral("</p>\n"), QStringLiteral("</P>\n\n"), false, false},
        {QStringLiteral("e"), QStringLiteral("\u00e9\u00e9"), true, false},
        {QStringLiteral("html"), QStringLiteral("HTML"), true, true},
    };
    for (const auto &search : searches) {
        SCOPED_TRACE(search.find.toStdString());
        qsizetype total = 0;
        for (int i = 0; i < 50; ++i) {
            QByteArray bytes = pages[i % pages.size()];
            switch (i % 5) {
            case 1: // LF
                bytes.replace("\r\n", "\n");
                break;
            case 2: // mixed
                bytes = CrLfLineBreaks(bytes);
                bytes.replace(bytes.indexOf("\r\n"), 2, "\n");
                break;
            case 3: // Windows-1252
                bytes = CrLfLineBreaks(bytes) + "<P>caf\xe9 na\xefve</P>\r\n";
                break;
            case 4: // UTF-8 with a byte-order mark
                bytes = "\xef\xbb\xbf" + bytes + "<P>caf\xc3\xa9</P>\n";
                break;
            }
            const QString page = File(QStringLiteral("page%1.htm").arg(i), bytes);
            const auto [count, expected] =
                EditorResult(page, search.find, search.replace, search.matchCase, search.lfOnly);
            const TExtendedSearchRow row =
                TExtendedSearch(search.find, search.replace, false, search.matchCase ? esoMatchCase : 0, search.lfOnly)
                    .Process(page);
            EXPECT_EQ(row.count, count) << i;
            EXPECT_TRUE(Read(page) == (count > 0 ? expected : bytes)) << i;
            EXPECT_EQ(TExtendedSearch(search.find, QString(), true, search.matchCase ? esoMatchCase : 0, false)
                          .Apply(bytes)
                          .count,
                      count)
                << i;
            total += count;
        }
        EXPECT_GT(total, 0);
    }
}

} // namespace
