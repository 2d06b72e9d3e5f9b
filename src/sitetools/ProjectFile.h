// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Project files: a named, flat list of documents kept in an INI file of its
// own (".vcp") in the project folder.
//
//   [Project]
//   ProjectName=<the file's name without folder and extension>
//   Version=2.5
//   [FileList]
//   File1=<full path>
//   ...
//
// Only [FileList] is read back.

#include <QString>
#include <QStringList>

#include <optional>

inline const QString ProjectFileExtension = QStringLiteral(".vcp");

// The project folder, always ending in "/": the stored ProjectDir, or a
// "Projects" folder in the per-user data folder when none is stored, made
// when missing (a stored folder that is missing is the user's to mend).
QString ProjectFolder();
// The project file of that name in the project folder.
QString ProjectFilePath(const QString &name);
// The project's name: its file name without folder and extension.
QString ProjectName(const QString &path);

// The project opened last, until all documents are closed; empty when none.
QString CurrentProjectPath();
void SetCurrentProjectPath(const QString &path);

// The colour-coding level chosen for opening projects: 0 none, 1 minimal,
// 2 full; anything else reads as 2.
int ReadProjectColorCoding();
void WriteProjectColorCoding(int level);

// Sorts paths as a project read from disk lists them: without regard to case.
void SortProjectFiles(QStringList &files);

// The files of a project, File1, File2, ... up to the first missing or empty
// key; nothing when the file does not exist.
std::optional<QStringList> ReadProjectFile(const QString &path, bool sorted);

// Writes a project, keeping the file it replaces as path + ".bak". The new
// file is written whole and then replaces the old one, so a failure leaves
// the old project as it was. Reports a failed backup (and goes on) and a
// missing folder (and fails); other failures return false silently.
bool WriteProjectFile(const QString &path, const QStringList &files);
