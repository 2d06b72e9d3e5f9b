// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRichSpellNB.h"

#include "EscapeWatcher.h"
#include "MessageService.h"
#include "TSugDialog.h"
#include "TextEncoding.h"
#include "TvqRichHTML.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>

#include <Qsci/qsciscintillabase.h>

#include <algorithm>
#include <memory>

namespace {

// How often the scan between two words not found lets events run.
constexpr qint64 ScanPollMs = 100;

// The editor's encoding: in a UTF-8 document every letter is a word character.
bool AnyLetter(const TvqRichHTML *editor)
{
    return editor->Encoding() == TTextEncoding::Utf8;
}

// An editor deleted, or hidden as its document closes, ends the check.
bool Gone(const QPointer<TvqRichHTML> &editor)
{
    return !editor || editor->isHidden();
}

} // namespace

TRichSpellNB::TRichSpellNB(QWidget *window)
    : QObject(window), m_window(window->window()), m_dialog(new TSugDialog(window))
{
    connect(m_dialog, &TSugDialog::SuggestRequested, this,
            [this](bool phoneme) { FillSuggestions(m_dialog->WordEdit->text(), phoneme); });
}

TRichSpellNB::~TRichSpellNB() = default;

void TRichSpellNB::SetDictionaryMain(const QString &path)
{
    if (path != m_dictionaryMain)
        CloseDictionaries();
    m_dictionaryMain = path;
}

void TRichSpellNB::SetDictionaryUser(const QString &path)
{
    if (path != m_dictionaryUser)
        CloseDictionaries();
    m_dictionaryUser = path;
}

void TRichSpellNB::ClearLists()
{
    m_ignoreAll.clear();
    m_changeFrom.clear();
    m_changeTo.clear();
}

void TRichSpellNB::Cancel()
{
    if (m_checking)
        m_cancelled = true;
}

bool TRichSpellNB::CheckRich(TvqRichHTML *editor)
{
    return CheckRange(editor, 0, editor->TextLength());
}

bool TRichSpellNB::CheckRichSelection(TvqRichHTML *editor)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor->GetSel(start, length);
    if (length == 0)
        return true;
    const auto [from, to] = TWordScanner(AnyLetter(editor)).WidenToWords(editor->TextView(), start, start + length);
    editor->SetSel(from, to - from);
    return CheckRange(editor, from, to);
}

bool TRichSpellNB::CheckRichSelectionNB(TvqRichHTML *editor)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor->GetSel(start, length);
    if (length == 0)
        return true;
    return CheckRange(editor, start, start + length);
}

bool TRichSpellNB::Ignored(const QString &word) const
{
    return std::binary_search(m_ignoreAll.cbegin(), m_ignoreAll.cend(), word.toUpper());
}

bool TRichSpellNB::HasWordToReport(std::string_view text, qsizetype start, qsizetype end, const TWordScanner &scanner)
{
    for (auto word = scanner.NextWord(text, start, end); word.Found(); word = scanner.NextWord(text, word.End(), end)) {
        if (!m_dictionary.Known(text.substr(size_t(word.start), size_t(word.length))) &&
            !Ignored(QString::fromUtf8(text.data() + word.start, word.length)))
            return true;
    }
    return false;
}

