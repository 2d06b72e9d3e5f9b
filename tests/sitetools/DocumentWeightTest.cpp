// SPDX-License-Identifier: GPL-3.0-or-later
// Document weight and title over files that the tests write.

#include "DocumentWeight.h"
#include "TfBandwidth.h"

#include "ScriptedMessageService.h"
#include "TestFiles.h"

#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct DocumentWeightTest : testing::Test
{
    DocumentWeightTest() { Scripted().Reset(); }
    QString Path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

QByteArray Padded(QByteArray text, qsizetype size)
{
    text.append(QByteArray(size - text.size(), ' '));
    return text;
}

TEST_F(DocumentWeightTest, WeighsLocalImagesOnceAndLeavesRemoteOnesOut)
{
    WriteTestFile(Path("pic.gif"), QByteArray(2048, 'x'));
    const QString page = WriteTestFile(
        Path("page.htm"),
        Padded("<img src=\"pic.gif\"><IMG SRC=\"PIC.GIF\"><img src=\"http://example.com/a.gif\">", 10240));

    const TDocumentWeight weight = ComputeDocumentWeight(page);

    EXPECT_TRUE(weight.documentFound);
    EXPECT_EQ(FormatKB(weight.documentSize), QStringLiteral("10.00 KB"));
    EXPECT_EQ(FormatKB(weight.dependencySum), QStringLiteral("2.00 KB"));
    EXPECT_EQ(FormatKB(weight.Total()), QStringLiteral("12.00 KB"));
    EXPECT_EQ(FormatSeconds(weight.SecondsAt288()), QStringLiteral("3.8 seconds"));
    EXPECT_EQ(FormatSeconds(weight.SecondsAt288() * 2), QStringLiteral("7.5 seconds"));
    EXPECT_EQ(FormatSeconds(weight.SecondsAt288() / 2), QStringLiteral("1.9 seconds"));
    ASSERT_EQ(weight.dependencies.size(), 1);
    EXPECT_EQ(QFileInfo(weight.dependencies[0].path), QFileInfo(Path("pic.gif")));
    EXPECT_EQ(weight.dependencies[0].SizeText(), QStringLiteral("2.00 KB"));
}

TEST_F(DocumentWeightTest, ListsMissingImagesAfterFoundOnesLargestFirst)
{
    QDir(dir.path()).mkdir("img");
    WriteTestFile(Path("img/small.png"), QByteArray(100, 'x'));
    WriteTestFile(Path("big.png"), QByteArray(5000, 'x'));
    const QString page = WriteTestFile(
        Path("page.htm"), "<body background=\"img/small.png\"><img src=\"gone.png\"><img src=\"big.png\">");

    const TDocumentWeight weight = ComputeDocumentWeight(page);

    ASSERT_EQ(weight.dependencies.size(), 3);
    EXPECT_TRUE(weight.dependencies[0].path.endsWith("big.png"));
    EXPECT_TRUE(weight.dependencies[1].path.endsWith(QDir::toNativeSeparators("img/small.png")));
    EXPECT_FALSE(weight.dependencies[2].found);
    EXPECT_EQ(weight.dependencies[2].SizeText(), QStringLiteral("File not found"));
    EXPECT_EQ(weight.dependencySum, 5100);
}

TEST_F(DocumentWeightTest, MissingDocumentWeighsNothing)
{
    const TDocumentWeight weight = ComputeDocumentWeight(Path("none.htm"));
    EXPECT_FALSE(weight.documentFound);
    EXPECT_EQ(weight.Total(), 0);
    EXPECT_TRUE(weight.dependencies.isEmpty());
}

TEST_F(DocumentWeightTest, NumbersFollowTheLocaleDecimalSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(FormatKB(1536), QStringLiteral("1,50 KB"));
    EXPECT_EQ(FormatSeconds(3.75), QStringLiteral("3,8 seconds"));
    QLocale::setDefault(saved);
}

TEST_F(DocumentWeightTest, TitleIsOneTrimmedLine)
{
    EXPECT_EQ(DocumentTitle(WriteTestFile(Path("a.htm"), "<html><Title lang=x>\t My\r\nPage </TITLE>")),
              QStringLiteral("lang=x>  My Page"));
    EXPECT_EQ(DocumentTitle(WriteTestFile(Path("b.htm"), "<title>First\nSecond</title>")),
              QStringLiteral("First Second"));
    EXPECT_EQ(DocumentTitle(WriteTestFile(Path("c.htm"), "<title>" + QByteArray(300, 'x') + "</title>")).size(), 255);
}

TEST_F(DocumentWeightTest, TitleWithoutBothTagsInOrderIsUntitled)
{
    EXPECT_EQ(DocumentTitle(WriteTestFile(Path("a.htm"), "<title>Open")), QStringLiteral("[Untitled]"));
    EXPECT_EQ(DocumentTitle(WriteTestFile(Path("b.htm"), "</title><title>")), QStringLiteral("[Untitled]"));
    EXPECT_EQ(DocumentTitle(Path("none.htm")), QStringLiteral("Err"));
}

TEST_F(DocumentWeightTest, WindowShowsBoxesAndSortsEitherColumnBothWays)
{
    WriteTestFile(Path("b.gif"), QByteArray(3072, 'x'));
    WriteTestFile(Path("a.gif"), QByteArray(1024, 'x'));
    const QString page = WriteTestFile(Path("page.htm"), "<img src=\"a.gif\"><img src=\"b.gif\"><img src=\"c.gif\">");
    TfBandwidth window(page);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Document Weight - [") + page + u']');
    EXPECT_EQ(window.edDependencies->text(), QStringLiteral("4.00 KB"));
    const auto column = [&](int index) {
        QStringList texts;
        for (int i = 0; i < window.lvDependencies->topLevelItemCount(); ++i)
            texts.append(QFileInfo(window.lvDependencies->topLevelItem(i)->text(index)).fileName());
        return texts;
    };
    EXPECT_EQ(column(0), QStringList({"b.gif", "a.gif", "c.gif"}));
    EXPECT_EQ(column(1), QStringList({"3.00 KB", "1.00 KB", "File not found"}));
    window.SortByColumn(1);
    EXPECT_EQ(column(0), QStringList({"c.gif", "a.gif", "b.gif"}));
    window.SortByColumn(0);
    EXPECT_EQ(column(0), QStringList({"c.gif", "b.gif", "a.gif"}));
    window.SortByColumn(0);
    EXPECT_EQ(column(0), QStringList({"a.gif", "b.gif", "c.gif"}));
}

TEST_F(DocumentWeightTest, WindowShowsErrForAMissingDocument)
{
    TfBandwidth window(Path("gone.htm"));
    EXPECT_EQ(window.edDocument->text(), QStringLiteral("Err"));
    EXPECT_EQ(window.edTotal->text(), QStringLiteral("0.00 KB"));
}

TEST_F(DocumentWeightTest, MissingFileIsWarnedAboutWithoutTheNote)
{
    ShowDocumentWeight(Path("gone.htm"), nullptr);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File not found (") + Path("gone.htm") + ".)");
    EXPECT_TRUE(Scripted().notices.isEmpty());
}

} // namespace
