// SPDX-License-Identifier: GPL-3.0-or-later
// The link verifier window over a page whose links point at loopback web
// servers and local files: listing, verifying (one, all, cancelled),
// changing a link, saving, closing, the root, time-out and port dialogs and
// the printed report.

#include "TfLinkTest.h"

#include "LongRun.h"
#include "LoopbackWebServer.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "TfLinkTestModifyLink.h"
#include "TfLinkTestNumber.h"
#include "TfLinkTestPrint.h"
#include "TfLinkTestRoot.h"
#include "TvqRichHTML.h"
#include "WhenShown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QStringList Column(const QTreeWidget *list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.append(list->topLevelItem(i)->text(column));
    return texts;
}

QList<int> Icons(const QTreeWidget *list)
{
    QList<int> icons;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        icons.append(TfLinkTest::RowIcon(list->topLevelItem(i)));
    return icons;
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LinkTestWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        verifier.Queue()->TickInterval = 50;
        verifier.SetTimeOut(3);
    }

    QAction *Command(const char *name) { return verifier.findChild<QAction *>(QLatin1String(name)); }

    QString Page(const QByteArray &text) { return WriteTestFile(dir.filePath(QStringLiteral("page.htm")), text); }

    QTemporaryDir dir;
    TLoopbackWebServer server;
    TfLinkTest verifier;
};

} // namespace

TEST_F(LinkTestWindow, ListsTheLinksThenTheImagesAndMarksTheFirstInTheSource)
{
    const QString page = Page("<body background=\"bg.gif\">\r\n<a href=\"b.htm\">b</a> <a href=\"#top\">top</a>\r\n"
                              "<a href=\"B.HTM\">again</a> <a href=\"mailto:me@x.org\">me</a> <img src=\"i.gif\">\r\n");
    verifier.SetRoot(QStringLiteral("http://h/dir/"));
    ASSERT_TRUE(verifier.LoadDocument(page));
    const QTreeWidget *list = verifier.LinkList();
    EXPECT_EQ(verifier.windowTitle(), QStringLiteral("Link Verification - [") + page + u']');
    EXPECT_EQ(Column(list, TfLinkTest::colLink), (QStringList{"#top", "b.htm", "i.gif", "bg.gif"}));
    EXPECT_EQ(Column(list, TfLinkTest::colFullURL), (QStringList{"http://h/dir/page.htm#top", "http://h/dir/b.htm",
                                                                 "http://h/dir/i.gif", "http://h/dir/bg.gif"}));
    EXPECT_EQ(Column(list, TfLinkTest::colStatus), QStringList(4, QStringLiteral("Untested")));
    EXPECT_EQ(Icons(list), (QList<int>{0, 0, 2, 2}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list->topLevelItem(i)->checkState(0), Qt::Checked);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));

    // The selected link's quoted occurrences, found without case, in bold red.
    verifier.show();
    verifier.LinkList()->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(verifier.StatusText(), QStringLiteral("\"b.htm\" appears 2 times in this document"));
    const QByteArray source = verifier.SourceView()->RawText();
    const qsizetype first = source.indexOf("\"b.htm\"");
    qsizetype start = 0;
    qsizetype length = 0;
    verifier.SourceView()->GetSel(start, length);
    EXPECT_EQ(start, first);
    EXPECT_EQ(length, 7);
    const auto styleAt = [this](qsizetype at) {
        return verifier.SourceView()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(at));
    };
    const qsizetype second = source.indexOf("\"B.HTM\"");
    EXPECT_EQ(styleAt(first), 16);
    EXPECT_EQ(styleAt(second + 6), 16);
    EXPECT_FALSE(verifier.SourceView()->Modified());
    verifier.LinkList()->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(verifier.StatusText(), QStringLiteral("\"i.gif\" appears 1 time in this document"));
    EXPECT_NE(styleAt(first), 16); // the earlier marks are gone

    // Text cannot be typed into the source.
    verifier.SourceView()->setFocus();
    QTest::keyClicks(verifier.SourceView(), QStringLiteral("xyz"));
    EXPECT_EQ(verifier.SourceView()->RawText(), source);

    // Sorting by a column header flips the order each time.
    verifier.LinkList()->header()->sectionClicked(TfLinkTest::colLink);
    EXPECT_EQ(Column(list, TfLinkTest::colLink), (QStringList{"#top", "b.htm", "bg.gif", "i.gif"}));
    verifier.LinkList()->header()->sectionClicked(TfLinkTest::colLink);
    EXPECT_EQ(Column(list, TfLinkTest::colLink), (QStringList{"i.gif", "bg.gif", "b.htm", "#top"}));
}

