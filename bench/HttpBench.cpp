// SPDX-License-Identifier: GPL-3.0-or-later
// 1,000 sequential GETs of a small page from a server on loopback, with the
// program's HTTP client and, as the baseline, curl fetching the same 1,000
// addresses one after another in one process. Needs python3 (the server)
// and curl.

#include "TagHTTP.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

constexpr int Requests = 1000;

bool ServerAnswers(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), port);
    return probe.waitForConnected(200);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QFile page(folder.filePath(QStringLiteral("page.htm")));
    if (!page.open(QIODevice::WriteOnly))
        return 1;
    page.write(QByteArray("<html><body><p>A small page.</p></body></html>\n").repeated(20));
    page.close();

    const quint16 port = quint16(20000 + QCoreApplication::applicationPid() % 20000);
    QProcess server;
    // The server logs every request; nobody reads it.
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral("python3"),
                 {QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(port), QStringLiteral("--bind"),
                  QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), folder.path()});
    for (int i = 0; i < 50 && !ServerAnswers(port); ++i)
        QThread::msleep(100);
    if (!ServerAnswers(port)) {
        std::fprintf(stderr, "python3 -m http.server did not start\n");
        return 1;
    }
    const QString url = QStringLiteral("http://127.0.0.1:%1/page.htm").arg(port);

    QElapsedTimer clock;
    clock.start();
    int fetched = 0;
    for (int i = 0; i < Requests; ++i) {
        TagHTTP http;
        http.SetURL(url);
        if (http.Get() && !http.Body().isEmpty())
            ++fetched;
    }
    const double ours = clock.nsecsElapsed() / 1e9;

    QFile config(folder.filePath(QStringLiteral("urls.cfg")));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    for (int i = 0; i < Requests; ++i)
        config.write(QStringLiteral("url = \"%1\"\noutput = \"/dev/null\"\n").arg(url).toUtf8());
    config.close();
    QProcess curl;
    curl.setStandardOutputFile(QProcess::nullDevice());
    clock.restart();
    curl.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--parallel-max"), QStringLiteral("1"),
                                        QStringLiteral("--config"), config.fileName()});
    const bool curlRan = curl.waitForFinished(120000) && curl.exitCode() == 0;
    const double theirs = clock.nsecsElapsed() / 1e9;
    server.kill();
    server.waitForFinished();

    std::printf("%d sequential GETs from a loopback server (python3 http.server)\n", Requests);
    std::printf("  TagHTTP: %d fetched in %.2f s = %.0f requests/s\n", fetched, ours, Requests / ours);
    if (!curlRan) {
        std::printf("  curl did not run\n");
        return 1;
    }
    std::printf("  curl (baseline): %.2f s = %.0f requests/s\n", theirs, Requests / theirs);
    const double share = (Requests / ours) / (Requests / theirs);
    std::printf("  rate: %.2fx curl's (target >= 0.5x) %s\n", share, share >= 0.5 ? "PASS" : "MISS");
    return 0;
}
