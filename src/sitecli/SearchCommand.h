// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// velicort-site find and replace: the extended find and replace over the
// HTML documents of a folder (with its subfolders when asked) or the files
// of a project, with the editor's rules for reading, matching and writing.
// One row per file in list order, with its count and what went wrong. The
// replacement asks nothing; a dry run writes nothing.

#include "SiteCommand.h"

#include <QStringList>

#include <optional>

class TSearchCommand : public TSiteCommand
{
public:
    explicit TSearchCommand(bool replace);

    void Describe(QCommandLineParser &parser) const override;
    QString Configure(const QCommandLineParser &parser) override;
    int Run(TSiteReport &report, QTextStream &err) override;

private:
    // The files to go through; nothing when the project cannot be read.
    std::optional<QStringList> Files() const;

    bool m_replace;
    QString m_find;
    QString m_replacement;
    int m_options = 0;
    bool m_recursive = false;
    QString m_target; // a folder, or a project file
    bool m_project = false;
    QStringList m_extensions;
    bool m_unixLineEnds = false;
};
