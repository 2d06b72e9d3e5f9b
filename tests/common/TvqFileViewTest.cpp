// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqFileView.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QStringList Extensions = {"HTML", "HTM", "CSS"};

QStringList Column(const TvqFileView &view, int column = fcName)
{
    QStringList texts;
    for (int row = 0; row < view.topLevelItemCount(); ++row)
        texts.append(view.topLevelItem(row)->text(column));
    return texts;
}

void SetModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

class TvqFileViewTest : public testing::Test
{
protected:
    QString File(const QString &name, const QByteArray &bytes = QByteArray("x"))
    {
        return WriteTestFile(m_dir.filePath(name), bytes);
    }
    // n documents, each with a title.
    QStringList Documents(int n, const QString &prefix = QStringLiteral("page"))
    {
        QStringList paths;
        for (int i = 0; i < n; ++i)
            paths.append(File(QStringLiteral("%1%2.htm").arg(prefix).arg(i, 5, 10, QLatin1Char('0')),
                              "<html><title>Page " + QByteArray::number(i) + "</title></html>"));
        return paths;
    }
    static void WaitForScan(TvqFileView &view)
    {
        QSignalSpy finished(&view, &TvqFileView::ScanFinished);
        if (view.ScanRunning()) {
            ASSERT_TRUE(finished.wait(20000));
        }
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST(FileDetails, SizesAreRoundedKilobytesOfAtLeastOne)
{
    EXPECT_EQ(FileSizeText(0), QStringLiteral("1KB"));
    EXPECT_EQ(FileSizeText(1535), QStringLiteral("1KB"));
    EXPECT_EQ(FileSizeText(1536), QStringLiteral("2KB"));
    EXPECT_EQ(FileSizeText(5LL << 40), QStringLiteral("5368709120KB"));
}

TEST_F(TvqFileViewTest, DetailsDescribeEachKindOfFile)
{
    // The title may come after a long start, with attributes and line
    // breaks; its text is UTF-8 when the file is.
    const QString late = File(QStringLiteral("late.HTM"),
                              QByteArray(40000, ' ') + "<TITLE lang=\"fr\">\n  Caf\xC3\xA9\n au lait </TITLE>");
    TFileDetails details = ReadFileDetails(late, Extensions, true);
    EXPECT_TRUE(details.exists);
    EXPECT_EQ(details.image, fiDocument);
    EXPECT_EQ(details.type, QStringLiteral("HTM"));
    EXPECT_EQ(details.size, QStringLiteral("39KB"));
    EXPECT_EQ(details.description, QString::fromUtf8("Caf\xC3\xA9 au lait"));
    EXPECT_FALSE(details.modified.isEmpty());

    // A page that declares Windows-1252 has its title read in it, even where
    // the title alone would pass for UTF-8.
    EXPECT_EQ(ReadFileDetails(File("cp.html", "<meta charset=\"windows-1252\"><title>\x93"
                                              "Caf\xC3\xA9\x94</title>"),
                              Extensions, true)
                  .description,
              QString::fromUtf8("\u201CCaf\u00C3\u00A9\u201D"));
    EXPECT_EQ(ReadFileDetails(File("bare.html", "<p>no title"), Extensions, true).description,
              QStringLiteral("[Untitled]"));
    EXPECT_EQ(ReadFileDetails(File("empty.html", "<title></title>"), Extensions, true).description,
              QStringLiteral("[Untitled]"));
    EXPECT_EQ(ReadFileDetails(File("cut.html", "<title>Never closed"), Extensions, true).description,
              QStringLiteral("Never closed"));
    // A huge file is not read to its end for a title.
    EXPECT_EQ(
        ReadFileDetails(File("huge.html", QByteArray(300 * 1024, ' ') + "<title>Too late</title>"), Extensions, true)
            .description,
        QStringLiteral("[Untitled]"));

    const QString link = File("site.url", "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    details = ReadFileDetails(link, Extensions, true);
    EXPECT_EQ(details.image, fiShortcut);
    EXPECT_EQ(details.description, QStringLiteral("http://example.com/"));
    EXPECT_EQ(ReadFileDetails(File("look.css"), Extensions, true).description, QStringLiteral("Style Sheet"));
    EXPECT_EQ(ReadFileDetails(File("pic.jpeg"), Extensions, true).image, fiImage);
    EXPECT_EQ(ReadFileDetails(File("clip.mov"), Extensions, true).description, QStringLiteral("Animation"));
    EXPECT_EQ(ReadFileDetails(File("tune.aiff"), Extensions, true).image, fiSound);
    details = ReadFileDetails(File("notes.txt"), Extensions, true);
    EXPECT_EQ(details.image, fiOther);
    EXPECT_TRUE(details.description.isEmpty());

    // Names only: the picture, no columns and no reading of the file.
    details = ReadFileDetails(late, Extensions, false);
    EXPECT_EQ(details.image, fiDocument);
    EXPECT_TRUE(details.type.isEmpty() && details.description.isEmpty());
}

TEST_F(TvqFileViewTest, AFileThatVanishedIsListedAsNotFound)
{
    TvqFileView view;
    view.SetHTMLExtensions(Extensions);
    const QString gone = File("gone.htm");
    QFile::remove(gone);
    QTreeWidgetItem *item = view.AddFile(gone);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(fcName), QStringLiteral("gone.htm"));
    EXPECT_EQ(TvqFileView::ItemImage(item), fiNotFound);
    EXPECT_EQ(item->text(fcType), QStringLiteral("*******"));
    EXPECT_EQ(item->text(fcSize), QStringLiteral("0"));
    EXPECT_EQ(item->text(fcDescription), QStringLiteral("[file not found]"));
    EXPECT_TRUE(item->text(fcCreated).isEmpty() && item->text(fcModified).isEmpty());

    // Once it is back, the row shows it again.
    File("gone.htm", "<title>Back</title>");
    view.UpdateFileItem(item);
    EXPECT_EQ(TvqFileView::ItemImage(item), fiDocument);
    EXPECT_EQ(item->text(fcDescription), QStringLiteral("Back"));
}

TEST_F(TvqFileViewTest, PreviewCopiesAreNeverListed)
{
    TvqFileView view;
    view.SetIgnorePrefix(QStringLiteral("~vc"));
    EXPECT_EQ(view.AddFile(File("~vc1234.htm")), nullptr);
    EXPECT_EQ(view.AddFile(File("~VC5678.htm")), nullptr);
    EXPECT_NE(view.AddFile(File("page~vc.htm")), nullptr);

    QStringList paths = Documents(40);
    paths.append(File("~vcABCD.htm"));
    view.SetFiles(paths);
    WaitForScan(view);
    EXPECT_EQ(view.topLevelItemCount(), 40);
    EXPECT_FALSE(Column(view).join(u' ').contains(QLatin1String("~vc")));
}

TEST(ScanProgress, ShowsOnlyAbove30FilesAndNeverPassesAHundred)
{
    EXPECT_FALSE(TScanProgress(30).Shown());
    for (const int count : {31, 36, 1000}) {
        TScanProgress progress(count);
        ASSERT_TRUE(progress.Shown());
        EXPECT_EQ(progress.Text(), QStringLiteral("Scanning..."));
        progress.Advance();
        EXPECT_TRUE(progress.Text().startsWith(QLatin1String("Scanning ... [")));
        int last = 0;
        for (int i = 1; i < count; ++i) {
            progress.Advance();
            const int percent = progress.Text().section(u'[', 1).chopped(2).toInt();
            EXPECT_GE(percent, last);
            EXPECT_LE(percent, 100);
            last = percent;
        }
        EXPECT_GT(last, 0);
    }
}

TEST_F(TvqFileViewTest, AScanListsTheFilesInNameOrderWithItsLabelAbove30Files)
{
    TvqFileView view;
    view.SetHTMLExtensions(Extensions);

    view.SetFiles(Documents(30));
    EXPECT_EQ(view.findChild<QLabel *>(QStringLiteral("lblScanning")), nullptr);
    WaitForScan(view);
    EXPECT_EQ(view.topLevelItemCount(), 30);

    QStringList paths = Documents(31, QStringLiteral("b"));
    paths.append(File("A.htm"));
    std::reverse(paths.begin(), paths.end());
    view.SetFiles(paths);
    EXPECT_TRUE(view.ScanRunning());
    EXPECT_NE(view.findChild<QLabel *>(QStringLiteral("lblScanning")), nullptr);
    WaitForScan(view);
    EXPECT_FALSE(view.ScanRunning());
    EXPECT_EQ(view.findChild<QLabel *>(QStringLiteral("lblScanning")), nullptr);
    ASSERT_EQ(view.topLevelItemCount(), 32);
    EXPECT_EQ(view.topLevelItem(0)->text(fcName), QStringLiteral("A.htm"));
    EXPECT_EQ(view.topLevelItem(1)->text(fcName), QStringLiteral("b00000.htm"));
    EXPECT_EQ(view.topLevelItem(31)->text(fcDescription), QStringLiteral("Page 30"));
}

TEST_F(TvqFileViewTest, ANewScanReplacesOneStoppedHalfWay)
{
    const QStringList many = Documents(3000);
    const QStringList few = {File("one.htm"), File("two.htm")};
    TvqFileView view;
    for (int round = 0; round < 5; ++round) {
        view.SetFiles(many);
        QCoreApplication::processEvents(); // perhaps a batch or two arrive
        view.SetFiles(few);
        WaitForScan(view);
        // Let any late batch of the first scan arrive: it must be dropped.
        QCoreApplication::processEvents();
        EXPECT_EQ(Column(view), (QStringList{"one.htm", "two.htm"}));
    }

    // A stop keeps what was listed so far and ends the scan.
    view.SetFiles(many);
    view.StopScan();
    WaitForScan(view);
    EXPECT_FALSE(view.ScanRunning());
    EXPECT_LT(view.topLevelItemCount(), many.size());
}

TEST_F(TvqFileViewTest, ClosingTheListDuringAScanNeitherHangsNorCrashes)
{
    const QStringList many = Documents(3000);
    for (int round = 0; round < 5; ++round) {
        auto view = std::make_unique<TvqFileView>();
        view->SetFiles(many);
        for (int i = 0; i < round; ++i)
            QCoreApplication::processEvents();
        view.reset();
        QCoreApplication::processEvents(); // late batches find no list
    }
}

TEST_F(TvqFileViewTest, ColumnClicksSortBySizeAndDateBothWays)
{
    TvqFileView view;
    const QString small = File("small.htm", QByteArray(100, 'x'));
    const QString big = File("big.htm", QByteArray(10000, 'x'));
    const QString middle = File("middle.htm", QByteArray(3000, 'x'));
    const QDateTime base = QDateTime::currentDateTime().addDays(-10);
    SetModified(small, base.addDays(2));
    SetModified(big, base);
    SetModified(middle, base.addDays(1));
    for (const QString &path : {small, big, middle})
        view.AddFile(path);
    const QString gone = File("gone.htm");
    QFile::remove(gone);
    view.AddFile(gone);

    view.SortByColumn(fcSize);
    EXPECT_EQ(Column(view), (QStringList{"gone.htm", "small.htm", "middle.htm", "big.htm"}));
    view.SortByColumn(fcSize);
    EXPECT_EQ(Column(view), (QStringList{"big.htm", "middle.htm", "small.htm", "gone.htm"}));
    // The direction flips on every click, whichever the column.
    view.SortByColumn(fcModified);
    EXPECT_EQ(Column(view), (QStringList{"gone.htm", "big.htm", "middle.htm", "small.htm"}));
    view.SortByColumn(fcModified);
    EXPECT_EQ(Column(view), (QStringList{"small.htm", "middle.htm", "big.htm", "gone.htm"}));
}

TEST_F(TvqFileViewTest, NamesOnlyHidesTheDetailsAndBringsThemBack)
{
    TvqFileView view;
    view.resize(300, 200);
    view.SetListOnlyFileNames(true);
    QTreeWidgetItem *item = view.AddFile(File("page.htm", "<title>T</title>"));
    EXPECT_TRUE(item->text(fcDescription).isEmpty());
    EXPECT_EQ(TvqFileView::ItemImage(item), fiDocument);
    for (int column = fcType; column < fcColumnCount; ++column)
        EXPECT_TRUE(view.isColumnHidden(column));
    EXPECT_EQ(view.columnWidth(fcName), view.viewport()->width() - 4);
    view.show();
    view.resize(500, 200);
    EXPECT_EQ(view.columnWidth(fcName), view.viewport()->width() - 4);

    view.SetListOnlyFileNames(false);
    EXPECT_FALSE(view.isColumnHidden(fcModified));
    EXPECT_EQ(view.columnWidth(fcName), 128);
    EXPECT_EQ(view.columnWidth(fcType), 50);
    view.UpdateFileItem(item);
    EXPECT_EQ(item->text(fcDescription), QStringLiteral("T"));
}
