// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one seam through which the program talks to the user in modal boxes:
// messages and questions, and the standard file and print dialogs. The
// application installs the Qt implementation; tests install a scripted one
// that records every text and gives the answers the test chose.

#include "Colors.h"

#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;

// Plain: a box with no icon, titled with the program's name.
enum class TMsgKind { Plain, Warning, Error, Information, Confirmation };
// OkHelp: an error that has a help page; Help means the user asked for it.
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, OkHelp };
enum class TMsgResult { Ok, Yes, No, Cancel, Retry, Help };

class TMessageService
{
public:
    virtual ~TMessageService() = default;

    virtual TMsgResult ShowMessage(TMsgKind kind, const QString &text, TMsgButtons buttons) = 0;
    // An empty result means the dialog was cancelled.
    virtual QString GetOpenFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
    // Several files at once, in the order the dialog gives them; empty when
    // cancelled.
    virtual QStringList GetOpenFileNames(const QString &caption, const QString &folder, const QString &filter) = 0;
    // A folder; empty when cancelled.
    virtual QString GetFolderName(const QString &caption, const QString &folder) = 0;
    // The caller asks itself before it overwrites an existing file.
    virtual QString GetSaveFileName(const QString &caption, const QString &fileName, const QString &filter) = 0;
    // Lets the user choose and set up a printer; false when cancelled.
    virtual bool ChoosePrinter(QPrinter &printer) = 0;
    // Lets the user choose a colour, showing the 16 custom colours given as
    // "ColorA=RRGGBB" strings; on OK true, with the colour and the custom
    // colours, in the same form, as the user left them. False when cancelled.
    virtual bool ChooseColor(TColor &color, QStringList &customColors) = 0;
    // Shows a one-time notice with the box "Don't show this message again",
    // preset from dontShowAgain, which returns how the box was left. Ok or
    // Cancel (Cancel only when there is a Cancel button).
    virtual TMsgResult ShowNotice(const QString &caption, const QString &text, bool cancelButton,
                                  bool &dontShowAgain) = 0;
    // Asks for one line of text in an input box that starts with value. On
    // OK true, with value set to the text; false when cancelled.
    virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;

    // The service in use. Every program installs one before it first asks
    // anything: the editor the Qt one, the command-line tools their own.
    static TMessageService &Instance();
    static bool Installed();
    // Installs a service and returns the one it replaces.
    static std::unique_ptr<TMessageService> Install(std::unique_ptr<TMessageService> service);
};

// Shows a message through the installed service; the common call.
TMsgResult MessageDlg(const QString &text, TMsgKind kind, TMsgButtons buttons = TMsgButtons::Ok);
