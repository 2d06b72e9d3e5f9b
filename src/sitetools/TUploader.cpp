// SPDX-License-Identifier: GPL-3.0-or-later
#include "TUploader.h"

#include "MessageService.h"
#include "PublishTarget.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <QUrl>

#include <curl/curl.h>

#include <chrono>
#include <future>
#include <memory>

namespace {

// Failures that every further file would meet too: the rest are reported
// with the same reason instead of being tried.
bool EndsTheRun(CURLcode code)
{
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_USE_SSL_FAILED:
        return true;
    default:
        return false;
    }
}

struct TSlist
{
    curl_slist *list = nullptr;
    ~TSlist() { curl_slist_free_all(list); }
    void Append(const QString &line) { list = curl_slist_append(list, line.toUtf8().constData()); }
};

// A path in an sftp command, quoted as libcurl reads it.
QString SftpQuoted(const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The path an sftp command names for an address: "/~/" starts below the
// user's home folder.
QString SftpPath(const QUrl &url)
{
    const QString path = url.path(QUrl::FullyDecoded);
    return path.startsWith(QLatin1String("/~/")) ? path.mid(3) : path;
}

} // namespace

// One run on the worker thread, over one libcurl handle so that the
// connection is kept from file to file.
class TUploader::TRun
{
public:
    TRun(TUploader *owner, TPublishJob job) : m_owner(owner), m_job(std::move(job)), m_curl(curl_easy_init())
    {
        m_destination = QUrl(m_job.Destination.trimmed(), QUrl::StrictMode);
        m_protocol = ProtocolOf(m_destination);
        for (const TPublishItem &item : m_job.Items) {
            m_sizes.append(QFileInfo(item.LocalPath).size());
            m_total += m_sizes.last();
        }
    }
    ~TRun() { curl_easy_cleanup(m_curl); }

    void Execute()
    {
        m_sinceProgress.start();
        for (int i = 0; i < m_job.Items.size(); ++i) {
            TPublishOutcome outcome = TPublishOutcome::Failed;
            QString error;
            if (m_owner->m_cancelled)
                outcome = TPublishOutcome::Cancelled;
            else if (!m_runError.isEmpty())
                error = m_runError;
            else
                error = SendFile(m_job.Items[i], outcome);
            m_sentBefore += m_sizes[i];
            emit m_owner->Progress(m_sentBefore, m_total);
            emit m_owner->FileDone(i, outcome, error);
        }
    }

private:
    // The reason of a failure, empty when the file arrived.
    QString SendFile(const TPublishItem &item, TPublishOutcome &outcome)
    {
        if (item.RemotePath.isEmpty())
            return QStringLiteral("The file is not below the site root folder.");
        QFile file(item.LocalPath);
        if (!QFileInfo(item.LocalPath).isFile() || !file.open(QIODevice::ReadOnly))
            return QStringLiteral("The file could not be read: %1").arg(file.errorString());
        if (m_protocol == TPublishProtocol::WebDav) {
            const QString problem = MakeDavFolders(item.RemotePath);
            if (!problem.isEmpty())
                return problem;
        }
        const QUrl target = RemoteUrl(m_destination, item.RemotePath);
        const QString name = item.RemotePath.section(QLatin1Char('/'), -1);
        const QString folder = item.RemotePath.left(item.RemotePath.size() - name.size());
        const QUrl temporary = RemoteUrl(m_destination, folder + TemporaryName(name));
        TSlist after;
        switch (m_protocol) {
        case TPublishProtocol::Ftp:
            // The commands run in the file's folder.
            after.Append(QStringLiteral("RNFR ") + TemporaryName(name));
            after.Append(QStringLiteral("RNTO ") + name);
            break;
        case TPublishProtocol::Sftp:
            // A plain sftp rename does not replace a file: the old one goes
            // first, once the new one is there whole.
            after.Append(QStringLiteral("*rm ") + SftpQuoted(SftpPath(target)));
            after.Append(
                QStringLiteral("rename %1 %2").arg(SftpQuoted(SftpPath(temporary)), SftpQuoted(SftpPath(target))));
            break;
        case TPublishProtocol::WebDav:
            break;
        }
        Prepare(m_protocol == TPublishProtocol::WebDav ? target : temporary);
        m_file = &file;
        curl_easy_setopt(m_curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(m_curl, CURLOPT_READFUNCTION, &TRun::Read);
        curl_easy_setopt(m_curl, CURLOPT_READDATA, this);
        curl_easy_setopt(m_curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file.size()));
        curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, after.list);
        curl_easy_setopt(m_curl, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
        const CURLcode code = curl_easy_perform(m_curl);
        m_file = nullptr;
        const bool cancelled = code == CURLE_ABORTED_BY_CALLBACK && m_owner->m_cancelled;
        const QString problem = cancelled ? QString() : Problem(code);
        if (cancelled || !problem.isEmpty())
            RemovePartial(RemoteUrl(m_destination, folder), temporary);
        outcome = cancelled ? TPublishOutcome::Cancelled
                            : (problem.isEmpty() ? TPublishOutcome::Sent : TPublishOutcome::Failed);
        return problem;
    }

