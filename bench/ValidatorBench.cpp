// SPDX-License-Identifier: GPL-3.0-or-later
// Validate HTML on the 2 MB page: from the command to the filled list of
// findings (the document copied, velicort-validate started, the results file
// announced over the single-instance socket and read) against
// `tidy -e -q` on the same file, timed in the same loop right before each
// run; the figure is the median of the paired ratios. Needs the tidy program
// and velicort-validate beside the benchmark (the build links it there).
//
//   validator_bench [benchmark flags]   the figures, then a summary table

#include "BenchProfile.h"
#include "MedianRecorder.h"
#include "MessageService.h"
#include "PairedTiming.h"
#include "SampleHtmlPage.h"
#include "SingleInstance.h"
#include "TPreviewController.h"
#include "TfMain.h"
#include "TvqHTMLTab.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr qsizetype PageSize = 2'000'000;

// Answers everything at once: the word wrap note is not waited for.
class TQuietMessages : public TMessageService
{
public:
    TMsgResult ShowMessage(TMsgKind, const QString &text, TMsgButtons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return TMsgResult::Ok;
    }
    QString GetOpenFileName(const QString &, const QString &, const QString &) override { return {}; }
    QStringList GetOpenFileNames(const QString &, const QString &, const QString &) override { return {}; }
    QString GetFolderName(const QString &, const QString &) override { return {}; }
    QString GetSaveFileName(const QString &, const QString &, const QString &) override { return {}; }
    bool ChoosePrinter(QPrinter &) override { return false; }
    bool ChooseColor(TColor &, QStringList &) override { return false; }
    TMsgResult ShowNotice(const QString &, const QString &, bool, bool &) override { return TMsgResult::Ok; }
    bool InputQuery(const QString &, const QString &, QString &) override { return false; }
};

struct TBench
{
    QString pagePath;
    TfMain *window = nullptr;
    QTreeWidget *list = nullptr;
    int tidyLines = 0;
    int rows = 0;
};

TBench *g_bench = nullptr;

int TidyFindings()
{
    QProcess tidy;
    tidy.start(QStringLiteral("tidy"), {QStringLiteral("-e"), QStringLiteral("-q"), g_bench->pagePath});
    tidy.waitForFinished(-1);
    return int(tidy.readAllStandardError().count("\nline ") + 1);
}

void BenchValidate(benchmark::State &state)
{
    bool filled = true;
    TimePaired(
        state, [] { g_bench->tidyLines = TidyFindings(); },
        [&] {
            g_bench->window->Action(QStringLiteral("mnuToolsValidate"))->trigger();
            QElapsedTimer waited;
            waited.start();
            while (g_bench->list->isHidden() && waited.elapsed() < 60000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            filled = filled && !g_bench->list->isHidden();
            g_bench->rows = g_bench->list->topLevelItemCount();
        },
        [] {
            g_bench->list->findChild<QAction *>(QStringLiteral("mnuPV_CloseValidator"))->trigger();
            g_bench->window->Preview()->DeleteTempCopies();
        });
    state.counters["rows"] = g_bench->rows;
    state.counters["tidy_lines"] = g_bench->tidyLines;
    if (!filled)
        state.SkipWithError("the list was not filled");
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);
    TMessageService::Install(std::make_unique<TQuietMessages>());

    QTemporaryDir folder;
    TBench bench;
    g_bench = &bench;
    bench.pagePath = folder.filePath(QStringLiteral("page.html"));
    const QByteArray page = MakeSampleHtmlPage(PageSize);
    QFile file(bench.pagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
        std::fprintf(stderr, "cannot write the page\n");
        return 1;
    }
    file.close();

    TfMain window;
    bench.window = &window;
    bench.list = window.findChild<QTreeWidget *>(QStringLiteral("lvwValidator"));
    window.show();
    window.OpenDocuments(bench.pagePath, 0);
    TfVelicortMessageWindow instance;
    if (!instance.Listen()) {
        std::fprintf(stderr, "cannot listen for the validator\n");
        return 1;
    }
    QObject::connect(&instance, &TfVelicortMessageWindow::ValidatorResultMessage, &window,
                     &TfMain::MessageWindowValidatorResult);
    std::printf("Page: %lld bytes, %d lines\n", (long long)page.size(), window.ActiveEditor()->LineCount());

    benchmark::RegisterBenchmark("validate_to_filled_list", BenchValidate)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(7)
        ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TMedianRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

    const auto ratio = recorder.MedianCounter("validate_to_filled_list", "ratio");
    const bool pass = ratio && *ratio <= 1.5;
    std::printf("\nSummary (medians)\n\n");
    std::printf("%-52s %10.1f\n", "(ref) tidy -e -q on the page (ms)",
                recorder.MedianCounter("validate_to_filled_list", "baseline_ms").value_or(-1));
    std::printf("%-52s %10.0f\n", "(ref) findings tidy prints",
                recorder.MedianCounter("validate_to_filled_list", "tidy_lines").value_or(-1));
    std::printf("%-52s %10.0f\n", "rows in the list",
                recorder.MedianCounter("validate_to_filled_list", "rows").value_or(-1));
    std::printf("%-52s %10.1f\n", "Validate HTML to the filled list (ms)",
                recorder.MedianMs("validate_to_filled_list").value_or(-1));
    std::printf("%-52s %10.2f  <= 1.5  %s\n", "ratio to tidy -e -q", ratio.value_or(-1), pass ? "PASS" : "MISS");
    return pass ? 0 : 1;
}
