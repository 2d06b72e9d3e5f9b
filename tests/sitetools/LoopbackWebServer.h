// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small web server on the loopback interface for the link verifier's tests
// and benchmark, run by the event loop of the program that starts it. Each
// connection's request is read up to its blank line; the answer for its path
// is then sent and the connection closed. It counts the requests, by method,
// and the most connections it held open at once.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSslCertificate>
#include <QString>

#include <functional>

class QTcpServer;
class QTcpSocket;

class TLoopbackWebServer : public QObject
{
public:
    // A TLS server when given a certificate and its key (PEM).
    explicit TLoopbackWebServer(const QSslCertificate &certificate = QSslCertificate(),
                                const QByteArray &key = QByteArray());

    // The answer for a path: a status line and header lines, without the
    // ending blank line, sent after delayMs, then the body for a GET; a
    // silent path never answers.
    void Answer(const QString &path, const QByteArray &head, int delayMs = 0,
                const QByteArray &body = QByteArrayLiteral("<html><body>page</body></html>"));
    void Silent(const QString &path);
    // Any other path answers "HTTP/1.1 404 Not Found".

    quint16 Port() const;
    QString Url(const QString &path, const QString &host = QStringLiteral("127.0.0.1")) const;

    QStringList Requests; // "METHOD /path", in order of arrival
    int MostAtOnce = 0;

private:
    void Serve(QTcpSocket *socket);

    struct TAnswer
    {
        QByteArray head;
        int delayMs = 0;
        QByteArray body;
        bool silent = false;
    };
    QTcpServer *m_server;
    QHash<QString, TAnswer> m_answers;
    bool m_secure;
    int m_open = 0;
};

// A port on the loopback interface where nothing listens.
quint16 DeadLoopbackPort();

// A fresh self-signed certificate for "localhost" and its key, made with
// openssl; nothing when openssl or TLS support is missing.
bool MakeTestCertificate(QSslCertificate &certificate, QByteArray &key);
