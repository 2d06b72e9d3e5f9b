// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqFileViewThread.h"

#include <QElapsedTimer>

namespace {

// A batch goes to the list when it is this big or this old, whichever comes
// first: big enough to keep the hand-overs cheap, small enough that the main
// thread answers input between two of them.
constexpr qsizetype BatchFiles = 256;
constexpr qint64 BatchMilliseconds = 15;

} // namespace

TvqFileViewThread::TvqFileViewThread(quint64 serial, const QStringList &paths, const QStringList &htmlExtensions,
                                     bool columns, QObject *parent)
    : QThread(parent), m_serial(serial), m_paths(paths), m_htmlExtensions(htmlExtensions), m_columns(columns)
{
}

void TvqFileViewThread::Stop()
{
    requestInterruption();
    m_free.release(); // wakes a hand-over waiting for the list
}

bool TvqFileViewThread::HandOver(QList<TScannedFile> &batch)
{
    m_free.acquire();
    if (isInterruptionRequested())
        return false;
    emit FilesRead(m_serial, batch);
    batch.clear();
    return true;
}

void TvqFileViewThread::run()
{
    QList<TScannedFile> batch;
    QElapsedTimer age;
    for (const QString &path : m_paths) {
        if (isInterruptionRequested())
            return;
        if (batch.isEmpty())
            age.start();
        batch.append({path, ReadFileDetails(path, m_htmlExtensions, m_columns)});
        if ((batch.size() >= BatchFiles || age.elapsed() >= BatchMilliseconds) && !HandOver(batch))
            return;
    }
    if (!batch.isEmpty())
        HandOver(batch);
}
