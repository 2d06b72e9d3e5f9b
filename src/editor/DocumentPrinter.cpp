// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentPrinter.h"

#include "MessageService.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {

constexpr int TabColumns = 8;

QFont StyledFont(QFont font, bool bold, bool italic)
{
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A font sized in pixels would come out at the printer's resolution, a
// fraction of its size on screen; carry its screen size over in points.
QFont PrinterFont(QFont font)
{
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const qreal screenDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        font.setPointSizeF(font.pixelSize() * 72.0 / screenDpi);
    }
    return font;
}

} // namespace

TDocumentPrinter::TDocumentPrinter(QStringList lines, QFont font, QString fileName)
    : m_lines(std::move(lines)), m_font(std::move(font)), m_fileName(std::move(fileName))
{
}

QString TDocumentPrinter::HeaderLeft(const QString &fileName)
{
    return QStringLiteral("Velicort  - ") + fileName.toLower();
}

QString TDocumentPrinter::HeaderRight(int page)
{
    return QStringLiteral("Page ") + QString::number(page);
}

QString TDocumentPrinter::ExpandTabs(const QString &line)
{
    if (!line.contains(QLatin1Char('\t')))
        return line;
    QString expanded;
    expanded.reserve(line.size() + TabColumns);
    for (const QChar c : line) {
        if (c == QLatin1Char('\t'))
            expanded.append(QString(TabColumns - expanded.size() % TabColumns, QLatin1Char(' ')));
        else
            expanded.append(c);
    }
    return expanded;
}

int TDocumentPrinter::FittingLength(QStringView text, int maxWidth, const TTextWidth &textWidth)
{
    if (text.isEmpty())
        return 0;
    const auto fits = [&](qsizetype length) { return textWidth(text.left(length).toString()) < maxWidth; };
    // Widths grow with the length, so the longest fitting start is found by a
    // search; growing the probe from a short one keeps the measured text near
    // a row's length even on a line of megabytes.
    qsizetype fitting = 0;
    qsizetype tooLong = text.size() + 1;
    for (qsizetype probe = std::min<qsizetype>(text.size(), 64);; probe = std::min(text.size(), probe * 2)) {
        if (!fits(probe)) {
            tooLong = probe;
            break;
        }
        fitting = probe;
        if (probe == text.size())
            break;
    }
    while (tooLong - fitting > 1) {
        const qsizetype middle = fitting + (tooLong - fitting) / 2;
        if (fits(middle))
            fitting = middle;
        else
            tooLong = middle;
    }
    if (fitting == 0)
        fitting = 1; // a character wider than the page is printed clipped
    // Never part a surrogate pair: the halves would print as two boxes.
    if (fitting < text.size() && text[fitting - 1].isHighSurrogate() && text[fitting].isLowSurrogate())
        fitting += fitting == 1 ? 1 : -1;
    return int(fitting);
}

TDocumentPrinter::TMetrics TDocumentPrinter::Measure(const QPaintDevice &device, const QFont &font, int lineCount)
{
    // Tenths and thirds of an inch in printer units.
    const int r = device.logicalDpiY() / 10;
    const int leftMargin = device.logicalDpiX() / 3;
    const QFontMetrics normal(font, &device);
    TMetrics metrics;
    metrics.pageWidth = device.width();
    metrics.pageHeight = device.height();
    metrics.lineHeight = normal.height() + r;
    // Rows are two tenths of an inch apart; a font taller than that gets its
    // own height so that rows do not print over each other.
    metrics.rowStep = std::max(2 * r, normal.height());
    metrics.top = 2 * (metrics.lineHeight + r);

    // The margin holds two-digit numbers at usual sizes; longer documents and
    // larger fonts move the text right so that the numbers do not run into it.
    const QFontMetrics numbers(StyledFont(font, true, true), &device);
    QChar widestDigit = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (numbers.horizontalAdvance(QLatin1Char(digit)) > numbers.horizontalAdvance(widestDigit))
            widestDigit = QLatin1Char(digit);
    }
    const qsizetype digits = QString::number(std::max(lineCount, 1)).size();
    const QString widestNumber = QString(digits, widestDigit) + QLatin1Char(':');
    metrics.textLeft = std::max(leftMargin, numbers.horizontalAdvance(widestNumber) + r / 2);
    metrics.textRight = metrics.pageWidth - leftMargin;
    return metrics;
}

