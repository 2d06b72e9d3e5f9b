// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of find and replace on the 2 MB sample page: counting every match
// of a word against a std::string_view::find loop over the same bytes (timed
// in the same loop, right before each run; the figure is the median of the
// paired ratios), Replace All of 10,000 matches with its undo step and the
// recolouring, and the marking of the matches in view after a key in the
// find box.
//
//   find_bench [benchmark flags]   all figures, then a summary table

#include "BenchProfile.h"
#include "MedianRecorder.h"
#include "PairedTiming.h"
#include "SampleHtmlPage.h"
#include "TFindBar.h"
#include "TFindCommands.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>

namespace {

constexpr qsizetype PageSize = 2'000'000;
constexpr qsizetype Replacements = 10'000;
constexpr int KeyRepetitions = 200;
// A word of the running text, and one frequent enough for 10,000
// replacements (whole word: the links' tag names and the article), which
// then reach over half the page.
const QString Word = QStringLiteral("price");
const QString FrequentWord = QStringLiteral("a");

TSearchOptions FrequentWordOptions(bool inSelection)
{
    TSearchOptions options;
    options.wholeWord = true;
    options.inSelection = inSelection;
    return options;
}

// The processor time the process spent, which a machine shared with other
// work does not stretch as it stretches the time on the clock.
double ProcessorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

qsizetype CountWithFind(std::string_view text, std::string_view word)
{
    qsizetype count = 0;
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + word.size()))
        ++count;
    return count;
}

struct TBench
{
    QTemporaryDir folder;
    QString pagePath;
    QByteArray page;
    std::unique_ptr<TvqHTMLTab> tabs;
    std::unique_ptr<TFindCommands> find;
    qsizetype scopeEnd = 0; // the end of the 10,000th match of the frequent word

    TvqRichHTML *Editor() const { return tabs->ActiveEditor(); }
    std::string_view Text() const { return Editor()->TextView(); }
};

TBench *g_bench = nullptr;

void Settle()
{
    QCoreApplication::processEvents();
}

void BenchCount(benchmark::State &state, bool matchCase)
{
    TSearchOptions options;
    options.matchCase = matchCase;
    const TDocumentSearch search(Word, options);
    const QByteArray word = Word.toUtf8();
    const std::string_view wanted(word.constData(), size_t(word.size()));
    qsizetype counted = 0;
    qsizetype found = 0;
    TimePaired(
        state, [&] { benchmark::DoNotOptimize(found = CountWithFind(g_bench->Text(), wanted)); },
        [&] {
            benchmark::DoNotOptimize(counted = search.Count(g_bench->Text(), 0, qsizetype(g_bench->Text().size())));
        },
        [] {});
    state.counters["matches"] = double(counted);
    state.counters["find_matches"] = double(found);
}

// A regular expression and non-ASCII text folded by Unicode's rules take the
// decoded text: how much that costs beside the bytes.
void BenchCountDecoded(benchmark::State &state, const QString &pattern, bool expression)
{
    TSearchOptions options;
    options.regularExpression = expression;
    const TDocumentSearch search(pattern, options);
    qsizetype counted = 0;
    for (auto _ : state) {
        state.SetIterationTime(
            SecondsOf([&] { counted = search.Count(g_bench->Text(), 0, qsizetype(g_bench->Text().size())); }));
        benchmark::DoNotOptimize(counted);
    }
    state.counters["matches"] = double(counted);
}

// Replace All over the range that holds exactly 10,000 matches, or over the
// whole page, through the commands, as the button runs it: the new text, one
// undo step, the recolouring, the modified flag.
void BenchReplaceAll(benchmark::State &state, bool wholePage)
{
    TvqRichHTML *editor = g_bench->Editor();
    TFindBar *bar = g_bench->find->Bar();
    qsizetype count = 0;
    for (auto _ : state) {
        editor->SetSel(0, wholePage ? 0 : g_bench->scopeEnd);
        g_bench->find->OpenBar(true);
        bar->SetOptions(FrequentWordOptions(!wholePage));
        bar->SetFindText(FrequentWord);
        bar->cboReplace->setEditText(QStringLiteral("an"));
        Settle();
        const qsizetype steps = editor->UndoList().Count();
        const double processor = ProcessorSeconds();
        state.SetIterationTime(SecondsOf([&] { count = g_bench->find->ReplaceAll(); }));
        state.counters["processor_ms"] = (ProcessorSeconds() - processor) * 1e3;
        if ((!wholePage && count != Replacements) || editor->UndoList().Count() != steps + 1 || !editor->Modified()) {
            state.SkipWithError("Replace All did not make its replacements in one undo step");
            break;
        }
        Settle();
        editor->Undo();
        if (editor->TextLength() != PageSize) {
            state.SkipWithError("the undo did not restore the page");
            break;
        }
        editor->SetModified(false);
        Settle();
    }
    state.counters["replacements"] = double(count);
}

