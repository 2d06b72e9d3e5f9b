// SPDX-License-Identifier: GPL-3.0-or-later
// velicort-site weight: the boxes and the list of the Document Weight window
// for the same pages, and the figures of the JSON report.

#include "DocumentWeight.h"
#include "SiteReport.h"
#include "SiteRun.h"
#include "TestFiles.h"
#include "TfBandwidth.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

TEST(WeightCommand, ShowsWhatTheWeightWindowShows)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("img")));
    WriteTestFile(dir.filePath(QStringLiteral("img/small.png")), QByteArray(100, 'x'));
    WriteTestFile(dir.filePath(QStringLiteral("big.png")), QByteArray(5000, 'x'));
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("page.htm")),
                                       "<body background=\"img/small.png\"><img src=\"gone.png\"><img src=\"big.png\">"
                                       "<IMG SRC=\"BIG.PNG\"><img src=\"http://example.com/a.gif\">" +
                                           QByteArray(10000, ' '));
    const QString plain = WriteTestFile(dir.filePath(QStringLiteral("plain.htm")), "<p>no images</p>");

    const TSiteRun text = RunSite({QStringLiteral("weight"), page, plain});
    EXPECT_EQ(text.status, 0);
    for (const QString &file : {page, plain}) {
        SCOPED_TRACE(file.toStdString());
        const TfBandwidth window(file);
        QStringList expected{file};
        const std::pair<const char *, const QLineEdit *> boxes[] = {
            {"Document", window.edDocument},     {"Dependencies", window.edDependencies},
            {"Total", window.edTotal},           {"with a 28.8 modem", window.ed288},
            {"with a 14.4 modem", window.ed144}, {"with a 57.6 modem", window.ed576}};
        for (const auto &[label, box] : boxes)
            expected.append(QStringLiteral("  %1  %2").arg(QLatin1String(label), -17).arg(box->text()));
        for (int i = 0; i < window.lvDependencies->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = window.lvDependencies->topLevelItem(i);
            expected.append(QStringLiteral("  %1  %2").arg(item->text(1), 17).arg(item->text(0)));
        }
        EXPECT_TRUE(text.out.contains(expected.join(u'\n') + u'\n')) << text.out.toStdString();
    }
    EXPECT_TRUE(text.out.endsWith(QStringLiteral("2 files: ") +
                                  FormatKB(ComputeDocumentWeight(page).Total() + ComputeDocumentWeight(plain).Total()) +
                                  QStringLiteral(" in all, 1 image not found\n")));

    const TSiteRun json = RunSite({QStringLiteral("weight"), QStringLiteral("--json"), page});
    const QJsonObject row = json.Json().value(QStringLiteral("rows")).toArray().at(0).toObject();
    const TDocumentWeight weight = ComputeDocumentWeight(page);
    EXPECT_EQ(row.value(QStringLiteral("documentBytes")).toInteger(), weight.documentSize);
    EXPECT_EQ(row.value(QStringLiteral("dependencyBytes")).toInteger(), 5100);
    EXPECT_EQ(row.value(QStringLiteral("totalBytes")).toInteger(), weight.Total());
    EXPECT_DOUBLE_EQ(row.value(QStringLiteral("seconds144")).toDouble(), weight.SecondsAt288() * 2);
    const QJsonArray dependencies = row.value(QStringLiteral("dependencies")).toArray();
    ASSERT_EQ(dependencies.size(), 3);
    EXPECT_EQ(dependencies.at(0).toObject().value(QStringLiteral("bytes")).toInt(), 5000);
    EXPECT_FALSE(dependencies.at(2).toObject().value(QStringLiteral("found")).toBool());

    // TSV: one row of figures per page, the list left to the other forms.
    const TSiteRun tsv = RunSite({QStringLiteral("weight"), QStringLiteral("--tsv"), page, plain});
    const QStringList lines = tsv.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("file\tdocumentBytes\tdependencyBytes\ttotalBytes\tseconds288\tseconds144\t"
                                       "seconds576"));
    EXPECT_EQ(lines[2], plain + QStringLiteral("\t16\t0\t16\t") + TSiteReport::TsvCell(16 / 1024.0 * 0.3125) + u'\t' +
                            TSiteReport::TsvCell(16 / 1024.0 * 0.625) + u'\t' +
                            TSiteReport::TsvCell(16 / 1024.0 * 0.15625));
}
