// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The weight of a document: its own size and the sizes of the local images
// it uses, with the download time that makes at three modem speeds; and the
// title of a document. Only local files are read.

#include <QList>
#include <QString>

// Seconds per kilobyte at 28.8 (3.2 KB per second); 14.4 takes twice as
// long, 57.6 half as long.
inline constexpr double SecondsPerKBAt288 = 0.3125;

// A size in kilobytes (bytes / 1024) with two decimals and " KB", the
// decimal separator the locale's.
QString FormatKB(qint64 bytes);
// Seconds with one decimal and " seconds".
QString FormatSeconds(double seconds);

struct TDependencyWeight
{
    QString path; // full path of the image file
    bool found = false;
    qint64 size = 0; // 0 when not found
    // The size in KB, or "File not found".
    QString SizeText() const;
};

struct TDocumentWeight
{
    bool documentFound = false; // else its box shows "Err"
    qint64 documentSize = 0;
    qint64 dependencySum = 0;
    QList<TDependencyWeight> dependencies; // largest first

    qint64 Total() const { return documentSize + dependencySum; }
    // The download time at 28.8; 14.4 is twice it, 57.6 half of it.
    double SecondsAt288() const { return Total() / 1024.0 * SecondsPerKBAt288; }
};

// Weighs the document and its local image sources (remote ones, those with
// "://", are left out; each source once, letter case aside), the
// dependencies sorted by size, largest first.
TDocumentWeight ComputeDocumentWeight(const QString &path);

// The text between <TITLE...> and </TITLE>, at most 255 characters, line
// breaks and tabs as blanks, trimmed; "[Untitled]" without a title, "Err"
// when the file cannot be read.
QString DocumentTitle(const QString &path);
