// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fetches one URL with an HTTP/1.1 GET, over TLS for "https://" addresses,
// collecting the response's header lines and its body. The body ends where
// Content-Length says, at the end of a chunked transfer, or else at the
// server's close; a close that is a reset fails, and so does a Content-Length
// that is not a number. Interim answers (1xx) are skipped. Header lines,
// their count and the body are capped so that a faulty server cannot grow
// memory without bound.

#include "TagSocket.h"

#include <QByteArray>

class TagHTTP : public TagSocket
{
    Q_OBJECT

public:
    explicit TagHTTP(QObject *parent = nullptr);

    // Takes an "http://" or "https://" address apart into Server, Path and
    // FileName; false, with nothing changed, for any other text.
    bool SetURL(const QString &url);
    // The request's method: "GET", or "HEAD" for the header alone.
    QString Method = QStringLiteral("GET");
    QString URL() const { return m_url; }
    QString Path() const { return m_path; }
    QString FileName() const { return m_fileName; }
    // The status line, each header line, then the empty line that ended them.
    QStringList Header() const { return m_header; }
    QByteArray Body() const { return m_body; }
    // The value of the first header field called name, or a null string.
    QString HeaderValue(const QString &name) const;

    // Resets, opens, then connects, sends the request and reads the
    // response; the socket is closed in every case.
    bool Get();
    bool SendRequest();
    bool ReadHeader();
    bool ReadBody();

    static constexpr int MaxHeaderLines = 100;
    static constexpr qint64 MaxBodySize = 64 * 1024 * 1024;
    static constexpr const char *UserAgent = "Velicort/2.5";

signals:
    void OnSending(TagSocket *sender);
    void OnReceiving(TagSocket *sender, qint64 total);

protected:
    void LineReceived(const QString &) override {}

private:
    // The status code of the header read, 0 when it has none.
    int Status() const;
    static bool IsInterim(int status);
    // Appends up to count bytes (all until the close when count < 0) to the
    // body; with allowClose a close by the server ends the read quietly.
    bool ReadBytes(qint64 count, bool allowClose);
    bool ReadChunks();

    QString m_url;
    QString m_path;
    QString m_fileName;
    QStringList m_header;
    QByteArray m_body;
};
