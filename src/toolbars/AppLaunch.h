// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a launch button's command line becomes the arguments of the program it
// starts. The line is split the way a desktop entry's Exec line is, and the
// current document goes in as one argument of its own, so that blanks,
// quotes or shell characters in a file name can never change what runs.

#include <QString>
#include <QStringList>

// The token that stands for the current document, in any case.
inline constexpr QLatin1StringView CurrentFileToken{"%CURRENT%"};

bool HasCurrentFileToken(const QString &commandLine);

struct TCommandArgument
{
    QString text;
    bool quoted = false; // some part of it stood in quotes
};

// Splits a command line into arguments: blanks and tabs separate them; a
// part in double quotes keeps its blanks, and inside the quotes a backslash
// takes the next character ("\"", "\\", "\$", "\`") as written. Outside
// quotes a backslash is an ordinary character, so Windows-style paths stay
// intact. An unclosed quote runs to the end of the line.
QList<TCommandArgument> SplitCommandLine(const QString &commandLine);

// The arguments of a launch: the command line split, then every %CURRENT%
// in an argument replaced by the file name. An argument that was only the
// unquoted token vanishes for an untitled document (empty name), as a blank
// on the command line would; in quotes it stays as an empty argument.
QStringList LaunchArguments(const QString &commandLine, const QString &currentFile);
