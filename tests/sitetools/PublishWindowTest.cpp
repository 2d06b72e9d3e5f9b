// SPDX-License-Identifier: GPL-3.0-or-later
// The Publish window against a loopback FTP server: what it remembers and
// what it never writes, its results, Cancel, and the long run it holds.

#include "TUploader.h"
#include "TfPublish.h"

#include "LongRun.h"
#include "PublishServer.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "WhenPublishWindowShows.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString PublishKey = QStringLiteral("Software\\Velicort\\Publish");

QStringList Results(const TfPublish &window)
{
    QStringList results;
    for (int i = 0; i < window.lvwResults->topLevelItemCount(); ++i)
        results.append(window.lvwResults->topLevelItem(i)->text(1));
    return results;
}

class PublishWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { Scripted().Reset(); }
    QString Page(const QString &name, qsizetype size = 100)
    {
        QDir(m_site.path()).mkpath(QFileInfo(m_site.filePath(name)).path());
        return WriteTestFile(m_site.filePath(name), QByteArray(size, 'p'));
    }
    QTemporaryDir m_site;
};

TEST_F(PublishWindowTest, NoFilesOrNoDestinationAreSaidFirst)
{
    PublishFiles(nullptr, {});
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, "No files passed.");

    Scripted().Reset();
    bool shown = false;
    const QString page = Page("a/page.html");
    WhenPublishWindowShows([&](TfPublish &window) {
        shown = true;
        // The site root starts as the files' folder.
        EXPECT_EQ(window.edtSiteRoot->text(), m_site.filePath("a"));
        // Publishing to no destination says so and sends nothing.
        window.Publish();
        EXPECT_FALSE(window.Running());
    });
    PublishFiles(nullptr, {page});
    EXPECT_TRUE(shown);
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_TRUE(Scripted().messages[0].text.contains("requires a publishing destination"));
    EXPECT_EQ(Scripted().messages[1].kind, TMsgKind::Error);
}

TEST_F(PublishWindowTest, PublishesRemembersAllButThePasswordAndHoldsALongRun)
{
    TPublishServer server("ftp");
    const QStringList files = {Page("index.html"), Page("sub/page.html"), m_site.filePath("gone.html")};
    auto window = std::make_unique<TfPublish>(files);
    window->edtDestination->setText(server.Url());
    window->edtSiteRoot->setText(m_site.path());
    window->edtUserName->setText("user");
    window->edtPassword->setText("secret");
    QSignalSpy finished(window.get(), &TfPublish::Finished);
    bool idleCallRan = false;
    window->Publish();
    EXPECT_TRUE(TLongRun::Active());
    EXPECT_FALSE(window->btnPublish->isEnabled());
    // A command that would change the documents waits for the run's end.
    TLongRun::WhenIdle(window.get(), [&] { idleCallRan = true; });
    EXPECT_FALSE(idleCallRan);
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(TLongRun::Active());
    QTRY_VERIFY(idleCallRan);
    EXPECT_EQ(Results(*window), (QStringList{"Sent", "Sent", "Failed"}));
    EXPECT_TRUE(window->lblStatus->text().startsWith("2 sent, 1 failed, 0 cancelled."));
    EXPECT_EQ(server.Files(), (QStringList{"site/index.html", "site/sub/page.html"}));

    EXPECT_EQ(ReadRegValue(PublishKey, "Destination", ""), server.Url());
    EXPECT_EQ(ReadRegValue(PublishKey, "SiteRoot", ""), m_site.path());
    EXPECT_EQ(ReadRegValue(PublishKey, "UserName", ""), "user");
    QFile settings(SettingsFilePath());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains("secret"));
    // The next window of the program's run knows the password.
    EXPECT_EQ(TfPublish(files).edtPassword->text(), "secret");

    // A refused password is forgotten and asked for again.
    window->edtPassword->setText("wrong");
    window->Publish();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(Results(*window), (QStringList{"Failed", "Failed", "Failed"}));
    EXPECT_TRUE(window->lblStatus->text().contains("refused the user name or password"));
    EXPECT_EQ(TfPublish(files).edtPassword->text(), "");
}

TEST_F(PublishWindowTest, ClosingDuringARunCancelsItAndKeepsTheWindow)
{
    TPublishServer server("ftp", {"--throttle", "100000"});
    const QStringList files = {Page("a.html", 60000), Page("b.html", 60000)};
    TfPublish window(files);
    window.edtDestination->setText(server.Url());
    window.edtUserName->setText("user");
    window.edtPassword->setText("secret");
    QSignalSpy finished(&window, &TfPublish::Finished);
    QSignalSpy rejected(&window, &QDialog::rejected);
    window.Publish();
    EXPECT_EQ(window.btnClose->text(), "Cancel");
    window.btnClose->click();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(Results(window), (QStringList{"Cancelled", "Cancelled"}));
    EXPECT_EQ(rejected.size(), 0);
    EXPECT_FALSE(QFileInfo::exists(server.Local("site/a.html")));
    window.btnClose->click();
    EXPECT_EQ(rejected.size(), 1);
}

} // namespace
