// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start-up timings for the whole-program benchmark. With the environment
// variable VELICORT_BENCH_REPORT naming a file, writes these lines to it, each
// time in milliseconds since the process started:
//   shown <ms>     the page's first paint: a paint of the widget that shows it
//                  once it holds the page, flushed to the screen
//   idle <ms>      the end of the last work before 200 ms without any CPU use
//                  (counted over all threads) after the page was shown
//   cpu <ms>       the process's CPU time, all threads, at that moment
//   lateness <ms>  the largest lateness of a 10 ms timer from the start to idle
// Without the variable it does nothing at all.

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

class TTimingReport : public QObject
{
public:
    // The widget whose next paint shows the loaded page, or null while the
    // page is not in it yet.
    using TPageView = std::function<QWidget *()>;

    // Starts the report when the environment asks for it; it ends itself
    // once it has written the idle figures.
    static void StartIfAsked(TPageView pageView);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TTimingReport(const QString &path, TPageView pageView);

    double SinceStartMs() const;
    void Write(const char *name, double ms);
    void Tick();

    QFile m_file;
    TPageView m_pageView;
    double m_startOffsetMs = 0; // from the process start to m_clock's start
    QElapsedTimer m_clock;
    QTimer m_ticks;
    bool m_shownPending = false;
    bool m_shown = false;
    double m_lastTickMs = 0;
    double m_lastCpuMs = 0;
    double m_lastBusyMs = 0;
    double m_cpuAtLastBusyMs = 0;
    double m_latenessMs = 0;
};
