// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site links against loopback web servers and local files, row for
// row as the verifier window shows the same page under the same root.

#include "LinkCheck.h"
#include "LoopbackWebServer.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "SiteRun.h"
#include "TestFiles.h"
#include "TfLinkTest.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

class LinksCommand : public testing::Test
{
protected:
    QString Page(const QString &name, const QByteArray &text) { return WriteTestFile(m_dir.filePath(name), text); }

    // Link, full address and status of each row after "Verify all links".
    QList<QStringList> WindowRows(const QString &page, const QString &root)
    {
        TfLinkTest verifier;
        verifier.Queue()->TickInterval = 50;
        verifier.SetTimeOut(1);
        verifier.SetRoot(root);
        EXPECT_TRUE(verifier.LoadDocument(page));
        verifier.VerifyAll();
        QList<QStringList> rows;
        const QTreeWidget *list = verifier.LinkList();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list->topLevelItem(i);
            rows.append({item->text(TfLinkTest::colLink), item->text(TfLinkTest::colFullURL),
                         item->text(TfLinkTest::colStatus)});
        }
        return rows;
    }

    QTemporaryDir m_dir;
    TLoopbackWebServer m_server;
};

const QStringList LinkFields{QStringLiteral("link"), QStringLiteral("url"), QStringLiteral("status")};

} // namespace

TEST_F(LinksCommand, GivesTheWindowsVerdictsOnEveryKindOfAnswer)
{
    m_server.Answer(QStringLiteral("/ok.htm"), "HTTP/1.1 200 OK");
    m_server.Answer(QStringLiteral("/moved.htm"), "HTTP/1.1 301 Moved\r\nLocation: /ok.htm");
    m_server.Answer(QStringLiteral("/page.htm"), "HTTP/1.1 200 OK");
    m_server.Answer(QStringLiteral("/forbidden.htm"), "HTTP/1.1 403 Forbidden");
    m_server.Answer(QStringLiteral("/nohead.htm"), "HTTP/1.1 405 Method Not Allowed");
    m_server.Answer(QStringLiteral("/loop.htm"), "HTTP/1.1 302 Found\r\nLocation: /loop.htm");
    m_server.Silent(QStringLiteral("/silent.htm"));
    const QString dead = QStringLiteral("http://127.0.0.1:%1/x.htm").arg(DeadLoopbackPort());
    const QString page = Page(QStringLiteral("page.htm"),
                              "<body background=\"bg.gif\"><a href=\"ok.htm\"> <a href=\"moved.htm\"> <a href=\"#top\">"
                              "<a href=\"nothere.htm\"> <a href=\"forbidden.htm\"> <a href=\"nohead.htm\">"
                              "<a href=\"loop.htm\"> <a href=\"silent.htm\"> <a href=\"" +
                                  dead.toLatin1() + "\"> <a href=\"ftp://h/f\"> <img src=\"ok.htm\">");
    const QString root = m_server.Url(QString());
    const QList<QStringList> window = WindowRows(page, root);
    ASSERT_EQ(window.size(), 12);

    const TSiteRun run = RunSite({QStringLiteral("links"), QStringLiteral("--json"), QStringLiteral("--timeout"),
                                  QStringLiteral("1"), QStringLiteral("--root"), root, page});
    EXPECT_EQ(run.Rows(LinkFields), window);
    EXPECT_EQ(run.status, 1);
    const QJsonObject summary = run.Summary();
    EXPECT_EQ(summary.value(QStringLiteral("links")).toInt(), 12);
    EXPECT_EQ(summary.value(QStringLiteral("verified")).toInt(), 4); // ok, moved, #top, the image
    EXPECT_EQ(summary.value(QStringLiteral("timedOut")).toInt(), 1);
    EXPECT_EQ(summary.value(QStringLiteral("failed")).toInt(), 7);
    const QList<QStringList> kinds = run.Rows({QStringLiteral("kind"), QStringLiteral("result")});
    EXPECT_EQ(kinds.at(10), (QStringList{"image", "verified"}));
    EXPECT_EQ(kinds.at(11), (QStringList{"image", "failed"}));
    EXPECT_TRUE(run.Rows({QStringLiteral("result")}).contains(QStringList{"timedOut"}));

    // The same rows as lines, and only links without the images.
    const TSiteRun text = RunSite({QStringLiteral("links"), QStringLiteral("--no-images"), QStringLiteral("--timeout"),
                                   QStringLiteral("1"), QStringLiteral("--root"), root, page});
    QStringList lines = text.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines.first(), page + QStringLiteral(": #top -> ") + root + QStringLiteral("/page.htm#top: ") +
                                 QStringLiteral("Verified document, skipped internal link"));
    EXPECT_EQ(lines.last(), QStringLiteral("10 links in 1 file: 3 verified, 6 failed, 1 timed out"));
    EXPECT_TRUE(text.err.isEmpty());
}