QList<TDocumentPrinter::TPage> TDocumentPrinter::Layout(const QStringList &lines, const TMetrics &metrics,
                                                        const TTextWidth &textWidth)
{
    QList<TPage> pages(1);
    int y = metrics.top;
    // The page is turned when the next row would not fit, rather than after the
    // row that filled it, so that a full last page is not followed by an empty one.
    const auto place = [&](int number, QString text) {
        if (!pages.last().rows.isEmpty() && metrics.pageHeight - metrics.lineHeight < y + metrics.lineHeight) {
            pages.append(TPage());
            y = metrics.top;
        }
        pages.last().rows.append({y, number, std::move(text)});
        y += metrics.rowStep;
    };

    const int available = metrics.textRight - metrics.textLeft;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const int number = int(index + 1);
        const QString line = ExpandTabs(lines[index]);
        if (line.isEmpty()) {
            place(number, QString());
            continue;
        }
        for (qsizetype start = 0; start < line.size();) {
            const QStringView rest = QStringView(line).mid(start);
            const int length = FittingLength(rest, available, textWidth);
            place(start == 0 ? number : 0, rest.left(length).toString());
            start += length;
        }
    }
    return pages;
}

bool TDocumentPrinter::Print(QPrinter &printer, const std::function<bool()> &escapePressed)
{
    const QFont normal = PrinterFont(m_font);
    const QFont bold = StyledFont(normal, true, false);
    const QFont boldItalic = StyledFont(normal, true, true);
    const TMetrics metrics = Measure(printer, normal, int(m_lines.size()));
    const QFontMetrics normalMetrics(normal, &printer);
    const QList<TPage> pages =
        Layout(m_lines, metrics, [&](const QString &text) { return normalMetrics.horizontalAdvance(text); });

    // The painter ends the job when it goes out of scope, so a job that stops
    // on an error or an exception is still ended normally.
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    constexpr int TopLeft = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const QRect headerRect(0, 0, metrics.pageWidth, metrics.lineHeight);
    bool firstRow = true;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        painter.setFont(bold);
        painter.drawText(headerRect, TopLeft | Qt::TextDontClip, HeaderLeft(m_fileName));
        painter.drawText(headerRect, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         HeaderRight(int(page + 1)));

        for (const TRow &row : pages[page].rows) {
            if (!firstRow && escapePressed && escapePressed() &&
                MessageDlg(QStringLiteral("Cancel printing?"), TMsgKind::Confirmation, TMsgButtons::YesNo) ==
                    TMsgResult::Yes) {
                // Not every print engine can withdraw a job (Qt's PDF and CUPS
                // engines cannot); there the pages already made are kept.
                printer.abort();
                return false;
            }
            firstRow = false;
            if (row.number > 0) {
                painter.setFont(boldItalic);
                painter.drawText(QRect(0, row.y, metrics.pageWidth, metrics.lineHeight), TopLeft | Qt::TextDontClip,
                                 QString::number(row.number) + QLatin1Char(':'));
            }
            if (!row.text.isEmpty()) {
                painter.setFont(normal);
                // Clipped at the right margin, which only a single character
                // wider than the whole row can reach.
                const QRect textRect(metrics.textLeft, row.y, metrics.textRight - metrics.textLeft, metrics.lineHeight);
                painter.drawText(textRect, TopLeft, row.text);
            }
        }
    }
    return painter.end();
}
