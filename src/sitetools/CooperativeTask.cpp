// SPDX-License-Identifier: GPL-3.0-or-later
#include "CooperativeTask.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

#if defined(Q_OS_LINUX)
#include <ucontext.h>
#define VELICORT_TASK_STACKS 1
#endif

namespace {
TCooperativeTask *g_current = nullptr;
constexpr size_t StackSize = 512 * 1024;
} // namespace

#ifdef VELICORT_TASK_STACKS
struct TCooperativeTask::TContext
{
    ucontext_t task{};
    ucontext_t caller{};
    std::vector<char> stack;
};
#else
struct TCooperativeTask::TContext
{
};
#endif

TCooperativeTask::TCooperativeTask(std::function<void()> work)
    : m_work(std::move(work)), m_context(std::make_unique<TContext>())
{
#ifdef VELICORT_TASK_STACKS
    m_context->stack.resize(StackSize);
    getcontext(&m_context->task);
    m_context->task.uc_stack.ss_sp = m_context->stack.data();
    m_context->task.uc_stack.ss_size = m_context->stack.size();
    m_context->task.uc_link = &m_context->caller;
    const auto self = reinterpret_cast<std::uintptr_t>(this);
    makecontext(&m_context->task, reinterpret_cast<void (*)()>(&TCooperativeTask::Entry), 2,
                unsigned(std::uint64_t(self) >> 32), unsigned(self & 0xFFFFFFFFu));
#endif
}

TCooperativeTask::~TCooperativeTask()
{
    Q_ASSERT(m_finished);
}

bool TCooperativeTask::Supported()
{
#ifdef VELICORT_TASK_STACKS
    return true;
#else
    return false;
#endif
}

TCooperativeTask *TCooperativeTask::Current()
{
    return g_current;
}

void TCooperativeTask::Entry(unsigned high, unsigned low)
{
    auto *task = reinterpret_cast<TCooperativeTask *>((std::uintptr_t(std::uint64_t(high) << 32)) | low);
    task->m_work();
    task->m_finished = true;
    // Returning continues at uc_link, the caller of Resume.
}

void TCooperativeTask::Resume()
{
    if (m_finished)
        return;
#ifdef VELICORT_TASK_STACKS
    TCooperativeTask *outer = g_current;
    g_current = this;
    swapcontext(&m_context->caller, &m_context->task);
    g_current = outer;
#else
    m_work();
    m_finished = true;
#endif
}

void TCooperativeTask::Yield()
{
#ifdef VELICORT_TASK_STACKS
    TCooperativeTask *task = g_current;
    Q_ASSERT(task);
    swapcontext(&task->m_context->task, &task->m_context->caller);
#endif
}
