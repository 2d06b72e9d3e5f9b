// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Recovery copies of unsaved documents. Each running program keeps its copies
// in a folder of its own under the profile's recovery folder, holding a lock
// file there for as long as it runs; a folder whose lock no running program
// holds was left behind by a crash, and its copies are offered back at the
// next start. A copy is one file: a line of JSON with what the document was
// (file name, encoding, line-end form, caret, web address, the file's time)
// and after it the document's text as the editor held it.

#include "DocumentFile.h"
#include "FileIO.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;

struct TRecoveryCopy
{
    QString fileName; // empty for an untitled document
    TDetectedEncoding encoding;
    TLineEnds lineEnds = TLineEnds::CrLf;
    qsizetype caret = 0;
    QString webAddress;  // the page an untitled document was fetched from
    qint64 fileTime = 0; // the file's modification time when loaded or saved
    QDateTime copied;    // when the copy was taken
    QByteArray text;     // as the editor holds it: UTF-8, CR LF line breaks
};

QByteArray RecoveryCopyBytes(const TRecoveryCopy &copy);
// None for bytes that are not a copy (a torn or foreign file).
std::optional<TRecoveryCopy> ParseRecoveryCopy(const QByteArray &bytes);

// The recovery folder of this user and profile: "Recovery" in the per-user
// data folder, or with the default profile's settings file replaced by
// another (VELICORT_SETTINGS), "Recovery-" and a hash of that file's path.
QString RecoveryFolder();

// The copies of this running program.
class TRecoveryStore
{
public:
    // Nothing is made on disk until Open.
    explicit TRecoveryStore(const QString &root);
    ~TRecoveryStore();
    TRecoveryStore(const TRecoveryStore &) = delete;
    TRecoveryStore &operator=(const TRecoveryStore &) = delete;

    // Makes this program's folder and takes its lock; false when the folder
    // cannot be made or locked. Again after Close: a folder of its own.
    bool Open();
    bool IsOpen() const { return m_lock != nullptr; }
    QString Folder() const { return m_folder; }
    // Writes a copy atomically under a name; safe from any one thread at a
    // time.
    TFileResult Write(const QString &name, const TRecoveryCopy &copy) const;
    void Remove(const QString &name) const;
    // Removes every copy, the lock and the folder: the program ends cleanly.
    void Close();

private:
    QString m_root;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};

// A copy left behind by a program that no longer runs.
struct TLeftCopy
{
    QString path;
    TRecoveryCopy copy;
    // The file on disk changed (or went) since the copy's document was
    // loaded or saved; never for an untitled document.
    bool changedOnDisk = false;
};

// The copies in the folders of the root that no running program holds,
// oldest first; folders left without copies are removed.
QList<TLeftCopy> LeftBehindCopies(const QString &root);
// Removes a left copy, and its folder once no copy is left in it.
void DiscardLeftCopy(const QString &path);

// The words the recovery window shows for a copy's file on disk.
QString DiskStateText(const TLeftCopy &left);
