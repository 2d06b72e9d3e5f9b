// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoList.h"

#include <gtest/gtest.h>

TEST(UndoList, KeepsTheNewestTwoHundredRecords)
{
    TUndoList list;
    for (int i = 0; i < 201; ++i)
        list.Push({i, 1, QByteArray()});
    EXPECT_EQ(list.Count(), 200);
    EXPECT_EQ(list.TakeNewest().Position, 200);
    qsizetype oldest = -1;
    while (!list.IsEmpty())
        oldest = list.TakeNewest().Position;
    EXPECT_EQ(oldest, 1);
}
