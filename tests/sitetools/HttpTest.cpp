// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP client against small servers on the loopback interface that this
// test runs in its own event loop: each connection gets the request read up
// to its blank line, then a scripted answer.

#include "TagHTTP.h"
#include "TfHTTP.h"

#include "ScriptedMessageService.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSslKey>
#include <QSslServer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include <sys/socket.h>

namespace {

// Answers each request by calling Reply with the client's socket; a TLS
// server when given one.
class TTestServer : public QObject
{
public:
    explicit TTestServer(std::function<void(QTcpSocket *)> reply, QTcpServer *server = new QTcpServer,
                         const QHostAddress &address = QHostAddress::LocalHost)
        : Reply(std::move(reply)), m_server(server)
    {
        m_server->setParent(this);
        m_server->listen(address);
        connect(m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    Request += socket->readAll();
                    if (!answered && Request.contains("\r\n\r\n")) {
                        answered = true;
                        Reply(socket);
                    }
                });
            }
        });
    }

    bool isListening() const { return m_server->isListening(); }
    quint16 serverPort() const { return m_server->serverPort(); }
    QString Url(const QString &path = QStringLiteral("/"), const QString &scheme = QStringLiteral("http"),
                const QString &host = QStringLiteral("127.0.0.1")) const
    {
        return QStringLiteral("%1://%2:%3%4").arg(scheme, host).arg(serverPort()).arg(path);
    }

    std::function<void(QTcpSocket *)> Reply;
    QByteArray Request;
    bool answered = false;

private:
    QTcpServer *m_server;
};

// Sends the answer and closes, as an HTTP/1.0 server does.
auto SendAndClose(const QByteArray &answer)
{
    return [answer](QTcpSocket *socket) {
        socket->write(answer);
        socket->disconnectFromHost();
    };
}

// A client with short steps: TimeOut 3 of 50 ms ticks.
struct THttpFixture : testing::Test
{
    THttpFixture()
    {
        http.TickInterval = 50;
        http.TimeOut = 3;
        QObject::connect(&http, &TagSocket::OnError, [this](TagSocket *, const QString &text) { errors << text; });
    }

    TagHTTP http;
    QStringList errors;
};

} // namespace

TEST(HttpUrl, SplitsServerPathAndFileName)
{
    TagHTTP http;
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://h")));
    EXPECT_EQ(http.Server, QStringLiteral("h"));
    EXPECT_EQ(http.Path(), QStringLiteral("/"));
    EXPECT_EQ(http.FileName(), QString());

    ASSERT_TRUE(http.SetURL(QStringLiteral("HTTP://h/dir")));
    EXPECT_EQ(http.Path(), QStringLiteral("/dir/"));
    EXPECT_EQ(http.FileName(), QString());

    ASSERT_TRUE(http.SetURL(QStringLiteral("http://h:8080/dir/page.htm")));
    EXPECT_EQ(http.Server, QStringLiteral("h:8080"));
    EXPECT_EQ(http.Path(), QStringLiteral("/dir/page.htm"));
    EXPECT_EQ(http.FileName(), QStringLiteral("page.htm"));

    ASSERT_TRUE(http.SetURL(QStringLiteral("http://h/a.b/")));
    EXPECT_EQ(http.FileName(), QStringLiteral("index.html"));

    ASSERT_TRUE(http.SetURL(QStringLiteral("https://secure.example/x.html")));
    EXPECT_EQ(http.Server, QStringLiteral("secure.example"));
    EXPECT_EQ(http.Path(), QStringLiteral("/x.html"));
    EXPECT_TRUE(http.Secure);
}

TEST(HttpUrl, RefusesOtherSchemesAndKeepsTheLastUrl)
{
    TagHTTP http;
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://h/a.html")));
    EXPECT_FALSE(http.SetURL(QStringLiteral("ftp://h/file.txt")));
    EXPECT_FALSE(http.SetURL(QStringLiteral("h/a.html")));
    EXPECT_EQ(http.URL(), QStringLiteral("http://h/a.html"));
    EXPECT_EQ(http.Server, QStringLiteral("h"));
}

TEST(HttpUrl, AnIPv6AddressInBracketsIsSplitAtItsOwnColon)
{
    TagHTTP http;
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://[::1]:8080/dir/page.htm")));
    EXPECT_EQ(http.Server, QStringLiteral("[::1]:8080"));
    EXPECT_EQ(http.Host(), QStringLiteral("::1"));
    EXPECT_EQ(http.Path(), QStringLiteral("/dir/page.htm"));
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://[::1]/")));
    EXPECT_EQ(http.Host(), QStringLiteral("::1"));
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://h:8080/")));
    EXPECT_EQ(http.Host(), QStringLiteral("h"));
}

