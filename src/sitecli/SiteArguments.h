// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading the values of velicort-site's command line that more than one
// command takes: numbers within bounds, the files to read and a list of
// extensions. Each gives the error to print, or an empty text.

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The number of an option given as decimal digits within [lowest, highest];
// value is left as it was when the option is not given.
QString ReadNumberOption(const QCommandLineParser &parser, const QString &option, int lowest, int highest, int &value);
// Every path names a file that exists; at least one is given.
QString CheckFileArguments(const QStringList &paths);
// "htm,html" or "HTM HTML" as the extensions' list: upper case, no dots.
QStringList ParseExtensions(const QString &text);
