// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Font Settings" dialog: the colour and the bold, italic and underline
// effects of one colour-coding class.

#include "Colors.h"

#include <QDialog>

#include <optional>
#include <utility>

class QCheckBox;
class QFrame;
class QPushButton;

// Style flags of a colour-coding class.
inline constexpr quint32 fsBold = 1;
inline constexpr quint32 fsItalic = 2;
inline constexpr quint32 fsUnderline = 4;

class TfFontSettings : public QDialog
{
    Q_OBJECT

public:
    TfFontSettings(TColor color, quint32 flags, QWidget *parent = nullptr);

    // Shows the dialog modally; the colour and the style flags (only the
    // three above) on OK, nothing on Cancel.
    static std::optional<std::pair<TColor, quint32>> Edit(TColor color, quint32 flags, QWidget *parent = nullptr);

    TColor Color() const { return m_color; }
    quint32 Flags() const;

    QPushButton *btnColor;
    QFrame *shpColor; // the swatch of the chosen colour
    QCheckBox *chkBold;
    QCheckBox *chkItalic;
    QCheckBox *chkUnderline;

private:
    void SetColor(TColor color);
    void btnColorClick();

    TColor m_color = clBlack;
};
