// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The base of every tag dialog. A dialog builds one tag (or a short block of
// HTML) from its fields as a start text and an end text; given the text of
// an existing tag it fills its fields from it instead (edit mode) and then
// rewrites that tag, changing only the attributes it knows.

#include <QDialog>

class QBoxLayout;
class QComboBox;
class QLabel;
class TvqColorCombo;
class TvqRichHTML;

// What a dialog is given when it is created: the settings it copies and the
// document it works for.
struct TTagDialogContext
{
    // File names picked in the dialog are made relative to this folder.
    QString documentFolder;
    bool lowerCaseFiles = false;
    bool forceHexColor = false;
    // The active document; none when a tag is built without a document.
    TvqRichHTML *editor = nullptr;

    // LowerCaseFiles and ForceHexColor as the settings hold them now.
    static TTagDialogContext FromSettings(const QString &documentFolder, TvqRichHTML *editor);
};

class TTagDialog : public QDialog
{
    Q_OBJECT

public:
    TTagDialog(const TTagDialogContext &context, const QString &caption, QWidget *parent);

    // Fills the fields from a tag and switches to edit mode. A tag the dialog
    // cannot read leaves its fields empty.
    void ReadTag(const QString &tagText);
    bool EditMode() const { return !m_editedTag.isEmpty(); }

    // A file (or address) to start with, for the dialogs that take one.
    virtual void SetFile(const QString &) {}
    // Called right before the dialog is shown for a new tag or an edit;
    // dialogs that offer the document's own content fill it in here.
    virtual void Prepare() {}
    // Whether the result replaces the selection instead of wrapping it.
    virtual bool ReplacesSelection() const { return EditMode(); }

    // The texts to insert once the dialog was closed with OK. In edit mode
    // the end text is empty.
    virtual QString StartText() const = 0;
    virtual QString EndText() const { return QString(); }

protected:
    virtual void ReadFields(const QString &tagText) = 0;

    // The tag to build on: the edited tag, or the empty tag in the tag case.
    QString BaseTag(const QString &emptyTag) const;
    // Sets one attribute to the text in double quotes (the name in the tag
    // case); empty text removes it.
    static void SetQuoted(QString &tag, const QString &name, const QString &text);
    // Sets one attribute to the text without quotes, or in quotes when the
    // text holds a character that would end a bare value; empty text
    // removes it.
    static void SetUnquoted(QString &tag, const QString &name, const QString &text);
    // A label whose mnemonic moves the focus to the field: for a row whose
    // field is a layout (a field with its browse button).
    static QLabel *BuddyLabel(const QString &text, QWidget *field);
    // The free-text "cboAlign" of the nine image alignments, empty at start.
    static QComboBox *NewImageAlignCombo();
    // A colour picker set up from the settings.
    TvqColorCombo *NewColorCombo(const QString &objectName);
    // The dialog's layout: its fields above, OK and Cancel below.
    void SetContent(QLayout *fields);
    // A picked file as a reference from the document's folder, in lower
    // case with the lower-case-files flag.
    QString RelativeReference(const QString &file) const;

    const TTagDialogContext m_context;

private:
    QString m_editedTag;
};
