// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqColorCombo.h"

#include "ColorDialog.h"
#include "Colors.h"

#include <QKeyEvent>

namespace {

QIcon Swatch(const QColor &color)
{
    return ColorSwatch(color, QSize(16, 12));
}

QString HexText(const QColor &color)
{
    return u'#' + ColorToHexText(ColorFromQColor(color));
}

} // namespace

TvqColorCombo::TvqColorCombo(QWidget *parent) : QComboBox(parent)
{
    setMinimumWidth(111);
    setMaxVisibleItems(10);
    setIconSize(QSize(16, 12));
    addItem(Swatch(palette().color(QPalette::Base)), QStringLiteral("Unassigned"));
    addItem(Swatch(m_custom), QStringLiteral("Custom..."));
    insertSeparator(ciSeparator);
    for (const auto &[name, rgb] : NamedColors)
        addItem(Swatch(QColor(rgb)), QLatin1String(name), QColor(rgb));
    setCurrentIndex(ciUnassigned);
    connect(this, &QComboBox::activated, this, &TvqColorCombo::UserSelected);
}

void TvqColorCombo::SetUnassignedCaption(const QString &caption)
{
    setItemText(ciUnassigned, caption);
}

QString TvqColorCombo::ColorText() const
{
    const int index = currentIndex();
    if (index == ciCustom)
        return HexText(m_custom);
    if (index < ciFirstNamed)
        return QString();
    return ForceHex ? HexText(SelectedColor()) : itemText(index);
}

QColor TvqColorCombo::SelectedColor() const
{
    const int index = currentIndex();
    if (index == ciCustom)
        return m_custom;
    return index >= ciFirstNamed ? itemData(index).value<QColor>() : QColor();
}

void TvqColorCombo::SetColorText(const QString &text)
{
    m_chosen = ciUnassigned;
    if (!text.isEmpty() && !text.contains(u'#')) {
        for (int i = 0; i < count(); ++i) {
            if (i != ciSeparator && itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
                m_chosen = i;
                setCurrentIndex(i);
                return;
            }
        }
    }
    if (!text.isEmpty()) {
        QString digits = text;
        const qsizetype hash = digits.indexOf(u'#');
        if (hash >= 0)
            digits.remove(hash, 1);
        const QColor color = QColor(QRgb(HexTextToColor(digits)));
        const bool unreadable = color.rgb() == QColor(Qt::black).rgb() &&
                                std::any_of(text.begin(), text.end(), [](QChar c) { return c != u'#' && c != u'0'; });
        if (!unreadable) {
            m_chosen = findData(color);
            if (m_chosen < 0) {
                SetCustomColor(color);
                m_chosen = ciCustom;
            }
        }
    }
    setCurrentIndex(m_chosen);
}

void TvqColorCombo::SetCustomColor(const QColor &color)
{
    m_custom = color;
    setItemIcon(ciCustom, Swatch(color));
}

void TvqColorCombo::UserSelected(int index)
{
    if (index == ciCustom) {
        TColorDialog dialog;
        dialog.Color = ColorFromQColor(m_custom);
        const bool chosen = RegRoot.isEmpty() ? dialog.Execute() : ExecuteColorDialog(RegRoot, dialog);
        if (!chosen) {
            setCurrentIndex(m_chosen);
            return;
        }
        SetCustomColor(ResolveColor(dialog.Color));
    }
    m_chosen = index;
    if (index == ciCustom || index >= ciFirstNamed)
        emit OnColorSelect(SelectedColor());
}

void TvqColorCombo::keyPressEvent(QKeyEvent *event)
{
    // The separator is never selected: the list steps over it, and Left and
    // Right step as Up and Down do; Space on "Custom..." moves on as well.
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Left || key == Qt::Key_Right || (key == Qt::Key_Space && currentIndex() == ciCustom))) {
        QKeyEvent step(event->type(), key == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        QComboBox::keyPressEvent(&step);
        return;
    }
    QComboBox::keyPressEvent(event);
}
