// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps unsaved work safe. Every modified document, untitled ones included,
// is copied to this program's recovery folder a few seconds after the last
// edit, and at least once a minute while edits go on; the text is taken on
// this thread and written on a writer thread of its own. Saving or closing a
// document removes its copy, a clean exit all of them. At start-up it
// reopens the last session when so set and offers back, in the "Recover
// Unsaved Work" window, what a program that crashed left behind.

#include "RecoveryCopy.h"
#include "RecoverySettings.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <functional>

class QWidget;
class TfRecoverWork;
class TvqHTMLTab;
class TvqRichHTML;

// The longest a modified document goes without a copy while edits go on.
inline constexpr int LongestRecoveryWaitMs = 60000;

// What a copy of an editor's document holds, taken at once.
TRecoveryCopy RecoveryCopyOf(const TvqRichHTML *editor);

class TRecoveryController : public QObject
{
    Q_OBJECT

public:
    // root: the recovery folder of this profile; openFiles opens files in
    // tabs in order, as the File commands do.
    TRecoveryController(TvqHTMLTab *documents, const QString &root, std::function<void(const QStringList &)> openFiles,
                        QWidget *window);
    ~TRecoveryController() override;

    TRecoveryOptions Options() const { return m_options; }
    // Applies the options and stores them.
    void SetOptions(const TRecoveryOptions &options);

    // Once the window shows: reopens the last session when so set, then
    // shows what a crash left behind.
    void Start();
    // The open documents become the last session; called before they close
    // at exit.
    void RecordSession() const;
    // The program ends cleanly: the copies under way are waited for, then
    // every copy is removed.
    void Finish();

    // Copies each modified document edited since its last copy and removes
    // the copies of documents no longer modified; what the timers do.
    void CopyNow();
    // Waits until every copy handed to the writer is on disk.
    void WaitForWrites();
    // The folder of this program's copies; empty until the first copy.
    QString Folder() const;
    // The window of copies left behind; null when none is open.
    TfRecoverWork *RecoverWindow() const;

    // A left copy opened as a modified document with its file name, never
    // written to its file; its copy goes.
    void Restore(const TLeftCopy &left);
    void Discard(const TLeftCopy &left);

signals:
    // For the status bar.
    void StatusText(const QString &text);

private:
    struct TTracked
    {
        QString name; // of its copy
        bool edited = false;
        bool copied = false;
    };

    void Track(TvqRichHTML *editor);
    void Edited(TvqRichHTML *editor);
    void ModifyStatusChanged(TvqRichHTML *editor);
    void Forget(TvqRichHTML *editor);
    void RemoveCopy(TTracked &tracked);
    void WriteDone(bool ok);
    void ReportFailure();
    void ReopenSession();
    void OfferLeftCopies();

    TvqHTMLTab *m_documents;
    QString m_root;
    std::function<void(const QStringList &)> m_openFiles;
    QWidget *m_window;
    TRecoveryOptions m_options;
    TRecoveryStore m_store; // used by the writer thread, one task at a time
    QHash<TvqRichHTML *, TTracked> m_tracked;
    int m_nextName = 1;
    QTimer m_idle;    // after the last edit
    QTimer m_longest; // since the first edit not copied
    QThreadPool m_writer;
    bool m_failureShown = false;
    QPointer<TfRecoverWork> m_recoverWindow;
};
