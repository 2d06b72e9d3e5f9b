// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqFileView.h"

#include "FileUtils.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "Paths.h"
#include "TagText.h"
#include "TextEncoding.h"
#include "TextUtils.h"
#include "TvqFileViewThread.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const QString Untitled = QStringLiteral("[Untitled]");

enum TItemRole { PathRole = Qt::UserRole, ImageRole, CreatedRole, ModifiedRole };

constexpr int StandardWidths[fcColumnCount] = {128, 50, 50, 150, 140, 140};

// How far into a document its title is looked for: the head of any real
// page, and a bound on what a scan reads of a huge file without one.
constexpr qint64 TitleSearchBytes = 256 * 1024;

// The text of a document's first TITLE element.
QString ReadDocumentTitle(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Untitled;
    const QByteArray bytes = file.read(std::min(TitleSearchBytes, file.size()));
    const QByteArray lower = bytes.toLower();
    const qsizetype tag = lower.indexOf("<title");
    const qsizetype start = tag < 0 ? -1 : lower.indexOf('>', tag);
    if (start < 0)
        return Untitled;
    qsizetype end = lower.indexOf('<', start + 1);
    if (end < 0)
        end = bytes.size();
    // The title is read in the page's encoding, which its head declares or
    // its bytes show.
    const QString title =
        DecodeText(QByteArrayView(bytes).sliced(start + 1, end - start - 1), DetectEncoding(bytes).encoding)
            .simplified();
    return title.isEmpty() ? Untitled : title;
}

// A QTreeWidgetItem that sorts by the list's column rules.
class TFileItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : fcName;
        switch (column) {
        case fcType:
            return text(fcType).compare(other.text(fcType), Qt::CaseSensitive) < 0;
        case fcSize:
            return SizeOf(*this) < SizeOf(other);
        case fcDescription:
            return text(fcDescription).localeAwareCompare(other.text(fcDescription)) < 0;
        case fcCreated:
        case fcModified: {
            // An unknown time sorts before every known one, so the order
            // stays a strict one.
            const int role = column == fcCreated ? CreatedRole : ModifiedRole;
            const QDateTime mine = data(fcName, role).toDateTime();
            const QDateTime theirs = other.data(fcName, role).toDateTime();
            if (!mine.isValid() || !theirs.isValid())
                return !mine.isValid() && theirs.isValid();
            return mine < theirs;
        }
        default:
            return text(fcName).localeAwareCompare(other.text(fcName)) < 0;
        }
    }

private:
    // The number before "KB".
    static qint64 SizeOf(const QTreeWidgetItem &item)
    {
        const QString size = item.text(fcSize);
        const qsizetype kb = size.indexOf(QLatin1String("KB"));
        return (kb < 0 ? size : size.left(kb)).toLongLong();
    }
};

QString Description(TFileKind kind, const QString &path)
{
    switch (kind) {
    case TFileKind::Document:
        return ReadDocumentTitle(path);
    case TFileKind::StyleSheet:
        return QStringLiteral("Style Sheet");
    case TFileKind::Image:
        return QStringLiteral("Image");
    case TFileKind::Sound:
        return QStringLiteral("Sound");
    case TFileKind::Video:
        return QStringLiteral("Animation");
    case TFileKind::Shortcut:
        return ReadShortcutURL(path);
    case TFileKind::Other:
        break;
    }
    return QString();
}

TFileImage KindImage(TFileKind kind)
{
    switch (kind) {
    case TFileKind::Document:
        return fiDocument;
    case TFileKind::StyleSheet:
        return fiStyleSheet;
    case TFileKind::Image:
        return fiImage;
    case TFileKind::Sound:
        return fiSound;
    case TFileKind::Video:
        return fiAnimation;
    case TFileKind::Shortcut:
        return fiShortcut;
    case TFileKind::Other:
        break;
    }
    return fiOther;
}

} // namespace

TFileDetails ReadFileDetails(const QString &path, const QStringList &htmlExtensions, bool columns)
{
    TFileDetails details;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        details.type = QStringLiteral("*******");
        details.size = QStringLiteral("0");
        details.description = QStringLiteral("[file not found]");
        return details;
    }
    details.exists = true;
    const TFileKind kind = FileKindOf(path, htmlExtensions);
    details.image = KindImage(kind);
    if (!columns)
        return details;
    details.type = info.suffix().toUpper();
    details.size = FileSizeText(info.size());
    // Only a plain file is read: a pipe would never end.
    if (info.isFile())
        details.description = Description(kind, path);
    details.createdTime = info.birthTime();
    details.modifiedTime = info.lastModified();
    details.created = FileListTimeText(details.createdTime);
    details.modified = FileListTimeText(details.modifiedTime);
    return details;
}