TEST_F(LinkTestWindow, AMissingDocumentIsReported)
{
    const QString missing = dir.filePath(QStringLiteral("gone.htm"));
    EXPECT_FALSE(verifier.LoadDocument(missing));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File ") + missing + QStringLiteral(" does not exist."));
}

TEST_F(LinkTestWindow, VerifyAllChecksTheMarkedRowsAgainstServersAndFiles)
{
    server.Answer(QStringLiteral("/ok.htm"), "HTTP/1.1 200 OK");
    server.Answer(QStringLiteral("/moved.htm"), "HTTP/1.1 301 Moved\r\nLocation: /ok.htm");
    server.Answer(QStringLiteral("/page.htm"), "HTTP/1.1 200 OK");
    server.Answer(QStringLiteral("/forbidden.htm"), "HTTP/1.1 403 Forbidden");
    server.Answer(QStringLiteral("/error.htm"), "HTTP/1.1 500 Internal Server Error");
    server.Silent(QStringLiteral("/silent.htm"));
    const QString dead = QStringLiteral("http://127.0.0.1:%1/x.htm").arg(DeadLoopbackPort());
    const QString page = Page("<a href=\"ok.htm\"> <a href=\"moved.htm\"> <a href=\"#top\"> <a href=\"nothere.htm\">"
                              "<a href=\"forbidden.htm\"> <a href=\"error.htm\"> <a href=\"silent.htm\"> <a href=\"" +
                              dead.toLatin1() + "\"> <a href=\"skipped.htm\">");
    verifier.SetRoot(server.Url(QString()));
    ASSERT_TRUE(verifier.LoadDocument(page));
    QTreeWidget *list = verifier.LinkList();
    ASSERT_EQ(list->topLevelItemCount(), 9);
    const int skipped = int(Column(list, TfLinkTest::colLink).indexOf(QStringLiteral("skipped.htm")));
    list->topLevelItem(skipped)->setCheckState(0, Qt::Unchecked);

    // Meanwhile: the toolbar is limited to Cancel, marks are fixed, the
    // window stays, and changes to documents wait.
    bool checkedDuringRun = false;
    bool idleCallRanAfter = false;
    QObject context;
    QObject::connect(verifier.Queue(), &TLinkCheckQueue::Verifying, &context, [&] {
        if (checkedDuringRun)
            return;
        checkedDuringRun = true;
        EXPECT_FALSE(Command("spdVerifyAll")->isEnabled());
        EXPECT_FALSE(Command("spdModifyCurrent")->isEnabled());
        EXPECT_FALSE(Command("spdClose")->isEnabled());
        EXPECT_TRUE(Command("spdCancel")->isEnabled());
        EXPECT_TRUE(verifier.ProgressShown());
        EXPECT_FALSE(list->topLevelItem(0)->flags() & Qt::ItemIsUserCheckable);
        verifier.CloseVerifier();
        EXPECT_FALSE(verifier.close());
        EXPECT_EQ(verifier.result(), 0);
        TLongRun::WhenIdle(&context, [&] { idleCallRanAfter = !verifier.Verifying(); });
    });
    verifier.show();
    verifier.VerifyAll();
    EXPECT_TRUE(checkedDuringRun);
    EXPECT_TRUE(verifier.isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(idleCallRanAfter);

    QMap<QString, QString> status;
    QMap<QString, int> icon;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        status.insert(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(2));
        icon.insert(list->topLevelItem(i)->text(0), TfLinkTest::RowIcon(list->topLevelItem(i)));
    }
    EXPECT_EQ(status["ok.htm"], QStringLiteral("Verified"));
    EXPECT_EQ(status["moved.htm"], QStringLiteral("Verified"));
    EXPECT_EQ(status["#top"], QStringLiteral("Verified document, skipped internal link"));
    EXPECT_EQ(status["nothere.htm"], QStringLiteral("HTTP/1.1 404 Not Found"));
    EXPECT_EQ(status["forbidden.htm"], QStringLiteral("HTTP/1.1 403 Forbidden"));
    EXPECT_EQ(status["error.htm"], QStringLiteral("HTTP/1.1 500 Internal Server Error"));
    EXPECT_EQ(status["silent.htm"], QStringLiteral("Timed out"));
    EXPECT_EQ(status[dead], QStringLiteral("[10061] Connection refused"));
    EXPECT_EQ(status["skipped.htm"], QStringLiteral("Untested"));
    EXPECT_EQ(icon["ok.htm"], TfLinkTest::icVerified);
    EXPECT_EQ(icon["#top"], TfLinkTest::icVerified);
    EXPECT_EQ(icon["error.htm"], TfLinkTest::icFailed);
    EXPECT_EQ(icon["silent.htm"], TfLinkTest::icTimedOut);
    EXPECT_EQ(icon["skipped.htm"], TfLinkTest::icHTML);

    EXPECT_FALSE(verifier.ProgressShown());
    EXPECT_TRUE(Command("spdVerifyAll")->isEnabled());
    EXPECT_FALSE(Command("spdCancel")->isEnabled());
    EXPECT_TRUE(list->topLevelItem(0)->flags() & Qt::ItemIsUserCheckable);

    // Verifying one row resets no other.
    list->setCurrentItem(list->topLevelItem(skipped));
    verifier.VerifyCurrent();
    EXPECT_EQ(list->topLevelItem(skipped)->text(2), QStringLiteral("HTTP/1.1 404 Not Found"));
    EXPECT_EQ(status["ok.htm"], QStringLiteral("Verified"));
}

