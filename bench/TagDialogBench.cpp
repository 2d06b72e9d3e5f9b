// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the tag dialogs on a 2 MB page: "Edit Tag..." on a tag in the
// middle of the page, from the command to the dialog's first paint, and the
// rewrite of the tag after OK. Each is paired, in the same loop, with its
// floor: an empty dialog with OK and Cancel shown and painted, and the
// editor's own replacement of the same tag without a dialog. The figures
// are medians over the repetitions, with the median of the paired ratios.
//
//   tagdialog_bench [repetitions]

#include "BenchProfile.h"
#include "Median.h"
#include "SampleHtmlPage.h"
#include "TTagDialogCommands.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Notes the first paint of the next dialog shown, then closes it with OK.
class TFirstPaint : public QObject
{
public:
    Clock::time_point painted;
    Clock::time_point accepted;
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen && event->type() == QEvent::Paint && qobject_cast<QDialog *>(watched)) {
            seen = true;
            painted = Clock::now();
            auto *dialog = static_cast<QDialog *>(watched);
            QTimer::singleShot(0, dialog, [this, dialog] {
                accepted = Clock::now();
                dialog->accept();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

// The tags edited, one of each dialog's kind, put in the middle of the page.
const char *const Tags[] = {
    "<FONT SIZE=\"+1\" COLOR=\"#ff0000\" CLASS=\"k\">",
    "<BASEFONT SIZE=3>",
    "<BODY BGCOLOR=\"white\" TEXT=\"#123\">",
    "<A HREF=\"page.html\" TARGET=\"_top\">",
    "<HR SIZE=3 NOSHADE>",
    "<META NAME=\"keywords\" CONTENT=\"a, b\">",
    "<FORM ACTION=\"/cgi-bin/x\" METHOD=\"POST\">",
    "<P ALIGN=\"CENTER\">",
    "<!-- a note -->",
    "<SCRIPT LANGUAGE=\"JavaScript\" SRC=\"menu.js\">",
    "<APPLET CODE=\"a.class\" WIDTH=100 HEIGHT=50>",
    "<PARAM NAME=\"speed\" VALUE=\"3\">",
    "<MARQUEE BEHAVIOR=Slide LOOP=INFINITE>",
    "<EMBED SRC=\"clip.avi\" BORDER=0>",
    "<BGSOUND SRC=\"tune.wav\" LOOP=3>",
};

struct TFigures
{
    std::vector<double> open, openBase, openRatio, rewrite, rewriteBase, rewriteRatio;
};

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    // The page, with the edited tags on a line of their own in its middle.
    QByteArray page = MakeSampleHtmlPage(2'000'000);
    const qsizetype middle = page.indexOf("\r\n", page.size() / 2) + 2;
    QByteArray tags;
    for (const char *tag : Tags)
        tags += QByteArray(tag) + ' ';
    page.insert(middle, tags + "\r\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        return 1;
    file.close();

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *tabs = new TvqHTMLTab(&window);
    layout->addWidget(tabs);
    window.resize(1024, 768);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !tabs->AddDocument(path, ccFull, 0))
        return 1;
    TvqRichHTML *editor = tabs->ActiveEditor();
    TTagDialogCommands commands(
        tabs, [&dir] { return dir.path(); }, &window);
    TFirstPaint paint;
    app.installEventFilter(&paint);

    std::printf("%-22s %10s %10s %8s %12s %10s %8s\n", "tag", "open ms", "floor ms", "ratio", "rewrite ms", "floor ms",
                "ratio");
    for (const char *tag : Tags) {
        const QByteArray prefix = QByteArray(tag).left(QByteArray(tag).indexOf(' '));
        TFigures f;
        for (int i = 0; i < repetitions; ++i) {
            // The floor of showing: an empty dialog with its buttons.
            paint.seen = false;
            Clock::time_point start = Clock::now();
            {
                QDialog empty(&window);
                auto *box = new QVBoxLayout(&empty);
                box->addWidget(new QLineEdit);
                box->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
                empty.exec();
            }
            const double openBase = std::chrono::duration<double, std::milli>(paint.painted - start).count();

            // The dialog on the tag, with the caret inside it.
            const qsizetype at = QByteArray(editor->RawText()).indexOf(prefix, middle - 10);
            editor->SetSel(at + 2, 0);
            paint.seen = false;
            start = Clock::now();
            commands.mnuPE_EditTagClick();
            const double rewrite = MsSince(paint.accepted);
            const double open = std::chrono::duration<double, std::milli>(paint.painted - start).count();

            // The floor of rewriting: the editor replacing the same tag.
            const QString written = editor->GetTagAt(at + 2, true);
            start = Clock::now();
            editor->InsertTag(written, QString(), true);
            const double rewriteBase = MsSince(start);

            f.open.push_back(open);
            f.openBase.push_back(openBase);
            f.openRatio.push_back(open / openBase);
            f.rewrite.push_back(rewrite);
            f.rewriteBase.push_back(rewriteBase);
            f.rewriteRatio.push_back(rewrite / rewriteBase);
            QCoreApplication::processEvents();
        }
        std::printf("%-22s %10.2f %10.2f %8.2f %12.2f %10.2f %8.2f\n", prefix.constData(), Median(f.open),
                    Median(f.openBase), Median(f.openRatio), Median(f.rewrite), Median(f.rewriteBase),
                    Median(f.rewriteRatio));
    }
    std::printf("targets: open <= 30 ms, rewrite <= 5 ms\n");
    return 0;
}
