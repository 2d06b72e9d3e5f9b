// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfTableWizard.h"

#include "RegistryKeys.h"
#include "TfTable.h"
#include "TvqColorSelection.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

TvqUpDownEdit *NewNumber(const char *name, int minimum, int maximum, int step, const char *allowed, int length)
{
    auto *field = new TvqUpDownEdit(minimum, maximum, step, QLatin1String(allowed), length);
    field->setObjectName(QLatin1String(name));
    return field;
}

QLineEdit *NewSize(const char *name, bool digitsOnly)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(4);
    if (digitsOnly)
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\d%]*")), field));
    return field;
}

QColor PanelColor(const QFrame *panel)
{
    return panel->palette().color(QPalette::Window);
}

void SetPanelColor(QFrame *panel, const QColor &color)
{
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, color);
    panel->setPalette(colours);
}

} // namespace

TfTableWizard::TfTableWizard(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Table Wizard"), parent)
{
    grdTable = new QTableWidget(1, 1);
    grdTable->setObjectName(QStringLiteral("grdTable"));
    grdTable->setMinimumSize(fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 12);
    grdTable->setTabKeyNavigation(false);
    connect(grdTable, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { grdTableSelectCell(row, column); });

    txtRows = NewNumber("txtRows", 1, 99, 1, "\\d", 2);
    txtCols = NewNumber("txtCols", 1, 99, 1, "\\d", 2);
    for (TvqUpDownEdit *field : {txtRows, txtCols}) {
        connect(field, &TvqUpDownEdit::Stepped, this, &TfTableWizard::SetGridSize);
        connect(field, &TvqUpDownEdit::editingFinished, this, &TfTableWizard::SetGridSize);
    }
    txtCaption = new QLineEdit;
    txtCaption->setObjectName(QStringLiteral("txtCaption"));
    txtPadding = NewNumber("txtPadding", 0, 99, 1, "\\d", 2);
    txtSpacing = NewNumber("txtSpacing", 0, 99, 1, "\\d", 2);
    txtTblWidth = NewNumber("txtTblWidth", 0, 999, 5, "[\\d%]", 4);
    txtBorder = NewNumber("txtBorder", 0, 99, 1, "[\\d%]", 4);
    txtBorder->SetText(QStringLiteral("0"));
    cboTblAlign = NewAlignCombo(QStringLiteral("cboTblAlign"),
                                {QStringLiteral("LEFT"), QStringLiteral("CENTER"), QStringLiteral("RIGHT")});
    cboTblVAlign =
        NewAlignCombo(QStringLiteral("cboTblVAlign"), {QStringLiteral("TOP"), QStringLiteral("CENTER"),
                                                       QStringLiteral("BOTTOM"), QStringLiteral("BASELINE")});
    txtCellWidth = NewSize("txtCellWidth", true);
    txtCellHeight = NewSize("txtCellHeight", false);
    cboCellAlign = NewAlignCombo(QStringLiteral("cboCellAlign"),
                                 {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    cboCellVAlign =
        NewAlignCombo(QStringLiteral("cboCellVAlign"), {QStringLiteral("Top"), QStringLiteral("Middle"),
                                                        QStringLiteral("Bottom"), QStringLiteral("Baseline")});
    chkNoWrap = new QCheckBox(QStringLiteral("NOWRAP"));
    chkNoWrap->setObjectName(QStringLiteral("chkNoWrap"));
    txtCellRowSpan = NewNumber("txtCellRowSpan", 1, 99, 1, "[\\d%]", 2);
    txtCellColSpan = NewNumber("txtCellColSpan", 1, 99, 1, "[\\d%]", 2);

    // A background box, the button that opens its palette, the panel that
    // shows the colour, and the palette.
    const auto background = [this](const char *suffix, QCheckBox *&box, QToolButton *&button, QFrame *&panel,
                                   TvqColorSelection *&palette) {
        const QString name = QLatin1String(suffix);
        box = new QCheckBox(QStringLiteral("Bkgrnd. Color"));
        box->setObjectName(QStringLiteral("chk%1Background").arg(name));
        button = new QToolButton;
        button->setObjectName(QStringLiteral("spd%1Color").arg(name));
        button->setText(QStringLiteral("..."));
        button->setEnabled(false);
        panel = new QFrame;
        panel->setObjectName(QStringLiteral("pnl%1Color").arg(name));
        panel->setFrameStyle(QFrame::Box | QFrame::Plain);
        panel->setFixedSize(32, 20);
        panel->setAutoFillBackground(true);
        SetPanelColor(panel, Qt::black);
        palette = new TvqColorSelection(this);
        palette->setObjectName(QStringLiteral("vq%1ColorSelect").arg(name));
        palette->RegRoot = RegistryKeys::Velicort;
        palette->setWindowFlags(Qt::Popup);
        palette->hide();
        connect(box, &QCheckBox::toggled, button, &QToolButton::setEnabled);
        connect(button, &QToolButton::clicked, palette, [button, palette] {
            if (palette->isVisible()) {
                palette->hide();
                return;
            }
            palette->move(button->mapToGlobal(QPoint(0, button->height())));
            palette->show();
        });
        connect(palette, &TvqColorSelection::OnColorSelect, this,
                [this, panel, palette](const QColor &color) { ColorPicked(panel, palette, color); });
        auto *row = new QHBoxLayout;
        row->addWidget(box);
        row->addWidget(button);
        row->addWidget(panel);
        row->addStretch();
        return row;
    };

    auto *table = new QWidget;
    auto *tableForm = new QFormLayout(table);
    tableForm->addRow(QStringLiteral("&Rows:"), txtRows);
    tableForm->addRow(QStringLiteral("C&olumns:"), txtCols);
    tableForm->addRow(QStringLiteral("C&aption:"), txtCaption);
    tableForm->addRow(QStringLiteral("Cell Pa&dding:"), txtPadding);
    tableForm->addRow(QStringLiteral("Cell &Spacing:"), txtSpacing);
    tableForm->addRow(QStringLiteral("Table &Width:"), txtTblWidth);
    tableForm->addRow(QStringLiteral("&Border Width:"), txtBorder);
    tableForm->addRow(QStringLiteral("A&lign:"), cboTblAlign);
    tableForm->addRow(QStringLiteral("&VAlign:"), cboTblVAlign);
    tableForm->addRow(background("Tbl", chkTblBackground, spdTblColor, pnlTblColor, vqTblColorSelect));
    auto *cell = new QWidget;
    auto *cellForm = new QFormLayout(cell);
    cellForm->addRow(QStringLiteral("&Width:"), txtCellWidth);
    cellForm->addRow(QStringLiteral("&Height:"), txtCellHeight);
    cellForm->addRow(QStringLiteral("A&lign:"), cboCellAlign);
    cellForm->addRow(QStringLiteral("&VAlign:"), cboCellVAlign);
    cellForm->addRow(chkNoWrap);
    cellForm->addRow(background("Cell", chkCellBackground, spdCellColor, pnlCellColor, vqCellColorSelect));
    cellForm->addRow(QStringLiteral("Row &Span:"), txtCellRowSpan);
    cellForm->addRow(QStringLiteral("Col&umn Span:"), txtCellColSpan);
    pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("pgProperties"));
    pages->addTab(table, QStringLiteral("&Table Properties"));
    pages->addTab(cell, QStringLiteral("Cell &Properties"));
    connect(pages, &QTabWidget::currentChanged, this, [this] {
        vqTblColorSelect->hide();
        vqCellColorSelect->hide();
    });

    // Every change of a cell field stores all of them into the current cell.
    for (QComboBox *combo : {cboCellAlign, cboCellVAlign})
        connect(combo, &QComboBox::currentTextChanged, this, &TfTableWizard::StoreCellFields);
    for (QLineEdit *field : {txtCellWidth, txtCellHeight})
        connect(field, &QLineEdit::textChanged, this, &TfTableWizard::StoreCellFields);
    for (TvqUpDownEdit *field : {txtCellRowSpan, txtCellColSpan}) {
        connect(field, &TvqUpDownEdit::Stepped, this, &TfTableWizard::StoreCellFields);
        connect(field->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, &TfTableWizard::StoreCellFields);
    }
    for (QCheckBox *box : {chkNoWrap, chkCellBackground})
        connect(box, &QCheckBox::toggled, this, &TfTableWizard::StoreCellFields);

    auto *clear = new QPushButton(QStringLiteral("&Clear"));
    clear->setObjectName(QStringLiteral("btnClear"));
    connect(clear, &QPushButton::clicked, this, &TfTableWizard::btnClearClick);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(clear);
    auto *fields = new QVBoxLayout;
    auto *top = new QHBoxLayout;
    top->addWidget(grdTable, 1);
    top->addWidget(pages);
    fields->addLayout(top);
    fields->addLayout(bottom);
    SetContent(fields);
    btnClearClick();
}

void TfTableWizard::btnClearClick()
{
    m_loading = true;
    grdTable->clearContents();
    grdTable->setRowCount(1);
    grdTable->setColumnCount(1);
    m_cells.assign(1, std::vector<TTableCell>(1));
    m_loading = false;
    txtRows->SetText(QStringLiteral("1"));
    txtCols->SetText(QStringLiteral("1"));
    grdTable->setCurrentCell(0, 0);
    grdTableSelectCell(0, 0);
}

void TfTableWizard::SetGridSize()
{
    const auto count = [](const TvqUpDownEdit *field) {
        bool number = false;
        const int value = field->Text().toInt(&number);
        return number && value > 0 ? value : 1;
    };
    const int rows = count(txtRows);
    const int columns = count(txtCols);
    m_loading = true;
    m_cells.resize(rows);
    for (std::vector<TTableCell> &row : m_cells)
        row.resize(columns);
    grdTable->setRowCount(rows);
    grdTable->setColumnCount(columns);
    m_loading = false;
    if (grdTable->currentRow() >= 0 && grdTable->currentColumn() >= 0)
        grdTableSelectCell(grdTable->currentRow(), grdTable->currentColumn());
}

TTableCell &TfTableWizard::CurrentCell()
{
    return m_cells[std::max(grdTable->currentRow(), 0)][std::max(grdTable->currentColumn(), 0)];
}

void TfTableWizard::grdTableSelectCell(int row, int column)
{
    if (m_loading || row < 0 || column < 0)
        return;
    TTableCell &cell = m_cells[row][column];
    if (!cell.HasAttributes) {
        EnsureCellAttributes(cell);
        const QSignalBlocker quiet(grdTable);
        grdTable->setItem(row, column, new QTableWidgetItem(cell.Text));
    }
    LoadCellFields();
}

void TfTableWizard::LoadCellFields()
{
    const TCellAttributes &a = CurrentCell().Attributes;
    m_loading = true;
    cboCellAlign->setEditText(a.Align);
    cboCellVAlign->setEditText(a.VAlign);
    txtCellWidth->setText(a.Width);
    txtCellHeight->setText(a.Height);
    txtCellRowSpan->SetText(a.RowSpan);
    txtCellColSpan->SetText(a.ColSpan);
    chkNoWrap->setChecked(a.NoWrap);
    chkCellBackground->setChecked(a.HasBgColor);
    SetPanelColor(pnlCellColor, a.HasBgColor ? ResolveColor(a.BgColor) : QColor(Qt::black));
    m_loading = false;
}

void TfTableWizard::StoreCellFields()
{
    if (m_loading)
        return;
    TTableCell &cell = CurrentCell();
    EnsureCellAttributes(cell);
    TCellAttributes &a = cell.Attributes;
    a.Align = cboCellAlign->currentText();
    a.VAlign = cboCellVAlign->currentText();
    a.Width = txtCellWidth->text();
    a.Height = txtCellHeight->text();
    a.RowSpan = txtCellRowSpan->Text();
    a.ColSpan = txtCellColSpan->Text();
    a.NoWrap = chkNoWrap->isChecked();
    a.HasBgColor = chkCellBackground->isChecked();
    a.BgColor = a.HasBgColor ? ColorFromQColor(PanelColor(pnlCellColor)) : 0;
}

void TfTableWizard::ColorPicked(QFrame *panel, TvqColorSelection *palette, const QColor &color)
{
    SetPanelColor(panel, color);
    palette->hide();
    if (panel == pnlCellColor)
        StoreCellFields();
}

QString TfTableWizard::StartText() const
{
    TTableProperties table;
    table.Caption = txtCaption->text();
    table.Padding = txtPadding->Text();
    table.Spacing = txtSpacing->Text();
    table.Width = txtTblWidth->Text();
    table.Border = txtBorder->Text();
    table.Align = cboTblAlign->currentText();
    table.VAlign = cboTblVAlign->currentText();
    table.HasBgColor = chkTblBackground->isChecked();
    table.BgColor = ColorFromQColor(PanelColor(pnlTblColor));
    std::vector<std::vector<TTableCell>> cells = m_cells;
    for (int row = 0; row < grdTable->rowCount(); ++row)
        for (int column = 0; column < grdTable->columnCount(); ++column)
            if (const QTableWidgetItem *item = grdTable->item(row, column))
                cells[row][column].Text = item->text();
    return TableWizardText(table, cells);
}
