// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a command of velicort-site prints on the standard output, in one of
// three forms: lines for people, one JSON document, or tab-separated rows
// for scripts. Rows in text and TSV form are written as they come, and with
// live rows each reaches the output at once, so that a run that waits for
// the network shows its progress; the JSON document is written at the end.

#include <QJsonArray>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <utility>

class QTextStream;

enum class TReportFormat { Text, Json, Tsv };

// A row's fields in the order of its columns. Fields whose value is an array
// or an object are the JSON document's only.
using TReportRow = QList<std::pair<QString, QJsonValue>>;

class TSiteReport
{
public:
    TSiteReport(const QString &command, TReportFormat format, QTextStream &out);

    TReportFormat Format() const { return m_format; }
    // Whether each row is flushed as it is added; else rows reach the output
    // as its buffer fills, which a run over thousands of files needs.
    bool LiveRows = false;

    // One row, with the text that stands for it in the text form (one line
    // or more, without the last line break).
    void Add(const TReportRow &row, const QString &text);
    // The figures of the whole run: the JSON document's "summary", the last
    // line of the text form; TSV has rows only. Ends the report.
    void Finish(const TReportRow &summary, const QString &text);

    // A field's value as a TSV cell: text with backslash, tab and line
    // breaks escaped as \\, \t, \n and \r; numbers as JSON writes them.
    static QString TsvCell(const QJsonValue &value);
    // "1 file", "2 files": the count with the word that fits it.
    static QString Counted(qsizetype count, const QString &one, const QString &many);

private:
    QString m_command;
    TReportFormat m_format;
    QTextStream &m_out;
    QJsonArray m_rows;
    bool m_headerWritten = false;
};
