// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimingReport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

namespace {

const char *const ReportVariable = "VELICORT_BENCH_REPORT";

using TLines = std::vector<std::pair<QByteArray, double>>;

TLines ReadReport(const QString &path)
{
    QFile file(path);
    TLines lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            lines.emplace_back(parts[0], parts[1].toDouble());
    }
    return lines;
}

bool WaitForLine(const QString &path, const QByteArray &name)
{
    return QTest::qWaitFor(
        [&] {
            const TLines lines = ReadReport(path);
            return std::any_of(lines.begin(), lines.end(), [&](const auto &line) { return line.first == name; });
        },
        10000);
}

double Value(const TLines &lines, const QByteArray &name)
{
    for (const auto &[key, value] : lines)
        if (key == name)
            return value;
    return -1;
}

// Keeps the main thread busy for `ms` of CPU time.
void Work(double ms)
{
    const std::clock_t end = std::clock() + std::clock_t(ms * CLOCKS_PER_SEC / 1000);
    while (std::clock() < end) {
    }
}

class TimingReportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        qputenv(ReportVariable, path.toLocal8Bit());
    }
    void TearDown() override { qunsetenv(ReportVariable); }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report"));
    QWidget window;
};

TEST_F(TimingReportTest, DoesNothingWithoutTheVariable)
{
    qunsetenv(ReportVariable);
    int asked = 0;
    TTimingReport::StartIfAsked([&]() -> QWidget * {
        ++asked;
        return &window;
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(TimingReportTest, ReportsThePaintAfterThePageIsInThenIdle)
{
    QElapsedTimer clock;
    clock.start();
    bool loaded = false;
    TTimingReport::StartIfAsked([&] { return loaded ? &window : nullptr; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_TRUE(ReadReport(path).empty()); // painted, but without the page

    loaded = true;
    const double loadedAfter = double(clock.nsecsElapsed()) / 1e6;
    window.update();
    ASSERT_TRUE(WaitForLine(path, "lateness"));
    const TLines lines = ReadReport(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].first, "shown");
    EXPECT_EQ(lines[1].first, "idle");
    EXPECT_EQ(lines[2].first, "cpu");
    EXPECT_EQ(lines[3].first, "lateness");
    // Since the process started, which was before this test did.
    EXPECT_GE(Value(lines, "shown"), loadedAfter);
    EXPECT_GE(Value(lines, "idle"), Value(lines, "shown"));
    EXPECT_GT(Value(lines, "cpu"), 0);
    EXPECT_GE(Value(lines, "lateness"), 0);
}

TEST_F(TimingReportTest, IdleWaitsForTheWorkAfterThePaintAndCountsItAsLateness)
{
    TTimingReport::StartIfAsked([&] { return &window; });
    window.show();
    ASSERT_TRUE(WaitForLine(path, "shown"));
    const double cpuBefore = double(std::clock()) * 1000 / CLOCKS_PER_SEC;
    Work(150);
    ASSERT_TRUE(WaitForLine(path, "lateness"));
    const TLines lines = ReadReport(path);
    // The tick after the work is the last one that saw CPU in use.
    EXPECT_GE(Value(lines, "idle") - Value(lines, "shown"), 140);
    EXPECT_GE(Value(lines, "cpu"), cpuBefore + 150);
    EXPECT_GE(Value(lines, "lateness"), 140);
}

} // namespace
