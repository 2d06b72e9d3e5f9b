// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqRichHTML.h"

#include "FileSizeLimit.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace {

class RichHTML : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(640, 480);
        m_editor = new TvqRichHTML(&m_window);
        m_editor->resize(640, 480);
        m_window.show();
        m_editor->setFocus();
    }

    QString WriteFile(const QByteArray &bytes, const QString &name = QStringLiteral("page.htm"))
    {
        return WriteTestFile(m_dir.filePath(name), bytes);
    }

    QString Load(const QByteArray &bytes, const QString &name = QStringLiteral("page.htm"))
    {
        const QString path = WriteFile(bytes, name);
        EXPECT_TRUE(m_editor->SetFilename(path));
        return path;
    }

    static QByteArray ReadFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The class of the style at a position (a word in a twin style counts
    // as its class).
    int StyleAt(qsizetype position) const
    {
        return StyleClassOf(
            int(m_editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position))));
    }

    // The style of each position as letters: '.' plain, 'T' tags,
    // 'A' anchors, 'I' images, 'C' comments, 'B' tables, 'Q' quotes, 'S' scripts.
    std::string Styles() const
    {
        std::string out;
        for (qsizetype p = 0; p < m_editor->TextLength(); ++p)
            out += ".TAICBQS"[StyleAt(p)];
        return out;
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_editor, Qt::Key(key), modifiers);
    }
    void Type(const char *text) { QTest::keyClicks(m_editor, QString::fromLatin1(text)); }
    // Characters beyond Latin-1, as a keyboard layout types them.
    void TypeCharacters(const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(m_editor, &press);
        }
    }

    QTemporaryDir m_dir;
    QWidget m_window;
    TvqRichHTML *m_editor = nullptr;
};

} // namespace

TEST_F(RichHTML, LoadingColoursTheWholePageWithoutMarkingItModified)
{
    Load("<A HREF=\"x\">a</A>\r\n<IMG SRC=y>\r\n<TD>c</TD><!-- n -->x");
    EXPECT_EQ(Styles(), "AAAAAAAAQQQA.AAAA.."
                        "IIIIIIIIIII.."
                        "BBBB.BBBBBCCCCCCCCCCC");
    EXPECT_FALSE(m_editor->Modified());
    EXPECT_FALSE(m_editor->CanUndo());
}

TEST_F(RichHTML, UnreadableFilesLeaveAnEmptyUntitledDocument)
{
    Load("<B>old</B>");
    m_editor->SetModified(true);
    const QString missing = m_dir.filePath(QStringLiteral("missing.htm"));
    EXPECT_FALSE(m_editor->SetFilename(missing));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Unable to open ") + missing + u'.');
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Error);
    EXPECT_EQ(m_editor->TextLength(), 0);
    EXPECT_TRUE(m_editor->Filename().isEmpty());
    EXPECT_FALSE(m_editor->Modified());
}

TEST_F(RichHTML, AFileTooLargeToHoldIsRefusedNotCut)
{
    const QString path = WriteFile(QByteArray());
    QFile file(path);
    ASSERT_TRUE(file.resize(MaxWholeFileBytes + 1)); // sparse: takes no disk
    EXPECT_FALSE(m_editor->SetFilename(path));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text,
              QStringLiteral("Unable to open ") + path + QStringLiteral(".  The file is too large."));
    EXPECT_EQ(m_editor->TextLength(), 0);

    // Well past the old limit of 2,048,000 characters a page loads whole.
    const QByteArray big(3'000'000, 'x');
    Load(big);
    EXPECT_EQ(m_editor->RawText(), big);
}

TEST_F(RichHTML, ReloadAndInsertFileMessages)
{
    m_editor->Reload();
    const QString path = Load("x");
    QFile::remove(path);
    m_editor->Reload();
    m_editor->InsertFile(path);
    ASSERT_EQ(Scripted().messages.size(), 3);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This file hasn't been saved - unable to reload."));
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Information);
    EXPECT_EQ(Scripted().messages[1].text,
              QStringLiteral("File \"") + path + QStringLiteral("\" no longer exists - unable to reload."));
    EXPECT_EQ(Scripted().messages[1].kind, TMsgKind::Warning);
    EXPECT_EQ(Scripted().messages[2].text, QStringLiteral("File \"") + path + QStringLiteral("\" does not exist."));
    EXPECT_EQ(Scripted().messages[2].kind, TMsgKind::Error);
}

TEST_F(RichHTML, ReloadReadsTheFileAgain)
{
    const QString path = Load("one");
    WriteFile("<P>two");
    m_editor->SetModified(true);
    m_editor->Reload();
    EXPECT_EQ(m_editor->RawText(), "<P>two");
    EXPECT_FALSE(m_editor->Modified());
    EXPECT_EQ(m_editor->Filename(), path);
}

TEST_F(RichHTML, InsertFilePutsEachLineAtTheCaret)
{
    Load("ab");
    const QString other = WriteFile("<B>x</B>\ny\n", QStringLiteral("part.htm"));
    m_editor->SetSelStart(1);
    m_editor->InsertFile(other);
    EXPECT_EQ(m_editor->RawText(), "a<B>x</B>\r\ny\r\nb");
    EXPECT_EQ(StyleAt(1), scTags);
    EXPECT_TRUE(m_editor->Modified());
}

