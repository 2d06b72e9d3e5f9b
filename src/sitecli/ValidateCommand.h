// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// velicort-site validate: the companion validator's findings on each page,
// one row each, errors and warnings in the form Tidy prints them, with the
// notes too when asked. Exit 1 when a page has an error or a warning.

#include "SiteCommand.h"

#include <QStringList>

class TValidateCommand : public TSiteCommand
{
public:
    TValidateCommand();
    void Describe(QCommandLineParser &parser) const override;
    QString Configure(const QCommandLineParser &parser) override;
    int Run(TSiteReport &report, QTextStream &err) override;

private:
    QStringList m_files;
    bool m_comments = false;
};
