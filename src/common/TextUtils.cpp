// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextUtils.h"

#include <QStringDecoder>

QString ReplaceChar(const QString &text, QChar from, QChar to)
{
    return QString(text).replace(from, to);
}

QString RemoveAllText(const QString &text, const QString &part)
{
    QString result = text;
    if (part.isEmpty())
        return result;
    while (result.contains(part, Qt::CaseInsensitive))
        result.remove(part, Qt::CaseInsensitive);
    return result;
}

QString DecodeFileText(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    // Invalid bytes would have become replacement characters.
    if (text.toUtf8() == bytes)
        return text;
    QStringDecoder ansi("windows-1252");
    if (ansi.isValid())
        return ansi(bytes);
    return QString::fromLatin1(bytes);
}
