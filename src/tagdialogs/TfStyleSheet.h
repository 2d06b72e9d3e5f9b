// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The style editor: composes one set of style-sheet declarations from
// fields with a live sample, keeps named sets among the saved styles, and
// gives the declarations in the wrapping the user picks on "Insert".

#include "StyleObject.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class TSavedStyles;
class TvqColorCombo;

class TfStyleSheet : public QDialog
{
    Q_OBJECT

public:
    // Works on the program's saved styles, which it changes and writes.
    TfStyleSheet(TSavedStyles &styles, bool forceHexColor, QWidget *parent);

    // The texts to insert once the editor was closed with OK.
    QString StartText() const;
    QString EndText() const;

    // The fields as a style record, without a name.
    TStyleObject FieldsStyle() const;
    bool Modified() const { return m_modified; }

    void btnInsertClick();
    void btnSaveClick();
    void btnDeleteClick();
    void btnNewClick();
    void btnClearClick();
    // Closing by "Close", the close box or Escape asks the save question
    // first; closing that question without an answer keeps the editor open.
    void reject() override;

private:
    void ClearFields();
    void LoadStyle(const TStyleObject &style);
    void FieldChanged();
    void RefreshSample();
    // The save question; false when the action is to stop.
    bool AskSaveChanges();
    // Asks for a name and saves the fields under it; false when cancelled
    // or when the file could not be written.
    bool Save();
    // Rewrites the file, with the messages of a failed backup or write.
    bool WriteStyles();
    void FillSavedStyles(const QString &selected);
    void SavedStylePicked();

    TSavedStyles &m_styles;
    QLineEdit *txtFontSize;
    QComboBox *cboFontSizeAttr;
    QComboBox *cboFontFamily;
    QComboBox *cboFontWeight;
    QComboBox *cboFontStyle;
    QLineEdit *txtFontLeading;
    QComboBox *cboFontLeadingAttr;
    QComboBox *cboTextDecoration;
    QComboBox *cboTextAlign;
    QLineEdit *txtTextIndent;
    QComboBox *cboTextIndentAttr;
    QLineEdit *txtLeftMarginSize;
    QComboBox *cboLeftMarginAttr;
    QLineEdit *txtRightMarginSize;
    QComboBox *cboRightMarginAttr;
    TvqColorCombo *vqColor;
    TvqColorCombo *vqColorBG;
    QComboBox *cboSavedStyles;
    QLabel *pnlSample;

    bool m_modified = false;
    // Set while the fields are filled by the program, not the user.
    bool m_loading = false;
    TStyleWrapping m_wrapping = swStyleBlock;
};
