// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the extended find and replace over a site of 5,000 pages of
// 20 KB in 100 folders: listing the HTML documents of the tree and counting
// a word in each, paired with grep -rcF over the same tree, and replacing the
// word in every page, paired with sed -i over the same files. Each pair runs
// in the same iteration; medians over the repetitions, with the median of
// the paired ratios. Replacing goes back and forth between two spellings of
// the same length, so every repetition changes every page alike.
//
//   extendedsearch_bench [repetitions] [folder] [find|replace]
//
// The folder (a temporary one by default) decides the file system that the
// writes, each made durable before it replaces the old file, go to; the
// last argument runs one of the two pairs alone.

#include "BenchProfile.h"
#include "ExtendedSearch.h"
#include "HTMLExtensions.h"
#include "Median.h"
#include "PairedTiming.h"
#include "SampleSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Lists the tree and runs the search over every page, as the command does;
// the number of matches.
qsizetype SearchTree(const QString &root, const QString &find, const QString &replace, bool findOnly)
{
    const QStringList files = TExtendedSearch::FolderDocuments(root, true, LoadHTMLExtensions());
    const TExtendedSearch search(find, replace, findOnly, esoMatchCase, false);
    qsizetype total = 0;
    search.ProcessAll(
        files, [&](const TExtendedSearchRow &row) { total += row.count; }, [] { return true; });
    return total;
}

bool Shell(const QString &command)
{
    return std::system(command.toLocal8Bit().constData()) == 0;
}

void Report(const char *name, const std::vector<double> &work, const std::vector<double> &base,
            const std::vector<double> &ratio)
{
    std::printf("%-34s %9.1f ms   baseline %9.1f ms   ratio %.2f\n", name, Median(work), Median(base), Median(ratio));
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir(argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/esbench-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/esbench-XXXXXX"));
    const QString root = dir.path();
    if (!dir.isValid() || !WriteSampleSite(root, 100, 50, 20'000)) {
        std::fprintf(stderr, "cannot write the pages\n");
        return 1;
    }
    const QString quoted = u'\'' + root + u'\'';
    std::printf("5,000 pages of 20 KB in 100 folders under %s\n", qPrintable(root));

    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    std::vector<double> work, base, ratio;
    qsizetype found = 0;
    for (int i = 0; i < repetitions && only != QLatin1String("replace"); ++i) {
        const double grep = SecondsOf([&] { Shell(QStringLiteral("grep -rcF coffee ") + quoted + " > /dev/null"); });
        const double ours = SecondsOf([&] { found = SearchTree(root, QStringLiteral("coffee"), QString(), true); });
        base.push_back(grep * 1e3);
        work.push_back(ours * 1e3);
        ratio.push_back(ours / grep);
    }
    std::printf("(%lld matches)\n", static_cast<long long>(found));
    Report("extended find vs grep -rcF", work, base, ratio);

    work.clear();
    base.clear();
    ratio.clear();
    qsizetype replaced = 0;
    for (int i = 0; i < repetitions && only != QLatin1String("find"); ++i) {
        const double sed = SecondsOf([&] {
            Shell(QStringLiteral("find ") + quoted + " -name '*.html' -print0 | xargs -0 sed -i 's/coffee/COFFEE/g'");
        });
        const double ours =
            SecondsOf([&] { replaced = SearchTree(root, QStringLiteral("COFFEE"), QStringLiteral("coffee"), false); });
        base.push_back(sed * 1e3);
        work.push_back(ours * 1e3);
        ratio.push_back(ours / sed);
    }
    std::printf("(%lld replacements)\n", static_cast<long long>(replaced));
    Report("extended replace vs sed -i", work, base, ratio);
    return 0;
}
