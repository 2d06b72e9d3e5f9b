// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file reading and writing. Writing never truncates the old file before
// the new content is safely on disk: a full disk or a crash leaves either the
// old file or the new one, never a mixture.

#include <QByteArray>
#include <QString>

// The outcome of a file operation: 0 on success, else the system's error code.
struct TFileResult
{
    int code = 0;
    bool sharingViolation = false; // the file is busy in another program
    bool ok() const { return code == 0; }
};

// The largest file read whole; larger ones are refused (EFBIG), never cut.
inline constexpr qint64 MaxWholeFileBytes = qint64(1) << 30;

TFileResult ReadWholeFile(const QString &path, QByteArray &bytes);

// Writes a whole file through a temporary file in the same folder that then
// replaces the original, keeping its permissions.
TFileResult WriteWholeFile(const QString &path, const QByteArray &bytes);
