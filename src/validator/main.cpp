// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-validate: checks an HTML file with HTML Tidy.
//
//   velicort-validate -h FILE   as the editor starts it: the findings go to
//                               the running Velicort as a results file; with
//                               no Velicort running, to the terminal
//   velicort-validate FILE      the findings on the terminal
//
// On the terminal each error and warning is one line in the form Tidy prints
// in its quiet mode ("tidy -e -q"); the exit status is Tidy's too: 0 clean,
// 1 warnings, 2 errors, 3 for a file that cannot be read or a wrong command
// line.

#include "FileUtils.h"
#include "HTMLValidator.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>

namespace {

// Writes the results file in the temporary folder and announces it; false
// when no Velicort took it (the file is then deleted).
bool AnnounceToVelicort(const QList<TValidatorFinding> &findings)
{
    const QString path = MakeTempFileName(QStringLiteral("~vr"), QString());
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(THTMLValidator::ResultsText(findings)) >= 0 && file.flush()) {
        file.close();
        if (SendInstanceMessage(InstanceValidatorResult, path))
            return true;
    }
    QFile::remove(path);
    return false;
}

int ExitStatus(const QList<TValidatorFinding> &findings)
{
    const auto has = [&](TFindingType type) {
        return std::any_of(findings.begin(), findings.end(), [type](const auto &f) { return f.type == type; });
    };
    return has(TFindingType::Error) ? 2 : has(TFindingType::Warning) ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool forVelicort = !arguments.isEmpty() && arguments.first() == QLatin1String("-h");
    if (forVelicort)
        arguments.removeFirst();
    QTextStream err(stderr);
    if (arguments.size() != 1) {
        err << "usage: velicort-validate [-h] FILE\n";
        return 3;
    }
    const std::optional<QList<TValidatorFinding>> findings = THTMLValidator::CheckFile(arguments.first());
    if (!findings) {
        err << "velicort-validate: cannot read " << arguments.first() << '\n';
        return 3;
    }
    if (forVelicort && AnnounceToVelicort(*findings))
        return 0;
    // Tidy's quiet mode: its comments stay for the editor's list.
    for (const TValidatorFinding &finding : *findings)
        if (finding.type != TFindingType::Comment)
            err << THTMLValidator::ReportLine(finding) << '\n';
    return ExitStatus(*findings);
}
