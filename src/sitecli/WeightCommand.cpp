// SPDX-License-Identifier: GPL-3.0-or-later
#include "WeightCommand.h"

#include "DocumentWeight.h"
#include "SiteArguments.h"
#include "SiteReport.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

TWeightCommand::TWeightCommand()
    : TSiteCommand(QStringLiteral("weight"), QStringLiteral("FILE..."),
                   QStringLiteral("Weigh pages with their local images, and their download times."))
{
}

void TWeightCommand::Describe(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The pages to weigh."),
                                 QStringLiteral("FILE..."));
}

QString TWeightCommand::Configure(const QCommandLineParser &parser)
{
    m_files = parser.positionalArguments();
    return CheckFileArguments(m_files);
}

int TWeightCommand::Run(TSiteReport &report, QTextStream &)
{
    qint64 total = 0;
    int missing = 0;
    for (const QString &file : std::as_const(m_files)) {
        const TDocumentWeight weight = ComputeDocumentWeight(file);
        const double seconds = weight.SecondsAt288();
        QJsonArray dependencies;
        QString text = file + u'\n';
        // The boxes of the window, then its list.
        const QString documentText = weight.documentFound ? FormatKB(weight.documentSize) : QStringLiteral("Err");
        const std::pair<const char *, QString> boxes[] = {
            {"Document", documentText},
            {"Dependencies", FormatKB(weight.dependencySum)},
            {"Total", FormatKB(weight.Total())},
            {"with a 28.8 modem", FormatSeconds(seconds)},
            {"with a 14.4 modem", FormatSeconds(seconds * 2)},
            {"with a 57.6 modem", FormatSeconds(seconds / 2)},
        };
        for (const auto &[label, value] : boxes)
            text += QStringLiteral("  %1  %2\n").arg(QLatin1String(label), -17).arg(value);
        for (const TDependencyWeight &dependency : weight.dependencies) {
            dependencies.append(QJsonObject{{QStringLiteral("path"), dependency.path},
                                            {QStringLiteral("found"), dependency.found},
                                            {QStringLiteral("bytes"), dependency.size}});
            text += QStringLiteral("  %1  %2\n").arg(dependency.SizeText(), 17).arg(dependency.path);
            missing += !dependency.found;
        }
        text.chop(1);
        total += weight.Total();
        report.Add({{QStringLiteral("file"), file},
                    {QStringLiteral("documentBytes"), weight.documentSize},
                    {QStringLiteral("dependencyBytes"), weight.dependencySum},
                    {QStringLiteral("totalBytes"), weight.Total()},
                    {QStringLiteral("seconds288"), seconds},
                    {QStringLiteral("seconds144"), seconds * 2},
                    {QStringLiteral("seconds576"), seconds / 2},
                    {QStringLiteral("dependencies"), dependencies}},
                   text);
    }
    report.Finish({{QStringLiteral("files"), int(m_files.size())},
                   {QStringLiteral("totalBytes"), total},
                   {QStringLiteral("missingDependencies"), missing}},
                  TSiteReport::Counted(m_files.size(), QStringLiteral("file"), QStringLiteral("files")) +
                      QStringLiteral(": ") + FormatKB(total) + QStringLiteral(" in all, ") +
                      TSiteReport::Counted(missing, QStringLiteral("image"), QStringLiteral("images")) +
                      QStringLiteral(" not found"));
    return SiteExit::Ok;
}
