// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated sample page of the size asked, for the whole-program
// benchmark (bench/program_bench.sh).
//
//   write_sample_page BYTES PATH

#include "SampleHtmlPage.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: write_sample_page BYTES PATH\n");
        return 2;
    }
    const QByteArray page = MakeSampleHtmlPage(std::atoll(argv[1]));
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
