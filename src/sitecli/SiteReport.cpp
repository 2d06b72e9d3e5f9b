// SPDX-License-Identifier: GPL-3.0-or-later
#include "SiteReport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

namespace {

QJsonObject ObjectOf(const TReportRow &row)
{
    QJsonObject object;
    for (const auto &[name, value] : row)
        object.insert(name, value);
    return object;
}

bool IsScalar(const QJsonValue &value)
{
    return !value.isArray() && !value.isObject();
}

} // namespace

TSiteReport::TSiteReport(const QString &command, TReportFormat format, QTextStream &out)
    : m_command(command), m_format(format), m_out(out)
{
}

QString TSiteReport::TsvCell(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String: {
        QString text = value.toString();
        text.replace(u'\\', QLatin1String("\\\\"))
            .replace(u'\t', QLatin1String("\\t"))
            .replace(u'\n', QLatin1String("\\n"))
            .replace(u'\r', QLatin1String("\\r"));
        return text;
    }
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: {
        // Whole numbers without a decimal point, others in the fewest digits
        // that read back as the same number, as the JSON form writes them.
        const double number = value.toDouble();
        return number == double(qint64(number)) ? QString::number(qint64(number))
                                                : QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    default:
        return QString();
    }
}

QString TSiteReport::Counted(qsizetype count, const QString &one, const QString &many)
{
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}

void TSiteReport::Add(const TReportRow &row, const QString &text)
{
    switch (m_format) {
    case TReportFormat::Text:
        m_out << text << '\n';
        break;
    case TReportFormat::Json:
        m_rows.append(ObjectOf(row));
        return;
    case TReportFormat::Tsv: {
        QStringList names;
        QStringList cells;
        for (const auto &[name, value] : row) {
            if (!IsScalar(value))
                continue;
            names.append(name);
            cells.append(TsvCell(value));
        }
        if (!m_headerWritten)
            m_out << names.join(u'\t') << '\n';
        m_headerWritten = true;
        m_out << cells.join(u'\t') << '\n';
        break;
    }
    }
    if (LiveRows)
        m_out.flush();
}

void TSiteReport::Finish(const TReportRow &summary, const QString &text)
{
    switch (m_format) {
    case TReportFormat::Text:
        m_out << text << '\n';
        break;
    case TReportFormat::Json: {
        const QJsonObject document{{QStringLiteral("command"), m_command},
                                   {QStringLiteral("rows"), m_rows},
                                   {QStringLiteral("summary"), ObjectOf(summary)}};
        m_out << QJsonDocument(document).toJson(QJsonDocument::Indented);
        break;
    }
    case TReportFormat::Tsv:
        break;
    }
    m_out.flush();
}
