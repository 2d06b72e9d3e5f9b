// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include "SettingsStore.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <utility>

namespace {

// What a message window hands to its handlers.
struct TReceived
{
    explicit TReceived(TfVelicortMessageWindow &window)
    {
        QObject::connect(&window, &TfVelicortMessageWindow::OpenFileMessage,
                         [this](const QString &path) { openFiles << path; });
        QObject::connect(&window, &TfVelicortMessageWindow::ValidatorResultMessage,
                         [this](const QString &path) { validatorResults << path; });
    }
    // Handlers run once the connection is done with, so a test waits for them.
    bool WaitForOpenFiles(qsizetype count) const
    {
        return QTest::qWaitFor([&] { return openFiles.size() >= count; }, 5000) && openFiles.size() == count;
    }
    QStringList openFiles;
    QStringList validatorResults;
};

// Files to hand over, in a folder of their own.
struct TFiles
{
    QString Make(const QString &name) { return WriteTestFile(dir.filePath(name), "<p>x</p>"); }
    QTemporaryDir dir;
};

// Where Qt puts the socket: the server name, in the temporary folder when it
// names none.
QString SocketPath()
{
    return QDir(QDir::tempPath()).filePath(InstanceServerName());
}

// A client that writes raw bytes and keeps whatever comes back.
struct TRawClient
{
    explicit TRawClient(const QByteArray &bytes)
    {
        QObject::connect(&socket, &QLocalSocket::readyRead, [this] { answer += socket.readAll(); });
        socket.connectToServer(InstanceServerName());
        connected = socket.state() == QLocalSocket::ConnectedState;
        socket.write(bytes);
        socket.flush();
    }
    // True when the instance closed the connection within the time without
    // answering.
    bool DroppedWithoutAnswer(int timeoutMs)
    {
        return connected &&
               QTest::qWaitFor([this] { return socket.state() == QLocalSocket::UnconnectedState; }, timeoutMs) &&
               answer.isEmpty();
    }
    QLocalSocket socket;
    bool connected = false;
    QByteArray answer;
};

QByteArray Header(quint32 magic, quint32 kind, quint32 length)
{
    QByteArray header(12, Qt::Uninitialized);
    qToBigEndian(magic, header.data());
    qToBigEndian(kind, header.data() + 4);
    qToBigEndian(length, header.data() + 8);
    return header;
}

// Relative names, resolved in the child's own current folder: two files.
const QStringList ChildParameters{QStringLiteral("handed.htm"), QStringLiteral("over by a child.htm")};

} // namespace

TEST(SingleInstance, JoinCommandLineKeepsPathsWithBlanksWhole)
{
    EXPECT_EQ(JoinCommandLine({QStringLiteral("C:/My"), QStringLiteral("Documents/a b.htm")}),
              QStringLiteral("C:/My Documents/a b.htm"));
    EXPECT_EQ(JoinCommandLine({QStringLiteral(" /tmp/a"), QString(), QStringLiteral("b.htm ")}),
              QStringLiteral("/tmp/a  b.htm"));
    EXPECT_EQ(JoinCommandLine({QStringLiteral(" "), QString()}), QString());
    EXPECT_EQ(JoinCommandLine({}), QString());
}

TEST(SingleInstance, CommandLineFilesFollowTheFirstStartsRule)
{
    TFiles files;
    for (const char *name : {"a.htm", "b.htm", "my page.htm"})
        files.Make(QString::fromUtf8(name));
    ASSERT_TRUE(QDir(files.dir.path()).mkdir(QStringLiteral("sub")));
    const QString saved = QDir::currentPath();
    QDir::setCurrent(files.dir.path());
    const auto restore = qScopeGuard([&] { QDir::setCurrent(saved); });
    const auto path = [&](const char *name) { return files.dir.filePath(QString::fromUtf8(name)); };

    struct
    {
        QStringList parameters;
        QStringList expected;
    } const cases[] = {
        {{}, {}},
        {{QStringLiteral("a.htm")}, {path("a.htm")}},
        {{path("a.htm")}, {path("a.htm")}},
        // A path with a blank given without quotes arrives whole.
        {{QStringLiteral("my"), QStringLiteral("page.htm")}, {path("my page.htm")}},
        {{QStringLiteral("my page.htm")}, {path("my page.htm")}},
        // Otherwise each parameter that names a file, in order.
        {{QStringLiteral("b.htm"), QStringLiteral("a.htm")}, {path("b.htm"), path("a.htm")}},
        {{QStringLiteral("a.htm"), QStringLiteral("missing.htm"), QStringLiteral("sub"), QString()}, {path("a.htm")}},
        {{QStringLiteral("missing.htm")}, {}},
        {{QStringLiteral("sub")}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.parameters.join(u'|').toStdString());
        EXPECT_EQ(CommandLineFiles(c.parameters), c.expected);
    }
}

