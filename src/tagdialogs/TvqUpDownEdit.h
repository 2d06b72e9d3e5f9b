// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A text field with up and down arrows, as the tag dialogs' number fields
// are: its text may be empty or hold characters besides digits ("50%"), and
// an arrow steps the number at its start within a range.

#include <QAbstractSpinBox>

class TvqUpDownEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    // Only text matching allowed (a regular expression of one character)
    // and at most maxLength characters can be typed.
    TvqUpDownEdit(int minimum, int maximum, int step, const QString &allowed, int maxLength, QWidget *parent = nullptr);

    QString Text() const;
    void SetText(const QString &text);

    void stepBy(int steps) override;

signals:
    // An arrow changed the text.
    void Stepped();

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    int m_minimum;
    int m_maximum;
    int m_step;
};
