// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sends files to a server folder through libcurl on a thread of its own, so
// that the window goes on answering; the thread only moves bytes and reports
// through queued signals. Each file is reported once, whatever happens to the
// others. Over sftp and ftp a file goes up under a temporary name and is
// renamed over the old one only once it has arrived whole; missing folders
// are created. Certificates (ftps, https) and host keys (sftp, against the
// known-hosts file) are checked; an unknown host key is accepted only when
// the host-key question says so. Nothing on the local disk is changed.

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

class QThread;

struct TPublishItem
{
    QString LocalPath;
    QString RemotePath; // below the destination, "/" between folders; empty: not below the site root
};

struct TPublishJob
{
    QString Destination; // the address of the server folder
    QString UserName;    // empty: from the address or the netrc file
    QString Password;    // empty: from the netrc file
    QString NetrcFile;   // empty: ~/.netrc
    QString KnownHosts;  // empty: ~/.ssh/known_hosts
    QList<TPublishItem> Items;
};

enum class TPublishOutcome { Sent, Failed, Cancelled };

class TUploader : public QObject
{
    Q_OBJECT

public:
    // Asked on the window's thread: whether to accept and remember the
    // unknown host key with this fingerprint.
    using THostKeyQuestion = std::function<bool(const QString &host, const QString &fingerprint)>;

    explicit TUploader(QObject *parent = nullptr);
    // Cancels a run and waits for its thread.
    ~TUploader() override;

    // Starts sending the job's files in order; one run at a time.
    void Start(const TPublishJob &job);
    // The file being sent stops, and the files still waiting are reported
    // as cancelled.
    void Cancel();
    bool Running() const { return m_thread != nullptr; }
    // The default asks the user through the message service.
    void SetHostKeyQuestion(THostKeyQuestion question) { m_hostKeyQuestion = std::move(question); }

signals:
    // Bytes sent of all the job's files, counting the file being sent.
    void Progress(qint64 bytesSent, qint64 bytesTotal);
    // A file's outcome; error holds the reason of a failure, with the
    // server's own words where it gave some.
    void FileDone(int index, TPublishOutcome outcome, const QString &error);
    // The server refused the user name or the password.
    void LoginRefused();
    void Finished();

private:
    class TRun;
    bool AskHostKey(const QString &host, const QString &fingerprint);

    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancelled = false;
    THostKeyQuestion m_hostKeyQuestion;
};
