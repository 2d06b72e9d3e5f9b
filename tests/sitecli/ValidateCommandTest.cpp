// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site validate on the companion validator's test pages: the lines
// tidy -e -q prints, the validator's findings in the JSON report, and the
// exit status.

#include "HTMLValidator.h"
#include "SiteReport.h"
#include "SiteRun.h"
#include "TestFiles.h"
#include "ValidatorFixtures.h"

#include <QTemporaryDir>

TEST(ValidateCommand, ReportsTheValidatorsFindingsAsTidyPrintsThem)
{
    QTemporaryDir dir;
    QStringList pages;
    for (int i = 0; i < int(std::size(ValidatorTestPages)); ++i)
        pages.append(WriteTestFile(dir.filePath(QStringLiteral("page%1.html").arg(i)), ValidatorTestPages[i]));

    const TSiteRun text = RunSite(QStringList{QStringLiteral("validate")} + pages);
    QStringList expected;
    int errors = 0;
    int warnings = 0;
    for (const QString &page : pages) {
        for (const QString &line : TidyFindings(page)) {
            expected.append(page + QStringLiteral(": ") + line);
            errors += line.contains(QLatin1String(" - Error: "));
            warnings += line.contains(QLatin1String(" - Warning: "));
        }
    }
    ASSERT_GT(errors, 0);
    expected.append(QStringLiteral("4 files: ") +
                    TSiteReport::Counted(errors, QStringLiteral("error"), QStringLiteral("errors")) +
                    QStringLiteral(", %1 warnings").arg(warnings));
    EXPECT_EQ(text.out.split(u'\n', Qt::SkipEmptyParts), expected);
    EXPECT_EQ(text.status, 1);

    // The notes too when asked, every finding with its place.
    const TSiteRun json =
        RunSite({QStringLiteral("validate"), QStringLiteral("--json"), QStringLiteral("--comments"), pages[3]});
    QList<QStringList> findings;
    const std::optional<QList<TValidatorFinding>> checked = THTMLValidator::CheckFile(pages[3]);
    ASSERT_TRUE(checked);
    for (const TValidatorFinding &finding : *checked)
        findings.append({finding.type == TFindingType::Error     ? QStringLiteral("error")
                         : finding.type == TFindingType::Warning ? QStringLiteral("warning")
                                                                 : QStringLiteral("comment"),
                         QString::number(finding.line), QString::number(finding.column), finding.message});
    ASSERT_TRUE(std::any_of(findings.begin(), findings.end(), [](const QStringList &f) { return f[0] == "comment"; }));
    EXPECT_EQ(json.Rows({QStringLiteral("type"), QStringLiteral("line"), QStringLiteral("column"),
                         QStringLiteral("message")}),
              findings);
    EXPECT_EQ(json.Summary().value(QStringLiteral("comments")).toInt(),
              std::count_if(findings.begin(), findings.end(), [](const QStringList &f) { return f[0] == "comment"; }));

    // A clean page exits 0.
    const TSiteRun clean = RunSite({QStringLiteral("validate"), pages[2]});
    EXPECT_EQ(clean.out, QStringLiteral("1 file: 0 errors, 0 warnings\n"));
    EXPECT_EQ(clean.status, 0);
}
