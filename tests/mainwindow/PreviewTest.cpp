// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPreviewController.h"
#include "TfMain.h"

#include "DocumentCommands.h"
#include "ExternalBrowserLaunch.h"
#include "ScriptedMessageService.h"
#include "ServerMapping.h"
#include "SettingsStore.h"
#include "THTMLViewer.h"

#include <QHostAddress>
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolBar>
#include <QUrl>

#include "TBrowserView.h"
#include "TestFiles.h"
#include "TvqHTMLTab.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TempCopies, UniqueHtmFilesBesideTheDocumentDeletedLater)
{
    QTemporaryDir dir;
    const QString mine = WriteTestFile(dir.filePath(QStringLiteral("~vcmine.htm")), "keep");
    TTempCopies copies;
    const QString first = copies.Make(dir.path(), "<P>one</P>");
    const QString second = copies.Make(dir.path(), "<P>two</P>");
    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith(QStringLiteral("~vc")));
    EXPECT_TRUE(first.endsWith(QStringLiteral(".htm")));
    QFile file(second);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("<P>two</P>"));
    copies.DeleteAll();
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_TRUE(copies.Paths().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(mine));
    EXPECT_TRUE(copies.Make(dir.filePath(QStringLiteral("missing")), "x").isEmpty());
}

TEST(TempCopies, TheBrowserGetsThePathAsOneArgumentWhateverItHolds)
{
    // A "browser" in a folder with a blank that writes each argument it got,
    // ended by a NUL, and then a mark that it is done.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("My Browser")));
    const QString browser = dir.filePath(QStringLiteral("My Browser/run"));
    const QString received = dir.filePath(QStringLiteral("argv"));
    WriteTestFile(browser,
                  "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$0.out\"\nmv \"$0.out\" \"$(dirname \"$0\")/../argv\"\n");
    ASSERT_TRUE(QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    const QString page = dir.filePath(QStringLiteral("my \"quoted\" page 'x'.htm"));
    ASSERT_TRUE(StartExternalBrowser(browser, page));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(received); }, 10000));
    QFile file(received);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), page + QChar(0));

    EXPECT_FALSE(StartExternalBrowser(dir.filePath(QStringLiteral("missing")), page));
}

TEST(ServerMapping, LocalPathsAndAddresses)
{
    const QString from = QStringLiteral("/srv/WEB/");
    const QString to = QStringLiteral("http://localhost:8080/");
    EXPECT_EQ(MapLocalPath(QStringLiteral("/srv/WEB/docs/~vc1234.htm"), from, to),
              QStringLiteral("http://localhost:8080/docs/~vc1234.htm"));
    // Another folder here, whose name differs only in case.
    EXPECT_EQ(MapLocalPath(QStringLiteral("/srv/web/docs/a.htm"), from, to), std::nullopt);
    EXPECT_EQ(MapLocalPath(QStringLiteral("/home/me/page.htm"), from, to), std::nullopt);
    EXPECT_EQ(MapLocalPath(QStringLiteral("/srv/web/page.htm"), QString(), to), std::nullopt);

    EXPECT_EQ(LocalPathOfAddress(QStringLiteral("file:///home/me/my%20page.htm"), from, to),
              QStringLiteral("/home/me/my page.htm"));
    EXPECT_EQ(LocalPathOfAddress(QStringLiteral("HTTP://LOCALHOST:8080/docs/a.htm"), from, to),
              QStringLiteral("/srv/WEB/docs/a.htm"));
    EXPECT_EQ(LocalPathOfAddress(QStringLiteral("https://example.org/"), from, to), std::nullopt);
}

class Preview : public testing::Test
{
protected:
    void SetUp() override { m_window.show(); }

    void UseBrowsers(const QList<TExternalBrowserInfo> &browsers, int launchSetting)
    {
        TSettingsState state = m_window.CurrentSettings();
        state.Browsers = browsers;
        state.BrowserLaunchSetting = launchSetting;
        TSettingsMarks marks;
        marks.Browsers = marks.Launch = true;
        m_window.ApplySettings(state, marks);
    }

    QTabWidget *Pages() const { return m_window.findChild<QTabWidget *>(QStringLiteral("pgHTML")); }

    QTemporaryDir m_dir;
    TfMain m_window;
};

TEST_F(Preview, AnEmptyDocumentHasNothingToBrowse)
{
    Pages()->setCurrentIndex(1);
    EXPECT_EQ(Pages()->currentIndex(), 0);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document is empty - there is nothing to browse."));
}

