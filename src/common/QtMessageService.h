// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message service over Qt's own dialogs, parented to the active window:
// the editor's. Kept apart from the seam so that programs without windows
// do not load the widget libraries.

#include "MessageService.h"

class TQtMessageService : public TMessageService
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
};
