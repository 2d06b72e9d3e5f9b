// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The commands that open tag dialogs: the Tools menu's editors, the tag
// actions of the speedbar buttons, "Edit Tag..." on the tag at the caret and
// the file browser's "Insert Tag...". Each opens the dialog the table names,
// shows it and puts its result into the active document as one edit.

#include "HTMLExtensions.h"
#include "TagAction.h"

#include <QObject>

#include <functional>

class TCommandBinder;
class TvqHTMLTab;
struct TTagDialogEntry;

class TTagDialogCommands : public QObject
{
    Q_OBJECT

public:
    // documentFolder gives the folder that picked files are made relative
    // to: the active document's, or for an untitled one the folder the file
    // browser shows.
    TTagDialogCommands(TvqHTMLTab *documents, std::function<QString()> documentFolder, QWidget *window);

    void Connect(const TCommandBinder &commands);
    // The speedbar's buttons that open a dialog through a handler of their
    // own (form elements, script generators, multimedia, server variables,
    // the ASP include). Called after the tag buttons were connected.
    void ConnectSpeedbar(QWidget *speedbarPages);
    // The ASP toolbar's include button: a file, as an include directive.
    void spdASP_IncludeClick();

    // Opens the action's dialog for a new tag.
    void RunAction(TvqAction action);
    // Opens the dialog of the tag's kind on the selected tag, which its
    // result replaces.
    void EditTag(const QString &tagText);
    // "Edit Tag...": the tag at the caret, selected, in its dialog.
    void mnuPE_EditTagClick();
    // Opens the dialog that makes a tag of a file of this kind, with the
    // file filled in; false when no dialog takes this kind yet. The text
    // after, if any, follows the dialog's tag in the same edit.
    bool InsertFileTag(const QString &path, TFileKind kind, const QString &textAfter = QString());

private:
    void Open(const TTagDialogEntry &entry, const QString &tagText, const QString &file,
              const QString &textAfter = QString());
    // A sound or a video: the background sound dialog, the image dialog's
    // dynamic source or the embed dialog, as the MultimediaFormat setting
    // chooses.
    void OpenMultimedia(const QString &file, TFileKind kind);

    TvqHTMLTab *m_documents;
    std::function<QString()> m_documentFolder;
    QWidget *m_window;
};
