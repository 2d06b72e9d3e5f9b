// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file reading and writing. Writing never truncates the old file before
// the new content is safely on disk: a full disk or a crash leaves either the
// old file or the new one, never a mixture. What a crash leaves besides is a
// temporary file, which the next write into that folder, or a listing of it,
// removes.

#include <QByteArray>
#include <QString>

// The outcome of a file operation: 0 on success, else the system's error code.
struct TFileResult
{
    int code = 0;
    bool sharingViolation = false; // the file is busy in another program
    bool readOnly = false;         // the file is read-only (see IsReadOnlyFile)
    bool ok() const { return code == 0; }
};

// The largest file read whole; larger ones are refused (EFBIG), never cut.
inline constexpr qint64 MaxWholeFileBytes = qint64(1) << 30;

TFileResult ReadWholeFile(const QString &path, QByteArray &bytes);

// Writes a whole file through a temporary file in the same folder that then
// replaces the original, keeping its permissions. A read-only file is never
// replaced, whoever asks.
TFileResult WriteWholeFile(const QString &path, const QByteArray &bytes);

// True when the file exists and may not be written: the read-only attribute
// of other systems is a file without write permission for its owner.
bool IsReadOnlyFile(const QString &path);
// "Unable to save - file ... is read-only."
QString ReadOnlyFileMessage(const QString &path);

// Whether a file name is that of a temporary file WriteWholeFile writes
// (".~vc-" and six letters or digits). Lists of files never show them.
bool IsWriteTemporaryName(QStringView name);
// Removes a temporary file of that name unless a write still holds it: a
// running write keeps its temporary file locked. True when it was removed.
bool RemoveStaleTemporaryFile(const QString &path);
// The same for every such file in a folder.
void RemoveStaleTemporaryFiles(const QString &folder);
// The same for several folders, away from the calling thread.
void RemoveStaleTemporaryFilesLater(const QStringList &folders);
