// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project the projects dialog edits: its file, its list of files and
// whether the list changed since it was read or written.

#include <QString>
#include <QStringList>

class TProject
{
public:
    // The project file; empty for a new project that was never saved.
    QString Path() const { return m_path; }
    // The project's name, or "[Untitled]" for a new project.
    QString Name() const;
    // "Projects - " and the name.
    QString Caption() const;
    const QStringList &Files() const { return m_files; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // Takes the project of that file, its list read sorted (empty when the
    // file is missing).
    void Load(const QString &path);
    // A new project of that file with no files.
    void Reset(const QString &path);

    // Adds the chosen files in turn: a path already listed (without regard
    // to case) is skipped and reported once at the end, one that is not an
    // HTML document is refused with a message. Sets the modified flag.
    void AddFiles(const QStringList &chosen, const QStringList &htmlExtensions);
    // Drops the listed paths and sets the modified flag.
    void RemoveFiles(const QStringList &paths);

    // Asks whether to save changes before the project is left; true when
    // the caller may go on.
    bool SavePrompt();
    // Writes the list to a project file; clears the modified flag.
    bool SaveTo(const QString &path);

private:
    QString m_path;
    QStringList m_files;
    bool m_modified = false;
    bool m_sorted = false; // read from disk: files added later keep the order
};
