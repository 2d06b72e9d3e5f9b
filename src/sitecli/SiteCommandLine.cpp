// SPDX-License-Identifier: GPL-3.0-or-later
#include "SiteCommandLine.h"

#include "ConsoleMessageService.h"
#include "LinksCommand.h"
#include "SearchCommand.h"
#include "SiteReport.h"
#include "ValidateCommand.h"
#include "WeightCommand.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {

const QString Program = QStringLiteral("velicort-site");
const QString JsonOption = QStringLiteral("json");
const QString TsvOption = QStringLiteral("tsv");
const QString HelpOption = QStringLiteral("help");

bool IsHelp(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h") || argument == QLatin1String("help");
}

} // namespace

TSiteCommandLine::TSiteCommandLine(QTextStream &out, QTextStream &err) : m_out(out), m_err(err)
{
    m_commands.push_back(std::make_unique<TLinksCommand>());
    m_commands.push_back(std::make_unique<TSearchCommand>(false));
    m_commands.push_back(std::make_unique<TSearchCommand>(true));
    m_commands.push_back(std::make_unique<TWeightCommand>());
    m_commands.push_back(std::make_unique<TValidateCommand>());
}

TSiteCommandLine::~TSiteCommandLine() = default;

TSiteCommand *TSiteCommandLine::Command(const QString &name) const
{
    for (const std::unique_ptr<TSiteCommand> &command : m_commands)
        if (command->Name() == name)
            return command.get();
    return nullptr;
}

QString TSiteCommandLine::HelpText() const
{
    QString text = QStringLiteral("Usage: %1 COMMAND [OPTIONS] ARGUMENTS\n\n"
                                  "The site tools of Velicort for scripts and CI.\n\nCommands:\n")
                       .arg(Program);
    for (const std::unique_ptr<TSiteCommand> &command : m_commands)
        text += QStringLiteral("  %1 %2\n      %3\n").arg(command->Name(), command->Syntax(), command->Summary());
    text += QStringLiteral("\nEvery command takes --json (one JSON document), --tsv (tab-separated rows) and "
                           "--help.\nSettings not given as options come from the settings file "
                           "(VELICORT_SETTINGS).\nExit status: 0 fine, 1 problems found, 2 a wrong command "
                           "line.\nSee velicort-site(1) and '%1 COMMAND --help'.\n")
                .arg(Program);
    return text;
}

int TSiteCommandLine::UsageError(const QString &text, const QString &command)
{
    m_err << Program << ": " << text << '\n'
          << "Try '" << Program << (command.isEmpty() ? QString() : u' ' + command) << " --help'.\n";
    m_err.flush();
    return SiteExit::Usage;
}

int TSiteCommandLine::Run(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first.isEmpty())
        return UsageError(QStringLiteral("no command given"));
    if (IsHelp(first)) {
        m_out << HelpText();
        m_out.flush();
        return SiteExit::Ok;
    }
    TSiteCommand *command = Command(first);
    if (!command)
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(first));
    // The messages of the tools under way are lines on the error output.
    std::unique_ptr<TMessageService> previous =
        TMessageService::Install(std::make_unique<TConsoleMessageService>(m_err));
    QStringList rest = arguments;
    rest.removeAt(1);
    const int status = RunCommand(*command, rest);
    TMessageService::Install(std::move(previous));
    return status;
}

int TSiteCommandLine::RunCommand(TSiteCommand &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.Summary());
    parser.addOptions({
        {JsonOption, QStringLiteral("Write the report as one JSON document.")},
        {TsvOption, QStringLiteral("Write the report as tab-separated rows, the first naming the columns.")},
        {{QStringLiteral("h"), HelpOption}, QStringLiteral("Show this help.")},
    });
    command.Describe(parser);
    if (!parser.parse(arguments))
        return UsageError(parser.errorText(), command.Name());
    if (parser.isSet(HelpOption)) {
        // Qt's usage line names the program as started; ours names the command.
        QString help = parser.helpText();
        help.remove(0, help.indexOf(u'\n'));
        if (!help.endsWith(u'\n'))
            help += u'\n';
        m_out << QStringLiteral("Usage: %1 %2 [options] %3").arg(Program, command.Name(), command.Syntax()) << help;
        m_out.flush();
        return SiteExit::Ok;
    }
    if (parser.isSet(JsonOption) && parser.isSet(TsvOption))
        return UsageError(QStringLiteral("--json and --tsv exclude each other"), command.Name());
    const QString error = command.Configure(parser);
    if (!error.isEmpty())
        return UsageError(error, command.Name());
    const TReportFormat format = parser.isSet(JsonOption)  ? TReportFormat::Json
                                 : parser.isSet(TsvOption) ? TReportFormat::Tsv
                                                           : TReportFormat::Text;
    TSiteReport report(command.Name(), format, m_out);
    return command.Run(report, m_err);
}
