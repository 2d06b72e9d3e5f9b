// SPDX-License-Identifier: GPL-3.0-or-later
#include "TSpellCommands.h"

#include "CommandBinder.h"
#include "LongRun.h"
#include "MessageService.h"
#include "TRichSpellNB.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QScopeGuard>

TSpellCommands::TSpellCommands(TvqHTMLTab *documents, QMainWindow *window, const QList<QWidget *> &locked)
    : QObject(window), m_documents(documents), m_window(window), m_checker(new TRichSpellNB(window))
{
    m_locked.append(documents);
    for (QWidget *widget : locked)
        m_locked.append(widget);
    for (const char *name : {"mnuFile", "mnuEdit", "mnuSearch", "mnuTools", "mnuTags", "mnuOptions"}) {
        if (auto *menu = window->findChild<QMenu *>(QLatin1String(name)))
            m_lockedMenus.append(menu->menuAction());
    }
}

void TSpellCommands::Connect(const TCommandBinder &commands)
{
    // While a long run holds the document the command waits for its end.
    commands.On({"mnuToolsSpellCheck", "spdSpellCheck"}, this,
                [this] { TLongRun::WhenIdle(this, [this] { SpellCheck(); }); });
}

void TSpellCommands::SetDictionaries(const QString &main, const QString &user)
{
    m_checker->SetDictionaryMain(main);
    m_checker->SetDictionaryUser(user);
}

void TSpellCommands::Cancel()
{
    m_checker->Cancel();
}

void TSpellCommands::Lock(bool lock)
{
    if (lock) {
        m_wasEnabled.clear();
        for (const QPointer<QWidget> &widget : std::as_const(m_locked))
            m_wasEnabled.append(widget && widget->isEnabled());
        for (const QPointer<QAction> &action : std::as_const(m_lockedMenus))
            m_wasEnabled.append(action && action->isEnabled());
    }
    qsizetype i = 0;
    for (const QPointer<QWidget> &widget : std::as_const(m_locked)) {
        if (widget)
            widget->setEnabled(!lock && m_wasEnabled[i]);
        ++i;
    }
    for (const QPointer<QAction> &action : std::as_const(m_lockedMenus)) {
        if (action)
            action->setEnabled(!lock && m_wasEnabled[i]);
        ++i;
    }
}

void TSpellCommands::SpellCheck()
{
    QPointer<TvqRichHTML> editor = m_documents->ActiveEditor();
    if (m_running || !editor)
        return;
    // An empty user dictionary is made again by the check.
    const QFileInfo user(m_checker->DictionaryUser());
    if (user.exists() && user.size() == 0 && QFile::remove(user.filePath()))
        m_checker->CloseDictionaries();

    const TLongRun run;
    m_running = true;
    Lock(true);
    const auto restore = qScopeGuard([&] {
        Lock(false);
        m_running = false;
        if (editor)
            editor->setFocus();
    });
    m_checker->ClearLists();
    if (!m_skipTags) {
        m_checker->ShowCompletionMsg = true;
        m_checker->CheckRich(editor);
        return;
    }
    m_checker->ShowCompletionMsg = false;
    const qsizetype caret = editor->GetSelStart();
    if (!m_checker->CheckBetweenTags(editor) || !editor)
        return;
    editor->SetSel(std::min(caret, editor->TextLength()), 0);
    MessageDlg(QStringLiteral("Spell check complete."), TMsgKind::Information);
}
