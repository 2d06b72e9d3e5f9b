// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site: the site tools from the command line, for scripts and CI.
// The commands and their output are TSiteCommandLine's.

#include "SiteCommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return TSiteCommandLine(out, err).Run(QCoreApplication::arguments());
}
