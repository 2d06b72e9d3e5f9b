// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

QColor ResolveColor(TColor color)
{
    if (color & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (color & 0xFF) {
        case 5: // window background
            return palette.color(QPalette::Base);
        case 8: // window text
            return palette.color(QPalette::Text);
        case 13: // highlight
            return palette.color(QPalette::Highlight);
        case 14: // highlighted text
            return palette.color(QPalette::HighlightedText);
        case 15: // button face
            return palette.color(QPalette::Button);
        case 18: // button text
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor ColorFromQColor(const QColor &color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

namespace {

int HexPair(QStringView pair)
{
    int value = 0;
    for (const QChar c : pair) {
        const qsizetype digit = QStringView(u"0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0)
            return 0;
        value = value * 16 + int(digit);
    }
    return value;
}

} // namespace

QString ColorToHexText(TColor color)
{
    return ResolveColor(color).name(QColor::HexRgb).mid(1).toUpper();
}

int HexTextToColor(const QString &text)
{
    QString digits = text;
    const qsizetype dollar = digits.indexOf(u'$');
    if (dollar >= 0)
        digits.remove(dollar, 1);
    digits = digits.rightJustified(6, u'0');
    const QStringView view(digits);
    return HexPair(view.mid(0, 2)) * 65536 + HexPair(view.mid(2, 2)) * 256 + HexPair(view.mid(4, 2));
}

QIcon ColorSwatch(const QColor &color, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}
