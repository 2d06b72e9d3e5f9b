// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfBandwidth.h"

#include "MessageService.h"
#include "Notices.h"
#include "Shell.h"
#include "TfDocProperties.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLineEdit *ReadOnlyBox()
{
    auto *box = new QLineEdit;
    box->setReadOnly(true);
    return box;
}

} // namespace

TfBandwidth::TfBandwidth(const QString &path, QWidget *parent)
    : QDialog(parent), edDocument(ReadOnlyBox()), edDependencies(ReadOnlyBox()), edTotal(ReadOnlyBox()),
      ed288(ReadOnlyBox()), ed144(ReadOnlyBox()), ed576(ReadOnlyBox()), lvDependencies(new QTreeWidget),
      mnuPopup(new QMenu(this)), m_path(path)
{
    auto *weightBox = new QGroupBox(QStringLiteral("Weight (file size)"));
    auto *weightForm = new QFormLayout(weightBox);
    weightForm->addRow(QStringLiteral("Document"), edDocument);
    weightForm->addRow(QStringLiteral("Dependencies"), edDependencies);
    weightForm->addRow(QStringLiteral("Total"), edTotal);

    auto *timeBox = new QGroupBox(QStringLiteral("Estimated download time"));
    auto *timeForm = new QFormLayout(timeBox);
    timeForm->addRow(QStringLiteral("with a 28.8 modem"), ed288);
    timeForm->addRow(QStringLiteral("with a 14.4 modem"), ed144);
    timeForm->addRow(QStringLiteral("with a 57.6 modem"), ed576);
    auto *note = new QLabel(QStringLiteral("Note: Download time is calculated using favorable conditions.  Due to "
                                           "the nature of the Web, this number can only be an approximation of the "
                                           "actual download time."));
    note->setWordWrap(true);
    timeForm->addRow(note);

    lvDependencies->setHeaderLabels({QStringLiteral("Dependency"), QStringLiteral("Size")});
    lvDependencies->setRootIsDecorated(false);
    lvDependencies->header()->setSectionsClickable(true);
    lvDependencies->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(lvDependencies->header(), &QHeaderView::sectionClicked, this, &TfBandwidth::SortByColumn);

    const auto showProperties = [this] {
        if (QTreeWidgetItem *item = lvDependencies->currentItem())
            ShowDocumentProperties(item->text(0), this);
    };
    mnuPopup->setDefaultAction(mnuPopup->addAction(QStringLiteral("&Properties..."), this, showProperties));
    connect(lvDependencies, &QTreeWidget::itemDoubleClicked, this, showProperties);
    mnuPopup->addAction(QStringLiteral("&Open..."), this, [this] {
        if (QTreeWidgetItem *item = lvDependencies->currentItem())
            ShellOpenFile(item->text(0));
    });
    mnuPopup->addAction(QStringLiteral("&Refresh"), this, &TfBandwidth::ComputeDocumentWeight);
    mnuPopup->addAction(QStringLiteral("Cancel"));
    lvDependencies->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvDependencies, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { mnuPopup->popup(lvDependencies->viewport()->mapToGlobal(at)); });

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *sizes = new QHBoxLayout;
    sizes->addWidget(weightBox);
    sizes->addWidget(timeBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sizes);
    layout->addWidget(lvDependencies, 1);
    layout->addWidget(buttons);
    resize(620, 420);
    ComputeDocumentWeight();
}

void TfBandwidth::ComputeDocumentWeight()
{
    setWindowTitle(QStringLiteral("Document Weight - [") + m_path + u']');
    m_weight = ::ComputeDocumentWeight(m_path);
    edDocument->setText(m_weight.documentFound ? FormatKB(m_weight.documentSize) : QStringLiteral("Err"));
    edDependencies->setText(FormatKB(m_weight.dependencySum));
    edTotal->setText(FormatKB(m_weight.Total()));
    const double seconds = m_weight.SecondsAt288();
    ed288->setText(FormatSeconds(seconds));
    ed144->setText(FormatSeconds(seconds * 2));
    ed576->setText(FormatSeconds(seconds / 2));
    FillList();
}

void TfBandwidth::SortByColumn(int column)
{
    m_descending = !m_descending;
    auto &rows = m_weight.dependencies;
    if (column == 0)
        std::stable_sort(rows.begin(), rows.end(), [this](const TDependencyWeight &a, const TDependencyWeight &b) {
            const int order = QString::localeAwareCompare(a.path, b.path);
            return m_descending ? order > 0 : order < 0;
        });
    else
        std::stable_sort(rows.begin(), rows.end(), [this](const TDependencyWeight &a, const TDependencyWeight &b) {
            return m_descending ? a.size > b.size : a.size < b.size;
        });
    FillList();
}

void TfBandwidth::FillList()
{
    lvDependencies->setUpdatesEnabled(false);
    lvDependencies->clear();
    for (const TDependencyWeight &row : m_weight.dependencies) {
        auto *item = new QTreeWidgetItem(lvDependencies, {row.path, row.SizeText()});
        if (row.found)
            item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    }
    lvDependencies->setUpdatesEnabled(true);
}

void ShowDocumentWeight(const QString &path, QWidget *parent)
{
    if (!QFileInfo::exists(path)) {
        MessageDlg(QStringLiteral("File not found (") + path + QStringLiteral(".)"), TMsgKind::Warning);
        return;
    }
    ShowOnceNotice(nmDocumentWeight);
    TfBandwidth window(path, parent);
    window.exec();
}
