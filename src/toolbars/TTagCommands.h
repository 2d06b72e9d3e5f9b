// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The commands that put markup into the active document: the tag speedbar's
// buttons and tag lists, the Tags menu, the colour bar, the special
// characters and the script object tree.

#include "TagAction.h"

#include <QObject>

class QTabWidget;
class QToolBar;
class TCommandBinder;
class TSpecialCharBar;
class TvqHTMLTab;
class TvqScriptTree;
class TvqTagButton;

class TTagCommands : public QObject
{
    Q_OBJECT

public:
    // The speedbar holds the page control with the tag buttons; the script
    // tree floats under its button.
    TTagCommands(TvqHTMLTab *documents, QToolBar *speedbar, QTabWidget *speedbarPages, TSpecialCharBar *specialChars,
                 TvqScriptTree *scriptTree, QWidget *window);

    void Connect(const TCommandBinder &commands);
    // Fills the colour bar: the sixteen named colours, then the colour
    // dialog's custom colours.
    void BuildColorBar(QToolBar *bar);

    void SetCloseParagraphTags(bool on);
    void SetForceHexColor(bool on) { m_forceHexColor = on; }

    // What a tag button does: inserts its texts (through the tag case when
    // caseTags is set), inserts a file, or opens the dialog for a new tag.
    void RunTagAction(TvqAction action, const QString &start, const QString &end, bool caseTags);
    void vqTagButtonClick(TvqTagButton *button);
    // Shows the script object tree under its button, or hides it.
    void spdJavaTreeClick();
    // True for the actions that have something to do; the buttons of the
    // actions whose dialogs are still to come stay greyed.
    static bool IsAvailable(TvqAction action);

signals:
    // A tag button names a file whose text goes in at the caret.
    void InsertFileRequested(const QString &path);
    // A tag button opens its action's dialog for a new tag.
    void DialogRequested(TvqAction action);

private:
    void ConnectSpeedbarButton(TvqTagButton *button);

    TvqHTMLTab *m_documents;
    QToolBar *m_speedbar;
    QTabWidget *m_speedbarPages;
    TSpecialCharBar *m_specialChars;
    TvqScriptTree *m_scriptTree;
    QWidget *m_window;
    bool m_closeParagraphTags = false;
    bool m_forceHexColor = false;
};
