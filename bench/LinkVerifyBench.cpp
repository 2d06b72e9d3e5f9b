// SPDX-License-Identifier: GPL-3.0-or-later
// "Verify all links" in the verifier window on a page of 1,000 links spread
// over 4 loopback servers (bench/link_servers.py): most answer at once, 20
// after one second, 50 point at ports where nothing listens. The baseline is
// LinkChecker checking the same links (--check-extern, the page served by
// the first server), run just before each of our runs; the figure is the
// median of the paired ratios. Without linkchecker only our time is given.
// Needs python3.

#include "TfLinkTest.h"

#include "Median.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <vector>

namespace {

constexpr int Links = 1000;
constexpr int Slow = 20;
constexpr int Dead = 50;
constexpr int Repetitions = 3;

quint16 FreePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

QByteArray PageOfLinks(const QList<quint16> &ports, const QList<quint16> &deadPorts)
{
    QByteArray page = "<html><body>\n";
    for (int i = 0; i < Links; ++i) {
        QString url;
        if (i % 20 == 7 && i / 20 < Dead)
            url = QStringLiteral("http://127.0.0.1:%1/gone%2.htm").arg(deadPorts[i % deadPorts.size()]).arg(i);
        else if (i % 50 == 3)
            url = QStringLiteral("http://127.0.0.1:%1/slow/%2.htm").arg(ports[i % ports.size()]).arg(i);
        else
            url = QStringLiteral("http://127.0.0.1:%1/ok/%2.htm").arg(ports[i % ports.size()]).arg(i);
        page += "<a href=\"" + url.toLatin1() + "\">link</a>\n";
    }
    return page + "</body></html>\n";
}

// Seconds for linkchecker to check the page's links; negative on failure.
double LinkCheckerSeconds(const QString &linkchecker, const QString &config, const QString &pageUrl)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(linkchecker, {QStringLiteral("-f"), config, QStringLiteral("--check-extern"), QStringLiteral("-r"),
                                QStringLiteral("1"), QStringLiteral("--no-status"), QStringLiteral("-o"),
                                QStringLiteral("none"), pageUrl});
    // The servers are another process: waiting here blocks nothing they need.
    if (!process.waitForFinished(300000))
        return -1;
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    // linkchecker run as root reads its configuration as nobody.
    QFile::setPermissions(folder.path(), QFile::permissions(folder.path()) | QFile::ReadOther | QFile::ExeOther);
    QList<quint16> ports;
    for (int i = 0; i < 4; ++i)
        ports.append(FreePort());
    QList<quint16> deadPorts;
    for (int i = 0; i < 5; ++i)
        deadPorts.append(FreePort());
    const QString pagePath = folder.filePath(QStringLiteral("page.htm"));
    QFile page(pagePath);
    if (!page.open(QIODevice::WriteOnly))
        return 1;
    page.write(PageOfLinks(ports, deadPorts));
    page.close();

    QProcess servers;
    QStringList arguments{QStringLiteral(VELICORT_SOURCE_DIR "/bench/link_servers.py"), pagePath};
    for (quint16 port : ports)
        arguments.append(QString::number(port));
    servers.start(QStringLiteral("python3"), arguments);
    if (!servers.waitForReadyRead(10000) || !servers.readAll().startsWith("ready")) {
        std::fprintf(stderr, "the python3 servers did not start\n");
        return 1;
    }

    const QString linkchecker = QStandardPaths::findExecutable(QStringLiteral("linkchecker"));
    const QString config = folder.filePath(QStringLiteral("linkcheckerrc"));
    QFile configFile(config);
    if (!configFile.open(QIODevice::WriteOnly))
        return 1;
    configFile.write("[checking]\nthreads=10\nmaxrequestspersecond=1000\ntimeout=30\n");
    configFile.close();
    QFile::setPermissions(config, QFile::permissions(config) | QFile::ReadOther);
    const QString pageUrl = QStringLiteral("http://127.0.0.1:%1/page.htm").arg(ports[0]);

    std::printf("Verify all links: %d links on 4 loopback servers (%d answering after 1 s, %d to dead ports)\n", Links,
                Slow, Dead);
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> ratios;
    for (int run = 0; run < Repetitions; ++run) {
        double baseline = -1;
        if (!linkchecker.isEmpty())
            baseline = LinkCheckerSeconds(linkchecker, config, pageUrl);

        TfLinkTest verifier;
        verifier.SetRoot(QStringLiteral("http://127.0.0.1"));
        verifier.LoadDocument(pagePath);
        verifier.show();
        QElapsedTimer clock;
        clock.start();
        verifier.VerifyAll();
        const double seconds = clock.nsecsElapsed() / 1e9;
        int verified = 0;
        int failed = 0;
        for (int i = 0; i < verifier.LinkList()->topLevelItemCount(); ++i) {
            const int icon = TfLinkTest::RowIcon(verifier.LinkList()->topLevelItem(i));
            verified += icon == TfLinkTest::icVerified;
            failed += icon == TfLinkTest::icFailed;
        }
        std::printf("  run %d: verifier %.2f s (%d verified, %d failed)", run + 1, seconds, verified, failed);
        ours.push_back(seconds);
        if (baseline > 0) {
            std::printf(", linkchecker %.2f s, ratio %.2f", baseline, seconds / baseline);
            theirs.push_back(baseline);
            ratios.push_back(seconds / baseline);
        }
        std::printf("\n");
    }
    servers.kill();
    servers.waitForFinished();

    const double median = Median(ours);
    std::printf("  verifier median: %.2f s (target <= 10 s) %s\n", median, median <= 10 ? "PASS" : "MISS");
    if (ratios.empty()) {
        std::printf("  linkchecker not installed: no baseline\n");
        return 0;
    }
    const double ratio = Median(ratios);
    std::printf("  linkchecker median: %.2f s; median ratio %.2f (target <= 1.5) %s\n", Median(theirs), ratio,
                ratio <= 1.5 ? "PASS" : "MISS");
    return 0;
}
