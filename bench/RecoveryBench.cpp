// SPDX-License-Identifier: GPL-3.0-or-later
// The window's share of a recovery copy of the 2 MB sample page: what
// TRecoveryController::CopyNow does on the user-interface thread (taking the
// text and handing it to the writer thread), timed against a plain copy of
// the same bytes right before it in the same loop; the writer's own time on
// its thread, for reference.
//
//   recovery_bench [benchmark flags]   all figures, then a summary table

#include "BenchProfile.h"
#include "MedianRecorder.h"
#include "PairedTiming.h"
#include "RecoveryController.h"
#include "SampleHtmlPage.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr qsizetype PageSize = 2'000'000;

struct TBench
{
    QTemporaryDir folder;
    QTemporaryDir recovery;
    std::unique_ptr<QWidget> window;
    TvqHTMLTab *tabs = nullptr;
    TRecoveryController *controller = nullptr;

    TvqRichHTML *Editor() const { return tabs->ActiveEditor(); }
    // An edit in the middle of the page, so that the next copy has work.
    void Edit() const
    {
        Editor()->SetSel(PageSize / 2, 0);
        Editor()->InsertTag(QStringLiteral("x"), QString(), false);
    }
};

TBench *g_bench = nullptr;

void BenchCopyNow(benchmark::State &state)
{
    QByteArray plain;
    TimePaired(
        state,
        [&] {
            const std::string_view text = g_bench->Editor()->TextView();
            plain = QByteArray(text.data(), qsizetype(text.size()));
            benchmark::DoNotOptimize(plain.data());
        },
        [] { g_bench->controller->CopyNow(); },
        [&] {
            plain = QByteArray();
            g_bench->controller->WaitForWrites();
            g_bench->Edit();
        });
}

// The whole copy, as the writer thread finds it: write included.
void BenchWrite(benchmark::State &state)
{
    TRecoveryStore store(g_bench->recovery.filePath(QStringLiteral("writes")));
    if (!store.Open()) {
        state.SkipWithError("cannot open the store");
        return;
    }
    const TRecoveryCopy copy = RecoveryCopyOf(g_bench->Editor());
    for (auto _ : state)
        state.SetIterationTime(SecondsOf([&] { store.Write(QStringLiteral("doc-1"), copy); }));
    store.Close();
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);

    TBench bench;
    g_bench = &bench;
    const QString pagePath = bench.folder.filePath(QStringLiteral("sample-page.html"));
    QFile file(pagePath);
    const QByteArray page = MakeSampleHtmlPage(PageSize);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
        std::fprintf(stderr, "cannot write the sample page\n");
        return 1;
    }
    file.close();
    bench.window = std::make_unique<QWidget>();
    bench.tabs = new TvqHTMLTab(bench.window.get());
    bench.controller = new TRecoveryController(
        bench.tabs, bench.recovery.path(), [](const QStringList &) {}, bench.window.get());
    if (!bench.tabs->AddDocument(pagePath, ccFull, 0) || bench.Editor()->TextLength() != PageSize) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    bench.controller->Start();
    bench.Edit();
    // The first copy makes the folder; the runs time the copies after it.
    bench.controller->CopyNow();
    bench.controller->WaitForWrites();
    if (bench.controller->Folder().isEmpty()) {
        std::fprintf(stderr, "cannot open the recovery folder\n");
        return 1;
    }
    bench.Edit();

    const auto timed = [](benchmark::internal::Benchmark *b, int repetitions) {
        b->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
    };
    timed(benchmark::RegisterBenchmark("copy_now_2MB", BenchCopyNow), 51);
    timed(benchmark::RegisterBenchmark("writer_2MB", BenchWrite), 21);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TMedianRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();
    bench.controller->Finish();

    int misses = 0;
    const auto row = [&](const char *label, std::optional<double> value, const char *unit, std::optional<double> target,
                         const char *targetText) {
        const char *result = "-";
        if (target) {
            const bool pass = value && *value <= *target;
            result = pass ? "PASS" : "MISS";
            misses += pass ? 0 : 1;
        }
        std::printf("%-58s %10.3f %-3s %-12s %s\n", label, value.value_or(-1), unit, targetText, result);
    };
    std::printf("\nSummary (medians)\n\n");
    row("user-interface thread's share of a copy of 2 MB", recorder.MedianMs("copy_now_2MB"), "ms", 2.0, "<= 2 ms");
    row("(ref) plain copy of the same bytes", recorder.MedianCounter("copy_now_2MB", "baseline_ms"), "ms", std::nullopt,
        "-");
    row("(ref) share / plain copy (paired ratio)", recorder.MedianCounter("copy_now_2MB", "ratio"), "x", std::nullopt,
        "-");
    row("(ref) the writer thread's atomic write of 2 MB", recorder.MedianMs("writer_2MB"), "ms", std::nullopt, "-");
    std::printf("\n%d target(s) missed.\n", misses);
    return 0;
}
