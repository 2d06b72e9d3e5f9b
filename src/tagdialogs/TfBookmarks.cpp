// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfBookmarks.h"

#include "MessageService.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

QStringList BookmarkURLs(const QString &fileText)
{
    static const QString prefix = QStringLiteral("<DT><A HREF=\"");
    QStringList urls;
    qsizetype at = fileText.indexOf(prefix);
    while (at >= 0) {
        const qsizetype start = at + prefix.size();
        const qsizetype end = fileText.indexOf(u'"', start);
        if (end < 0)
            break;
        urls.append(fileText.mid(start, end - start));
        at = fileText.indexOf(prefix, end + 1);
    }
    return urls;
}

TfBookmarks::TfBookmarks(const QString &bookmarkFile, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Netscape Bookmarks"));
    lstBookmarks = new QListWidget;
    lstBookmarks->setObjectName(QStringLiteral("lstBookmarks"));
    lstBookmarks->setSortingEnabled(true);
    lstBookmarks->setMinimumSize(fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 16);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstBookmarks, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstBookmarks);
    layout->addWidget(buttons);

    QFile file(bookmarkFile);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(file.exists());
    if (!file.open(QIODevice::ReadOnly)) {
        MessageDlg(QStringLiteral("Unable to open bookmark file."), TMsgKind::Error);
        return;
    }
    lstBookmarks->addItems(BookmarkURLs(QString::fromUtf8(file.readAll())));
    lstBookmarks->setCurrentRow(0);
}

QString TfBookmarks::SelectedURL() const
{
    const QListWidgetItem *item = lstBookmarks->currentItem();
    return item ? item->text() : QString();
}
