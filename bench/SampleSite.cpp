// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleSite.h"

#include "SampleHtmlPage.h"

#include <QDir>
#include <QFile>

bool WriteSampleSite(const QString &root, int folders, int pagesPerFolder, qsizetype size)
{
    const QByteArray page = MakeSampleHtmlPage(size);
    for (int f = 0; f < folders; ++f) {
        const QString folder = root + QStringLiteral("/section%1").arg(f, 3, 10, QLatin1Char('0'));
        if (!QDir().mkpath(folder))
            return false;
        for (int p = 0; p < pagesPerFolder; ++p) {
            QFile file(folder + QStringLiteral("/page%1.html").arg(p, 2, 10, QLatin1Char('0')));
            if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
                return false;
        }
    }
    return true;
}