TEST_F(RichHTML, InsertingALongFileIsUndoneInOneStep)
{
    Load("ab");
    QByteArray lines;
    for (int i = 0; i < 300; ++i)
        lines += "<P>line</P>\n";
    const QString other = WriteFile(lines, QStringLiteral("part.htm"));
    m_editor->SetSelStart(1);
    m_editor->InsertFile(other);
    EXPECT_EQ(m_editor->RawText(), "a" + CrLfLineBreaks(lines) + "b");
    EXPECT_EQ(m_editor->UndoList().Count(), 1);
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "ab");
}

TEST_F(RichHTML, FilesRoundTripByteForByte)
{
    QByteArray cp1252("<P>caf\xE9 \x93quoted\x94</P>\r\n");
    for (int byte = 0x80; byte <= 0x9F; ++byte)
        cp1252.append(char(byte));
    cp1252.append('\0');
    cp1252.append("tail\r\n");
    struct Case
    {
        QByteArray bytes;
        TTextEncoding encoding;
        QString otherCharset;
    } cases[] = {
        {"<P>a</P>\r\n<P>b</P>\r\n", TTextEncoding::Utf8, {}},
        {"<P>caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</P>\n<P>line two</P>\n", TTextEncoding::Utf8, {}},
        {"one\r\ntwo\nthree\r\nfour\n", TTextEncoding::Utf8, {}},
        // Line ends of every odd form: LF before CR LF, lone and doubled CRs.
        {"\n\r\n", TTextEncoding::Utf8, {}},
        {"a\n\r\nb\r\r\nc\rd\n\re\r", TTextEncoding::Utf8, {}},
        {"a\r\r\nb\r\n", TTextEncoding::Utf8, {}},
        {"\r\r\r", TTextEncoding::Utf8, {}},
        {cp1252, TTextEncoding::Windows1252, {}},
        {"Gr\xC3\xBC\xC3\x9F\xE9 \xE2\x80\x94 stray\n", TTextEncoding::Utf8, {}},
        {"\xEF\xBB\xBF<P>marked</P>\r\n", TTextEncoding::Utf8, {}},
        {"<meta charset=\"koi8-r\">\xC1\xC2\r\n", TTextEncoding::Windows1252, QStringLiteral("koi8-r")},
        // Large files are read and filled in away from the window.
        {cp1252.repeated(40000), TTextEncoding::Windows1252, {}},
        {QByteArray("<P>mixed</P>\r\n<P>ends</P>\n").repeated(40000), TTextEncoding::Utf8, {}},
    };
    for (const Case &c : cases) {
        const QString path = Load(c.bytes);
        EXPECT_EQ(m_editor->Encoding(), c.encoding) << c.bytes.constData();
        EXPECT_EQ(m_editor->OtherCharset(), c.otherCharset);
        ASSERT_TRUE(m_editor->SaveToFile(path, false));
        EXPECT_TRUE(ReadFile(path) == c.bytes) << c.bytes.left(80).constData();
    }
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(RichHTML, AWindows1252DocumentShowsAndTakesItsCharacters)
{
    const QString path = Load("caf\xE9 \x80 \x93x\x94\x81");
    EXPECT_EQ(m_editor->Text(), QStringLiteral("caf\u00e9 \u20ac \u201cx\u201d\u0081"));
    m_editor->SetSelStart(0);
    TypeCharacters(QStringLiteral("\u2019\u2026"));
    m_editor->InsertTag(QStringLiteral("\u2014"), QString(), false);
    EXPECT_TRUE(m_editor->Modified());
    EXPECT_EQ(m_editor->UndoList().Count(), 3);
    ASSERT_TRUE(m_editor->SaveToFile(path, false));
    EXPECT_EQ(ReadFile(path), "\x92\x85\x97"
                              "caf\xE9 \x80 \x93x\x94\x81");
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(RichHTML, ACharacterWindows1252LacksAsksToConvertOrCancels)
{
    const QString path = Load("caf\xE9");
    QSignalSpy encodingChanges(m_editor, &TvqRichHTML::EncodingChange);
    const QString foreign = QStringLiteral("\u0101");
    const auto expectOneQuestion = [&] {
        ASSERT_EQ(Scripted().messages.size(), 1);
        EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Confirmation);
        EXPECT_EQ(Scripted().messages[0].buttons, TMsgButtons::YesNo);
        Scripted().messages.clear();
    };
    // No cancels each kind of edit and leaves everything as it was.
    QApplication::clipboard()->setText(foreign);
    for (const auto &edit : std::initializer_list<std::function<void()>>{
             [&] { TypeCharacters(foreign); },
             [&] { m_editor->InsertTag(QStringLiteral("<B>") + foreign, QStringLiteral("</B>"), false); },
             [&] { m_editor->Paste(); },
             [&] { m_editor->ReplaceAll(QStringLiteral("caf"), foreign, true); },
         }) {
        Scripted().answers = {TMsgResult::No};
        edit();
        expectOneQuestion();
        EXPECT_EQ(m_editor->Text(), QStringLiteral("caf\u00e9"));
        EXPECT_FALSE(m_editor->Modified());
        EXPECT_FALSE(m_editor->CanUndo());
        EXPECT_EQ(m_editor->Encoding(), TTextEncoding::Windows1252);
    }
    // Yes makes it a UTF-8 document and lets the edit through.
    Scripted().answers = {TMsgResult::Yes};
    m_editor->InsertTag(foreign, QString(), false);
    expectOneQuestion();
    EXPECT_EQ(m_editor->Encoding(), TTextEncoding::Utf8);
    EXPECT_EQ(encodingChanges.count(), 1);
    EXPECT_TRUE(m_editor->Modified());
    EXPECT_EQ(m_editor->UndoList().Count(), 1);
    ASSERT_TRUE(m_editor->SaveToFile(path, false));
    EXPECT_EQ(ReadFile(path), "\xC4\x81"
                              "caf\xC3\xA9");
}

TEST_F(RichHTML, SavingAWindows1252DocumentThatCannotHoldItsTextAsksFirst)
{
    const QString path = Load("caf\xE9");
    // Text that came in without asking, as a drop does.
    m_editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "\xE2\x86\x92");
    Scripted().answers = {TMsgResult::No};
    EXPECT_FALSE(m_editor->SaveToFile(path, false));
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(ReadFile(path), "caf\xE9");
    EXPECT_TRUE(m_editor->Modified());

    Scripted().answers = {TMsgResult::Yes};
    EXPECT_TRUE(m_editor->SaveToFile(path, false));
    EXPECT_EQ(ReadFile(path), "\xE2\x86\x92"
                              "caf\xC3\xA9");
}

