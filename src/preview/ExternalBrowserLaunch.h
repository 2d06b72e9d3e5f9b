// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Showing a document outside the editor: temporary copies of its text for
// previews that must not touch its file, and starting a browser program on a
// file.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The temporary copies made for previews: "~vc" files with the extension
// ".htm" beside the document, so that its relative links and images work.
// They are deleted on the next page switch or preview, and at the latest
// when the list goes.
class TTempCopies
{
public:
    TTempCopies() = default;
    ~TTempCopies() { DeleteAll(); }
    TTempCopies(const TTempCopies &) = delete;
    TTempCopies &operator=(const TTempCopies &) = delete;

    // A new unique copy of the bytes in the folder; empty when it could not
    // be written. Never replaces an existing file.
    QString Make(const QString &folder, const QByteArray &bytes);
    // Deletes every copy that can be deleted; the others are tried again
    // next time.
    void DeleteAll();
    QStringList Paths() const { return m_paths; }

private:
    QStringList m_paths;
};

// Starts the browser program at location on a file, handing the file's
// absolute path over as one argument: blanks and quotes in it stay part of
// the name, and no file name can pass for an option. False when the program
// could not be started.
bool StartExternalBrowser(const QString &location, const QString &path);
