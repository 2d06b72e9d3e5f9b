// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The colour picker of the tag dialogs: a fixed drop-down list of
// "Unassigned", "Custom...", a separator and the sixteen named colours, each
// shown with its swatch. It reads and writes the colour texts of attributes
// ("Red", "#00FF80", empty for none); "Custom..." asks for a colour through
// the colour dialog of the message service.

#include <QColor>
#include <QComboBox>

class TvqColorCombo : public QComboBox
{
    Q_OBJECT

public:
    enum { ciUnassigned = 0, ciCustom = 1, ciSeparator = 2, ciFirstNamed = 3 };

    explicit TvqColorCombo(QWidget *parent = nullptr);

    // Named colours are written as "#" and six digits when set.
    bool ForceHex = false;
    // The settings key whose custom colours the colour dialog shows and
    // keeps; none when empty.
    QString RegRoot;
    void SetUnassignedCaption(const QString &caption);

    // The attribute value for the selection: empty for "Unassigned", "#" and
    // six upper-case digits for the custom colour, the name of a named one.
    QString ColorText() const;
    // Selects what a colour text means: a name (any case), or hexadecimal
    // digits with or without "#", padded on the left to six. A colour equal
    // to a named one selects the name; unreadable text selects "Unassigned".
    void SetColorText(const QString &text);

    // The colour of the selection; invalid for "Unassigned".
    QColor SelectedColor() const;
    QColor CustomColor() const { return m_custom; }

signals:
    // The user chose a colour (a named one, or a custom one with OK).
    void OnColorSelect(const QColor &color);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void SetCustomColor(const QColor &color);
    void UserSelected(int index);

    QColor m_custom{0x80, 0x80, 0x80};
    int m_chosen = ciUnassigned; // the selection before the user's change
};