TEST_F(RichHTML, SavingWritesTheChosenLineEnds)
{
    const QString path = Load("a\r\nb\r\n");
    ASSERT_TRUE(m_editor->SaveToFile(path, true));
    EXPECT_EQ(ReadFile(path), "a\nb\n");
    // The held text keeps CR LF; a save in the file's own form writes it.
    ASSERT_TRUE(m_editor->SaveToFile(path, false));
    EXPECT_EQ(ReadFile(path), "a\r\nb\r\n");

    // A new file holds exactly what was typed.
    const QString fresh = m_dir.filePath(QStringLiteral("new.htm"));
    ASSERT_TRUE(m_editor->SetFilename(QString()));
    Type("x");
    Key(Qt::Key_Return);
    Type("y");
    ASSERT_TRUE(m_editor->SaveToFile(fresh, true));
    EXPECT_EQ(ReadFile(fresh), "x\ny");
    EXPECT_EQ(m_editor->Filename(), fresh);

    // A file with LF line ends is saved with LF again.
    const QString lfFile = Load("a\nb\n", QStringLiteral("unix.htm"));
    Key(Qt::Key_End);
    Type("!");
    ASSERT_TRUE(m_editor->SaveToFile(lfFile, false));
    EXPECT_EQ(ReadFile(lfFile), "a!\nb\n");

    // LF only leaves no CR LF and no CR, which the editor shows as a line
    // break too: each line the editor shows ends in one LF.
    for (const QByteArray &odd : {QByteArray("a\r\r\nb\r\n"), QByteArray("a\n\r\nb\rc\r\r\r\n")}) {
        const QString oddFile = Load(odd, QStringLiteral("odd.htm"));
        const int lines = m_editor->LineCount();
        ASSERT_TRUE(m_editor->SaveToFile(oddFile, true));
        const QByteArray lfOnly = ReadFile(oddFile);
        EXPECT_FALSE(lfOnly.contains('\r')) << lfOnly.constData();
        EXPECT_EQ(lfOnly.count('\n') + 1, lines) << odd.constData();
    }
}

TEST_F(RichHTML, SavingOverAReadOnlyFileWarnsAndKeepsTheDocument)
{
    const QString path = Load("a");
    Type("b");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    QSignalSpy saved(m_editor, &TvqRichHTML::DocumentSaved);
    EXPECT_FALSE(m_editor->SaveToFile(path, false));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text,
              QStringLiteral("Unable to save - file ") + path + QStringLiteral(" is read-only."));
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Warning);
    EXPECT_TRUE(m_editor->Modified());
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(ReadFile(path), "a");
}

TEST_F(RichHTML, AFailedSaveReportsTheErrorAndLosesNothing)
{
    const QString path = Load("<P>the user's page</P>");
    const qint64 time = m_editor->FileTime();
    m_editor->SelectLines(0, 0);
    m_editor->InsertTag(QString(4096, u'x'), QString(), true);
    {
        TFileSizeLimit limit(1024);
        EXPECT_FALSE(m_editor->SaveToFile(m_dir.filePath(QStringLiteral("other.htm")), false));
        EXPECT_FALSE(m_editor->SaveToFile(path, false));
    }
    ASSERT_EQ(Scripted().messages.size(), 2);
    for (const QString &name : {m_dir.filePath(QStringLiteral("other.htm")), path}) {
        const auto &message = Scripted().messages.takeFirst();
        // The code comes with the system's description of it.
        EXPECT_EQ(
            message.text,
            QStringLiteral("Error %1.  Unable to save file %2.  %3.").arg(EFBIG).arg(name, qt_error_string(EFBIG)));
        EXPECT_EQ(message.kind, TMsgKind::Error);
    }
    EXPECT_EQ(ReadFile(path), "<P>the user's page</P>");
    EXPECT_EQ(m_editor->Filename(), path);
    EXPECT_EQ(m_editor->FileTime(), time);
    EXPECT_TRUE(m_editor->Modified());
}

