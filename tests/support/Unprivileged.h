// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes the permission bits count for as long as it lives, also when the
// tests run as root: file access is then checked as the user "nobody".
// Changing the file-system user id away from 0 drops the capabilities that
// let root read and search anything; setting it back restores them. Files
// the test reads meanwhile must be readable by others (see MakeWorldReadable).

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sys/fsuid.h>
#include <unistd.h>

class TUnprivileged
{
public:
    TUnprivileged()
    {
        if (::geteuid() == 0)
            m_old = ::setfsuid(NobodyId);
    }
    ~TUnprivileged()
    {
        if (m_old >= 0)
            ::setfsuid(uid_t(m_old));
    }
    TUnprivileged(const TUnprivileged &) = delete;
    TUnprivileged &operator=(const TUnprivileged &) = delete;

    // Opens a tree to everyone: folders 0755, files 0644. A temporary folder
    // is made 0700, which would hide everything in it from "nobody".
    static void MakeWorldReadable(const QString &folder)
    {
        const QFile::Permissions files = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions folders = files | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QFile::setPermissions(folder, folders);
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            if (!info.isSymLink())
                QFile::setPermissions(info.filePath(), info.isDir() ? folders : files);
        }
    }

private:
    static constexpr uid_t NobodyId = 65534;
    int m_old = -1;
};
