// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorDialog.h"

#include "MessageService.h"
#include "SettingsStore.h"

namespace {

QString CustomColorsKey(const QString &section)
{
    return section + QStringLiteral("\\CustomColors");
}

} // namespace

bool TColorDialog::Execute()
{
    TColor color = Color;
    QStringList customColors = CustomColors;
    if (!TMessageService::Instance().ChooseColor(color, customColors))
        return false;
    Color = color;
    CustomColors = customColors;
    return true;
}

void LoadCustomColors(const QString &section, TColorDialog &dialog)
{
    dialog.CustomColors.clear();
    const QString key = CustomColorsKey(section);
    for (int n = 1; n <= CustomColorCount; ++n) {
        QString entry = ReadRegValue(key, QStringLiteral("Color%1").arg(n), QString());
        if (entry.isEmpty())
            entry = QStringLiteral("Color%1=FFFFFF").arg(QChar(u'A' + n - 1));
        dialog.CustomColors.append(entry);
    }
}

void SaveCustomColors(const QString &section, const TColorDialog &dialog)
{
    const QString key = CustomColorsKey(section);
    EraseRegKey(key);
    for (qsizetype i = 0; i < dialog.CustomColors.size(); ++i)
        WriteRegValue(key, QStringLiteral("Color%1").arg(i + 1), dialog.CustomColors.at(i));
}

bool ExecuteColorDialog(const QString &section, TColorDialog &dialog)
{
    LoadCustomColors(section, dialog);
    if (!dialog.Execute())
        return false;
    SaveCustomColors(section, dialog);
    return true;
}
