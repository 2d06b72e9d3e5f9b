// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A test server for publishing (publish_server.py) on a free loopback port,
// serving a folder of its own; it ends with the object, or with the test
// program should that die first.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class TPublishServer
{
public:
    // kind: "ftp", "sftp" or "dav"; user "user", password "secret".
    explicit TPublishServer(const QString &kind, const QStringList &options = {}) : m_kind(kind)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(PUBLISH_PYTHON),
                        QStringList{QStringLiteral("-W"), QStringLiteral("ignore"), QStringLiteral(PUBLISH_SERVER),
                                    kind, m_root.path()} +
                            options);
        while (!m_process.canReadLine() && m_process.waitForReadyRead(20000)) {
        }
        m_port = m_process.readLine().trimmed().toInt();
        EXPECT_NE(m_port, 0) << "the " << kind.toStdString() << " test server did not start";
    }
    ~TPublishServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // The address of a folder below the server's root.
    QString Url(const QString &folder = QStringLiteral("site/")) const
    {
        const QString scheme = m_kind == QLatin1String("dav") ? QStringLiteral("http") : m_kind;
        return QStringLiteral("%1://127.0.0.1:%2/%3").arg(scheme).arg(m_port).arg(folder);
    }
    // A path in the served folder.
    QString Local(const QString &path) const { return m_root.filePath(path); }
    // Every file below the served folder, relative to it, sorted.
    QStringList Files() const
    {
        QStringList files;
        ListBelow(QDir(m_root.path()), QString(), files);
        files.sort();
        return files;
    }

private:
    static void ListBelow(const QDir &root, const QString &folder, QStringList &files)
    {
        const QDir dir(root.filePath(folder));
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
            files.append(folder + name);
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
            ListBelow(root, folder + name + QLatin1Char('/'), files);
    }

    QString m_kind;
    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
};
