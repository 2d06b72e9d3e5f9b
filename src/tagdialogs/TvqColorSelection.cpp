// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqColorSelection.h"

#include "ColorDialog.h"
#include "Colors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

// The system's default palette, entries 0 to 7 and 12 to 19.
const QRgb CellColors[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// One square of colour in a gray frame.
class TvqColorCell : public QWidget
{
public:
    TvqColorCell(const QColor &color, QWidget *parent) : QWidget(parent), m_color(color)
    {
        setFixedSize(16, 16);
        setCursor(Qt::PointingHandCursor);
    }
    std::function<void(const QColor &)> onClick;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_color);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick(m_color);
    }

private:
    QColor m_color;
};

} // namespace

TvqColorSelection::TvqColorSelection(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(76, 96);
    for (int i = 0; i < 16; ++i) {
        auto *cell = new TvqColorCell(QColor(CellColors[i]), this);
        cell->setObjectName(QStringLiteral("cell%1").arg(i));
        cell->move(2 + (i % 4) * 18, 2 + (i / 4) * 18);
        cell->onClick = [this](const QColor &color) { Select(color); };
    }
    auto *other = new QPushButton(QStringLiteral("Other..."), this);
    other->setObjectName(QStringLiteral("TSelectButton"));
    other->setGeometry(4, 73, 68, 19);
    connect(other, &QPushButton::clicked, this, &TvqColorSelection::OtherClick);
}

void TvqColorSelection::Select(const QColor &color)
{
    m_color = color;
    emit OnColorSelect(color);
}

void TvqColorSelection::OtherClick()
{
    TColorDialog dialog;
    dialog.Color = ColorFromQColor(m_color);
    if (RegRoot.isEmpty() ? dialog.Execute() : ExecuteColorDialog(RegRoot, dialog))
        Select(ResolveColor(dialog.Color));
    else
        hide();
}
