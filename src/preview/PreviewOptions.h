// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The preview's stored options: how the Browse page shows a document, the
// server mapping, how external browsers get it, and which browsers there are.

#include "Colors.h"
#include "ExternalBrowsers.h"

#include <QString>

struct TPreviewOptions
{
    bool UseBrowserObject = false; // Software\Velicort\InternalBrowser: UseMSIE
    QString MapFrom;               // Software\Velicort\URLMappings: CurrentMapFrom
    QString MapTo;                 // and CurrentMapTo
    int LaunchSetting = 0;         // 0 ask to save, 1 save, 2 browse a temporary copy
    QString ViewerFontName = QStringLiteral("Times New Roman");
    int ViewerFontSize = 12;
    TColor ViewerFontColor = 0;
    TColor ViewerLinkColor = 16711680;
    QList<TExternalBrowserInfo> Browsers;
};
