// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryController.h"
#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "TestFiles.h"
#include "TfRecoverWork.h"
#include "TvqHTMLTab.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The documents of a window and a controller over them, as the main window
// wires them.
struct TRecoveryFixture
{
    TRecoveryFixture(const QString &rootFolder) : root(rootFolder)
    {
        documents = new TvqHTMLTab(&window);
        controller = new TRecoveryController(
            documents, root,
            [this](const QStringList &files) {
                for (const QString &file : files)
                    documents->AddDocument(file, ccFull, 0);
            },
            &window);
    }
    QStringList Copies() const { return QDir(controller->Folder()).entryList({QStringLiteral("*.vrc")}, QDir::Files); }
    void Type(const QString &text) const { documents->ActiveEditor()->InsertTag(text, QString(), true); }

    QString root;
    QWidget window;
    TvqHTMLTab *documents;
    TRecoveryController *controller;
};

// A copy left as a program that crashed leaves it.
void LeaveCopy(const QString &root, const TRecoveryCopy &copy)
{
    TRecoveryStore store(root);
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.Write(QStringLiteral("doc-1"), copy).ok());
}

QByteArray FileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(RecoveryController, CopiesAfterTheDelayAndRemovesTheCopyWhenSaved)
{
    QTemporaryDir root;
    QTemporaryDir files;
    TRecoveryFixture f(root.path());
    f.controller->SetOptions({true, 1, false});
    f.controller->Start();
    f.Type(QStringLiteral("<p>unsaved</p>"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Copies().size() == 1; }, 3000));
    f.controller->WaitForWrites();
    QByteArray bytes;
    ASSERT_TRUE(ReadWholeFile(QDir(f.controller->Folder()).filePath(f.Copies().first()), bytes).ok());
    EXPECT_EQ(ParseRecoveryCopy(bytes)->text, "<p>unsaved</p>");

    const QString path = files.filePath(QStringLiteral("saved.html"));
    ASSERT_TRUE(f.documents->ActiveEditor()->SaveToFile(path, false));
    f.controller->WaitForWrites();
    EXPECT_TRUE(f.Copies().isEmpty());
    EXPECT_EQ(FileContents(path), "<p>unsaved</p>");
}

