// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoList.h"

void TUndoList::Push(TUndoInformation record)
{
    m_records.push_back(std::move(record));
    if (Count() > MaxRecords)
        m_records.pop_front();
}

TUndoInformation TUndoList::TakeNewest()
{
    TUndoInformation record = std::move(m_records.back());
    m_records.pop_back();
    return record;
}
