// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The anchor dialog: address (typed, browsed, from the bookmark file or from
// the known URLs and the document's own named anchors), target, name and,
// for a new anchor, the text it links.

#include "TTagDialog.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

class TfAnchor : public TTagDialog
{
    Q_OBJECT

public:
    TfAnchor(const TTagDialogContext &context, QWidget *parent);

    // The anchor a file (or an address) makes with every other field left
    // as it starts: the tag of a file dropped on a document.
    static std::pair<QString, QString> TagForFile(const TTagDialogContext &context, const QString &file);

    // An address with "://" as it is, else the reference to the file from
    // the document's folder.
    void SetFile(const QString &file) override;
    // Offers the known URLs and the document's anchors, and takes the
    // selection as the anchor's text.
    void Prepare() override;
    bool ReplacesSelection() const override { return EditMode() || m_tookSelection; }

    QString StartText() const override;
    QString EndText() const override;

    void accept() override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QString HRef() const;
    void btnURLClick();
    void btnBookmarksClick();

    bool m_autoFillHREF;
    bool m_tookSelection = false;
    QString m_bookmarkFile;
    QComboBox *cboURL;
    QComboBox *cboTarget;
    QLineEdit *txtName;
    QGroupBox *grpDescription;
    QPlainTextEdit *memDescription;
};
