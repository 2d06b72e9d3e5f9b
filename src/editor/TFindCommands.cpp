// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFindCommands.h"

#include "CommandBinder.h"
#include "LongRun.h"
#include "MessageService.h"
#include "SettingsStore.h"
#include "TFindBar.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

const QString FindKey = QStringLiteral("Software\\Velicort\\Find");
// The texts searched for and replaced with that the drop-downs keep.
constexpr int HistoryLength = 15;
// Counting all matches waits this long after an edit of the document, so
// that typing in a large page does not count at every key.
constexpr int CountDelayMs = 150;

QStringList ReadHistory(const QString &prefix)
{
    QStringList texts;
    for (int i = 1; i <= HistoryLength; ++i) {
        const QString text = ReadRegValue(FindKey, prefix + QString::number(i), QString());
        if (text.isEmpty())
            break;
        texts.append(text);
    }
    return texts;
}

void WriteHistory(const QString &prefix, const QStringList &texts)
{
    for (int i = 1; i <= HistoryLength; ++i)
        WriteRegValue(FindKey, prefix + QString::number(i), texts.value(i - 1));
}

// Puts a text first in a history.
bool AddToHistory(QStringList &texts, const QString &text)
{
    if (text.isEmpty() || (!texts.isEmpty() && texts.first() == text))
        return false;
    texts.removeAll(text);
    texts.prepend(text);
    while (texts.size() > HistoryLength)
        texts.removeLast();
    return true;
}

// The position one character on; a CR LF pair counts as one.
qsizetype NextCharacter(std::string_view text, qsizetype position)
{
    const qsizetype size = qsizetype(text.size());
    if (position >= size)
        return size + 1;
    if (text[size_t(position)] == '\r' && position + 1 < size && text[size_t(position) + 1] == '\n')
        return position + 2;
    ++position;
    while (position < size && (uchar(text[size_t(position)]) & 0xC0) == 0x80)
        ++position;
    return position;
}

QString CountText(qsizetype count)
{
    if (count == 0)
        return QStringLiteral("No match");
    return count == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(count);
}

} // namespace

TFindCommands::TFindCommands(TvqHTMLTab *documents, QObject *parent)
    : QObject(parent), m_documents(documents), m_bar(new TFindBar), m_countTimer(new QTimer(this))
{
    documents->AddBar(m_bar);
    m_countTimer->setSingleShot(true);
    m_countTimer->setInterval(CountDelayMs);
    connect(m_countTimer, &QTimer::timeout, this, &TFindCommands::ShowCount);
    ReadSettings();

    // The commands wait while a long run holds the document (a click or key
    // that arrives during one is held back by the run itself).
    connect(m_bar, &TFindBar::FindNext, this, [this] { TLongRun::WhenIdle(this, [this] { FindNext(true); }); });
    connect(m_bar, &TFindBar::FindPrevious, this, [this] { TLongRun::WhenIdle(this, [this] { FindNext(false); }); });
    connect(m_bar, &TFindBar::Replace, this, [this] { TLongRun::WhenIdle(this, [this] { Replace(); }); });
    connect(m_bar, &TFindBar::ReplaceAll, this, [this] { TLongRun::WhenIdle(this, [this] { ReplaceAll(); }); });
    connect(m_bar, &TFindBar::SearchChange, this, [this] {
        MarkVisibleMatches();
        ShowCount();
    });
    connect(m_bar, &TFindBar::Closed, this, [this] {
        ClearMarks();
        if (TvqRichHTML *editor = m_documents->ActiveEditor())
            editor->setFocus();
    });
    connect(m_documents, &TvqHTMLTab::OnPageChange, this, &TFindCommands::FollowActiveEditor);
}

void TFindCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuSearchFind", "spdFind"}, this, [this] { OpenBar(false); });
    commands.On({"mnuSearchReplace", "spdReplace"}, this, [this] { OpenBar(true); });
    commands.On({"mnuSearchFindNext"}, this, [this] { TLongRun::WhenIdle(this, [this] { FindNext(true); }); });
    commands.On({"mnuSearchFindPrevious"}, this, [this] { TLongRun::WhenIdle(this, [this] { FindNext(false); }); });
    commands.On({"mnuSearchGoToLine"}, this, [this] { TLongRun::WhenIdle(this, [this] { GoToLine(); }); });
}

