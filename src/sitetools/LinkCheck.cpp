// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkCheck.h"

#include "CooperativeTask.h"
#include "FileIO.h"
#include "MessageService.h"
#include "Paths.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TagHTTP.h"
#include "TagText.h"
#include "TextEncoding.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

#include <deque>
#include <list>

namespace {

// The status code of a status line ("HTTP/1.1 404 Not Found"), 0 when the
// line has none.
int StatusCode(const QString &statusLine)
{
    static const QRegularExpression form(QStringLiteral("^HTTP/\\d+(\\.\\d+)? (\\d{3})(\\s|$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(statusLine);
    return match.hasMatch() ? match.captured(2).toInt() : 0;
}

const QString Get = QStringLiteral("GET");
const QString Head = QStringLiteral("HEAD");

// A stored number, its default for text that is no number.
int StoredNumber(const QString &key, const QString &name, int defaultValue)
{
    bool isNumber = false;
    const int value = ReadRegValue(key, name, defaultValue).toInt(&isNumber);
    return isNumber ? value : defaultValue;
}

} // namespace

TLinkCheckSettings TLinkCheckSettings::Stored()
{
    const TLinkCheckSettings defaults;
    TLinkCheckSettings stored;
    stored.timeOut = StoredNumber(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::Timeout, defaults.timeOut);
    stored.port = quint16(StoredNumber(RegistryKeys::Velicort, LinkVerifyKeys::Port, defaults.port));
    stored.parallel = int(ReadRegInteger(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::Parallel, defaults.parallel));
    stored.perServer = int(ReadRegInteger(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::PerServer, defaults.perServer));
    stored.defaultRoot =
        NormalizeLinkRoot(ReadRegValue(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::DefaultURL, QString()));
    return stored;
}

std::optional<QString> ReadDocumentText(const QString &path)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes).ok())
        return std::nullopt;
    return DecodeText(bytes, DetectEncoding(bytes).encoding);
}

bool IsLocalLinkPath(const QString &path)
{
    return !path.contains(QLatin1String("://")) && IsAbsoluteFilePath(path);
}

QString NormalizeLinkRoot(const QString &root)
{
    QString result = IsLocalLinkPath(root) ? ToNativePath(root) : ToWebPath(root);
    if (result.size() > 1 && (result.endsWith(u'/') || result.endsWith(u'\\')))
        result.chop(1);
    return result;
}

bool IsLinkRoot(const QString &text)
{
    const QString lower = text.toLower();
    const bool web = lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("https://"));
    return IsLocalLinkPath(lower) || (web && lower != QLatin1String("http://"));
}

QString ResolveLinkURL(const QString &link, const QString &documentPath, const QString &root)
{
    QString rest = link;
    if (rest.startsWith(u'#'))
        rest.prepend(QFileInfo(documentPath).fileName());
    if (IsLocalLinkPath(root) && !rest.contains(QLatin1String("://")))
        return ToNativePath(ResolveDocumentPath(root + u'/', rest));
    if (rest.contains(u':'))
        return rest;
    QString base = root;
    // The address part ("http://host") is never climbed out of.
    const qsizetype scheme = base.indexOf(QLatin1String("://"));
    const qsizetype top = scheme < 0 ? 0 : base.indexOf(u'/', scheme + 3);
    for (qsizetype up = rest.indexOf(QLatin1String("../")); up >= 0; up = rest.indexOf(QLatin1String("../"))) {
        rest.remove(0, up + 3);
        if (base.endsWith(u'\\'))
            base.chop(1);
        const qsizetype cut = base.lastIndexOf(u'/');
        if (scheme < 0 ? cut > 0 : top >= 0 && cut >= top)
            base.truncate(cut);
    }
    if (!rest.isEmpty() && !rest.startsWith(u'/') && !rest.startsWith(u'\\'))
        rest.prepend(u'/');
    return base + rest;
}

std::optional<QStringList> CollectImageSources(const QString &path)
{
    const std::optional<QString> text = ReadDocumentText(path);
    if (!text) {
        MessageDlg(QStringLiteral("Unable to open file ") + path + u'.', TMsgKind::Error);
        return std::nullopt;
    }
    QStringList sources = CollectQuotedValues(QStringLiteral("SRC=\""), *text, true);
    const qsizetype body = text->indexOf(QLatin1String("<BODY"), 0, Qt::CaseInsensitive);
    if (body >= 0) {
        const qsizetype end = text->indexOf(u'>', body);
        const QString tag = text->mid(body, end < 0 ? -1 : end - body + 1);
        const QString background = GetTagAttribute(tag, QStringLiteral("BACKGROUND="));
        if (!background.isEmpty() && !sources.contains(background, Qt::CaseInsensitive))
            sources.append(background);
    }
    return sources;
}

