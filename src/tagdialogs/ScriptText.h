// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the script dialogs and wizard write around text the user typed, so
// that the text stays inside the string or attribute it lands in, and the
// pieces of script they build.

#include <QString>

// Text for a script string literal delimited by quote: the quote and the
// backslash are escaped, line breaks written as \r, \n, \u2028 and \u2029, and "</" as
// "<\/" so the text cannot end the SCRIPT element around it.
QString ScriptStringText(const QString &text, QChar quote);
// Text of HTML that a script string writes into the page: the apostrophe,
// the double quote, the backslash and the angle brackets become character
// references ("Bob&#39;s page"), so neither the string nor an attribute
// value in it can end early. Other references stay as typed.
QString HTMLInScriptText(const QString &text);
// A value between the double quotes of an attribute: a double quote in it
// becomes &quot;.
QString AttributeText(const QString &text);
// A value written without quotes as typed, unless it holds a character that
// would end a bare value (a blank, a quote, an angle bracket or "="): then
// it is put in double quotes as AttributeText.
QString PlainAttributeText(const QString &text);

// A script template with the first occurrence of the 14-character marker
// "/* VELICORT */" replaced by the piece; empty when the marker is missing.
QString FillScriptTemplate(const QString &templateText, const QString &piece);
