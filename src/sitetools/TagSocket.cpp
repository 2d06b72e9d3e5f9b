// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagSocket.h"

#include "CooperativeTask.h"

#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QHostInfo>
#include <QSslSocket>
#include <QUrl>

#include <climits>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// The classic socket error texts, keyed by code; code 0 is kept as 10000.
const QHash<int, const char *> &SocketErrorTable()
{
    static const QHash<int, const char *> table{
        {10000, "[0] No Error"},
        {10004, "[10004] Interrupted system call"},
        {10009, "[10009] Bad file number"},
        {10013, "[10013] Permission denied."},
        {10014, "[10014] Bad address"},
        {10022, "[10022] Invalid argument"},
        {10024, "[10024] Too many open files"},
        {10035, "[10035] Resource temporarily not available"},
        {10036, "[10036] Operation now in progress"},
        {10037, "[10037] Operation already in progress"},
        {10038, "[10038] Socket operation on non-socket"},
        {10039, "[10039] Destination address required"},
        {10040, "[10040] Message too long"},
        {10041, "[10041] Protocol wrong type for socket"},
        {10042, "[10042] Bad protocol option"},
        {10043, "[10043] Protocol not supported"},
        {10044, "[10044] Socket type not supported"},
        {10045, "[10045] Operation not supported on socket"},
        {10046, "[10046] Protocol family not supported"},
        {10047, "[10047] Address family not supported by protocol family"},
        {10048, "[10048] Address already in use"},
        {10049, "[10049] Can't assign requested address"},
        {10050, "[10050] Network is down"},
        {10051, "[10051] Network is unreachable"},
        {10052, "[10052] Net dropped connection or reset"},
        {10053, "[10053] Software caused connection abort"},
        {10054, "[10054] Connection reset by peer"},
        {10055, "[10055] No buffer space available"},
        {10056, "[10056] Socket is already connected"},
        {10057, "[10057] Socket is not connected"},
        {10058, "[10058] Can't send after socket shutdown"},
        {10059, "[10059] Too many references, can't splice"},
        {10060, "[10060] Connection timed out"},
        {10061, "[10061] Connection refused"},
        {10062, "[10062] Too many levels of symbolic links"},
        {10063, "[10063] File name too long"},
        {10064, "[10064] Host is down"},
        {10065, "[10065] No Route to Host"},
        {10066, "[10066] Directory not empty"},
        {10067, "[10067] Too many processes"},
        {10068, "[10068] Too many users"},
        {10069, "[10069] Disc quota exceeded"},
        {10070, "[10070] Stale NFS file handle"},
        {10071, "[10071] Too many levels of remote in path"},
        {10091, "[10091] Network subsystem is unavailable"},
        {10092, "[10092] WINSOCK DLL Version out of range"},
        {10093, "[10093] Successful WSAStartup() not yet performed"},
        {10094, "[10094] Graceful shutdown in progress"},
        {11001, "[11001] Host not found"},
        {11002, "[11002] Non-Authoritative Host not found"},
        {11003, "[11003] Non-Recoverable errors: FORMERR, REFUSED, NOTIMP"},
        {11004, "[11004] Valid name, no data record of requested type"},
        {secTimedOut, "Operation timed out"},
        {secCanceled, "Operation has been canceled"},
        {secServerRequired, "Server property is required"},
        {secResolveFailed, "Error resolving remote host"},
        {secServiceRequired, "Service name is required"},
        {secSecureFailed, "Secure connection failed"},
        {secLineTooLong, "Response line too long"},
        {secTooManyLines, "Too many response header lines"},
        {secBodyTooLarge, "Response body too large"},
        {secBadChunk, "Invalid chunked response"},
        {secClosedEarly, "Connection closed before the whole response arrived"},
        {secBadLength, "Invalid Content-Length in the response"},
        {secDeadline, "Response not complete within the time allowed"},
    };
    return table;
}

// The classic code for an error that the socket layer reports.
int SocketErrorCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::DatagramTooLargeError:
        return 10040;
    case QAbstractSocket::NetworkError:
        return 10050;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return secSecureFailed;
    default:
        return 10054;
    }
}

// The port of the well-known services; others fall back to DefaultPort.
// "http" is not among them: its port is DefaultPort, so that the port the
// user chose for the web (80 unless changed) applies.
const QHash<QString, quint16> KnownServices{{QStringLiteral("https"), 443}};

// Server as the authority of an address, which takes "[::1]:8080" apart at
// the right colon.
QUrl ServerAuthority(const QString &server)
{
    QUrl url;
    url.setAuthority(server);
    return url;
}

} // namespace

QString SocketErrorText(int code)
{
    const char *text = SocketErrorTable().value(code == 0 ? 10000 : code);
    return text ? QString::fromLatin1(text) : QStringLiteral("Error #%1").arg(code);
}

