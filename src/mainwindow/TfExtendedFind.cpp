// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfExtendedFind.h"

TfExtendedFind::TfExtendedFind(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Extended Find"));
}