TEST(SingleInstance, ServerNameIsPerUserAndPerSettingsFile)
{
    const QByteArray saved = qgetenv("VELICORT_SETTINGS");
    const QString name = InstanceServerName();
    EXPECT_TRUE(name.contains(QString::number(::geteuid())));
    EXPECT_EQ(InstanceServerName(), name);

    qputenv("VELICORT_SETTINGS", QByteArray(saved + ".other"));
    EXPECT_NE(InstanceServerName(), name);
    // A relative path names the file in the current folder.
    qputenv("VELICORT_SETTINGS", "profile.conf");
    const QString relative = InstanceServerName();
    qputenv("VELICORT_SETTINGS", QDir::current().filePath(QStringLiteral("profile.conf")).toLocal8Bit());
    EXPECT_EQ(InstanceServerName(), relative);
    qputenv("VELICORT_SETTINGS", saved);
}

TEST(SingleInstance, NothingIsHandedOffWithoutARunningInstance)
{
    EXPECT_FALSE(HandOffToRunningInstance({QStringLiteral("/tmp/a.htm")}));
    EXPECT_FALSE(HandOffToRunningInstance({}));
    EXPECT_FALSE(SendInstanceMessage(InstanceValidatorResult, QStringLiteral("/tmp/results.txt")));
}

TEST(SingleInstance, RunningInstanceReceivesEachMessage)
{
    TfVelicortMessageWindow window;
    TReceived received(window);
    ASSERT_TRUE(window.Listen());
    // Only this user may connect.
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(SocketPath()) & others, QFile::Permissions());

    TFiles files;
    const QString page = files.Make(QStringLiteral("a b.htm"));
    EXPECT_TRUE(HandOffToRunningInstance({files.dir.filePath(QStringLiteral("a")), QStringLiteral("b.htm")}));
    ASSERT_TRUE(received.WaitForOpenFiles(1));
    EXPECT_EQ(received.openFiles, QStringList{page});

    // A handler that lets events run, as a question to the user does.
    QObject::connect(&window, &TfVelicortMessageWindow::ValidatorResultMessage, [] { QTest::qWait(50); });
    EXPECT_TRUE(SendInstanceMessage(InstanceValidatorResult, QStringLiteral("/tmp/results.txt")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.validatorResults.isEmpty(); }, 5000));
    EXPECT_EQ(received.validatorResults, QStringList{QStringLiteral("/tmp/results.txt")});

    // The longest text arrives whole, also when it ends in a character of
    // several bytes.
    const QString longest = QString(MaxInstanceTextBytes - 2, u'x') + QChar(0xE4);
    EXPECT_TRUE(SendInstanceMessage(InstanceOpenFile, longest));
    ASSERT_TRUE(received.WaitForOpenFiles(2));
    EXPECT_EQ(received.openFiles.value(1), longest);

    // A command line without files and a message too long to send end the
    // second start without a message.
    received.openFiles.clear();
    EXPECT_TRUE(HandOffToRunningInstance({}));
    EXPECT_TRUE(HandOffToRunningInstance({QStringLiteral("/no/such/file.htm")}));
    EXPECT_FALSE(SendInstanceMessage(InstanceOpenFile, longest + u'x'));
    EXPECT_FALSE(SendInstanceMessage(1068, QStringLiteral("/tmp/a.htm")));
    QTest::qWait(50);
    EXPECT_TRUE(received.openFiles.isEmpty());
    EXPECT_EQ(received.validatorResults.size(), 1);
}

TEST(SingleInstance, OnlyOneInstanceListensAtATime)
{
    auto first = std::make_unique<TfVelicortMessageWindow>();
    TReceived toFirst(*first);
    ASSERT_TRUE(first->Listen());
    TfVelicortMessageWindow second;
    TReceived toSecond(second);
    EXPECT_FALSE(second.Listen());
    TFiles files;
    const QString page = files.Make(QStringLiteral("a.htm"));
    EXPECT_TRUE(HandOffToRunningInstance({page}));
    EXPECT_TRUE(toFirst.WaitForOpenFiles(1));

    // The name is free again once the first has ended.
    first.reset();
    EXPECT_FALSE(QFileInfo::exists(SocketPath()));
    EXPECT_FALSE(HandOffToRunningInstance({page}));
    ASSERT_TRUE(second.Listen());
    EXPECT_TRUE(HandOffToRunningInstance({page}));
    EXPECT_TRUE(toSecond.WaitForOpenFiles(1));
}