TEST_F(RichHTML, AFileInUseCanBeRetried)
{
    static int failures = 0;
    failures = 1;
    const TDocumentFileWriter original = SetDocumentFileWriter([](const QString &path, const QByteArray &bytes) {
        if (failures-- > 0)
            return TFileResult{ETXTBSY, true};
        return WriteWholeFile(path, bytes);
    });
    const QString path = Load("a");
    QSignalSpy saved(m_editor, &TvqRichHTML::DocumentSaved);
    Scripted().answers = {TMsgResult::Retry};
    EXPECT_TRUE(m_editor->SaveToFile(path, true));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text,
              QStringLiteral("File ") + path + QStringLiteral(" is in use by another program."));
    EXPECT_EQ(Scripted().messages[0].buttons, TMsgButtons::RetryCancel);
    EXPECT_EQ(saved.count(), 1);

    failures = 1;
    Scripted().answers = {TMsgResult::Cancel};
    EXPECT_FALSE(m_editor->SaveToFile(path, true));
    EXPECT_EQ(saved.count(), 1);
    SetDocumentFileWriter(original);
}

TEST_F(RichHTML, AutoIndentRepeatsLeadingTabsAndUndoesInOneStep)
{
    m_editor->SetAutoIndent(true);
    Load("\t\t\t<P>x");
    m_editor->SetSelStart(m_editor->TextLength());
    Key(Qt::Key_Return);
    EXPECT_EQ(m_editor->RawText(), "\t\t\t<P>x\r\n\t\t\t");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "\t\t\t<P>x");

    // Only tabs among the first 20 characters count.
    Load(QByteArray(25, '\t') + "x");
    m_editor->SetSelStart(m_editor->TextLength());
    Key(Qt::Key_Return);
    EXPECT_EQ(m_editor->RawText(), QByteArray(25, '\t') + "x\r\n" + QByteArray(20, '\t'));
}

TEST_F(RichHTML, CtrlEnterInsertsABreakTagInTheTagCase)
{
    Load("ab");
    m_editor->SetSelStart(1);
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(m_editor->RawText(), "a<BR>\r\nb");
    EXPECT_EQ(StyleAt(1), scTags);
    SetLowerCaseTags(true);
    Key(Qt::Key_Return, Qt::ControlModifier);
    SetLowerCaseTags(false);
    EXPECT_EQ(m_editor->RawText(), "a<BR>\r\n<br>\r\nb");
    // Each part undoes on its own.
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "a<BR>\r\n<br>b");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "a<BR>\r\nb");
}

TEST_F(RichHTML, CtrlYDeletesTheLineAndUndoPutsItBack)
{
    Load("one\r\ntwo\r\nthree");
    m_editor->SetSelStart(6);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(m_editor->RawText(), "one\r\nthree");
    EXPECT_TRUE(m_editor->Modified());
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "one\r\ntwo\r\nthree");
}

TEST_F(RichHTML, EditingKeysRecordWhatUndoPutsBack)
{
    Load("ab\r\ncd");
    // Backspace at the very start changes nothing and records nothing.
    Key(Qt::Key_Backspace);
    EXPECT_EQ(m_editor->RawText(), "ab\r\ncd");
    EXPECT_FALSE(m_editor->CanUndo());
    EXPECT_FALSE(m_editor->Modified());

    m_editor->SetSelStart(4);
    Key(Qt::Key_Backspace); // joins the lines: the whole line break goes
    EXPECT_EQ(m_editor->RawText(), "abcd");
    Key(Qt::Key_Delete);
    EXPECT_EQ(m_editor->RawText(), "abd");
    m_editor->SetSel(0, 2);
    Type("X");
    EXPECT_EQ(m_editor->RawText(), "Xd");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "abd");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "abcd");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "ab\r\ncd");
    EXPECT_FALSE(m_editor->CanUndo());
}

TEST_F(RichHTML, TypedCharactersBeyondAsciiUndoWhole)
{
    Load("<P>caf</P>");
    m_editor->SetSelStart(6);
    QTest::sendKeyEvent(QTest::Click, m_editor, Qt::Key_unknown, QStringLiteral("\u00e9"), Qt::NoModifier);
    EXPECT_EQ(m_editor->RawText(), "<P>caf\xC3\xA9</P>");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(m_editor->RawText(), "<P>caf</P>");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "<P>caf\xC3\xA9</P>");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "<P>caf</P>");
}

