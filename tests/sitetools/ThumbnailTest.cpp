// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail page over folders of images that the tests write: the grid,
// the thumbnail files and the index, and images that cannot be read.

#include "TfThumbnail.h"
#include "Thumbnails.h"

#include "SampleImages.h"
#include "ScriptedMessageService.h"
#include "TestFiles.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ThumbnailTest : testing::Test
{
    ThumbnailTest()
    {
        Scripted().Reset();
        QDir(root.path()).mkdir("images");
        QDir(root.path()).mkdir("thumbs");
    }
    QString Image(const QString &name) const { return root.filePath("images/" + name); }
    QString Thumbs() const { return root.filePath("thumbs"); }
    QString IndexFile() const { return root.filePath("thumbnail.dat"); }
    QStringList ThumbnailFiles() const { return QDir(Thumbs()).entryList(QDir::Files, QDir::Name); }

    // Opens the page on the images and waits until its grid is complete.
    std::unique_ptr<TfThumbnail> View()
    {
        auto page = std::make_unique<TfThumbnail>(root.filePath("images"), IndexFile(), Thumbs());
        QSignalSpy loaded(page.get(), &TfThumbnail::Loaded);
        page->show();
        EXPECT_TRUE(loaded.wait(60000));
        return page;
    }

    QTemporaryDir root;
};

TEST(ThumbnailGrid, RowsGrowWithTheImagesBeyondTen)
{
    EXPECT_EQ(ThumbnailGridRows(0), 10);
    EXPECT_EQ(ThumbnailGridRows(20), 10);
    EXPECT_EQ(ThumbnailGridRows(26), 10); // 10.4 rounds to 10
    EXPECT_EQ(ThumbnailGridRows(27), 12);
    EXPECT_EQ(ThumbnailGridRows(40), 17);
    EXPECT_EQ(ThumbnailGridRows(2000), 801);
}

TEST_F(ThumbnailTest, ImagesOfOneNameGetNumberedThumbnailsAndTheIndexFindsThem)
{
    WriteSampleImage(Image("a.gif"), 20, 10);
    WriteSampleImage(Image("a.jpg"), 300, 100);
    WriteTestFile(Image("notes.txt"), "no image");

    const auto first = View();

    EXPECT_EQ(first->Names(), (QStringList{"a.gif", "a.jpg"}));
    EXPECT_EQ(first->MadeCount(), 2);
    EXPECT_EQ(ThumbnailFiles(), (QStringList{"Thm0.THB", "a.THB"}));
    const TThumbnailIndex index(IndexFile());
    EXPECT_EQ(index.Lookup(Image("a.gif")), QDir(Thumbs()).filePath("a.THB"));
    EXPECT_EQ(index.Lookup(Image("a.jpg")), QDir(Thumbs()).filePath("Thm0.THB"));
    // At most 74 x 56, the aspect ratio kept.
    EXPECT_EQ(QImage(QDir(Thumbs()).filePath("Thm0.THB")).size(), QSize(74, 24));
    EXPECT_EQ(QImage(QDir(Thumbs()).filePath("a.THB")).size(), QSize(74, 37));
    QFile file(IndexFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains(("[" + root.filePath("images") + "/]\r\n").toUtf8())) << text.toStdString();
    EXPECT_TRUE(text.contains(Image("a.gif").toLower().toUtf8() + "="));

    // A second look decodes nothing; a thumbnail file gone is made again.
    const auto second = View();
    EXPECT_EQ(second->MadeCount(), 0);
    EXPECT_TRUE(second->HasPicture("a.gif") && second->HasPicture("a.jpg"));
    QFile::remove(QDir(Thumbs()).filePath("a.THB"));
    const auto third = View();
    EXPECT_EQ(third->MadeCount(), 1);
    // Those of the index come first.
    EXPECT_EQ(third->Names(), (QStringList{"a.jpg", "a.gif"}));
}

