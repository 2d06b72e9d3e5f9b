// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageService.h"

#include <QtGlobal>

namespace {

std::unique_ptr<TMessageService> &Current()
{
    static std::unique_ptr<TMessageService> service;
    return service;
}

} // namespace

TMessageService &TMessageService::Instance()
{
    if (!Current())
        qFatal("No message service is installed");
    return *Current();
}

bool TMessageService::Installed()
{
    return Current() != nullptr;
}

std::unique_ptr<TMessageService> TMessageService::Install(std::unique_ptr<TMessageService> service)
{
    std::swap(Current(), service);
    return service;
}

TMsgResult MessageDlg(const QString &text, TMsgKind kind, TMsgButtons buttons)
{
    return TMessageService::Instance().ShowMessage(kind, text, buttons);
}
