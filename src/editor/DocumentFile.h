// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The form of a document's text: held as the bytes of its file with every
// line break as CR LF, remembering the line-end form and the encoding its file
// had, so that a file saved unedited is written back byte for byte.

#include "FileIO.h"

#include <QByteArray>
#include <QString>

enum class TLineEnds { CrLf, Lf };

// The line-end form new documents take on this system.
TLineEnds SystemLineEnds();

struct TDocumentText
{
    QByteArray bytes; // line breaks as CR LF
    TLineEnds lineEnds = TLineEnds::CrLf;
    bool utf8 = true; // shown as UTF-8; otherwise as a single-byte code page
};

// The editor's form of a file's bytes: lone line feeds become CR LF.
TDocumentText DocumentTextFromFile(const QByteArray &fileBytes);

// The bytes to write for text held with CR LF line breaks.
QByteArray FileBytesFromDocument(const char *data, qsizetype length, TLineEnds lineEnds);

// The writer that saving goes through; tests replace it to play a file that
// another program holds. Returns the writer it replaces.
using TDocumentFileWriter = TFileResult (*)(const QString &path, const QByteArray &bytes);
TDocumentFileWriter SetDocumentFileWriter(TDocumentFileWriter writer);
TFileResult SaveDocumentFile(const QString &path, const QByteArray &bytes);

// True when the file exists and may not be written: the read-only attribute
// of other systems is a file without write permission for its owner.
bool IsReadOnlyFile(const QString &path);