TEST(SingleInstance, SocketLeftByACrashedInstanceIsTakenOver)
{
    // A socket file that nobody listens on, as a crash leaves it.
    const QByteArray path = QFile::encodeName(SocketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    memcpy(address.sun_path, path.constData(), path.size());
    const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(dead, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(dead);
    ASSERT_TRUE(QFileInfo::exists(SocketPath()));

    TFiles files;
    const QString page = files.Make(QStringLiteral("a.htm"));
    EXPECT_FALSE(HandOffToRunningInstance({page}));
    TfVelicortMessageWindow window;
    TReceived received(window);
    ASSERT_TRUE(window.Listen());
    EXPECT_TRUE(HandOffToRunningInstance({page}));
    ASSERT_TRUE(received.WaitForOpenFiles(1));
    EXPECT_EQ(received.openFiles, QStringList{page});
}

TEST(SingleInstance, MalformedMessagesAreDroppedWithoutHarm)
{
    TfVelicortMessageWindow window;
    TReceived received(window);
    ASSERT_TRUE(window.Listen());

    const QByteArray valid = InstanceMessageFrame(InstanceOpenFile, QStringLiteral("/tmp/a.htm"));
    const quint32 magic = qFromBigEndian<quint32>(valid.constData());
    // A sender that stops halfway is cut off after a while.
    TRawClient stalled(valid.left(14));

    const QByteArray garbage(1 << 20, 'G');
    const QByteArray malformed[] = {
        QByteArray("XXXX") + valid.mid(4),                               // wrong magic
        Header(magic, 1068, 4) + "/tmp",                                 // unknown kind
        Header(magic, InstanceOpenFile, MaxInstanceTextBytes + 1),       // too long
        Header(magic, InstanceOpenFile, 2) + "\xC3\x28",                 // not UTF-8
        Header(magic, InstanceOpenFile, 3) + "a\xE2\x82",                // cut-off character
        Header(magic, InstanceOpenFile, 3) + QByteArray("a\0b", 3),      // NUL
        valid + "x",                                                     // more than one message
        garbage,                                                         // no message at all
        Header(magic, InstanceOpenFile, MaxInstanceTextBytes) + garbage, // far too much
    };
    // Each is seen through at once, well before a stalled sender would be.
    for (const QByteArray &bytes : malformed) {
        TRawClient client(bytes);
        EXPECT_TRUE(client.DroppedWithoutAnswer(1500)) << bytes.left(16).toHex().toStdString();
    }
    EXPECT_TRUE(stalled.DroppedWithoutAnswer(10000));
    EXPECT_TRUE(received.openFiles.isEmpty());
    EXPECT_TRUE(received.validatorResults.isEmpty());

    // A message written in pieces is fine, and so is the next sender.
    TRawClient pieces(valid.left(5));
    QTest::qWait(20);
    pieces.socket.write(valid.mid(5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pieces.answer.isEmpty(); }, 5000));
    EXPECT_EQ(pieces.answer.size(), 1);
    TFiles files;
    const QString page = files.Make(QStringLiteral("b.htm"));
    EXPECT_TRUE(HandOffToRunningInstance({page}));
    ASSERT_TRUE(received.WaitForOpenFiles(2));
    EXPECT_EQ(received.openFiles, (QStringList{QStringLiteral("/tmp/a.htm"), page}));
}

TEST(SingleInstance, HandlersRunOnlyAfterTheSenderIsAnsweredAndGone)
{
    TfVelicortMessageWindow window;
    ASSERT_TRUE(window.Listen());
    auto sender = std::make_unique<TRawClient>(InstanceMessageFrame(InstanceOpenFile, QStringLiteral("/tmp/a.htm")));
    bool senderAnsweredAndGone = false;
    QStringList handled;
    QObject::connect(&window, &TfVelicortMessageWindow::OpenFileMessage, [&](const QString &path) {
        // As a modal question does ("Already open"), the handler lets events
        // run while the sender takes its answer and ends.
        if (sender) {
            senderAnsweredAndGone = QTest::qWaitFor(
                [&] { return sender->answer.size() == 1 && sender->socket.state() == QLocalSocket::UnconnectedState; },
                2000);
            sender.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QTest::qWait(20);
        }
        handled << path;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !handled.isEmpty(); }, 5000));
    EXPECT_TRUE(senderAnsweredAndGone);

    // The instance goes on taking messages.
    TFiles files;
    const QString page = files.Make(QStringLiteral("b.htm"));
    EXPECT_TRUE(HandOffToRunningInstance({page}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() == 2; }, 5000));
    EXPECT_EQ(handled, (QStringList{QStringLiteral("/tmp/a.htm"), page}));
}

