// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryController.h"

#include "LongRun.h"
#include "MessageService.h"
#include "Paths.h"
#include "RecoveryTestHook.h"
#include "TfRecoverWork.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

TRecoveryCopy RecoveryCopyOf(const TvqRichHTML *editor)
{
    TRecoveryCopy copy;
    copy.fileName = editor->Filename();
    copy.encoding = editor->DetectedEncoding();
    copy.lineEnds = editor->LineEnds();
    copy.caret = editor->GetSelStart();
    copy.webAddress = editor->WebAddress();
    copy.fileTime = editor->FileTime();
    copy.copied = QDateTime::currentDateTime();
    const std::string_view text = editor->TextView();
    copy.text = QByteArray(text.data(), qsizetype(text.size()));
    return copy;
}

TRecoveryController::TRecoveryController(TvqHTMLTab *documents, const QString &root,
                                         std::function<void(const QStringList &)> openFiles, QWidget *window)
    : QObject(window), m_documents(documents), m_root(root), m_openFiles(std::move(openFiles)), m_window(window),
      m_options(ReadRecoveryOptions()), m_store(root)
{
    // One writer: a copy and its removal reach the disk in the order given.
    m_writer.setMaxThreadCount(1);
    m_idle.setSingleShot(true);
    m_longest.setSingleShot(true);
    m_longest.setInterval(LongestRecoveryWaitMs);
    m_idle.setInterval(m_options.DelaySeconds * 1000);
    connect(&m_idle, &QTimer::timeout, this, &TRecoveryController::CopyNow);
    connect(&m_longest, &QTimer::timeout, this, &TRecoveryController::CopyNow);
    for (int i = 0; i < documents->DocumentCount(); ++i)
        Track(documents->Editor(i));
    connect(documents, &TvqHTMLTab::OnDocumentAdded, this, &TRecoveryController::Track);
}

TRecoveryController::~TRecoveryController()
{
    m_writer.waitForDone();
}

void TRecoveryController::Track(TvqRichHTML *editor)
{
    m_tracked.insert(editor, {QStringLiteral("doc-%1").arg(m_nextName++)});
    connect(editor, &TvqRichHTML::Change, this, [this, editor] { Edited(editor); });
    connect(editor, &TvqRichHTML::ModifyStatusChange, this, [this, editor] { ModifyStatusChanged(editor); });
    connect(editor, &TvqRichHTML::DocumentSaved, this, [this, editor] { RemoveCopy(m_tracked[editor]); });
    connect(editor, &QObject::destroyed, this, [this, editor] { Forget(editor); });
}

void TRecoveryController::Edited(TvqRichHTML *editor)
{
    const auto tracked = m_tracked.find(editor);
    if (tracked == m_tracked.end() || !m_options.Enabled)
        return;
    tracked->edited = true;
    m_idle.start();
    if (!m_longest.isActive())
        m_longest.start();
}

void TRecoveryController::ModifyStatusChanged(TvqRichHTML *editor)
{
    const auto tracked = m_tracked.find(editor);
    if (tracked == m_tracked.end())
        return;
    if (editor->Modified())
        Edited(editor);
    else
        RemoveCopy(*tracked);
}

void TRecoveryController::Forget(TvqRichHTML *editor)
{
    const auto tracked = m_tracked.find(editor);
    if (tracked == m_tracked.end())
        return;
    RemoveCopy(*tracked);
    m_tracked.erase(tracked);
}

void TRecoveryController::RemoveCopy(TTracked &tracked)
{
    tracked.edited = false;
    if (!tracked.copied)
        return;
    tracked.copied = false;
    m_writer.start([this, name = tracked.name] { m_store.Remove(name); });
}

void TRecoveryController::CopyNow()
{
    m_idle.stop();
    m_longest.stop();
    if (!m_options.Enabled)
        return;
    for (auto it = m_tracked.begin(); it != m_tracked.end(); ++it) {
        TvqRichHTML *editor = it.key();
        if (!editor->Modified()) {
            RemoveCopy(*it);
            continue;
        }
        if (!it->edited)
            continue;
        // The folder is made with the first copy: a session without edits
        // leaves nothing on disk.
        if (!m_store.IsOpen() && !m_store.Open()) {
            ReportFailure();
            return;
        }
        it->edited = false;
        it->copied = true;
        m_writer.start([this, name = it->name, copy = RecoveryCopyOf(editor)] {
            const bool ok = m_store.Write(name, copy).ok();
            QMetaObject::invokeMethod(
                this, [this, ok] { WriteDone(ok); }, Qt::QueuedConnection);
        });
    }
}

void TRecoveryController::WaitForWrites()
{
    m_writer.waitForDone();
}

QString TRecoveryController::Folder() const
{
    return m_store.IsOpen() ? m_store.Folder() : QString();
}

TfRecoverWork *TRecoveryController::RecoverWindow() const
{
    return m_recoverWindow;
}

