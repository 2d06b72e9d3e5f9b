// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValidateCommand.h"

#include "HTMLValidator.h"
#include "SiteArguments.h"
#include "SiteReport.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {

const QString CommentsOption = QStringLiteral("comments");

QString TypeName(TFindingType type)
{
    switch (type) {
    case TFindingType::Error:
        return QStringLiteral("error");
    case TFindingType::Warning:
        return QStringLiteral("warning");
    case TFindingType::Comment:
        break;
    }
    return QStringLiteral("comment");
}

} // namespace

TValidateCommand::TValidateCommand()
    : TSiteCommand(QStringLiteral("validate"), QStringLiteral("FILE..."),
                   QStringLiteral("Validate pages with the companion validator (HTML Tidy)."))
{
}

void TValidateCommand::Describe(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The pages to validate."),
                                 QStringLiteral("FILE..."));
    parser.addOption({CommentsOption, QStringLiteral("List Tidy's notes too, not only errors and warnings.")});
}

QString TValidateCommand::Configure(const QCommandLineParser &parser)
{
    m_files = parser.positionalArguments();
    m_comments = parser.isSet(CommentsOption);
    return CheckFileArguments(m_files);
}

int TValidateCommand::Run(TSiteReport &report, QTextStream &err)
{
    int counts[3] = {0, 0, 0};
    bool unreadable = false;
    for (const QString &file : std::as_const(m_files)) {
        const std::optional<QList<TValidatorFinding>> findings = THTMLValidator::CheckFile(file);
        if (!findings) {
            err << "velicort-site: cannot read " << file << '\n';
            unreadable = true;
            continue;
        }
        for (const TValidatorFinding &finding : *findings) {
            ++counts[int(finding.type)];
            if (finding.type == TFindingType::Comment && !m_comments)
                continue;
            report.Add({{QStringLiteral("file"), file},
                        {QStringLiteral("type"), TypeName(finding.type)},
                        {QStringLiteral("line"), finding.line},
                        {QStringLiteral("column"), finding.column},
                        {QStringLiteral("message"), finding.message}},
                       file + QStringLiteral(": ") + THTMLValidator::ReportLine(finding));
        }
    }
    const int errors = counts[int(TFindingType::Error)];
    const int warnings = counts[int(TFindingType::Warning)];
    report.Finish(
        {{QStringLiteral("files"), int(m_files.size())},
         {QStringLiteral("errors"), errors},
         {QStringLiteral("warnings"), warnings},
         {QStringLiteral("comments"), counts[int(TFindingType::Comment)]}},
        TSiteReport::Counted(m_files.size(), QStringLiteral("file"), QStringLiteral("files")) + QStringLiteral(": ") +
            TSiteReport::Counted(errors, QStringLiteral("error"), QStringLiteral("errors")) + QStringLiteral(", ") +
            TSiteReport::Counted(warnings, QStringLiteral("warning"), QStringLiteral("warnings")));
    if (unreadable)
        return SiteExit::Usage;
    return errors + warnings > 0 ? SiteExit::Problems : SiteExit::Ok;
}
