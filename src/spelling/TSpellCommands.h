// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's "Spell Check" command: checks the active document, the
// whole text or only the text between tags, with the window's other
// commands disabled until the check ends. Closing the window or a file
// handed over by a second start cancels a check under way.

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class TCommandBinder;
class TRichSpellNB;
class TvqHTMLTab;

class TSpellCommands : public QObject
{
    Q_OBJECT

public:
    // locked: the panes and bars disabled during a check besides the
    // documents and the menus File, Edit, Search, Tools, Tags and Options.
    TSpellCommands(TvqHTMLTab *documents, QMainWindow *window, const QList<QWidget *> &locked);

    void Connect(const TCommandBinder &commands);
    void SetSkipTags(bool skip) { m_skipTags = skip; }
    void SetDictionaries(const QString &main, const QString &user);

    TRichSpellNB *Checker() const { return m_checker; }
    bool Running() const { return m_running; }
    void Cancel();

    void SpellCheck();

private:
    void Lock(bool lock);

    TvqHTMLTab *m_documents;
    QMainWindow *m_window;
    QList<QPointer<QWidget>> m_locked;
    QList<QPointer<QAction>> m_lockedMenus;
    QList<bool> m_wasEnabled;
    TRichSpellNB *m_checker;
    bool m_skipTags = true;
    bool m_running = false;
};
