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

struct TRecordedNotice
{
    QString caption;
    QString text;
    bool cancelButton;
    bool dontShowAgain; // how the box was preset
};

struct TRecordedInput
{
    QString caption;
    QString prompt;
    QString value; // the text the box started with
};

struct TNoticeAnswer
{
    TMsgResult result;
    bool dontShowAgain; // how the box is left
};

class TScriptedMessageService : public TMessageService
{
public:
    TMsgResult ShowMessage(TMsgKind kind, const QString &text, TMsgButtons buttons) override;
    QString GetOpenFileName(const QString &caption, const QString &folder, const QString &filter) override;
    QStringList GetOpenFileNames(const QString &caption, const QString &folder, const QString &filter) override;
    QString GetFolderName(const QString &caption, const QString &folder) override;
    QString GetSaveFileName(const QString &caption, const QString &fileName, const QString &filter) override;
    bool ChoosePrinter(QPrinter &printer) override;
    bool ChooseColor(TColor &color, QStringList &customColors) override;
    TMsgResult ShowNotice(const QString &caption, const QString &text, bool cancelButton, bool &dontShowAgain) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;

    void Reset();

    QList<TRecordedMessage> messages;
    QList<TMsgResult> answers;                               // next answers to questions, in order
    QStringList fileNames;                                   // next answers to file dialogs; empty text cancels
    QList<QStringList> fileLists;                            // next answers to multiple-file dialogs
    QStringList fileDialogCaptions;                          // the caption of each file dialog shown
    QStringList fileDialogFilters;                           // the filter of each file dialog with one
    QString printFile;                                       // a PDF to print to; empty cancels the print dialog
    std::function<void(const TRecordedMessage &)> onMessage; // runs as each message is shown
    QList<std::optional<TColor>> colors;                     // next answers to colour dialogs; none cancels
    QList<QStringList> shownCustomColors;                    // the custom colours each colour dialog showed
    QList<TRecordedNotice> notices;                          // the one-time notices shown
    QList<TNoticeAnswer> noticeAnswers;   // next answers to notices; none: Ok with the box left as preset
    QList<TRecordedInput> inputQueries;   // the input boxes shown
    QList<std::optional<QString>> inputs; // next answers to input boxes; none cancels
};

// The scripted service that the test main installed.
TScriptedMessageService &Scripted();