TEST(HttpErrorText, KeepsTheClassicCodesAndForms)
{
    EXPECT_EQ(SocketErrorText(0), QStringLiteral("[0] No Error"));
    EXPECT_EQ(SocketErrorText(10061), QStringLiteral("[10061] Connection refused"));
    EXPECT_EQ(SocketErrorText(11003), QStringLiteral("[11003] Non-Recoverable errors: FORMERR, REFUSED, NOTIMP"));
    EXPECT_EQ(SocketErrorText(secTimedOut), QStringLiteral("Operation timed out"));
    EXPECT_EQ(SocketErrorText(12345), QStringLiteral("Error #12345"));
}

TEST_F(THttpFixture, SendsTheRequestWithPortInHostAndReadsUntilClose)
{
    TTestServer server(SendAndClose("HTTP/1.0 200 OK\r\nServer: t\r\n\r\n<html>hello</html>"));
    ASSERT_TRUE(http.SetURL(server.Url(QStringLiteral("/dir/x.html"))));
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();

    EXPECT_EQ(server.Request, QByteArray("GET /dir/x.html HTTP/1.1\r\nHost: 127.0.0.1:") +
                                  QByteArray::number(server.serverPort()) +
                                  "\r\nUser-Agent: Velicort/2.5\r\nAccept: */*\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(http.Port(), server.serverPort());
    EXPECT_EQ(http.Header(), QStringList({QStringLiteral("HTTP/1.0 200 OK"), QStringLiteral("Server: t"), QString()}));
    EXPECT_EQ(http.Body(), QByteArray("<html>hello</html>"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(THttpFixture, EndsTheBodyAtContentLengthWhenTheServerKeepsTheConnection)
{
    TTestServer server([](QTcpSocket *socket) { socket->write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nabcde"); });
    ASSERT_TRUE(http.SetURL(server.Url()));
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();
    EXPECT_EQ(http.Body(), QByteArray("abcde"));
    EXPECT_LT(elapsed.elapsed(), 100); // no wait for a time-out
}

TEST_F(THttpFixture, DecodesAChunkedBody)
{
    TTestServer server([](QTcpSocket *socket) {
        socket->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                      "4\r\nWiki\r\n6;ext=1\r\npedia \r\nD\r\nin\r\n\r\nchunks.\r\n0\r\nX-Trailer: 1\r\n\r\n");
    });
    ASSERT_TRUE(http.SetURL(server.Url()));
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();
    EXPECT_EQ(http.Body(), QByteArray("Wikipedia in\r\n\r\nchunks."));
}

TEST_F(THttpFixture, FailsOnABadChunkSize)
{
    TTestServer server(SendAndClose("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nab\r\n0\r\n\r\n"));
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Invalid chunked response")});
}

TEST_F(THttpFixture, FailsWhenTheServerClosesMidBody)
{
    TTestServer server(SendAndClose("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this"));
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(http.Failure(), TSocketFailure::SocketError);
    EXPECT_EQ(errors, QStringList{QStringLiteral("Connection closed before the whole response arrived")});
}

TEST_F(THttpFixture, FailsWhenTheServerClosesMidHeader)
{
    TTestServer server(SendAndClose("HTTP/1.1 200 OK\r\nContent-Le"));
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Connection closed before the whole response arrived")});
}

TEST_F(THttpFixture, AnIPv6LoopbackServerIsReachedWithItsPort)
{
    TTestServer server(SendAndClose("HTTP/1.0 200 OK\r\n\r\nsix"), new QTcpServer, QHostAddress::LocalHostIPv6);
    if (!server.isListening())
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    const QString authority = QStringLiteral("[::1]:%1").arg(server.serverPort());
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://%1/six.html").arg(authority)));
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();
    EXPECT_EQ(http.Body(), QByteArray("six"));
    EXPECT_TRUE(server.Request.contains("\r\nHost: " + authority.toLatin1() + "\r\n"));
}

TEST_F(THttpFixture, AnAddressWithoutAPortUsesTheDefaultPort)
{
    TTestServer server(SendAndClose("HTTP/1.0 200 OK\r\n\r\nport"));
    http.DefaultPort = server.serverPort();
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://127.0.0.1/")));
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();
    EXPECT_EQ(http.Body(), QByteArray("port"));
    EXPECT_EQ(http.Port(), server.serverPort());
}

TEST_F(THttpFixture, SilentServerTimesOutWithinTheStep)
{
    TTestServer server([](QTcpSocket *) {});
    ASSERT_TRUE(http.SetURL(server.Url()));
    int closed = 0;
    QObject::connect(&http, &TagSocket::OnClosed, [&closed] { ++closed; });
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(http.Get());
    EXPECT_GE(elapsed.elapsed(), 100);
    EXPECT_LT(elapsed.elapsed(), 1000);
    EXPECT_EQ(http.Failure(), TSocketFailure::TimedOut);
    EXPECT_EQ(errors, QStringList{QStringLiteral("Operation timed out")});
    EXPECT_EQ(http.FailureMessage(),
              QStringLiteral("No answer from 127.0.0.1:%1 within 3 seconds").arg(server.serverPort()));
    EXPECT_EQ(closed, 1);
}

TEST_F(THttpFixture, CancelEndsTheWaitingStep)
{
    TTestServer server([](QTcpSocket *) {});
    http.TimeOut = 100;
    ASSERT_TRUE(http.SetURL(server.Url()));
    int cancels = 0;
    QObject::connect(&http, &TagSocket::OnCancel, [&cancels] { ++cancels; });
    QTimer::singleShot(50, &http, [this] { http.Cancel(); });
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(http.Get());
    EXPECT_LT(elapsed.elapsed(), 1000);
    EXPECT_EQ(http.Failure(), TSocketFailure::Canceled);
    EXPECT_EQ(errors, QStringList{QStringLiteral("Operation has been canceled")});
    EXPECT_EQ(cancels, 1);
}

TEST_F(THttpFixture, RefusedConnectionFailsAtOnce)
{
    quint16 port;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(http.Failure(), TSocketFailure::SocketError);
    EXPECT_EQ(errors, QStringList{QStringLiteral("[10061] Connection refused")});
    EXPECT_EQ(http.FailureMessage(), QStringLiteral("Connection refused by 127.0.0.1:%1").arg(port));
}

TEST_F(THttpFixture, UnknownHostIsNotFound)
{
    http.TimeOut = 100; // the resolver answers, not the countdown
    ASSERT_TRUE(http.SetURL(QStringLiteral("http://no-such-host.invalid/")));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("[11001] Host not found")});
    EXPECT_EQ(http.FailureMessage(), QStringLiteral("Host not found: no-such-host.invalid"));
}

TEST_F(THttpFixture, EmptyServerIsRefused)
{
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Server property is required")});
}

TEST_F(THttpFixture, EndlessHeaderLineFailsAtTheLimit)
{
    TTestServer server([](QTcpSocket *socket) {
        socket->write("HTTP/1.1 200 OK\r\nX-Long: ");
        // Keeps sending without a line end, as long as the client listens.
        auto *timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [socket] { socket->write(QByteArray(4096, 'a')); });
        timer->start(1);
    });
    http.TimeOut = 100;
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Response line too long")});
}

TEST_F(THttpFixture, TooManyHeaderLinesFail)
{
    QByteArray answer = "HTTP/1.1 200 OK\r\n";
    for (int i = 0; i < 200; ++i)
        answer += "X-Field: " + QByteArray::number(i) + "\r\n";
    TTestServer server(SendAndClose(answer + "\r\n"));
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Too many response header lines")});
}

TEST_F(THttpFixture, ABodyBeyondTheCapFailsBeforeItIsRead)
{
    TTestServer server(
        [](QTcpSocket *socket) { socket->write("HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n"); });
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Response body too large")});
}

// Sends piece after piece, one every interval, for as long as the client
// listens.
auto Trickle(const QByteArray &start, const QByteArray &piece, int interval = 20)
{
    return [start, piece, interval](QTcpSocket *socket) {
        socket->write(start);
        auto *timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, piece] { socket->write(piece); });
        timer->start(interval);
    };
}

