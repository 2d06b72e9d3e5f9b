// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include "SettingsStore.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScopedValueRollback>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <memory>

namespace {

constexpr quint32 FrameMagic = 0x564C4354; // "VLCT"
constexpr int FrameHeaderBytes = 12;
constexpr int MaxFrameBytes = FrameHeaderBytes + MaxInstanceTextBytes;
constexpr char Acknowledgement = '\x06';
// How long a sender waits to connect and to be answered.
constexpr int ReplyTimeoutMs = 5000;
// How long a connection may take to deliver its message; a sender writes it
// at once.
constexpr int ReceiveTimeoutMs = 3000;

// The longest socket path the system takes, less its terminating NUL.
constexpr qsizetype MaxSocketPathBytes = sizeof(sockaddr_un::sun_path) - 1;

// XDG_RUNTIME_DIR when it is a folder of this user that nobody else may
// enter; empty otherwise.
QString PrivateRuntimeFolder()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat info
    {
    };
    if (folder.isEmpty() || ::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return QString();
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0 ? folder : QString();
}

bool IsKnownKind(quint32 kind)
{
    return kind == InstanceOpenFile || kind == InstanceValidatorResult;
}

// Lets events run until the loop is quit or the time is up, so that a
// receiver in this process can answer.
void RunUntilQuitOrTimeout(QEventLoop &loop)
{
    QTimer::singleShot(ReplyTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// Whether the other end runs as this user: a socket that someone else put
// under our name must not learn which files we open.
bool PeerIsThisUser(const QLocalSocket &socket)
{
    ucred peer{};
    socklen_t size = sizeof(peer);
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

// A connection to this user's running instance; null when none answers.
std::unique_ptr<QLocalSocket> ConnectToInstance()
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(InstanceServerName());
    if (socket->state() == QLocalSocket::ConnectingState) {
        // The instance has not yet taken its earlier connections; Qt retries.
        QEventLoop loop;
        QObject::connect(socket.get(), &QLocalSocket::stateChanged, &loop, &QEventLoop::quit);
        RunUntilQuitOrTimeout(loop);
    }
    if (socket->state() != QLocalSocket::ConnectedState || !PeerIsThisUser(*socket))
        return nullptr;
    return socket;
}

// Sends a message on a connection and waits for its acknowledgement.
bool Deliver(QLocalSocket &socket, quint32 kind, const QString &text)
{
    const QByteArray frame = InstanceMessageFrame(kind, text);
    if (frame.isEmpty())
        return false;
    QEventLoop loop;
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    socket.write(frame);
    RunUntilQuitOrTimeout(loop);
    return socket.read(1) == QByteArray(1, Acknowledgement);
}

} // namespace

QString JoinCommandLine(const QStringList &parameters)
{
    return parameters.join(u' ').trimmed();
}

QStringList CommandLineFiles(const QStringList &parameters)
{
    const QFileInfo joined(JoinCommandLine(parameters));
    if (!joined.filePath().isEmpty() && joined.isFile())
        return {joined.absoluteFilePath()};
    QStringList files;
    for (const QString &parameter : parameters)
        if (const QFileInfo file(parameter); !parameter.isEmpty() && file.isFile())
            files.append(file.absoluteFilePath());
    return files;
}

QString InstanceServerName()
{
    // The absolute path: a relative one names another file in another folder.
    const QByteArray profile = QFileInfo(SettingsFilePath()).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(profile, QCryptographicHash::Sha256).toHex().left(16);
    const QString name = QStringLiteral("velicort-%1-%2").arg(::geteuid()).arg(QLatin1String(hash));
    // In the shared temporary folder anyone could take the name first; the
    // user's runtime folder is the user's alone. Socket paths are short.
    const QString runtime = PrivateRuntimeFolder();
    const QString path = runtime + u'/' + name;
    return runtime.isEmpty() || QFile::encodeName(path).size() >= MaxSocketPathBytes ? name : path;
}

bool SendInstanceMessage(quint32 kind, const QString &text)
{
    const std::unique_ptr<QLocalSocket> socket = ConnectToInstance();
    return socket && Deliver(*socket, kind, text);
}

bool HandOffToRunningInstance(const QStringList &parameters)
{
    std::unique_ptr<QLocalSocket> socket = ConnectToInstance();
    if (!socket)
        return false;
    // The instance runs, so this one ends whether or not the messages arrive.
    const QStringList files = CommandLineFiles(parameters);
    for (qsizetype i = 0; i < files.size() && socket; ++i) {
        Deliver(*socket, InstanceOpenFile, files.at(i));
        socket = i + 1 < files.size() ? ConnectToInstance() : nullptr;
    }
    return true;
}

QByteArray InstanceMessageFrame(quint32 kind, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > MaxInstanceTextBytes)
        return QByteArray();
    QByteArray frame(FrameHeaderBytes, Qt::Uninitialized);
    qToBigEndian(FrameMagic, frame.data());
    qToBigEndian(kind, frame.data() + 4);
    qToBigEndian(quint32(utf8.size()), frame.data() + 8);
    return frame + utf8;
}

TInstanceMessageReader::TState TInstanceMessageReader::Feed(QByteArrayView bytes)
{
    if (m_state != Incomplete || bytes.size() > MaxFrameBytes - m_bytes.size())
        return m_state = Invalid;
    m_bytes.append(bytes);
    if (m_bytes.size() < FrameHeaderBytes)
        return m_state;
    m_kind = qFromBigEndian<quint32>(m_bytes.constData() + 4);
    const quint32 length = qFromBigEndian<quint32>(m_bytes.constData() + 8);
    if (qFromBigEndian<quint32>(m_bytes.constData()) != FrameMagic || !IsKnownKind(m_kind) ||
        length > quint32(MaxInstanceTextBytes))
        return m_state = Invalid;
    const qsizetype size = FrameHeaderBytes + qsizetype(length);
    if (m_bytes.size() != size)
        return m_state = m_bytes.size() < size ? Incomplete : Invalid;
    // Stateless, so that a sequence cut off at the end is an error too.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(QByteArrayView(m_bytes).sliced(FrameHeaderBytes));
    // No path holds a NUL, and file functions refuse one.
    if (decoder.hasError() || text.contains(QChar(0)))
        return m_state = Invalid;
    m_text = text;
    return m_state = Complete;
}

TfVelicortMessageWindow::TfVelicortMessageWindow(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TfVelicortMessageWindow::AcceptConnections);
}

