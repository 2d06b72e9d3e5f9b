// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The results window of the extended find and replace as a test sees it.

#include "TfReplaceResults.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QTreeWidget>

// Closes the results window once it shows, keeping its caption and rows.
struct TResultsSeen
{
    TResultsSeen()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto *window = qobject_cast<TfReplaceResults *>(QApplication::activeModalWidget());
            if (!window)
                return;
            caption = window->windowTitle();
            for (int i = 0; i < window->lvwResults->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *item = window->lvwResults->topLevelItem(i);
                rows.append(QStringList{QFileInfo(item->text(0)).fileName(), item->text(1), item->text(2)});
            }
            window->accept();
        });
        timer.start(5);
    }
    QTimer timer;
    QString caption;
    QList<QStringList> rows;
};
