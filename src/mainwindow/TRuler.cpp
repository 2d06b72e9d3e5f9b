// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRuler.h"

#include "TvqRichHTML.h"

#include <QPainter>

TRuler::TRuler(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(sizeHint().height());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void TRuler::SetEditor(TvqRichHTML *editor)
{
    disconnect(m_scrolled);
    m_editor = editor;
    if (editor)
        m_scrolled = connect(editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this] { update(); });
    update();
}

void TRuler::paintEvent(QPaintEvent *)
{
    if (!m_editor)
        return;
    const long column =
        m_editor->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, QsciScintillaBase::STYLE_DEFAULT, "0");
    if (column <= 0)
        return;
    // Column 0 starts where the editor's text starts, less what is scrolled
    // out of view.
    const int origin = m_editor->viewport()->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x() +
                       int(m_editor->SendScintilla(QsciScintillaBase::SCI_GETMARGINLEFT)) -
                       int(m_editor->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET));
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ButtonText));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const int bottom = height() - 1;
    painter.drawLine(0, bottom, width(), bottom);
    const int first = std::max(0, int((-origin) / column));
    for (int n = first;; ++n) {
        const int x = origin + int(n * column);
        if (x > width())
            break;
        const int length = n % 10 == 0 ? 8 : n % 5 == 0 ? 5 : 2;
        painter.drawLine(x, bottom - length, x, bottom);
        if (n % 10 == 0 && n > 0)
            painter.drawText(x + 2, 0, 40, bottom - 3, Qt::AlignLeft | Qt::AlignTop, QString::number(n));
    }
}
