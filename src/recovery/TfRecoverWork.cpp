// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfRecoverWork.h"

#include "FileIO.h"
#include "TextEncoding.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QStringList LinesOf(const QString &text)
{
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(u'\n');
}

// Both texts side by side, read-only, at the first line that differs.
void ShowComparison(const TLeftCopy &left, QWidget *parent)
{
    QByteArray disk;
    ReadWholeFile(left.copy.fileName, disk);
    const QString copyText = QString::fromUtf8(left.copy.text);
    const QString diskText = QString::fromUtf8(DocumentTextFromFile(disk).bytes);
    auto *window = new QDialog(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("TfCompareCopy"));
    window->setWindowTitle(QStringLiteral("Compare - ") + QDir::toNativeSeparators(left.copy.fileName));
    auto *grid = new QGridLayout(window);
    const int line = FirstDifferentLine(LinesOf(copyText), LinesOf(diskText));
    const QString headings[2] = {QStringLiteral("Recovered copy"), QStringLiteral("File on disk")};
    const QString texts[2] = {copyText, diskText};
    for (int i = 0; i < 2; ++i) {
        auto *view = new QPlainTextEdit;
        view->setObjectName(i == 0 ? QStringLiteral("txtCopy") : QStringLiteral("txtDisk"));
        view->setReadOnly(true);
        view->setLineWrapMode(QPlainTextEdit::NoWrap);
        view->setPlainText(texts[i]);
        if (line >= 0) {
            QTextCursor cursor(view->document()->findBlockByNumber(line));
            cursor.select(QTextCursor::LineUnderCursor);
            view->setTextCursor(cursor);
        }
        grid->addWidget(new QLabel(headings[i]), 0, i);
        grid->addWidget(view, 1, i);
    }
    grid->addWidget(new QLabel(line < 0 ? QStringLiteral("The copy and the file are the same.")
                                        : QStringLiteral("First difference on line %1.").arg(line + 1)),
                    2, 0, 1, 2);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
    window->resize(900, 600);
    window->show();
}

} // namespace

int FirstDifferentLine(const QStringList &a, const QStringList &b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i)
        if (a.at(i) != b.at(i))
            return int(i);
    return a.size() == b.size() ? -1 : int(common);
}

TfRecoverWork::TfRecoverWork(const QList<TLeftCopy> &copies, TAction restore, TAction discard, QWidget *parent)
    : QDialog(parent), m_copies(copies), m_restore(std::move(restore)), m_discard(std::move(discard))
{
    setObjectName(QStringLiteral("TfRecoverWork"));
    setWindowTitle(QStringLiteral("Recover Unsaved Work"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Velicort ended without saving these documents. Restore each one, "
                                                "compare it with its file on disk, or discard it.")));
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("lvwCopies"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Document"), QStringLiteral("Copied"), QStringLiteral("File on disk")});
    const QLocale locale;
    for (const TLeftCopy &left : std::as_const(m_copies)) {
        const QString name =
            left.copy.fileName.isEmpty() ? QStringLiteral("[Untitled]") : QDir::toNativeSeparators(left.copy.fileName);
        auto *item =
            new QTreeWidgetItem({name, locale.toString(left.copy.copied, QLocale::ShortFormat), DiskStateText(left)});
        if (!left.copy.webAddress.isEmpty())
            item->setToolTip(0, left.copy.webAddress);
        m_list->addTopLevelItem(item);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox;
    m_restoreButton = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::ActionRole);
    m_compareButton = buttons->addButton(QStringLiteral("&Compare..."), QDialogButtonBox::ActionRole);
    m_discardButton = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(m_restoreButton, &QPushButton::clicked, this, &TfRecoverWork::RestoreSelected);
    connect(m_compareButton, &QPushButton::clicked, this, &TfRecoverWork::CompareSelected);
    connect(m_discardButton, &QPushButton::clicked, this, &TfRecoverWork::DiscardSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &TfRecoverWork::UpdateButtons);
    SelectRow(0);
    resize(720, 300);
}

QStringList TfRecoverWork::RowTexts(int row) const
{
    const QTreeWidgetItem *item = m_list->topLevelItem(row);
    return {item->text(0), item->text(1), item->text(2)};
}

void TfRecoverWork::SelectRow(int row)
{
    m_list->setCurrentItem(m_list->topLevelItem(row));
    UpdateButtons();
}

void TfRecoverWork::UpdateButtons()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    const bool any = row >= 0;
    m_restoreButton->setEnabled(any);
    m_discardButton->setEnabled(any);
    m_compareButton->setEnabled(any && QFileInfo(m_copies.at(row).copy.fileName).isFile());
}

void TfRecoverWork::Take(const TAction &action)
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    const TLeftCopy left = m_copies.takeAt(row);
    {
        // The rows and the copies are out of step until the row goes.
        const QSignalBlocker blocker(m_list);
        delete m_list->takeTopLevelItem(row);
    }
    action(left);
    if (m_copies.isEmpty())
        accept();
    else
        UpdateButtons();
}

void TfRecoverWork::RestoreSelected()
{
    Take(m_restore);
}

void TfRecoverWork::DiscardSelected()
{
    Take(m_discard);
}

void TfRecoverWork::CompareSelected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row >= 0 && QFileInfo(m_copies.at(row).copy.fileName).isFile())
        ShowComparison(m_copies.at(row), this);
}