TEST_F(THttpFixture, ATrickleThatKeepsEachStepAliveEndsAtTheRequestDeadline)
{
    // Each step is bounded by 3 ticks of 50 ms; the request as a whole by
    // four times that unless told otherwise.
    const std::vector<std::pair<QByteArray, QByteArray>> trickles{
        {"HTTP/1.1 200 OK\r\n", "X-Slow: a\r\n"},                                // the header
        {"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n", "b"},              // a sized body
        {"HTTP/1.1 200 OK\r\n\r\n", "c"},                                        // a body up to the close
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "1\r\nd\r\n"}, // endless chunks
    };
    for (const auto &[start, piece] : trickles) {
        SCOPED_TRACE(start.toStdString());
        errors.clear();
        TTestServer server(Trickle(start, piece));
        ASSERT_TRUE(http.SetURL(server.Url()));
        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_FALSE(http.Get());
        EXPECT_GE(elapsed.elapsed(), 550);
        EXPECT_LT(elapsed.elapsed(), 1500);
        EXPECT_EQ(http.Failure(), TSocketFailure::TimedOut);
        EXPECT_EQ(errors, QStringList{QStringLiteral("Response not complete within the time allowed")});
        EXPECT_EQ(http.FailureMessage(),
                  QStringLiteral("No complete answer from 127.0.0.1:%1 within 12 seconds").arg(server.serverPort()));
    }

    TTestServer server(Trickle("HTTP/1.1 200 OK\r\n\r\n", "e"));
    http.Deadline = 6;
    ASSERT_TRUE(http.SetURL(server.Url()));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(http.Get());
    EXPECT_GE(elapsed.elapsed(), 250);
    EXPECT_LT(elapsed.elapsed(), 550);
}

