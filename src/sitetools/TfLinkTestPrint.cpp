// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfLinkTestPrint.h"

#include "MessageService.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The text cut from its end until it fits the width.
QString FitText(const QFontMetrics &metrics, QString text, int width)
{
    while (!text.isEmpty() && metrics.horizontalAdvance(text) > width)
        text.chop(1);
    return text;
}

bool Wanted(const TReportRow &row, TReportRows which)
{
    switch (which) {
    case TReportRows::Verified:
        return row.icon == 5;
    case TReportRows::Failed:
        return row.icon == 1 || row.icon == 3;
    case TReportRows::All:
        break;
    }
    return true;
}

} // namespace

int PrintLinkReport(QPrinter &printer, const QString &documentPath, const QList<TReportRow> &rows, TReportRows which)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const int dpi = printer.resolution();
    const QRect page = painter.viewport();
    QFont normal = painter.font();
    normal.setPointSize(10);
    QFont bold = normal;
    bold.setBold(true);
    QFont head = bold;
    head.setUnderline(true);
    painter.setFont(normal);
    const int lineHeight = painter.fontMetrics().height() + dpi / 10;
    const int gap = dpi / 5;
    const int columns[] = {0, page.width() / 3, page.width() / 3 + page.width() / 2};
    const int widths[] = {page.width() / 3, page.width() / 2, page.width() / 6};
    int y = 0;
    int pageNumber = 1;
    const auto pageHead = [&] {
        painter.setFont(bold);
        const QString title = QStringLiteral("Velicort Link Verification - ") + documentPath.toLower();
        const QString number = QStringLiteral("Page %1").arg(pageNumber);
        const int numberWidth = painter.fontMetrics().horizontalAdvance(number);
        painter.drawText(QRect(0, y, page.width() - numberWidth - gap, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                         FitText(painter.fontMetrics(), title, page.width() - numberWidth - gap));
        painter.drawText(QRect(page.width() - numberWidth, y, numberWidth, lineHeight), Qt::AlignRight | Qt::AlignTop,
                         number);
        y += gap + 2 * lineHeight;
        painter.setFont(head);
        const QString captions[] = {QStringLiteral("Link"), QStringLiteral("Full URL"), QStringLiteral("Status")};
        for (int i = 0; i < 3; ++i)
            painter.drawText(QRect(columns[i], y, widths[i], lineHeight), Qt::AlignLeft | Qt::AlignTop, captions[i]);
        y += gap;
        painter.setFont(normal);
    };
    pageHead();
    for (const TReportRow &row : rows) {
        if (!Wanted(row, which))
            continue;
        const QString cells[] = {row.link, row.fullURL, row.status};
        for (int i = 0; i < 3; ++i) {
            const QRect cell(columns[i], y, widths[i], lineHeight);
            painter.save();
            painter.setClipRect(cell);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, FitText(painter.fontMetrics(), cells[i], widths[i]));
            painter.restore();
        }
        y += gap;
        if (page.height() - lineHeight < y + lineHeight) {
            y = 0;
            ++pageNumber;
            printer.newPage();
            pageHead();
        }
    }
    painter.end();
    return pageNumber;
}

TfLinkTestPrint::TfLinkTestPrint(const QString &documentPath, QList<TReportRow> rows, QWidget *parent)
    : QDialog(parent), m_path(documentPath), m_rows(std::move(rows))
{
    setObjectName(QStringLiteral("TfLinkTestPrint"));
    setWindowTitle(QStringLiteral("Print Links"));
    rbAll = new QRadioButton(QStringLiteral("All links"), this);
    rbVerified = new QRadioButton(QStringLiteral("Verified links"), this);
    rbFailed = new QRadioButton(QStringLiteral("Failed links"), this);
    rbAll->setChecked(true);
    auto *print = new QPushButton(QStringLiteral("&Print"), this);
    print->setObjectName(QStringLiteral("btnPrint"));
    print->setDefault(true);
    auto *setup = new QPushButton(QStringLiteral("Print &Setup..."), this);
    setup->setObjectName(QStringLiteral("btnSetup"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(print, &QPushButton::clicked, this, &TfLinkTestPrint::Print);
    connect(setup, &QPushButton::clicked, this, [this] { TMessageService::Instance().ChoosePrinter(m_printer); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *options = new QVBoxLayout;
    for (QRadioButton *option : {rbAll, rbVerified, rbFailed})
        options->addWidget(option);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {print, setup, cancel})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(options, 1);
    layout->addLayout(buttons);
}

TReportRows TfLinkTestPrint::Which() const
{
    return rbVerified->isChecked() ? TReportRows::Verified
           : rbFailed->isChecked() ? TReportRows::Failed
                                   : TReportRows::All;
}

void TfLinkTestPrint::Print()
{
    PrintLinkReport(m_printer, m_path, m_rows, Which());
    accept();
}