TEST_F(RichHTML, OverwriteModeUndoRestoresTheOverwrittenCharacter)
{
    Load("abc\r\nd");
    QSignalSpy modes(m_editor, &TvqRichHTML::InsertModeChange);
    Key(Qt::Key_Insert);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(m_editor->InsertMode(), imOverwrite);
    Type("XYZW");
    EXPECT_EQ(m_editor->RawText(), "XYZW\r\nd");
    for (int i = 0; i < 4; ++i)
        m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "abc\r\nd");
    Key(Qt::Key_Insert);
    EXPECT_EQ(m_editor->InsertMode(), imInsert);
}

TEST_F(RichHTML, OnlyTheNewestTwoHundredEditsCanBeUndone)
{
    ASSERT_TRUE(m_editor->SetFilename(QString()));
    for (int i = 0; i < 201; ++i)
        Type("x");
    EXPECT_EQ(m_editor->UndoList().Count(), 200);
    while (m_editor->CanUndo())
        m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "x");
}

TEST_F(RichHTML, AChangeThatRecordsNoUndoClearsTheList)
{
    Load("abc");
    Type("x");
    ASSERT_TRUE(m_editor->CanUndo());
    // A change behind the editor's back, as a drop of text would make.
    m_editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "zz");
    EXPECT_FALSE(m_editor->CanUndo());
    EXPECT_TRUE(m_editor->Modified());
}

TEST_F(RichHTML, TypingColoursALineWhenTheCaretLeavesIt)
{
    Load("x\r\ny");
    Type("<A>");
    EXPECT_EQ(StyleAt(0), scPlain);
    EXPECT_TRUE(m_editor->PendingLine().dirty);
    Key(Qt::Key_Down);
    EXPECT_EQ(StyleAt(0), scAnchors);
    EXPECT_FALSE(m_editor->PendingLine().dirty);
    EXPECT_EQ(m_editor->PendingLine().line, 1);

    // A mouse press elsewhere colours the pending line too.
    m_editor->SetSelStart(m_editor->TextLength());
    Type("<IMG>");
    m_editor->SetSelStart(0);
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));
    EXPECT_EQ(StyleAt(m_editor->TextLength() - 1), scImages);
}

TEST_F(RichHTML, AutoIndentKeepsANewLineWithATagPending)
{
    m_editor->SetAutoIndent(true);
    Load("\t<B>");
    m_editor->SetSelStart(m_editor->TextLength());
    Type("<A>");
    m_editor->SetSelStart(2);
    Key(Qt::Key_Return);
    // The split line is coloured at once; the new one holds "<" and waits.
    EXPECT_EQ(m_editor->RawText(), "\t<\r\n\tB><A>");
    EXPECT_EQ(StyleAt(1), scTags);
    EXPECT_TRUE(m_editor->PendingLine().dirty);
    EXPECT_EQ(m_editor->PendingLine().line, 1);
}

TEST_F(RichHTML, ColouringKeepsTheModifiedFlagAndCollapsesTheSelection)
{
    Load("<B>bold</B> text");
    m_editor->SetSel(4, 3);
    m_editor->ColorAll();
    EXPECT_FALSE(m_editor->Modified());
    qsizetype start = 0;
    qsizetype length = 0;
    m_editor->GetSel(start, length);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, 0);

    Type("x");
    ASSERT_TRUE(m_editor->Modified());
    m_editor->ColorAll();
    EXPECT_TRUE(m_editor->Modified());
}

TEST_F(RichHTML, LongRunsReportProgressFromZeroToHundred)
{
    QSignalSpy progress(m_editor, &TvqRichHTML::ProgressChange);
    Load(QByteArray(4096, 'x'));
    EXPECT_EQ(progress.count(), 0);
    QString caption;
    QObject::connect(m_editor, &TvqRichHTML::ProgressChange, m_editor, [&](int value) {
        if (value == 0)
            caption = m_editor->ProgressCaption();
    });
    Load(QByteArray(4097, 'x'));
    ASSERT_GE(progress.count(), 2);
    EXPECT_EQ(progress.first().at(0).toInt(), 0);
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_EQ(caption, QStringLiteral("Color coding..."));
    EXPECT_TRUE(m_editor->ProgressCaption().isEmpty());
}

