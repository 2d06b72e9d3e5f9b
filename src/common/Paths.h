// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program's files live, and the path rules shared by every module:
// file paths use the native separator, web references always use "/".

#include <QString>
#include <Qt>

// The folder of the shipped read-only data: "data" beside the executable in a
// build tree, "../share/velicort" in an installed tree.
QString DataFolder();
// A shipped data file by name.
QString DataFilePath(const QString &name);

// True when the path is absolute on this system (a leading "/", or a drive
// letter on Windows): what a Windows rule calls a local path with a drive.
bool IsAbsoluteFilePath(const QString &path);
// A file path written with the native separator.
QString ToNativePath(const QString &path);
// A web reference written with "/" only.
QString ToWebPath(const QString &path);

// How this system's file system compares names: with case here, without it
// on Windows.
Qt::CaseSensitivity FilePathCaseSensitivity();
// Whether two paths name the same file as the file system compares names:
// "Index.html" and "index.html" are two files here, one on Windows.
bool SameFilePath(const QString &a, const QString &b);
