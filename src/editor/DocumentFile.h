// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The form of a document's text: held as UTF-8 with every line break as CR LF,
// remembering the line-end form and the encoding its file had, so that a file
// saved unedited is written back byte for byte.

#include "FileIO.h"
#include "TextEncoding.h"

#include <QByteArray>
#include <QString>

// A file with both forms is held with its line breaks as they are and written
// back so. LfOnly is a form to save in, never one a file is read as: every
// line break the editor shows (CR LF, a lone CR, LF) becomes one LF.
enum class TLineEnds { CrLf, Lf, Mixed, LfOnly };

// The line-end form new documents take on this system.
TLineEnds SystemLineEnds();

struct TDocumentText
{
    // UTF-8 (a UTF-8 file's stray bytes kept as they are), line breaks as
    // CR LF unless the file mixed both forms.
    QByteArray bytes;
    TLineEnds lineEnds = TLineEnds::CrLf;
    TDetectedEncoding encoding;
};

// The editor's form of a file's bytes: decoded, lone line feeds made CR LF.
TDocumentText DocumentTextFromFile(const QByteArray &fileBytes);

// Every lone line feed made CR LF.
QByteArray CrLfLineBreaks(const QByteArray &bytes);

// The text held with CR LF line breaks, with its line breaks in a form; held
// text of the mixed form is taken as it is.
QByteArray FileBytesFromDocument(const char *data, qsizetype length, TLineEnds lineEnds);

// The writer that saving goes through; tests replace it to play a file that
// another program holds. Returns the writer it replaces.
using TDocumentFileWriter = TFileResult (*)(const QString &path, const QByteArray &bytes);
TDocumentFileWriter SetDocumentFileWriter(TDocumentFileWriter writer);
TFileResult SaveDocumentFile(const QString &path, const QByteArray &bytes);
