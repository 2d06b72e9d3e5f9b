// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Commands that rewrite text already in a document: selected lines into a
// list, a table or lines with breaks; tags stripped from the selection or the
// whole document; the outermost tags of a selection removed; the case of the
// selection or of every tag changed; lines indented and unindented; accented
// letters turned into entities and back. Each records its undo step where it
// has one and recolours what it changed.

#include <QString>

#include <functional>

class TvqRichHTML;

// Rewrites the selected lines (the caret's line without a selection): the
// header line, each line between prefix and suffix, the footer line. One
// undo step puts the old lines back.
void ConvertLines(TvqRichHTML &editor, const QString &header, const QString &footer, const QString &prefix,
                  const QString &suffix);

// Removes the tags of the selection, or of the whole document. Stops at the
// first ">" that stands before the next "<"; a selection that starts inside a
// tag keeps that tag's rest.
void StripTags(TvqRichHTML &editor, bool wholeDocument);

// Removes the first tag of the selection with what stands before it, and the
// last tag with what follows it.
void StripOuterTags(TvqRichHTML &editor);

// Upper or lower case for the selected text.
void ChangeSelectionCase(TvqRichHTML &editor, bool upper);

// A tab in front of each selected line, or one leading tab taken away.
void IndentLines(TvqRichHTML &editor);
void UnindentLines(TvqRichHTML &editor);

// Upper or lower case for every tag outside quoted values, leaving comments
// and the contents of scripts alone. Records no undo step.
void ConvertTagCase(TvqRichHTML &editor, bool upper);

// Turns the accented letters into their entities, or the entities into the
// letters; the letters are written in the document's encoding. Reports the
// share done through progress. Returns how many were replaced.
int ReplaceExtendedCharacters(TvqRichHTML &editor, bool toEntities, const std::function<void(int)> &progress = {});
