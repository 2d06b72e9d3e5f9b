// SPDX-License-Identifier: GPL-3.0-or-later
// The table wizard with a 50 by 20 table, every cell written and every
// tenth with attributes: building its text and inserting it into a
// document, paired in the same loop with the editor inserting the same,
// already built text; each side includes the undo of its insertion. The figures are medians over the repetitions, with
// the median of the paired ratios.
//
//   tablewizard_bench [benchmark options]

#include "BenchProfile.h"
#include "MedianRecorder.h"
#include "PairedTiming.h"
#include "TfTableWizard.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

struct TBench
{
    std::unique_ptr<TvqHTMLTab> tabs;
    std::unique_ptr<TfTableWizard> wizard;
    TvqRichHTML *Editor() const { return tabs->ActiveEditor(); }
};

TBench *g_bench = nullptr;

void Type(TvqUpDownEdit *field, const QString &text)
{
    field->SetText(text);
    emit field->editingFinished();
}

void FillWizard(TfTableWizard &wizard)
{
    Type(wizard.findChild<TvqUpDownEdit *>(QStringLiteral("txtRows")), QStringLiteral("50"));
    Type(wizard.findChild<TvqUpDownEdit *>(QStringLiteral("txtCols")), QStringLiteral("20"));
    auto *grid = wizard.findChild<QTableWidget *>(QStringLiteral("grdTable"));
    for (int row = 0; row < 50; ++row)
        for (int column = 0; column < 20; ++column) {
            grid->setCurrentCell(row, column);
            grid->item(row, column)->setText(QStringLiteral("cell %1/%2").arg(row).arg(column));
            if ((row * 20 + column) % 10 == 0) {
                wizard.findChild<QComboBox *>(QStringLiteral("cboCellAlign"))->setCurrentIndex(1);
                wizard.findChild<QCheckBox *>(QStringLiteral("chkNoWrap"))->setChecked(true);
            }
        }
}

void BenchWizardText(benchmark::State &state)
{
    TvqRichHTML *editor = g_bench->Editor();
    const QString built = g_bench->wizard->StartText();
    state.counters["bytes"] = double(built.size());
    // Each side ends with the undo of its insertion, so both start from the
    // same document.
    TimePaired(
        state,
        [&] {
            editor->InsertTag(built, QString(), false);
            editor->Undo();
        },
        [&] {
            editor->InsertTag(g_bench->wizard->StartText(), QString(), false);
            editor->Undo();
        },
        [] {});
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);

    TBench bench;
    g_bench = &bench;
    bench.tabs = std::make_unique<TvqHTMLTab>();
    bench.tabs->resize(1024, 768);
    bench.tabs->show();
    if (!QTest::qWaitForWindowExposed(bench.tabs.get()))
        std::fprintf(stderr, "warning: the window was not exposed\n");
    bench.Editor()->InsertTag(QStringLiteral("<HTML><BODY>\r\n</BODY></HTML>"), QString(), false);
    bench.Editor()->SetSel(14, 0);
    bench.wizard = std::make_unique<TfTableWizard>(TTagDialogContext{}, nullptr);
    FillWizard(*bench.wizard);

    benchmark::RegisterBenchmark("wizard_50x20_text_and_insert", BenchWizardText)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(31)
        ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TMedianRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

    const std::optional<double> ms = recorder.MedianMs("wizard_50x20_text_and_insert");
    std::printf("\nSummary (medians)\n\n");
    std::printf("%-58s %10.3f ms\n", "(ref) the editor inserting the built table",
                recorder.MedianCounter("wizard_50x20_text_and_insert", "baseline_ms").value_or(-1));
    std::printf("%-58s %10.3f x\n", "(ref) wizard / insertion alone (paired ratio)",
                recorder.MedianCounter("wizard_50x20_text_and_insert", "ratio").value_or(-1));
    const bool pass = ms && *ms <= 50.0;
    std::printf("%-58s %10.3f ms <= 50 ms     %s\n", "wizard 50 x 20: build the text and insert it", ms.value_or(-1),
                pass ? "PASS" : "MISS");
    return 0;
}
