// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpTopics.h"
#include "Paths.h"
#include "ProgramHelp.h"
#include "TagLists.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The key at the place of "|" in the text.
QString KeyAt(const char *marked)
{
    std::string text(marked);
    const size_t caret = text.find('|');
    text.erase(caret, 1);
    return TagKeyAt(text, qsizetype(caret));
}

} // namespace

TEST(TagKeyAt, FindsTheTagAroundTheCaret)
{
    EXPECT_EQ(KeyAt("<p>x</TA|BLE>"), "<TABLE");         // an end tag gives its start tag's key
    EXPECT_EQ(KeyAt("<TABLE BORDER=\"1\"|>"), "<TABLE"); // among the attributes
    EXPECT_EQ(KeyAt("<ta|ble>"), "<table");              // the name continues after the caret
    EXPECT_EQ(KeyAt("<IMG\r\nSRC=\"a.png\"|>"), "<IMG"); // a line break is a blank
    EXPECT_EQ(KeyAt("<!-- note |-->"), "<!--");
    EXPECT_EQ(KeyAt("<|"), "<");
}

TEST(TagKeyAt, NoKeyOutsideTags)
{
    EXPECT_EQ(KeyAt("<B>bold| text</B>"), "");
    EXPECT_EQ(KeyAt("<B>|"), "");
    EXPECT_EQ(KeyAt("|<B>"), "");
    EXPECT_EQ(KeyAt("plain| text"), "");
}

TEST(HelpTopics, PageForKeys)
{
    QTemporaryDir dir;
    const QString topicFile = WriteTestFile(dir.filePath(QStringLiteral("htmlib.dat")),
                                            "<TABLE,table.htm\nno comma here\n<TABLE,second.htm\n<B,b.htm\n");
    THelpTopics topics;
    EXPECT_TRUE(topics.PageFor(QStringLiteral("<TABLE")).isEmpty()) << "nothing is navigated without topics";
    ASSERT_TRUE(topics.Load(topicFile));
    const QDir folder(dir.path());
    EXPECT_EQ(topics.PageFor(QStringLiteral("<table")), folder.filePath(QStringLiteral("table.htm")));
    EXPECT_EQ(topics.PageFor(QStringLiteral("<B")), folder.filePath(QStringLiteral("b.htm")));
    EXPECT_EQ(topics.PageFor(QStringLiteral("RESOURCES")), folder.filePath(QStringLiteral("resources.htm")));
    EXPECT_EQ(topics.PageFor(QStringLiteral("<BLINK")), folder.filePath(QStringLiteral("qr-main.htm")));
    EXPECT_EQ(topics.PageFor(QString()), folder.filePath(QStringLiteral("qr-main.htm")));
    EXPECT_FALSE(topics.Load(folder.filePath(QStringLiteral("missing.dat"))));
}

TEST(ExternalHelpKeyword, BareTagNamesForTheHelpFilesThatIndexThem)
{
    EXPECT_EQ(ExternalHelpKeyword(QStringLiteral("/help/htmlref.hlp"), QStringLiteral("<TABLE")), "TABLE");
    EXPECT_EQ(ExternalHelpKeyword(QStringLiteral("/help/WILBUR.HLP"), QStringLiteral("<B")), "B");
    EXPECT_EQ(ExternalHelpKeyword(QStringLiteral("/help/reference.html"), QStringLiteral("<TABLE")), "<TABLE");
}

// The shipped reference: every topic names a page that is there, and every
// tag of the tag list has a topic of its own.
TEST(HTMLReference, EveryTopicHasItsPageAndEveryTagItsTopic)
{
    const QDir folder(HTMLReferenceFolder());
    for (const char *fixed : {"htmlib.dat", "qr-main.htm", "resources.htm"})
        EXPECT_TRUE(folder.exists(QLatin1String(fixed))) << fixed;
    THelpTopics topics;
    ASSERT_TRUE(topics.Load(folder.filePath(QStringLiteral("htmlib.dat"))));
    QFile file(folder.filePath(QStringLiteral("htmlib.dat")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int lines = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        ++lines;
        EXPECT_TRUE(folder.exists(QString::fromUtf8(line.mid(line.indexOf(',') + 1)))) << line.constData();
    }
    EXPECT_GT(lines, 100);

    const QString contents = folder.filePath(QStringLiteral("qr-main.htm"));
    for (const QString &entry : ReadTagList(DataFilePath(QStringLiteral("Tags.dat")))) {
        const QByteArray text = entry.toUtf8();
        const QString key = TagKeyAt(text.toStdString(), 1);
        EXPECT_NE(topics.PageFor(key), contents) << "no topic for " << entry.toStdString();
    }
}

TEST(ProgramHelp, EveryContextHasItsPage)
{
    for (const int context : {hcProperties, hcProjects, hcOpenFromWeb, hcSettings, hcBrowserObject, hcURLMapping}) {
        const QString page = HelpContextPage(context);
        EXPECT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
        EXPECT_NE(QFileInfo(page).fileName(), "index.htm");
    }
    EXPECT_TRUE(QFileInfo(HelpContextPage(0)).isFile());
}
