// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The stored options of recovery copies and of reopening the last session,
// and the last session itself: the documents open at exit, each with its
// caret and the first line it showed, and the active one.

#include <QList>
#include <QString>

struct TRecoveryOptions
{
    bool Enabled = true;
    int DelaySeconds = 5; // after the last edit
    bool ReopenSession = false;
    bool operator==(const TRecoveryOptions &) const = default;
};

inline constexpr int MinRecoveryDelay = 1;
inline constexpr int MaxRecoveryDelay = 60;

TRecoveryOptions ReadRecoveryOptions();
void WriteRecoveryOptions(const TRecoveryOptions &options);

struct TSessionDocument
{
    QString fileName;
    qsizetype caret = 0;
    int firstLine = 0;
    bool operator==(const TSessionDocument &) const = default;
};

struct TSession
{
    QList<TSessionDocument> documents;
    int active = 0; // index into documents
    bool operator==(const TSession &) const = default;
};

TSession ReadSession();
void WriteSession(const TSession &session);
