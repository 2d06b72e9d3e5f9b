// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfAppBarCustomize.h"

#include "MessageService.h"
#include "TvqAppBar.h"
#include "TvqAppButton.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int FieldLength = 255;

QLineEdit *MakeField(const char *name)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(FieldLength);
    return field;
}

} // namespace

QString AppBarProgramFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Programs (*.exe);;Help Files (*.htm *.html);;All Files (*.*)");
#else
    return QStringLiteral("Programs (*);;Help Files (*.htm *.html);;All Files (*)");
#endif
}

TfAppBarCustomize::TfAppBarCustomize(const TvqAppBar &bar, QWidget *parent)
    : QDialog(parent), vqAppBar(new TvqAppBar), grpFields(new QGroupBox), txtAppName(MakeField("txtAppName")),
      txtAppFilename(MakeField("txtAppFilename")), txtCommandLine(MakeField("txtCommandLine")),
      btnBrowse(new QPushButton(QStringLiteral("..."))), btnAdd(new QPushButton(QStringLiteral("&Add"))),
      btnDelete(new QPushButton(QStringLiteral("&Delete")))
{
    setWindowTitle(QStringLiteral("AppBar"));
    vqAppBar->setObjectName(QStringLiteral("vqAppBar"));
    vqAppBar->CopySlotsFrom(bar);
    vqAppBar->SetSelector(true);
    connect(vqAppBar, &TvqAppBar::OnAppButtonClick, this, [this](int index) { SelectSlot(index); });

    grpFields->setObjectName(QStringLiteral("grpFields"));
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    connect(btnBrowse, &QPushButton::clicked, this, &TfAppBarCustomize::btnBrowseClick);
    connect(btnAdd, &QPushButton::clicked, this, &TfAppBarCustomize::btnAddClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfAppBarCustomize::btnDeleteClick);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(txtAppFilename, 1);
    fileRow->addWidget(btnBrowse);
    auto *tip = new QLabel(QStringLiteral(
        "TIP: Enter %CURRENT% to insert the filename of the current HTML document.  Note that some applications "
        "require you to place quotes around the filename, so you may need to use \"%CURRENT%\"."));
    tip->setObjectName(QStringLiteral("lblTip"));
    tip->setWordWrap(true);
    // The file row is a layout: its label needs the field as its buddy.
    auto *fileLabel = new QLabel(QStringLiteral("Application &Filename"));
    fileLabel->setBuddy(txtAppFilename);
    auto *form = new QFormLayout(grpFields);
    form->addRow(QStringLiteral("Application &Name"), txtAppName);
    form->addRow(fileLabel, fileRow);
    form->addRow(QStringLiteral("&Command Line"), txtCommandLine);
    form->addRow(tip);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(btnAdd, QDialogButtonBox::ActionRole);
    buttons->addButton(btnDelete, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfAppBarCustomize::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(vqAppBar);
    layout->addWidget(grpFields);
    layout->addWidget(buttons);
    setMinimumWidth(vqAppBar->width() + 40);

    if (vqAppBar->VisibleCount() == 0) {
        grpFields->setEnabled(false);
    } else {
        vqAppBar->Slot(0)->setChecked(true);
        ShowSlot(0);
    }
}

void TfAppBarCustomize::SelectSlot(int index)
{
    StoreFields();
    m_selected = index;
    vqAppBar->Slot(index)->setChecked(true);
    ShowSlot(index);
}

void TfAppBarCustomize::StoreFields()
{
    if (!vqAppBar->SlotInUse(m_selected))
        return;
    TvqAppButton *slot = vqAppBar->Slot(m_selected);
    slot->SetAppName(txtAppName->text());
    // The tip follows the name at once, not only from the next start.
    slot->setToolTip(txtAppName->text());
    if (slot->AppFilename() != txtAppFilename->text())
        slot->SetAppFilename(txtAppFilename->text());
    slot->SetCommandLine(txtCommandLine->text());
}

void TfAppBarCustomize::ShowSlot(int index)
{
    const TvqAppButton *slot = vqAppBar->Slot(index);
    txtAppName->setText(slot->AppName());
    txtAppFilename->setText(slot->AppFilename());
    txtCommandLine->setText(slot->CommandLine());
}

QString TfAppBarCustomize::AskProgram()
{
    return TMessageService::Instance().GetOpenFileName(QStringLiteral("Select Application"), QString(),
                                                       AppBarProgramFilter());
}

void TfAppBarCustomize::btnAddClick()
{
    const int used = vqAppBar->VisibleCount();
    if (used >= TvqAppBar::MaxButtons)
        return;
    StoreFields();
    const QString file = AskProgram();
    if (file.isEmpty())
        return;
    TvqAppButton *slot = vqAppBar->Slot(used);
    slot->setText(QString());
    slot->setToolTip(QString());
    slot->SetAppFilename(file);
    slot->SetAppName(QFileInfo(file).fileName());
    slot->SetCommandLine(QString());
    vqAppBar->SetSlotInUse(used, true);
    m_selected = used;
    slot->setChecked(true);
    ShowSlot(used);
    grpFields->setEnabled(true);
}

void TfAppBarCustomize::btnBrowseClick()
{
    const QString file = AskProgram();
    if (file.isEmpty())
        return;
    TvqAppButton *slot = vqAppBar->Slot(m_selected);
    slot->SetAppFilename(file);
    txtAppFilename->setText(file);
    if (txtAppName->text().isEmpty()) {
        txtAppName->setText(QFileInfo(file).fileName());
        StoreFields();
    }
}

void TfAppBarCustomize::btnDeleteClick()
{
    if (vqAppBar->VisibleCount() == 0)
        return;
    StoreFields();
    for (int i = m_selected; i < TvqAppBar::MaxButtons; ++i)
        vqAppBar->Slot(i)->CopyFrom(*vqAppBar->Slot(i + 1));
    const int remaining = vqAppBar->VisibleCount() - 1;
    vqAppBar->SetSlotInUse(remaining, false);
    if (remaining == 0) {
        txtAppName->clear();
        txtAppFilename->clear();
        txtCommandLine->clear();
        grpFields->setEnabled(false);
        return;
    }
    if (m_selected >= remaining)
        m_selected = remaining - 1;
    vqAppBar->Slot(m_selected)->setChecked(true);
    ShowSlot(m_selected);
}

void TfAppBarCustomize::accept()
{
    StoreFields();
    QDialog::accept();
}
