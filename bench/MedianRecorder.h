// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Google Benchmark's console output, plus the median of each benchmark and of
// each of its counters kept for the summary table that follows the runs.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class TMedianRecorder : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // The median of a benchmark in milliseconds, by its registered name.
    std::optional<double> MedianMs(const std::string &name) const;
    // The median over the repetitions of one of a benchmark's counters.
    std::optional<double> MedianCounter(const std::string &name, const std::string &counter) const;

private:
    std::map<std::string, double> m_medians;
    std::map<std::string, benchmark::UserCounters> m_counters;
};
