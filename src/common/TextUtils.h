// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small text edits shared by the dialogs and site tools.

#include <QByteArray>
#include <QString>

// The text with every "from" character replaced by "to".
QString ReplaceChar(const QString &text, QChar from, QChar to);

// The text with every occurrence of part removed, compared without case, and
// again until none is left: "aabcbc" less "abc" is empty. An empty part
// leaves the text as it is.
QString RemoveAllText(const QString &text, const QString &part);

// File text the way the editor shows it, in the encoding DetectEncoding
// picks for the bytes.
QString DecodeFileText(const QByteArray &bytes);
