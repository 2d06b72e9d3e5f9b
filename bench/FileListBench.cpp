// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of ListFilesByMasksRecursive on a tree of 20,000 files (400 folders
// of 50, three levels below the top, a mix of .htm, .html, .css and .png),
// against `find DIR -name '*.htm' -o -name '*.html'` run as a process on the
// same tree, output read whole. Each repetition times both, one after the
// other; the counters give both figures and their ratio (target: <= 2).
//
//   editor_bench --benchmark_filter=FileList

#include "FileUtils.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int FilesPerFolder = 50;
constexpr int SubfoldersPerFolder = 7;
constexpr int Levels = 3; // 1 + 7 + 49 + 343 = 400 folders
const QString Masks = QStringLiteral("*.htm|*.html");

using Clock = std::chrono::steady_clock;

bool MakeTree(const QString &folder, int level)
{
    static const char *const extensions[] = {".htm", ".html", ".css", ".png"};
    if (!QDir().mkpath(folder))
        return false;
    for (int i = 0; i < FilesPerFolder; ++i) {
        QFile file(QStringLiteral("%1/page%2%3").arg(folder).arg(i).arg(QLatin1String(extensions[i % 4])));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    for (int i = 0; level < Levels && i < SubfoldersPerFolder; ++i) {
        if (!MakeTree(QStringLiteral("%1/folder%2").arg(folder).arg(i), level + 1))
            return false;
    }
    return true;
}

// The tree, made once on first use and removed at exit; empty when it could
// not be made.
QString Tree()
{
    static QTemporaryDir folder;
    static const bool made = folder.isValid() && MakeTree(folder.path(), 0);
    return made ? folder.path() : QString();
}

template <typename Work> double MillisecondsOf(Work &&work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The number of paths find printed, or -1 when it did not run.
qsizetype RunFind(const QString &root)
{
    QProcess find;
    find.start(QStringLiteral("find"), {root, QStringLiteral("-name"), QStringLiteral("*.htm"), QStringLiteral("-o"),
                                        QStringLiteral("-name"), QStringLiteral("*.html")});
    if (!find.waitForFinished(60000) || find.exitStatus() != QProcess::NormalExit || find.exitCode() != 0)
        return -1;
    return find.readAllStandardOutput().count('\n');
}

void BenchFileList(benchmark::State &state)
{
    const QString root = Tree();
    if (root.isEmpty()) {
        state.SkipWithError("cannot make the file tree");
        return;
    }
    // Once untimed, so that both start with the tree in the cache.
    RunFind(root);
    ListFilesByMasksRecursive(root, Masks);

    double findMs = 0;
    double oursMs = 0;
    for (auto _ : state) {
        qsizetype found = 0;
        QStringList listed;
        findMs = MillisecondsOf([&] { found = RunFind(root); });
        oursMs = MillisecondsOf([&] { listed = ListFilesByMasksRecursive(root, Masks); });
        if (found < 0 || listed.size() != found) {
            state.SkipWithError("find and the list disagree");
            break;
        }
        state.SetIterationTime(oursMs / 1000.0);
    }
    state.counters["find_ms"] = findMs;
    state.counters["ours_ms"] = oursMs;
    state.counters["ratio"] = findMs > 0 ? oursMs / findMs : 0;
}

const auto *const registered = benchmark::RegisterBenchmark("FileList/recursive_htm_html_20000_files", BenchFileList)
                                   -> UseManualTime() -> Unit(benchmark::kMillisecond) -> Iterations(1)
                                       -> Repetitions(15) -> ReportAggregatesOnly(true);

} // namespace
