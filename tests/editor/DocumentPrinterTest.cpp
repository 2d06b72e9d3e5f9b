// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentPrinter.h"

#include "ScriptedMessageService.h"

#include <QFile>
#include <QFontMetrics>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using TRows = QList<TDocumentPrinter::TRow>;

// Ten units a character; rows 20 apart from y = 80; a row fits while its y is
// at most 240, so nine rows make a page; text must stay under 300 units.
const TDocumentPrinter::TMetrics Fake{1000, 300, 30, 20, 80, 100, 400};
int FakeWidth(const QString &text)
{
    return 10 * int(text.size());
}

TRows RowsOf(const QStringList &lines, const TDocumentPrinter::TMetrics &metrics = Fake)
{
    TRows rows;
    for (const auto &page : TDocumentPrinter::Layout(lines, metrics, FakeWidth))
        rows += page.rows;
    return rows;
}

// Prints 150 lines (every seventh empty, the fourth long) to a PDF file.
struct TPdfJob
{
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    QStringList lines;
    TPdfJob()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
        for (int i = 1; i <= 150; ++i)
            lines << (i % 7 == 0 ? QString() : QStringLiteral("<p>Line %1 of the document</p>").arg(i));
        lines[3] = QStringLiteral("Wide Words And Narrow ill ").repeated(40);
    }
    bool Print(const std::function<bool()> &escapePressed)
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 11);
        return TDocumentPrinter(lines, font, QStringLiteral("a.htm")).Print(printer, escapePressed);
    }
    int Pages()
    {
        QFile pdf(printer.outputFileName());
        pdf.open(QIODevice::ReadOnly);
        const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
        return int(QString::fromLatin1(pdf.readAll()).count(pageObject));
    }
};

} // namespace

TEST(DocumentPrinter, PagesAndHeaders)
{
    EXPECT_EQ(TDocumentPrinter::HeaderLeft(QStringLiteral("/Home/Index.HTML")),
              QStringLiteral("Velicort  - /home/index.html"));
    EXPECT_EQ(TDocumentPrinter::HeaderRight(12), QStringLiteral("Page 12"));
    const auto pagesFor = [](int count) {
        return TDocumentPrinter::Layout(QStringList(count, QStringLiteral("x")), Fake, FakeWidth);
    };
    EXPECT_EQ(pagesFor(0).size(), 1);  // an empty document still gets its header page
    EXPECT_EQ(pagesFor(18).size(), 2); // a full last page is not followed by an empty one
    const auto pages = pagesFor(19);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[0].rows.last().y, 240);
    EXPECT_EQ(pages[1].rows.first().y, 80);
    EXPECT_EQ(pages[2].rows.first().number, 19);
}

TEST(DocumentPrinter, LongLinesEmptyLinesAndTabs)
{
    const QString line(70, QLatin1Char('a'));
    const TRows rows = RowsOf({line, QString(), QStringLiteral("ab\tc\td")});
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].text.size(), 29); // 30 characters would be 300 units, not less than the room
    EXPECT_EQ(rows[0].text + rows[1].text + rows[2].text, line);
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[2].number, 0);
    EXPECT_EQ(rows[3].number, 2); // the empty line is numbered and takes a row
    EXPECT_EQ(rows[4].y, 160);
    EXPECT_EQ(rows[4].text, QStringLiteral("ab      c       d"));

    // Room for less than one character: one a row, surrogate pairs kept whole.
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    auto narrow = Fake;
    narrow.textRight = narrow.textLeft + 5;
    const TRows pieces = RowsOf({QLatin1Char('a') + smile + QLatin1Char('b')}, narrow);
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces[1].text, smile);
}

TEST(DocumentPrinter, MeasureKeepsRowsAndNumbersApart)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(720);
    const auto usual = TDocumentPrinter::Measure(printer, QFont(QStringLiteral("DejaVu Sans Mono"), 10), 50);
    EXPECT_EQ(usual.rowStep, 144);
    EXPECT_EQ(usual.textLeft, 240);
    EXPECT_EQ(usual.top, 2 * (usual.lineHeight + 72));

    QFont large(QStringLiteral("DejaVu Sans Mono"), 30);
    const auto big = TDocumentPrinter::Measure(printer, large, 123456);
    EXPECT_GE(big.rowStep, QFontMetrics(large, &printer).height());
    large.setBold(true);
    large.setItalic(true);
    EXPECT_GT(big.textLeft, QFontMetrics(large, &printer).horizontalAdvance(QStringLiteral("123456:")));
}

TEST(DocumentPrinter, PrintsEveryPageWithPiecesThatFit)
{
    TPdfJob job;
    ASSERT_TRUE(job.Print([] { return false; }));
    const QFont font(QStringLiteral("DejaVu Sans"), 11);
    const auto metrics = TDocumentPrinter::Measure(job.printer, font, 150);
    const QFontMetrics fm(font, &job.printer);
    const auto pages =
        TDocumentPrinter::Layout(job.lines, metrics, [&](const QString &t) { return fm.horizontalAdvance(t); });
    EXPECT_GT(pages.size(), 2);
    EXPECT_EQ(job.Pages(), pages.size());

    // The long fourth line: each piece fits, and one more character would not.
    const TRows rows = pages.first().rows;
    const int room = metrics.textRight - metrics.textLeft;
    QString joined = rows[3].text;
    for (int i = 4; rows[i].number == 0; ++i) {
        EXPECT_LT(fm.horizontalAdvance(rows[i - 1].text), room);
        EXPECT_GE(fm.horizontalAdvance(rows[i - 1].text + rows[i].text.front()), room);
        joined += rows[i].text;
    }
    EXPECT_EQ(joined, job.lines[3]);
}

TEST(DocumentPrinter, NoGoesOnYesCancelsAndAFailedStartReturnsFalse)
{
    int asked = 0;
    const auto escapeAtThird = [&] { return ++asked == 3; };
    TPdfJob goesOn;
    Scripted().answers.append(TMsgResult::No);
    EXPECT_TRUE(goesOn.Print(escapeAtThird));
    EXPECT_GT(asked, 100);
    EXPECT_GT(goesOn.Pages(), 2);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Cancel printing?"));
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Confirmation);
    EXPECT_EQ(Scripted().messages[0].buttons, TMsgButtons::YesNo);

    asked = 0;
    TPdfJob cancelled;
    Scripted().answers.append(TMsgResult::Yes);
    EXPECT_FALSE(cancelled.Print(escapeAtThird));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(cancelled.Pages(), 1); // Qt's PDF engine cannot withdraw the page already begun

    QPrinter unwritable;
    unwritable.setOutputFormat(QPrinter::PdfFormat);
    unwritable.setOutputFileName(QStringLiteral("/nonexistent-folder/out.pdf"));
    // Qt warns about the failed start, which is the case under test.
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    EXPECT_FALSE(TDocumentPrinter({QStringLiteral("x")}, QFont(), QString()).Print(unwritable, {}));
    qInstallMessageHandler(previous);
}
