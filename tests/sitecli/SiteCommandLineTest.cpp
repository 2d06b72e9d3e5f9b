// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site's command line: wrong ones exit 2 with the reason on the
// error output, the help texts, the TSV cells, and the program itself, run
// as a script runs it, which reads the settings file and never writes it.

#include "SiteReport.h"
#include "SiteRun.h"
#include "TestFiles.h"
#include "Unprivileged.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct TProgramRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

TProgramRun RunSiteProgram(const QStringList &arguments, const QString &settings)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELICORT_SETTINGS"), settings);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SITE_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SiteCommandLine : public testing::Test
{
protected:
    void SetUp() override
    {
        m_page = WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")),
                               "<html>\r\n<head><title>t</title></head>\r\n<body><a href=\"gone.htm\">x</a>\r\n"
                               "<img src=\"pic.gif\"></body></html>\r\n");
        WriteTestFile(m_dir.filePath(QStringLiteral("pic.gif")), "GIF89a");
    }

    QTemporaryDir m_dir;
    QString m_page;
};

} // namespace

TEST_F(SiteCommandLine, WrongCommandLinesExit2WithTheReasonAndAHint)
{
    const QString folder = m_dir.path();
    const QString missing = m_dir.filePath(QStringLiteral("missing.htm"));
    const QList<QStringList> wrong = {
        {},
        {"bogus"},
        {"links"},
        {"links", missing},
        {"links", "--timeout", "0", m_page},
        {"links", "--timeout", "ten", m_page},
        {"links", "--timeout", "+5", m_page},
        {"links", "--timeout"},
        {"links", "--parallel", "-1", m_page},
        {"links", "--port", "70000", m_page},
        {"links", "--root", m_dir.filePath(QStringLiteral("nowhere")), m_page},
        {"links", "--root", "ftp://example.org", m_page},
        {"links", "--root", "http://", m_page},
        {"links", "--images", "--no-images", m_page},
        {"links", "--frob", m_page},
        {"links", "--json", "--tsv", m_page},
        {"find", "x"},
        {"find", "", folder},
        {"find", "x", missing},
        {"find", "x", m_page},
        {"find", "x", folder, "extra"},
        {"find", "--backup", "x", folder},
        {"find", "--extensions", ", .", "x", folder},
        {"replace", "a", folder},
        {"replace", "--dry-run", "a", "b", missing},
        {"weight"},
        {"weight", missing},
        {"validate", m_page, missing},
    };
    for (const QStringList &arguments : wrong) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const TSiteRun run = RunSite(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << run.err.toStdString();
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("velicort-site: "))) << run.err.toStdString();
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Try 'velicort-site")) &&
                    lines[1].endsWith(QStringLiteral(" --help'.")));
    }
    EXPECT_EQ(RunSite({QStringLiteral("links"), QStringLiteral("--port"), QStringLiteral("99999"), m_page})
                  .err.split(u'\n')[0],
              QStringLiteral("velicort-site: --port takes a number from 1 to 65535, not \"99999\""));
}

TEST_F(SiteCommandLine, AFileThatCannotBeReadIsSaidAndExits2)
{
    TUnprivileged::MakeWorldReadable(m_dir.path());
    ASSERT_TRUE(QFile::setPermissions(m_page, QFile::WriteOwner));
    TSiteRun links;
    TSiteRun validate;
    {
        const TUnprivileged unprivileged;
        links = RunSite({QStringLiteral("links"), m_page});
        validate = RunSite({QStringLiteral("validate"), m_page});
    }
    EXPECT_EQ(links.err, QStringLiteral("velicort-site: Unable to open file ") + m_page + QStringLiteral(".\n"));
    EXPECT_EQ(links.status, 2);
    EXPECT_EQ(validate.err, QStringLiteral("velicort-site: cannot read ") + m_page + u'\n');
    EXPECT_EQ(validate.status, 2);
}

