// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The script wizard: one of three ready-made page scripts (a drop-down of
// addresses, a background colour fade, a last-modified line), inserted at
// the caret or copied to the clipboard. The first two fill the script
// templates "menu.js" and "fade.js" of the "Scripts" data folder.

#include "TTagDialog.h"

class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class TvqColorCombo;
class TvqUpDownEdit;

class TfScriptWizard : public TTagDialog
{
    Q_OBJECT

public:
    TfScriptWizard(const TTagDialogContext &context, QWidget *parent);

    // The script of the page showing, built on OK; empty when it was copied
    // to the clipboard instead or its template could not be read.
    QString StartText() const override;

    // Builds the script of the page showing; with the copy option puts it on
    // the clipboard.
    void accept() override;

    // The pieces each page puts in place of its template's marker, and the
    // whole last-modified script.
    QString MenuPiece() const;
    QString FadePiece() const;
    QString LastModifiedScript() const;
    // A template file filled with the piece; empty, after the error, when
    // the file is missing.
    static QString FromTemplateFile(const QString &path, const QString &piece);

protected:
    void ReadFields(const QString &) override {}

private:
    void btnAddClick();
    void btnDeleteClick();

    QString m_script;
    QTabWidget *pgcPages;
    QLineEdit *txtMenuTitle;
    QTreeWidget *lvwMenuItems;
    TvqColorCombo *vqColorFadeFrom;
    TvqColorCombo *vqColorFadeTo;
    TvqUpDownEdit *txtSpeed;
    QLineEdit *txtLastModified;
    QRadioButton *optCopy;
    QRadioButton *optInsert;
};

// The data file of a script template, a user copy first.
QString ScriptTemplatePath(const QString &name);