TfVelicortMessageWindow::~TfVelicortMessageWindow() = default;

bool TfVelicortMessageWindow::Listen()
{
    if (ConnectToInstance())
        return false;
    // Nobody answers, so a socket left under the name is dead.
    const QString name = InstanceServerName();
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

// Reads each connection's message as it arrives, acknowledges it and closes
// the connection, then queues it for the handlers, which run from the event
// loop. A handler may ask the user something, and a modal question inside
// the socket's own handler would let the sender's disconnect free the socket
// under it. A message that is malformed, too long or not complete in time is
// dropped without an answer.
void TfVelicortMessageWindow::AcceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        // One byte more than a message, so that a message with more behind it shows.
        socket->setReadBufferSize(MaxFrameBytes + 1);
        auto reader = std::make_shared<TInstanceMessageReader>();
        auto *deadline = new QTimer(socket);
        const auto drop = [socket] {
            socket->abort();
            socket->deleteLater();
        };
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(deadline, &QTimer::timeout, socket, drop);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader, deadline, drop] {
            switch (reader->Feed(socket->readAll())) {
            case TInstanceMessageReader::Incomplete:
                return;
            case TInstanceMessageReader::Invalid:
                drop();
                return;
            case TInstanceMessageReader::Complete:
                break;
            }
            deadline->stop();
            socket->write(&Acknowledgement, 1);
            socket->disconnectFromServer();
            m_queue.append({reader->Kind(), reader->Text()});
            QMetaObject::invokeMethod(this, &TfVelicortMessageWindow::HandleMessages, Qt::QueuedConnection);
        });
        deadline->start(ReceiveTimeoutMs);
    }
}

// One message at a time, in the order they came: messages that arrive while
// a handler waits on the user wait for it to return.
void TfVelicortMessageWindow::HandleMessages()
{
    if (m_handling)
        return;
    const QScopedValueRollback handling(m_handling, true);
    while (!m_queue.isEmpty()) {
        const auto [kind, text] = m_queue.takeFirst();
        if (kind == InstanceOpenFile)
            emit OpenFileMessage(text);
        else
            emit ValidatorResultMessage(text);
    }
}