    // Removes what arrived of a file under its temporary name, as far as the
    // server still answers; Cancel does not stop this.
    void RemovePartial(const QUrl &folder, const QUrl &temporary)
    {
        if (m_protocol == TPublishProtocol::WebDav || !m_runError.isEmpty())
            return;
        TSlist remove;
        if (m_protocol == TPublishProtocol::Ftp)
            remove.Append(QStringLiteral("*DELE ") + temporary.fileName(QUrl::FullyDecoded));
        else
            remove.Append(QStringLiteral("*rm ") + SftpQuoted(SftpPath(temporary)));
        Prepare(folder);
        curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 1L);
        curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, remove.list);
        curl_easy_perform(m_curl);
    }

    // Creates the folders of the path on a WebDAV server, outer first, each
    // once a run; one that exists already is fine.
    QString MakeDavFolders(const QString &remotePath)
    {
        const QStringList names = remotePath.split(QLatin1Char('/'));
        QString folder;
        for (qsizetype i = 0; i + 1 < names.size(); ++i) {
            folder += names[i] + QLatin1Char('/');
            if (m_davFolders.contains(folder))
                continue;
            Prepare(RemoteUrl(m_destination, folder));
            curl_easy_setopt(m_curl, CURLOPT_CUSTOMREQUEST, "MKCOL");
            const CURLcode code = curl_easy_perform(m_curl);
            long status = 0;
            curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &status);
            const QString problem = code == CURLE_OK && status == 405 ? QString() : Problem(code); // 405: it exists
            if (!problem.isEmpty())
                return QStringLiteral("The folder %1 could not be created: %2").arg(folder, problem);
            m_davFolders.insert(folder);
        }
        return QString();
    }

    // The options every request has.
    void Prepare(const QUrl &url)
    {
        curl_easy_reset(m_curl);
        m_errorBuffer[0] = '\0';
        m_lastReply.clear();
        // The user name goes in the address: given by the option, it would
        // keep libcurl from taking the password from the netrc file.
        QUrl address = url;
        if (!m_job.UserName.isEmpty())
            address.setUserName(m_job.UserName, QUrl::DecodedMode);
        curl_easy_setopt(m_curl, CURLOPT_URL, address.toEncoded().constData());
        curl_easy_setopt(m_curl, CURLOPT_PROTOCOLS_STR, "sftp,ftp,ftps,http,https");
        curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
        curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, 30L);
        curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, 60L);
        curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, &TRun::Progress);
        curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, &TRun::Header);
        curl_easy_setopt(m_curl, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &TRun::Discard);
        curl_easy_setopt(m_curl, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
        if (!m_job.NetrcFile.isEmpty())
            curl_easy_setopt(m_curl, CURLOPT_NETRC_FILE, QFile::encodeName(m_job.NetrcFile).constData());
        if (!m_job.Password.isEmpty())
            curl_easy_setopt(m_curl, CURLOPT_PASSWORD, m_job.Password.toUtf8().constData());
        const QString knownHosts =
            m_job.KnownHosts.isEmpty() ? QDir::homePath() + QStringLiteral("/.ssh/known_hosts") : m_job.KnownHosts;
        curl_easy_setopt(m_curl, CURLOPT_SSH_KNOWNHOSTS, QFile::encodeName(knownHosts).constData());
        curl_easy_setopt(m_curl, CURLOPT_SSH_KEYFUNCTION, &TRun::HostKey);
        curl_easy_setopt(m_curl, CURLOPT_SSH_KEYDATA, this);
        // No waiting for a "100 Continue" that a server may never send.
        m_headers = TSlist();
        m_headers.Append(QStringLiteral("Expect:"));
        curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers.list);
    }

    // The reason of a failed request with the server's own words, empty when
    // it succeeded; a failure every further file would meet ends the run.
    QString Problem(CURLcode code)
    {
        long status = 0;
        curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &status);
        QString problem;
        if (code != CURLE_OK) {
            problem = m_hostKeyProblem.isEmpty()
                          ? QString::fromUtf8(m_errorBuffer[0] ? m_errorBuffer : curl_easy_strerror(code))
                          : m_hostKeyProblem;
            if (status >= 400 && !m_lastReply.isEmpty())
                problem += QStringLiteral(" (the server said: %1)").arg(m_lastReply);
        } else if (m_protocol == TPublishProtocol::WebDav && status >= 300) {
            problem = QStringLiteral("The server answered %1").arg(m_lastReply);
        }
        const bool loginRefused =
            code == CURLE_LOGIN_DENIED || (m_protocol == TPublishProtocol::WebDav && status == 401);
        if (loginRefused)
            emit m_owner->LoginRefused();
        if (!problem.isEmpty() && (loginRefused || EndsTheRun(code)))
            m_runError = problem;
        return problem;
    }

    static size_t Read(char *buffer, size_t size, size_t count, void *data)
    {
        auto *run = static_cast<TRun *>(data);
        const qint64 read = run->m_file->read(buffer, static_cast<qint64>(size * count));
        return read < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(read);
    }

    static size_t Discard(char *, size_t size, size_t count, void *) { return size * count; }

    // Keeps the server's last reply line: an FTP reply or an HTTP status line.
    static size_t Header(char *buffer, size_t size, size_t count, void *data)
    {
        auto *run = static_cast<TRun *>(data);
        const QString line = QString::fromUtf8(buffer, static_cast<qsizetype>(size * count)).trimmed();
        const bool ftp = run->m_protocol == TPublishProtocol::Ftp;
        if (!line.isEmpty() && (ftp || line.startsWith(QLatin1String("HTTP/"))))
            run->m_lastReply = line;
        return size * count;
    }

    static int Progress(void *data, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent)
    {
        auto *run = static_cast<TRun *>(data);
        if (run->m_owner->m_cancelled)
            return 1;
        if (run->m_file && run->m_sinceProgress.elapsed() >= 50) {
            run->m_sinceProgress.restart();
            emit run->m_owner->Progress(run->m_sentBefore + sent, run->m_total);
        }
        return 0;
    }

    static int HostKey(CURL *, const curl_khkey *, const curl_khkey *found, curl_khmatch match, void *data)
    {
        auto *run = static_cast<TRun *>(data);
        const QString host = run->m_destination.host();
        if (match == CURLKHMATCH_OK)
            return CURLKHSTAT_FINE;
        if (match == CURLKHMATCH_MISMATCH) {
            run->m_hostKeyProblem =
                QStringLiteral("The host key of %1 does not match the key the known hosts file holds for it; "
                               "nothing was sent.")
                    .arg(host);
            return CURLKHSTAT_REJECT;
        }
        const QByteArray key = found->len == 0 ? QByteArray::fromBase64(found->key)
                                               : QByteArray(found->key, static_cast<qsizetype>(found->len));
        const QString fingerprint =
            QStringLiteral("SHA256:") +
            QString::fromLatin1(
                QCryptographicHash::hash(key, QCryptographicHash::Sha256).toBase64(QByteArray::OmitTrailingEquals));
        // The question is the window's; this thread waits for its answer, or
        // for Cancel.
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> answered = answer->get_future();
        TUploader *owner = run->m_owner;
        QMetaObject::invokeMethod(
            owner, [owner, host, fingerprint, answer] { answer->set_value(owner->AskHostKey(host, fingerprint)); },
            Qt::QueuedConnection);
        while (answered.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            if (owner->m_cancelled)
                return CURLKHSTAT_REJECT;
        if (answered.get())
            return CURLKHSTAT_FINE_ADD_TO_FILE;
        run->m_hostKeyProblem = QStringLiteral("The host key of %1 was not accepted.").arg(host);
        return CURLKHSTAT_REJECT;
    }

    TUploader *m_owner;
    TPublishJob m_job;
    CURL *m_curl;
    QUrl m_destination;
    TPublishProtocol m_protocol;
    QList<qint64> m_sizes; // as the files were when the run started
    qint64 m_total = 0;
    qint64 m_sentBefore = 0; // of the files before the one being sent
    QFile *m_file = nullptr; // the file being sent
    QElapsedTimer m_sinceProgress;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
    QString m_lastReply;
    QString m_hostKeyProblem;
    QString m_runError;
    QSet<QString> m_davFolders;
    TSlist m_headers;
};

TUploader::TUploader(QObject *parent) : QObject(parent)
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(initialised);
    qRegisterMetaType<TPublishOutcome>();
    m_hostKeyQuestion = [](const QString &host, const QString &fingerprint) {
        return MessageDlg(QStringLiteral("The host key of %1 is not known yet. Its fingerprint is\n%2\n\nAccept the "
                                         "key and remember it in the known hosts file?")
                              .arg(host, fingerprint),
                          TMsgKind::Confirmation, TMsgButtons::YesNo) == TMsgResult::Yes;
    };
}

TUploader::~TUploader()
{
    Cancel();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void TUploader::Start(const TPublishJob &job)
{
    Q_ASSERT(!m_thread);
    m_cancelled = false;
    auto run = std::make_shared<TRun>(this, job);
    m_thread = QThread::create([run] { run->Execute(); });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit Finished();
    });
    m_thread->start();
}

void TUploader::Cancel()
{
    m_cancelled = true;
}

bool TUploader::AskHostKey(const QString &host, const QString &fingerprint)
{
    return !m_cancelled && m_hostKeyQuestion(host, fingerprint);
}
