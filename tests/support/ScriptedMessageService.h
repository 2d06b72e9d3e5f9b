// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A message service for tests: records every message and dialog request, and
// answers with what the test queued (or the first button when nothing was).

#include "MessageService.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct TRecordedMessage
{
    TMsgKind kind;
    QString text;
    TMsgButtons buttons;
};

class TScriptedMessageService : public TMessageService
{
public:
    TMsgResult ShowMessage(TMsgKind kind, const QString &text, TMsgButtons buttons) override;
    QString GetOpenFileName(const QString &caption, const QString &folder, const QString &filter) override;
    QString GetSaveFileName(const QString &caption, const QString &fileName, const QString &filter) override;
    bool ChoosePrinter(QPrinter &printer) override;
    bool ChooseColor(TColor &color, QStringList &customColors) override;

    void Reset();

    QList<TRecordedMessage> messages;
    QList<TMsgResult> answers;                               // next answers to questions, in order
    QStringList fileNames;                                   // next answers to file dialogs; empty text cancels
    QString printFile;                                       // a PDF to print to; empty cancels the print dialog
    std::function<void(const TRecordedMessage &)> onMessage; // runs as each message is shown
    QList<std::optional<TColor>> colors;                     // next answers to colour dialogs; none cancels
    QList<QStringList> shownCustomColors;                    // the custom colours each colour dialog showed
};

// The scripted service that the test main installed.
TScriptedMessageService &Scripted();
