// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the editor control on a 2 MB page: colouring the whole
// document, one typed character, the repaint after it, colouring the line
// the caret leaves, loading a file, and the peak memory with the page open.
// Each figure is printed beside its target and as a ratio to a plain memchr
// scan of the same bytes, timed in the same run. The figures held to a ratio
// (ColorAll and the whole-page rewrites) time their baseline in the same
// loop, right before each run of their own, and report the median of the
// paired ratios. Rows marked "(ref)" have no target; they show where the
// time of the others goes.
//
//   editor_bench [benchmark flags]   all figures, then a summary table
//   editor_bench --memory [PATH]     the memory figure alone (a fresh process
//                                    loads PATH, or a generated page)

#include "BenchProfile.h"
#include "ColorScanner.h"
#include "MedianRecorder.h"
#include "PairedTiming.h"
#include "SampleHtmlPage.h"
#include "SelectionCommands.h"
#include "SpecialCharacters.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodQueryEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr qsizetype PageSize = 2'000'000;
constexpr int KeyRepetitions = 200;

// Counts the paint events of the editor's viewport, so that a "repaint" that
// painted nothing is reported as an error instead of as a fast figure.
class TPaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// A shown top-level window with the editor filling it, as in the program.
struct TEditorWindow
{
    QWidget window;
    TvqRichHTML *editor = nullptr;
    TPaintCounter paints;

    TEditorWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        editor = new TvqRichHTML(&window);
        layout->addWidget(editor);
        editor->SetColorCodeMode(ccFull);
        editor->viewport()->installEventFilter(&paints);
        window.resize(1024, 768);
        window.show();
        window.activateWindow();
        editor->setFocus();
        if (!QTest::qWaitForWindowExposed(&window))
            std::fprintf(stderr, "warning: the editor window was not exposed; repaints may be empty\n");
        QCoreApplication::processEvents();
    }
};

// Lets queued paints and timers run, so that each repetition starts settled.
void Settle()
{
    QCoreApplication::processEvents();
}

// The kB figure of a "VmHWM:"-style line of /proc/self/status.
qint64 StatusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The reference for the colouring figures: what finding every tag costs at
// the least. One class byte per input byte, 1 inside "<...>", 0 elsewhere.
void ScanTagsWithMemchr(const char *text, size_t size, char *classes)
{
    size_t p = 0;
    while (p < size) {
        const void *open = std::memchr(text + p, '<', size - p);
        const size_t o = open ? size_t(static_cast<const char *>(open) - text) : size;
        std::memset(classes + p, 0, o - p);
        if (o == size)
            return;
        const void *close = std::memchr(text + o + 1, '>', size - o - 1);
        const size_t c = close ? size_t(static_cast<const char *>(close) - text) + 1 : size;
        std::memset(classes + o, 1, c - o);
        p = c;
    }
}

// ---------------------------------------------------------------------------
// The timed work, against one editor that holds the page.

struct TBench
{
    QTemporaryDir folder;
    QString pagePath;
    QByteArray page;
    std::unique_ptr<TEditorWindow> view;

    TvqRichHTML *Editor() const { return view->editor; }

    // A caret position near the middle of a line, on a character boundary.
    qsizetype MiddleOfLine(int line) const
    {
        qsizetype position = Editor()->LineIndex(line) + Editor()->LineLength(line) / 2;
        while (position < page.size() && (static_cast<unsigned char>(page[position]) & 0xC0) == 0x80)
            ++position;
        return position;
    }
};

TBench *g_bench = nullptr;

void PlaceCaret(qsizetype position)
{
    g_bench->Editor()->SetSelStart(position);
    Settle();
}

// Types "a" with a real key event; false when the editor did not take it.
bool TypeA()
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype before = editor->TextLength();
    QTest::keyPress(editor, Qt::Key_A);
    QTest::keyRelease(editor, Qt::Key_A);
    return editor->TextLength() == before + 1;
}

// Takes the typed character out again through the editor's own undo.
void RemoveTyped()
{
    g_bench->Editor()->Undo();
    Settle();
}

void BenchMemchrScan(benchmark::State &state)
{
    const QByteArray &page = g_bench->page;
    std::vector<char> classes(size_t(page.size()));
    for (auto _ : state) {
        state.SetIterationTime(
            SecondsOf([&] { ScanTagsWithMemchr(page.constData(), size_t(page.size()), classes.data()); }));
        benchmark::DoNotOptimize(classes.data());
        benchmark::ClobberMemory();
    }
}

