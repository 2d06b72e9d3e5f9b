// SPDX-License-Identifier: GPL-3.0-or-later
// Spell checking a 2 MB page whose words are all correct, so that no word is
// reported: the Spell Check command with tags skipped (the default), and the
// checker over the whole text, each against `hunspell -l -H` listing the
// misspelt words of the same file (timed in the same loop, right before each
// run; the figure is the median of the paired ratios). Both sides open the
// dictionary in each run. Needs the hunspell program.
//
//   spell_bench [benchmark flags]   all figures, then a summary table

#include "BenchProfile.h"
#include "Dictionaries.h"
#include "MedianRecorder.h"
#include "MessageService.h"
#include "PairedTiming.h"
#include "TRichSpellNB.h"
#include "TSpellCommands.h"
#include "TSugDialog.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "WordScanner.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr qsizetype PageSize = 2'000'000;

// Common words; those the dictionary does not know are left out.
const char *const Words[] = {
    "the",     "of",       "and",      "to",      "in",        "is",       "you",       "that",      "it",
    "he",      "was",      "for",      "on",      "are",       "as",       "with",      "his",       "they",
    "at",      "be",       "this",     "have",    "from",      "or",       "one",       "had",       "by",
    "word",    "but",      "not",      "what",    "all",       "were",     "we",        "when",      "your",
    "can",     "said",     "there",    "use",     "an",        "each",     "which",     "she",       "do",
    "how",     "their",    "if",       "will",    "up",        "other",    "about",     "out",       "many",
    "then",    "them",     "these",    "so",      "some",      "her",      "would",     "make",      "like",
    "him",     "into",     "time",     "has",     "look",      "two",      "more",      "write",     "go",
    "see",     "number",   "no",       "way",     "could",     "people",   "my",        "than",      "first",
    "water",   "been",     "call",     "who",     "oil",       "its",      "now",       "find",      "long",
    "down",    "day",      "did",      "get",     "come",      "made",     "may",       "part",      "page",
    "garden",  "mountain", "question", "history", "language",  "computer", "editor",    "document",  "spelling",
    "library", "children", "weather",  "yellow",  "beautiful", "together", "important", "different", "Monday",
    "London",  "English",  "don't",    "it's",    "naïve",     "café",     "résumé",    "Zürich",    "över"};

// A quiet message service: the completion message is not waited for.
class TQuietMessages : public TMessageService
{
public:
    TMsgResult ShowMessage(TMsgKind, const QString &text, TMsgButtons) override
    {
        last = text;
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

    QString last;
};

struct TBench
{
    QTemporaryDir folder;
    QString pagePath;
    QString dictionary;
    std::unique_ptr<QMainWindow> window;
    TvqHTMLTab *tabs = nullptr;
    TSpellCommands *commands = nullptr;
    TQuietMessages *messages = nullptr;
    qsizetype words = 0;
};

TBench *g_bench = nullptr;

QByteArray MakePage(const QStringList &words)
{
    QByteArray page;
    page.reserve(PageSize + 200);
    // Only tags whose names are words, so that the whole text is correct too.
    page += "<title>Spelling</title>\r\n";
    quint32 state = 12345;
    const auto next = [&state](quint32 n) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % n;
    };
    while (page.size() < PageSize - 200) {
        QByteArray line = "<p class=\"note\">";
        for (int i = 0; i < 14; ++i) {
            const QByteArray word = words[qsizetype(next(quint32(words.size())))].toUtf8();
            line += (i == 5 ? "<b>" + word + "</b>" : word) + (i == 13 ? ".</p>\r\n" : " ");
        }
        page += line;
    }
    return page;
}

int ListMisspelt()
{
    QProcess hunspell;
    QString dictionary = g_bench->dictionary;
    dictionary.chop(4); // ".dic"
    hunspell.start(QStringLiteral("hunspell"),
                   {QStringLiteral("-d"), dictionary, QStringLiteral("-i"), QStringLiteral("UTF-8"),
                    QStringLiteral("-l"), QStringLiteral("-H"), g_bench->pagePath});
    hunspell.waitForFinished(-1);
    return int(hunspell.readAllStandardOutput().count('\n'));
}

