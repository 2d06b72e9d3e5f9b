// SPDX-License-Identifier: GPL-3.0-or-later
// The companion validator: its findings against the tidy program's on the
// same pages, the results file both ways, and the program velicort-validate
// on the terminal and announcing to a running editor.

#include "HTMLValidator.h"

#include "SingleInstance.h"
#include "TestFiles.h"
#include "ValidatorFixtures.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Readable failures.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The errors and warnings, as Tidy prints them.
QStringList ReportLines(const QList<TValidatorFinding> &findings)
{
    QStringList lines;
    for (const TValidatorFinding &finding : findings)
        if (finding.type != TFindingType::Comment)
            lines << THTMLValidator::ReportLine(finding);
    return lines;
}

class CompanionValidator : public testing::Test
{
protected:
    QString Page(int i)
    {
        return WriteTestFile(m_dir.filePath(QStringLiteral("page%1.html").arg(i)), ValidatorTestPages[i]);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CompanionValidator, FindsWhatTidyFindsOnTheSamePages)
{
    for (int i = 0; i < int(std::size(ValidatorTestPages)); ++i) {
        const QString page = Page(i);
        const std::optional<QList<TValidatorFinding>> findings = THTMLValidator::CheckFile(page);
        ASSERT_TRUE(findings);
        EXPECT_EQ(ReportLines(*findings), TidyFindings(page)) << i;
    }
    EXPECT_FALSE(THTMLValidator::CheckFile(m_dir.filePath(QStringLiteral("missing.html"))));
}

TEST_F(CompanionValidator, TellsErrorsWarningsAndCommentsApart)
{
    const QList<TValidatorFinding> findings = THTMLValidator::Check(ValidatorTestPages[1]);
    ASSERT_FALSE(findings.isEmpty());
    const auto error =
        std::find_if(findings.begin(), findings.end(), [](const auto &f) { return f.type == TFindingType::Error; });
    ASSERT_NE(error, findings.end());
    EXPECT_EQ(error->line, 2);
    EXPECT_EQ(error->message, QStringLiteral("<foo> is not recognized!"));
    // Tidy's notes are comments: a clean page has nothing else.
    const QList<TValidatorFinding> clean = THTMLValidator::Check(ValidatorTestPages[2]);
    ASSERT_FALSE(clean.isEmpty());
    for (const TValidatorFinding &finding : clean)
        EXPECT_EQ(finding.type, TFindingType::Comment) << finding.message.toStdString();
    const QList<TValidatorFinding> noted = THTMLValidator::Check(ValidatorTestPages[3]);
    EXPECT_TRUE(
        noted.contains(TValidatorFinding{TFindingType::Comment, 4, 1, QStringLiteral("<tr> previously mentioned")}));
}

TEST_F(CompanionValidator, TheResultsFileCarriesTheFindingsBothWays)
{
    const QList<TValidatorFinding> findings = {{TFindingType::Error, 12, 0, QStringLiteral("<foo> is not recognized!")},
                                               {TFindingType::Warning, 3, 0, QStringLiteral("caf\u00e9 = 1")},
                                               {TFindingType::Comment, 0, 0, QStringLiteral("a note")}};
    const QByteArray text = THTMLValidator::ResultsText(findings);
    EXPECT_TRUE(text.startsWith("MESSAGETYPE=ERROR\nLINENUMBER=12\nMESSAGE=<foo> is not recognized!\n"));
    EXPECT_TRUE(text.endsWith("ENDOFFILE=YES\n"));
    EXPECT_EQ(THTMLValidator::ReadResults(text), findings);

    // A line break inside a message stays inside it.
    const QList<TValidatorFinding> broken = {{TFindingType::Warning, 1, 0, QStringLiteral("two\nlines")}};
    EXPECT_EQ(THTMLValidator::ReadResults(THTMLValidator::ResultsText(broken)).at(0).message,
              QStringLiteral("two lines"));
}

TEST_F(CompanionValidator, ReadingSkipsUnknownTypesAndStopsAtTheEndMark)
{
    const QList<TValidatorFinding> read =
        THTMLValidator::ReadResults("MESSAGETYPE=NOTE\r\nLINENUMBER=4\r\nMESSAGE=skip\r\n"
                                    "MESSAGETYPE=COMMENT\r\nMESSAGE=kept\r\n"
                                    "MESSAGETYPE=WARNING\r\nLINENUMBER=7\r\n");
    const QList<TValidatorFinding> expected = {{TFindingType::Comment, 0, 0, QStringLiteral("kept")},
                                               {TFindingType::Warning, 7, 0, QString()}};
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(THTMLValidator::ReadResults("ENDOFFILE=YES\nMESSAGETYPE=ERROR\nLINENUMBER=1\n").isEmpty());
}

TEST_F(CompanionValidator, OnTheTerminalItPrintsAndExitsAsTidyDoes)
{
    for (int i = 0; i < int(std::size(ValidatorTestPages)); ++i) {
        const QString page = Page(i);
        const TToolRun tidy =
            RunForFindings(QStringLiteral(TIDY_PROGRAM), {QStringLiteral("-e"), QStringLiteral("-q"), page});
        // No editor runs for this profile, so -h prints too.
        for (const QStringList &arguments : {QStringList{page}, QStringList{QStringLiteral("-h"), page}}) {
            const TToolRun ours = RunForFindings(QStringLiteral(VALIDATOR_PROGRAM), arguments);
            EXPECT_EQ(ours.lines, TidyFindings(page)) << i;
            EXPECT_EQ(ours.exitCode, tidy.exitCode) << i;
        }
    }
    EXPECT_EQ(
        RunForFindings(QStringLiteral(VALIDATOR_PROGRAM), {m_dir.filePath(QStringLiteral("missing.html"))}).exitCode,
        3);
    EXPECT_EQ(RunForFindings(QStringLiteral(VALIDATOR_PROGRAM), {}).exitCode, 3);
}

TEST_F(CompanionValidator, StartedForTheEditorItAnnouncesAResultsFile)
{
    TfVelicortMessageWindow window;
    ASSERT_TRUE(window.Listen());
    QSignalSpy announced(&window, &TfVelicortMessageWindow::ValidatorResultMessage);
    QProcess companion;
    companion.start(QStringLiteral(VALIDATOR_PROGRAM), {QStringLiteral("-h"), Page(1)});
    ASSERT_TRUE(announced.wait(30000));
    ASSERT_TRUE(companion.waitForFinished(30000));
    EXPECT_EQ(companion.exitCode(), 0);
    EXPECT_TRUE(companion.readAllStandardError().isEmpty());

    const QString results = announced.at(0).at(0).toString();
    QFile file(results);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<TValidatorFinding> expected = THTMLValidator::Check(ValidatorTestPages[1]);
    for (TValidatorFinding &finding : expected)
        finding.column = 0; // the file carries no columns
    EXPECT_EQ(THTMLValidator::ReadResults(file.readAll()), expected);
    file.remove();
}
