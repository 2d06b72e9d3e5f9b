// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleMessageService.h"

#include <QTextStream>

TConsoleMessageService::TConsoleMessageService(QTextStream &err) : m_err(err)
{
}

void TConsoleMessageService::Print(const QString &text)
{
    // One line each, as a log reads them.
    m_err << "velicort-site: " << text.simplified() << '\n';
    m_err.flush();
}

TMsgResult TConsoleMessageService::ShowMessage(TMsgKind, const QString &text, TMsgButtons buttons)
{
    Print(text);
    switch (buttons) {
    case TMsgButtons::Ok:
    case TMsgButtons::OkHelp:
        return TMsgResult::Ok;
    case TMsgButtons::YesNo:
        return TMsgResult::No;
    case TMsgButtons::OkCancel:
    case TMsgButtons::YesNoCancel:
    case TMsgButtons::RetryCancel:
        break;
    }
    return TMsgResult::Cancel;
}

QString TConsoleMessageService::GetOpenFileName(const QString &, const QString &, const QString &)
{
    return QString();
}

QStringList TConsoleMessageService::GetOpenFileNames(const QString &, const QString &, const QString &)
{
    return QStringList();
}

QString TConsoleMessageService::GetFolderName(const QString &, const QString &)
{
    return QString();
}

QString TConsoleMessageService::GetSaveFileName(const QString &, const QString &, const QString &)
{
    return QString();
}

bool TConsoleMessageService::ChoosePrinter(QPrinter &)
{
    return false;
}

bool TConsoleMessageService::ChooseColor(TColor &, QStringList &)
{
    return false;
}

TMsgResult TConsoleMessageService::ShowNotice(const QString &, const QString &text, bool cancelButton, bool &)
{
    Print(text);
    return cancelButton ? TMsgResult::Cancel : TMsgResult::Ok;
}

bool TConsoleMessageService::InputQuery(const QString &, const QString &, QString &)
{
    return false;
}
