// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfReplaceResults.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

TfReplaceResults::TfReplaceResults(bool findMode, TOpenFile openFile, QWidget *parent)
    : QDialog(parent), m_openFile(std::move(openFile))
{
    setWindowTitle(findMode ? QStringLiteral("Find Results") : QStringLiteral("Replace Results"));
    resize(640, 360);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *picture = new QLabel;
    picture->setPixmap(
        style()->standardIcon(findMode ? QStyle::SP_FileDialogContentsView : QStyle::SP_BrowserReload).pixmap(32, 32));
    top->addWidget(picture, 0, Qt::AlignTop);
    lvwResults = new QTreeWidget;
    lvwResults->setObjectName(QStringLiteral("lvwResults"));
    lvwResults->setRootIsDecorated(false);
    lvwResults->setHeaderLabels({QStringLiteral("File"), QStringLiteral("# Matches"), QStringLiteral("Message")});
    lvwResults->headerItem()->setTextAlignment(rcMatches, Qt::AlignRight | Qt::AlignVCenter);
    lvwResults->setColumnWidth(rcFile, 360);
    lvwResults->setColumnWidth(rcMatches, 80);
    lvwResults->header()->setSectionsClickable(true);
    connect(lvwResults->header(), &QHeaderView::sectionClicked, this, &TfReplaceResults::SortBy);
    top->addWidget(lvwResults, 1);
    layout->addLayout(top);

    if (findMode) {
        mnuOpen = new QAction(QStringLiteral("&Open"), lvwResults);
        lvwResults->addAction(mnuOpen);
        lvwResults->setContextMenuPolicy(Qt::ActionsContextMenu);
        connect(mnuOpen, &QAction::triggered, this, [this] {
            if (QTreeWidgetItem *item = lvwResults->currentItem())
                m_openFile(item->text(rcFile));
        });
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void TfReplaceResults::AddRow(const TExtendedSearchRow &row)
{
    auto *item = new QTreeWidgetItem(lvwResults, {row.file, QString::number(row.count), row.message});
    item->setTextAlignment(rcMatches, Qt::AlignRight | Qt::AlignVCenter);
}

void TfReplaceResults::SortBy(int column)
{
    m_ascending = !m_ascending;
    QList<QTreeWidgetItem *> items;
    while (lvwResults->topLevelItemCount() > 0)
        items.append(lvwResults->takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(), [&](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        const QTreeWidgetItem *first = m_ascending ? a : b;
        const QTreeWidgetItem *second = m_ascending ? b : a;
        if (column == rcMatches)
            return first->text(column).toLongLong() < second->text(column).toLongLong();
        return first->text(column).localeAwareCompare(second->text(column)) < 0;
    });
    lvwResults->addTopLevelItems(items);
}
