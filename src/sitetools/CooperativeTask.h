// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A piece of work that runs on the user-interface thread on a call stack of
// its own, so that several can wait at once without threads and without
// nesting event loops: where the work waits (TagSocket's steps) it yields,
// and the loop that resumes the tasks lets events run between the turns.
// Where the system offers no separate stacks, Resume runs the work through
// to its end, and its waits let events run themselves.

#include <functional>
#include <memory>

class TCooperativeTask
{
public:
    explicit TCooperativeTask(std::function<void()> work);
    // Only a finished task may be destroyed: its stack holds the work's frames.
    ~TCooperativeTask();
    TCooperativeTask(const TCooperativeTask &) = delete;
    TCooperativeTask &operator=(const TCooperativeTask &) = delete;

    // Runs the work until it yields or ends.
    void Resume();
    bool Finished() const { return m_finished; }

    // The task whose work is running, or null outside any.
    static TCooperativeTask *Current();
    // From inside the work: back to the caller of Resume.
    static void Yield();
    static bool Supported();

private:
    struct TContext;
    static void Entry(unsigned high, unsigned low);

    std::function<void()> m_work;
    std::unique_ptr<TContext> m_context;
    bool m_finished = false;
};
