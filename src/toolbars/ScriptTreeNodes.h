// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The browser scripting object model shown by the script object tree: its
// objects, their properties and methods, and the reserved words of the
// language, with the text each one inserts.

#include <QString>

#include <span>

// The node pictures, in the order of the tree's image list.
enum TScriptIcon {
    siObject,
    siFunction,
    siWindow,
    siProperty,
    siButton,
    siCheckbox,
    siRadio,
    siSelect,
    siText,
    siTextArea,
    siLink,
    siBook,
    siReservedWord,
    ScriptIconCount,
    siLeaf = -1 // a leaf: its picture follows from its texts (ScriptLeafIcon)
};

struct TScriptTreeNode
{
    int depth; // 0 for a top-level node; a node's children follow it one level deeper
    const char *caption;
    const char *text; // inserted when the node is chosen; empty for a top-level node
    TScriptIcon icon;
};

// The JavaScript model, depth first, each parent before its children.
std::span<const TScriptTreeNode> JavaScriptTreeNodes();

// A leaf's picture: a reserved word under "Reserved Words", a function when
// its caption or text holds "(", a property otherwise.
TScriptIcon ScriptLeafIcon(const QString &caption, const QString &text, bool reservedWord);
