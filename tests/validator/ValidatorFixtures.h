// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the companion validator is tested on and against, by its own tests
// and by the command line's: pages with errors, warnings, comments and none
// (page 2 is clean), UTF-8 text included; and the tidy program's findings on
// a file (TIDY_PROGRAM names it).

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

inline const QByteArray ValidatorTestPages[] = {
    "<html>\n<head><title>x</title></head>\n<body>\n<p>hello <b>world\n<table><tr><td>a</td></tr></table>\n"
    "<img src=\"a.gif\">\n<font color=red>x</font>\n<blink>y</blink>\n</body>\n",
    "<!DOCTYPE html>\n<html><head><title>a</title></head><body><p>x</p><foo>y</foo></body></html>\n",
    "<!DOCTYPE html>\n<html><head><title>caf\xc3\xa9</title></head>\n<body>\n<p>fine</p>\n</body></html>\n",
    "<p>no head\n<ul><li>one<p>two</ul>\n<a href=\"x\">unclosed\n<td>stray cell</td>\n<table><p>x</table>\n",
};

struct TToolRun
{
    int exitCode = -1;
    QStringList lines; // of the error output
};

inline TToolRun RunForFindings(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts)};
}

// The findings the tidy program prints, less its closing advice.
inline QStringList TidyFindings(const QString &file)
{
    QStringList lines =
        RunForFindings(QStringLiteral(TIDY_PROGRAM), {QStringLiteral("-e"), QStringLiteral("-q"), file}).lines;
    lines.removeIf([](const QString &line) { return !line.startsWith(QLatin1String("line ")); });
    return lines;
}