// ---------------------------------------------------------------------------
// Settings

void TFindCommands::ReadSettings()
{
    TSearchOptions options;
    options.matchCase = ReadRegBool(FindKey, QStringLiteral("MatchCase"), false);
    options.wholeWord = ReadRegBool(FindKey, QStringLiteral("WholeWord"), false);
    options.regularExpression = ReadRegBool(FindKey, QStringLiteral("RegularExpression"), false);
    options.wrapAround = ReadRegBool(FindKey, QStringLiteral("WrapAround"), true);
    m_bar->SetOptions(options);
    m_storedOptions = options;
    m_finds = ReadHistory(QStringLiteral("Find"));
    m_replacements = ReadHistory(QStringLiteral("Replace"));
    m_bar->SetHistory(m_finds, m_replacements);
}

void TFindCommands::Remember()
{
    TSearchOptions options = m_bar->Options();
    options.inSelection = false; // a matter of each search
    bool historyChanged = AddToHistory(m_finds, m_bar->FindText());
    if (m_bar->ReplaceShown())
        historyChanged |= AddToHistory(m_replacements, m_bar->ReplaceText());
    // Writing the settings file costs more than a search: only what changed.
    if (options == m_storedOptions && !historyChanged)
        return;
    const TSettingsBatch batch;
    if (options != m_storedOptions) {
        WriteRegValue(FindKey, QStringLiteral("MatchCase"), options.matchCase);
        WriteRegValue(FindKey, QStringLiteral("WholeWord"), options.wholeWord);
        WriteRegValue(FindKey, QStringLiteral("RegularExpression"), options.regularExpression);
        WriteRegValue(FindKey, QStringLiteral("WrapAround"), options.wrapAround);
        m_storedOptions = options;
    }
    if (historyChanged) {
        WriteHistory(QStringLiteral("Find"), m_finds);
        WriteHistory(QStringLiteral("Replace"), m_replacements);
        m_bar->SetHistory(m_finds, m_replacements);
    }
}

// ---------------------------------------------------------------------------
// The bar and the marks

void TFindCommands::OpenBar(bool replace)
{
    FollowActiveEditor();
    TvqRichHTML *editor = m_documents->ActiveEditor();
    qsizetype start = 0;
    qsizetype length = 0;
    editor->GetSel(start, length);
    // A selection that ends with its line's break (a whole line, as Go to
    // Line selects it) covers that one line.
    const bool severalLines = length > 0 && editor->LineFromChar(start) != editor->LineFromChar(start + length - 1);
    if (severalLines) {
        m_scopeStart = start;
        m_scopeEnd = start + length;
    }
    {
        const QSignalBlocker quiet(m_bar);
        if (length > 0 && !severalLines) {
            QString text = editor->SelText();
            while (text.endsWith(u'\n') || text.endsWith(u'\r'))
                text.chop(1);
            m_bar->SetFindText(text);
        }
        m_bar->SetInSelection(severalLines);
    }
    m_bar->Open(replace);
    MarkVisibleMatches();
    ShowCount();
}

void TFindCommands::FollowActiveEditor()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    if (editor != m_editor) {
        ClearMarks();
        {
            // The range searched was a selection of the other document.
            const QSignalBlocker quiet(m_bar);
            m_bar->SetInSelection(false);
        }
        for (const QMetaObject::Connection &connection : std::exchange(m_editorConnections, {}))
            disconnect(connection);
        if (m_editor)
            m_editor->removeEventFilter(this);
        m_editor = editor;
        if (editor) {
            editor->installEventFilter(this);
            m_editorConnections = {
                connect(editor, &TvqRichHTML::ViewChange, this, &TFindCommands::MarkVisibleMatches),
                connect(editor, &TvqRichHTML::Change, this,
                        [this] {
                            MarkVisibleMatches();
                            if (!m_bar->isHidden())
                                m_countTimer->start();
                        }),
            };
        }
    }
    MarkVisibleMatches();
    if (!m_bar->isHidden())
        ShowCount();
}