bool TRichSpellNB::CheckBetweenTags(TvqRichHTML *editor)
{
    if (!OpenDictionaries())
        return false;
    const TEscapeWatcher held({m_window});
    m_checking = true;
    m_cancelled = false;
    const auto done = qScopeGuard([this] {
        m_checking = false;
        m_cancelled = false;
        if (!LeaveDictionariesOpen)
            CloseDictionaries();
    });
    QPointer<TvqRichHTML> guard(editor);
    const TWordScanner scanner(AnyLetter(editor));
    QElapsedTimer sincePoll;
    sincePoll.start();
    size_t position = 0;
    while (!Gone(guard) && !m_cancelled) {
        if (sincePoll.elapsed() >= ScanPollMs) {
            QCoreApplication::processEvents();
            sincePoll.start();
            continue;
        }
        std::string_view text = editor->TextView();
        size_t tagStart = std::min(text.find('<', position), text.size());
        // Most pieces hold no word to report and are passed at the cost of
        // their lookups.
        if (HasWordToReport(text, qsizetype(position), qsizetype(tagStart), scanner)) {
            const qsizetype length = editor->TextLength();
            editor->SetSel(qsizetype(position), qsizetype(tagStart - position));
            if (!CheckRichSelectionNB(editor) || Gone(guard))
                return false;
            tagStart += size_t(editor->TextLength() - length);
            text = editor->TextView();
        }
        const size_t tagEnd = text.find('>', tagStart);
        if (tagEnd == std::string_view::npos)
            return true;
        position = tagEnd + 1;
    }
    return false;
}

bool TRichSpellNB::OpenDictionaries()
{
    if (m_dictionariesOpen)
        return true;
    if (!m_dictionary.OpenMain(m_dictionaryMain)) {
        MessageDlg(QStringLiteral("Could not open dictionary"), TMsgKind::Error);
        return false;
    }
    // Without a user dictionary the words can still be checked.
    m_dialog->findChild<QPushButton *>(QStringLiteral("btnAdd"))
        ->setEnabled(m_dictionary.OpenUser(m_dictionaryUser) > -2);
    m_dictionariesOpen = true;
    return true;
}

void TRichSpellNB::CloseDictionaries()
{
    m_dictionary.Close();
    m_dictionariesOpen = false;
}

bool TRichSpellNB::CheckRange(TvqRichHTML *editor, qsizetype start, qsizetype end)
{
    editor->SendScintilla(QsciScintillaBase::SCI_HIDESELECTION, 0L);
    if (!m_positioned) {
        m_dialog->adjustSize();
        const QRect screen = m_dialog->screen()->availableGeometry();
        m_dialog->move(screen.center() - m_dialog->rect().center());
        m_positioned = true;
    }
    if (!OpenDictionaries())
        return false;

    QPointer<TvqRichHTML> guard(editor);
    // Within a walk between tags, the walk's state.
    const bool outer = m_checking;
    bool cancelled = false;
    bool changed = false;
    {
        const TEscapeWatcher held({m_window});
        m_checking = true;
        m_dialog->setWindowTitle(QStringLiteral("Suggestions: Scanning..."));
        const qsizetype caret = editor->GetSelStart();
        editor->SetSelStart(start);
        if (AvoidHighlight)
            MoveOffWord(editor);
        m_dialog->NotWord->clear();
        m_dialog->WordEdit->clear();
        m_dialog->SetSuggestions({});
        QCoreApplication::processEvents();

        const TWordScanner scanner(AnyLetter(editor));
        QElapsedTimer sincePoll;
        sincePoll.start();
        qsizetype position = start;
        while (!Gone(guard) && !m_cancelled) {
            if (sincePoll.elapsed() >= ScanPollMs) {
                QCoreApplication::processEvents();
                sincePoll.start();
                continue;
            }
            const std::string_view text = editor->TextView();
            const TWordScanner::TWord found = scanner.NextWord(text, position, end);
            if (!found.Found())
                break;
            position = found.End();
            if (m_dictionary.Known(text.substr(size_t(found.start), size_t(found.length))))
                continue;
            const QString word = QString::fromUtf8(text.data() + found.start, found.length);
            if (Ignored(word))
                continue;
            editor->SetSel(found.start, found.length);
            QCoreApplication::processEvents();
            const int result = Decide(editor, word);
            if (result == TSugDialog::mrCancel || Gone(guard)) {
                m_cancelled = true;
                break;
            }
            switch (result) {
            case TSugDialog::mrChange:
            case TSugDialog::mrChangeAll:
                if (const auto shift = ChangeWord(editor, found.start, found.length)) {
                    changed = true;
                    position += *shift;
                    end += *shift;
                    if (result == TSugDialog::mrChangeAll) {
                        m_changeFrom.append(word);
                        m_changeTo.append(m_dialog->WordEdit->text());
                    }
                }
                break;
            case TSugDialog::mrAdd:
                m_dictionary.Add(word);
                break;
            case TSugDialog::mrIgnoreAll: {
                const QString upper = word.toUpper();
                m_ignoreAll.insert(std::lower_bound(m_ignoreAll.begin(), m_ignoreAll.end(), upper), upper);
                break;
            }
            default:
                break;
            }
            m_dialog->setWindowTitle(QStringLiteral("Suggestions: Scanning..."));
        }
        cancelled = m_cancelled || Gone(guard);
        m_checking = outer;
        m_cancelled = outer && m_cancelled;
        if (guard)
            editor->SetSel(std::min(caret, editor->TextLength()), 0);
        m_dialog->hide();
    }
    if (!outer && !LeaveDictionariesOpen)
        CloseDictionaries();
    if (!cancelled && ShowCompletionMsg)
        MessageDlg(changed ? QStringLiteral("Checking complete.") : QStringLiteral("No changes made."),
                   TMsgKind::Information);
    return !cancelled;
}

