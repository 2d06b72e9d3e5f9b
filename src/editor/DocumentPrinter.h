// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Prints the lines of a document, numbered, with a header on each page. The
// page layout is computed apart from the painting so that page breaks and
// the cutting of long lines can be checked without a printer.

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

class QPaintDevice;
class QPrinter;

class TDocumentPrinter
{
public:
    // Distances in the device units of the printer.
    struct TMetrics
    {
        int pageWidth = 0;
        int pageHeight = 0;
        int lineHeight = 0; // H: the font height plus a tenth of an inch
        int rowStep = 0;    // how far each row and each empty line moves down
        int top = 0;        // y of the first row of a page, below the header
        int textLeft = 0;   // where the text of a line starts
        int textRight = 0;  // where the text of a line is clipped
    };

    struct TRow
    {
        int y = 0;
        int number = 0; // the line number shown on the row; 0 where a cut line goes on
        QString text;
    };

    struct TPage
    {
        QList<TRow> rows;
    };

    using TTextWidth = std::function<int(const QString &)>;

    TDocumentPrinter(QStringList lines, QFont font, QString fileName);

    // Prints to a printer already set up by the caller. escapePressed is asked
    // between rows; when it says yes the user may cancel the job. False when
    // the job was cancelled or the printer could not be started.
    bool Print(QPrinter &printer, const std::function<bool()> &escapePressed);

    // The page geometry for a font on a device, with room for the line
    // numbers of a document of lineCount lines.
    static TMetrics Measure(const QPaintDevice &device, const QFont &font, int lineCount);
    // Places every line on pages; textWidth measures text in the normal style.
    static QList<TPage> Layout(const QStringList &lines, const TMetrics &metrics, const TTextWidth &textWidth);
    // The length of the longest start of text narrower than maxWidth, but at
    // least one character, so that a line always makes progress.
    static int FittingLength(QStringView text, int maxWidth, const TTextWidth &textWidth);
    static QString ExpandTabs(const QString &line);
    static QString HeaderLeft(const QString &fileName);
    static QString HeaderRight(int page);

private:
    QStringList m_lines;
    QFont m_font;
    QString m_fileName;
};