bool TFindCommands::eventFilter(QObject *watched, QEvent *event)
{
    // A taller editor shows more lines.
    if (watched == m_editor && event->type() == QEvent::Resize)
        MarkVisibleMatches();
    return QObject::eventFilter(watched, event);
}

void TFindCommands::ClearMarks()
{
    if (m_editor)
        m_editor->ClearFoundMarks(0, m_editor->TextLength());
}

void TFindCommands::MarkVisibleMatches()
{
    // Closing the bar took the marks away.
    if (!m_editor || m_bar->isHidden())
        return;
    ClearMarks();
    const TDocumentSearch search = CurrentSearch();
    if (search.IsEmpty() || !search.ErrorText().isEmpty())
        return;
    const auto [first, last] = m_editor->VisibleSpan();
    const auto [start, end] = Range();
    search.ForEach(m_editor->TextView(), std::max(first, start), std::min(last, end), [this](TSearchMatch match) {
        m_editor->MarkFound(match.start, match.length);
        return true;
    });
}

void TFindCommands::ShowCount()
{
    m_countTimer->stop();
    if (!m_editor || m_bar->isHidden())
        return;
    const TDocumentSearch search = CurrentSearch();
    if (!Usable(search, false))
        return;
    const auto [start, end] = Range();
    m_bar->ShowResult(search.IsEmpty() ? QString() : CountText(search.Count(m_editor->TextView(), start, end)), false);
}

TDocumentSearch TFindCommands::CurrentSearch() const
{
    return TDocumentSearch(m_bar->FindText(), m_bar->Options());
}

std::pair<qsizetype, qsizetype> TFindCommands::Range() const
{
    const qsizetype length = m_documents->ActiveEditor()->TextLength();
    if (!m_bar->Options().inSelection)
        return {0, length};
    const qsizetype end = std::clamp<qsizetype>(m_scopeEnd, 0, length);
    return {std::clamp<qsizetype>(m_scopeStart, 0, end), end};
}

bool TFindCommands::Usable(const TDocumentSearch &search, bool report)
{
    const QString problem = search.ErrorText();
    if (problem.isEmpty())
        return true;
    m_bar->ShowResult(problem, true);
    if (report)
        MessageDlg(problem, TMsgKind::Error);
    return false;
}

// ---------------------------------------------------------------------------
// Finding and replacing

bool TFindCommands::FindNext(bool forward)
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    const TDocumentSearch search = CurrentSearch();
    if (search.IsEmpty()) {
        OpenBar(false);
        return false;
    }
    if (!Usable(search, true))
        return false;
    Remember();
    const std::string_view text = editor->TextView();
    const auto [start, end] = Range();
    qsizetype selStart = 0;
    qsizetype selLength = 0;
    editor->GetSel(selStart, selLength);
    TSearchMatch match;
    bool wrapped = false;
    if (forward) {
        qsizetype from = selStart + selLength;
        match = search.Next(text, from, start, end);
        // An empty match where the caret stands was found last time.
        if (match.Found() && match.length == 0 && selLength == 0 && match.start == selStart) {
            const qsizetype after = NextCharacter(text, from);
            match = after > end ? TSearchMatch() : search.Next(text, after, start, end);
        }
        if (!match.Found() && search.Options().wrapAround) {
            match = search.Next(text, start, start, end);
            wrapped = match.Found();
        }
    } else {
        match = search.Previous(text, selStart, start, end);
        if (!match.Found() && search.Options().wrapAround) {
            match = search.Previous(text, end + 1, start, end);
            wrapped = match.Found();
        }
    }
    if (!match.Found()) {
        m_bar->ShowResult(QStringLiteral("Not found"), true);
        emit StatusText(QStringLiteral("\"%1\" was not found.").arg(m_bar->FindText()));
        return false;
    }
    editor->SetSel(match.start, match.length);
    if (wrapped) {
        const QString where = forward ? QStringLiteral("top") : QStringLiteral("bottom");
        emit StatusText(QStringLiteral("The search went on from the %1.").arg(where));
    } else {
        emit StatusText(QString());
    }
    ShowCount();
    return true;
}

