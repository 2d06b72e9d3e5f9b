// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Find and replace in the active document and Go to Line: the Search menu's
// Find, Replace, Find Next, Find Previous and Go to Line, the Find and
// Replace tool buttons and the find bar. The matches in the visible text are
// marked while the bar is open; the texts searched for and the options are
// kept in the settings file.

#include "DocumentSearch.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QTimer;
class TCommandBinder;
class TFindBar;
class TvqHTMLTab;
class TvqRichHTML;

class TFindCommands : public QObject
{
    Q_OBJECT

public:
    // The bar goes between the documents and their tabs.
    TFindCommands(TvqHTMLTab *documents, QObject *parent);

    void Connect(const TCommandBinder &commands);
    TFindBar *Bar() const { return m_bar; }

    // The bar with or without the replacement row. A selection within one
    // line becomes the text to find; one over several lines becomes the
    // range searched.
    void OpenBar(bool replace);
    // Selects the next or previous match; false when there is none.
    bool FindNext(bool forward);
    // Replaces the selected match and selects the next one.
    void Replace();
    // Replaces every match in one undo step; returns the count.
    qsizetype ReplaceAll();
    // Asks for a line number and selects that line.
    void GoToLine();
    // Marks the matches in the visible text of the active document.
    void MarkVisibleMatches();

signals:
    // A message for the status bar.
    void StatusText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDocumentSearch CurrentSearch() const;
    // The range searched: the remembered selection or the whole text.
    std::pair<qsizetype, qsizetype> Range() const;
    // The search's problem shown and reported; false when there is one.
    bool Usable(const TDocumentSearch &search, bool report);
    void ShowCount();
    void FollowActiveEditor();
    void ClearMarks();
    void Remember();
    void ReadSettings();

    TvqHTMLTab *m_documents;
    TFindBar *m_bar;
    QPointer<TvqRichHTML> m_editor; // the one whose matches are marked
    QList<QMetaObject::Connection> m_editorConnections;
    QTimer *m_countTimer;
    // The selection searched "In selection", moved along by the replacements.
    qsizetype m_scopeStart = 0;
    qsizetype m_scopeEnd = 0;
    TSearchOptions m_storedOptions; // as the settings file has them
    QStringList m_finds;
    QStringList m_replacements;
};
