// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The companion validator's engine: HTML Tidy's checks on a page, as a list
// of findings, and the results file through which the validator hands its
// findings to the editor. A plain class, linked by every program that
// validates pages.
//
// The results file is text, one "NAME=value" per line: "MESSAGETYPE=" (ERROR,
// WARNING or COMMENT) begins a finding, "LINENUMBER=" and "MESSAGE=" follow
// it, and "ENDOFFILE=YES" ends the file.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

enum class TFindingType { Error, Warning, Comment };

struct TValidatorFinding
{
    TFindingType type = TFindingType::Comment;
    int line = 0; // counted from 1; 0 for the whole document
    int column = 0;
    QString message;
    bool operator==(const TValidatorFinding &) const = default;
};

class THTMLValidator
{
public:
    // Tidy's findings on a page's bytes (read as UTF-8), in the order Tidy
    // reports them: parsing, cleaning up, then its diagnostics. Its errors
    // and warnings are those "tidy -e -q" prints; its information notes,
    // which that leaves out, are comments.
    static QList<TValidatorFinding> Check(QByteArrayView page);
    // The same for a file; none when it cannot be read.
    static std::optional<QList<TValidatorFinding>> CheckFile(const QString &path);

    // A finding in the form Tidy prints on the terminal:
    // "line 12 column 3 - Warning: <img> lacks "alt" attribute".
    static QString ReportLine(const TValidatorFinding &finding);

    // The results file's text for the findings.
    static QByteArray ResultsText(const QList<TValidatorFinding> &findings);
    // The findings of a results file's text. A finding of another type is
    // skipped; a finding without a line number has line 0; outside a
    // finding, a line containing "ENDOFFILE=YES" ends the file.
    static QList<TValidatorFinding> ReadResults(QByteArrayView text);
};