void TFindCommands::Replace()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    const TDocumentSearch search = CurrentSearch();
    if (search.IsEmpty() || !Usable(search, true))
        return;
    const auto [start, end] = Range();
    qsizetype selStart = 0;
    qsizetype selLength = 0;
    editor->GetSel(selStart, selLength);
    const std::string_view text = editor->TextView();
    const TSearchMatch selected{selStart, selLength};
    // Only a selection that is a match is replaced; otherwise the first
    // press finds one.
    if (search.Next(text, selStart, start, end) == selected && selStart >= start && selected.End() <= end) {
        const QByteArray bytes = search.Replacement(text, selected, start, end, m_bar->ReplaceText());
        if (!editor->MayInsert(editor->Decode(bytes)))
            return;
        Remember();
        // The question of MayInsert may have let the control move its text.
        const QByteArray old(editor->TextView().data() + selStart, selLength);
        {
            TvqRichHTML::TRecordedEdit recorded(editor);
            editor->ReplaceSelBytes(bytes);
        }
        editor->PushUndo({selStart, bytes.size(), old});
        if (editor->ColorCodeMode() != ccNone)
            editor->ColorLines(editor->LineFromChar(selStart), editor->LineFromChar(selStart + bytes.size()));
        editor->SetSel(selStart + bytes.size(), 0);
        editor->SetModified(true);
        m_scopeEnd += bytes.size() - selLength;
    }
    FindNext(true);
}

qsizetype TFindCommands::ReplaceAll()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    const TDocumentSearch search = CurrentSearch();
    if (search.IsEmpty() || !Usable(search, true) || !editor->MayInsert(m_bar->ReplaceText()))
        return 0;
    Remember();
    const auto [start, end] = Range();
    const std::string_view text = editor->TextView();
    TDocumentSearch::TReplaced replaced =
        search.ReplaceAll(text, start, end, m_bar->ReplaceText(), editor->GetSelStart());
    if (replaced.count > 0) {
        const QByteArray old(text.data() + replaced.first, replaced.oldEnd - replaced.first);
        const qsizetype growth = replaced.text.size() - qsizetype(text.size());
        {
            // The span changes in place: its replacements lie apart, and a
            // fresh document for them (ReplaceSpan) measured twice as slow,
            // most of it the new memory's page faults.
            TvqRichHTML::TRedrawSuspension suspension(editor);
            TvqRichHTML::TRecordedEdit recorded(editor);
            editor->ReplaceRange(
                replaced.first, replaced.oldEnd,
                QByteArrayView(replaced.text).sliced(replaced.first, replaced.newEnd - replaced.first));
            editor->SetSelStart(replaced.kept);
        }
        editor->PushUndo({replaced.first, replaced.newEnd - replaced.first, old});
        if (editor->ColorCodeMode() != ccNone)
            editor->ColorRange(replaced.first, replaced.newEnd);
        editor->SetModified(true);
        if (search.Options().inSelection) {
            m_scopeEnd = end + growth;
            editor->SetSel(start, m_scopeEnd - start);
        }
    }
    const QString report = QStringLiteral("%1 replacements made.").arg(replaced.count);
    m_bar->ShowResult(report, replaced.count == 0);
    emit StatusText(report);
    return replaced.count;
}

// ---------------------------------------------------------------------------
// Go to Line

void TFindCommands::GoToLine()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    const int lines = editor->LineCount();
    QString value = QString::number(editor->CurrentLine() + 1);
    if (!TMessageService::Instance().InputQuery(QStringLiteral("Go to Line"),
                                                QStringLiteral("Line number (1 to %1):").arg(lines), value))
        return;
    bool number = false;
    const int line = value.trimmed().toInt(&number);
    // A line that does not exist does nothing.
    if (!number || line < 1 || line > lines)
        return;
    editor->SelectLines(line - 1, line - 1);
    editor->setFocus();
}