TEST_F(LinkTestWindow, UnderALocalRootLinksAreFiles)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("img")));
    WriteTestFile(dir.filePath(QStringLiteral("img/a.gif")), "GIF89a");
    verifier.SetRoot(dir.path() + u'/');
    ASSERT_TRUE(verifier.LoadDocument(Page("<a href=\"#top\"><img src=\"img/a.gif\"><img src=\"img/gone.gif\">")));
    EXPECT_EQ(Column(verifier.LinkList(), TfLinkTest::colFullURL),
              (QStringList{dir.filePath(QStringLiteral("page.htm#top")), dir.filePath(QStringLiteral("img/a.gif")),
                           dir.filePath(QStringLiteral("img/gone.gif"))}));
    verifier.VerifyAll();
    EXPECT_EQ(Column(verifier.LinkList(), TfLinkTest::colStatus),
              (QStringList{"Verified document, skipped internal link", "Verified", "File not found"}));
    EXPECT_EQ(Icons(verifier.LinkList()), (QList<int>{5, 5, 1}));
}

TEST_F(LinkTestWindow, NothingMarkedIsSaid)
{
    ASSERT_TRUE(verifier.LoadDocument(Page("<a href=\"a.htm\">")));
    verifier.LinkList()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    verifier.VerifyAll();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("No links are selected."));
}

TEST_F(LinkTestWindow, EscapeHalfWayKeepsTheResultsAndCancelsTheChecksUnderWay)
{
    server.Answer(QStringLiteral("/a.htm"), "HTTP/1.1 200 OK");
    server.Silent(QStringLiteral("/b.htm"));
    server.Silent(QStringLiteral("/c.htm"));
    server.Answer(QStringLiteral("/d.htm"), "HTTP/1.1 200 OK");
    verifier.Queue()->Parallel = 2;
    verifier.SetTimeOut(100);
    verifier.SetRoot(server.Url(QString()));
    ASSERT_TRUE(
        verifier.LoadDocument(Page("<a href=\"a.htm\"><a href=\"b.htm\"><a href=\"c.htm\"><a href=\"d.htm\">")));
    QObject context;
    QObject::connect(verifier.Queue(), &TLinkCheckQueue::Verifying, &context, [&](const QString &url) {
        if (url.endsWith(QLatin1String("/c.htm")))
            QTimer::singleShot(100, &context, [&] { QTest::keyClick(verifier.LinkList(), Qt::Key_Escape); });
    });
    verifier.show();
    verifier.VerifyAll();
    const QTreeWidget *list = verifier.LinkList();
    EXPECT_EQ(Column(list, TfLinkTest::colStatus),
              (QStringList{"Verified", "Operation has been canceled", "Operation has been canceled", "Untested"}));
    EXPECT_EQ(Icons(list), (QList<int>{5, 1, 1, 0}));
    EXPECT_TRUE(verifier.isVisible()); // Escape cancelled; it did not close
    EXPECT_TRUE(Command("spdClose")->isEnabled());
}

