// SPDX-License-Identifier: GPL-3.0-or-later
// Sending files to real servers on the loopback interface: ftp, sftp and
// WebDAV, with the failures a run must report file by file.

#include "PublishTarget.h"
#include "TUploader.h"

#include "PublishServer.h"
#include "ScriptedMessageService.h"
#include "TestFiles.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TReport
{
    QList<TPublishOutcome> outcomes;
    QStringList errors;
    int loginRefused = 0;
    qint64 lastSent = 0;
};

class UploaderTest : public ::testing::Test
{
protected:
    void SetUp() override { Scripted().Reset(); }

    // A file of the site with bytes of its own.
    QString SiteFile(const QString &path, qsizetype size = 1000)
    {
        QDir(m_site.path()).mkpath(QFileInfo(m_site.filePath(path)).path());
        QByteArray bytes(size, 'x');
        bytes.prepend(path.toUtf8());
        bytes.resize(size);
        return WriteTestFile(m_site.filePath(path), bytes);
    }
    QByteArray Bytes(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    TPublishJob Job(const QString &destination, const QStringList &files, const QString &password = "secret")
    {
        TPublishJob job;
        job.Destination = destination;
        job.UserName = QStringLiteral("user");
        job.Password = password;
        job.NetrcFile = m_site.filePath(QStringLiteral("no-netrc"));
        job.KnownHosts = m_site.filePath(QStringLiteral("known_hosts"));
        for (const QString &file : files)
            job.Items.append({file, RemotePathBelow(m_site.path(), file).value_or(QString())});
        return job;
    }

    TReport Run(const TPublishJob &job, const std::function<void(TUploader &, int)> &afterFile = {})
    {
        TUploader uploader;
        TReport report;
        report.outcomes.resize(job.Items.size(), TPublishOutcome::Failed);
        report.errors.resize(job.Items.size());
        QObject::connect(&uploader, &TUploader::FileDone, [&](int index, TPublishOutcome outcome, const QString &e) {
            report.outcomes[index] = outcome;
            report.errors[index] = e;
            if (afterFile)
                afterFile(uploader, index);
        });
        QObject::connect(&uploader, &TUploader::LoginRefused, [&] { ++report.loginRefused; });
        QObject::connect(&uploader, &TUploader::Progress, [&](qint64 sent, qint64) { report.lastSent = sent; });
        QSignalSpy finished(&uploader, &TUploader::Finished);
        uploader.Start(job);
        EXPECT_TRUE(finished.wait(60000));
        return report;
    }

    QTemporaryDir m_site;
};

using enum TPublishOutcome;

TEST(PublishTargetTest, PathsBelowTheRootAndTheirAddresses)
{
    EXPECT_EQ(RemotePathBelow("/w/site", "/w/site/a/b c.html"), "a/b c.html");
    EXPECT_EQ(RemotePathBelow("/w/site/", "/w/site/x.html"), "x.html");
    EXPECT_EQ(RemotePathBelow("/w/site", "/w/site2/x.html"), std::nullopt);
    EXPECT_EQ(RemotePathBelow("/w/site", "/w/site"), std::nullopt);
    EXPECT_EQ(RemotePathBelow("", "/w/site/a/x.html"), "x.html");
    EXPECT_EQ(RemoteUrl(QUrl("ftp://h/pub"), "a b/#1.html").toEncoded(), "ftp://h/pub/a%20b/%231.html");
    EXPECT_EQ(RemoteUrl(QUrl("sftp://h:2222/~/www/"), "i.html").toEncoded(), "sftp://h:2222/~/www/i.html");
    EXPECT_EQ(RemoteUrl(QUrl("https://h/dav"), "a/b/").toEncoded(), "https://h/dav/a/b/");
    EXPECT_EQ(RemoteUrl(QUrl("https://h/dav/"), "").toEncoded(), "https://h/dav/");
    EXPECT_EQ(CommonFolder({"/w/site/a/x.html", "/w/site/b/y.html", "/w/site/z.html"}), "/w/site");
    EXPECT_TRUE(DestinationProblem("https://example.org/dav/").isEmpty());
    EXPECT_FALSE(DestinationProblem("").isEmpty());
    EXPECT_FALSE(DestinationProblem("file:///tmp/").isEmpty());
    EXPECT_FALSE(DestinationProblem("ftp:///nohost").isEmpty());
}

TEST_F(UploaderTest, FtpSendsEachFileToItsPathAndReportsTheOthers)
{
    TPublishServer server("ftp");
    const QString index = SiteFile("index.html", 20000);
    const QString deep = SiteFile("a/b/deep page.html");
    const QString vanished = SiteFile("gone.html");
    QTemporaryDir elsewhere;
    const QString outside = WriteTestFile(elsewhere.filePath("out.html"), "x");
    // An older copy on the server is replaced.
    QDir().mkpath(server.Local("site"));
    WriteTestFile(server.Local("site/index.html"), "old");
    const QDateTime before = QFileInfo(index).lastModified();
    const TPublishJob job = Job(server.Url(), {index, vanished, outside, deep});
    QFile::remove(vanished);

    const TReport report = Run(job);

    EXPECT_EQ(report.outcomes, (QList<TPublishOutcome>{Sent, Failed, Failed, Sent}));
    EXPECT_TRUE(report.errors[1].contains("could not be read")) << report.errors[1].toStdString();
    EXPECT_TRUE(report.errors[2].contains("not below the site root"));
    EXPECT_EQ(Bytes(server.Local("site/index.html")), Bytes(index));
    EXPECT_EQ(Bytes(server.Local("site/a/b/deep page.html")), Bytes(deep));
    // No temporary file is left, and nothing changed here.
    EXPECT_EQ(server.Files(), (QStringList{"site/a/b/deep page.html", "site/index.html"}));
    EXPECT_EQ(QFileInfo(index).lastModified(), before);
    // The vanished file counts as it was when the run started: gone.
    EXPECT_EQ(report.lastSent, 20000 + 1 + 1000);
}

TEST_F(UploaderTest, AWrongPasswordOrNoServerFailsEveryFileWithTheReason)
{
    TPublishServer server("ftp");
    const QStringList files = {SiteFile("a.html"), SiteFile("b.html")};
    const TReport refused = Run(Job(server.Url(), files, "wrong"));
    EXPECT_EQ(refused.outcomes, (QList<TPublishOutcome>{Failed, Failed}));
    EXPECT_EQ(refused.loginRefused, 1);
    // The server's own words.
    EXPECT_TRUE(refused.errors[0].contains("530")) << refused.errors[0].toStdString();
    EXPECT_EQ(refused.errors[1], refused.errors[0]);
    EXPECT_TRUE(server.Files().isEmpty());

    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();
    const TReport nobody = Run(Job(QStringLiteral("ftp://127.0.0.1:%1/").arg(port), files));
    EXPECT_EQ(nobody.outcomes, (QList<TPublishOutcome>{Failed, Failed}));
    EXPECT_TRUE(nobody.errors[0].contains("connect", Qt::CaseInsensitive)) << nobody.errors[0].toStdString();
}

TEST_F(UploaderTest, WithoutAPasswordTheNetrcFileGivesIt)
{
    TPublishServer server("ftp");
    TPublishJob job = Job(server.Url(), {SiteFile("a.html")}, QString());
    WriteTestFile(job.NetrcFile, "machine 127.0.0.1 login user password secret\n");
    EXPECT_EQ(Run(job).outcomes, QList<TPublishOutcome>{Sent});
}

TEST_F(UploaderTest, CancelStopsTheFileBeingSentAndTheRestWithoutReplacingAnything)
{
    // 200 KB a second: each file takes a while to arrive.
    TPublishServer server("ftp", {"--throttle", "200000"});
    const QStringList files = {SiteFile("a.html", 100000), SiteFile("s/b.html", 100000), SiteFile("c.html", 100000)};
    QDir().mkpath(server.Local("site/s"));
    WriteTestFile(server.Local("site/s/b.html"), "old");
    const TReport report = Run(Job(server.Url(), files), [](TUploader &uploader, int index) {
        if (index == 0)
            uploader.Cancel();
    });
    EXPECT_EQ(report.outcomes, (QList<TPublishOutcome>{Sent, Cancelled, Cancelled}));
    EXPECT_EQ(Bytes(server.Local("site/a.html")), Bytes(files[0]));
    // The old copy stays whole, and the partial upload is removed.
    EXPECT_EQ(Bytes(server.Local("site/s/b.html")), "old");
    EXPECT_EQ(server.Files(), (QStringList{"site/a.html", "site/s/b.html"}));
}

TEST_F(UploaderTest, WebDavPutsFilesMakesFoldersAndReportsARefusedLogin)
{
    TPublishServer server("dav");
    QDir().mkpath(server.Local("site"));
    const QStringList files = {SiteFile("x/y/page.html", 5000), SiteFile("x/other.html"), SiteFile("top.html")};
    const TReport report = Run(Job(server.Url(), files));
    EXPECT_EQ(report.outcomes, (QList<TPublishOutcome>{Sent, Sent, Sent}));
    for (const QString &file : files)
        EXPECT_EQ(Bytes(server.Local("site/" + *RemotePathBelow(m_site.path(), file))), Bytes(file));

    const TReport refused = Run(Job(server.Url(), files, "wrong"));
    EXPECT_EQ(refused.outcomes, (QList<TPublishOutcome>{Failed, Failed, Failed}));
    EXPECT_EQ(refused.loginRefused, 1);
    EXPECT_TRUE(refused.errors[0].contains("401")) << refused.errors[0].toStdString();
}

TEST_F(UploaderTest, AnUntrustedCertificateIsRefusedWithoutFallingBack)
{
    TPublishServer server("dav", {"--tls"});
    QDir().mkpath(server.Local("site"));
    const QString url = server.Url().replace("http://", "https://");
    const TReport report = Run(Job(url, {SiteFile("a.html"), SiteFile("b.html")}));
    EXPECT_EQ(report.outcomes, (QList<TPublishOutcome>{Failed, Failed}));
    EXPECT_TRUE(report.errors[0].contains("certificate")) << report.errors[0].toStdString();
    EXPECT_TRUE(server.Files().isEmpty());
}

TEST_F(UploaderTest, SftpAsksAboutAnUnknownHostKeyAndReplacesFilesWhole)
{
    QTemporaryDir keys;
    const QString serverKey = keys.filePath("server_key");
    TPublishServer server("sftp", {"--host-key", serverKey});
    const QStringList files = {SiteFile("p/page.html", 30000), SiteFile("index.html")};
    QDir().mkpath(server.Local("site"));
    WriteTestFile(server.Local("site/index.html"), "old");

    // Refused: nothing is sent.
    Scripted().answers = {TMsgResult::No};
    const TReport refused = Run(Job(server.Url(), files));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_TRUE(Scripted().messages[0].text.contains("SHA256:"));
    EXPECT_EQ(refused.outcomes, (QList<TPublishOutcome>{Failed, Failed}));
    EXPECT_TRUE(refused.errors[0].contains("not accepted")) << refused.errors[0].toStdString();
    EXPECT_EQ(Bytes(server.Local("site/index.html")), "old");

    // Accepted: remembered, so the next run asks nothing.
    Scripted().Reset();
    Scripted().answers = {TMsgResult::Yes};
    EXPECT_EQ(Run(Job(server.Url(), files)).outcomes, (QList<TPublishOutcome>{Sent, Sent}));
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_TRUE(Bytes(m_site.filePath("known_hosts")).contains("127.0.0.1"));
    EXPECT_EQ(Run(Job(server.Url(), files)).outcomes, (QList<TPublishOutcome>{Sent, Sent}));
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Bytes(server.Local("site/index.html")), Bytes(files[1]));
    EXPECT_EQ(Bytes(server.Local("site/p/page.html")), Bytes(files[0]));
    EXPECT_EQ(server.Files(), (QStringList{"site/index.html", "site/p/page.html"}));

    // Another key for the same host is refused without a question.
    QByteArray line = Bytes(serverKey);
    line.replace(line.size() - 10, 4, "AAAA");
    WriteTestFile(m_site.filePath("known_hosts"), line + "\n");
    const TReport mismatch = Run(Job(server.Url(), files));
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(mismatch.outcomes, (QList<TPublishOutcome>{Failed, Failed}));
    EXPECT_TRUE(mismatch.errors[0].contains("does not match")) << mismatch.errors[0].toStdString();
}

} // namespace
