// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqUpDownEdit.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

TvqUpDownEdit::TvqUpDownEdit(int minimum, int maximum, int step, const QString &allowed, int maxLength, QWidget *parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum), m_step(step)
{
    lineEdit()->setMaxLength(maxLength);
    lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(allowed + QStringLiteral("*")), lineEdit()));
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(maxLength + 1, u'0')) + 32);
}

QString TvqUpDownEdit::Text() const
{
    return lineEdit()->text();
}

void TvqUpDownEdit::SetText(const QString &text)
{
    lineEdit()->setText(text);
}

void TvqUpDownEdit::stepBy(int steps)
{
    const QString text = Text();
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    // An empty field starts at the bottom of the range.
    const int value =
        digits > 0 ? std::clamp(text.left(digits).toInt() + steps * m_step, m_minimum, m_maximum) : m_minimum;
    SetText(QString::number(value));
    emit Stepped();
}
