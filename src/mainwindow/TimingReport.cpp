// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimingReport.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int TickMs = 10;
// A tick that saw more CPU than this since the one before counts as work;
// the ticks themselves cost some microseconds.
constexpr double BusyCpuPerTickMs = 0.5;
constexpr double QuietMs = 200;

// How long ago the kernel started this process, to its clock tick (10 ms).
double ProcessAgeMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // The fields after the command name, which stands in parentheses and may
    // hold blanks; the start time is the 22nd field of the line.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6 - startTicks * 1e3 / double(sysconf(_SC_CLK_TCK));
}

// CPU time of the whole process, all its threads.
double CpuMs()
{
    return double(std::clock()) * 1e3 / CLOCKS_PER_SEC;
}

} // namespace

void TTimingReport::StartIfAsked(TPageView pageView)
{
    const QString path = qEnvironmentVariable("VELICORT_BENCH_REPORT");
    if (!path.isEmpty())
        new TTimingReport(path, std::move(pageView));
}

TTimingReport::TTimingReport(const QString &path, TPageView pageView)
    : QObject(qApp), m_file(path), m_pageView(std::move(pageView))
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qWarning("cannot write the timing report %s", qPrintable(path));
    m_clock.start();
    m_startOffsetMs = ProcessAgeMs();
    m_lastTickMs = m_startOffsetMs;
    m_lastCpuMs = CpuMs();
    m_ticks.setTimerType(Qt::PreciseTimer);
    m_ticks.setInterval(TickMs);
    connect(&m_ticks, &QTimer::timeout, this, &TTimingReport::Tick);
    m_ticks.start();
    qApp->installEventFilter(this);
}

double TTimingReport::SinceStartMs() const
{
    return m_startOffsetMs + double(m_clock.nsecsElapsed()) / 1e6;
}

void TTimingReport::Write(const char *name, double ms)
{
    m_file.write(QByteArray(name) + ' ' + QByteArray::number(ms, 'f', 1) + '\n');
    m_file.flush();
}

bool TTimingReport::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_shownPending && watched == m_pageView()) {
        m_shownPending = true;
        qApp->removeEventFilter(this);
        // Runs once this paint is done and the window's contents flushed.
        QTimer::singleShot(0, this, [this] {
            m_shown = true;
            m_lastBusyMs = SinceStartMs();
            m_cpuAtLastBusyMs = CpuMs();
            Write("shown", m_lastBusyMs);
        });
    }
    return QObject::eventFilter(watched, event);
}

void TTimingReport::Tick()
{
    const double now = SinceStartMs();
    const double cpu = CpuMs();
    m_latenessMs = std::max(m_latenessMs, now - m_lastTickMs - TickMs);
    if (!m_shown || cpu - m_lastCpuMs > BusyCpuPerTickMs) {
        m_lastBusyMs = now;
        m_cpuAtLastBusyMs = cpu;
    }
    m_lastTickMs = now;
    m_lastCpuMs = cpu;
    if (now - m_lastBusyMs < QuietMs)
        return;
    m_ticks.stop();
    Write("idle", m_lastBusyMs);
    Write("cpu", m_cpuAtLastBusyMs);
    Write("lateness", m_latenessMs);
    deleteLater();
}
