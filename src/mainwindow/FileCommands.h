// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the file browser pane does to files and folders on the disk: copies
// beside a file, moves into another folder, renames, the checks before a
// delete and new folders. Each failure is shown through the message service,
// and a command on several files goes on with the next one.

#include <QString>
#include <QStringList>

// The filter box's entries.
enum TFileFilter { ffWebDocuments, ffWebImages, ffAllWebFiles, ffAllFiles };

// The masks the file list uses for a filter, "|" between them.
QString FileListMasks(int filter, const QStringList &htmlExtensions);

// The first free name for a copy of the file in its own folder: "Copy of
// a.htm", then "Copy (2) of a.htm", "Copy (3) of a.htm", ...
QString CopyTargetPath(const QString &path);
// Copies each file beside itself under its copy name, never over another
// file. "Unable to copy document." for each that fails.
void CopyFilesBeside(const QStringList &paths);
// Moves each file into the folder under its own name, never over another
// file. "Error moving file "path"" for each that fails.
void MoveFilesTo(const QStringList &paths, const QString &folder);
// Gives the file a new name in its folder. The new path; empty after an
// error ("Drive not ready.", "Invalid filename.", "A file with this name
// already exists.", "Unable to rename file (#n).").
QString RenameFileTo(const QString &path, const QString &newName);
// True when every path names an existing file without "*" in it; otherwise
// says which one is wrong, and nothing may be deleted.
bool MayDeleteFiles(const QStringList &paths);
// Creates the folder, relative to parent when the path is not absolute.
// False after showing why: "Invalid path.", "Invalid directory name.",
// "This directory already exists." or "Unable to create directory (#n).".
bool CreateFolder(const QString &parent, const QString &path);