TagSocket::TagSocket(QObject *parent)
    : QObject(parent), SslConfiguration(QSslConfiguration::defaultConfiguration()), m_socket(new QSslSocket(this))
{
    // A firm bound on what the socket holds unread, whatever the server sends.
    m_socket->setReadBufferSize(256 * 1024);
    connect(&m_timer, &QTimer::timeout, this, &TagSocket::Tick);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { m_overdue = true; });
    connect(m_socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // A close by the server is seen through the socket's state.
        if (error == QAbstractSocket::RemoteHostClosedError)
            return;
        m_errorCode = SocketErrorCode(error);
        if (m_errorDetail.isEmpty())
            m_errorDetail = m_socket->errorString();
    });
    connect(m_socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
        QStringList texts;
        for (const QSslError &error : errors)
            texts << error.errorString();
        m_errorDetail = texts.join(QLatin1String("; "));
    });
}

TagSocket::~TagSocket()
{
    ForgetConnection();
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    if (!LogFileName.isEmpty()) {
        QFile file(LogFileName);
        if (file.open(QIODevice::WriteOnly | QIODevice::Text))
            file.write(m_log.join(QLatin1Char('\n')).append(QLatin1Char('\n')).toLocal8Bit());
    }
}

void TagSocket::Reset()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
    m_cancelled = m_timedOut = m_overdue = m_hostLookedUp = false;
    m_deadline.start(int(qMin<qint64>(qint64(DeadlineSeconds()) * TickInterval, INT_MAX)));
    m_errorCode = 0;
    m_errorDetail.clear();
    m_remoteAddress.clear();
    m_address.clear();
    m_port = 0;
    m_failure = TSocketFailure::None;
    m_failureCode = 0;
    m_failureText.clear();
}

QString TagSocket::Host() const
{
    return ServerAuthority(Server).host();
}

QString TagSocket::FailureMessage() const
{
    const QString host = Host();
    QString where = host;
    if (!m_remoteAddress.isEmpty()) {
        where = m_address.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + m_remoteAddress + u']' : m_remoteAddress;
        if (m_port != 0)
            where += u':' + QString::number(m_port);
    }
    switch (m_failureCode) {
    case 0:
        return QString();
    case secCanceled:
        return m_failureText;
    case secServerRequired:
        return tr("The address names no host");
    case 11001:
    case 11002:
    case 11004:
    case secResolveFailed:
        return tr("Host not found: %1").arg(host);
    case 10061:
        return tr("Connection refused by %1").arg(where);
    case secTimedOut:
        return tr("No answer from %1 within %2 seconds").arg(where).arg(TimeOut);
    case secDeadline:
        return tr("No complete answer from %1 within %2 seconds").arg(where).arg(DeadlineSeconds());
    default:
        // The classic texts without their "[code]".
        const QString text =
            m_failureText.startsWith(u'[') ? m_failureText.section(QLatin1String("] "), 1) : m_failureText;
        return tr("%1 (%2)").arg(text, where);
    }
}

bool TagSocket::Open()
{
    emit OnOpen(this);
    if (Server.isEmpty())
        return Fail(secServerRequired);
    const QString host = Host();
    m_localHostName = QHostInfo::localHostName();
    if (m_localHostName.isEmpty())
        m_localHostName = host;
    if (!ResolveHost(host) || !ResolvePort())
        return false;
    m_open = true;
    return true;
}

bool TagSocket::ResolveHost(const QString &host)
{
    if (m_address.setAddress(host)) {
        m_remoteAddress = m_address.toString();
        return true;
    }
    m_hostLookedUp = false;
    m_lookupId = QHostInfo::lookupHost(host, this, &TagSocket::HostFound);
    const bool found = Wait([this] { return m_hostLookedUp; });
    m_lookupId = -1;
    if (!found)
        return false;
    if (m_address.isNull())
        return Fail(secResolveFailed);
    m_remoteAddress = m_address.toString();
    return true;
}

void TagSocket::HostFound(const QHostInfo &info)
{
    m_hostLookedUp = true;
    m_address.clear();
    if (info.error() == QHostInfo::HostNotFound) {
        m_errorCode = 11001;
        return;
    }
    if (info.error() != QHostInfo::NoError) {
        m_errorCode = 11002;
        return;
    }
    // The first address, IPv4 preferred: servers often listen on that alone.
    const QList<QHostAddress> addresses = info.addresses();
    for (const QHostAddress &address : addresses) {
        if (m_address.isNull() || (address.protocol() == QAbstractSocket::IPv4Protocol &&
                                   m_address.protocol() != QAbstractSocket::IPv4Protocol))
            m_address = address;
    }
}

bool TagSocket::ResolvePort()
{
    // No port, or one that is not a number or out of range, reads as -1.
    const int port = ServerAuthority(Server).port();
    if (port > 0) {
        m_port = quint16(port);
        return true;
    }
    if (Service.isEmpty())
        return Fail(secServiceRequired);
    if (m_cancelled)
        return Fail(secCanceled);
    m_port = KnownServices.value(Service.toLower(), DefaultPort);
    return true;
}

