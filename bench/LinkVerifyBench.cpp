// SPDX-License-Identifier: GPL-3.0-or-later
// "Verify all links" in the verifier window on a page of 1,000 links spread
// over 4 loopback servers (bench/link_servers.py): most answer at once, 20
// after one second, 50 point at ports where nothing listens. The baseline is
// LinkChecker checking the same links (--check-extern, the page served by
// the first server), run just before each of our runs; the figure is the
// median of the paired ratios. Without linkchecker only our time is given.
// Needs python3.

#include "TfLinkTest.h"

#include "LinkBenchSite.h"
#include "Median.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <cstdio>
#include <vector>

namespace {
constexpr int Repetitions = 3;
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TLinkBenchSite site;
    if (!site.Start())
        return 1;

    std::printf("Verify all links: %d links on 4 loopback servers (%d answering after 1 s, %d to dead ports)\n",
                TLinkBenchSite::Links, TLinkBenchSite::Slow, TLinkBenchSite::Dead);
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> ratios;
    for (int run = 0; run < Repetitions; ++run) {
        double baseline = -1;
        if (site.HasLinkChecker())
            baseline = site.LinkCheckerSeconds();

        TfLinkTest verifier;
        verifier.SetRoot(QStringLiteral("http://127.0.0.1"));
        verifier.LoadDocument(site.PagePath());
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
