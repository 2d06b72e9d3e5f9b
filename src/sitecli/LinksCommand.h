// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// velicort-site links: the link verifier's checks over the links and image
// sources of each file given, all files' links side by side in one run of
// the verifier's queue. An address that several rows share is asked once.
// One row per link, in the verifier's order (a file's links sorted, then
// its images), each given as soon as it and the rows before it are known.

#include "LinkCheck.h"
#include "SiteCommand.h"

#include <QStringList>

class TLinksCommand : public TSiteCommand
{
public:
    TLinksCommand();
    void Describe(QCommandLineParser &parser) const override;
    QString Configure(const QCommandLineParser &parser) override;
    int Run(TSiteReport &report, QTextStream &err) override;

private:
    // The root of a document's links: the one given or stored, else the
    // document's own folder.
    QString RootFor(const QString &document) const;

    QStringList m_files;
    QString m_root;
    bool m_images = true;
    TLinkCheckSettings m_settings;
};