TEST_F(THttpFixture, InterimAnswersAreSkippedForTheFinalOne)
{
    TTestServer server(SendAndClose("HTTP/1.1 100 Continue\r\n\r\n"
                                    "HTTP/1.1 103 Early Hints\r\nLink: </s.css>; rel=preload\r\n\r\n"
                                    "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nbody"));
    ASSERT_TRUE(http.SetURL(server.Url()));
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();
    EXPECT_EQ(http.Header(),
              QStringList({QStringLiteral("HTTP/1.1 200 OK"), QStringLiteral("Content-Length: 4"), QString()}));
    EXPECT_EQ(http.Body(), QByteArray("body"));
}

TEST_F(THttpFixture, EndlessInterimAnswersFailAtTheHeaderLineLimit)
{
    TTestServer server(Trickle("", "HTTP/1.1 100 Continue\r\n\r\n", 1));
    http.TimeOut = 100;
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Too many response header lines")});
}

TEST_F(THttpFixture, AContentLengthThatIsNoLengthFails)
{
    for (const char *length : {"-1", "12abc", "0x10", "", "99999999999999999999999"}) {
        SCOPED_TRACE(length);
        errors.clear();
        TTestServer server(SendAndClose(QByteArray("HTTP/1.1 200 OK\r\nContent-Length: ") + length + "\r\n\r\nbody"));
        ASSERT_TRUE(http.SetURL(server.Url()));
        EXPECT_FALSE(http.Get());
        EXPECT_EQ(errors, QStringList{QStringLiteral("Invalid Content-Length in the response")});
    }
}

TEST_F(THttpFixture, AResetInABodyWithoutLengthFails)
{
    TTestServer server([](QTcpSocket *socket) {
        socket->write("HTTP/1.1 200 OK\r\n\r\nthe first half");
        socket->flush();
        // Closing with a zero linger time resets the connection.
        QTimer::singleShot(50, socket, [socket] {
            const linger reset{1, 0};
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            socket->abort();
        });
    });
    ASSERT_TRUE(http.SetURL(server.Url()));
    EXPECT_FALSE(http.Get());
    EXPECT_EQ(http.Failure(), TSocketFailure::SocketError);
    EXPECT_EQ(errors, QStringList{QStringLiteral("[10054] Connection reset by peer")});
}

TEST_F(THttpFixture, LogFileHoldsTheLinesSentAndReceived)
{
    const QString logName = QDir::temp().filePath(QStringLiteral("velicort-http-test.log"));
    {
        TagHTTP logging;
        logging.LogFileName = logName;
        TTestServer server(SendAndClose("HTTP/1.0 200 OK\r\n\r\nx"));
        ASSERT_TRUE(logging.SetURL(server.Url()));
        ASSERT_TRUE(logging.Get());
    }
    QFile log(logName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    log.remove();
    EXPECT_TRUE(text.startsWith("GET / HTTP/1.1\n"));
    EXPECT_TRUE(text.contains("\nHTTP/1.0 200 OK\n"));
}

// A TLS server with a fresh self-signed certificate for localhost.
struct THttpsFixture : THttpFixture
{
    void SetUp() override
    {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty() || !QSslSocket::supportsSsl())
            GTEST_SKIP() << "no openssl to make a test certificate, or no TLS support";
        const QString key = dir.filePath(QStringLiteral("key.pem"));
        const QString cert = dir.filePath(QStringLiteral("cert.pem"));
        QProcess process;
        process.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                                QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                                QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                                QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost"),
                                QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert});
        ASSERT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0) << process.readAllStandardError().data();
        certificate = QSslCertificate::fromPath(cert).value(0);
        QFile keyFile(key);
        ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly));
        auto *tls = new QSslServer;
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(certificate);
        config.setPrivateKey(QSslKey(&keyFile, QSsl::Rsa));
        tls->setSslConfiguration(config);
        server = std::make_unique<TTestServer>(SendAndClose("HTTP/1.0 200 OK\r\n\r\nsecret"), tls);
    }

    QTemporaryDir dir;
    QSslCertificate certificate;
    std::unique_ptr<TTestServer> server;
};