TEST_F(ThumbnailTest, ImagesThatCannotBeReadKeepTheirNameWithoutAPicture)
{
    const TQuietImagePlugins quiet;
    WriteSampleImage(Image("Good.PNG"), 8, 8);
    WriteGarbageGif(Image("bad.gif"));
    WriteLyingPng(Image("huge.png"), 60000, 60000);

    const auto page = View();

    EXPECT_EQ(page->Names(), (QStringList{"bad.gif", "good.png", "huge.png"}));
    EXPECT_TRUE(page->HasPicture("good.png"));
    EXPECT_FALSE(page->HasPicture("bad.gif") || page->HasPicture("huge.png"));
    EXPECT_EQ(ThumbnailFiles(), QStringList{"Good.THB"});
    // Pointing at a picture or its name gives the image, in its own case.
    page->SetCurrentCell(0, 1);
    EXPECT_EQ(page->CurrentFile(), Image("Good.PNG"));
    page->SetCurrentCell(1, 5);
    EXPECT_TRUE(page->CurrentFile().isEmpty());
}

TEST_F(ThumbnailTest, AnImageThatVanishesGivesNoPicture)
{
    WriteSampleImage(Image("here.png"), 8, 8);
    TThumbnailMaker maker({Image("gone.png"), Image("here.png")}, Thumbs());
    QList<std::pair<int, bool>> made;
    QObject::connect(&maker, &TThumbnailMaker::Made,
                     [&](int index, const QString &, const QString &file, const QImage &image) {
                         made.append({index, !file.isEmpty() && !image.isNull()});
                     });
    QSignalSpy finished(&maker, &TThumbnailMaker::Finished);
    maker.Start();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(made, (QList<std::pair<int, bool>>{{0, false}, {1, true}}));
}

TEST_F(ThumbnailTest, ClosingStopsTheRunAndKeepsWhatWasMade)
{
    // 2000 images fill 2000 name cells of 801 rows.
    QImage pixel(2, 2, QImage::Format_RGB32);
    pixel.fill(Qt::blue);
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(pixel.save(Image(QStringLiteral("p%1.png").arg(i, 4, 10, QChar('0')))));
    auto page = std::make_unique<TfThumbnail>(root.filePath("images"), IndexFile(), Thumbs());
    page->show();
    QTest::qWait(50);
    page->btnClose->click();
    EXPECT_FALSE(page->isVisible());
    const qsizetype kept = ThumbnailFiles().size();
    EXPECT_LT(kept, 2000);
    EXPECT_EQ(page->Names().size(), kept);
    page.reset();

    const auto all = View();
    EXPECT_EQ(all->Thumbs->rowCount(), 801);
    EXPECT_EQ(all->Names().size(), 2000);
    EXPECT_EQ(all->MadeCount(), 2000 - kept);
    EXPECT_TRUE(all->HasPicture("p1999.png"));
}

TEST_F(ThumbnailTest, PopupActsOnTheImagePointedAt)
{
    WriteSampleImage(Image("pic.png"), 8, 8);
    const auto page = View();
    QString inserted;
    page->OnInsertImage = [&](const QString &path) { inserted = path; };
    page->SetCurrentCell(0, 0);
    page->mnuInsertTag->trigger();
    EXPECT_EQ(inserted, Image("pic.png"));
}

TEST_F(ThumbnailTest, ThePreviewerNeedsItsFilesAndFolders)
{
    TThumbPreviewNB previewer;
    previewer.DataFileName.clear();
    EXPECT_FALSE(previewer.Execute(nullptr));
    previewer.DataFileName = "thumbs.dat";
    EXPECT_FALSE(previewer.Execute(nullptr));
    previewer.DataFileDir = root.path();
    EXPECT_FALSE(previewer.Execute(nullptr));
    ASSERT_EQ(Scripted().messages.size(), 3);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("No DataFileName!"));
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("No Directory for DataFile!"));
    EXPECT_EQ(Scripted().messages[2].text, QStringLiteral("No Directory for Previews!"));
}

} // namespace
