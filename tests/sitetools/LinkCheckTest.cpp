// SPDX-License-Identifier: GPL-3.0-or-later
// The routines of link verification: finding the links of a document,
// resolving them against a root, and checking them against web servers on
// the loopback interface that the tests run.

#include "LinkCheck.h"

#include "LoopbackWebServer.h"
#include "ScriptedMessageService.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList LinkTexts(const QList<TFoundLink> &links, TLinkKind kind)
{
    QStringList texts;
    for (const TFoundLink &link : links)
        if (link.kind == kind)
            texts.append(link.link);
    return texts;
}

// A checker with short seconds: TimeOut 3 of 50 ms.
struct TCheckerFixture : testing::Test
{
    TCheckerFixture()
    {
        checker.TimeOut = 3;
        checker.TickInterval = 50;
    }
    TLinkChecker checker;
    TLoopbackWebServer server;
};

} // namespace

TEST(LinkRoot, KeepsCaseTurnsSeparatorsAndDropsOneTrailingOne)
{
    EXPECT_EQ(NormalizeLinkRoot(QStringLiteral("http://H/Dir/")), QStringLiteral("http://H/Dir"));
    EXPECT_EQ(NormalizeLinkRoot(QStringLiteral("http:\\\\h\\dir\\")), QStringLiteral("http://h/dir"));
    EXPECT_EQ(NormalizeLinkRoot(QStringLiteral("/home/Site/")), QStringLiteral("/home/Site"));
    EXPECT_EQ(NormalizeLinkRoot(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_TRUE(IsLocalLinkPath(QStringLiteral("/home/site")));
    EXPECT_FALSE(IsLocalLinkPath(QStringLiteral("http://h/dir")));
    EXPECT_FALSE(IsLocalLinkPath(QStringLiteral("site/dir")));
}

TEST(ResolveLinkURL, AgainstAWebRoot)
{
    const QString root = QStringLiteral("http://h/dir");
    const QString page = QStringLiteral("/site/page.htm");
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("../b.htm"), page, root), QStringLiteral("http://h/b.htm"));
    // Relative to the root, not to the server.
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("/x.htm"), page, root), QStringLiteral("http://h/dir/x.htm"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("a/b.htm"), page, root), QStringLiteral("http://h/dir/a/b.htm"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("#top"), page, root), QStringLiteral("http://h/dir/page.htm#top"));
    // Climbing stops at the server.
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("../../../c.htm"), page, root), QStringLiteral("http://h/c.htm"));
    // Addresses and other schemes stay as written.
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("https://e.org/a"), page, root), QStringLiteral("https://e.org/a"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("news:comp.x"), page, root), QStringLiteral("news:comp.x"));
}

TEST(ResolveLinkURL, AgainstALocalRoot)
{
    const QString root = QStringLiteral("/site");
    const QString page = QStringLiteral("/site/page.htm");
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("img/a.gif"), page, root), QStringLiteral("/site/img/a.gif"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("img\\a.gif"), page, root), QStringLiteral("/site/img/a.gif"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("../up.htm"), page, root), QStringLiteral("/up.htm"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("#top"), page, root), QStringLiteral("/site/page.htm#top"));
    EXPECT_EQ(ResolveLinkURL(QStringLiteral("http://h/x"), page, root), QStringLiteral("http://h/x"));
}

TEST(CollectDocumentLinks, FindsDoubleQuotedValuesOnceEachAndImagesAfterThem)
{
    QTemporaryDir dir;
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("p.htm")),
                                       "<BODY bgcolor=white BACKGROUND=back.gif>\r\n"
                                       "<a href=\"b.htm\">b</a> <A HREF=\"a.htm\">a</A> <a href=\"A.HTM\">A</a>\r\n"
                                       "<a href='single.htm'>s</a> <a href=bare.htm>u</a> <a href = \"spaced.htm\">\r\n"
                                       "<a href=\"MAILTO:me@example.org\">m</a> <link href=\"style.css\">\r\n"
                                       "<img src=\"pic.gif\"><img SRC=\"Pic.GIF\"><script src=\"s.js\"></script>\r\n");
    Scripted().Reset();
    const std::optional<QList<TFoundLink>> links = CollectDocumentLinks(page, true);
    ASSERT_TRUE(links);
    EXPECT_EQ(LinkTexts(*links, TLinkKind::HTML), (QStringList{"a.htm", "b.htm", "style.css"}));
    EXPECT_EQ(LinkTexts(*links, TLinkKind::Image), (QStringList{"pic.gif", "s.js", "back.gif"}));
    EXPECT_EQ(links->last().kind, TLinkKind::Image);
    EXPECT_EQ(LinkTexts(*CollectDocumentLinks(page, false), TLinkKind::Image), QStringList());

    const QString missing = dir.filePath(QStringLiteral("gone.htm"));
    EXPECT_FALSE(CollectDocumentLinks(missing, true));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Unable to open file ") + missing + u'.');
}

