// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextUtils.h"

#include "TextEncoding.h"

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
    return DecodeText(bytes, DetectEncoding(bytes).encoding);
}