TEST_F(LinkTestWindow, ModifyingALinkChangesItsQuotedOccurrencesInOneUndoStepAndSaving)
{
    const QString page = Page("<a href=\"a.htm\">a.htm</a> <A HREF=\"A.HTM\">x</A> <a href=\"data.htm\">\r\n");
    verifier.SetRoot(QStringLiteral("http://h"));
    ASSERT_TRUE(verifier.LoadDocument(page));
    QTreeWidget *list = verifier.LinkList();
    list->setCurrentItem(list->topLevelItem(0));
    ASSERT_EQ(list->currentItem()->text(0), QStringLiteral("a.htm"));
    EXPECT_FALSE(Command("spdSave")->isEnabled());

    // Cancel changes nothing.
    WhenShown<TfLinkTestModifyLink>([](TfLinkTestModifyLink *dialog) { dialog->reject(); });
    verifier.ModifyCurrent();
    EXPECT_FALSE(verifier.Modified());

    WhenShown<TfLinkTestModifyLink>([&](TfLinkTestModifyLink *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Modify Link"));
        EXPECT_EQ(dialog->edtSource->text(), page);
        EXPECT_EQ(dialog->edtOriginal->text(), QStringLiteral("a.htm"));
        EXPECT_EQ(dialog->edtFullURL->text(), QStringLiteral("http://h/a.htm"));
        dialog->edtChangeTo->setText(QStringLiteral("sub/c.htm"));
        dialog->accept();
    });
    verifier.ModifyCurrent();
    const QByteArray changed = "<a href=\"sub/c.htm\">a.htm</a> <A HREF=\"sub/c.htm\">x</A> <a href=\"data.htm\">\r\n";
    EXPECT_EQ(verifier.SourceView()->RawText(), changed);
    EXPECT_TRUE(verifier.Modified());
    EXPECT_TRUE(verifier.SourceView()->Modified());
    EXPECT_TRUE(Command("spdSave")->isEnabled());
    EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("sub/c.htm"));
    EXPECT_EQ(list->currentItem()->text(1), QStringLiteral("http://h/sub/c.htm"));
    EXPECT_EQ(list->currentItem()->text(2), QStringLiteral("Untested"));
    EXPECT_EQ(verifier.StatusText(), QStringLiteral("\"sub/c.htm\" appears 2 times in this document"));
    ASSERT_EQ(verifier.SourceView()->UndoList().Count(), 1);

    // The closing question: Cancel stays, Yes saves and closes.
    Scripted().answers = {TMsgResult::Cancel};
    verifier.CloseVerifier();
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("Save changes to ") + page + u'?');
    EXPECT_EQ(verifier.result(), 0);
    EXPECT_FALSE(verifier.Saved());
    Scripted().answers = {TMsgResult::Yes};
    verifier.CloseVerifier();
    EXPECT_EQ(verifier.result(), int(QDialog::Accepted));
    EXPECT_TRUE(verifier.Saved());
    EXPECT_EQ(FileBytes(page), changed);

    // The one undo step gives the old text back.
    verifier.SourceView()->SendScintilla(QsciScintillaBase::SCI_SETREADONLY, 0UL);
    verifier.SourceView()->Undo();
    EXPECT_EQ(verifier.SourceView()->RawText(),
              QByteArray("<a href=\"a.htm\">a.htm</a> <A HREF=\"A.HTM\">x</A> <a href=\"data.htm\">\r\n"));
}

