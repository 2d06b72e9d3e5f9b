// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqFileView.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>

namespace {

// A file time as the list shows it; blank when the file system keeps none.
QString FileTimeText(const QDateTime &time)
{
    return time.isValid() ? QLocale().toString(time.toLocalTime(), QLocale::ShortFormat) : QString();
}

} // namespace

QString FileSizeText(qint64 size)
{
    return QString::number((size + 1023) / 1024) + QStringLiteral("KB");
}

TvqFileView::TvqFileView(QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(ExtendedSelection);
    setHeaderLabels({tr("Name"), tr("Type"), tr("Size"), tr("Description"), tr("Created"), tr("Modified")});
    headerItem()->setTextAlignment(fcSize, Qt::AlignRight | Qt::AlignVCenter);
    header()->setStretchLastSection(false);
    const int widths[] = {128, 50, 50, 150, 140, 140};
    for (int column = fcName; column <= fcModified; ++column)
        setColumnWidth(column, widths[column]);
}

void TvqFileView::AddFile(const QString &path, const QString &shownName)
{
    auto *item = new QTreeWidgetItem(this);
    item->setText(fcName, shownName);
    item->setData(fcName, Qt::UserRole, path);
    item->setTextAlignment(fcSize, Qt::AlignRight | Qt::AlignVCenter);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return;
    item->setText(fcType, info.suffix().toUpper());
    item->setText(fcSize, FileSizeText(info.size()));
    item->setText(fcCreated, FileTimeText(info.birthTime()));
    item->setText(fcModified, FileTimeText(info.lastModified()));
}

QString TvqFileView::FilePath(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item ? item->data(fcName, Qt::UserRole).toString() : QString();
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
