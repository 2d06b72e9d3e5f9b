// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answers the spelling window as a user would: each time it waits for a
// decision, the next one of a script is clicked, after an optional look at
// the state of the program.

#include "TRichSpellNB.h"
#include "TSugDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

struct TDecision
{
    int code;
    QString changeTo = QString(); // typed into "Change To:" first, unless null
    // Runs before the click; with the code mrNone it decides itself.
    std::function<void()> before = {};
};

class TSpellUser : public QObject
{
public:
    TSpellUser(TRichSpellNB *checker, QList<TDecision> script) : m_checker(checker), m_script(std::move(script))
    {
        connect(&m_timer, &QTimer::timeout, this, &TSpellUser::Look);
        m_timer.start(0);
    }

    // The words the window reported, in order.
    QStringList shown;

private:
    void Look()
    {
        TSugDialog *dialog = m_checker->Dialog();
        if (!dialog->isVisible() || dialog->ResultCode() != TSugDialog::mrNone || dialog->NotWord->text().isEmpty() ||
            m_busy)
            return;
        m_busy = true;
        shown.append(dialog->NotWord->text());
        if (m_script.isEmpty())
            ADD_FAILURE() << "no decision left for " << shown.back().toStdString();
        const TDecision decision = m_script.isEmpty() ? TDecision{TSugDialog::mrCancel} : m_script.takeFirst();
        if (!decision.changeTo.isNull())
            dialog->WordEdit->setText(decision.changeTo);
        if (decision.before)
            decision.before();
        static const QHash<int, QString> buttons = {{TSugDialog::mrCancel, QStringLiteral("btnCancel")},
                                                    {TSugDialog::mrChange, QStringLiteral("btnChange")},
                                                    {TSugDialog::mrAdd, QStringLiteral("btnAdd")},
                                                    {TSugDialog::mrIgnore, QStringLiteral("btnIgnore")},
                                                    {TSugDialog::mrIgnoreAll, QStringLiteral("btnIgnoreAll")},
                                                    {TSugDialog::mrChangeAll, QStringLiteral("btnChangeAll")}};
        if (decision.code != TSugDialog::mrNone)
            QTest::mouseClick(dialog->findChild<QPushButton *>(buttons[decision.code]), Qt::LeftButton);
        m_busy = false;
    }

    TRichSpellNB *m_checker;
    QList<TDecision> m_script;
    QTimer m_timer;
    bool m_busy = false;
};
