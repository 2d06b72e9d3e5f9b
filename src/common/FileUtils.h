// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File and folder routines shared by the site tools, previews and dialogs:
// existence, temporary files, path forms, file times and file lists by
// wildcard masks.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// True when a file or folder of that name exists.
bool PathExists(const QString &path);

// Creates a new empty file whose name begins with the prefix, in the folder
// or, when the folder is empty, in the system's temporary folder, and returns
// its path; the file exists when this returns, so the name cannot be taken by
// anyone else. Empty text when the file cannot be made (e.g. no such folder).
QString MakeTempFileName(const QString &prefix, const QString &folder);

// This system has no short names: the path itself.
QString ShortPathOf(const QString &path);
// The absolute path with every link resolved and no trailing separator. When
// the path does not exist, its longest existing leading part is resolved and
// the rest is kept as written.
QString LongPathOf(const QString &path);

// A file time in local time as "Tuesday, December 8, 2026 1:05:09 PM": the
// long day and month names of the default locale and its long time of day
// without a time zone. Empty for an invalid time.
QString FormatFileTime(const QDateTime &time);
// A time of day in the locale's long form: hours, minutes and seconds.
QString LongTimeText(const QTime &time);

// The plain files of one folder (not its subfolders) that match the masks:
// wildcard patterns such as "*.htm|*.html", matched without case. Full paths,
// the files of each mask in turn, by name within a mask, each file once.
// Empty for an empty folder name and for a folder that cannot be read.
QStringList ListFilesByMasks(const QString &folder, const QString &masks);
// The same through the folder (the current one when empty) and all its
// subfolders, depth first: a folder's own files, then each subfolder in name
// order. Links to files are listed; a link to a folder is followed unless its
// target was visited already. Folders that cannot be read are skipped.
QStringList ListFilesByMasksRecursive(const QString &folder, const QString &masks);

// The bytes of a whole file; none when it cannot be read.
std::optional<QByteArray> ReadFileToText(const QString &path);
