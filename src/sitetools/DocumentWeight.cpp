// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentWeight.h"

#include "LinkCheck.h"
#include "Paths.h"
#include "TagText.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

QString FormatKB(qint64 bytes)
{
    return QLocale().toString(bytes / 1024.0, 'f', 2) + QStringLiteral(" KB");
}

QString FormatSeconds(double seconds)
{
    return QLocale().toString(seconds, 'f', 1) + QStringLiteral(" seconds");
}

QString TDependencyWeight::SizeText() const
{
    return found ? FormatKB(size) : QStringLiteral("File not found");
}

TDocumentWeight ComputeDocumentWeight(const QString &path)
{
    TDocumentWeight weight;
    const QFileInfo document(path);
    weight.documentFound = document.exists();
    if (weight.documentFound)
        weight.documentSize = document.size();
    for (const QString &source : CollectImageSources(path).value_or(QStringList())) {
        if (source.contains(QLatin1String("://")))
            continue;
        TDependencyWeight row;
        row.path = ToNativePath(ResolveDocumentPath(path, source));
        const QFileInfo file(row.path);
        row.found = file.exists();
        if (row.found) {
            row.size = file.size();
            weight.dependencySum += row.size;
        }
        weight.dependencies.append(row);
    }
    std::stable_sort(weight.dependencies.begin(), weight.dependencies.end(),
                     [](const TDependencyWeight &a, const TDependencyWeight &b) { return a.size > b.size; });
    return weight;
}

QString DocumentTitle(const QString &path)
{
    const std::optional<QString> text = ReadDocumentText(path);
    if (!text)
        return QStringLiteral("Err");
    const qsizetype start = text->indexOf(QLatin1String("<TITLE"), 0, Qt::CaseInsensitive);
    const qsizetype end = text->indexOf(QLatin1String("</TITLE>"), 0, Qt::CaseInsensitive);
    if (start < 0 || end < 0 || start >= end)
        return QStringLiteral("[Untitled]");
    QString title = text->mid(start + 7, std::max<qsizetype>(0, end - start - 7)).left(255);
    title.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ').replace(u'\t', u' ');
    return title.trimmed();
}