// Against the memchr scan of the same bytes.
void BenchColorAll(benchmark::State &state)
{
    TvqRichHTML *editor = g_bench->Editor();
    const QByteArray &page = g_bench->page;
    std::vector<char> classes(size_t(page.size()));
    TimePaired(
        state,
        [&] {
            ScanTagsWithMemchr(page.constData(), size_t(page.size()), classes.data());
            benchmark::DoNotOptimize(classes.data());
            benchmark::ClobberMemory();
        },
        [&] { editor->ColorAll(); }, Settle);
}

// The two halves of ColorAll, to show where its time goes: the scanner on
// the bytes, and handing one style byte per position to Scintilla.
void BenchScannerAlone(benchmark::State &state)
{
    const std::string_view text(g_bench->page.constData(), size_t(g_bench->page.size()));
    for (auto _ : state) {
        TColorScanner::TResult result;
        state.SetIterationTime(
            SecondsOf([&] { result = TColorScanner::ColorRange(text, 0, qsizetype(text.size()), ccFull); }));
        benchmark::DoNotOptimize(result.styles.data());
    }
}

void BenchSetStylingEx(benchmark::State &state)
{
    TvqRichHTML *editor = g_bench->Editor();
    const std::string_view text(g_bench->page.constData(), size_t(g_bench->page.size()));
    // The styles ColorAll gives, so that the document's colours stay as they are.
    const TColorScanner::TResult result = TColorScanner::ColorRange(text, 0, qsizetype(text.size()), ccFull);
    for (auto _ : state) {
        state.SetIterationTime(SecondsOf([&] {
            editor->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, result.first, long(scPlain));
            editor->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, result.styles.size(), result.styles.data());
        }));
        Settle();
    }
}

void BenchLoad(benchmark::State &state)
{
    TvqRichHTML *editor = g_bench->Editor();
    for (auto _ : state) {
        state.SetIterationTime(SecondsOf([&] { editor->SetFilename(g_bench->pagePath); }));
        if (editor->TextLength() != PageSize) {
            state.SkipWithError("the page did not load whole");
            break;
        }
        Settle();
    }
}

// Positions in the loaded document, fixed once it is loaded.
enum class TWhere { Start, Middle, End };

qsizetype PositionOf(TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    switch (where) {
    case TWhere::Start:
        return g_bench->MiddleOfLine(2);
    case TWhere::Middle:
        return g_bench->MiddleOfLine(editor->LineCount() / 2);
    case TWhere::End:
        return editor->TextLength();
    }
    return 0;
}

void BenchKey(benchmark::State &state, TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype position = PositionOf(where);
    for (auto _ : state) {
        PlaceCaret(position);
        const qsizetype before = editor->TextLength();
        state.SetIterationTime(SecondsOf([&] { QTest::keyPress(editor, Qt::Key_A); }));
        QTest::keyRelease(editor, Qt::Key_A);
        if (editor->TextLength() != before + 1) {
            state.SkipWithError("the key was not taken");
            break;
        }
        RemoveTyped();
    }
}

// Bold around a word in the middle, and the one undo step that takes it
// back, as a speedbar button does it.
void BenchInsertTagAroundWord(benchmark::State &state)
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype middle = editor->LineIndex(editor->LineFromChar(PositionOf(TWhere::Middle)));
    const qsizetype before = editor->TextLength();
    for (auto _ : state) {
        editor->SetSel(middle, 4);
        Settle();
        state.SetIterationTime(SecondsOf([&] {
            editor->InsertTag(QStringLiteral("<B>"), QStringLiteral("</B>"), false);
            editor->Undo();
        }));
        if (editor->TextLength() != before) {
            state.SkipWithError("the undo did not restore the text");
            break;
        }
    }
}

// Puts the sample page back after a rewrite of the whole text.
void ReloadPage()
{
    g_bench->Editor()->SetFilename(g_bench->pagePath);
    Settle();
}

// Baseline of the tag-case rewrite: the same conversion in one plain pass
// into a new buffer.
QByteArray LowerTagsPlainPass(const QByteArray &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    bool inTag = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<')
            inTag = true, quoted = false;
        else if (c == '>')
            inTag = false;
        else if (inTag && c == '"')
            quoted = !quoted;
        out[i] = inTag && !quoted ? char(std::tolower(uchar(c))) : c;
    }
    return out;
}

