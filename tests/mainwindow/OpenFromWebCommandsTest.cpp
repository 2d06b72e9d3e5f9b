// SPDX-License-Identifier: GPL-3.0-or-later
// "Open from the Web": the dialog's checks and stored values, what the
// command refuses before fetching, and pages fetched over http and https
// into new documents.

#include "TfMain.h"

#include "LoopbackWebServer.h"
#include "OpenFromWebCommands.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TfHTTP.h"
#include "TfOpenFromWeb.h"
#include "TvqHTMLTab.h"
#include "WhenShown.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSslConfiguration>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Velicort = QStringLiteral("Software\\Velicort");

class OpenFromWeb : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        m_window.show();
    }

    // Answers the next dialog with the address, after the action sees it.
    void Answer(const QString &address, const std::function<void(TfOpenFromWeb *)> &look = {})
    {
        WhenShown<TfOpenFromWeb>([address, look](TfOpenFromWeb *dialog) {
            if (look)
                look(dialog);
            dialog->txtURL->setText(address);
            dialog->accept();
            if (dialog->isVisible())
                dialog->reject();
        });
    }
    void Open() { m_window.Action(QStringLiteral("mnuFileOpenWeb"))->trigger(); }
    TvqRichHTML *Editor() { return m_window.ActiveEditor(); }
    // The page the server gives for /page.htm, with a Content-Type.
    void Serve(const QByteArray &body, const QByteArray &type = "text/html")
    {
        m_server.Answer(QStringLiteral("/page.htm"),
                        "HTTP/1.0 200 OK\r\nContent-Type: " + type +
                            "\r\nContent-Length: " + QByteArray::number(body.size()),
                        0, body);
    }

    TLoopbackWebServer m_server;
    TfMain m_window;
};

} // namespace

TEST(OpenFromWebDialog, TakesWebAddressesOnly)
{
    const std::pair<const char *, bool> cases[] = {
        {"http://example.org/", true},
        {"HTTPS://Example.org/a.htm", true},
        {"ftp://example.org/a", true},
        {"http://", false},
        {"https://", false},
        {"example.org/a.htm", false},
        {"", false},
        {"file:///tmp/a.htm", false},
    };
    for (const auto &[address, accepted] : cases)
        EXPECT_EQ(IsWebAddressAccepted(QLatin1String(address)), accepted) << address;
}

TEST_F(OpenFromWeb, TheDialogStartsFromTheStoredValuesAndWritesThemBack)
{
    WriteRegValue(Velicort, QStringLiteral("Timeout"), 2); // out of range: 30
    WriteRegValue(Velicort, QStringLiteral("HTTPPort"), m_server.Port());
    Serve("<p>x</p>");
    int shownTimeout = 0;
    QString shownPort;
    bool bookmarks = true;
    Answer(QStringLiteral("http://127.0.0.1/page.htm"), [&](TfOpenFromWeb *dialog) {
        shownTimeout = dialog->udTimeout->value();
        shownPort = dialog->txtPort->text();
        bookmarks = !dialog->btnBookmarks->isHidden();
        dialog->udTimeout->setValue(45);
    });
    Open();
    EXPECT_EQ(shownTimeout, 30);
    EXPECT_EQ(shownPort, QString::number(m_server.Port()));
    EXPECT_FALSE(bookmarks); // no bookmark file
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("Timeout"), QString()), QStringLiteral("45"));
    // The stored port served the address that named none.
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>x</p>"));
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].text,
              QStringLiteral("Note: Make sure you have a valid Internet connection before using this function"));
}

TEST_F(OpenFromWeb, TheSchemeAloneIsRefusedAndTheDialogStays)
{
    bool stayed = false;
    WhenShown<TfOpenFromWeb>([&](TfOpenFromWeb *dialog) {
        dialog->txtURL->setText(QStringLiteral("http://"));
        dialog->accept();
        stayed = dialog->isVisible();
        dialog->reject();
    });
    const int documents = m_window.Documents()->DocumentCount();
    Open();
    EXPECT_TRUE(stayed);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Please enter a valid URL."));
    EXPECT_EQ(m_window.Documents()->DocumentCount(), documents);
}

TEST_F(OpenFromWeb, ImagesAreRefusedFoldersFetchedOtherFilesAskedAbout)
{
    Answer(m_server.Url(QStringLiteral("/logo.gif")));
    Open();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Files of this type cannot be opened by Velicort"));
    EXPECT_TRUE(m_server.Requests.isEmpty());

    // A folder needs no note beyond the connection's.
    m_server.Answer(QStringLiteral("/dir/"), "HTTP/1.0 200 OK\r\nContent-Length: 9", 0, "<p>dir</p>");
    Scripted().Reset();
    Answer(m_server.Url(QStringLiteral("/dir/")));
    Open();
    EXPECT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(m_server.Requests, QStringList{QStringLiteral("GET /dir/")});
    EXPECT_EQ(Editor()->WebAddress(), m_server.Url(QStringLiteral("/dir/")));

    // Another kind of file: the note, whose Cancel ends it.
    Scripted().Reset();
    Scripted().noticeAnswers = {{TMsgResult::Ok, false}, {TMsgResult::Cancel, false}};
    Answer(m_server.Url(QStringLiteral("/data.txt")));
    Open();
    ASSERT_EQ(Scripted().notices.size(), 2);
    EXPECT_EQ(Scripted().notices[1].text,
              QStringLiteral("This URL points to a file that may not be an HTML document.  Continue?"));
    EXPECT_EQ(m_server.Requests.size(), 1);
}

