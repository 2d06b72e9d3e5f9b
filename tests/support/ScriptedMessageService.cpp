// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedMessageService.h"

#include <QPrinter>

TMsgResult TScriptedMessageService::ShowMessage(TMsgKind kind, const QString &text, TMsgButtons buttons)
{
    messages.append({kind, text, buttons});
    if (onMessage)
        onMessage(messages.last());
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (buttons) {
    case TMsgButtons::Ok:
    case TMsgButtons::OkCancel:
    case TMsgButtons::OkHelp:
        return TMsgResult::Ok;
    case TMsgButtons::RetryCancel:
        return TMsgResult::Retry;
    default:
        return TMsgResult::Yes;
    }
}

QString TScriptedMessageService::GetOpenFileName(const QString &caption, const QString &, const QString &filter)
{
    fileDialogCaptions.append(caption);
    fileDialogFilters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString TScriptedMessageService::GetFolderName(const QString &caption, const QString &)
{
    fileDialogCaptions.append(caption);
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QStringList TScriptedMessageService::GetOpenFileNames(const QString &caption, const QString &, const QString &filter)
{
    fileDialogCaptions.append(caption);
    fileDialogFilters.append(filter);
    return fileLists.isEmpty() ? QStringList() : fileLists.takeFirst();
}

QString TScriptedMessageService::GetSaveFileName(const QString &caption, const QString &, const QString &filter)
{
    fileDialogCaptions.append(caption);
    fileDialogFilters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

bool TScriptedMessageService::ChoosePrinter(QPrinter &printer)
{
    if (printFile.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFile);
    return true;
}

bool TScriptedMessageService::ChooseColor(TColor &color, QStringList &customColors)
{
    shownCustomColors.append(customColors);
    const std::optional<TColor> answer = colors.isEmpty() ? std::nullopt : colors.takeFirst();
    if (!answer)
        return false;
    color = *answer;
    return true;
}

TMsgResult TScriptedMessageService::ShowNotice(const QString &caption, const QString &text, bool cancelButton,
                                               bool &dontShowAgain)
{
    notices.append({caption, text, cancelButton, dontShowAgain});
    if (noticeAnswers.isEmpty())
        return TMsgResult::Ok;
    const TNoticeAnswer answer = noticeAnswers.takeFirst();
    dontShowAgain = answer.dontShowAgain;
    return answer.result;
}

bool TScriptedMessageService::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    inputQueries.append({caption, prompt, value});
    const std::optional<QString> answer = inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
    if (!answer)
        return false;
    value = *answer;
    return true;
}

void TScriptedMessageService::Reset()
{
    *this = TScriptedMessageService();
}