TEST_F(THttpsFixture, FetchesOverTlsWithTheTrustedTestCertificate)
{
    http.SslConfiguration.addCaCertificate(certificate);
    ASSERT_TRUE(
        http.SetURL(server->Url(QStringLiteral("/s.html"), QStringLiteral("https"), QStringLiteral("localhost"))));
    ASSERT_TRUE(http.Get()) << http.FailureText().toStdString();
    EXPECT_EQ(http.Body(), QByteArray("secret"));
    EXPECT_TRUE(server->Request.startsWith("GET /s.html HTTP/1.1\r\n"));
}

TEST_F(THttpsFixture, AnUntrustedCertificateFailsWithAClearText)
{
    ASSERT_TRUE(http.SetURL(server->Url(QStringLiteral("/"), QStringLiteral("https"), QStringLiteral("localhost"))));
    EXPECT_FALSE(http.Get());
    EXPECT_FALSE(server->answered);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Secure connection failed: The certificate is self-signed, and untrusted"));
}

TEST(HttpWindow, FetchReturnsTheBodyAndShowsTheSteps)
{
    TTestServer server(SendAndClose("HTTP/1.0 200 OK\r\n\r\n<p>\xe9</p>"));
    TfHTTP window;
    QStringList statuses;
    QObject::connect(window.agHTTP, &TagHTTP::OnReceiving, [&] { statuses << window.pnlStatus->text(); });
    window.SetURL(server.Url());
    EXPECT_EQ(window.Fetch(), QByteArray("<p>\xe9</p>")); // the bytes as sent
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Open from the Web"));
    EXPECT_EQ(window.pnlStatus->text(), QStringLiteral("Connection closed"));
    EXPECT_TRUE(statuses.contains(QStringLiteral("8 bytes received")));
    EXPECT_FALSE(window.isVisible());
}

TEST(HttpWindow, EmptyDocumentIsReported)
{
    TTestServer server(SendAndClose("HTTP/1.0 200 OK\r\n\r\n"));
    TfHTTP window;
    window.SetURL(server.Url());
    EXPECT_EQ(window.Fetch(), QByteArray());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Empty document retrieved."));
}

TEST(HttpWindow, EscapeCancelsTheFetch)
{
    TTestServer server([](QTcpSocket *) {});
    TfHTTP window;
    window.SetURL(server.Url());
    QTimer::singleShot(50, &window, [&window] { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_EQ(window.Fetch(), QByteArray());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(window.pnlStatus->text(), QStringLiteral("Operation canceled"));
    // The user knows: no failure to report.
    EXPECT_EQ(window.FailureMessage(), QString());
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST(HttpWindow, AFailureIsShownInThePanelAndAsAWarning)
{
    quint16 port;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    const QString refused = QStringLiteral("Connection refused by 127.0.0.1:%1").arg(port);
    TfHTTP window;
    window.SetURL(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    EXPECT_EQ(window.Fetch(), QByteArray());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(window.FailureMessage(), refused);
    EXPECT_EQ(window.pnlStatus->text(), refused);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Warning);
    EXPECT_EQ(Scripted().messages[0].text, refused);
}

TEST(HttpWindow, TheTimeOutGivenBoundsEachStep)
{
    TTestServer server([](QTcpSocket *) {});
    TfHTTP window;
    window.agHTTP->TickInterval = 50;
    window.SetTimeOut(2);
    window.SetURL(server.Url());
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(window.Fetch(), QByteArray());
    EXPECT_LT(elapsed.elapsed(), 1000);
    EXPECT_EQ(window.FailureMessage(),
              QStringLiteral("No answer from 127.0.0.1:%1 within 2 seconds").arg(server.serverPort()));
}
