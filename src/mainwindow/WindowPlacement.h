// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the main window was and how large, kept in the settings store under
// "Software\Velicort\MainForm", and brought back wholly on the screen.

#include <QRect>

class QWidget;

// The window rectangle moved and shrunk so that it lies on a screen of the
// given size: no negative corner, a width at most the screen's less 10, a
// height at most the screen's less 28, no part beyond the right or bottom
// edge.
QRect KeepOnScreen(QRect window, QSize screen);

// A normal window writes its position, size and "Normal"; a maximised one
// writes only "Maximized"; a minimised one writes nothing.
void SaveWindowPlacement(const QWidget *window);
// Maximises the window when it was saved maximised; otherwise moves it to
// the saved rectangle kept on its screen.
void RestoreWindowPlacement(QWidget *window);
