// SPDX-License-Identifier: GPL-3.0-or-later
#include "LongRun.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

TEST(LongRun, CallsWaitForTheOutermostRunAndKeepTheirOrder)
{
    QObject context;
    QStringList calls;
    TLongRun::WhenIdle(&context, [&] { calls << QStringLiteral("idle"); });
    EXPECT_EQ(calls, QStringList{QStringLiteral("idle")});

    auto gone = std::make_unique<QObject>();
    {
        TLongRun outer;
        EXPECT_TRUE(TLongRun::Active());
        {
            TLongRun inner;
            TLongRun::WhenIdle(&context, [&] { calls << QStringLiteral("first"); });
            TLongRun::WhenIdle(gone.get(), [&] { calls << QStringLiteral("dropped"); });
        }
        TLongRun::WhenIdle(&context, [&] {
            calls << QStringLiteral("second");
            // A run inside a waiting call holds back what comes after it.
            TLongRun nested;
            TLongRun::WhenIdle(&context, [&] { calls << QStringLiteral("fourth"); });
        });
        TLongRun::WhenIdle(&context, [&] { calls << QStringLiteral("third"); });
        QCoreApplication::processEvents();
        EXPECT_EQ(calls.size(), 1);
    }
    gone.reset();
    EXPECT_FALSE(TLongRun::Active());
    // Not before control is back in the event loop.
    EXPECT_EQ(calls.size(), 1);
    // What waits keeps its place ahead of calls made meanwhile.
    TLongRun::WhenIdle(&context, [&] { calls << QStringLiteral("last"); });
    EXPECT_EQ(calls.size(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, (QStringList{QStringLiteral("idle"), QStringLiteral("first"), QStringLiteral("second"),
                                  QStringLiteral("third"), QStringLiteral("last"), QStringLiteral("fourth")}));
}
