// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server variables dialog of the ASP and CFML toolbars: one server
// variable written as an ASP expression or as a CFML CGI variable. Also the
// ASP include directive.

#include "TTagDialog.h"

class QComboBox;

class TfServerVars : public TTagDialog
{
    Q_OBJECT

public:
    // cfml: the CFML toolbar's form of the variable, else the ASP one.
    TfServerVars(const TTagDialogContext &context, bool cfml, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &) override {}

private:
    const bool m_cfml;
    QComboBox *cboVars;
};

// The include directive for a file from a document in documentFolder; the
// lower-case-files flag lowers the folder part only.
QString ASPIncludeText(const QString &documentFolder, const QString &file, bool lowerCaseFiles);
