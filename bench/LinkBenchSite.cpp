// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkBenchSite.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>

#include <cstdio>

namespace {

quint16 FreePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

QByteArray PageOfLinks(const QList<quint16> &ports, const QList<quint16> &deadPorts)
{
    QByteArray page = "<html><body>\n";
    for (int i = 0; i < TLinkBenchSite::Links; ++i) {
        QString url;
        if (i % 20 == 7 && i / 20 < TLinkBenchSite::Dead)
            url = QStringLiteral("http://127.0.0.1:%1/gone%2.htm").arg(deadPorts[i % deadPorts.size()]).arg(i);
        else if (i % 50 == 3)
            url = QStringLiteral("http://127.0.0.1:%1/slow/%2.htm").arg(ports[i % ports.size()]).arg(i);
        else
            url = QStringLiteral("http://127.0.0.1:%1/ok/%2.htm").arg(ports[i % ports.size()]).arg(i);
        page += "<a href=\"" + url.toLatin1() + "\">link</a>\n";
    }
    return page + "</body></html>\n";
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

TLinkBenchSite::TLinkBenchSite() : m_linkchecker(QStandardPaths::findExecutable(QStringLiteral("linkchecker")))
{
}

TLinkBenchSite::~TLinkBenchSite()
{
    m_servers.kill();
    m_servers.waitForFinished();
}

bool TLinkBenchSite::Start()
{
    // linkchecker run as root reads its configuration as nobody.
    QFile::setPermissions(m_folder.path(), QFile::permissions(m_folder.path()) | QFile::ReadOther | QFile::ExeOther);
    QList<quint16> ports;
    for (int i = 0; i < 4; ++i)
        ports.append(FreePort());
    QList<quint16> deadPorts;
    for (int i = 0; i < 5; ++i)
        deadPorts.append(FreePort());
    const QString config = m_folder.filePath(QStringLiteral("linkcheckerrc"));
    if (!WriteFile(PagePath(), PageOfLinks(ports, deadPorts)) ||
        !WriteFile(config, "[checking]\nthreads=10\nmaxrequestspersecond=1000\ntimeout=30\n")) {
        std::fprintf(stderr, "cannot write the page\n");
        return false;
    }
    QFile::setPermissions(config, QFile::permissions(config) | QFile::ReadOther);
    m_pageUrl = QStringLiteral("http://127.0.0.1:%1/page.htm").arg(ports[0]);

    QStringList arguments{QStringLiteral(VELICORT_SOURCE_DIR "/bench/link_servers.py"), PagePath()};
    for (quint16 port : ports)
        arguments.append(QString::number(port));
    m_servers.start(QStringLiteral("python3"), arguments);
    if (!m_servers.waitForReadyRead(10000) || !m_servers.readAll().startsWith("ready")) {
        std::fprintf(stderr, "the python3 servers did not start\n");
        return false;
    }
    return true;
}

double TLinkBenchSite::LinkCheckerSeconds() const
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(m_linkchecker,
                  {QStringLiteral("-f"), m_folder.filePath(QStringLiteral("linkcheckerrc")),
                   QStringLiteral("--check-extern"), QStringLiteral("-r"), QStringLiteral("1"),
                   QStringLiteral("--no-status"), QStringLiteral("-o"), QStringLiteral("none"), m_pageUrl});
    // The servers are another process: waiting here blocks nothing they need.
    if (!process.waitForFinished(300000))
        return -1;
    return clock.nsecsElapsed() / 1e9;
}