QString FileSizeText(qint64 size)
{
    return QString::number(std::max<qint64>(1, std::llround(double(size) / 1024))) + QStringLiteral("KB");
}

QString FileListTimeText(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    const QDateTime local = time.toLocalTime();
    return QLocale().toString(local.date(), QStringLiteral("MMM d yyyy")) + u' ' + LongTimeText(local.time());
}

TScanProgress::TScanProgress(qsizetype count) : m_shown(count > 30)
{
    if (m_shown) {
        m_step = 100.0 / double(count);
        m_text = QStringLiteral("Scanning...");
    }
}

void TScanProgress::Advance()
{
    if (!m_shown || ++m_counter <= 5)
        return;
    m_progress = std::min(100.0, m_progress + 5 * m_step);
    m_counter = 0;
    m_text = QStringLiteral("Scanning ... [") + QString::number(int(m_progress)) + QStringLiteral("%]");
}

// ---------------------------------------------------------------------------

TvqFileView::TvqFileView(QWidget *parent) : QTreeWidget(parent)
{
    for (const char *name : {"document", "image", "stylesheet", "sound", "animation", "other", "notfound", "shortcut"})
        m_images.append(QIcon(DataFilePath(QStringLiteral("icons/files/") + QLatin1String(name) + ".svg")));
    m_htmlExtensions = LoadHTMLExtensions();
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &TvqFileView::SortByColumn);
    SetupColumns();
}

TvqFileView::~TvqFileView()
{
    if (m_thread) {
        m_thread->Stop();
        EndThread();
    }
}

void TvqFileView::SetupColumns()
{
    setColumnCount(fcColumnCount);
    setHeaderLabels({tr("Name"), tr("Type"), tr("Size"), tr("Description"), tr("Created"), tr("Modified")});
    headerItem()->setTextAlignment(fcSize, Qt::AlignRight | Qt::AlignVCenter);
    for (int column = fcName; column < fcColumnCount; ++column)
        setColumnWidth(column, StandardWidths[column]);
    setHeaderHidden(false);
}

void TvqFileView::SetListOnlyFileNames(bool value)
{
    m_listOnlyFileNames = value;
    const bool detailsWereHidden = isColumnHidden(fcType);
    for (int column = fcType; column < fcColumnCount; ++column)
        setColumnHidden(column, value);
    if (value) {
        FitNameColumn();
    } else if (detailsWereHidden || columnWidth(fcType) == 0) {
        const int widths[fcColumnCount] = {128, 50, 50, 150, 150, 150};
        for (int column = fcName; column < fcColumnCount; ++column)
            setColumnWidth(column, widths[column]);
    }
}

bool TvqFileView::Ignored(const QString &path) const
{
    return !m_ignorePrefix.isEmpty() && QFileInfo(path).fileName().startsWith(m_ignorePrefix, Qt::CaseInsensitive);
}

QTreeWidgetItem *TvqFileView::NewItem(const QString &path, const TFileDetails &details) const
{
    auto *item = new TFileItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setText(fcName, path.isEmpty() ? Untitled : (m_showFullPath ? path : QFileInfo(path).fileName()));
    item->setData(fcName, PathRole, path);
    item->setTextAlignment(fcSize, Qt::AlignRight | Qt::AlignVCenter);
    if (!path.isEmpty())
        ShowDetails(item, details);
    return item;
}

void TvqFileView::ShowDetails(QTreeWidgetItem *item, const TFileDetails &details) const
{
    item->setIcon(fcName, m_images.at(details.image));
    item->setData(fcName, ImageRole, int(details.image));
    item->setData(fcName, CreatedRole, details.createdTime);
    item->setData(fcName, ModifiedRole, details.modifiedTime);
    if (m_listOnlyFileNames && details.exists)
        return;
    item->setText(fcType, details.type);
    item->setText(fcSize, details.size);
    item->setText(fcDescription, details.description);
    item->setText(fcCreated, details.created);
    item->setText(fcModified, details.modified);
}

QTreeWidgetItem *TvqFileView::AddFile(const QString &path)
{
    if (Ignored(path))
        return nullptr;
    QTreeWidgetItem *item =
        NewItem(path, path.isEmpty() ? TFileDetails() : ReadFileDetails(path, m_htmlExtensions, !m_listOnlyFileNames));
    addTopLevelItem(item);
    if (ScanRunning())
        m_addedDuringScan.insert(path); // the scan must not list it twice
    return item;
}

