// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Styles page of the speedbar: "Add/Edit Styles" opens the style
// editor, the list offers the saved styles, and "Insert style tag" wraps the
// selection in a SPAN carrying the chosen one. Holds the saved styles for
// the whole run.

#include "SavedStyles.h"

#include <QObject>

class QComboBox;
class TvqHTMLTab;

class TStyleCommands : public QObject
{
    Q_OBJECT

public:
    // The buttons spdStyleSheet and spdStyleInsert and the list cboStyleList
    // are found among the children of the speedbar; the saved styles are
    // read from the file at stylesPath.
    TStyleCommands(TvqHTMLTab *documents, QWidget *speedbar, QWidget *window,
                   const QString &stylesPath = TSavedStyles::DefaultPath());

    // Enables and connects the buttons and fills the list.
    void Connect();

    void spdStyleSheetClick();
    void spdStyleInsertClick();

private:
    void FillStyleList();

    TvqHTMLTab *m_documents;
    QWidget *m_speedbar;
    QWidget *m_window;
    QComboBox *cboStyleList;
    TSavedStyles m_styles;
};
