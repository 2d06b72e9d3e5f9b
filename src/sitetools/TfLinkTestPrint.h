// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The printed report of a verification: the dialog that picks which rows
// ("All links", "Verified links", "Failed links") and the printer, and the
// routine that lays the rows out in three columns, page by page.

#include <QDialog>
#include <QPrinter>

class QRadioButton;

struct TReportRow
{
    QString link;
    QString fullURL;
    QString status;
    int icon;
};

enum class TReportRows { All, Verified, Failed };

// Prints the rows chosen under a head naming the document; the page count.
int PrintLinkReport(QPrinter &printer, const QString &documentPath, const QList<TReportRow> &rows, TReportRows which);

class TfLinkTestPrint : public QDialog
{
    Q_OBJECT

public:
    TfLinkTestPrint(const QString &documentPath, QList<TReportRow> rows, QWidget *parent);

    QPrinter &Printer() { return m_printer; }
    TReportRows Which() const;

    QRadioButton *rbAll;
    QRadioButton *rbVerified;
    QRadioButton *rbFailed;

    // "&Print": prints and closes.
    void Print();

private:
    QPrinter m_printer;
    QString m_path;
    QList<TReportRow> m_rows;
};