TEST(RecoveryController, ClosingRemovesACopyAndACleanExitRemovesThemAll)
{
    QTemporaryDir root;
    TRecoveryFixture f(root.path());
    f.controller->Start();
    f.controller->CopyNow();
    EXPECT_TRUE(QDir(root.path()).isEmpty()); // nothing to copy yet: no folder
    f.Type(QStringLiteral("one"));
    f.documents->AddDocument(QString(), ccFull, 0);
    f.Type(QStringLiteral("two"));
    f.documents->AddDocument(QString(), ccFull, 0); // never modified: no copy
    f.controller->CopyNow();
    f.controller->WaitForWrites();
    EXPECT_EQ(f.Copies().size(), 2);
    // A copy is written again only after another edit.
    const QString first = QDir(f.controller->Folder()).filePath(f.Copies().first());
    const QDateTime written = QFileInfo(first).lastModified();
    QTest::qWait(20);
    f.controller->CopyNow();
    f.controller->WaitForWrites();
    EXPECT_EQ(QFileInfo(first).lastModified(), written);

    f.documents->CloseDocument(0);
    f.controller->WaitForWrites();
    EXPECT_EQ(f.Copies().size(), 1);

    const QString folder = f.controller->Folder();
    f.controller->Finish();
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

TEST(RecoveryController, ReportsAFolderItCannotWriteOnceAndEditingGoesOn)
{
    QTemporaryDir root;
    TRecoveryFixture f(root.path());
    QSignalSpy status(f.controller, &TRecoveryController::StatusText);
    f.controller->Start();
    f.Type(QStringLiteral("first"));
    f.controller->CopyNow();
    f.controller->WaitForWrites();
    // A folder stands where the copy goes: every later write fails.
    const QString inTheWay = QDir(f.controller->Folder()).filePath(QStringLiteral("doc-1.vrc"));
    ASSERT_TRUE(QFile::remove(inTheWay));
    ASSERT_TRUE(QDir().mkpath(inTheWay));
    WriteTestFile(inTheWay + QStringLiteral("/file"), "in the way");
    for (const char *text : {"a", "b", "c"}) {
        f.Type(QLatin1String(text));
        f.controller->CopyNow();
        f.controller->WaitForWrites();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(status.size(), 1);
    EXPECT_TRUE(f.documents->ActiveEditor()->Modified());
    EXPECT_EQ(f.documents->ActiveEditor()->RawText(), "firstabc");

    // Nor can a folder be made under a file.
    TRecoveryFixture g(inTheWay + QStringLiteral("/file/Recovery"));
    QSignalSpy otherStatus(g.controller, &TRecoveryController::StatusText);
    g.controller->Start();
    for (const char *text : {"a", "b"}) {
        g.Type(QLatin1String(text));
        g.controller->CopyNow();
    }
    EXPECT_EQ(otherStatus.size(), 1);
    EXPECT_TRUE(g.controller->Folder().isEmpty());
}

TEST(RecoveryController, CopiesOnlyWhileTurnedOn)
{
    QTemporaryDir root;
    WriteRecoveryOptions({false, 5, false});
    TRecoveryFixture f(root.path());
    f.controller->Start();
    f.Type(QStringLiteral("x"));
    f.controller->CopyNow();
    EXPECT_TRUE(QDir(root.path()).isEmpty());
    // Turned on, what is modified already gets its copy.
    f.controller->SetOptions({true, 5, false});
    f.controller->CopyNow();
    f.controller->WaitForWrites();
    EXPECT_EQ(f.Copies().size(), 1);
    EXPECT_TRUE(ReadRecoveryOptions().Enabled);
    f.controller->SetOptions({false, 5, false});
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

TEST(RecoveryController, RestoresLeftCopiesWithoutWritingTheirFiles)
{
    QTemporaryDir root;
    QTemporaryDir files;
    const QByteArray onDisk("caf\xe9\r\n<b>x</b>\r\n");
    const QString path = WriteTestFile(files.filePath(QStringLiteral("page.html")), onDisk);
    TRecoveryCopy named;
    named.fileName = path;
    named.encoding = {TTextEncoding::Windows1252, QString()};
    named.lineEnds = TLineEnds::CrLf;
    named.caret = 3;
    named.fileTime = QFileInfo(path).lastModified().toMSecsSinceEpoch();
    named.copied = QDateTime::currentDateTime();
    named.text = "caf\xc3\xa9 \xe2\x82\xac\r\n<b>x</b>\r\n";
    LeaveCopy(root.path(), named);
    TRecoveryCopy untitled;
    untitled.lineEnds = TLineEnds::Lf;
    untitled.webAddress = QStringLiteral("http://example.org/");
    untitled.copied = named.copied.addSecs(1);
    untitled.text = "fetched\r\npage";
    LeaveCopy(root.path(), untitled);

    TRecoveryFixture f(root.path());
    // Opened unchanged already, as the last session may reopen it.
    f.documents->AddDocument(path, ccFull, 0);
    f.controller->Start();
    TfRecoverWork *window = f.controller->RecoverWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Recover Unsaved Work"));
    ASSERT_EQ(window->RowCount(), 2);
    EXPECT_EQ(window->RowTexts(0)[0], QDir::toNativeSeparators(path));
    EXPECT_EQ(window->RowTexts(0)[2], QStringLiteral("Unchanged on disk"));
    EXPECT_EQ(window->RowTexts(1)[0], QStringLiteral("[Untitled]"));

    window->SelectRow(0);
    window->RestoreSelected();
    TvqRichHTML *editor = f.documents->ActiveEditor();
    EXPECT_EQ(editor->Filename(), path);
    EXPECT_EQ(f.documents->DocumentCount(), 1); // in place of the unchanged one
    EXPECT_EQ(f.documents->DocumentFileName(f.documents->TabIndex()), path);
    EXPECT_TRUE(editor->Modified());
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_EQ(editor->GetSelStart(), 3);
    EXPECT_EQ(editor->Encoding(), TTextEncoding::Windows1252);
    EXPECT_EQ(editor->FileBytes(editor->LineEnds()), QByteArray("caf\xe9 \x80\r\n<b>x</b>\r\n"));
    EXPECT_EQ(FileContents(path), onDisk);

    window->RestoreSelected();
    editor = f.documents->ActiveEditor();
    EXPECT_TRUE(editor->Filename().isEmpty());
    EXPECT_EQ(editor->WebAddress(), untitled.webAddress);
    EXPECT_EQ(editor->FileBytes(editor->LineEnds()), QByteArray("fetched\npage"));
    // The untouched untitled document gave way; both left copies went.
    EXPECT_EQ(f.documents->DocumentCount(), 2);
    EXPECT_TRUE(LeftBehindCopies(root.path()).isEmpty());
    EXPECT_FALSE(window->isVisible());
    // Restored documents are this program's unsaved work now.
    f.controller->CopyNow();
    f.controller->WaitForWrites();
    EXPECT_EQ(f.Copies().size(), 2);
}

TEST(RecoveryController, DiscardsALeftCopyAndComparesOneWithItsFile)
{
    QTemporaryDir root;
    QTemporaryDir files;
    const QString path = WriteTestFile(files.filePath(QStringLiteral("page.html")), "one\ntwo\nthree\n");
    TRecoveryCopy copy;
    copy.fileName = path;
    copy.text = "one\r\nTWO\r\nthree\r\n";
    LeaveCopy(root.path(), copy);
    TRecoveryFixture f(root.path());
    f.controller->Start();
    TfRecoverWork *window = f.controller->RecoverWindow();
    ASSERT_TRUE(window);
    window->CompareSelected();
    auto *comparison = window->findChild<QDialog *>(QStringLiteral("TfCompareCopy"));
    ASSERT_TRUE(comparison);
    // Both texts, each at the first line that differs.
    auto *copyView = comparison->findChild<QPlainTextEdit *>(QStringLiteral("txtCopy"));
    auto *diskView = comparison->findChild<QPlainTextEdit *>(QStringLiteral("txtDisk"));
    ASSERT_TRUE(copyView && diskView);
    EXPECT_EQ(copyView->textCursor().selectedText(), QStringLiteral("TWO"));
    EXPECT_EQ(diskView->textCursor().selectedText(), QStringLiteral("two"));
    EXPECT_EQ(FirstDifferentLine({"a", "b"}, {"a", "c"}), 1);
    EXPECT_EQ(FirstDifferentLine({"a"}, {"a", "c"}), 1);
    EXPECT_EQ(FirstDifferentLine({"a"}, {"a"}), -1);

    window->DiscardSelected();
    EXPECT_EQ(f.documents->DocumentCount(), 1);
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

TEST(RecoveryController, RestoringWaitsForALongRunToEnd)
{
    QTemporaryDir root;
    TRecoveryCopy copy;
    copy.text = "held back";
    LeaveCopy(root.path(), copy);
    TRecoveryFixture f(root.path());
    f.documents->ActiveEditor()->InsertTag(QStringLiteral("busy"), QString(), true);
    const QList<TLeftCopy> left = LeftBehindCopies(root.path());
    ASSERT_EQ(left.size(), 1);
    {
        TLongRun run;
        f.controller->Restore(left.first());
        EXPECT_EQ(f.documents->DocumentCount(), 1);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.documents->DocumentCount() == 2; }, 2000));
    EXPECT_EQ(f.documents->ActiveEditor()->RawText(), "held back");
}

TEST(RecoveryController, ReopensTheLastSessionAndNamesVanishedFilesOnce)
{
    QTemporaryDir root;
    QTemporaryDir files;
    QByteArray lines;
    for (int i = 0; i < 200; ++i)
        lines += "line " + QByteArray::number(i) + "\r\n";
    const QString a = WriteTestFile(files.filePath(QStringLiteral("a.html")), lines);
    const QString b = WriteTestFile(files.filePath(QStringLiteral("b.html")), "<p>b</p>");
    const QString gone = files.filePath(QStringLiteral("gone.html"));
    const QString goneToo = files.filePath(QStringLiteral("gone too.html"));
    {
        TRecoveryFixture before(root.path());
        before.documents->resize(400, 300);
        before.documents->AddDocument(a, ccFull, 0);
        before.documents->ActiveEditor()->SetSel(700, 0);
        before.documents->ActiveEditor()->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, 50);
        before.documents->AddDocument(b, ccFull, 0);
        before.documents->AddDocument(QString(), ccFull, 0); // untitled: not part of the session
        before.documents->SetTabIndex(0);
        before.controller->RecordSession();
    }
    TSession session = ReadSession();
    ASSERT_EQ(session.documents.size(), 2);
    EXPECT_EQ(session.documents[0], (TSessionDocument{a, 700, 50}));
    session.documents.insert(1, {gone, 0, 0});
    session.documents.append({goneToo, 0, 0});
    WriteSession(session);

    // Off by default: nothing opens.
    TRecoveryFixture off(root.path());
    off.controller->Start();
    EXPECT_EQ(off.documents->DocumentCount(), 1);
    EXPECT_TRUE(off.documents->ActiveEditor()->Filename().isEmpty());

    WriteRecoveryOptions({true, 5, true});
    TRecoveryFixture f(root.path());
    f.documents->resize(400, 300);
    f.controller->Start();
    ASSERT_EQ(f.documents->DocumentCount(), 2);
    EXPECT_EQ(f.documents->DocumentFileName(0), a);
    EXPECT_EQ(f.documents->DocumentFileName(1), b);
    EXPECT_EQ(f.documents->TabIndex(), 0);
    EXPECT_EQ(f.documents->ActiveEditor()->GetSelStart(), 700);
    EXPECT_EQ(f.documents->ActiveEditor()->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 50);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_TRUE(Scripted().messages[0].text.contains(gone));
    EXPECT_TRUE(Scripted().messages[0].text.contains(goneToo));
}