TEST(ClassifyStatusLine, ByTheStatusCode)
{
    EXPECT_EQ(ClassifyStatusLine(QStringLiteral("HTTP/1.1 200 OK")).result, TCheckResult::Verified);
    EXPECT_EQ(ClassifyStatusLine(QStringLiteral("HTTP/1.0 204 No Content")).result, TCheckResult::Verified);
    for (const char *line : {"HTTP/1.1 404 Not Found", "HTTP/1.1 403 Forbidden", "HTTP/1.1 500 Internal Server Error",
                             "HTTP/1.1 301 Moved Permanently", "HTTP/1.1 200 page not found", "garbage", ""}) {
        const TLinkStatus status = ClassifyStatusLine(QLatin1String(line));
        EXPECT_EQ(status.result, TCheckResult::Failed) << line;
        EXPECT_EQ(status.text, QLatin1String(line));
    }
}

TEST_F(TCheckerFixture, AnswersAreClassifiedAndTheHeaderAloneIsAsked)
{
    server.Answer(QStringLiteral("/ok.htm"), "HTTP/1.1 200 OK");
    server.Answer(QStringLiteral("/forbidden.htm"), "HTTP/1.1 403 Forbidden");
    server.Answer(QStringLiteral("/broken.htm"), "HTTP/1.1 500 Internal Server Error");
    server.Answer(QStringLiteral("/odd.htm"), "HTTP/1.1 404 nOt FoUnD");
    server.Answer(QStringLiteral("/nohead.htm"), "HTTP/1.1 405 Method Not Allowed");

    EXPECT_EQ(checker.Check(server.Url(QStringLiteral("/ok.htm#part"))).result, TCheckResult::Verified);
    EXPECT_EQ(server.Requests.last(), QStringLiteral("HEAD /ok.htm"));
    const struct
    {
        const char *path;
        const char *text;
    } failures[] = {{"/forbidden.htm", "HTTP/1.1 403 Forbidden"},
                    {"/broken.htm", "HTTP/1.1 500 Internal Server Error"},
                    {"/odd.htm", "HTTP/1.1 404 nOt FoUnD"},
                    {"/missing.htm", "HTTP/1.1 404 Not Found"}};
    for (const auto &failure : failures) {
        const TLinkStatus status = checker.Check(server.Url(QLatin1String(failure.path)));
        EXPECT_EQ(status.result, TCheckResult::Failed) << failure.path;
        EXPECT_EQ(status.text, QLatin1String(failure.text));
    }

    // A server that refuses HEAD is asked with GET; it refuses that too.
    server.Requests.clear();
    EXPECT_EQ(checker.Check(server.Url(QStringLiteral("/nohead.htm"))).text,
              QStringLiteral("HTTP/1.1 405 Method Not Allowed"));
    EXPECT_EQ(server.Requests, (QStringList{"HEAD /nohead.htm", "GET /nohead.htm"}));
}

