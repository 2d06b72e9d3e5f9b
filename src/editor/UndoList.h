// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor's own undo list: each record says how to put one edit back.
// Undoing a record selects Length bytes at Position and replaces them by Text.

#include <QByteArray>

#include <deque>

struct TUndoInformation
{
    qsizetype Position = 0;
    qsizetype Length = 0;
    QByteArray Text;
};

class TUndoList
{
public:
    // The list keeps only this many of the newest records.
    static constexpr qsizetype MaxRecords = 200;

    void Push(TUndoInformation record);
    bool IsEmpty() const { return m_records.empty(); }
    qsizetype Count() const { return qsizetype(m_records.size()); }
    TUndoInformation &Newest() { return m_records.back(); }
    TUndoInformation TakeNewest();
    void Clear() { m_records.clear(); }

private:
    std::deque<TUndoInformation> m_records;
};
