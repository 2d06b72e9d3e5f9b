// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFontSettings.h"

#include "ColorDialog.h"
#include "RegistryKeys.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfFontSettings::TfFontSettings(TColor color, quint32 flags, QWidget *parent)
    : QDialog(parent), btnColor(new QPushButton(QStringLiteral("&Color..."))), shpColor(new QFrame),
      chkBold(new QCheckBox(QStringLiteral("Bold"))), chkItalic(new QCheckBox(QStringLiteral("Italic"))),
      chkUnderline(new QCheckBox(QStringLiteral("Underline")))
{
    setObjectName(QStringLiteral("TfFontSettings"));
    setWindowTitle(QStringLiteral("Font Settings"));
    btnColor->setObjectName(QStringLiteral("btnColor"));
    shpColor->setObjectName(QStringLiteral("shpColor"));
    chkBold->setObjectName(QStringLiteral("chkBold"));
    chkItalic->setObjectName(QStringLiteral("chkItalic"));
    chkUnderline->setObjectName(QStringLiteral("chkUnderline"));

    shpColor->setFrameShape(QFrame::Box);
    shpColor->setFixedSize(40, 24);
    shpColor->setAutoFillBackground(true);
    SetColor(color);
    chkBold->setChecked(flags & fsBold);
    chkItalic->setChecked(flags & fsItalic);
    chkUnderline->setChecked(flags & fsUnderline);
    connect(btnColor, &QPushButton::clicked, this, &TfFontSettings::btnColorClick);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(btnColor);
    colorRow->addWidget(shpColor);
    colorRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(colorRow);
    layout->addWidget(chkBold);
    layout->addWidget(chkItalic);
    layout->addWidget(chkUnderline);
    layout->addWidget(buttons);
}

std::optional<std::pair<TColor, quint32>> TfFontSettings::Edit(TColor color, quint32 flags, QWidget *parent)
{
    TfFontSettings dialog(color, flags, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair(dialog.Color(), dialog.Flags());
}

quint32 TfFontSettings::Flags() const
{
    return (chkBold->isChecked() ? fsBold : 0) | (chkItalic->isChecked() ? fsItalic : 0) |
           (chkUnderline->isChecked() ? fsUnderline : 0);
}

void TfFontSettings::SetColor(TColor color)
{
    m_color = color;
    QPalette palette = shpColor->palette();
    palette.setColor(QPalette::Window, ResolveColor(color));
    shpColor->setPalette(palette);
}

// The custom colours are those of the program's other colour dialogs.
void TfFontSettings::btnColorClick()
{
    TColorDialog dialog;
    dialog.Color = m_color;
    if (ExecuteColorDialog(RegistryKeys::Velicort, dialog))
        SetColor(dialog.Color);
}
