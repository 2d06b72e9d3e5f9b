// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryCopy.h"

#include "SettingsStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {

const QString LockName = QStringLiteral("lock");
const QString CopySuffix = QStringLiteral(".vrc");

const char *const LineEndNames[] = {"crlf", "lf", "mixed", "lfonly"};

QString LineEndName(TLineEnds lineEnds)
{
    return QLatin1String(LineEndNames[int(lineEnds)]);
}

std::optional<TLineEnds> LineEndsNamed(const QString &name)
{
    for (int i = 0; i < int(std::size(LineEndNames)); ++i)
        if (name == QLatin1String(LineEndNames[i]))
            return TLineEnds(i);
    return std::nullopt;
}

// A lock that counts as held only while the program that took it runs.
std::unique_ptr<QLockFile> FolderLock(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(LockName));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

QByteArray RecoveryCopyBytes(const TRecoveryCopy &copy)
{
    const QJsonObject header{
        {QStringLiteral("file"), copy.fileName},
        {QStringLiteral("encoding"), copy.encoding.encoding == TTextEncoding::Windows1252
                                         ? QStringLiteral("windows-1252")
                                         : QStringLiteral("utf-8")},
        {QStringLiteral("charset"), copy.encoding.otherCharset},
        {QStringLiteral("lineEnds"), LineEndName(copy.lineEnds)},
        {QStringLiteral("caret"), qint64(copy.caret)},
        {QStringLiteral("web"), copy.webAddress},
        {QStringLiteral("fileTime"), copy.fileTime},
        {QStringLiteral("copied"), copy.copied.toMSecsSinceEpoch()},
        {QStringLiteral("length"), qint64(copy.text.size())},
    };
    // Compact JSON escapes every line break: the header is one line.
    return QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n' + copy.text;
}

std::optional<TRecoveryCopy> ParseRecoveryCopy(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.first(end));
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject header = document.object();
    const std::optional<TLineEnds> lineEnds = LineEndsNamed(header.value(QStringLiteral("lineEnds")).toString());
    const QString encoding = header.value(QStringLiteral("encoding")).toString();
    TRecoveryCopy copy;
    copy.text = bytes.sliced(end + 1);
    if (!lineEnds || (encoding != QLatin1String("utf-8") && encoding != QLatin1String("windows-1252")) ||
        header.value(QStringLiteral("length")).toInteger(-1) != copy.text.size())
        return std::nullopt;
    copy.fileName = header.value(QStringLiteral("file")).toString();
    copy.encoding.encoding = encoding == QLatin1String("utf-8") ? TTextEncoding::Utf8 : TTextEncoding::Windows1252;
    copy.encoding.otherCharset = header.value(QStringLiteral("charset")).toString();
    copy.lineEnds = *lineEnds;
    copy.caret = std::clamp<qsizetype>(header.value(QStringLiteral("caret")).toInteger(), 0, copy.text.size());
    copy.webAddress = header.value(QStringLiteral("web")).toString();
    copy.fileTime = header.value(QStringLiteral("fileTime")).toInteger();
    copy.copied = QDateTime::fromMSecsSinceEpoch(header.value(QStringLiteral("copied")).toInteger());
    return copy;
}

QString RecoveryFolder()
{
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (qEnvironmentVariableIsEmpty("VELICORT_SETTINGS"))
        return data.filePath(QStringLiteral("Recovery"));
    const QByteArray profile = QFileInfo(SettingsFilePath()).absoluteFilePath().toUtf8();
    return data.filePath(QStringLiteral("Recovery-") +
                         QLatin1String(QCryptographicHash::hash(profile, QCryptographicHash::Sha256).toHex().left(16)));
}

TRecoveryStore::TRecoveryStore(const QString &root) : m_root(root)
{
}

TRecoveryStore::~TRecoveryStore() = default;

bool TRecoveryStore::Open()
{
    const QString name = QStringLiteral("%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    m_folder = QDir(m_root).filePath(name);
    if (!QDir().mkpath(m_folder))
        return false;
    auto lock = FolderLock(m_folder);
    if (!lock->tryLock(0)) {
        QDir(m_folder).removeRecursively();
        return false;
    }
    m_lock = std::move(lock);
    return true;
}

TFileResult TRecoveryStore::Write(const QString &name, const TRecoveryCopy &copy) const
{
    return WriteWholeFile(QDir(m_folder).filePath(name + CopySuffix), RecoveryCopyBytes(copy));
}

void TRecoveryStore::Remove(const QString &name) const
{
    QFile::remove(QDir(m_folder).filePath(name + CopySuffix));
}

void TRecoveryStore::Close()
{
    if (!m_lock)
        return;
    m_lock.reset();
    QDir(m_folder).removeRecursively();
}

QList<TLeftCopy> LeftBehindCopies(const QString &root)
{
    QList<TLeftCopy> copies;
    const QFileInfoList folders = QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &folder : folders) {
        // Taking the lock succeeds only when no running program holds it.
        const std::unique_ptr<QLockFile> lock = FolderLock(folder.filePath());
        if (!lock->tryLock(0))
            continue;
        RemoveStaleTemporaryFiles(folder.filePath());
        bool any = false;
        const QFileInfoList files = QDir(folder.filePath()).entryInfoList({u'*' + CopySuffix}, QDir::Files);
        for (const QFileInfo &file : files) {
            QByteArray bytes;
            std::optional<TRecoveryCopy> copy;
            if (ReadWholeFile(file.filePath(), bytes).ok())
                copy = ParseRecoveryCopy(bytes);
            if (!copy)
                continue;
            any = true;
            TLeftCopy left{file.filePath(), *copy, false};
            if (!copy->fileName.isEmpty()) {
                const QFileInfo onDisk(copy->fileName);
                left.changedOnDisk = !onDisk.exists() || (copy->fileTime != 0 &&
                                                          onDisk.lastModified().toMSecsSinceEpoch() != copy->fileTime);
            }
            copies.append(left);
        }
        if (!any) {
            lock->unlock();
            QDir(folder.filePath()).removeRecursively();
        }
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const TLeftCopy &a, const TLeftCopy &b) { return a.copy.copied < b.copy.copied; });
    return copies;
}

void DiscardLeftCopy(const QString &path)
{
    QFile::remove(path);
    const QDir folder = QFileInfo(path).dir();
    if (folder.entryList({u'*' + CopySuffix}, QDir::Files).isEmpty())
        QDir(folder).removeRecursively();
}

QString DiskStateText(const TLeftCopy &left)
{
    if (left.copy.fileName.isEmpty())
        return QString();
    if (!QFileInfo::exists(left.copy.fileName))
        return QStringLiteral("Missing on disk");
    return left.changedOnDisk ? QStringLiteral("Changed on disk") : QStringLiteral("Unchanged on disk");
}
