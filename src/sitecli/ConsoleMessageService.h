// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message service of velicort-site: the site tools' messages become
// lines on the standard error, and nothing ever waits for an answer, since
// no one sits at a script's terminal. Questions get the answer that changes
// nothing (No, or Cancel); dialogs count as cancelled.

#include "MessageService.h"

class QTextStream;

class TConsoleMessageService : public TMessageService
{
public:
    explicit TConsoleMessageService(QTextStream &err);

    TMsgResult ShowMessage(TMsgKind kind, const QString &text, TMsgButtons buttons) override;
    QString GetOpenFileName(const QString &caption, const QString &folder, const QString &filter) override;
    QStringList GetOpenFileNames(const QString &caption, const QString &folder, const QString &filter) override;
    QString GetFolderName(const QString &caption, const QString &folder) override;
    QString GetSaveFileName(const QString &caption, const QString &fileName, const QString &filter) override;
    bool ChoosePrinter(QPrinter &printer) override;
    bool ChooseColor(TColor &color, QStringList &customColors) override;
    TMsgResult ShowNotice(const QString &caption, const QString &text, bool cancelButton, bool &dontShowAgain) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;

private:
    void Print(const QString &text);

    QTextStream &m_err;
};
