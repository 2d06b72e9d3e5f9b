// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The spelling checker of the main window. It works directly on an editor:
// it takes the words of a range one by one, selects each word the main and
// user dictionaries do not know, waits in its window "Spelling" for the
// user's decision and changes the text in place. The lists of words ignored
// and changed everywhere live until ClearLists.
//
// While it waits it lets events run. The window it belongs to gets none of
// the user's input meanwhile (held back until the check ends, as in every
// long run), and a document under the check is not deleted before it ends;
// Cancel ends a check at the next event.

#include "SpellDictionary.h"
#include "WordScanner.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class TSugDialog;
class TvqRichHTML;

class TRichSpellNB : public QObject
{
    Q_OBJECT

public:
    enum SuggestionType { stNoSuggest, stCloseMatch, stPhoneme };

    // The window's input is held back during a check; it owns the component.
    explicit TRichSpellNB(QWidget *window);
    ~TRichSpellNB() override;

    SuggestionType SuggestType = stCloseMatch;
    int MaxSuggestions = 10;
    bool LeaveDictionariesOpen = true;
    bool AvoidHighlight = true;
    bool ShowCompletionMsg = true;

    QString DictionaryMain() const { return m_dictionaryMain; }
    QString DictionaryUser() const { return m_dictionaryUser; }
    // A new path takes effect at the next check.
    void SetDictionaryMain(const QString &path);
    void SetDictionaryUser(const QString &path);

    // The whole text. False when cancelled or the dictionary cannot be opened.
    bool CheckRich(TvqRichHTML *editor);
    // The selection widened to whole words; nothing for an empty selection.
    bool CheckRichSelection(TvqRichHTML *editor);
    // The selection as it is; nothing for an empty selection.
    bool CheckRichSelectionNB(TvqRichHTML *editor);
    // The text between tags, "<" to ">", piece by piece: each piece with a
    // word to report is checked as the selection. False when cancelled or
    // the dictionary cannot be opened.
    bool CheckBetweenTags(TvqRichHTML *editor);
    void ClearLists();
    // The next check opens the dictionaries again.
    void CloseDictionaries();

    bool Checking() const { return m_checking; }
    // Ends the check under way as if the user had cancelled it.
    void Cancel();

    TSugDialog *Dialog() const { return m_dialog; }
    TSpellDictionary &Dictionary() { return m_dictionary; }
    QStringList IgnoreAllList() const { return m_ignoreAll; }

private:
    bool CheckRange(TvqRichHTML *editor, qsizetype start, qsizetype end);
    bool OpenDictionaries();
    // Whether a word of the range is to be reported.
    bool HasWordToReport(std::string_view text, qsizetype start, qsizetype end, const TWordScanner &scanner);
    bool Ignored(const QString &word) const;
    // The user's decision on a word not found; Cancel when the check was
    // cancelled meanwhile.
    int Decide(TvqRichHTML *editor, const QString &word);
    void FillSuggestions(const QString &word, bool phoneme);
    void MoveOffWord(TvqRichHTML *editor);
    // Puts the text of "Change To:" in place of the selected word, as one
    // undo step; the difference in length, or none when the document's
    // encoding refused the text.
    std::optional<qsizetype> ChangeWord(TvqRichHTML *editor, qsizetype start, qsizetype length);

    QWidget *m_window;
    TSugDialog *m_dialog;
    TSpellDictionary m_dictionary;
    QString m_dictionaryMain;
    QString m_dictionaryUser;
    bool m_dictionariesOpen = false;
    bool m_positioned = false;
    bool m_checking = false;
    bool m_cancelled = false;
    QStringList m_ignoreAll; // upper case, sorted
    QStringList m_changeFrom;
    QStringList m_changeTo;
};
