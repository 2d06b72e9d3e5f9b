// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table wizard: a grid of rows and columns whose cells are typed in
// place, the properties of the table and of each cell, and the whole table
// built from them as one text.

#include "TTagDialog.h"
#include "TableText.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class QToolButton;
class TvqColorSelection;
class TvqUpDownEdit;

class TfTableWizard : public TTagDialog
{
    Q_OBJECT

public:
    TfTableWizard(const TTagDialogContext &context, QWidget *parent);

    // The whole table; nothing is wrapped and nothing replaced.
    QString StartText() const override;
    bool ReplacesSelection() const override { return false; }

    void btnClearClick();

protected:
    void ReadFields(const QString &) override {}

private:
    void SetGridSize();
    void grdTableSelectCell(int row, int column);
    void LoadCellFields();
    void StoreCellFields();
    void ColorPicked(QFrame *panel, TvqColorSelection *palette, const QColor &color);
    TTableCell &CurrentCell();

    QTabWidget *pages;
    QTableWidget *grdTable;
    TvqUpDownEdit *txtRows;
    TvqUpDownEdit *txtCols;
    QLineEdit *txtCaption;
    TvqUpDownEdit *txtPadding;
    TvqUpDownEdit *txtSpacing;
    TvqUpDownEdit *txtTblWidth;
    TvqUpDownEdit *txtBorder;
    QComboBox *cboTblAlign;
    QComboBox *cboTblVAlign;
    QCheckBox *chkTblBackground;
    QToolButton *spdTblColor;
    QFrame *pnlTblColor;
    TvqColorSelection *vqTblColorSelect;
    QLineEdit *txtCellWidth;
    QLineEdit *txtCellHeight;
    QComboBox *cboCellAlign;
    QComboBox *cboCellVAlign;
    QCheckBox *chkNoWrap;
    QCheckBox *chkCellBackground;
    QToolButton *spdCellColor;
    QFrame *pnlCellColor;
    TvqColorSelection *vqCellColorSelect;
    TvqUpDownEdit *txtCellRowSpan;
    TvqUpDownEdit *txtCellColSpan;

    // The cells, row by row, as many as the grid has; a cell the grid has an
    // item for takes its text from the item.
    std::vector<std::vector<TTableCell>> m_cells;
    // Set while the fields are filled from a cell, so that filling them
    // does not store them back.
    bool m_loading = false;
};
