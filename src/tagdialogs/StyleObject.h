// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One set of style-sheet declarations as the style editor keeps it: the
// texts of its fields in fixed slots, stored as a fixed-size record, and the
// declarations and wrappings built from them.

#include <QByteArray>
#include <QString>

#include <array>
#include <utility>

// The slots of a style record, in record order; the rest are reserved.
enum TStyleSlot {
    ssName,
    ssFontFamily,
    ssFontWeight,
    ssFontStyle,
    ssFontSize,
    ssFontSizeUnit,
    ssLeading,
    ssLeadingUnit,
    ssColor,
    ssDecoration,
    ssTextAlign,
    ssTextIndent,
    ssTextIndentUnit,
    ssLeftMargin,
    ssLeftMarginUnit,
    ssRightMargin,
    ssRightMarginUnit,
    ssBackground,
    ssUsedSlots,
};

// How the declarations go into a document.
enum TStyleWrapping {
    swStyleBlock,     // <STYLE TYPE="text/css"> with the rule in a comment
    swSpan,           // <SPAN STYLE="...">..</SPAN>
    swStyleAttribute, // STYLE="..."
    swRuleBody,       // { ... }
};

struct TStyleObject
{
    static constexpr int SlotCount = 30;
    static constexpr int SlotBytes = 256; // a length byte and 255 bytes
    static constexpr int RecordBytes = SlotCount * SlotBytes;

    std::array<QString, ssUsedSlots> Slots;

    const QString &Name() const { return Slots[ssName]; }

    // The fixed record: each slot a length byte and its text in UTF-8, cut
    // to 255 characters and to whole characters within 255 bytes, padded
    // with zeros; the reserved slots all zeros.
    QByteArray ToRecord() const;
    // A record read back; a short record reads as empty slots.
    static TStyleObject FromRecord(QByteArrayView record);
};

// The declarations joined with "; ", each only when its field is set. In a
// STYLE attribute a font family with a blank is put in single quotes, which
// stand inside the attribute's own double quotes.
QString StyleDeclarations(const TStyleObject &style, bool inAttribute);

// The start and end texts of a wrapping of the style's declarations.
std::pair<QString, QString> StyleWrap(const TStyleObject &style, TStyleWrapping wrapping);
