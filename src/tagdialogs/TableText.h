// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table markup of the table-size picker, the table wizard and the table
// tag dialogs, built in the tag case.

#include "Colors.h"

#include <QString>

#include <vector>

// The attributes of one cell of the table wizard's grid.
struct TCellAttributes
{
    QString Align;
    QString VAlign;
    QString Width;
    QString Height;
    QString ColSpan;
    QString RowSpan;
    bool HasBgColor = false;
    TColor BgColor = 0;
    bool NoWrap = false;
};

// A cell of the wizard's grid: its text and, once the cell was visited or
// written, its attributes.
struct TTableCell
{
    QString Text;
    bool HasAttributes = false;
    TCellAttributes Attributes;
};

struct TTableProperties
{
    QString Caption;
    QString Padding;
    QString Spacing;
    QString Width;
    QString Border;
    QString Align;
    QString VAlign;
    bool HasBgColor = false;
    TColor BgColor = 0;
};

// Gives a cell its attributes when it has none; a cell that gets them with
// an empty text gets one blank as its text.
void EnsureCellAttributes(TTableCell &cell);

// An empty table of rows by columns, one TD per line.
QString QuickTableText(int rows, int columns);

// The wizard's table; cells are given row by row and get their attributes
// as they are written.
QString TableWizardText(const TTableProperties &table, std::vector<std::vector<TTableCell>> &cells);

// Sets an attribute (name in the tag case) to the text as it is; empty text
// removes it.
void SetPlainAttribute(QString &tag, const QString &name, const QString &text);
// Sets a size attribute: quoted when it holds "%", else plain.
void SetSizeAttribute(QString &tag, const QString &name, const QString &text);
