// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqTableSizer.h"

#include "LongRun.h"
#include "TableText.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int CellSize = 16;
constexpr int StatusHeight = 20;
const QColor CellWhite(Qt::white);
const QColor CellNavy(0x00, 0x00, 0x80);

} // namespace

TvqTableCell::TvqTableCell(int row, int column, QWidget *parent) : QWidget(parent), Row(row), Column(column)
{
    setObjectName(QStringLiteral("vqTableCell%1x%2").arg(row).arg(column));
    setGeometry(17 * column - 14, 17 * row - 14, CellSize, CellSize);
}

void TvqTableCell::SetHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    update();
}

void TvqTableCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_highlighted ? CellNavy : CellWhite);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TvqTableCell::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    emit Entered(Row, Column);
}

void TvqTableCell::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked(Row, Column);
}

TvqTableSizer::TvqTableSizer(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("vqTableSizer"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // The grid and the status strip below it.
    const int width = 17 * Columns + 3;
    const int gridHeight = 17 * Rows + 3;
    setFixedSize(width, gridHeight + StatusHeight);
    for (int row = 1; row <= Rows; ++row)
        for (int column = 1; column <= Columns; ++column) {
            auto *cell = new TvqTableCell(row, column, this);
            connect(cell, &TvqTableCell::Entered, this, &TvqTableSizer::CellEnter);
            connect(cell, &TvqTableCell::Clicked, this, &TvqTableSizer::CellClick);
        }
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("pnlStatus"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status->setGeometry(1, gridHeight, width - 2, StatusHeight - 1);
    hide();
}

QString TvqTableSizer::StatusText() const
{
    return m_status->text();
}

TvqTableCell *TvqTableSizer::Cell(int row, int column) const
{
    return findChild<TvqTableCell *>(QStringLiteral("vqTableCell%1x%2").arg(row).arg(column));
}

void TvqTableSizer::CellEnter(int row, int column)
{
    m_status->setText(QStringLiteral("%1 x %2 Table").arg(row).arg(column));
    for (TvqTableCell *cell : findChildren<TvqTableCell *>()) {
        const bool inside = cell->Row <= row && cell->Column <= column;
        if (inside != cell->Highlighted())
            cell->SetHighlighted(inside);
    }
}

void TvqTableSizer::CellClick(int row, int column)
{
    hide();
    m_status->clear();
    for (TvqTableCell *cell : findChildren<TvqTableCell *>())
        cell->SetHighlighted(false);
    emit OnCellSelect(this, row, column);
}

TQuickTable::TQuickTable(TvqHTMLTab *documents, QAbstractButton *button, QWidget *speedbar, QWidget *window)
    : QObject(window), m_documents(documents), m_button(button), m_speedbar(speedbar),
      m_sizer(new TvqTableSizer(window))
{
    m_button->setEnabled(true);
    connect(m_button, &QAbstractButton::clicked, this, &TQuickTable::vqbQuickTableClick);
    connect(m_sizer, &TvqTableSizer::OnCellSelect, this, &TQuickTable::vqTableSizerCellSelect);
}

void TQuickTable::vqbQuickTableClick()
{
    if (m_sizer->isVisible()) {
        Hide();
        return;
    }
    QWidget *window = m_sizer->parentWidget();
    const QPoint button = m_button->mapTo(window, QPoint(0, 0));
    const int speedbarBottom = m_speedbar->mapTo(window, QPoint(0, m_speedbar->height())).y();
    m_sizer->move(button.x() + 10, speedbarBottom - 7);
    m_sizer->show();
    m_sizer->raise();
    qApp->installEventFilter(this);
}

void TQuickTable::Hide()
{
    qApp->removeEventFilter(this);
    m_sizer->hide();
}

bool TQuickTable::eventFilter(QObject *watched, QEvent *event)
{
    // A press anywhere but on the picker or its button closes the picker.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        const auto over = [global](const QWidget *widget) {
            return widget->rect().contains(widget->mapFromGlobal(global));
        };
        if (!over(m_sizer) && !over(m_button))
            Hide();
    }
    return QObject::eventFilter(watched, event);
}

void TQuickTable::vqTableSizerCellSelect(QObject *, int row, int column)
{
    qApp->removeEventFilter(this);
    // The table goes in once no long run works on the document.
    TLongRun::WhenIdle(this, [this, row, column] {
        TvqRichHTML *editor = m_documents->ActiveEditor();
        editor->InsertTag(QuickTableText(row, column), QString(), false);
        editor->setFocus();
    });
}