void TRecoveryController::WriteDone(bool ok)
{
    if (ok)
        m_failureShown = false;
    else
        ReportFailure();
}

void TRecoveryController::ReportFailure()
{
    // Once until copies can be written again; editing goes on regardless.
    if (m_failureShown)
        return;
    m_failureShown = true;
    emit StatusText(QStringLiteral("Unable to write recovery copies to ") + QDir::toNativeSeparators(m_root) +
                    QStringLiteral(" - unsaved work is not protected."));
}

void TRecoveryController::SetOptions(const TRecoveryOptions &options)
{
    const bool wasEnabled = std::exchange(m_options, options).Enabled;
    WriteRecoveryOptions(options);
    m_idle.setInterval(options.DelaySeconds * 1000);
    if (options.Enabled && !wasEnabled) {
        // What was modified before copies were on is copied too.
        for (auto it = m_tracked.begin(); it != m_tracked.end(); ++it)
            if (it.key()->Modified())
                Edited(it.key());
    } else if (!options.Enabled && wasEnabled) {
        m_idle.stop();
        m_longest.stop();
        m_writer.waitForDone();
        m_store.Close();
        for (TTracked &tracked : m_tracked)
            tracked.copied = tracked.edited = false;
    }
}

void TRecoveryController::Start()
{
    if (m_options.ReopenSession)
        ReopenSession();
    OfferLeftCopies();
    RunTestEditsIfAsked(m_documents, m_openFiles);
}

void TRecoveryController::ReopenSession()
{
    const TSession session = ReadSession();
    QStringList existing;
    QStringList vanished;
    for (const TSessionDocument &document : session.documents)
        (QFileInfo(document.fileName).isFile() ? existing : vanished).append(document.fileName);
    if (!existing.isEmpty())
        m_openFiles(existing);
    // Each reopened document where it was left.
    int active = -1;
    for (int i = 0; i < session.documents.size(); ++i) {
        const TSessionDocument &document = session.documents.at(i);
        for (int tab = 0; tab < m_documents->DocumentCount(); ++tab) {
            if (m_documents->DocumentFileName(tab) != document.fileName)
                continue;
            TvqRichHTML *editor = m_documents->Editor(tab);
            editor->SetSel(std::min(document.caret, editor->TextLength()), 0);
            editor->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, document.firstLine);
            if (i == session.active)
                active = tab;
        }
    }
    if (active >= 0)
        m_documents->SetTabIndex(active);
    if (!vanished.isEmpty())
        MessageDlg(QStringLiteral("These documents of the last session no longer exist and were not reopened:\n\n") +
                       vanished.join(u'\n'),
                   TMsgKind::Information);
}

void TRecoveryController::RecordSession() const
{
    TSession session;
    for (int i = 0; i < m_documents->DocumentCount(); ++i) {
        const TvqRichHTML *editor = m_documents->Editor(i);
        if (editor->Filename().isEmpty())
            continue;
        if (i == m_documents->TabIndex())
            session.active = int(session.documents.size());
        session.documents.append({editor->Filename(), editor->GetSelStart(),
                                  int(editor->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE))});
    }
    WriteSession(session);
}

void TRecoveryController::Finish()
{
    m_idle.stop();
    m_longest.stop();
    m_writer.waitForDone();
    m_store.Close();
    // The profile's folder goes too when nothing else is left in it.
    QDir().rmdir(m_root);
}

void TRecoveryController::OfferLeftCopies()
{
    const QList<TLeftCopy> left = LeftBehindCopies(m_root);
    if (left.isEmpty())
        return;
    m_recoverWindow = new TfRecoverWork(
        left, [this](const TLeftCopy &copy) { Restore(copy); }, [this](const TLeftCopy &copy) { Discard(copy); },
        m_window);
    m_recoverWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_recoverWindow->show();
}

void TRecoveryController::Restore(const TLeftCopy &left)
{
    // A run that lets events through owns the documents until it ends.
    TLongRun::WhenIdle(this, [this, left] {
        const TRecoveryCopy &copy = left.copy;
        // The file opened unchanged (the last session reopened it) gives way
        // to its unsaved work.
        for (int i = m_documents->DocumentCount() - 1; i >= 0 && !copy.fileName.isEmpty(); --i)
            if (SameFilePath(m_documents->DocumentFileName(i), copy.fileName) && !m_documents->Editor(i)->Modified())
                m_documents->CloseDocument(i);
        const TvqRichHTML *active = m_documents->ActiveEditor();
        if (!m_documents->AddRestoredDocument(copy.fileName, copy.text, copy.encoding, copy.lineEnds, copy.fileTime,
                                              active->ColorCodeMode(), 0))
            return;
        TvqRichHTML *editor = m_documents->ActiveEditor();
        editor->SetWebAddress(copy.webAddress);
        editor->SetSel(copy.caret, 0);
        DiscardLeftCopy(left.path);
    });
}

void TRecoveryController::Discard(const TLeftCopy &left)
{
    DiscardLeftCopy(left.path);
}