TEST_F(RichHTML, EscapeStopsALongRunAndRestoresTheEditor)
{
    QByteArray page;
    for (int i = 0; i < 5000; ++i)
        page += "<A>x</A>\r\n";
    Load(page);
    m_editor->SetColorCodeMode(ccNone);
    m_editor->SetSelStart(20);
    QSignalSpy progress(m_editor, &TvqRichHTML::ProgressChange);
    QCoreApplication::postEvent(m_editor, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    m_editor->SetColorCodeMode(ccFull);
    EXPECT_EQ(StyleAt(0), scAnchors);
    EXPECT_EQ(StyleAt(page.size() - 5), scPlain);
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_EQ(m_editor->GetSelStart(), 20);
    EXPECT_FALSE(m_editor->UpdateLocked());
    EXPECT_FALSE(m_editor->Modified());
}

TEST_F(RichHTML, StylesFarBeyondTheVisibleTextArePaintedWhenNeeded)
{
    QByteArray page;
    for (int i = 0; i < 20000; ++i)
        page += "<A>x</A> text line\r\n";
    Load(page);
    const qsizetype lastTag = page.size() - 20;
    EXPECT_EQ(StyleAt(0), scAnchors);
    EXPECT_EQ(StyleAt(lastTag), scPlain);

    // Text typed at the top moves the styles still to come along with it.
    Type("<B>");
    m_editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    EXPECT_EQ(StyleAt(lastTag + 2), scPlain);
    EXPECT_EQ(StyleAt(lastTag + 3), scAnchors);

    // Deleting into them paints them first, so nothing is lost.
    Load(page);
    m_editor->SetSel(0, page.size() - 40);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Styles(), "AAA.AAAA............"
                        "AAA.AAAA............");
    // A mode change drops what was kept.
    Load(page);
    m_editor->SetColorCodeMode(ccNone);
    m_editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    EXPECT_EQ(StyleAt(lastTag), scPlain);
}

TEST_F(RichHTML, WrappingALongPageRepaintsSeldomButShowsAnEditAtOnce)
{
    QByteArray page;
    for (int i = 0; i < 20000; ++i)
        page += "<P>" + QByteArray(150, 'w').replace(9, 1, " ") + " line</P>\r\n";
    Load(page);
    int paints = 0;
    QElapsedTimer clock;
    qint64 lastPaintMs = 0;
    QObject::connect(m_editor, &QsciScintillaBase::SCN_PAINTED, m_editor, [&] {
        ++paints;
        lastPaintMs = clock.elapsed();
    });
    qint64 lastRangeMs = 0;
    QObject::connect(m_editor->verticalScrollBar(), &QScrollBar::rangeChanged, m_editor,
                     [&] { lastRangeMs = clock.elapsed(); });

    clock.start();
    m_editor->SetWordWrap(true);
    // Until the control has wrapped every line and the view shows it.
    while (clock.elapsed() < 20000 && (clock.elapsed() - lastRangeMs < 400 || lastPaintMs < lastRangeMs))
        QTest::qWait(5);
    ASSERT_GT(m_editor->verticalScrollBar()->maximum(), 20000); // the lines did wrap
    EXPECT_GE(lastPaintMs, lastRangeMs);
    EXPECT_LE(paints, lastRangeMs / 100 + 5) << "in " << lastRangeMs << " ms";

    // While lines still wrap, an edit shows without waiting.
    m_editor->SetWordWrap(false);
    QTest::qWait(50);
    m_editor->SetWordWrap(true);
    QTest::qWait(20);
    const int before = paints;
    Type("x");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_GT(paints, before);
    EXPECT_TRUE(m_editor->Modified());
}

TEST_F(RichHTML, ALargeInsertionAheadOfWaitingStylesKeepsThemInStep)
{
    QByteArray page;
    for (int i = 0; i < 20000; ++i)
        page += "<A>x</A> text line\r\n";
    Load(page);
    const qsizetype lastTag = page.size() - 20;
    ASSERT_EQ(StyleAt(lastTag), scPlain); // still waiting
    QString inserted;
    for (int i = 0; i < 5000; ++i)
        inserted += QStringLiteral("<IMG> and more\r\n");
    m_editor->SetSelStart(0);
    m_editor->InsertTag(inserted, QString(), false);
    EXPECT_EQ(m_editor->UndoList().Count(), 1);
    EXPECT_TRUE(m_editor->Modified());
    m_editor->FlushDeferredStyles();
    EXPECT_EQ(StyleAt(inserted.size() - 16), scImages);
    EXPECT_EQ(StyleAt(inserted.size() + lastTag), scAnchors);
}

TEST_F(RichHTML, EachEditorKeepsItsOwnPendingLine)
{
    Load("x\r\ny");
    Type("<A>");
    TvqRichHTML other(&m_window);
    other.InsertTag(QStringLiteral("a\r\nb"), QString(), false);
    other.SetSelStart(0);
    QTest::keyClick(&other, Qt::Key_Down);
    EXPECT_TRUE(m_editor->PendingLine().dirty);
    EXPECT_EQ(StyleAt(0), scPlain);
    Key(Qt::Key_Down);
    EXPECT_EQ(StyleAt(0), scAnchors);
}

TEST_F(RichHTML, InputDuringALongRunArrivesAfterItInOrder)
{
    QByteArray page;
    for (int i = 0; i < 2000; ++i)
        page += "<A>x</A>\r\n";
    QAction close(&m_window);
    close.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    m_window.addAction(&close);
    QSignalSpy triggered(&close, &QAction::triggered);
    int triggeredDuringRun = -1;
    QObject::connect(m_editor, &TvqRichHTML::ProgressChange, m_editor, [&](int value) {
        if (value == 100)
            triggeredDuringRun = int(triggered.count());
    });
    for (const char *key : {"a", "b", "c"})
        QCoreApplication::postEvent(m_editor, new QKeyEvent(QEvent::KeyPress, Qt::Key_A + (key[0] - 'a'),
                                                            Qt::NoModifier, QString::fromLatin1(key)));
    QCoreApplication::postEvent(&close, new QShortcutEvent(close.shortcut(), 0));
    Load(page);
    EXPECT_EQ(triggeredDuringRun, 0);
    EXPECT_EQ(m_editor->RawText(), page);
    QCoreApplication::processEvents();
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(m_editor->RawText(), "abc" + page);
    EXPECT_TRUE(m_editor->Modified());
}

