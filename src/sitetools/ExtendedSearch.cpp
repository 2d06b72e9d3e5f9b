// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtendedSearch.h"

#include "DocumentFile.h"
#include "FileIO.h"
#include "FileUtils.h"
#include "HTMLExtensions.h"
#include "PlainReplace.h"
#include "TextEncoding.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Enough to keep reads and the waits for the disk overlapping.
constexpr int SearchThreads = 4;

std::string_view View(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

bool AsciiWithoutLineBreaks(const QByteArray &bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0 || c == '\r' || c == '\n'; });
}

QString ErrorText(const TFileResult &result)
{
    if (result.sharingViolation)
        return QStringLiteral("File is in use by another program.");
    return qt_error_string(result.code);
}

} // namespace

TExtendedSearch::TExtendedSearch(const QString &find, const QString &replace, bool findOnly, int options,
                                 bool unixLineEnds)
    : m_find(EditorLineBreaks(find).toUtf8()), m_replace(findOnly ? QByteArray() : EditorLineBreaks(replace).toUtf8()),
      m_findOnly(findOnly), m_options(options), m_unixLineEnds(unixLineEnds),
      m_onFileBytes(AsciiWithoutLineBreaks(m_find) && AsciiWithoutLineBreaks(m_replace)),
      m_replaceIn1252(EncodeWindows1252(QString::fromUtf8(m_replace)).has_value())
{
}

QString TExtendedSearch::EditorLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    return result.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

QStringList TExtendedSearch::FolderDocuments(const QString &folder, bool subfolders, const QStringList &htmlExtensions)
{
    const QString masks = HTMLDocumentFilter(htmlExtensions, QStringLiteral("|"));
    return subfolders ? ListFilesByMasksRecursive(folder, masks) : ListFilesByMasks(folder, masks);
}

TExtendedSearch::TChange TExtendedSearch::Apply(const QByteArray &fileBytes) const
{
    const bool matchCase = m_options & esoMatchCase;
    TChange change;
    if (m_onFileBytes) {
        if (m_findOnly) {
            change.count = CountPlain(View(fileBytes), View(m_find), matchCase);
            return change;
        }
        TPlainReplaced replaced = ReplacePlain(View(fileBytes), View(m_find), View(m_replace), matchCase);
        change.count = replaced.count;
        // Folding the line breaks commutes with an ASCII replacement and
        // with either encoding.
        if (change.count > 0)
            change.bytes = m_unixLineEnds ? FileBytesFromDocument(replaced.text.constData(), replaced.text.size(),
                                                                  TLineEnds::LfOnly)
                                          : std::move(replaced.text);
        return change;
    }
    const TDocumentText document = DocumentTextFromFile(fileBytes);
    if (m_findOnly) {
        change.count = CountPlain(View(document.bytes), View(m_find), matchCase);
        return change;
    }
    const bool in1252 = document.encoding.encoding == TTextEncoding::Windows1252;
    if (in1252 && !m_replaceIn1252) {
        change.unencodable = CountPlain(View(document.bytes), View(m_find), matchCase) > 0;
        return change;
    }
    const TPlainReplaced replaced = ReplacePlain(View(document.bytes), View(m_find), View(m_replace), matchCase);
    change.count = replaced.count;
    if (change.count == 0)
        return change;
    change.bytes = FileBytesFromDocument(replaced.text.constData(), replaced.text.size(),
                                         m_unixLineEnds ? TLineEnds::LfOnly : document.lineEnds);
    if (in1252)
        change.bytes = *EncodeWindows1252(QString::fromUtf8(change.bytes));
    return change;
}

TExtendedSearch::TFileStamp TExtendedSearch::StampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