TEST_F(SiteCommandLine, HelpNamesEveryCommandAndEachCommandItsOptions)
{
    for (const char *help : {"--help", "-h", "help"}) {
        const TSiteRun run = RunSite({QLatin1String(help)});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: velicort-site COMMAND [OPTIONS] ARGUMENTS\n")));
        for (const char *command : {"links FILE...", "find TEXT DIR|PROJECT.vcp",
                                    "replace FIND REPLACE DIR|PROJECT.vcp", "weight FILE...", "validate FILE..."})
            EXPECT_TRUE(run.out.contains(QStringLiteral("  ") + QLatin1String(command) + u'\n')) << command;
    }
    const struct
    {
        const char *command;
        const char *usage;
        QStringList options;
    } commands[] = {
        {"links",
         "links [options] FILE...",
         {"--root <URL|DIR>", "--timeout <S>", "--port <PORT>", "--parallel <N>", "--images", "--no-images", "--json",
          "--tsv"}},
        {"find", "find [options] TEXT DIR|PROJECT.vcp", {"--case", "--recursive", "--extensions <LIST>"}},
        {"replace", "replace [options] FIND REPLACE DIR|PROJECT.vcp", {"--backup", "--dry-run", "--recursive"}},
        {"weight", "weight [options] FILE...", {"--json"}},
        {"validate", "validate [options] FILE...", {"--comments"}},
    };
    for (const auto &command : commands) {
        const TSiteRun run = RunSite({QLatin1String(command.command), QStringLiteral("--help")});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: velicort-site ") + QLatin1String(command.usage) + u'\n'))
            << run.out.toStdString();
        for (const QString &option : command.options)
            EXPECT_TRUE(run.out.contains(option)) << command.command << ' ' << option.toStdString();
        EXPECT_TRUE(run.out.endsWith(u'\n'));
    }
}

TEST(SiteReport, TsvCellsEscapeWhatWouldBreakARow)
{
    EXPECT_EQ(TSiteReport::TsvCell(QStringLiteral("a\tb\nc\r\\d")), QStringLiteral("a\\tb\\nc\\r\\\\d"));
    EXPECT_EQ(TSiteReport::TsvCell(12), QStringLiteral("12"));
    EXPECT_EQ(TSiteReport::TsvCell(qint64(5) << 40), QStringLiteral("5497558138880"));
    EXPECT_EQ(TSiteReport::TsvCell(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(TSiteReport::TsvCell(true), QStringLiteral("true"));
    EXPECT_EQ(TSiteReport::Counted(1, QStringLiteral("match"), QStringLiteral("matches")), QStringLiteral("1 match"));
    EXPECT_EQ(TSiteReport::Counted(0, QStringLiteral("match"), QStringLiteral("matches")), QStringLiteral("0 matches"));
}

// The program as a CI job runs it: every command, exit statuses, JSON on
// its output; the settings file stays byte for byte as it was, nothing else
// appears beside it, and a missing one is not made.
TEST_F(SiteCommandLine, TheProgramReadsTheSettingsAndNeverWritesThem)
{
    QTemporaryDir profile;
    const QString settings = profile.filePath(QStringLiteral("Velicort.conf"));
    const QByteArray stored = "[Software]\r\nVelicort\\HTTPPort=8080\r\nVelicort\\LinkVerify\\Timeout=7\r\n"
                              "Velicort\\HTMLExtensions\\Extension1=HTM\r\nVelicort\\LinkVerify\\Parallel=2\r\n"
                              "Velicort\\SaveAsUnix=-1\r\n";
    WriteTestFile(settings, stored);
    const QDateTime written = QFileInfo(settings).lastModified();
    const QString project =
        WriteTestFile(m_dir.filePath(QStringLiteral("site.vcp")), "[FileList]\nFile1=" + m_page.toUtf8() + "\n");
    const struct
    {
        QStringList arguments;
        int status;
    } runs[] = {
        {{"links", "--json", m_page}, 1},
        {{"links", "--no-images", "--root", m_dir.path(), m_page}, 1},
        {{"find", "--json", "href", m_dir.path()}, 0},
        {{"find", "--tsv", "nothing here", project}, 1},
        {{"replace", "--dry-run", "pic.gif", "logo.gif", m_dir.path()}, 0},
        {{"replace", "--backup", "gone.htm", "pic.gif", project}, 0},
        {{"weight", "--json", m_page}, 0},
        {{"validate", "--tsv", m_page}, 1},
        {{"links", m_page}, 0},
        {{"bogus"}, 2},
    };
    for (const auto &run : runs) {
        SCOPED_TRACE(run.arguments.join(u' ').toStdString());
        const TProgramRun result = RunSiteProgram(run.arguments, settings);
        EXPECT_EQ(result.status, run.status) << result.err.toStdString();
        if (run.arguments.contains(QStringLiteral("--json"))) {
            const QJsonDocument report = QJsonDocument::fromJson(result.out);
            EXPECT_EQ(report.object().value(QStringLiteral("command")).toString(), run.arguments.first());
        }
        EXPECT_EQ(Read(settings), stored);
        EXPECT_EQ(QFileInfo(settings).lastModified(), written);
        EXPECT_EQ(QDir(profile.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("Velicort.conf")});
    }
    EXPECT_EQ(Read(m_page + QStringLiteral(".bak")).count("gone.htm"), 1);
    EXPECT_EQ(Read(m_page).count("\r"), 0);

    const QString none = profile.filePath(QStringLiteral("none/Velicort.conf"));
    EXPECT_EQ(RunSiteProgram({QStringLiteral("find"), QStringLiteral("href"), m_dir.path()}, none).status, 0);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(none).path()));
}