TEST(SingleInstance, MessagesThatComeWhileAHandlerWaitsAreHandledAfterItInOrder)
{
    TfVelicortMessageWindow window;
    ASSERT_TRUE(window.Listen());
    QStringList handled;
    int depth = 0;
    int deepest = 0;
    bool waited = false;
    bool sentWhileWaiting = false;
    QObject::connect(&window, &TfVelicortMessageWindow::OpenFileMessage, [&](const QString &path) {
        deepest = std::max(deepest, ++depth);
        if (!std::exchange(waited, true)) {
            // As a question box does, the first handler waits on the user
            // while two more starts hand their files over.
            QElapsedTimer elapsed;
            elapsed.start();
            sentWhileWaiting = SendInstanceMessage(InstanceOpenFile, QStringLiteral("/tmp/b.htm")) &&
                               SendInstanceMessage(InstanceOpenFile, QStringLiteral("/tmp/c.htm")) &&
                               elapsed.elapsed() < 2000;
            QTest::qWait(50);
        }
        handled << path;
        --depth;
    });
    ASSERT_TRUE(SendInstanceMessage(InstanceOpenFile, QStringLiteral("/tmp/a.htm")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() == 3; }, 5000));
    EXPECT_TRUE(sentWhileWaiting);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(handled,
              (QStringList{QStringLiteral("/tmp/a.htm"), QStringLiteral("/tmp/b.htm"), QStringLiteral("/tmp/c.htm")}));
}

TEST(SingleInstance, TheSocketLivesInTheUsersOwnRuntimeFolder)
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const auto restore = qScopeGuard([&] {
        if (saved.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", saved);
    });
    QTemporaryDir runtime; // made 0700
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString name = InstanceServerName();
    EXPECT_EQ(QFileInfo(name).absolutePath(), runtime.path());

    // Someone who took the name in the shared temporary folder stops nothing.
    const QString squatted = QDir::temp().filePath(QFileInfo(name).fileName());
    WriteTestFile(squatted, "mine");
    const auto unsquat = qScopeGuard([&] { QFile::remove(squatted); });
    {
        TfVelicortMessageWindow window;
        TReceived received(window);
        ASSERT_TRUE(window.Listen());
        EXPECT_TRUE(QFileInfo::exists(name));
        EXPECT_TRUE(SendInstanceMessage(InstanceOpenFile, QStringLiteral("/tmp/a.htm")));
        ASSERT_TRUE(received.WaitForOpenFiles(1));
    }

    // A runtime folder that others may enter, or none, is not used.
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadOther | QFile::ExeOther));
    EXPECT_FALSE(InstanceServerName().contains(u'/'));
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_FALSE(InstanceServerName().contains(u'/'));
}

TEST(InstanceMessageReader, TakesAMessageByteByByte)
{
    const QString text = QStringLiteral("/tmp/\u00E4 \u20AC.htm");
    const QByteArray frame = InstanceMessageFrame(InstanceValidatorResult, text);
    TInstanceMessageReader reader;
    for (qsizetype i = 0; i + 1 < frame.size(); ++i)
        ASSERT_EQ(reader.Feed(frame.sliced(i, 1)), TInstanceMessageReader::Incomplete) << i;
    EXPECT_EQ(reader.Feed(frame.last(1)), TInstanceMessageReader::Complete);
    EXPECT_EQ(reader.Kind(), InstanceValidatorResult);
    EXPECT_EQ(reader.Text(), text);
    EXPECT_EQ(reader.Feed("x"), TInstanceMessageReader::Invalid);
    EXPECT_TRUE(InstanceMessageFrame(InstanceOpenFile, QString(MaxInstanceTextBytes + 1, u'x')).isEmpty());
}

// Run by the test below as a second process, with its settings file.
TEST(SingleInstance, DISABLED_ChildHandsItsCommandLineOver)
{
    qputenv("VELICORT_SETTINGS", qgetenv("VELICORT_PARENT_SETTINGS"));
    EXPECT_TRUE(HandOffToRunningInstance(ChildParameters));
}

TEST(SingleInstance, SecondProcessHandsItsCommandLineToTheFirst)
{
    TfVelicortMessageWindow window;
    TReceived received(window);
    ASSERT_TRUE(window.Listen());

    // The test main gives every process a settings file of its own, so the
    // child learns ours under another name.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELICORT_PARENT_SETTINGS"), SettingsFilePath());
    // The child starts in a folder of its own, with relative names.
    TFiles files;
    QStringList expected;
    for (const QString &name : ChildParameters)
        expected << files.Make(name);
    QProcess child;
    child.setWorkingDirectory(files.dir.path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SingleInstance.DISABLED_ChildHandsItsCommandLineOver"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return child.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    ASSERT_TRUE(received.WaitForOpenFiles(2));
    EXPECT_EQ(received.openFiles, expected);
}
