// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackWebServer.h"

#include <QProcess>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

TLoopbackWebServer::TLoopbackWebServer(const QSslCertificate &certificate, const QByteArray &key)
    : m_secure(!certificate.isNull())
{
    if (m_secure) {
        auto *tls = new QSslServer(this);
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(certificate);
        config.setPrivateKey(QSslKey(key, QSsl::Rsa));
        tls->setSslConfiguration(config);
        m_server = tls;
    } else {
        m_server = new QTcpServer(this);
    }
    m_server->setMaxPendingConnections(1000);
    m_server->listen(QHostAddress::LocalHost);
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection())
            Serve(socket);
    });
}

void TLoopbackWebServer::Answer(const QString &path, const QByteArray &head, int delayMs, const QByteArray &body)
{
    m_answers.insert(path, {head, delayMs, body, false});
}

void TLoopbackWebServer::Silent(const QString &path)
{
    m_answers.insert(path, {QByteArray(), 0, QByteArray(), true});
}

quint16 TLoopbackWebServer::Port() const
{
    return m_server->serverPort();
}

QString TLoopbackWebServer::Url(const QString &path, const QString &host) const
{
    return QStringLiteral("%1://%2:%3%4").arg(m_secure ? "https" : "http", host).arg(Port()).arg(path);
}

void TLoopbackWebServer::Serve(QTcpSocket *socket)
{
    MostAtOnce = qMax(MostAtOnce, ++m_open);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        --m_open;
        socket->deleteLater();
    });
    auto request = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
        if (request->contains("\r\n\r\n"))
            return;
        *request += socket->readAll();
        if (!request->contains("\r\n\r\n"))
            return;
        const QList<QByteArray> words = request->left(request->indexOf("\r\n")).split(' ');
        const QString method = QString::fromLatin1(words.value(0));
        const QString path = QString::fromLatin1(words.value(1));
        Requests.append(method + u' ' + path);
        const TAnswer answer = m_answers.value(
            path, {QByteArrayLiteral("HTTP/1.1 404 Not Found\r\nContent-Length: 0"), 0, QByteArray(), false});
        if (answer.silent)
            return;
        const auto send = [socket, answer, method] {
            socket->write(answer.head + "\r\n\r\n");
            if (method == QLatin1String("GET"))
                socket->write(answer.body);
            socket->disconnectFromHost();
        };
        if (answer.delayMs > 0)
            QTimer::singleShot(answer.delayMs, socket, send);
        else
            send();
    });
}

quint16 DeadLoopbackPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

bool MakeTestCertificate(QSslCertificate &certificate, QByteArray &key)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty() || !QSslSocket::supportsSsl())
        return false;
    QTemporaryDir dir;
    const QString keyPath = dir.filePath(QStringLiteral("key.pem"));
    const QString certPath = dir.filePath(QStringLiteral("cert.pem"));
    QProcess process;
    process.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                            QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                            QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                            QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost"),
                            QStringLiteral("-keyout"), keyPath, QStringLiteral("-out"), certPath});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return false;
    certificate = QSslCertificate::fromPath(certPath).value(0);
    QFile keyFile(keyPath);
    if (certificate.isNull() || !keyFile.open(QIODevice::ReadOnly))
        return false;
    key = keyFile.readAll();
    return true;
}
