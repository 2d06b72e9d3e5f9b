// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Velicort's own help: short pages shipped in data/help, one per help
// context, shown in a help viewer window. A dialog names its context in the
// property "helpContext"; F1 anywhere in it opens that page.

#include <QString>

class QObject;
class QWidget;

// The help contexts the program uses.
enum THelpContext {
    hcProperties = 21,
    hcProjects = 22,
    hcOpenFromWeb = 23,
    hcSettings = 26,
    hcBrowserObject = 99,
    hcURLMapping = 151,
};

// The path of the page of a context; the help index for an unknown one.
QString HelpContextPage(int context);
// Shows the page in a help viewer window over the active window; returns
// the window.
QWidget *ShowHelpContext(int context);
// Makes F1 open the page of the "helpContext" of the focused widget or of the
// nearest window or widget around it that has one, for the application.
void InstallHelpKey(QObject *owner);