// Baseline of the accented-letter rewrite: a table lookup per byte into a
// new buffer.
QByteArray EntitiesPlainPass(const QByteArray &text)
{
    static const std::array<QByteArray, 256> entities = [] {
        std::array<QByteArray, 256> table;
        for (const TSpecialCharacter &character : SpecialCharacters)
            if (character.page > 0)
                table[uchar(QString::fromUtf16(character.shown).toUtf8().at(1))] = character.entity;
        return table;
    }();
    QByteArray out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (uchar(text[i]) == 0xC3 && i + 1 < text.size() && !entities[uchar(text[i + 1])].isEmpty()) {
            out += entities[uchar(text[i + 1])];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ReplaceInStdString(std::string_view text, char find, std::string_view replacement)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text)
        if (c == find)
            out += replacement;
        else
            out += c;
    return out;
}

// Times a rewrite of the whole page against a plain pass over its bytes,
// putting the page back after each run.
template <typename Pass, typename Rewrite> void TimeRewrite(benchmark::State &state, Pass pass, Rewrite rewrite)
{
    const QByteArray text = g_bench->Editor()->RawText();
    TimePaired(
        state, [&] { benchmark::DoNotOptimize(pass(text)); }, [&] { rewrite(*g_bench->Editor()); }, ReloadPage);
}

void BenchTagCase(benchmark::State &state)
{
    TimeRewrite(state, LowerTagsPlainPass, [](TvqRichHTML &editor) { ConvertTagCase(editor, false); });
}

void BenchExtendedCharacters(benchmark::State &state)
{
    TimeRewrite(state, EntitiesPlainPass, [](TvqRichHTML &editor) { ReplaceExtendedCharacters(editor, true); });
}

void BenchReplaceAll(benchmark::State &state)
{
    TimeRewrite(
        state,
        [](const QByteArray &text) {
            return ReplaceInStdString(std::string_view(text.constData(), size_t(text.size())), 'e', "ex");
        },
        [](TvqRichHTML &editor) {
            benchmark::DoNotOptimize(editor.ReplaceAll(QStringLiteral("e"), QStringLiteral("ex"), true));
        });
}

void BenchRepaintAfterKey(benchmark::State &state, TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype position = PositionOf(where);
    for (auto _ : state) {
        PlaceCaret(position);
        if (!TypeA()) {
            state.SkipWithError("the key was not taken");
            break;
        }
        const int paints = g_bench->view->paints.count;
        state.SetIterationTime(SecondsOf([&] { editor->viewport()->repaint(); }));
        if (g_bench->view->paints.count == paints) {
            state.SkipWithError("the viewport did not paint");
            break;
        }
        RemoveTyped();
    }
}

void BenchColorLine(benchmark::State &state, TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype position = PositionOf(where);
    for (auto _ : state) {
        PlaceCaret(position);
        if (!TypeA()) {
            state.SkipWithError("the key was not taken");
            break;
        }
        const int line = editor->CurrentLine();
        state.SetIterationTime(SecondsOf([&] { editor->ColorLine(line); }));
        RemoveTyped();
    }
}

// The Down key with the typed line still uncoloured: the editor's own path
// that colours the line the caret leaves, plus Scintilla's caret movement.
void BenchDownKey(benchmark::State &state, TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype position = PositionOf(where);
    for (auto _ : state) {
        PlaceCaret(position);
        if (!TypeA()) {
            state.SkipWithError("the key was not taken");
            break;
        }
        state.SetIterationTime(SecondsOf([&] { QTest::keyPress(editor, Qt::Key_Down); }));
        QTest::keyRelease(editor, Qt::Key_Down);
        if (editor->PendingLine().dirty) {
            state.SkipWithError("the line left was not coloured");
            break;
        }
        RemoveTyped();
    }
}

// What a platform input context asks for after each caret move when it
// follows the text around the caret (surrounding text, cursor position).
void BenchInputMethodQuery(benchmark::State &state, TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    PlaceCaret(PositionOf(where));
    for (auto _ : state) {
        QInputMethodQueryEvent query(Qt::ImQueryInput);
        state.SetIterationTime(SecondsOf([&] { QCoreApplication::sendEvent(editor, &query); }));
        benchmark::DoNotOptimize(query.value(Qt::ImSurroundingText));
    }
}