int TRichSpellNB::Decide(TvqRichHTML *editor, const QString &word)
{
    const qsizetype index = m_changeFrom.indexOf(word);
    if (index >= 0) {
        m_dialog->WordEdit->setText(m_changeTo[index]);
        return TSugDialog::mrChange;
    }
    QStringList suggestions;
    if (SuggestType != stNoSuggest)
        suggestions = SuggestType == stPhoneme ? m_dictionary.Phoneme(word, MaxSuggestions)
                                               : m_dictionary.Suggest(word, MaxSuggestions);
    m_dialog->SetSuggestions(suggestions);
    m_dialog->SetResultCode(TSugDialog::mrNone);
    m_dialog->setWindowTitle(QStringLiteral("Suggestions"));
    if (AvoidHighlight)
        MoveOffWord(editor);
    if (m_dialog->isHidden()) {
        m_dialog->show();
        m_dialog->activateWindow();
    }
    m_dialog->WordEdit->setText(suggestions.value(0, word));
    m_dialog->NotWord->setText(word);
    m_dialog->WordEdit->setFocus();
    QPointer<TvqRichHTML> guard(editor);
    while (m_dialog->ResultCode() == TSugDialog::mrNone && !m_cancelled && !Gone(guard))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return m_cancelled || Gone(guard) ? int(TSugDialog::mrCancel) : m_dialog->ResultCode();
}

void TRichSpellNB::FillSuggestions(const QString &word, bool phoneme)
{
    if (!m_dictionariesOpen)
        return;
    m_dialog->SetSuggestions(phoneme ? m_dictionary.Phoneme(word, MaxSuggestions)
                                     : m_dictionary.Suggest(word, MaxSuggestions));
}

void TRichSpellNB::MoveOffWord(TvqRichHTML *editor)
{
    const long position = long(editor->GetSelStart());
    const int x = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, position));
    const int y = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, position));
    m_dialog->AvoidPoint(editor->viewport()->mapToGlobal(QPoint(x, y)));
}

std::optional<qsizetype> TRichSpellNB::ChangeWord(TvqRichHTML *editor, qsizetype start, qsizetype length)
{
    const QString replacement = m_dialog->WordEdit->text();
    if (!editor->MayInsert(replacement))
        return std::nullopt;
    const QByteArray bytes = editor->Encode(replacement);
    const QByteArray old(editor->TextView().data() + start, length);
    editor->SetSel(start, length);
    {
        TvqRichHTML::TRecordedEdit recorded(editor);
        editor->ReplaceSelBytes(bytes);
    }
    editor->PushUndo({start, bytes.size(), old});
    if (editor->ColorCodeMode() != ccNone)
        editor->ColorLines(editor->LineFromChar(start), editor->LineFromChar(start + bytes.size()));
    editor->SetModified(true);
    return bytes.size() - length;
}
