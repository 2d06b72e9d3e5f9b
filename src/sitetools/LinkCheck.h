// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The routines behind link verification: the links and image sources of a
// document, how a link resolves against a root (a web address or a local
// folder), and checking one address, a local file for existence and a web
// address by the status of its answer.

#include <QList>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>

#include <optional>

class TagHTTP;

namespace LinkVerifyKeys {
inline const QString LinkVerify = QStringLiteral("Software\\Velicort\\LinkVerify");
inline const QString RootHistory = QStringLiteral("Software\\Velicort\\LinkVerifyRoot");
// The values: under LinkVerify but the port, which is the program's.
inline const QString DefaultURL = QStringLiteral("DefaultURL");
inline const QString Timeout = QStringLiteral("Timeout");
inline const QString Port = QStringLiteral("HTTPPort");
inline const QString Parallel = QStringLiteral("Parallel");
inline const QString PerServer = QStringLiteral("ParallelPerServer");
} // namespace LinkVerifyKeys

// How the verifier checks, as the user left it in the settings: the time-out
// and port of its dialogs (their defaults for text that is no number), the
// checks at once, and the root to use without asking (empty when none).
struct TLinkCheckSettings
{
    int timeOut = 30;
    quint16 port = 80;
    int parallel = 8;
    int perServer = 4;
    QString defaultRoot;

    // Reads the settings; writes nothing.
    static TLinkCheckSettings Stored();
};

// Where a row's link was found: an HREF value or an image source.
enum class TLinkKind { HTML, Image };

struct TFoundLink
{
    QString link; // as written in the document
    TLinkKind kind;
};

// The root as the verifier keeps it: a local root (an absolute path) written
// with the native separator, a web root with "/", one trailing separator
// removed, its letter case kept.
QString NormalizeLinkRoot(const QString &root);
// Whether a root or an address names a local file or folder.
bool IsLocalLinkPath(const QString &path);

// Whether a text the user gave can be a root: a local path, or a text
// naming an http or https address (more than "http://" alone).
bool IsLinkRoot(const QString &text);

// The address or file path a link of the document means under the root.
QString ResolveLinkURL(const QString &link, const QString &documentPath, const QString &root);

// The text of a file, decoded as its bytes suggest; nothing when it cannot
// be read.
std::optional<QString> ReadDocumentText(const QString &path);

// The SRC values of a file (every SRC=" value, sorted, equal values but for
// case once) and the BACKGROUND of its first BODY tag. A file that cannot be
// read shows "Unable to open file <path>." and gives nothing.
std::optional<QStringList> CollectImageSources(const QString &path);

// The HREF=" values of a file, mailto: links left out, sorted, then with
// images its image sources; nothing when the file cannot be read.
std::optional<QList<TFoundLink>> CollectDocumentLinks(const QString &path, bool images);

enum class TCheckResult { Verified = 0, Failed = 1, TimedOut = 2 };

struct TLinkStatus
{
    TCheckResult result = TCheckResult::Failed;
    QString text;
};

// The verdict on a final answer's status line: 2xx verified; a line that
// says "Not Found" in any case, a 4xx or 5xx, and a line without a status
// code fail with the line as text.
TLinkStatus ClassifyStatusLine(const QString &statusLine);

// The status a row shows for the result of checking fullURL: "Verified",
// or for a link to a part of a document "Verified document, skipped internal
// link"; "Timed out"; or the failure's own text.
QString LinkStatusText(const TLinkStatus &status, const QString &fullURL);

// Checks one address at a time with a web client of its own. A web address
// is asked with HEAD, and again with GET when the server refuses HEAD (405,
// 501); redirections are followed up to MaxRedirects hops. Every wait lets
// events run, so that a Cancel button works.
class TLinkChecker : public QObject
{
    Q_OBJECT

public:
    explicit TLinkChecker(QObject *parent = nullptr);

    // Seconds each network step may take; the port of addresses that name
    // none; the TLS settings; the length of one second (tests shorten it).
    int TimeOut = 30;
    quint16 Port = 80;
    int TickInterval = 1000;
    QSslConfiguration SslConfiguration = QSslConfiguration::defaultConfiguration();

    TLinkStatus Check(const QString &fullURL);
    // Ends the check under way with "Operation has been canceled".
    void Cancel();

    static constexpr int MaxRedirects = 10;

signals:
    // The address being asked, and the end of asking.
    void Verifying(const QString &url);
    void Ready();

private:
    TLinkStatus CheckRemote(QString url);
    // Asks for the header of url; false when the request failed.
    bool Ask(const QString &url, const QString &method);
    TLinkStatus RequestFailure() const;

    TagHTTP *m_http;
    bool m_cancelled = false;
};

// Checks many addresses side by side on the user-interface thread: up to
// Parallel requests at once and PerServer to any one server, each in a
// checker of its own that runs as a cooperative task, started in the order
// given as room frees up. One event loop runs them all: after each event
// every check takes its turn, so each answer is reported as it arrives.
class TLinkCheckQueue : public QObject
{
    Q_OBJECT

public:
    explicit TLinkCheckQueue(QObject *parent = nullptr);

    int Parallel = 8;
    int PerServer = 4;
    int TimeOut = 30;
    quint16 Port = 80;
    int TickInterval = 1000;
    QSslConfiguration SslConfiguration = QSslConfiguration::defaultConfiguration();

    // Checks urls[i] for each index in order of the list; started(i) comes
    // before the check, finished(i, status) after it. Returns when all are
    // done, or once cancelled, when the checks under way have ended; indexes
    // not started by then stay unreported.
    void Run(const QStringList &urls, const QList<int> &indexes, const std::function<void(int)> &started,
             const std::function<void(int, const TLinkStatus &)> &finished);
    // Ends the checks under way and starts no more.
    void Cancel();
    bool Running() const { return m_running; }

    // The server an address is counted against: "host:port" in lower case,
    // empty for a local file.
    static QString ServerKey(const QString &url);

signals:
    void Verifying(const QString &url);
    void Ready();

private:
    TLinkChecker *IdleChecker();

    QList<TLinkChecker *> m_checkers;
    QList<TLinkChecker *> m_busy;
    bool m_cancelled = false;
    bool m_running = false;
};