TEST_F(OpenFromWeb, APageOpensAsAnUntitledDocumentThatRemembersItsAddress)
{
    Serve("<p>From the web</p>\n<p>caf\xc3\xa9</p>\n");
    m_window.findChild<QTabWidget *>(QStringLiteral("pgHTML"))->setCurrentIndex(1);
    const QString address = m_server.Url(QStringLiteral("/page.htm"));
    Answer(address);
    Open();
    EXPECT_EQ(m_window.findChild<QTabWidget *>(QStringLiteral("pgHTML"))->currentIndex(), 0);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>From the web</p>\r\n<p>caf\u00e9</p>\r\n"));
    EXPECT_EQ(Editor()->WebAddress(), address);
    EXPECT_TRUE(Editor()->Filename().isEmpty());
    EXPECT_EQ(Editor()->GetSelStart(), 0);
    // Opened as a file is, with nothing to undo, but not saved anywhere.
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_FALSE(Editor()->Text().isEmpty());
    EXPECT_EQ(m_window.StatusPanelText(1).trimmed(), QStringLiteral("Ready."));
}

TEST_F(OpenFromWeb, BytesAreDecodedAsTheEditorDecodesFiles)
{
    Serve("<p>caf\xe9 \x80</p>", "text/html; charset=windows-1252");
    Answer(m_server.Url(QStringLiteral("/page.htm")));
    Open();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>caf\u00e9 \u20ac</p>"));
    EXPECT_EQ(Editor()->Encoding(), TTextEncoding::Windows1252);

    // A charset the editor does not read is told.
    Serve("<p>plain</p>", "text/html; charset=\"Shift_JIS\"");
    Answer(m_server.Url(QStringLiteral("/page.htm")));
    Open();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>plain</p>"));
    EXPECT_EQ(m_window.StatusPanelText(1).trimmed(),
              QStringLiteral("The server names the charset \"Shift_JIS\"; the page is read as UTF-8."));
}

TEST_F(OpenFromWeb, HttpsPagesOpenToo)
{
    QSslCertificate certificate;
    QByteArray key;
    if (!MakeTestCertificate(certificate, key))
        GTEST_SKIP() << "no openssl to make a test certificate, or no TLS support";
    QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
    const QSslConfiguration before = trusting;
    trusting.addCaCertificate(certificate);
    QSslConfiguration::setDefaultConfiguration(trusting);
    TLoopbackWebServer secure(certificate, key);
    secure.Answer(QStringLiteral("/s.htm"), "HTTP/1.0 200 OK\r\nContent-Length: 13", 0, "<p>secure</p>");
    Answer(secure.Url(QStringLiteral("/s.htm"), QStringLiteral("localhost")));
    Open();
    QSslConfiguration::setDefaultConfiguration(before);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>secure</p>"));
}

TEST_F(OpenFromWeb, FailuresOpenNothingAndShowInTheStatusBar)
{
    const quint16 dead = DeadLoopbackPort();
    const int documents = m_window.Documents()->DocumentCount();
    Answer(QStringLiteral("http://127.0.0.1:%1/page.htm").arg(dead));
    Open();
    const QString refused = QStringLiteral("Connection refused by 127.0.0.1:%1").arg(dead);
    EXPECT_EQ(m_window.Documents()->DocumentCount(), documents);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, refused);
}

TEST_F(OpenFromWeb, InputWaitsWhileThePageIsFetched)
{
    Serve("<p>slow</p>");
    m_server.Answer(QStringLiteral("/page.htm"), "HTTP/1.0 200 OK\r\nContent-Length: 11", 300, "<p>slow</p>");
    TvqRichHTML *before = Editor();
    before->InsertTag(QStringLiteral("a"), QString(), false); // kept, not replaced by the page
    before->setFocus();
    // A key typed while the fetch runs goes to the editor it was typed in
    // only once the fetch is over.
    QString duringFetch;
    QTimer::singleShot(150, before, [before] {
        QCoreApplication::postEvent(before, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    QTimer::singleShot(250, before, [&] { duringFetch = before->Text(); });
    Answer(m_server.Url(QStringLiteral("/page.htm")));
    Open();
    EXPECT_EQ(duringFetch, QStringLiteral("a"));
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>slow</p>"));
    EXPECT_NE(Editor(), before);
    QTRY_COMPARE(before->Text(), QStringLiteral("ax"));
}
