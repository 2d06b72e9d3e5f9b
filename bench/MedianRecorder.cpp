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
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
            m_medians[run.run_name.function_name] = ToMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
    }
}

std::optional<double> TMedianRecorder::MedianMs(const std::string &name) const
{
    const auto it = m_medians.find(name);
    if (it == m_medians.end())
        return std::nullopt;
    return it->second;
}
