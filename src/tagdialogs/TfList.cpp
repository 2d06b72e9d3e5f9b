// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfList.h"

#include "TagText.h"
#include "TvqUpDownEdit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfList::TfList(const TTagDialogContext &context, QWidget *parent) : TTagDialog(context, QStringLiteral("List"), parent)
{
    optOrdered = new QRadioButton(QStringLiteral("&Ordered"));
    optOrdered->setObjectName(QStringLiteral("optOrdered"));
    optOrdered->setChecked(true);
    optUnordered = new QRadioButton(QStringLiteral("&Unordered"));
    optUnordered->setObjectName(QStringLiteral("optUnordered"));
    grdList = new QTableWidget(1, 1);
    grdList->setObjectName(QStringLiteral("grdList"));
    grdList->horizontalHeader()->hide();
    grdList->horizontalHeader()->setStretchLastSection(true);
    grdList->setMinimumSize(fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 10);
    grdList->setTabKeyNavigation(false);
    txtRows = new TvqUpDownEdit(1, 99, 1, QStringLiteral("\\d"), 2);
    txtRows->setObjectName(QStringLiteral("txtRows"));
    connect(txtRows, &TvqUpDownEdit::Stepped, this, &TfList::txtRowsChange);
    connect(txtRows, &TvqUpDownEdit::editingFinished, this, &TfList::txtRowsChange);
    auto *clear = new QPushButton(QStringLiteral("&Clear"));
    clear->setObjectName(QStringLiteral("btnClear"));
    connect(clear, &QPushButton::clicked, this, &TfList::btnClearClick);

    auto *style = new QGroupBox(QStringLiteral("List style"));
    auto *styleRow = new QHBoxLayout(style);
    styleRow->addWidget(optOrdered);
    styleRow->addWidget(optUnordered);
    auto *rows = new QFormLayout;
    rows->addRow(QStringLiteral("&Rows:"), txtRows);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(rows);
    bottom->addStretch();
    bottom->addWidget(clear);
    auto *fields = new QVBoxLayout;
    fields->addWidget(style);
    fields->addWidget(grdList);
    fields->addLayout(bottom);
    SetContent(fields);
    btnClearClick();
}

void TfList::txtRowsChange()
{
    bool number = false;
    const int rows = txtRows->Text().toInt(&number);
    grdList->setRowCount(number && rows > 0 ? rows : 1);
}

void TfList::btnClearClick()
{
    grdList->clearContents();
    grdList->setRowCount(1);
    grdList->setCurrentCell(0, 0);
    txtRows->SetText(QStringLiteral("1"));
}

QString TfList::StartText() const
{
    const QString list = optOrdered->isChecked() ? QStringLiteral("OL") : QStringLiteral("UL");
    QString text = CaseTag(u'<' + list + u'>') + QStringLiteral("\r\n");
    for (int row = 0; row < grdList->rowCount(); ++row) {
        const QTableWidgetItem *cell = grdList->item(row, 0);
        text += u'\t' + CaseTag(QStringLiteral("<LI>")) + (cell ? cell->text() : QString()) + QStringLiteral("\r\n");
    }
    return text + CaseTag(QStringLiteral("</") + list + u'>');
}
