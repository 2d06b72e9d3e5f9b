// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppLaunch.h"

#include <utility>

bool HasCurrentFileToken(const QString &commandLine)
{
    return commandLine.contains(CurrentFileToken, Qt::CaseInsensitive);
}

QList<TCommandArgument> SplitCommandLine(const QString &commandLine)
{
    QList<TCommandArgument> arguments;
    TCommandArgument current;
    bool inArgument = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine.at(i);
        if (inQuotes) {
            if (c == u'"')
                inQuotes = false;
            else if (c == u'\\' && i + 1 < commandLine.size())
                current.text += commandLine.at(++i);
            else
                current.text += c;
        } else if (c == u' ' || c == u'\t') {
            if (inArgument)
                arguments.append(std::exchange(current, {}));
            inArgument = false;
        } else {
            inArgument = true;
            if (c == u'"') {
                inQuotes = true;
                current.quoted = true;
            } else {
                current.text += c;
            }
        }
    }
    if (inArgument)
        arguments.append(current);
    return arguments;
}

QStringList LaunchArguments(const QString &commandLine, const QString &currentFile)
{
    QStringList result;
    for (TCommandArgument &argument : SplitCommandLine(commandLine)) {
        // One pass over the argument: a file name that itself holds the
        // token is not looked at again.
        argument.text.replace(CurrentFileToken, currentFile, Qt::CaseInsensitive);
        if (!argument.text.isEmpty() || argument.quoted)
            result.append(argument.text);
    }
    return result;
}