TEST_F(Preview, BrowsingShowsThePageAndSwitchesTheEditingCommandsOff)
{
    const QString page =
        WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")),
                      "<html><body><h1>Hello preview</h1><a href=\"other.htm\">next</a></body></html>");
    m_window.OpenDocuments(page, 0);
    m_window.Action(QStringLiteral("mnuViewEditBrowse"))->trigger();
    EXPECT_EQ(Pages()->currentIndex(), 1);
    auto *viewer = m_window.findChild<THTMLViewer *>(QStringLiteral("htmlView"));
    EXPECT_TRUE(viewer->toPlainText().contains(QStringLiteral("Hello preview")));
    EXPECT_FALSE(m_window.findChild<QMenu *>(QStringLiteral("mnuFile"))->menuAction()->isEnabled());
    EXPECT_FALSE(m_window.Action(QStringLiteral("spdNew"))->isEnabled());
    EXPECT_EQ(Scripted().notices.size(), 1); // the viewer's capabilities, once

    m_window.Action(QStringLiteral("mnuViewEditBrowse"))->trigger();
    EXPECT_EQ(Pages()->currentIndex(), 0);
    EXPECT_TRUE(m_window.findChild<QMenu *>(QStringLiteral("mnuFile"))->menuAction()->isEnabled());
    EXPECT_TRUE(m_window.Action(QStringLiteral("spdNew"))->isEnabled());
    EXPECT_TRUE(m_window.Action(QStringLiteral("spdProjects"))->isEnabled());
    EXPECT_TRUE(m_window.Action(QStringLiteral("spdVerifyLinks"))->isEnabled());
    EXPECT_TRUE(m_window.Action(QStringLiteral("spdValidate"))->isEnabled());
}

TEST_F(Preview, ADocumentOpenedWhileBrowsingIsShown)
{
    const QString first = WriteTestFile(m_dir.filePath(QStringLiteral("first.htm")), "<p>First page</p>");
    const QString second = WriteTestFile(m_dir.filePath(QStringLiteral("second.htm")), "<p>Second page</p>");
    m_window.OpenDocuments(first, 0);
    Pages()->setCurrentIndex(1);
    auto *viewer = m_window.findChild<THTMLViewer *>(QStringLiteral("htmlView"));
    ASSERT_TRUE(viewer->toPlainText().contains(QStringLiteral("First page")));
    m_window.OpenDocuments(second, 0);
    EXPECT_EQ(Pages()->currentIndex(), 1);
    EXPECT_TRUE(viewer->toPlainText().contains(QStringLiteral("Second page"))) << viewer->toPlainText().toStdString();
}

TEST_F(Preview, WithoutABrowserObjectThePreviewFallsBackToTheViewer)
{
    if (BrowserObjectInstalled())
        GTEST_SKIP() << "this build has a browser object";
    const QString page = WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")), "<p>Fallback</p>");
    m_window.OpenDocuments(page, 0);
    TSettingsState state = m_window.CurrentSettings();
    state.UseMSIE = true;
    m_window.ApplySettings(state, TSettingsMarks());
    Pages()->setCurrentIndex(1);
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_TRUE(Scripted().messages[0].text.startsWith(QStringLiteral("Velicort was unable to communicate")));
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("Reverting to Velicort's default browser."));
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\InternalBrowser"), QStringLiteral("UseMSIE"), QString()),
              QStringLiteral("0"));
    EXPECT_TRUE(m_window.findChild<THTMLViewer *>(QStringLiteral("htmlView"))
                    ->toPlainText()
                    .contains(QStringLiteral("Fallback")));
}

// A web server on loopback that serves the files of one folder.
class TLoopbackServer : public QTcpServer
{
public:
    explicit TLoopbackServer(const QString &folder) : m_folder(folder)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                // Answers once the whole request has arrived.
                const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
                socket->setProperty("request", request);
                if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
                    return;
                socket->setProperty("answered", true);
                const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
                QFile file(QDir(m_folder).filePath(QUrl::fromPercentEncoding(line.value(1).mid(1))));
                const QByteArray body = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
    }

private:
    QString m_folder;
};

// The tests that load the web engine; the sanitizer run (tools/sanitize.sh)
// tells them by this name.
using WebEnginePreview = Preview;

