// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table-size picker that drops down under the "QuickTable" button: a
// grid of cells that highlights the table the mouse points at ("3 x 2
// Table") and inserts that empty table with one click.

#include <QFrame>

class QAbstractButton;
class QLabel;
class TvqHTMLTab;

class TvqTableCell : public QWidget
{
    Q_OBJECT

public:
    TvqTableCell(int row, int column, QWidget *parent);

    const int Row;
    const int Column;
    bool Highlighted() const { return m_highlighted; }
    void SetHighlighted(bool highlighted);

signals:
    void Entered(int row, int column);
    void Clicked(int row, int column);

protected:
    void enterEvent(QEnterEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_highlighted = false;
};

class TvqTableSizer : public QFrame
{
    Q_OBJECT

public:
    static constexpr int Columns = 6;
    static constexpr int Rows = 12;

    explicit TvqTableSizer(QWidget *parent);

    QString StatusText() const;
    TvqTableCell *Cell(int row, int column) const;

signals:
    void OnCellSelect(QObject *sender, int row, int column);

private:
    void CellEnter(int row, int column);
    void CellClick(int row, int column);

    QLabel *m_status;
};

// The main window's part of the picker: the "QuickTable" button shows or
// hides it, a click anywhere else hides it, and a pick inserts the table
// into the active document.
class TQuickTable : public QObject
{
    Q_OBJECT

public:
    TQuickTable(TvqHTMLTab *documents, QAbstractButton *button, QWidget *speedbar, QWidget *window);

    TvqTableSizer *Sizer() const { return m_sizer; }
    void vqbQuickTableClick();
    void vqTableSizerCellSelect(QObject *sender, int row, int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Hide();

    TvqHTMLTab *m_documents;
    QAbstractButton *m_button;
    QWidget *m_speedbar;
    TvqTableSizer *m_sizer;
};
