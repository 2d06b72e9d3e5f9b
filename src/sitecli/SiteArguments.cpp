// SPDX-License-Identifier: GPL-3.0-or-later
#include "SiteArguments.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

QString ReadNumberOption(const QCommandLineParser &parser, const QString &option, int lowest, int highest, int &value)
{
    if (!parser.isSet(option))
        return QString();
    const QString text = parser.value(option);
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    // Digits only: toInt would take "+5" and " 5" too.
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!isNumber || !digits.match(text).hasMatch() || number < lowest || number > highest)
        return QStringLiteral("--%1 takes a number from %2 to %3, not \"%4\"")
            .arg(option)
            .arg(lowest)
            .arg(highest)
            .arg(text);
    value = number;
    return QString();
}

QString CheckFileArguments(const QStringList &paths)
{
    if (paths.isEmpty())
        return QStringLiteral("no FILE given");
    for (const QString &path : paths)
        if (!QFileInfo(path).isFile())
            return QStringLiteral("no such file: ") + path;
    return QString();
}

QStringList ParseExtensions(const QString &text)
{
    QStringList extensions;
    for (QString extension : text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts)) {
        while (extension.startsWith(u'.') || extension.startsWith(u'*'))
            extension.remove(0, 1);
        if (!extension.isEmpty())
            extensions.append(extension.toUpper());
    }
    return extensions;
}
