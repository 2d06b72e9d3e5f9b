// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which dialog each tag action and each kind of tag opens: the one table of
// the tag dialogs.

#include "TagAction.h"
#include "TagText.h"

#include <memory>

class QWidget;
class TTagDialog;
struct TTagDialogContext;

struct TTagDialogEntry
{
    const char *caption;
    TvqAction action; // vqSimpleTag: no action opens the dialog
    TTagKind kind;    // tkOther: "Edit Tag..." does not open it
    bool hourglass;   // preparing the dialog takes a moment
    std::unique_ptr<TTagDialog> (*create)(const TTagDialogContext &context, QWidget *parent);
};

// The create function of a table row: the dialog with its extra arguments.
template <typename Dialog, auto... Args>
std::unique_ptr<TTagDialog> CreateTagDialog(const TTagDialogContext &context, QWidget *parent)
{
    return std::make_unique<Dialog>(context, Args..., parent);
}

// The row of an action or a tag kind; none when nothing opens a dialog.
const TTagDialogEntry *TagDialogForAction(TvqAction action);
const TTagDialogEntry *TagDialogForKind(TTagKind kind);
// Whether the action opens a dialog.
bool HasTagDialog(TvqAction action);