// What QScintilla's accessibility bridge computes on every inserted or
// deleted text (SCN_MODIFIED) and on every UI update (SCN_UPDATEUI): the
// character offset of a byte position, counted from the start of the text.
void BenchCountCharacters(benchmark::State &state, TWhere where)
{
    TvqRichHTML *editor = g_bench->Editor();
    const qsizetype position = PositionOf(where);
    for (auto _ : state) {
        long count = 0;
        state.SetIterationTime(SecondsOf(
            [&] { count = editor->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, 0, long(position)); }));
        benchmark::DoNotOptimize(count);
    }
}

// ---------------------------------------------------------------------------
// Peak memory. It is measured in a process of its own, which creates the
// application and the shown editor, then loads the page file and lets it
// paint once. VmHWM is the peak resident set of that process: the Qt,
// QScintilla and font libraries' pages actually touched, the platform
// plugin, the widgets, and the document with everything loading it briefly
// needs (the file's bytes, the UTF-8 check's decoded copy, Scintilla's text
// and style buffers and line index, the colour scanner's style array). The
// page's generation and the timings' own data are not in it.

struct TMemoryFigures
{
    qint64 emptyPeakKb = -1;  // VmHWM with the empty editor shown
    qint64 loadedPeakKb = -1; // VmHWM after loading and painting the page
    qint64 loadedRssKb = -1;  // VmRSS at that point
};

int RunMemoryChild(const QString &path)
{
    TEditorWindow view;
    Settle();
    const qint64 emptyPeak = StatusKilobytes("VmHWM");
    if (!view.editor->SetFilename(path) || view.editor->TextLength() == 0)
        return 1;
    view.editor->viewport()->repaint();
    Settle();
    std::printf("VmHWM-empty %lld\nVmHWM-loaded %lld\nVmRSS-loaded %lld\n", (long long)emptyPeak,
                (long long)StatusKilobytes("VmHWM"), (long long)StatusKilobytes("VmRSS"));
    return 0;
}

std::optional<TMemoryFigures> MeasureMemory(const QString &path)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory-child"), path});
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return std::nullopt;
    TMemoryFigures figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() != 2)
            continue;
        const qint64 value = parts[1].toLongLong();
        if (parts[0] == "VmHWM-empty")
            figures.emptyPeakKb = value;
        else if (parts[0] == "VmHWM-loaded")
            figures.loadedPeakKb = value;
        else if (parts[0] == "VmRSS-loaded")
            figures.loadedRssKb = value;
    }
    if (figures.loadedPeakKb < 0)
        return std::nullopt;
    return figures;
}

