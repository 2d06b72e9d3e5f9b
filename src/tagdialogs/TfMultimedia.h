// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sound and video dialogs: a background sound (BGSOUND) with its loop,
// and an embedded object (EMBED) with its size, border and alignment. Both
// make the tag of a sound or video file dropped on a document.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TvqUpDownEdit;

// A source field with its browse button, for the two dialogs below.
class TMediaSourceDialog : public TTagDialog
{
    Q_OBJECT

public:
    // The source from a file: the reference from the document's folder.
    void SetFile(const QString &file) override;

protected:
    TMediaSourceDialog(const TTagDialogContext &context, const QString &caption, const QString &filter,
                       QWidget *parent);
    // The source field and its browse button, as one row.
    QLayout *SourceRow();

    QLineEdit *txtSource;

private:
    const QString m_filter;
};

class TfBGSound : public TMediaSourceDialog
{
    Q_OBJECT

public:
    TfBGSound(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    TvqUpDownEdit *txtLoop;
    QCheckBox *chkInfinite;
};

class TfEmbed : public TMediaSourceDialog
{
    Q_OBJECT

public:
    TfEmbed(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QLineEdit *txtWidth;
    QLineEdit *txtHeight;
    QLineEdit *txtBorder;
    QComboBox *cboAlign;
};

// The tag a dialog makes of a file with every other field as it starts,
// without showing it: what a dropped sound or video becomes.
template <typename Dialog> QString TagForFile(const TTagDialogContext &context, const QString &file)
{
    Dialog dialog(context, nullptr);
    dialog.SetFile(file);
    return dialog.StartText();
}