std::optional<QList<TFoundLink>> CollectDocumentLinks(const QString &path, bool images)
{
    const std::optional<QString> text = ReadDocumentText(path);
    if (!text) {
        MessageDlg(QStringLiteral("Unable to open file ") + path + u'.', TMsgKind::Error);
        return std::nullopt;
    }
    QList<TFoundLink> links;
    for (const QString &value : CollectQuotedValues(QStringLiteral("HREF=\""), *text, true))
        if (!value.contains(QLatin1String("mailto:"), Qt::CaseInsensitive))
            links.append({value, TLinkKind::HTML});
    if (images) {
        const std::optional<QStringList> sources = CollectImageSources(path);
        if (!sources)
            return std::nullopt;
        for (const QString &source : *sources)
            links.append({source, TLinkKind::Image});
    }
    return links;
}

TLinkStatus ClassifyStatusLine(const QString &statusLine)
{
    const int code = StatusCode(statusLine);
    if (code >= 200 && code < 300 && !statusLine.contains(QLatin1String("NOT FOUND"), Qt::CaseInsensitive))
        return {TCheckResult::Verified, QString()};
    return {TCheckResult::Failed, statusLine};
}

QString LinkStatusText(const TLinkStatus &status, const QString &fullURL)
{
    switch (status.result) {
    case TCheckResult::Verified:
        return fullURL.contains(u'#') ? QStringLiteral("Verified document, skipped internal link")
                                      : QStringLiteral("Verified");
    case TCheckResult::TimedOut:
        return QStringLiteral("Timed out");
    case TCheckResult::Failed:
        break;
    }
    return status.text;
}

// ---------------------------------------------------------------------------

TLinkChecker::TLinkChecker(QObject *parent) : QObject(parent), m_http(new TagHTTP(this))
{
}

void TLinkChecker::Cancel()
{
    m_cancelled = true;
    m_http->Cancel();
}

TLinkStatus TLinkChecker::Check(const QString &fullURL)
{
    m_cancelled = false;
    const QString upper = fullURL.toUpper();
    if (upper.startsWith(QLatin1String("FTP:")))
        return {TCheckResult::Failed, QStringLiteral("FTP links not supported")};
    if (upper.startsWith(QLatin1String("GOPHER:")))
        return {TCheckResult::Failed, QStringLiteral("Gopher links not supported")};
    QString url = fullURL;
    url.remove(u'\t').remove(QLatin1String("\r\n"));
    const qsizetype hash = url.indexOf(u'#');
    if (hash >= 0)
        url.truncate(hash);
    if (IsLocalLinkPath(url)) {
        if (QFileInfo::exists(url))
            return {TCheckResult::Verified, QString()};
        return {TCheckResult::Failed, QStringLiteral("File not found")};
    }
    return CheckRemote(url);
}

TLinkStatus TLinkChecker::CheckRemote(QString url)
{
    QStringList visited{url};
    QString method = Head;
    for (;;) {
        if (m_cancelled)
            return {TCheckResult::Failed, SocketErrorText(secCanceled)};
        if (!m_http->SetURL(url))
            return {TCheckResult::Failed, QStringLiteral("Invalid URL")};
        if (!Ask(url, method))
            return RequestFailure();
        const QString statusLine = m_http->Header().value(0);
        const int code = StatusCode(statusLine);
        // Servers that do not know HEAD are asked again; the body of the
        // GET is never read.
        if (method == Head && (code == 405 || code == 501)) {
            method = Get;
            continue;
        }
        const QString location = m_http->HeaderValue(QStringLiteral("Location"));
        if (code < 300 || code >= 400 || code == 304 || location.isEmpty())
            return ClassifyStatusLine(statusLine);
        const QString next = QUrl(url).resolved(QUrl(location)).toString(QUrl::FullyEncoded);
        if (visited.contains(next))
            return {TCheckResult::Failed, QStringLiteral("Redirection loop: ") + next};
        if (visited.size() > MaxRedirects)
            return {TCheckResult::Failed, QStringLiteral("More than %1 redirections").arg(MaxRedirects)};
        visited.append(next);
        url = next;
        method = Head;
    }
}