TEST_F(TCheckerFixture, RedirectionsAreFollowedAndLoopsReported)
{
    TLoopbackWebServer other;
    other.Answer(QStringLiteral("/final.htm"), "HTTP/1.1 200 OK");
    server.Answer(QStringLiteral("/moved.htm"), "HTTP/1.1 301 Moved Permanently\r\nLocation: /here/new.htm");
    server.Answer(QStringLiteral("/here/new.htm"), "HTTP/1.1 302 Found\r\nLocation: next.htm");
    server.Answer(QStringLiteral("/here/next.htm"),
                  "HTTP/1.1 307 Temporary\r\nlocation: " + other.Url(QStringLiteral("/final.htm")).toLatin1());
    server.Answer(QStringLiteral("/loop1.htm"), "HTTP/1.1 302 Found\r\nLocation: /loop2.htm");
    server.Answer(QStringLiteral("/loop2.htm"), "HTTP/1.1 302 Found\r\nLocation: /loop1.htm");
    server.Answer(QStringLiteral("/gone.htm"), "HTTP/1.1 301 Moved Permanently\r\nLocation: /missing.htm");
    for (int i = 0; i <= TLinkChecker::MaxRedirects; ++i)
        server.Answer(QStringLiteral("/hop%1.htm").arg(i),
                      QStringLiteral("HTTP/1.1 302 Found\r\nLocation: /hop%1.htm").arg(i + 1).toLatin1());
    server.Answer(QStringLiteral("/hop%1.htm").arg(TLinkChecker::MaxRedirects + 1), "HTTP/1.1 200 OK");

    EXPECT_EQ(checker.Check(server.Url(QStringLiteral("/moved.htm"))).result, TCheckResult::Verified);
    EXPECT_EQ(server.Requests, (QStringList{"HEAD /moved.htm", "HEAD /here/new.htm", "HEAD /here/next.htm"}));
    EXPECT_EQ(other.Requests, QStringList{"HEAD /final.htm"});

    const TLinkStatus loop = checker.Check(server.Url(QStringLiteral("/loop1.htm")));
    EXPECT_EQ(loop.result, TCheckResult::Failed);
    EXPECT_EQ(loop.text, QStringLiteral("Redirection loop: ") + server.Url(QStringLiteral("/loop1.htm")));
    EXPECT_EQ(checker.Check(server.Url(QStringLiteral("/gone.htm"))).text, QStringLiteral("HTTP/1.1 404 Not Found"));
    // Ten hops are followed, the eleventh is not.
    EXPECT_EQ(checker.Check(server.Url(QStringLiteral("/hop1.htm"))).result, TCheckResult::Verified);
    EXPECT_EQ(checker.Check(server.Url(QStringLiteral("/hop0.htm"))).text, QStringLiteral("More than 10 redirections"));
}

TEST_F(TCheckerFixture, SilentServersTimeOutAndClosedPortsFail)
{
    server.Silent(QStringLiteral("/silent.htm"));
    QElapsedTimer clock;
    clock.start();
    const TLinkStatus silent = checker.Check(server.Url(QStringLiteral("/silent.htm")));
    EXPECT_EQ(silent.result, TCheckResult::TimedOut);
    EXPECT_EQ(silent.text, QStringLiteral("Timed out"));
    EXPECT_LT(clock.elapsed(), 2000);

    const TLinkStatus refused = checker.Check(QStringLiteral("http://127.0.0.1:%1/x.htm").arg(DeadLoopbackPort()));
    EXPECT_EQ(refused.result, TCheckResult::Failed);
    EXPECT_EQ(refused.text, QStringLiteral("[10061] Connection refused"));
}

TEST_F(TCheckerFixture, OtherSchemesAndLocalFiles)
{
    EXPECT_EQ(checker.Check(QStringLiteral("ftp://h/x")).text, QStringLiteral("FTP links not supported"));
    EXPECT_EQ(checker.Check(QStringLiteral("Gopher://h/x")).text, QStringLiteral("Gopher links not supported"));
    EXPECT_EQ(checker.Check(QStringLiteral("javascript:go()")).text, QStringLiteral("Invalid URL"));

    QTemporaryDir dir;
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("here.htm")), "x");
    EXPECT_EQ(checker.Check(page + QStringLiteral("#top")).result, TCheckResult::Verified);
    // Tabs and line breaks inside a link are no part of it.
    EXPECT_EQ(checker.Check(dir.path() + QStringLiteral("/he\tre\r\n.htm")).result, TCheckResult::Verified);
    const TLinkStatus missing = checker.Check(dir.filePath(QStringLiteral("gone.htm")));
    EXPECT_EQ(missing.result, TCheckResult::Failed);
    EXPECT_EQ(missing.text, QStringLiteral("File not found"));
}

TEST(LinkCheckerTls, HttpsLinksAreCheckedOverTls)
{
    QSslCertificate certificate;
    QByteArray key;
    if (!MakeTestCertificate(certificate, key))
        GTEST_SKIP() << "no openssl to make a test certificate, or no TLS support";
    TLoopbackWebServer server(certificate, key);
    server.Answer(QStringLiteral("/secure.htm"), "HTTP/1.1 200 OK");
    TLinkChecker checker;
    checker.TimeOut = 3;
    checker.TickInterval = 100;
    const QString url = server.Url(QStringLiteral("/secure.htm"), QStringLiteral("localhost"));
    // Not trusted: a failure that says why.
    EXPECT_TRUE(checker.Check(url).text.startsWith(QStringLiteral("Secure connection failed")));
    checker.SslConfiguration.addCaCertificate(certificate);
    EXPECT_EQ(checker.Check(url).result, TCheckResult::Verified);
    EXPECT_EQ(server.Requests.last(), QStringLiteral("HEAD /secure.htm"));
}

