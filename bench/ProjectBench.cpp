// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of projects: opening a project of 200 pages of 20 KB into the main
// window, from the command until every tab is loaded and coloured, paired
// with opening the same files one by one through the open command; and
// the projects dialog listing a project of 2,000 files, paired with a bare
// file list given the same files. Medians over the repetitions, with the
// median of the paired ratios.
//
//   project_bench [repetitions]

#include "BenchProfile.h"
#include "Median.h"
#include "ProjectCommands.h"
#include "ProjectFile.h"
#include "SampleHtmlPage.h"
#include "SettingsStore.h"
#include "TfMain.h"
#include "TfProjects.h"
#include "TvqFileView.h"
#include "TvqHTMLTab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QStringList WritePages(const QString &folder, int count, qsizetype size)
{
    const QByteArray page = MakeSampleHtmlPage(size);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/page%1.html").arg(i, 4, 10, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
            return {};
        paths.append(path);
    }
    return paths;
}

void Report(const char *name, const std::vector<double> &work, const std::vector<double> &base,
            const std::vector<double> &ratio)
{
    std::printf("%-28s %9.1f ms   baseline %9.1f ms   ratio %.2f\n", name, Median(work), Median(base), Median(ratio));
}

} // namespace

int main(int argc, char **argv)
{
    const TBenchProfile profile;
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir dir;
    WriteRegValue(QStringLiteral("Software\\Velicort"), QStringLiteral("ProjectDir"), dir.path());
    QDir(dir.path()).mkdir(QStringLiteral("small"));
    QDir(dir.path()).mkdir(QStringLiteral("many"));
    const QStringList pages = WritePages(dir.filePath(QStringLiteral("small")), 200, 20'000);
    const QStringList many = WritePages(dir.filePath(QStringLiteral("many")), 2000, 2'000);
    const QString site = ProjectFilePath(QStringLiteral("site"));
    const QString big = ProjectFilePath(QStringLiteral("big"));
    if (pages.isEmpty() || many.isEmpty() || !WriteProjectFile(site, pages) || !WriteProjectFile(big, many))
        return 1;

    TfMain window;
    window.resize(1024, 768);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const auto settle = [&] { QCoreApplication::processEvents(); };

    std::vector<double> open, openBase, openRatio, list, listBase, listRatio;
    for (int i = 0; i < repetitions; ++i) {
        window.Projects()->CloseAll();
        settle();
        auto start = Clock::now();
        for (const QString &page : pages)
            window.OpenDocuments(page, 0);
        settle();
        const double base = MsSince(start);
        window.Projects()->CloseAll();
        settle();
        start = Clock::now();
        if (!window.Projects()->OpenProject(site, 2) || window.Documents()->DocumentCount() != pages.size())
            return 2;
        settle();
        const double work = MsSince(start);
        open.push_back(work);
        openBase.push_back(base);
        openRatio.push_back(work / base);

        start = Clock::now();
        {
            TvqFileView bare;
            bare.setUpdatesEnabled(false);
            for (const QString &path : many)
                bare.AddFile(path);
            bare.setUpdatesEnabled(true);
        }
        const double listFloor = MsSince(start);
        start = Clock::now();
        {
            TfProjects dialog([](const QString &, int) { return false; }, [](const QString &) {});
            if (dialog.vqProjectFileView->topLevelItemCount() != many.size())
                return 3;
        }
        const double listed = MsSince(start);
        list.push_back(listed);
        listBase.push_back(listFloor);
        listRatio.push_back(listed / listFloor);
    }
    Report("open 200 x 20 KB project", open, openBase, openRatio);
    Report("dialog with 2,000 files", list, listBase, listRatio);
    return 0;
}
