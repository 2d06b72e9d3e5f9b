// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading and writing document files. A document is held as the bytes of its
// file with every line break as CR LF; it remembers the line-end form and the
// encoding its file had, so that a file saved unedited is written back byte
// for byte. Writing never truncates the old file before the new content is
// safely on disk.

#include <QByteArray>
#include <QString>

enum class TLineEnds { CrLf, Lf };

// The line-end form new documents take on this system.
TLineEnds SystemLineEnds();

struct TDocumentText
{
    QByteArray bytes;         // line breaks as CR LF
    TLineEnds lineEnds = TLineEnds::CrLf;
    bool utf8 = true;         // shown as UTF-8; otherwise as a single-byte code page
};

// The largest file the editor takes; larger ones are refused, never cut.
inline constexpr qint64 MaxDocumentBytes = qint64(1) << 30;

// The editor's form of a file's bytes: lone line feeds become CR LF.
TDocumentText DocumentTextFromFile(const QByteArray &fileBytes);

// The bytes to write for text held with CR LF line breaks.
QByteArray FileBytesFromDocument(const char *data, qsizetype length, TLineEnds lineEnds);

// The outcome of a file operation: 0 on success, else the system's error code.
struct TFileResult
{
    int code = 0;
    bool sharingViolation = false; // the file is busy in another program
    bool ok() const { return code == 0; }
};

// Reads a whole file.
TFileResult ReadDocumentFile(const QString &path, QByteArray &bytes);

// Writes a whole file through a temporary file in the same folder that then
// replaces the original, keeping its permissions.
TFileResult WriteDocumentFile(const QString &path, const QByteArray &bytes);

// The writer that saving goes through; tests replace it to play a file that
// another program holds. Returns the writer it replaces.
using TDocumentFileWriter = TFileResult (*)(const QString &path, const QByteArray &bytes);
TDocumentFileWriter SetDocumentFileWriter(TDocumentFileWriter writer);
TFileResult SaveDocumentFile(const QString &path, const QByteArray &bytes);

// True when the file exists and may not be written: the read-only attribute
// of other systems is a file without write permission for its owner.
bool IsReadOnlyFile(const QString &path);