TEST_F(RichHTML, ModeNoneRemovesColoursAndKeepsTheSelection)
{
    Load("<A>link</A>");
    m_editor->SetSel(3, 4);
    m_editor->SetColorCodeMode(ccNone);
    EXPECT_EQ(Styles(), std::string(11, '.'));
    qsizetype start = 0;
    qsizetype length = 0;
    m_editor->GetSel(start, length);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(length, 4);
    m_editor->SetColorCodeMode(ccMinimal);
    EXPECT_EQ(Styles(), "TTT....TTTT");
}

TEST_F(RichHTML, ColorLineLeavesShortLinesAlone)
{
    Load("<\r\n<B>");
    m_editor->SetColorCodeMode(ccNone);
    m_editor->SetColorCodeMode(ccFull);
    m_editor->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0L);
    m_editor->SendScintilla(QsciScintillaBase::SCI_SETSTYLING, 6UL, long(scQuotes));
    m_editor->ColorLine(0);
    EXPECT_EQ(StyleAt(0), scQuotes);
    m_editor->ColorLine(1);
    EXPECT_EQ(StyleAt(3), scTags);
}

TEST_F(RichHTML, InsertTagWrapsTheSelectionAndUndoesInOneStep)
{
    Load("a word here");
    m_editor->SetSel(2, 4);
    m_editor->InsertTag(QStringLiteral("<B>"), QStringLiteral("</B>"), false);
    EXPECT_EQ(m_editor->RawText(), "a <B>word</B> here");
    EXPECT_EQ(m_editor->SelText(), QStringLiteral("word"));
    EXPECT_TRUE(m_editor->Modified());
    // A one-line insertion waits as the pending line, plain for now.
    EXPECT_EQ(StyleAt(2), scPlain);
    EXPECT_TRUE(m_editor->PendingLine().dirty);
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "a word here");

    // Replacing the selection, and an insertion over several lines that is
    // coloured at once.
    m_editor->SetSel(2, 4);
    m_editor->InsertTag(QStringLiteral("<TABLE>\r\n<TR>"), QString(), true);
    EXPECT_EQ(m_editor->RawText(), "a <TABLE>\r\n<TR> here");
    EXPECT_EQ(m_editor->GetSelStart(), 15);
    EXPECT_EQ(StyleAt(2), scTables);
    EXPECT_EQ(StyleAt(11), scTables);
}

TEST_F(RichHTML, GetTagAtFindsTheTagAroundOrBeforeAPosition)
{
    Load("<B>word</B> and more");
    EXPECT_EQ(m_editor->GetTagAt(0, false), QString());
    EXPECT_EQ(m_editor->GetTagAt(12, false), QStringLiteral("</B>"));
    EXPECT_EQ(m_editor->GetTagAt(2, true), QStringLiteral("<B>"));
    EXPECT_EQ(m_editor->SelText(), QStringLiteral("<B>"));
    Load("plain <unterminated");
    m_editor->SetSel(1, 1);
    EXPECT_EQ(m_editor->GetTagAt(10, true), QString());
    EXPECT_EQ(m_editor->SelText(), QStringLiteral("l"));
}

TEST_F(RichHTML, PastingRecordsUndoAndColoursSeveralLines)
{
    Load("x");
    m_editor->SetSelStart(1);
    QApplication::clipboard()->setText(QStringLiteral("<A>\n<IMG>"));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(m_editor->RawText(), "x<A>\r\n<IMG>");
    EXPECT_EQ(StyleAt(1), scAnchors);
    EXPECT_EQ(StyleAt(6), scImages);
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "x");

    m_editor->SetSel(0, 1);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_editor->RawText(), "");
    m_editor->Undo();
    EXPECT_EQ(m_editor->RawText(), "x");
}

TEST_F(RichHTML, TheClipboardCarriesTheSystemsLineEnds)
{
    Load("a\nb\nc");
    const QString systemBreak = SystemLineEnds() == TLineEnds::Lf ? QStringLiteral("\n") : QStringLiteral("\r\n");
    m_editor->SetSel(0, 4);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a") + systemBreak + QStringLiteral("b"));
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a") + systemBreak + QStringLiteral("b"));
    EXPECT_EQ(m_editor->RawText(), "\r\nc");
    EXPECT_TRUE(m_editor->Modified());
    EXPECT_EQ(m_editor->UndoList().Count(), 1);
    // Pasting brings them back as CR LF.
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_editor->RawText(), "a\r\nb\r\nc");
}