QString WritePage(const QTemporaryDir &folder, const QByteArray &page)
{
    const QString path = folder.filePath(QStringLiteral("sample-page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        return QString();
    return path;
}

void PrintMemory(const TMemoryFigures &m)
{
    std::printf("Peak memory (separate process): VmHWM %.1f MB with the page open; %.1f MB with the editor "
                "empty; VmRSS afterwards %.1f MB\n",
                double(m.loadedPeakKb) / 1024.0, double(m.emptyPeakKb) / 1024.0, double(m.loadedRssKb) / 1024.0);
}

// ---------------------------------------------------------------------------
// The summary table.

struct TRow
{
    const char *name;
    std::optional<double> value; // ms, or MB for the memory row
    const char *unit;
    std::optional<double> target; // in the same unit; none for reference rows
    const char *targetText;
    std::optional<double> ratio;
    std::optional<double> ratioTarget = std::nullopt; // for rows held to their ratio
};

void PrintSummary(const std::vector<TRow> &rows, double baselineMs)
{
    std::printf("\nSummary (medians; ratio = figure / memchr scan of the same bytes, %.3f ms; rows marked\n"
                "\"paired\": median of the ratios to a baseline timed in the same loop; memory: ratio = peak /\n"
                "peak with the editor empty)\n\n",
                baselineMs);
    std::printf("%-44s %12s  %-16s %9s  %s\n", "name", "median", "target", "ratio", "result");
    int misses = 0;
    for (const TRow &row : rows) {
        char value[32] = "n/a";
        if (row.value)
            std::snprintf(value, sizeof value, "%.3f %s", *row.value, row.unit);
        char ratio[32] = "-";
        if (row.ratio)
            std::snprintf(ratio, sizeof ratio, "%.2fx", *row.ratio);
        const char *result = "-";
        if ((row.target && !row.value) || (row.ratioTarget && !row.ratio)) {
            result = "not run";
        } else if (row.target || row.ratioTarget) {
            const bool pass =
                (!row.target || *row.value <= *row.target) && (!row.ratioTarget || *row.ratio <= *row.ratioTarget);
            result = pass ? "PASS" : "MISS";
            misses += pass ? 0 : 1;
        }
        std::printf("%-44s %12s  %-16s %9s  %s\n", row.name, value, row.targetText, ratio, result);
    }
    std::printf("\n%d target(s) missed.\n", misses);
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);

    if (argc >= 3 && std::strcmp(argv[1], "--memory-child") == 0)
        return RunMemoryChild(QString::fromLocal8Bit(argv[2]));

    TBench bench;
    g_bench = &bench;
    if (!bench.folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }

    if (argc >= 2 && std::strcmp(argv[1], "--memory") == 0) {
        QString path = argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QString();
        if (path.isEmpty())
            path = WritePage(bench.folder, MakeSampleHtmlPage(PageSize));
        const std::optional<TMemoryFigures> memory = MeasureMemory(path);
        if (!memory) {
            std::fprintf(stderr, "the memory run failed\n");
            return 1;
        }
        PrintMemory(*memory);
        return 0;
    }

    bench.page = MakeSampleHtmlPage(PageSize);
    bench.pagePath = WritePage(bench.folder, bench.page);
    if (bench.pagePath.isEmpty()) {
        std::fprintf(stderr, "cannot write the sample page\n");
        return 1;
    }
    const TSamplePageStats stats = SamplePageStats(bench.page);
    std::printf("Sample page: %lld bytes, %lld lines (%lld blank), mean line %.1f bytes, %lld tags, "
                "%lld non-ASCII bytes\n",
                (long long)stats.bytes, (long long)stats.lines, (long long)stats.blankLines, stats.meanLineLength,
                (long long)stats.tags, (long long)stats.nonAsciiBytes);

    // First, while this process is still small, in a process of its own.
    std::fflush(stdout);
    const std::optional<TMemoryFigures> memory = MeasureMemory(bench.pagePath);
    if (memory)
        PrintMemory(*memory);
    else
        std::fprintf(stderr, "the memory run failed\n");

    bench.view = std::make_unique<TEditorWindow>();
    if (!bench.Editor()->SetFilename(bench.pagePath) || bench.Editor()->TextLength() != PageSize) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    Settle();

    const auto timed = [](benchmark::internal::Benchmark *b, int repetitions, int iterations = 1) {
        b->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
    };
    timed(benchmark::RegisterBenchmark("memchr_scan", BenchMemchrScan), 15, 10);
    timed(benchmark::RegisterBenchmark("color_all", BenchColorAll), 15);
    timed(benchmark::RegisterBenchmark("color_scanner_alone", BenchScannerAlone), 15);
    timed(benchmark::RegisterBenchmark("set_styling_ex_whole_document", BenchSetStylingEx), 15);
    timed(benchmark::RegisterBenchmark("load_and_color", BenchLoad), 7);
    timed(benchmark::RegisterBenchmark("insert_tag_and_undo", BenchInsertTagAroundWord), KeyRepetitions);
    timed(benchmark::RegisterBenchmark("tag_case", BenchTagCase), 9);
    timed(benchmark::RegisterBenchmark("extended_characters", BenchExtendedCharacters), 9);
    timed(benchmark::RegisterBenchmark("replace_all", BenchReplaceAll), 9);
    const std::pair<const char *, TWhere> places[] = {
        {"start", TWhere::Start}, {"middle", TWhere::Middle}, {"end", TWhere::End}};
    for (const auto &[name, where] : places) {
        const std::string suffix = std::string("/") + name;
        timed(benchmark::RegisterBenchmark(("key" + suffix).c_str(), BenchKey, where), KeyRepetitions);
        timed(benchmark::RegisterBenchmark(("repaint_after_key" + suffix).c_str(), BenchRepaintAfterKey, where),
              KeyRepetitions);
        timed(benchmark::RegisterBenchmark(("color_line" + suffix).c_str(), BenchColorLine, where), KeyRepetitions);
        timed(benchmark::RegisterBenchmark(("down_key_leaving_line" + suffix).c_str(), BenchDownKey, where),
              KeyRepetitions);
        timed(benchmark::RegisterBenchmark(("input_method_query" + suffix).c_str(), BenchInputMethodQuery, where),
              KeyRepetitions);
        timed(benchmark::RegisterBenchmark(("count_characters_to_caret" + suffix).c_str(), BenchCountCharacters, where),
              25);
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TMedianRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

    const auto ms = [&](const char *name) { return recorder.MedianMs(name); };
    const std::optional<double> baseline = ms("memchr_scan");
    const auto ratio = [&](std::optional<double> value) -> std::optional<double> {
        if (!value || !baseline || *baseline <= 0)
            return std::nullopt;
        return *value / *baseline;
    };
    std::vector<TRow> rows;
    const auto add = [&](const char *label, const char *name, std::optional<double> target, const char *targetText) {
        rows.push_back({label, ms(name), "ms", target, targetText, ratio(ms(name))});
    };
    // A figure held to the median of its ratios to its own baseline, and that
    // baseline's median time.
    const auto paired = [&](const char *label, const char *name, double factor, const char *targetText,
                            const char *baselineLabel) {
        rows.push_back(
            {baselineLabel, recorder.MedianCounter(name, "baseline_ms"), "ms", std::nullopt, "-", std::nullopt});
        rows.push_back(
            {label, ms(name), "ms", std::nullopt, targetText, recorder.MedianCounter(name, "ratio"), factor});
    };
    add("memchr scan (baseline)", "memchr_scan", std::nullopt, "-");
    paired("ColorAll, ccFull (paired: memchr scan)", "color_all", 3.0, "<= 3x scan",
           "(ref) memchr scan, in ColorAll's loop");
    add("(ref) of which TColorScanner::ColorRange", "color_scanner_alone", std::nullopt, "-");
    add("(ref) of which SCI_SETSTYLINGEX, 2 MB", "set_styling_ex_whole_document", std::nullopt, "-");
    add("SetFilename (load + ColorAll)", "load_and_color", 60.0, "<= 60 ms");
    add("key 'a', middle", "key/middle", 1.0, "<= 1 ms");
    add("key 'a', end", "key/end", 1.0, "<= 1 ms");
    add("Bold around a word + undo, middle", "insert_tag_and_undo", 2.0, "<= 2 ms");
    paired("Convert Tag Case, 2 MB (paired: plain pass)", "tag_case", 10.0, "<= 10x pass",
           "(ref) tag case, plain pass into a new buffer");
    paired("Replace Extended Characters (paired: pass)", "extended_characters", 10.0, "<= 10x pass",
           "(ref) entities, plain pass into a new buffer");
    paired("ReplaceAll e -> ex, 2 MB (paired: std::string)", "replace_all", 5.0, "<= 5x rebuild",
           "(ref) e -> ex, std::string rebuild");
    add("first repaint after key, middle", "repaint_after_key/middle", 3.0, "<= 3 ms");
    add("first repaint after key, end", "repaint_after_key/end", 3.0, "<= 3 ms");
    add("ColorLine of typed line, middle", "color_line/middle", 1.0, "<= 1 ms");
    add("ColorLine of typed line, end", "color_line/end", 1.0, "<= 1 ms");
    add("Down key leaving typed line, middle", "down_key_leaving_line/middle", 1.0, "<= 1 ms");
    add("Down key leaving typed line, end", "down_key_leaving_line/end", 1.0, "<= 1 ms");
    add("(ref) key 'a', line 3", "key/start", std::nullopt, "-");
    add("(ref) first repaint after key, line 3", "repaint_after_key/start", std::nullopt, "-");
    add("(ref) ColorLine, line 3", "color_line/start", std::nullopt, "-");
    add("(ref) input-method query, line 3", "input_method_query/start", std::nullopt, "-");
    add("(ref) input-method query, middle", "input_method_query/middle", std::nullopt, "-");
    add("(ref) input-method query, end", "input_method_query/end", std::nullopt, "-");
    add("(ref) SCI_COUNTCHARACTERS(0, caret), line 3", "count_characters_to_caret/start", std::nullopt, "-");
    add("(ref) SCI_COUNTCHARACTERS(0, caret), middle", "count_characters_to_caret/middle", std::nullopt, "-");
    add("(ref) SCI_COUNTCHARACTERS(0, caret), end", "count_characters_to_caret/end", std::nullopt, "-");
    if (memory) {
        rows.push_back({"peak memory, page open (VmHWM)", double(memory->loadedPeakKb) / 1024.0, "MB", 60.0, "<= 60 MB",
                        memory->emptyPeakKb > 0
                            ? std::optional<double>(double(memory->loadedPeakKb) / double(memory->emptyPeakKb))
                            : std::nullopt});
    } else {
        rows.push_back({"peak memory, page open (VmHWM)", std::nullopt, "MB", 60.0, "<= 60 MB", std::nullopt});
    }
    PrintSummary(rows, baseline.value_or(0));
    return 0;
}