TEST_F(LinkTestWindow, ADoubleClickDuringARunOpensTheChangeAfterIt)
{
    server.Answer(QStringLiteral("/a.htm"), "HTTP/1.1 200 OK", 200);
    verifier.SetRoot(server.Url(QString()));
    ASSERT_TRUE(verifier.LoadDocument(Page("<a href=\"a.htm\">")));
    QTreeWidget *list = verifier.LinkList();
    bool shownAfterRun = false;
    QObject context;
    QObject::connect(verifier.Queue(), &TLinkCheckQueue::Verifying, &context, [&] {
        list->itemDoubleClicked(list->topLevelItem(0), 0);
        WhenShown<TfLinkTestModifyLink>([&](TfLinkTestModifyLink *dialog) {
            shownAfterRun = !verifier.Verifying();
            dialog->reject();
        });
    });
    verifier.show();
    verifier.VerifyAll();
    EXPECT_FALSE(shownAfterRun);
    QTest::qWait(200);
    EXPECT_TRUE(shownAfterRun);
}

TEST_F(LinkTestWindow, ClosingUnchangedNeedsNoQuestionAndKeepsTheLayout)
{
    ASSERT_TRUE(verifier.LoadDocument(Page("<a href=\"a.htm\">")));
    verifier.show();
    // The splitter stands SplitTop pixels from the window's top.
    const QTreeWidget *list = verifier.LinkList();
    EXPECT_NEAR(list->mapTo(&verifier, QPoint(0, list->height())).y(), 300, 3);
    verifier.resize(700, 500);
    Command("spdShowSource")->setChecked(false);
    EXPECT_FALSE(verifier.SourceView()->isVisible());
    QTest::keyClick(&verifier, Qt::Key_Escape);
    EXPECT_TRUE(Scripted().messages.isEmpty());
    EXPECT_EQ(verifier.result(), int(QDialog::Rejected));
    EXPECT_EQ(ReadRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("Width"), 0), QStringLiteral("700"));
    EXPECT_EQ(ReadRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("ShowSource"), 1), QStringLiteral("0"));
    TfLinkTest again;
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_FALSE(again.findChild<QAction *>(QStringLiteral("spdShowSource"))->isChecked());
}

TEST_F(LinkTestWindow, TheRootDialogRefusesWhatIsNeitherAddressNorFolder)
{
    const QString page = Page("<a href=\"a.htm\">");
    verifier.SetRoot(QStringLiteral("http://h"));
    ASSERT_TRUE(verifier.LoadDocument(page));
    int step = 0;
    std::function<void(TfLinkTestRoot *)> answer = [&](TfLinkTestRoot *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set Root URL"));
        const char *texts[] = {"ftp://x", "http://", "HTTP://Web.Example/Dir/"};
        dialog->cboRoot->setCurrentText(QLatin1String(texts[step]));
        dialog->chkDefault->setChecked(true);
        dialog->accept();
        if (++step < 3) {
            EXPECT_TRUE(dialog->isVisible());
            answer(dialog);
        }
    };
    WhenShown<TfLinkTestRoot>(answer);
    verifier.ChangeRoot();
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Please enter either a valid URL or a local path."));
    EXPECT_EQ(verifier.Root(), QStringLiteral("HTTP://Web.Example/Dir"));
    EXPECT_EQ(verifier.LinkList()->topLevelItem(0)->text(1), QStringLiteral("HTTP://Web.Example/Dir/a.htm"));
    EXPECT_EQ(ReadRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("DefaultURL"), QString()),
              QStringLiteral("http://web.example/dir/"));

    // A local folder, not kept as the default; the history holds both.
    WhenShown<TfLinkTestRoot>([&](TfLinkTestRoot *dialog) {
        EXPECT_TRUE(dialog->chkDefault->isChecked());
        EXPECT_EQ(dialog->cboRoot->currentText(), QStringLiteral("http://web.example/dir/"));
        dialog->cboRoot->setCurrentText(dir.path());
        dialog->chkDefault->setChecked(false);
        dialog->accept();
    });
    verifier.ChangeRoot();
    EXPECT_EQ(verifier.LinkList()->topLevelItem(0)->text(1), dir.filePath(QStringLiteral("a.htm")));
    EXPECT_EQ(ReadRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("DefaultURL"), QString()), QString());
    EXPECT_EQ(TfLinkTestRoot::RootHistory(), (QStringList{dir.path().toLower(), "http://web.example/dir/"}));
}

