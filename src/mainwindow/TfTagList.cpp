// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfTagList.h"

#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

TfTagList::TfTagList(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Tag List"));
    auto *pages = new QTabWidget(this);
    pages->addTab(new QListWidget, QStringLiteral("Tags"));
    pages->addTab(new QListWidget, QStringLiteral("Attributes"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(pages);
    resize(220, 320);
}

void TfTagList::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    emit Closed();
}