TExtendedSearch::TPrepared TExtendedSearch::Prepare(const QString &path) const
{
    TPrepared prepared;
    TExtendedSearchRow &row = prepared.row;
    row.file = path;
    if (!m_findOnly) {
        if (!QFileInfo::exists(path)) {
            row.message = QStringLiteral("File not found");
            return prepared;
        }
        if (IsReadOnlyFile(path)) {
            row.message = QStringLiteral("skipped read-only file");
            return prepared;
        }
    }
    // What another program may change before the file is written back.
    if (!m_findOnly)
        prepared.stamp = StampOf(path);
    const TFileResult result = ReadWholeFile(path, prepared.bytes);
    if (!result.ok()) {
        row.message = QStringLiteral("Unable to read file: ") + ErrorText(result);
        return prepared;
    }
    prepared.change = Apply(prepared.bytes);
    row.count = prepared.change.count;
    if (prepared.change.unencodable)
        row.message = QStringLiteral("not changed: Windows-1252, the encoding of this document, cannot hold the "
                                     "replacement");
    return prepared;
}

TExtendedSearchRow TExtendedSearch::Commit(TPrepared prepared) const
{
    TExtendedSearchRow &row = prepared.row;
    const QString &path = row.file;
    if (m_findOnly || (m_options & esoDryRun) || prepared.change.count == 0)
        return row;
    if (StampOf(path) != prepared.stamp) {
        row.message = QStringLiteral("not changed: another program changed the file meanwhile");
        return row;
    }
    // The backup only of a file that changes, so that no older copy is lost
    // for a file that stays as it was.
    if (m_options & esoBackups) {
        const TFileResult backup = WriteWholeFile(path + QStringLiteral(".bak"), prepared.bytes);
        if (!backup.ok()) {
            row.message = QStringLiteral("not changed: unable to write the backup: ") + ErrorText(backup);
            return row;
        }
    }
    const TFileResult written = SaveDocumentFile(path, prepared.change.bytes);
    if (!written.ok()) {
        row.message = written.readOnly ? QStringLiteral("skipped read-only file")
                                       : QStringLiteral("Unable to save file: ") + ErrorText(written);
        return row;
    }
    row.written = true;
    return row;
}

void TExtendedSearch::ProcessAll(const QStringList &files, const std::function<void(const TExtendedSearchRow &)> &row,
                                 const std::function<bool()> &keepGoing) const
{
    const qsizetype count = files.size();
    std::vector<std::optional<TExtendedSearchRow>> rows(static_cast<size_t>(count));
    std::mutex mutex;
    std::condition_variable done;
    std::atomic<qsizetype> next{0};
    std::atomic<bool> stop{false};
    qsizetype waitingFor = 0; // under the mutex
    const auto work = [&] {
        while (!stop) {
            // The files taken are always the first ones of the list.
            const qsizetype i = next++;
            if (i >= count)
                return;
            TExtendedSearchRow processed = Process(files[i]);
            bool awaited = false;
            {
                const std::lock_guard lock(mutex);
                rows[size_t(i)] = std::move(processed);
                awaited = i == waitingFor;
            }
            // Only the row the caller waits for wakes it: it then takes all
            // that are ready, instead of waking for each of thousands.
            if (awaited)
                done.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < std::min<qsizetype>(SearchThreads, count); ++i)
        workers.emplace_back(work);

    qsizetype shown = 0;
    const auto showReady = [&](std::unique_lock<std::mutex> &lock) {
        while (shown < count && rows[size_t(shown)]) {
            const TExtendedSearchRow ready = std::move(*rows[size_t(shown)]);
            ++shown;
            lock.unlock();
            row(ready);
            lock.lock();
        }
    };
    while (shown < count && !stop) {
        std::unique_lock lock(mutex);
        waitingFor = shown;
        done.wait_for(lock, std::chrono::milliseconds(10), [&] { return rows[size_t(shown)].has_value(); });
        showReady(lock);
        lock.unlock();
        if (shown < count && !keepGoing())
            stop = true;
    }
    stop = true;
    for (std::thread &worker : workers)
        worker.join();
    std::unique_lock lock(mutex);
    showReady(lock);
}
