// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Running velicort-site's command line in the test program, with its
// output, error output and exit status kept, and its JSON report read back.

#include "SiteCommandLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <gtest/gtest.h>

// Readable failures.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

struct TSiteRun
{
    int status = -1;
    QString out;
    QString err;

    // The report of a --json run.
    QJsonObject Json() const
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
        return document.object();
    }
    // The values of the fields named, row by row, as text.
    QList<QStringList> Rows(const QStringList &fields) const
    {
        QList<QStringList> rows;
        for (const QJsonValue &row : Json().value(QStringLiteral("rows")).toArray()) {
            QStringList values;
            for (const QString &field : fields)
                values.append(row.toObject().value(field).toVariant().toString());
            rows.append(values);
        }
        return rows;
    }
    QJsonObject Summary() const { return Json().value(QStringLiteral("summary")).toObject(); }
};

inline TSiteRun RunSite(const QStringList &arguments)
{
    TSiteRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = TSiteCommandLine(out, err).Run(QStringList{QStringLiteral("velicort-site")} + arguments);
    return run;
}
