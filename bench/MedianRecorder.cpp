// SPDX-License-Identifier: GPL-3.0-or-later
#include "MedianRecorder.h"

namespace {

double ToMilliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

} // namespace

void TMedianRecorder::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred) {
            m_medians[run.run_name.function_name] = ToMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
            m_counters[run.run_name.function_name] = run.counters;
        }
    }
}

std::optional<double> TMedianRecorder::MedianMs(const std::string &name) const
{
    const auto it = m_medians.find(name);
    if (it == m_medians.end())
        return std::nullopt;
    return it->second;
}

std::optional<double> TMedianRecorder::MedianCounter(const std::string &name, const std::string &counter) const
{
    const auto it = m_counters.find(name);
    if (it == m_counters.end())
        return std::nullopt;
    const auto found = it->second.find(counter);
    if (found == it->second.end())
        return std::nullopt;
    return found->second.value;
}
