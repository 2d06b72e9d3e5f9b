// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the whole-program benchmark (bench/program_bench.sh): the
// least a Qt program with QScintilla does to open a page as the editor does,
// with word wrap on and the same font, in a main window of the size a first start of the
// program takes. It reports its timings the program's way
// (VELICORT_BENCH_REPORT).
//
//   bare_editor [PAGE]

#include "TimingReport.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QMainWindow>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    QMainWindow window;
    auto *editor = new QsciScintilla;
    window.setCentralWidget(editor);
    editor->setUtf8(true);
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    TTimingReport::StartIfAsked(
        [&]() -> QWidget * { return path.isEmpty() || editor->length() > 0 ? editor->viewport() : nullptr; });
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.resize(screen->availableGeometry().size() * 0.8);
    if (!path.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, false);
        editor->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, bytes.size(), bytes.constData());
        editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, true);
    }
    // Wrap goes on once the text is in: Scintilla then wraps the lines in
    // view first and the rest in idle slices. On during the insertion, it
    // would wrap the whole text before returning.
    editor->SendScintilla(QsciScintillaBase::SCI_SETWRAPMODE, QsciScintillaBase::SC_WRAP_WORD);
    window.show();
    return QApplication::exec();
}
