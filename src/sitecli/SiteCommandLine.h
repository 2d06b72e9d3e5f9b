// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line of velicort-site: "velicort-site COMMAND [OPTIONS]
// ARGUMENTS", the general help, each command's help, the output forms
// (--json, --tsv) and the exit status. Reports go to out, errors and notes
// to err; a wrong command line exits 2 with the reason and a hint on err.
// While it runs, the site tools' messages go to err as well, and the
// settings are read, never written.

#include "SiteCommand.h"

#include <QStringList>

#include <memory>
#include <vector>

class QTextStream;

class TSiteCommandLine
{
public:
    TSiteCommandLine(QTextStream &out, QTextStream &err);
    ~TSiteCommandLine();

    // The arguments as the program got them, its own name first; the exit
    // status.
    int Run(const QStringList &arguments);

    // The general help: every command with its usage and what it does.
    QString HelpText() const;

private:
    TSiteCommand *Command(const QString &name) const;
    int RunCommand(TSiteCommand &command, const QStringList &arguments);
    int UsageError(const QString &text, const QString &command = QString());

    QTextStream &m_out;
    QTextStream &m_err;
    std::vector<std::unique_ptr<TSiteCommand>> m_commands;
};
