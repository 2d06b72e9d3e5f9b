// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finding and replacing a text in files on disk, with the editor's rules: a
// file is read as the editor reads it (its encoding and line ends), counted
// and changed as the editor's replace-all would change it, and written back
// in the form the editor's save would give it, without an editor control.
// A changed file is written whole through the document writer, so that it
// is replaced only once the new content is safely on disk, and not at all
// when another program changed it since it was read.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// The option word of a file search. A dry run of a replacement counts and
// reports what it would change and writes nothing.
enum TExtendedSearchOption { esoBackups = 1, esoMatchCase = 2, esoDryRun = 4 };

// One row of the results: the file, the matches counted or replaced, and
// what happened to it when not all went well.
struct TExtendedSearchRow
{
    QString file;
    qsizetype count = 0;
    QString message;
    bool written = false; // the file was changed on disk
};

class TExtendedSearch
{
public:
    // Line breaks of the texts may be of any form; the editor holds CR LF.
    TExtendedSearch(const QString &find, const QString &replace, bool findOnly, int options, bool unixLineEnds);

    // What a file's bytes become: the count and, for a replacement that
    // changes the file, its new bytes.
    struct TChange
    {
        qsizetype count = 0;
        QByteArray bytes;
        bool unencodable = false; // Windows-1252 cannot hold the replacement
    };
    TChange Apply(const QByteArray &fileBytes) const;

    // What tells that another program changed a file: its size and time.
    struct TFileStamp
    {
        qint64 size = -1;
        qint64 time = 0;
        bool operator==(const TFileStamp &) const = default;
    };
    static TFileStamp StampOf(const QString &path);

    // A file read and counted or changed, not yet written back.
    struct TPrepared
    {
        TExtendedSearchRow row;
        QByteArray bytes; // as read
        TFileStamp stamp; // when read
        TChange change;
    };
    TPrepared Prepare(const QString &path) const;
    // Writes a changed file (and its backup) unless another program changed
    // it since it was read; the row says how it went.
    TExtendedSearchRow Commit(TPrepared prepared) const;
    // Both steps for one file.
    TExtendedSearchRow Process(const QString &path) const { return Commit(Prepare(path)); }

    // Processes the files on a few threads of their own, so that reading
    // and making writes durable overlap. The calling thread gets each row in
    // list order, and asks keepGoing now and then (at least every few
    // milliseconds) while it waits; once that says no, the files started
    // are finished and their rows given, and no other file is touched.
    void ProcessAll(const QStringList &files, const std::function<void(const TExtendedSearchRow &)> &row,
                    const std::function<bool()> &keepGoing) const;

    // A text with every line break as CR LF, as the editor holds it.
    static QString EditorLineBreaks(const QString &text);

    // The documents of a folder a search goes through: its files with one of
    // the HTML extensions, those of each extension in turn, and with
    // subfolders theirs after them.
    static QStringList FolderDocuments(const QString &folder, bool subfolders, const QStringList &htmlExtensions);

private:
    QByteArray m_find;
    QByteArray m_replace;
    bool m_findOnly;
    int m_options;
    bool m_unixLineEnds;
    // Both texts are ASCII without line breaks: the file's own bytes give the
    // same matches and the same result as the text the editor would hold.
    bool m_onFileBytes;
    bool m_replaceIn1252; // Windows-1252 can hold the replacement
};
