// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A client socket whose every step (host lookup, connect, send, receive)
// waits on the user-interface thread while pumping events, so that the window
// stays alive and a Cancel button works. Each step is bounded by TimeOut
// seconds of its own countdown, and the whole request, from Reset on, by
// Deadline seconds. A failing step fires OnError with the text of the failure,
// records the kind and text, and returns false.

#include <QHostAddress>
#include <QObject>
#include <QSslConfiguration>
#include <QStringList>
#include <QTimer>

#include <functional>

class QHostInfo;
class QSslSocket;

// How the last step failed; a step's time-out and the request's deadline
// both count as timed out.
enum class TSocketFailure { None, SocketError, TimedOut, Canceled };

// The client's own error codes beside the classic socket codes of the table.
enum : int {
    secTimedOut = 57000,
    secCanceled = 57001,
    secServerRequired = 57002,
    secResolveFailed = 57004,
    secServiceRequired = 57005,
    secSecureFailed = 57006,
    secLineTooLong = 57007,
    secTooManyLines = 57008,
    secBodyTooLarge = 57009,
    secBadChunk = 57010,
    secClosedEarly = 57011,
    secBadLength = 57012,
    secDeadline = 57013,
};

// The text of an error code: "[code] description" for the socket codes, the
// client's own wording for its codes, else "Error #" and the code.
QString SocketErrorText(int code);

class TagSocket : public QObject
{
    Q_OBJECT

public:
    explicit TagSocket(QObject *parent = nullptr);
    ~TagSocket() override;

    // Host name or address, optionally followed by ":" and a port; an IPv6
    // address stands in brackets ("[::1]:8080").
    QString Server;
    // Service name for the port when Server names none ("http", "https").
    QString Service;
    // The port when Server names none and Service has no port of its own:
    // "https" has 443; "http" always takes this one, so that the user's
    // web port applies.
    quint16 DefaultPort = 0;
    // Seconds each step may wait.
    int TimeOut = 60;
    // Seconds a whole request may take, from Reset to Close, however often
    // the server keeps a step alive; 0 means four times TimeOut.
    int Deadline = 0;
    // The length of one countdown second in milliseconds; tests shorten it.
    int TickInterval = 1000;
    // Speak TLS after the connect, checking the server's certificate.
    bool Secure = false;
    // The TLS settings; certificate checking is on by default.
    QSslConfiguration SslConfiguration;
    // When set, the lines sent and received are written to this file when
    // the socket is destroyed.
    QString LogFileName;

    QString LocalHostName() const { return m_localHostName; }
    QString RemoteAddress() const { return m_remoteAddress; }
    quint16 Port() const { return m_port; }
    TSocketFailure Failure() const { return m_failure; }
    QString FailureText() const { return m_failureText; }
    // What failed, in plain words for the user, naming the host or the
    // address and port: "Host not found: example.invalid", "Connection
    // refused by 127.0.0.1:8080", "No answer from ... within 30 seconds".
    // Empty when nothing failed.
    QString FailureMessage() const;
    // The host part of Server, without brackets.
    QString Host() const;

    // Clears the last failure and starts the request's deadline.
    virtual void Reset();
    // Resolves the host and the port of Server.
    virtual bool Open();
    bool Connect();
    // Sends text followed by CR LF.
    bool SendLine(const QString &text);
    // Reads one line without its line end. Lines beyond MaxLineLength fail,
    // and so does a peer that closes before the line end.
    bool ReadLine(QString &line);
    virtual void Close();
    // Ends the step that waits; callable from any event handler.
    virtual void Cancel();

    static constexpr int MaxLineLength = 8192;

signals:
    void OnOpen(TagSocket *sender);
    void OnClosing(TagSocket *sender);
    void OnClosed(TagSocket *sender);
    void OnCancel(TagSocket *sender);
    void OnError(TagSocket *sender, const QString &message);

protected:
    virtual void LineReceived(const QString &line) = 0;
    // Pumps events until done() holds, or fails on cancel, time-out or a
    // socket error. The countdown starts afresh for each wait.
    bool Wait(const std::function<bool()> &done);
    // Records a failure with code's text (and detail), fires OnError and
    // returns false.
    bool Fail(int code, const QString &detail = QString());
    bool PeerClosed() const;
    // Whether the server reset the connection rather than closing it.
    bool PeerReset() const;
    int DeadlineSeconds() const;
    void Log(const QString &line);

    QSslSocket *m_socket;

private:
    void Tick();
    void HostFound(const QHostInfo &info);
    bool ResolveHost(const QString &host);
    bool ResolvePort();
    void WatchConnection();
    void ForgetConnection();

    QTimer m_timer;
    QTimer m_deadline;
    bool m_overdue = false;
    int m_watch = -1; // a second descriptor of the connection, see WatchConnection
    int m_countdown = 0;
    int m_lookupId = -1;
    bool m_open = false;
    bool m_cancelled = false;
    bool m_timedOut = false;
    bool m_hostLookedUp = false;
    int m_errorCode = 0; // the socket error seen, 0 when none
    QString m_errorDetail;
    QString m_localHostName;
    QString m_remoteAddress;
    QHostAddress m_address;
    quint16 m_port = 0;
    TSocketFailure m_failure = TSocketFailure::None;
    int m_failureCode = 0;
    QString m_failureText;
    QStringList m_log;
};
