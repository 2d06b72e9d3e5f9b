// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing 200 files of 20 KB to a loopback FTP server (pyftpdlib, as in
// the tests) with the uploader, against curl sending the same files in one
// process ("curl -T {...}"). The two take turns, each into a folder of its
// own; the figure is the median of the paired rate ratios. Needs the Debian
// python3-pyftpdlib and curl.

#include "Median.h"
#include "TUploader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Files = 200;
constexpr int FileSize = 20 * 1024;
constexpr int Rounds = 7;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir site;
    QTemporaryDir served;
    QStringList names;
    TPublishJob job;
    for (int i = 0; i < Files; ++i) {
        const QString name = QStringLiteral("page%1.html").arg(i, 3, 10, QLatin1Char('0'));
        QFile file(site.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(QByteArray(FileSize, char('a' + i % 26)));
        names.append(name);
        job.Items.append({file.fileName(), name});
    }
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-W"), QStringLiteral("ignore"), QStringLiteral(PUBLISH_SERVER), QStringLiteral("ftp"),
                  served.path()});
    while (!server.canReadLine() && server.waitForReadyRead(20000)) {
    }
    const int port = server.readLine().trimmed().toInt();
    if (port == 0) {
        std::fprintf(stderr, "the FTP server did not start (python3-pyftpdlib installed?)\n");
        return 1;
    }
    const QString root = QStringLiteral("ftp://127.0.0.1:%1/").arg(port);
    job.UserName = QStringLiteral("user");
    job.Password = QStringLiteral("secret");
    job.NetrcFile = site.filePath(QStringLiteral("none"));

    std::vector<double> ratios;
    std::vector<double> oursSeconds;
    std::vector<double> curlSeconds;
    bool allSent = true;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        QProcess curl;
        curl.setWorkingDirectory(site.path());
        curl.start(QStringLiteral("curl"), {QStringLiteral("-sS"), QStringLiteral("--ftp-create-dirs"),
                                            QStringLiteral("-u"), QStringLiteral("user:secret"), QStringLiteral("-T"),
                                            QStringLiteral("{") + names.join(QLatin1Char(',')) + QStringLiteral("}"),
                                            root + QStringLiteral("curl%1/").arg(round)});
        allSent = curl.waitForFinished(120000) && curl.exitCode() == 0 && allSent;
        const double theirs = clock.nsecsElapsed() / 1e9;

        job.Destination = root + QStringLiteral("ours%1/").arg(round);
        TUploader uploader;
        int sent = 0;
        QObject::connect(&uploader, &TUploader::FileDone, [&](int, TPublishOutcome outcome, const QString &) {
            sent += outcome == TPublishOutcome::Sent;
        });
        QSignalSpy finished(&uploader, &TUploader::Finished);
        clock.restart();
        uploader.Start(job);
        finished.wait(120000);
        const double ours = clock.nsecsElapsed() / 1e9;
        allSent = allSent && sent == Files;
        oursSeconds.push_back(ours);
        curlSeconds.push_back(theirs);
        ratios.push_back(theirs / ours);
    }
    server.kill();
    server.waitForFinished();

    std::printf("%d files of %d KB to a loopback FTP server (pyftpdlib), %d rounds\n", Files, FileSize / 1024, Rounds);
    std::printf("  uploader: median %.2f s = %.0f files/s\n", Median(oursSeconds), Files / Median(oursSeconds));
    std::printf("  curl -T (baseline): median %.2f s = %.0f files/s\n", Median(curlSeconds),
                Files / Median(curlSeconds));
    if (!allSent) {
        std::printf("  not every file arrived\n");
        return 1;
    }
    const double share = Median(ratios);
    std::printf("  rate: %.2fx curl's, median of paired ratios (target >= 0.5x) %s\n", share,
                share >= 0.5 ? "PASS" : "MISS");
    return 0;
}