TEST_F(LinkTestWindow, TimeOutAndPortAreAskedAndStored)
{
    WhenShown<TfLinkTestNumber>([](TfLinkTestNumber *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set Timeout"));
        EXPECT_EQ(dialog->edtValue->text(), QStringLiteral("30"));
        dialog->edtValue->setText(QStringLiteral("45"));
        dialog->accept();
    });
    verifier.ChangeTimeOut();
    EXPECT_EQ(verifier.TimeOut(), 45);
    EXPECT_EQ(TLinkCheckSettings::Stored().timeOut, 45);

    WhenShown<TfLinkTestNumber>([](TfLinkTestNumber *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set Port"));
        QTest::keyClicks(dialog->edtValue, QStringLiteral("x8"));
        EXPECT_EQ(dialog->edtValue->text(), QStringLiteral("808")); // digits only
        dialog->accept();
    });
    verifier.ChangePort();
    EXPECT_EQ(verifier.Port(), 808);
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort"), QStringLiteral("HTTPPort"), 0), QStringLiteral("808"));

    WhenShown<TfLinkTestNumber>([](TfLinkTestNumber *dialog) {
        dialog->edtValue->clear();
        dialog->accept();
    });
    verifier.ChangePort();
    EXPECT_EQ(verifier.Port(), 80);
}

TEST(LinkReport, PrintsTheRowsChosenPageByPage)
{
    QTemporaryDir dir;
    QList<TReportRow> rows;
    for (int i = 0; i < 150; ++i)
        rows.append({QStringLiteral("link%1.htm").arg(i), QStringLiteral("http://h/link%1.htm").arg(i),
                     i % 3 ? QStringLiteral("Verified") : QStringLiteral("HTTP/1.1 404 Not Found"), i % 3 ? 5 : 1});
    const auto print = [&](TReportRows which, const QString &name) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name));
        return PrintLinkReport(printer, QStringLiteral("/Site/Page.htm"), rows, which);
    };
    const int all = print(TReportRows::All, QStringLiteral("all.pdf"));
    const int failed = print(TReportRows::Failed, QStringLiteral("failed.pdf"));
    EXPECT_GT(all, 1);
    EXPECT_LT(failed, all);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("all.pdf"))).size(), 1000);

    // The dialog prints with the option chosen; its set-up goes to the
    // printer dialog.
    Scripted().Reset();
    TfLinkTestPrint dialog(QStringLiteral("/Site/Page.htm"), rows, nullptr);
    dialog.findChild<QPushButton *>(QStringLiteral("btnSetup"))->click();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print Links"));
    dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
    dialog.Printer().setOutputFileName(dir.filePath(QStringLiteral("dialog.pdf")));
    dialog.rbVerified->setChecked(true);
    EXPECT_EQ(dialog.Which(), TReportRows::Verified);
    dialog.Print();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("dialog.pdf"))));
}

TEST(VerifyDocumentLinks, AsksTheRootUnlessOneIsStoredAndReportsAMissingFile)
{
    Scripted().Reset();
    QTemporaryDir dir;
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("p.htm")), "<a href=\"a.htm\">");
    bool asked = false;
    WhenShown<TfLinkTestRoot>([&](TfLinkTestRoot *dialog) {
        asked = true;
        dialog->reject();
    });
    EXPECT_FALSE(VerifyDocumentLinks(page, nullptr));
    EXPECT_TRUE(asked);

    WriteRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("DefaultURL"), dir.path());
    const QString missing = dir.filePath(QStringLiteral("gone.htm"));
    EXPECT_FALSE(VerifyDocumentLinks(missing, nullptr));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File ") + missing + QStringLiteral(" does not exist."));

    // Shown with the stored root, the time-out and the port.
    WriteRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("Timeout"), QStringLiteral("x"));
    WhenShown<TfLinkTest>([&](TfLinkTest *verifier) {
        EXPECT_EQ(verifier->Root(), dir.path());
        EXPECT_EQ(verifier->TimeOut(), 30);
        EXPECT_EQ(verifier->Port(), 80);
        verifier->CloseVerifier();
    });
    EXPECT_FALSE(VerifyDocumentLinks(page, nullptr));
}