// ---------------------------------------------------------------------------
// Several at once

TEST(LinkCheckQueue, ChecksSideBySideWithinTheLimitsAndReportsEachOnce)
{
    TLoopbackWebServer first;
    TLoopbackWebServer second;
    QStringList urls;
    for (int i = 0; i < 8; ++i) {
        TLoopbackWebServer &server = i % 2 ? second : first;
        server.Answer(QStringLiteral("/slow%1.htm").arg(i), "HTTP/1.1 200 OK", 300);
        urls.append(server.Url(QStringLiteral("/slow%1.htm").arg(i)));
    }
    TLinkCheckQueue queue;
    queue.Parallel = 8;
    queue.PerServer = 3;
    QList<int> started;
    QMap<int, TCheckResult> finished;
    QElapsedTimer clock;
    clock.start();
    queue.Run(
        urls, {0, 1, 2, 3, 4, 5, 6, 7}, [&](int i) { started.append(i); },
        [&](int i, const TLinkStatus &status) {
            EXPECT_FALSE(finished.contains(i));
            finished.insert(i, status.result);
        });
    // Eight answers of 300 ms, three at a time per server: three rounds, not eight.
    EXPECT_LT(clock.elapsed(), 1800);
    EXPECT_EQ(started, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(finished.size(), 8);
    EXPECT_EQ(finished.values(), QList<TCheckResult>(8, TCheckResult::Verified));
    EXPECT_LE(first.MostAtOnce, 3);
    EXPECT_LE(second.MostAtOnce, 3);
    EXPECT_GE(first.MostAtOnce + second.MostAtOnce, 4);
}

TEST(LinkCheckQueue, OneAtATimeKeepsTheOrder)
{
    TLoopbackWebServer server;
    QStringList urls;
    for (int i = 0; i < 4; ++i) {
        server.Answer(QStringLiteral("/p%1.htm").arg(i), "HTTP/1.1 200 OK", 20 * (4 - i));
        urls.append(server.Url(QStringLiteral("/p%1.htm").arg(i)));
    }
    TLinkCheckQueue queue;
    queue.Parallel = 1;
    QStringList order;
    queue.Run(
        urls, {0, 1, 2, 3}, [&](int i) { order.append(QStringLiteral("start %1").arg(i)); },
        [&](int i, const TLinkStatus &) { order.append(QStringLiteral("end %1").arg(i)); });
    EXPECT_EQ(order, (QStringList{"start 0", "end 0", "start 1", "end 1", "start 2", "end 2", "start 3", "end 3"}));
    EXPECT_EQ(server.MostAtOnce, 1);
}

TEST(LinkCheckQueue, CancelEndsTheChecksUnderWayAndStartsNoMore)
{
    TLoopbackWebServer server;
    server.Answer(QStringLiteral("/fast.htm"), "HTTP/1.1 200 OK");
    server.Silent(QStringLiteral("/silent.htm"));
    const QStringList urls{server.Url(QStringLiteral("/fast.htm")), server.Url(QStringLiteral("/silent.htm")),
                           server.Url(QStringLiteral("/silent.htm")), server.Url(QStringLiteral("/fast.htm"))};
    TLinkCheckQueue queue;
    queue.Parallel = 2;
    QMap<int, TLinkStatus> finished;
    int silentStarted = 0;
    queue.Run(
        urls, {0, 1, 2, 3},
        [&](int i) {
            if (i == 1 || i == 2)
                ++silentStarted;
            if (silentStarted == 2)
                QTimer::singleShot(100, &queue, [&queue] { queue.Cancel(); });
        },
        [&](int i, const TLinkStatus &status) { finished.insert(i, status); });
    EXPECT_FALSE(queue.Running());
    EXPECT_EQ(finished.keys(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(finished[0].result, TCheckResult::Verified);
    EXPECT_EQ(finished[1].text, QStringLiteral("Operation has been canceled"));
    EXPECT_EQ(finished[2].text, QStringLiteral("Operation has been canceled"));
}
