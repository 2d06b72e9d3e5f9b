// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Browser" dialog: edits the name, location and DDE flag of one
// external browser entry.

#include "ExternalBrowsers.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TfEditBrowser : public QDialog
{
    Q_OBJECT

public:
    // A new entry starts with "Use DDE" checked.
    TfEditBrowser(const TExternalBrowserInfo &entry, bool isNew, QWidget *parent = nullptr);

    // Shows the dialog modally; the edited entry, or nothing on Cancel.
    static std::optional<TExternalBrowserInfo> Edit(const TExternalBrowserInfo &entry, bool isNew,
                                                    QWidget *parent = nullptr);

    // The entry as the controls show it.
    TExternalBrowserInfo Entry() const;

    // The checks made on OK: false, after a warning and with the offending
    // box focused, when the name or the location is empty. A note on
    // Internet Explorer with DDE does not keep the dialog open.
    bool CheckEntry();

    QLineEdit *txtBrowserName;
    QLineEdit *txtBrowserLoc;
    QPushButton *btnBrowse;
    QCheckBox *chkUseDDE;

private:
    void btnBrowseClick();
    void btnOKClick();
};
