// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagHTTP.h"

#include <QSslSocket>

#include <algorithm>

namespace {
constexpr qint64 ReadSize = 16384;
}

TagHTTP::TagHTTP(QObject *parent) : TagSocket(parent)
{
    DefaultPort = 80;
    Service = QStringLiteral("http");
}

bool TagHTTP::SetURL(const QString &url)
{
    const bool secure = url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    if (!secure && !url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        return false;
    m_url = url;
    m_fileName.clear();
    Secure = secure;
    Service = secure ? QStringLiteral("https") : QStringLiteral("http");
    const QString rest = url.mid(secure ? 8 : 7);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        Server = rest;
        m_path = QStringLiteral("/");
        return true;
    }
    Server = rest.left(slash);
    m_path = rest.mid(slash);
    if (m_path.contains(QLatin1Char('.'))) {
        m_fileName = m_path.section(QLatin1Char('/'), -1);
        if (m_fileName.isEmpty())
            m_fileName = QStringLiteral("index.html");
    } else if (!m_path.endsWith(QLatin1Char('/'))) {
        // A path without a dot names a folder.
        m_path += QLatin1Char('/');
    }
    return true;
}

bool TagHTTP::Get()
{
    Reset();
    m_header.clear();
    m_body.clear();
    if (!Open())
        return false;
    const bool ok = Connect() && SendRequest() && ReadHeader() && ReadBody();
    Close();
    return ok;
}

bool TagHTTP::SendRequest()
{
    emit OnSending(this);
    // One connection per request: the server closes it after the response.
    return SendLine(QStringLiteral("%1 %2 HTTP/1.1").arg(Method, m_path)) &&
           SendLine(QStringLiteral("Host: ") + Server) &&
           SendLine(QStringLiteral("User-Agent: ") + QLatin1String(UserAgent)) &&
           SendLine(QStringLiteral("Accept: */*")) && SendLine(QStringLiteral("Connection: close")) &&
           SendLine(QString());
}

bool TagHTTP::ReadHeader()
{
    // Interim answers (100 Continue, 103 Early Hints) come before the final
    // one and are passed over; their lines count towards the limit.
    int lines = 0;
    do {
        m_header.clear();
        QString line;
        do {
            if (++lines > MaxHeaderLines + 1)
                return Fail(secTooManyLines);
            if (!ReadLine(line))
                return false;
            m_header << line;
        } while (!line.isEmpty());
    } while (IsInterim(Status()));
    return true;
}

int TagHTTP::Status() const
{
    return m_header.value(0).section(QLatin1Char(' '), 1, 1).toInt();
}

bool TagHTTP::IsInterim(int status)
{
    // 101 Switching Protocols ends the answer; it is never asked for here.
    return status >= 100 && status < 200 && status != 101;
}

QString TagHTTP::HeaderValue(const QString &name) const
{
    for (qsizetype i = 1; i < m_header.size(); ++i) {
        const QString &line = m_header[i];
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return QString();
}

bool TagHTTP::ReadBody()
{
    m_body.clear();
    emit OnReceiving(this, 0);
    // These answers carry no body whatever their header says.
    const int status = Status();
    if (status == 204 || status == 304 || (status >= 100 && status < 200))
        return true;
    if (HeaderValue(QStringLiteral("Transfer-Encoding")).contains(QLatin1String("chunked"), Qt::CaseInsensitive))
        return ReadChunks();
    const QString lengthText = HeaderValue(QStringLiteral("Content-Length"));
    if (lengthText.isNull())
        return ReadBytes(-1, true);
    bool isNumber = !lengthText.isEmpty() &&
                    std::all_of(lengthText.cbegin(), lengthText.cend(), [](QChar c) { return c.isDigit(); });
    const qint64 length = isNumber ? lengthText.toLongLong(&isNumber) : 0;
    if (!isNumber)
        return Fail(secBadLength);
    if (length > MaxBodySize)
        return Fail(secBodyTooLarge);
    return ReadBytes(length, false);
}

bool TagHTTP::ReadChunks()
{
    QString line;
    for (;;) {
        if (!ReadLine(line))
            return false;
        bool isNumber = false;
        const qint64 size = line.section(QLatin1Char(';'), 0, 0).trimmed().toLongLong(&isNumber, 16);
        if (!isNumber || size < 0)
            return Fail(secBadChunk);
        if (size == 0)
            break;
        if (size > MaxBodySize - m_body.size())
            return Fail(secBodyTooLarge);
        if (!ReadBytes(size, false) || !ReadLine(line))
            return false;
        if (!line.isEmpty())
            return Fail(secBadChunk);
    }
    // The trailer ends with an empty line.
    int trailerLines = 0;
    do {
        if (++trailerLines > MaxHeaderLines)
            return Fail(secTooManyLines);
        if (!ReadLine(line))
            return false;
    } while (!line.isEmpty());
    return true;
}

bool TagHTTP::ReadBytes(qint64 count, bool allowClose)
{
    const qint64 end = count < 0 ? -1 : m_body.size() + count;
    while (end < 0 || m_body.size() < end) {
        if (!Wait([this] { return m_socket->bytesAvailable() > 0 || PeerClosed(); }))
            return false;
        if (m_socket->bytesAvailable() == 0) {
            // A body that ends at the close is cut short by a reset.
            if (PeerReset())
                return Fail(10054);
            return allowClose ? true : Fail(secClosedEarly);
        }
        qint64 wanted = ReadSize;
        if (end >= 0)
            wanted = qMin(wanted, end - m_body.size());
        else if (m_body.size() + m_socket->bytesAvailable() > MaxBodySize)
            return Fail(secBodyTooLarge);
        m_body += m_socket->read(wanted);
        emit OnReceiving(this, m_body.size());
    }
    return true;
}

#include "moc_TagHTTP.cpp"
