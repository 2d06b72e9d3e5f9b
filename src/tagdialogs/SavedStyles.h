// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The saved styles: named style records in the order of the file
// "styles.dat" in the per-user data folder, names compared without case.
// Read once at start-up and written whole after every change.

#include "StyleObject.h"

#include <QStringList>

#include <vector>

class TSavedStyles
{
public:
    // What a write ended in: a backup copy that failed does not stop it.
    struct TWriteResult
    {
        bool backedUp = true;
        bool written = true;
    };

    // The styles of a file; a missing or unreadable file gives none.
    explicit TSavedStyles(const QString &path);

    // "styles.dat" in the per-user data folder.
    static QString DefaultPath();

    const std::vector<TStyleObject> &Styles() const { return m_styles; }
    // The names sorted without case, as the lists show them.
    QStringList SortedNames() const;
    // The style of that name in any case; none when there is none.
    const TStyleObject *Find(const QString &name) const;

    // Removes a style of the same name in any case and adds this one last.
    void Put(const TStyleObject &style);
    void Remove(const QString &name);

    // Copies the file to "styles.dat.bak", then writes every record in
    // order.
    TWriteResult Write() const;

private:
    QString m_path;
    std::vector<TStyleObject> m_styles;
};