TEST_F(RichHTML, RightClickMovesTheCaretUnlessOnTheSelection)
{
    Load("first line of text\r\nsecond line of text");
    const auto pointAt = [&](qsizetype position) {
        return QPoint(int(m_editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, long(position))) + 1,
                      int(m_editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, long(position))) + 2);
    };
    m_editor->SetSel(6, 4);
    QTest::mousePress(m_editor->viewport(), Qt::RightButton, Qt::NoModifier, pointAt(8));
    QTest::mouseRelease(m_editor->viewport(), Qt::RightButton, Qt::NoModifier, pointAt(8));
    EXPECT_EQ(m_editor->SelText(), QStringLiteral("line"));
    QTest::mousePress(m_editor->viewport(), Qt::RightButton, Qt::NoModifier, pointAt(24));
    QTest::mouseRelease(m_editor->viewport(), Qt::RightButton, Qt::NoModifier, pointAt(24));
    EXPECT_EQ(m_editor->SelText(), QString());
    EXPECT_EQ(m_editor->GetSelStart(), 24);
}

TEST_F(RichHTML, TabWidthKeepsTheModifiedFlag)
{
    Load("a\tb");
    m_editor->SetTabWidth(40);
    EXPECT_FALSE(m_editor->Modified());
    EXPECT_EQ(m_editor->TabWidth(), 40);
}

TEST_F(RichHTML, RedrawSuspensionNestsAndThePermanentLockHolds)
{
    QSignalSpy status(m_editor, &TvqRichHTML::ModifyStatusChange);
    m_editor->SetPermanentLock(true);
    EXPECT_TRUE(m_editor->UpdateLocked());
    m_editor->InsertTag(QStringLiteral("<P>"), QString(), false);
    EXPECT_TRUE(m_editor->UpdateLocked());
    // No status event while suspended.
    EXPECT_EQ(status.count(), 0);
    m_editor->SetPermanentLock(false);
    EXPECT_FALSE(m_editor->UpdateLocked());
    m_editor->SetModified(true);
    EXPECT_EQ(status.count(), 1);
}

TEST_F(RichHTML, FontSettingsReadDefaultsAndWriteEveryValue)
{
    const QString key = QStringLiteral("Software\\Velicort\\ColorCoding");
    WriteRegValue(key, QStringLiteral("FontAnchorsColor"), QStringLiteral("0xFF"));
    WriteRegValue(key, QStringLiteral("fonttagseffects"), 3);
    WriteRegValue(key, QStringLiteral("FontImagesColor"), QStringLiteral("purple"));
    m_editor->ReadFontSettings(key);
    EXPECT_EQ(m_editor->StylePair(scAnchors), (TStylePair{0, 0xFF}));
    EXPECT_EQ(m_editor->StylePair(scTags), (TStylePair{3, 0x800000}));
    EXPECT_EQ(m_editor->StylePair(scImages), TvqRichHTML::DefaultStylePair(scImages));
    // Without stored values: the system's fixed-width font at its size.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    EXPECT_EQ(m_editor->FontName(), fixed.family());
    EXPECT_EQ(m_editor->FontSize(), fixed.pointSize());
    EXPECT_EQ(m_editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBOLD, long(scTags)), 1);
    EXPECT_EQ(m_editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETITALIC, long(scTags)), 1);
    EXPECT_EQ(m_editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, long(scAnchors)), 0xFF);

    m_editor->SetEditorFont(QStringLiteral("DejaVu Sans Mono"), 10);
    m_editor->WriteFontSettings(QStringLiteral("Software\\Velicort\\Other"));
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\Other"), QStringLiteral("DefaultFontName"), QString()),
              QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\Other"), QStringLiteral("FontTablesColor"), QString()),
              QString::number(0x808000));
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\Other"), QStringLiteral("FontTagsEffects"), QString()),
              QStringLiteral("3"));

    m_editor->ReadFontSettings(QString());
    m_editor->WriteFontSettings(QString());
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("ReadFontSettings - Invalid FFontRegistryKey."));
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("WriteFontSettings - Invalid FontRegKey."));
}

TEST_F(RichHTML, ForegroundColourChangeRecoloursAndMovesTheCaretHome)
{
    Load("<A>x</A> y");
    m_editor->SetSelStart(5);
    m_editor->SetForegroundColor(0x0000FF);
    EXPECT_EQ(m_editor->GetSelStart(), 0);
    EXPECT_EQ(m_editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, long(scPlain)), 0x0000FF);
    EXPECT_EQ(StyleAt(0), scAnchors);
    EXPECT_FALSE(m_editor->Modified());
}

TEST_F(RichHTML, TheLineNumberMarginWidensWithTheLineCount)
{
    m_editor->SetLineNumbers(true);
    m_editor->InsertTag(QStringLiteral("one\r\ntwo\r\n"), QString(), false);
    QCoreApplication::processEvents();
    const int few = m_editor->LineNumberWidth();
    EXPECT_GT(few, 0);
    m_editor->InsertTag(QStringLiteral("line\r\n").repeated(12000), QString(), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_editor->LineNumberWidth() > few; }, 2000));
    m_editor->SetLineNumbers(false);
    EXPECT_EQ(m_editor->LineNumberWidth(), 0);
}
