// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an HTTP response: a server on the loopback interface answers each
// request with the input and closes. Whatever it sends, the fetch ends
// without waiting for a time-out, and what it keeps stays within the caps.

#include "FuzzCheck.h"
#include "TagHTTP.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdint>

namespace {

QByteArray g_answer;
QTcpServer *g_server = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    g_server = new QTcpServer;
    if (!g_server->listen(QHostAddress::LocalHost))
        std::abort();
    QObject::connect(g_server, &QTcpServer::pendingConnectionAvailable, [] {
        while (QTcpSocket *socket = g_server->nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, request = QByteArray()]() mutable {
                request += socket->readAll();
                if (!request.contains("\r\n\r\n"))
                    return;
                socket->write(g_answer);
                socket->disconnectFromHost();
            });
        }
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    g_answer = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
    TagHTTP http;
    http.TickInterval = 100;
    http.TimeOut = 50;
    if (!http.SetURL(QStringLiteral("http://127.0.0.1:%1/page.html").arg(g_server->serverPort())))
        std::abort();
    QElapsedTimer elapsed;
    elapsed.start();
    const bool ok = http.Get();
    FUZZ_CHECK(http.Failure() != TSocketFailure::TimedOut && elapsed.elapsed() < 4000);
    FUZZ_CHECK(ok == (http.Failure() == TSocketFailure::None));
    FUZZ_CHECK(http.Body().size() <= TagHTTP::MaxBodySize && http.Body().size() <= qsizetype(size));
    FUZZ_CHECK(http.Header().size() <= TagHTTP::MaxHeaderLines + 1);
    if (ok) {
        const int status = http.Header().value(0).section(u' ', 1, 1).toInt();
        FUZZ_CHECK(status < 100 || status >= 200 || status == 101);
    }
    return 0;
}