void BenchCheck(benchmark::State &state, bool skipTags)
{
    TRichSpellNB *checker = g_bench->commands->Checker();
    // A word reported would wait for a user: the run ends as an error.
    bool reported = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (checker->Dialog()->isVisible()) {
            reported = true;
            checker->Cancel();
        }
    });
    watch.start(50);
    int misspelt = 0;
    TimePaired(
        state, [&] { misspelt = ListMisspelt(); },
        [&] {
            checker->CloseDictionaries();
            g_bench->commands->SetSkipTags(skipTags);
            g_bench->commands->SpellCheck();
        },
        [] {});
    state.counters["hunspell_misspelt"] = misspelt;
    if (reported || g_bench->messages->last !=
                        (skipTags ? QStringLiteral("Spell check complete.") : QStringLiteral("No changes made.")))
        state.SkipWithError("the check reported something");
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);
    auto messages = std::make_unique<TQuietMessages>();
    TQuietMessages *quiet = messages.get();
    TMessageService::Install(std::move(messages));

    TBench bench;
    g_bench = &bench;
    bench.messages = quiet;
    bench.dictionary = DictionaryFilePath(DefaultDictionaryName);
    TSpellDictionary dictionary;
    if (!dictionary.OpenMain(bench.dictionary)) {
        std::fprintf(stderr, "no dictionary at %s\n", qPrintable(bench.dictionary));
        return 1;
    }
    QStringList words;
    for (const char *word : Words) {
        const QByteArray utf8(word);
        if (dictionary.Known(std::string_view(utf8.constData(), size_t(utf8.size()))))
            words.append(QString::fromUtf8(utf8));
    }
    const QByteArray page = MakePage(words);
    bench.pagePath = bench.folder.filePath(QStringLiteral("spelling-page.html"));
    QFile file(bench.pagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
        std::fprintf(stderr, "cannot write the page\n");
        return 1;
    }
    file.close();

    bench.window = std::make_unique<QMainWindow>();
    bench.tabs = new TvqHTMLTab;
    bench.window->setCentralWidget(bench.tabs);
    bench.commands = new TSpellCommands(bench.tabs, bench.window.get(), {});
    bench.commands->SetDictionaries(bench.dictionary, bench.folder.filePath(QStringLiteral("Custom.dct")));
    bench.window->resize(1024, 768);
    bench.window->show();
    if (!QTest::qWaitForWindowExposed(bench.window.get()))
        std::fprintf(stderr, "warning: the window was not exposed\n");
    if (!bench.tabs->AddDocument(bench.pagePath, ccFull, 0)) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    // The words between the tags.
    const std::string_view text = bench.tabs->ActiveEditor()->TextView();
    const TWordScanner scanner(true);
    size_t position = 0;
    while (position < text.size()) {
        const size_t tag = std::min(text.find('<', position), text.size());
        for (auto word = scanner.NextWord(text, qsizetype(position), qsizetype(tag)); word.Found();
             word = scanner.NextWord(text, word.End(), qsizetype(tag)))
            ++bench.words;
        const size_t end = text.find('>', tag);
        position = end == std::string_view::npos ? text.size() : end + 1;
    }
    std::printf("Page: %lld bytes, %lld words between tags, %lld different words\n", (long long)page.size(),
                (long long)bench.words, (long long)words.size());

    const auto timed = [](benchmark::internal::Benchmark *b, int repetitions) {
        b->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
    };
    timed(benchmark::RegisterBenchmark("spell_check_skip_tags", BenchCheck, true), 9);
    timed(benchmark::RegisterBenchmark("spell_check_whole_text", BenchCheck, false), 9);

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
            const bool pass = value && *value >= *target;
            result = pass ? "PASS" : "MISS";
            misses += pass ? 0 : 1;
        }
        std::printf("%-58s %10.3f %-3s %-12s %s\n", label, value.value_or(-1), unit, targetText, result);
    };
    // Words per second relative to hunspell: the inverse of the time ratio.
    const auto speed = [&](const char *name) -> std::optional<double> {
        const auto ratio = recorder.MedianCounter(name, "ratio");
        return ratio ? std::optional<double>(1.0 / *ratio) : std::nullopt;
    };
    const auto perSecond = [&](std::optional<double> ms) -> std::optional<double> {
        return ms ? std::optional<double>(double(bench.words) / (*ms / 1e3)) : std::nullopt;
    };
    std::printf("\nSummary (medians)\n\n");
    row("(ref) hunspell -l -H on the page (ms)", recorder.MedianCounter("spell_check_skip_tags", "baseline_ms"), "ms",
        std::nullopt, "-");
    row("(ref) hunspell -l -H, words per second",
        perSecond(recorder.MedianCounter("spell_check_skip_tags", "baseline_ms")), "", std::nullopt, "-");
    row("(ref) misspelt words hunspell lists", recorder.MedianCounter("spell_check_skip_tags", "hunspell_misspelt"), "",
        std::nullopt, "-");
    row("Spell Check, tags skipped (ms)", recorder.MedianMs("spell_check_skip_tags"), "ms", std::nullopt, "-");
    row("(ref) Spell Check, tags skipped, words per second", perSecond(recorder.MedianMs("spell_check_skip_tags")), "",
        std::nullopt, "-");
    row("Spell Check, tags skipped: words/s vs hunspell (paired)", speed("spell_check_skip_tags"), "x", 0.5, ">= 0.5x");
    row("(ref) Spell Check, whole text (ms)", recorder.MedianMs("spell_check_whole_text"), "ms", std::nullopt, "-");
    row("Spell Check, whole text: words/s vs hunspell (paired)", speed("spell_check_whole_text"), "x", 0.5, ">= 0.5x");
    std::printf("\n%d target(s) missed.\n", misses);
    return 0;
}