// A key typed into the find box in the middle of the page: the marking of
// the matches in view alone, and the whole key with the count of all
// matches.
void BenchMarkVisible(benchmark::State &state, const QString &word, bool wholeKey)
{
    TvqRichHTML *editor = g_bench->Editor();
    TFindBar *bar = g_bench->find->Bar();
    editor->SetSel(editor->LineIndex(editor->LineCount() / 2), 0);
    g_bench->find->OpenBar(false);
    bar->SetOptions({});
    // The key types the word's last letter; marking alone marks the word.
    bar->SetFindText(wholeKey ? word.chopped(1) : word);
    Settle();
    QLineEdit *box = bar->cboFind->lineEdit();
    box->end(false);
    const auto [first, last] = editor->VisibleSpan();
    state.counters["in_view"] = double(TDocumentSearch(word, {}).Count(g_bench->Text(), first, last));
    const char key = char(word.back().unicode());
    for (auto _ : state) {
        if (wholeKey) {
            state.SetIterationTime(SecondsOf([&] { QTest::keyClick(box, key); }));
            QTest::keyClick(box, Qt::Key_Backspace);
        } else {
            state.SetIterationTime(SecondsOf([&] { g_bench->find->MarkVisibleMatches(); }));
        }
        Settle();
    }
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);

    TBench bench;
    g_bench = &bench;
    bench.page = MakeSampleHtmlPage(PageSize);
    bench.pagePath = bench.folder.filePath(QStringLiteral("sample-page.html"));
    QFile file(bench.pagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bench.page) != bench.page.size()) {
        std::fprintf(stderr, "cannot write the sample page\n");
        return 1;
    }
    file.close();
    const TSamplePageStats stats = SamplePageStats(bench.page);
    std::printf("Sample page: %lld bytes, %lld lines, %lld non-ASCII bytes\n", (long long)stats.bytes,
                (long long)stats.lines, (long long)stats.nonAsciiBytes);

    bench.tabs = std::make_unique<TvqHTMLTab>();
    bench.find = std::make_unique<TFindCommands>(bench.tabs.get(), nullptr);
    bench.tabs->SetLineNumbers(true);
    bench.tabs->resize(1024, 768);
    bench.tabs->show();
    if (!QTest::qWaitForWindowExposed(bench.tabs.get()))
        std::fprintf(stderr, "warning: the window was not exposed\n");
    if (!bench.tabs->AddDocument(bench.pagePath, ccFull, 0) || bench.Editor()->TextLength() != PageSize) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    bench.Editor()->setFocus();
    Settle();

    // The range that holds the first 10,000 matches of the frequent word.
    qsizetype seen = 0;
    TDocumentSearch(FrequentWord, FrequentWordOptions(false))
        .ForEach(bench.Text(), 0, PageSize, [&](TSearchMatch match) {
            bench.scopeEnd = match.End();
            return ++seen < Replacements;
        });
    if (seen < Replacements) {
        std::fprintf(stderr, "the page holds only %lld matches of \"%s\"\n", (long long)seen, qPrintable(FrequentWord));
        return 1;
    }

    const auto timed = [](benchmark::internal::Benchmark *b, int repetitions) {
        b->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
    };
    timed(benchmark::RegisterBenchmark("count_word", BenchCount, false), 31);
    timed(benchmark::RegisterBenchmark("count_word_match_case", BenchCount, true), 31);
    timed(benchmark::RegisterBenchmark("count_expression", BenchCountDecoded, QStringLiteral("pri[cz]e"), true), 9);
    timed(benchmark::RegisterBenchmark("count_non_ascii", BenchCountDecoded, QStringLiteral("café"), false), 9);
    timed(benchmark::RegisterBenchmark("replace_all_10000", BenchReplaceAll, false), 9);
    timed(benchmark::RegisterBenchmark("replace_all_whole_page", BenchReplaceAll, true), 9);
    timed(benchmark::RegisterBenchmark("mark_visible_matches", BenchMarkVisible, Word, false), KeyRepetitions);
    // Every "e" in view: hundreds of marks.
    timed(benchmark::RegisterBenchmark("mark_visible_matches_dense", BenchMarkVisible, QStringLiteral("e"), false),
          KeyRepetitions);
    timed(benchmark::RegisterBenchmark("key_in_find_box", BenchMarkVisible, Word, true), 50);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TMedianRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

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
    row("(ref) string_view::find loop, \"price\"", recorder.MedianCounter("count_word", "baseline_ms"), "ms",
        std::nullopt, "-");
    row("count \"price\", any case (ms)", recorder.MedianMs("count_word"), "ms", std::nullopt, "-");
    row("count \"price\", any case / find loop (paired ratio)", recorder.MedianCounter("count_word", "ratio"), "x", 2.0,
        "<= 2x");
    row("count \"price\", match case / find loop (paired ratio)",
        recorder.MedianCounter("count_word_match_case", "ratio"), "x", 2.0, "<= 2x");
    row("(ref) matches counted", recorder.MedianCounter("count_word", "matches"), "", std::nullopt, "-");
    row("(ref) count the expression \"pri[cz]e\"", recorder.MedianMs("count_expression"), "ms", std::nullopt, "-");
    row("(ref) count \"café\", any case (Unicode folding)", recorder.MedianMs("count_non_ascii"), "ms", std::nullopt,
        "-");
    row("Replace All, 10,000 matches, undo step + recolouring", recorder.MedianMs("replace_all_10000"), "ms", 60.0,
        "<= 60 ms");
    row("(ref) of which processor time", recorder.MedianCounter("replace_all_10000", "processor_ms"), "ms",
        std::nullopt, "-");
    row("(ref) Replace All over the whole page", recorder.MedianMs("replace_all_whole_page"), "ms", std::nullopt, "-");
    row("(ref) replacements over the whole page", recorder.MedianCounter("replace_all_whole_page", "replacements"), "",
        std::nullopt, "-");
    row("marking the matches in view after a key", recorder.MedianMs("mark_visible_matches"), "ms", 5.0, "<= 5 ms");
    row("marking every \"e\" in view after a key", recorder.MedianMs("mark_visible_matches_dense"), "ms", 5.0,
        "<= 5 ms");
    row("(ref) matches of \"e\" in view", recorder.MedianCounter("mark_visible_matches_dense", "in_view"), "",
        std::nullopt, "-");
    row("(ref) the whole key in the find box, with the count", recorder.MedianMs("key_in_find_box"), "ms", std::nullopt,
        "-");
    std::printf("\n%d target(s) missed.\n", misses);
    return 0;
}