bool TagSocket::Connect()
{
    if (m_cancelled)
        return Fail(secCanceled);
    if (Secure) {
        if (!QSslSocket::supportsSsl())
            return Fail(secSecureFailed, tr("no TLS support is installed"));
        m_socket->setSslConfiguration(SslConfiguration);
        // Connect to the address looked up, but check the certificate
        // against the name the user gave.
        m_socket->connectToHostEncrypted(m_remoteAddress, m_port, Host());
        if (!Wait([this] { return m_socket->isEncrypted(); }))
            return false;
    } else {
        m_socket->connectToHost(m_address, m_port);
        if (!Wait([this] { return m_socket->state() == QAbstractSocket::ConnectedState; }))
            return false;
    }
    // The request goes out line by line: no line may wait for the answer
    // to the one before (Nagle's algorithm against a delayed acknowledgement).
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    WatchConnection();
    return true;
}

// The socket layer reports a reset by the server as a close, and closes its
// descriptor at once. A second descriptor of the same connection keeps it
// open to ask the system afterwards: a connection the server closed waits
// for our close, one that it reset is closed already.
void TagSocket::WatchConnection()
{
    ForgetConnection();
#ifdef Q_OS_LINUX
    m_watch = ::fcntl(int(m_socket->socketDescriptor()), F_DUPFD_CLOEXEC, 0);
#endif
}

void TagSocket::ForgetConnection()
{
#ifdef Q_OS_LINUX
    if (m_watch >= 0)
        ::close(m_watch);
#endif
    m_watch = -1;
}

bool TagSocket::PeerReset() const
{
#ifdef Q_OS_LINUX
    tcp_info info{};
    socklen_t size = sizeof info;
    return m_watch >= 0 && ::getsockopt(m_watch, IPPROTO_TCP, TCP_INFO, &info, &size) == 0 &&
           info.tcpi_state == TCP_CLOSE;
#else
    return false;
#endif
}

bool TagSocket::SendLine(const QString &text)
{
    m_socket->write(text.toLatin1() + "\r\n");
    if (!Wait([this] { return m_socket->bytesToWrite() == 0 && m_socket->encryptedBytesToWrite() == 0; }))
        return false;
    Log(text);
    return true;
}

bool TagSocket::ReadLine(QString &line)
{
    line.clear();
    if (!Wait([this] { return m_socket->canReadLine() || m_socket->bytesAvailable() > MaxLineLength || PeerClosed(); }))
        return false;
    if (!m_socket->canReadLine())
        return Fail(m_socket->bytesAvailable() > MaxLineLength ? secLineTooLong : secClosedEarly);
    const QByteArray bytes = m_socket->readLine(MaxLineLength + 1);
    if (!bytes.endsWith('\n'))
        return Fail(secLineTooLong);
    qsizetype length = bytes.size();
    while (length > 0 && (bytes[length - 1] == '\n' || bytes[length - 1] == '\r'))
        --length;
    line = QString::fromLatin1(bytes.constData(), length);
    LineReceived(line);
    Log(line);
    return true;
}

void TagSocket::Close()
{
    m_deadline.stop();
    if (!m_open)
        return;
    emit OnClosing(this);
    m_socket->abort();
    ForgetConnection();
    m_open = false;
    emit OnClosed(this);
}

void TagSocket::Cancel()
{
    m_cancelled = true;
    emit OnCancel(this);
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
    Close();
}

bool TagSocket::Wait(const std::function<bool()> &done)
{
    m_countdown = TimeOut;
    m_timer.start(TickInterval);
    QEventLoop loop;
    while (!m_cancelled && !m_timedOut && !m_overdue && m_errorCode == 0 && !done()) {
        // A request run side by side with others hands the turn back to the
        // loop that runs them all and lets the events run.
        if (TCooperativeTask::Current())
            TCooperativeTask::Yield();
        else
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    m_timer.stop();
    if (m_cancelled)
        return Fail(secCanceled);
    if (m_timedOut)
        return Fail(secTimedOut);
    if (m_overdue)
        return Fail(secDeadline);
    if (m_errorCode != 0)
        return Fail(m_errorCode, m_errorDetail);
    return true;
}

void TagSocket::Tick()
{
    if (--m_countdown > 0)
        return;
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
    m_timer.stop();
    m_timedOut = true;
}

bool TagSocket::Fail(int code, const QString &detail)
{
    m_timer.stop();
    const bool late = code == secTimedOut || code == secDeadline;
    m_failure = code == secCanceled ? TSocketFailure::Canceled
                : late              ? TSocketFailure::TimedOut
                                    : TSocketFailure::SocketError;
    m_failureCode = code;
    m_failureText = SocketErrorText(code);
    if (!detail.isEmpty() && code >= secTimedOut)
        m_failureText += QLatin1String(": ") + detail;
    emit OnError(this, m_failureText);
    if (late)
        Close();
    return false;
}

int TagSocket::DeadlineSeconds() const
{
    return Deadline > 0 ? Deadline : 4 * TimeOut;
}

bool TagSocket::PeerClosed() const
{
    return m_socket->state() != QAbstractSocket::ConnectedState;
}

void TagSocket::Log(const QString &line)
{
    if (!LogFileName.isEmpty())
        m_log << line;
}

#include "moc_TagSocket.cpp"
