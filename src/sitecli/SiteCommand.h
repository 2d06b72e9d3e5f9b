// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One sub-command of velicort-site: its name and options, the check of what
// it was given, and the run that writes its report.

#include <QString>

class QCommandLineParser;
class QTextStream;
class TSiteReport;

// The exit statuses every command shares.
namespace SiteExit {
constexpr int Ok = 0;
// What the command checks for was found: a link that failed, a validation
// error, no match, a file that could not be changed.
constexpr int Problems = 1;
// A wrong command line, or a file or folder named on it that is missing.
constexpr int Usage = 2;
} // namespace SiteExit

class TSiteCommand
{
public:
    TSiteCommand(const QString &name, const QString &syntax, const QString &summary)
        : m_name(name), m_syntax(syntax), m_summary(summary)
    {
    }
    virtual ~TSiteCommand() = default;

    QString Name() const { return m_name; }
    // Its positional arguments as the usage line shows them ("FILE...").
    QString Syntax() const { return m_syntax; }
    // What it does, in one line of the general help.
    QString Summary() const { return m_summary; }
    // Adds its options and positional arguments.
    virtual void Describe(QCommandLineParser &parser) const = 0;
    // Takes what was given on the command line, with the settings for what
    // was not; the error to print when something is wrong, else empty.
    virtual QString Configure(const QCommandLineParser &parser) = 0;
    // Runs the configured command; its exit status. Notes on files it cannot
    // read go to err.
    virtual int Run(TSiteReport &report, QTextStream &err) = 0;

private:
    QString m_name;
    QString m_syntax;
    QString m_summary;
};