TEST_F(WebEnginePreview, TheBrowserObjectShowsThePageThroughTheServerMapping)
{
    if (!BrowserObjectInstalled())
        GTEST_SKIP() << "this build has no browser object";
    TLoopbackServer server(m_dir.path());
    ASSERT_TRUE(server.isListening());
    const QString page = WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")), "<p>Served page</p>");
    m_window.OpenDocuments(page, 0);
    TSettingsState state = m_window.CurrentSettings();
    state.UseMSIE = true;
    state.MapFrom = QDir(m_dir.path()).absolutePath() + u'/';
    state.MapTo = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
    TSettingsMarks marks;
    marks.Mapping = true;
    m_window.ApplySettings(state, marks);

    Pages()->setCurrentIndex(1);
    TBrowserView *browser = m_window.Preview()->BrowserObject();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->objectName(), QStringLiteral("msie"));
    QSignalSpy loaded(browser, SIGNAL(LoadFinished(bool)));
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(15000));
    EXPECT_TRUE(loaded.last().first().toBool());
    EXPECT_TRUE(browser->LocationURL().startsWith(state.MapTo));
    EXPECT_EQ(m_window.findChild<QLabel *>(QStringLiteral("lblURLMapping"))->text(),
              QStringLiteral("URL mapping successful"));
    EXPECT_TRUE(m_window.findChild<QToolBar *>(QStringLiteral("pgMSIEToolbar"))->isVisible());

    // A mapping that does not cover the document shows the local file, with
    // the notice.
    Pages()->setCurrentIndex(0);
    state.MapFrom = QStringLiteral("/nowhere/");
    m_window.ApplySettings(state, marks);
    Scripted().Reset();
    Pages()->setCurrentIndex(1);
    EXPECT_EQ(m_window.findChild<QLabel *>(QStringLiteral("lblURLMapping"))->text(),
              QStringLiteral("URL mapping failed"));
    ASSERT_FALSE(Scripted().notices.isEmpty());
    EXPECT_EQ(Scripted().notices.last().caption, QStringLiteral("URL Mapping Failed"));
    browser = m_window.Preview()->BrowserObject();
    QSignalSpy local(browser, SIGNAL(LoadFinished(bool)));
    ASSERT_TRUE(local.count() > 0 || local.wait(15000));
    EXPECT_TRUE(browser->LocationURL().startsWith(QStringLiteral("file://")));

    // The shown page is a temporary copy: it is not opened for editing.
    m_window.Action(QStringLiteral("spdBrowserEdit"))->trigger();
    ASSERT_FALSE(Scripted().messages.isEmpty());
    EXPECT_EQ(Scripted().messages.last().text,
              QStringLiteral("The document in the browser is a temporary file created by Velicort and cannot be "
                             "edited."));

    // Back on the Edit page nothing keeps running out of sight.
    Pages()->setCurrentIndex(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser->LocationURL() == QStringLiteral("about:blank"); }, 10000));
}

// Whether a library whose file name holds the text is mapped into this process.
bool LibraryLoaded(const char *name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

TEST_F(WebEnginePreview, TheWebEngineLoadsWithTheFirstBrowserObjectPreviewOnly)
{
    if (!BrowserObjectInstalled())
        GTEST_SKIP() << "this build has no browser object";
    EXPECT_FALSE(LibraryLoaded("libQt6WebEngineCore"));
    const QString page = WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")), "<p>Engine</p>");
    m_window.OpenDocuments(page, 0);
    Pages()->setCurrentIndex(1);
    Pages()->setCurrentIndex(0);
    TSettingsState state = m_window.CurrentSettings();
    state.UseMSIE = true;
    m_window.ApplySettings(state, TSettingsMarks());
    EXPECT_FALSE(LibraryLoaded("libQt6WebEngineCore")); // chosen, not used yet

    Pages()->setCurrentIndex(1);
    EXPECT_TRUE(LibraryLoaded("libQt6WebEngineCore"));
    ASSERT_NE(m_window.Preview()->BrowserObject(), nullptr);
    EXPECT_TRUE(Scripted().messages.isEmpty());
    QSignalSpy loaded(m_window.Preview()->BrowserObject(), SIGNAL(LoadFinished(bool)));
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(15000));
    EXPECT_TRUE(loaded.last().first().toBool());
}

TEST_F(Preview, AnUntitledDocumentGoesToTheBrowserAsATemporaryCopy)
{
    m_window.Commands()->SetOpenFolder(m_dir.path());
    QTest::keyClicks(m_window.ActiveEditor(), QStringLiteral("<P>draft</P>"));
    UseBrowsers({{QStringLiteral("True"), QStringLiteral("/bin/true"), false}}, 2);
    m_window.Action(QStringLiteral("spdBrowseExternal"))->trigger();
    EXPECT_TRUE(Scripted().messages.isEmpty());
    ASSERT_EQ(m_window.Preview()->TempCopies().size(), 1);
    const QString copy = m_window.Preview()->TempCopies().first();
    EXPECT_EQ(QFileInfo(copy).absolutePath(), QDir(m_dir.path()).absolutePath());
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_TRUE(m_window.ActiveEditor()->Modified()); // nothing was saved

    // The next page switch takes the copy away.
    Pages()->setCurrentIndex(1);
    Pages()->setCurrentIndex(0);
    EXPECT_FALSE(QFileInfo::exists(copy));

    // So does closing the program.
    m_window.Action(QStringLiteral("spdBrowseExternal"))->trigger();
    ASSERT_EQ(m_window.Preview()->TempCopies().size(), 1);
    const QString last = m_window.Preview()->TempCopies().first();
    Scripted().answers = {TMsgResult::No}; // the draft is not kept
    EXPECT_TRUE(m_window.close());
    EXPECT_FALSE(QFileInfo::exists(last));
}

TEST_F(Preview, AnUntitledDocumentMustBeSavedToBeShownOtherwise)
{
    QTest::keyClicks(m_window.ActiveEditor(), QStringLiteral("<P>draft</P>"));
    UseBrowsers({{QStringLiteral("True"), QStringLiteral("/bin/true"), false}}, 0);
    Scripted().answers = {TMsgResult::Cancel};
    EXPECT_FALSE(m_window.Preview()->LaunchExternalBrowser(QStringLiteral("/bin/true"), false, 0));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document must be saved in order to display it."));
    EXPECT_TRUE(m_window.Preview()->TempCopies().isEmpty());
}

} // namespace
