// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site as a CI job runs it, each run paired with its baseline in
// the same round, the baseline first:
//
//   links   velicort-site links on the link benchmark's page of 1,000 links
//           on 4 loopback servers, against LinkChecker on the same links
//           (target: median ratio <= 1.2; needs python3 and linkchecker)
//   find    velicort-site find --case --recursive over the extended search
//           benchmark's 5,000 pages of 20 KB, against grep -rcF (target:
//           median ratio <= 1.5)
//
//   sitecli_bench [rounds] [links|find]
//
// The program is the velicort-site beside this benchmark; its reports go to
// /dev/null, as the baselines' do.

#include "BenchProfile.h"
#include "LinkBenchSite.h"
#include "Median.h"
#include "PairedTiming.h"
#include "SampleSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct TPairs
{
    std::vector<double> ours, baseline, ratio;
    void Add(double seconds, double base)
    {
        ours.push_back(seconds * 1e3);
        baseline.push_back(base * 1e3);
        ratio.push_back(seconds / base);
    }
    void Report(const char *name, double target) const
    {
        const double median = Median(ratio);
        std::printf("%-44s %9.1f ms   baseline %9.1f ms   median ratio %.2f over %zu rounds (target <= %.1f) %s\n",
                    name, Median(ours), Median(baseline), median, ratio.size(), target,
                    median <= target ? "PASS" : "MISS");
    }
};

int Shell(const QString &command)
{
    return std::system(command.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/velicort-site");

    if (only != QLatin1String("find")) {
        TLinkBenchSite site;
        if (!site.Start())
            return 1;
        if (!site.HasLinkChecker()) {
            std::fprintf(stderr, "linkchecker is not installed: no baseline for the links\n");
            return 1;
        }
        std::printf("links: %d links on 4 loopback servers (%d answering after 1 s, %d to dead ports)\n",
                    TLinkBenchSite::Links, TLinkBenchSite::Slow, TLinkBenchSite::Dead);
        TPairs pairs;
        for (int i = 0; i < rounds; ++i) {
            const double base = site.LinkCheckerSeconds();
            int status = -1;
            const double ours = SecondsOf([&] {
                QProcess run;
                run.setStandardOutputFile(QProcess::nullDevice());
                run.start(program, {QStringLiteral("links"), QStringLiteral("--root"),
                                    QStringLiteral("http://127.0.0.1"), site.PagePath()});
                run.waitForFinished(300000);
                status = run.exitCode();
            });
            std::printf("  round %d: velicort-site %.2f s (exit %d), linkchecker %.2f s\n", i + 1, ours, status, base);
            pairs.Add(ours, base);
        }
        pairs.Report("velicort-site links vs linkchecker", 1.2);
    }

    if (only != QLatin1String("links")) {
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/siteclibench-XXXXXX"));
        if (!dir.isValid() || !WriteSampleSite(dir.path(), 100, 50, 20'000)) {
            std::fprintf(stderr, "cannot write the pages\n");
            return 1;
        }
        std::printf("find: 5,000 pages of 20 KB in 100 folders under %s\n", qPrintable(dir.path()));
        const QString quoted = u'\'' + dir.path() + u'\'';
        TPairs pairs;
        for (int i = 0; i < rounds; ++i) {
            const double base =
                SecondsOf([&] { Shell(QStringLiteral("grep -rcF coffee ") + quoted + " > /dev/null"); });
            const double ours = SecondsOf([&] {
                Shell(u'\'' + program + QStringLiteral("' find --case --recursive coffee ") + quoted + " > /dev/null");
            });
            pairs.Add(ours, base);
        }
        pairs.Report("velicort-site find vs grep -rcF", 1.5);
    }
    return 0;
}
