// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfExtendedReplace.h"

TfExtendedReplace::TfExtendedReplace(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Extended Replace"));
}