void TvqFileView::UpdateFileItem(QTreeWidgetItem *item)
{
    const QString path = ItemPath(item);
    item->setText(fcName, m_showFullPath ? path : QFileInfo(path).fileName());
    ShowDetails(item, ReadFileDetails(path, m_htmlExtensions, !m_listOnlyFileNames));
}

void TvqFileView::SetFiles(QStringList paths)
{
    if (m_thread) {
        m_thread->Stop();
        EndThread();
        FinishScan();
    }
    std::sort(paths.begin(), paths.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    clear();
    if (paths.isEmpty())
        return;

    m_progress = TScanProgress(paths.size());
    if (m_progress.Shown()) {
        m_scanLabel = new QLabel(m_progress.Text(), this);
        m_scanLabel->setObjectName(QStringLiteral("lblScanning"));
        m_scanLabel->setGeometry(3, 22, 100, m_scanLabel->sizeHint().height());
        m_scanLabel->setAutoFillBackground(true);
        m_scanLabel->show();
    }
    const quint64 serial = ++m_serial;
    m_thread = new TvqFileViewThread(serial, paths, m_htmlExtensions, !m_listOnlyFileNames);
    connect(m_thread, &TvqFileViewThread::FilesRead, this, &TvqFileView::AddScannedFiles);
    connect(m_thread, &QThread::finished, this, [this, serial] {
        if (serial == m_serial && ScanRunning()) {
            EndThread();
            FinishScan();
        }
    });
    m_thread->start();
}

void TvqFileView::AddScannedFiles(quint64 serial, const QList<TScannedFile> &files)
{
    if (serial != m_serial || !ScanRunning())
        return; // from a scan that was stopped
    QList<QTreeWidgetItem *> items;
    items.reserve(files.size());
    for (const TScannedFile &file : files) {
        if (!Ignored(file.path) && !m_addedDuringScan.contains(file.path))
            items.append(NewItem(file.path, file.details));
        m_progress.Advance();
    }
    addTopLevelItems(items);
    if (m_scanLabel)
        m_scanLabel->setText(m_progress.Text());
    m_thread->HandedOver();
}

void TvqFileView::StopScan()
{
    if (m_thread)
        m_thread->Stop();
}

void TvqFileView::EndThread()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void TvqFileView::FinishScan()
{
    delete m_scanLabel;
    m_scanLabel = nullptr;
    m_addedDuringScan.clear();
    // A refilled list keeps the order the user chose.
    if (m_sortColumn >= 0)
        sortItems(m_sortColumn, m_sortDirection ? Qt::AscendingOrder : Qt::DescendingOrder);
    emit ScanFinished();
}

QString TvqFileView::ItemPath(const QTreeWidgetItem *item)
{
    return item ? item->data(fcName, PathRole).toString() : QString();
}

void TvqFileView::SetItemPath(QTreeWidgetItem *item, const QString &path)
{
    item->setData(fcName, PathRole, path);
}

TFileImage TvqFileView::ItemImage(const QTreeWidgetItem *item)
{
    return TFileImage(item->data(fcName, ImageRole).toInt());
}

QTreeWidgetItem *TvqFileView::FindFile(const QString &path) const
{
    for (int row = 0; row < topLevelItemCount(); ++row)
        if (ItemPath(topLevelItem(row)) == path)
            return topLevelItem(row);
    return nullptr;
}

QStringList TvqFileView::SelectedPaths() const
{
    QStringList paths;
    for (int row = 0; row < topLevelItemCount(); ++row)
        if (topLevelItem(row)->isSelected())
            paths.append(ItemPath(topLevelItem(row)));
    return paths;
}

int TvqFileView::SelectedRow() const
{
    QTreeWidgetItem *item = currentItem();
    return item && item->isSelected() ? indexOfTopLevelItem(item) : -1;
}

void TvqFileView::SelectRow(int row)
{
    QTreeWidgetItem *item = topLevelItem(row);
    if (!item)
        return;
    setCurrentItem(item);
    scrollToItem(item);
}

void TvqFileView::SortByColumn(int column)
{
    if (ScanRunning())
        return;
    THourglass hourglass;
    m_sortDirection ^= 1;
    m_sortColumn = column;
    const Qt::SortOrder order = m_sortDirection ? Qt::AscendingOrder : Qt::DescendingOrder;
    header()->setSortIndicatorShown(true);
    sortItems(column, order);
}

void TvqFileView::startDrag(Qt::DropActions)
{
    // Files leave the list only as copies: a move would take their rows out.
    QTreeWidget::startDrag(Qt::CopyAction);
    emit DragEnded();
}

void TvqFileView::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    if (m_listOnlyFileNames)
        FitNameColumn();
}

void TvqFileView::FitNameColumn()
{
    setColumnWidth(fcName, std::max(40, viewport()->width() - 4));
}
