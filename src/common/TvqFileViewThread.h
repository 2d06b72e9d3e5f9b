// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The scan thread of a file list: reads each file's details in list order
// and hands them to the list on the main thread in small batches. At most
// one batch waits for the list at a time, so the main thread's queue never
// floods and input and painting go on between batches. The thread never
// waits for the main thread in a way a stop cannot end: Stop wakes it.

#include "TvqFileView.h"

#include <QSemaphore>
#include <QThread>

class TvqFileViewThread : public QThread
{
    Q_OBJECT

public:
    TvqFileViewThread(quint64 serial, const QStringList &paths, const QStringList &htmlExtensions, bool columns,
                      QObject *parent = nullptr);

    // The list took the last batch: the next one may come.
    void HandedOver() { m_free.release(); }
    // Asks the scan to stop after the batch it is working on.
    void Stop();

signals:
    void FilesRead(quint64 serial, const QList<TScannedFile> &files);

protected:
    void run() override;

private:
    // Waits until the list took the last batch, then hands this one over;
    // false when asked to stop meanwhile.
    bool HandOver(QList<TScannedFile> &batch);

    const quint64 m_serial;
    const QStringList m_paths;
    const QStringList m_htmlExtensions;
    const bool m_columns;
    QSemaphore m_free{1};
};
