// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchCommand.h"

#include "ExtendedSearch.h"
#include "HTMLExtensions.h"
#include "ProjectFile.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "SiteArguments.h"
#include "SiteReport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace {

const QString CaseOption = QStringLiteral("case");
const QString RecursiveOption = QStringLiteral("recursive");
const QString BackupOption = QStringLiteral("backup");
const QString DryRunOption = QStringLiteral("dry-run");
const QString ExtensionsOption = QStringLiteral("extensions");

} // namespace

TSearchCommand::TSearchCommand(bool replace)
    : TSiteCommand(replace ? QStringLiteral("replace") : QStringLiteral("find"),
                   (replace ? QStringLiteral("FIND REPLACE ") : QStringLiteral("TEXT ")) +
                       QStringLiteral("DIR|PROJECT") + ProjectFileExtension,
                   replace ? QStringLiteral("Replace a text in every page of a folder or project.")
                           : QStringLiteral("Count a text in every page of a folder or project.")),
      m_replace(replace)
{
}

void TSearchCommand::Describe(QCommandLineParser &parser) const
{
    if (m_replace) {
        parser.addPositionalArgument(QStringLiteral("FIND"), QStringLiteral("The text to replace."));
        parser.addPositionalArgument(QStringLiteral("REPLACE"), QStringLiteral("The text that replaces it."));
    } else {
        parser.addPositionalArgument(QStringLiteral("TEXT"), QStringLiteral("The text to count."));
    }
    parser.addPositionalArgument(QStringLiteral("DIR|PROJECT") + ProjectFileExtension,
                                 QStringLiteral("A folder of pages, or a project file."));
    parser.addOption({CaseOption, QStringLiteral("Match case.")});
    parser.addOption({RecursiveOption, QStringLiteral("With the folder's subfolders.")});
    parser.addOption({ExtensionsOption,
                      QStringLiteral("The extensions of the pages in a folder, as \"htm,html\" (the stored "
                                     "HTML extensions)."),
                      QStringLiteral("LIST")});
    if (m_replace) {
        parser.addOption({BackupOption, QStringLiteral("Keep each changed file as FILE.bak.")});
        parser.addOption({DryRunOption, QStringLiteral("Count what would be replaced; write nothing.")});
    }
}

QString TSearchCommand::Configure(const QCommandLineParser &parser)
{
    const QStringList arguments = parser.positionalArguments();
    const qsizetype wanted = m_replace ? 3 : 2;
    if (arguments.size() != wanted)
        return QStringLiteral("%1 takes %2, not %3 arguments").arg(Name(), Syntax()).arg(arguments.size());
    m_find = arguments.at(0);
    if (m_find.isEmpty())
        return QStringLiteral("the text to find is empty");
    if (m_replace)
        m_replacement = arguments.at(1);
    m_target = arguments.last();
    const QFileInfo target(m_target);
    m_project = target.isFile() && m_target.endsWith(ProjectFileExtension, Qt::CaseInsensitive);
    if (!m_project && !target.isDir())
        return QStringLiteral("neither a folder nor a project file: ") + m_target;
    m_recursive = parser.isSet(RecursiveOption);
    m_options = (parser.isSet(CaseOption) ? esoMatchCase : 0) |
                (m_replace && parser.isSet(BackupOption) ? esoBackups : 0) |
                (m_replace && parser.isSet(DryRunOption) ? esoDryRun : 0);
    m_extensions = LoadHTMLExtensions();
    if (parser.isSet(ExtensionsOption)) {
        m_extensions = ParseExtensions(parser.value(ExtensionsOption));
        if (m_extensions.isEmpty())
            return QStringLiteral("--extensions names no extension");
    }
    // Changed files are written as the editor saves them.
    m_unixLineEnds = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("SaveAsUnix"), false);
    return QString();
}

std::optional<QStringList> TSearchCommand::Files() const
{
    if (m_project)
        return ReadProjectFile(m_target, false);
    return TExtendedSearch::FolderDocuments(m_target, m_recursive, m_extensions);
}

int TSearchCommand::Run(TSiteReport &report, QTextStream &err)
{
    const std::optional<QStringList> files = Files();
    if (!files) {
        err << "velicort-site: cannot read the project " << m_target << '\n';
        return SiteExit::Usage;
    }
    const bool dryRun = m_options & esoDryRun;
    const QString one = !m_replace ? QStringLiteral("match")
                        : dryRun   ? QStringLiteral("to replace")
                                   : QStringLiteral("replaced");
    const QString many = !m_replace ? QStringLiteral("matches") : one;
    const TExtendedSearch search(m_find, m_replacement, !m_replace, m_options, m_unixLineEnds);
    // Files under a folder given relative to the current one are shown so.
    const bool relative = !m_project && QFileInfo(m_target).isRelative();
    const QDir current;
    qsizetype total = 0;
    int withMatches = 0;
    int problems = 0;
    search.ProcessAll(
        *files,
        [&](const TExtendedSearchRow &row) {
            total += row.count;
            withMatches += row.count > 0;
            problems += !row.message.isEmpty();
            const QString file = relative ? current.relativeFilePath(row.file) : row.file;
            report.Add({{QStringLiteral("file"), file},
                        {QStringLiteral("count"), qint64(row.count)},
                        {QStringLiteral("message"), row.message},
                        {QStringLiteral("written"), row.written}},
                       file + QStringLiteral(": ") + TSiteReport::Counted(row.count, one, many) +
                           (row.message.isEmpty() ? QString() : QStringLiteral(": ") + row.message));
        },
        [] { return true; });
    TReportRow summary{{QStringLiteral("files"), int(files->size())},
                       {QStringLiteral("filesWithMatches"), withMatches},
                       {m_replace ? QStringLiteral("replacements") : QStringLiteral("matches"), qint64(total)},
                       {QStringLiteral("problems"), problems}};
    QString text = m_replace
                       ? TSiteReport::Counted(total, QStringLiteral("replacement"), QStringLiteral("replacements"))
                       : TSiteReport::Counted(total, one, many);
    text += QStringLiteral(" in %1 of ").arg(withMatches) +
            TSiteReport::Counted(files->size(), QStringLiteral("file"), QStringLiteral("files"));
    if (problems > 0)
        text += QStringLiteral(", %1 %2").arg(problems).arg(m_replace ? QStringLiteral("not changed")
                                                                      : QStringLiteral("not read"));
    if (m_replace) {
        summary.append({QStringLiteral("dryRun"), dryRun});
        if (dryRun)
            text = QStringLiteral("would make ") + text + QStringLiteral("; nothing written");
    }
    report.Finish(summary, text);
    if (m_replace)
        return problems ? SiteExit::Problems : SiteExit::Ok;
    return total > 0 ? SiteExit::Ok : SiteExit::Problems;
}