bool TLinkChecker::Ask(const QString &url, const QString &method)
{
    m_http->TimeOut = TimeOut;
    m_http->DefaultPort = Port;
    m_http->TickInterval = TickInterval;
    m_http->SslConfiguration = SslConfiguration;
    m_http->Method = method;
    m_http->Reset();
    if (!m_http->Open())
        return false;
    emit Verifying(url);
    const bool ok = m_http->Connect() && m_http->SendRequest() && m_http->ReadHeader();
    m_http->Close();
    emit Ready();
    return ok;
}

TLinkStatus TLinkChecker::RequestFailure() const
{
    if (m_http->Failure() == TSocketFailure::TimedOut)
        return {TCheckResult::TimedOut, QStringLiteral("Timed out")};
    return {TCheckResult::Failed, m_http->FailureText()};
}

// ---------------------------------------------------------------------------

TLinkCheckQueue::TLinkCheckQueue(QObject *parent) : QObject(parent)
{
}

QString TLinkCheckQueue::ServerKey(const QString &url)
{
    if (IsLocalLinkPath(url))
        return QString();
    const QUrl address(url);
    const bool secure = address.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    return QStringLiteral("%1:%2").arg(address.host().toLower()).arg(address.port(secure ? 443 : 80));
}

TLinkChecker *TLinkCheckQueue::IdleChecker()
{
    for (TLinkChecker *checker : std::as_const(m_checkers))
        if (!m_busy.contains(checker))
            return checker;
    auto *checker = new TLinkChecker(this);
    connect(checker, &TLinkChecker::Verifying, this, &TLinkCheckQueue::Verifying);
    connect(checker, &TLinkChecker::Ready, this, &TLinkCheckQueue::Ready);
    m_checkers.append(checker);
    return checker;
}

void TLinkCheckQueue::Cancel()
{
    m_cancelled = true;
    for (TLinkChecker *checker : std::as_const(m_busy))
        checker->Cancel();
}

void TLinkCheckQueue::Run(const QStringList &urls, const QList<int> &indexes, const std::function<void(int)> &started,
                          const std::function<void(int, const TLinkStatus &)> &finished)
{
    m_cancelled = false;
    m_running = true;
    std::deque<int> pending(indexes.cbegin(), indexes.cend());
    QHash<int, QString> servers;
    for (int index : indexes)
        servers.insert(index, ServerKey(urls.at(index)));
    QHash<QString, int> perServer;
    struct TRunning
    {
        int index;
        TLinkChecker *checker;
        TLinkStatus status;
        std::unique_ptr<TCooperativeTask> task;
    };
    std::list<TRunning> running;
    // Starts the pending checks there is room for, each up to its first wait.
    const auto fill = [&] {
        for (auto it = pending.begin();
             it != pending.end() && !m_cancelled && int(running.size()) < qMax(1, Parallel);) {
            const QString &server = servers[*it];
            if (!server.isEmpty() && perServer.value(server) >= qMax(1, PerServer)) {
                ++it;
                continue;
            }
            ++perServer[server];
            TRunning &check = running.emplace_back(TRunning{*it, IdleChecker(), {}, nullptr});
            it = pending.erase(it);
            check.checker->TimeOut = TimeOut;
            check.checker->Port = Port;
            check.checker->TickInterval = TickInterval;
            check.checker->SslConfiguration = SslConfiguration;
            m_busy.append(check.checker);
            started(check.index);
            check.task = std::make_unique<TCooperativeTask>(
                [&check, &urls] { check.status = check.checker->Check(urls.at(check.index)); });
            check.task->Resume();
        }
    };
    fill();
    QEventLoop loop;
    while (!running.empty()) {
        bool ended = false;
        for (auto it = running.begin(); it != running.end();) {
            it->task->Resume();
            if (!it->task->Finished()) {
                ++it;
                continue;
            }
            ended = true;
            m_busy.removeOne(it->checker);
            --perServer[servers[it->index]];
            const int index = it->index;
            const TLinkStatus status = it->status;
            it = running.erase(it);
            finished(index, status);
        }
        fill();
        // Every wait of a check ends by an event: a socket's, a timer's or
        // the user's.
        if (!ended && !running.empty())
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    m_running = false;
}

#include "moc_LinkCheck.cpp"
