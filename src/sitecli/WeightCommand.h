// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// velicort-site weight: each page's weight and download times as the
// Document Weight window shows them: the page, its local images, both
// together, the times at 28.8, 14.4 and 57.6, and the images weighed,
// largest first.

#include "SiteCommand.h"

#include <QStringList>

class TWeightCommand : public TSiteCommand
{
public:
    TWeightCommand();
    void Describe(QCommandLineParser &parser) const override;
    QString Configure(const QCommandLineParser &parser) override;
    int Run(TSiteReport &report, QTextStream &err) override;

private:
    QStringList m_files;
};
