// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The commands that edit the active document's text in place: undo and the
// clipboard, the editor pop-up's Selection submenu, and the rewrites of the
// Edit and Search menus (tag stripping, tag case, indentation, slashes and
// accented letters).

#include <QObject>

class TCommandBinder;
class TvqHTMLTab;

class TTextCommands : public QObject
{
    Q_OBJECT

public:
    // Option dialogs open over the window.
    TTextCommands(TvqHTMLTab *documents, QWidget *window);

    void Connect(const TCommandBinder &commands);

    // Turns backslashes into slashes after asking; returns the count.
    int ReplaceSlashes();
    // Accented letters to entities or back, with the progress shown; returns
    // the count.
    int ReplaceExtendedCharacters(bool toEntities);

private:
    TvqHTMLTab *m_documents;
    QWidget *m_window;
};
