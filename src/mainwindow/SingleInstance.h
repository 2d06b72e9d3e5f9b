// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The single running instance. Only one instance runs per user and settings
// file: a second start hands its command line to the running one over a
// local socket that only this user can reach, and ends without a window.
//
// A connection carries one message: the magic "VLCT", the kind and the length
// of the text in bytes (each 4 bytes, big-endian), then the text in UTF-8, at
// most MaxInstanceTextBytes. The receiver answers with one acknowledgement
// byte as soon as it holds the whole message, closes the connection, and
// only then acts on the message: what it does may ask the user and wait,
// and no socket may be in the middle of its handler meanwhile. Messages are
// handled one at a time, in the order they arrived.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>

class QLocalServer;

inline constexpr quint32 InstanceOpenFile = 1066;        // text: a file to open
inline constexpr quint32 InstanceValidatorResult = 1067; // text: a validator results file

// The longest text a message may carry, in UTF-8 bytes.
inline constexpr int MaxInstanceTextBytes = 4096;

// The parameters each followed by one blank, then trimmed at both ends, so
// that a path with blanks given without quotes arrives whole.
QString JoinCommandLine(const QStringList &parameters);

// The files a command line names, as absolute paths (a relative one is taken
// from the current folder): when the joined parameters name an existing file,
// that one file; otherwise each parameter that names a file.
QStringList CommandLineFiles(const QStringList &parameters);

// The local server name of this user's instance: per user and per settings
// file, so that a separate profile is a separate instance. A path in the
// user's runtime folder (XDG_RUNTIME_DIR) when there is one that only the
// user may enter, else a name in the shared temporary folder.
QString InstanceServerName();

// Sends one message to the running instance and waits, letting events run,
// until the instance has handled it. False when no instance answers, the
// text is too long or the message is not acknowledged in time.
bool SendInstanceMessage(quint32 kind, const QString &text);

// True when another instance runs and this one must end. Each file of the
// command line (CommandLineFiles) is handed over as its own InstanceOpenFile
// message, so that the running instance, which has another current folder,
// gets absolute paths; a command line without files sends nothing.
bool HandOffToRunningInstance(const QStringList &parameters);

// The bytes of one message; empty when the text is too long.
QByteArray InstanceMessageFrame(quint32 kind, const QString &text);

// Collects the one message of a connection from its bytes as they arrive.
// Never holds more than one message's worth of bytes.
class TInstanceMessageReader
{
public:
    enum TState { Incomplete, Complete, Invalid };

    // Takes the next bytes. A wrong magic, an unknown kind, a text too long
    // or not valid UTF-8 (or holding a NUL), and any byte past the message
    // make the message Invalid for good.
    TState Feed(QByteArrayView bytes);
    quint32 Kind() const { return m_kind; }
    QString Text() const { return m_text; }

private:
    QByteArray m_bytes;
    TState m_state = Incomplete;
    quint32 m_kind = 0;
    QString m_text;
};

// The receiving end, owned by the main window for the whole run.
class TfVelicortMessageWindow : public QObject
{
    Q_OBJECT
public:
    explicit TfVelicortMessageWindow(QObject *parent = nullptr);
    ~TfVelicortMessageWindow() override;

    // Starts listening; false when a live instance holds the name or the
    // server cannot listen. A socket left behind by an instance that crashed
    // is removed first.
    bool Listen();

signals:
    // Emitted after the connection that carried the message is closed.
    void OpenFileMessage(const QString &path);        // kind 1066
    void ValidatorResultMessage(const QString &path); // kind 1067

private:
    void AcceptConnections();
    void HandleMessages();

    QLocalServer *m_server;
    QList<std::pair<quint32, QString>> m_queue; // received, not yet handled
    bool m_handling = false;
};
