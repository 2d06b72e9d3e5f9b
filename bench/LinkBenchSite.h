// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The site of the link benchmarks: a page of 1,000 links spread over 4
// loopback servers (bench/link_servers.py, needs python3): most answer at
// once, 20 after one second, 50 point at ports where nothing listens. And
// the baseline that checks the same links: LinkChecker (--check-extern, the
// page served by the first server), when it is installed.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class TLinkBenchSite
{
public:
    static constexpr int Links = 1000;
    static constexpr int Slow = 20;
    static constexpr int Dead = 50;

    TLinkBenchSite();
    ~TLinkBenchSite();
    TLinkBenchSite(const TLinkBenchSite &) = delete;
    TLinkBenchSite &operator=(const TLinkBenchSite &) = delete;

    // False, with the reason on the error output, when the page could not be
    // written or the servers did not start.
    bool Start();
    QString PagePath() const { return m_folder.filePath(QStringLiteral("page.htm")); }
    bool HasLinkChecker() const { return !m_linkchecker.isEmpty(); }
    // Seconds for linkchecker to check the page's links; negative on failure.
    double LinkCheckerSeconds() const;

private:
    QTemporaryDir m_folder;
    QProcess m_servers;
    QString m_linkchecker;
    QString m_pageUrl;
};
