// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfCurrentDocs.h"

#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TfDocProperties.h"
#include "TvqFileView.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString ShowFullPathValue = QStringLiteral("OpenDocsShowFullPath");

} // namespace

TfCurrentDocs::TfCurrentDocs(const QStringList &paths, int activeIndex, QWidget *parent)
    : QDialog(parent), vqOpenDocs(new TvqFileView), chkShowFullPaths(new QCheckBox(tr("Show &full paths"))),
      btnSelect(nullptr), btnCancel(nullptr), mnuPopup(new QMenu(this)), mnuProperties(nullptr), m_paths(paths)
{
    setWindowTitle(QStringLiteral("Current Documents"));
    vqOpenDocs->setObjectName(QStringLiteral("vqOpenDocs"));
    vqOpenDocs->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const int column : {fcType, fcDescription, fcCreated})
        vqOpenDocs->setColumnHidden(column, true);
    chkShowFullPaths->setChecked(ReadRegBool(RegistryKeys::DocumentList, ShowFullPathValue, true));

    auto *buttons = new QDialogButtonBox;
    btnSelect = buttons->addButton(tr("&Select"), QDialogButtonBox::AcceptRole);
    btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
    btnSelect->setDefault(true);

    mnuProperties = mnuPopup->addAction(tr("&Properties..."), this,
                                        [this] { ShowDocumentProperties(m_paths.value(SelectedIndex()), this); });
    mnuPopup->addAction(tr("Cancel")); // only closes the menu
    vqOpenDocs->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vqOpenDocs, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnuPopup->popup(vqOpenDocs->viewport()->mapToGlobal(pos)); });

    connect(buttons, &QDialogButtonBox::accepted, this, &TfCurrentDocs::btnSelectClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(vqOpenDocs, &QTreeWidget::itemDoubleClicked, this, &TfCurrentDocs::btnSelectClick);
    connect(vqOpenDocs, &QTreeWidget::itemSelectionChanged, this, &TfCurrentDocs::UpdateCommands);
    connect(chkShowFullPaths, &QCheckBox::clicked, this, &TfCurrentDocs::chkShowFullPathsClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(vqOpenDocs);
    layout->addWidget(chkShowFullPaths);
    layout->addWidget(buttons);
    resize(520, 320);

    FillList();
    vqOpenDocs->SelectRow(activeIndex);
    vqOpenDocs->setFocus();
    UpdateCommands();
}

int TfCurrentDocs::ChooseDocument(const QStringList &paths, int activeIndex, QWidget *parent)
{
    TfCurrentDocs form(paths, activeIndex, parent);
    return form.exec() == Accepted ? form.SelectedIndex() : -1;
}

int TfCurrentDocs::SelectedIndex() const
{
    return vqOpenDocs->SelectedRow();
}

void TfCurrentDocs::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    vqOpenDocs->setColumnWidth(fcName, vqOpenDocs->width() / 2 - 12);
}

// Lists the documents by path or by name, keeping the selected row.
void TfCurrentDocs::FillList()
{
    const int selected = SelectedIndex();
    vqOpenDocs->SetShowFullPath(chkShowFullPaths->isChecked());
    vqOpenDocs->clear();
    for (const QString &path : m_paths)
        vqOpenDocs->AddFile(path);
    vqOpenDocs->SelectRow(selected);
}

void TfCurrentDocs::UpdateCommands()
{
    const int row = SelectedIndex();
    btnSelect->setEnabled(row >= 0);
    mnuProperties->setEnabled(row >= 0 && QFileInfo(m_paths.at(row)).isFile());
}

void TfCurrentDocs::btnSelectClick()
{
    if (SelectedIndex() >= 0)
        accept();
}

void TfCurrentDocs::chkShowFullPathsClick()
{
    WriteRegValue(RegistryKeys::DocumentList, ShowFullPathValue, chkShowFullPaths->isChecked());
    FillList();
}