TEST_F(LinksCommand, ALocalRootAndEachPagesOwnFolderWithoutOne)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("site/img")));
    WriteTestFile(m_dir.filePath(QStringLiteral("site/img/a.gif")), "GIF89a");
    const QString page =
        Page(QStringLiteral("site/page.htm"),
             "<a href=\"#top\"><img src=\"img/a.gif\"><img src=\"img/gone.gif\"><a href=\"../up.htm\">");
    Page(QStringLiteral("up.htm"), "x");
    const QString root = m_dir.filePath(QStringLiteral("site"));
    const QList<QStringList> window = WindowRows(page, root);

    // The page's folder is the root when none is given or stored.
    const TSiteRun run = RunSite({QStringLiteral("links"), QStringLiteral("--json"), page});
    EXPECT_EQ(run.Rows(LinkFields), window);
    EXPECT_EQ(run.Rows({QStringLiteral("status")}).last(), QStringList{QStringLiteral("File not found")});
    EXPECT_EQ(run.status, 1);

    // A folder given relative to the current one.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const TSiteRun relative = RunSite({QStringLiteral("links"), QStringLiteral("--json"), QStringLiteral("--root"),
                                       QStringLiteral("site"), QStringLiteral("site/page.htm")});
    QDir::setCurrent(current);
    EXPECT_EQ(relative.Rows(LinkFields), window);
    EXPECT_EQ(relative.Rows({QStringLiteral("file")}).first(), QStringList{QStringLiteral("site/page.htm")});

    // All well: exit 0.
    const QString good = Page(QStringLiteral("site/good.htm"), "<a href=\"page.htm\"><img src=\"img/a.gif\">");
    EXPECT_EQ(RunSite({QStringLiteral("links"), good}).status, 0);
}

TEST_F(LinksCommand, StoredSettingsServeUnlessOptionsSayOtherwise)
{
    m_server.Answer(QStringLiteral("/ok.htm"), "HTTP/1.1 200 OK");
    // An address without a port goes to the stored one; relative links to
    // the stored default root.
    WriteRegValue(RegistryKeys::Velicort, LinkVerifyKeys::Port, m_server.Port());
    WriteRegValue(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::DefaultURL, QStringLiteral("http://127.0.0.1/"));
    const QString page = Page(QStringLiteral("p.htm"), "<a href=\"ok.htm\"><a href=\"http://127.0.0.1/ok.htm#a\">");
    const TSiteRun stored = RunSite({QStringLiteral("links"), QStringLiteral("--json"), page});
    EXPECT_EQ(stored.Rows(LinkFields), (QList<QStringList>{{"http://127.0.0.1/ok.htm#a", "http://127.0.0.1/ok.htm#a",
                                                            "Verified document, skipped internal link"},
                                                           {"ok.htm", "http://127.0.0.1/ok.htm", "Verified"}}));
    EXPECT_EQ(stored.status, 0);

    const TSiteRun otherPort = RunSite({QStringLiteral("links"), QStringLiteral("--json"), QStringLiteral("--port"),
                                        QString::number(DeadLoopbackPort()), page});
    EXPECT_EQ(otherPort.Rows({QStringLiteral("status")}),
              QList<QStringList>(2, QStringList{QStringLiteral("[10061] Connection refused")}));
    EXPECT_EQ(otherPort.status, 1);
}

TEST_F(LinksCommand, AnAddressSharedByPagesIsAskedOnceAndParallelLimitsTheChecks)
{
    QByteArray links;
    for (int i = 0; i < 6; ++i) {
        m_server.Answer(QStringLiteral("/p%1.htm").arg(i), "HTTP/1.1 200 OK", 50);
        links += "<a href=\"" + m_server.Url(QStringLiteral("/p%1.htm").arg(i)).toLatin1() + "\">";
    }
    const QString first = Page(QStringLiteral("first.htm"), links);
    const QString second = Page(QStringLiteral("second.htm"), links + "<a href=\"gone.htm\">");
    const TSiteRun run = RunSite({QStringLiteral("links"), QStringLiteral("--tsv"), QStringLiteral("--parallel"),
                                  QStringLiteral("1"), first, second});
    EXPECT_EQ(m_server.Requests.size(), 6);
    EXPECT_EQ(m_server.MostAtOnce, 1);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.first(), QStringLiteral("file\tlink\tkind\turl\tresult\tstatus"));
    // The rows of each page in turn, in the page's order.
    EXPECT_TRUE(lines.at(1).startsWith(first + u'\t'));
    EXPECT_TRUE(lines.at(7).startsWith(second + QStringLiteral("\tgone.htm\tlink\t")));
    EXPECT_TRUE(lines.at(13).startsWith(second + QStringLiteral("\thttp://127.0.0.1:")));
    EXPECT_EQ(run.status, 1);
}
