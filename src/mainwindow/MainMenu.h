// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The commands of the main window: the menu bar, the tool buttons of the
// main and secondary toolbars and the editor's pop-up menu. Every command is
// a QAction named after its component ("mnuFileOpen", "spdSave"), a child of
// the window, found with findChild. Commands start disabled; the window
// enables each one as it connects it, so a command whose feature is not
// there yet stays visible but greyed.

class QMainWindow;
class QMenu;
class QToolBar;

// Builds the menu bar.
void BuildMainMenu(QMainWindow *window);
// Fills a toolbar with the tool buttons of the main toolbar or the
// secondary toolbar.
void BuildMainToolbar(QMainWindow *window, QToolBar *toolbar);
void BuildSecondaryToolbar(QMainWindow *window, QToolBar *toolbar);
// The editor's pop-up menu, made of the menu bar's actions; build it after
// the menu bar.
QMenu *BuildEditorPopup(QMainWindow *window);
