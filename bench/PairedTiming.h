// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Timing a piece of work beside its baseline in the same loop.

#include <benchmark/benchmark.h>

#include <chrono>

template <typename Work> double SecondsOf(Work &&work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times `work` and, right before it in the same iteration, its `baseline`,
// so that both meet the same moment of a shared, noisy machine; `after`
// puts things back untimed. The iteration time is the work's; the counters
// keep the baseline's time and the ratio, whose median over the repetitions
// (one iteration each) is the figure held to a target.
template <typename Baseline, typename Work, typename After>
void TimePaired(benchmark::State &state, Baseline &&baseline, Work &&work, After &&after)
{
    for (auto _ : state) {
        const double base = SecondsOf(baseline);
        const double seconds = SecondsOf(work);
        state.SetIterationTime(seconds);
        state.counters["baseline_ms"] = base * 1e3;
        state.counters["ratio"] = seconds / base;
        after();
    }
}
