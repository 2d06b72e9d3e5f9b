// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinksCommand.h"

#include "SiteArguments.h"
#include "SiteReport.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>

#include <numeric>
#include <optional>

namespace {

const QString RootOption = QStringLiteral("root");
const QString TimeoutOption = QStringLiteral("timeout");
const QString PortOption = QStringLiteral("port");
const QString ParallelOption = QStringLiteral("parallel");
const QString ImagesOption = QStringLiteral("images");
const QString NoImagesOption = QStringLiteral("no-images");

QString ResultName(TCheckResult result)
{
    switch (result) {
    case TCheckResult::Verified:
        return QStringLiteral("verified");
    case TCheckResult::TimedOut:
        return QStringLiteral("timedOut");
    case TCheckResult::Failed:
        break;
    }
    return QStringLiteral("failed");
}

// One link of one document.
struct TLinkRow
{
    QString file; // as given on the command line
    TFoundLink link;
    QString url;
    int check; // the index of its address among those asked
};

} // namespace

TLinksCommand::TLinksCommand()
    : TSiteCommand(QStringLiteral("links"), QStringLiteral("FILE..."),
                   QStringLiteral("Verify the links and image sources of pages."))
{
}

void TLinksCommand::Describe(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The pages whose links are verified."),
                                 QStringLiteral("FILE..."));
    parser.addOptions({
        {RootOption,
         QStringLiteral("The web address or local folder that relative links resolve against (the stored default "
                        "root, else each page's own folder)."),
         QStringLiteral("URL|DIR")},
        {TimeoutOption, QStringLiteral("Seconds each network step may take (the stored time-out, 30)."),
         QStringLiteral("S")},
        {PortOption, QStringLiteral("The port of addresses that name none (the stored port, 80)."),
         QStringLiteral("PORT")},
        {ParallelOption, QStringLiteral("Links checked at once (the stored number, 8)."), QStringLiteral("N")},
        {ImagesOption, QStringLiteral("Verify image sources too (the default).")},
        {NoImagesOption, QStringLiteral("Verify the links alone.")},
    });
}

QString TLinksCommand::Configure(const QCommandLineParser &parser)
{
    m_settings = TLinkCheckSettings::Stored();
    m_root = m_settings.defaultRoot;
    if (parser.isSet(RootOption)) {
        const QString root = parser.value(RootOption);
        const QFileInfo folder(root);
        if (!root.contains(QLatin1String("://")) && folder.isDir())
            m_root = NormalizeLinkRoot(folder.absoluteFilePath());
        else if (root.contains(QLatin1String("://")) && IsLinkRoot(root))
            m_root = NormalizeLinkRoot(root);
        else
            return QStringLiteral("--root takes an http or https address or an existing folder, not \"%1\"").arg(root);
    }
    if (parser.isSet(ImagesOption) && parser.isSet(NoImagesOption))
        return QStringLiteral("--images and --no-images exclude each other");
    m_images = !parser.isSet(NoImagesOption);
    int port = m_settings.port;
    for (const QString &error : {ReadNumberOption(parser, TimeoutOption, 1, 3600, m_settings.timeOut),
                                 ReadNumberOption(parser, PortOption, 1, 65535, port),
                                 ReadNumberOption(parser, ParallelOption, 1, 256, m_settings.parallel)})
        if (!error.isEmpty())
            return error;
    m_settings.port = quint16(port);
    m_files = parser.positionalArguments();
    return CheckFileArguments(m_files);
}

QString TLinksCommand::RootFor(const QString &document) const
{
    return m_root.isEmpty() ? NormalizeLinkRoot(QFileInfo(document).absolutePath()) : m_root;
}

int TLinksCommand::Run(TSiteReport &report, QTextStream &)
{
    // Checks wait for servers: each verdict is shown as it comes.
    report.LiveRows = true;
    QList<TLinkRow> rows;
    QStringList urls;
    QHash<QString, int> checks;
    bool unreadable = false;
    for (const QString &file : std::as_const(m_files)) {
        const QString document = QFileInfo(file).absoluteFilePath();
        // A file that cannot be read is said on the error output.
        const std::optional<QList<TFoundLink>> links = CollectDocumentLinks(document, m_images);
        if (!links) {
            unreadable = true;
            continue;
        }
        const QString root = RootFor(document);
        for (const TFoundLink &link : *links) {
            const QString url = ResolveLinkURL(link.link, document, root);
            auto check = checks.find(url);
            if (check == checks.end()) {
                check = checks.insert(url, int(urls.size()));
                urls.append(url);
            }
            rows.append({file, link, url, *check});
        }
    }

    QList<std::optional<TLinkStatus>> statuses(urls.size());
    qsizetype shown = 0;
    int counts[3] = {0, 0, 0};
    // The rows whose checks and all before them have ended.
    const auto showReady = [&] {
        for (; shown < rows.size() && statuses.at(rows.at(shown).check); ++shown) {
            const TLinkRow &row = rows.at(shown);
            const TLinkStatus &status = *statuses.at(row.check);
            const QString text = LinkStatusText(status, row.url);
            ++counts[int(status.result)];
            report.Add({{QStringLiteral("file"), row.file},
                        {QStringLiteral("link"), row.link.link},
                        {QStringLiteral("kind"),
                         row.link.kind == TLinkKind::HTML ? QStringLiteral("link") : QStringLiteral("image")},
                        {QStringLiteral("url"), row.url},
                        {QStringLiteral("result"), ResultName(status.result)},
                        {QStringLiteral("status"), text}},
                       row.file + QStringLiteral(": ") + row.link.link +
                           (row.url == row.link.link ? QString() : QStringLiteral(" -> ") + row.url) +
                           QStringLiteral(": ") + text);
        }
    };
    TLinkCheckQueue queue;
    queue.Parallel = m_settings.parallel;
    queue.PerServer = m_settings.perServer;
    queue.TimeOut = m_settings.timeOut;
    queue.Port = m_settings.port;
    QList<int> indexes(urls.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    queue.Run(
        urls, indexes, [](int) {},
        [&](int index, const TLinkStatus &status) {
            statuses[index] = status;
            showReady();
        });

    const int verified = counts[int(TCheckResult::Verified)];
    const int failed = counts[int(TCheckResult::Failed)];
    const int timedOut = counts[int(TCheckResult::TimedOut)];
    report.Finish({{QStringLiteral("files"), int(m_files.size())},
                   {QStringLiteral("links"), int(rows.size())},
                   {QStringLiteral("verified"), verified},
                   {QStringLiteral("failed"), failed},
                   {QStringLiteral("timedOut"), timedOut}},
                  QStringLiteral("%1 in %2: %3 verified, %4 failed, %5 timed out")
                      .arg(TSiteReport::Counted(rows.size(), QStringLiteral("link"), QStringLiteral("links")),
                           TSiteReport::Counted(m_files.size(), QStringLiteral("file"), QStringLiteral("files")))
                      .arg(verified)
                      .arg(failed)
                      .arg(timedOut));
    if (unreadable)
        return SiteExit::Usage;
    return failed + timedOut > 0 ? SiteExit::Problems : SiteExit::Ok;
}
