// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ActiveX control dialog: an OBJECT (or INSERT) block for one of the
// known controls, by class or program identifier, with its size and
// codebase. The known controls are a data file of ours ("ActiveX.dat", a
// user copy first): one control a line, its name, class identifier and
// program identifier separated by "|".

#include "TTagDialog.h"

class QComboBox;
class QListWidget;
class QRadioButton;
class TvqUpDownEdit;

struct TControlInfo
{
    QString name;
    QString classID; // without braces
    QString progID;  // empty when the control has none
};

// The controls of a control list file, sorted by name; none when the file
// is missing. Lines without a class identifier are skipped.
QList<TControlInfo> ReadControlList(const QString &path);
// The control list file in use: the user's copy, else the shipped one.
QString ControlListPath();

class TfActiveX : public TTagDialog
{
    Q_OBJECT

public:
    TfActiveX(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &) override {}

private:
    const TControlInfo *SelectedControl() const;

    QList<TControlInfo> m_controls;
    QListWidget *lstControls;
    QRadioButton *optClassID;
    QRadioButton *optProgID;
    QRadioButton *optObject;
    QRadioButton *optInsert;
    TvqUpDownEdit *txtWidth;
    TvqUpDownEdit *txtHeight;
    QComboBox *cboCodeBase;
};
