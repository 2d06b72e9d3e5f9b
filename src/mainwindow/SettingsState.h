// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the settings dialog shows and edits: the program's options as the
// main window holds them, and which groups of them the user changed.

#include "Colors.h"
#include "ExternalBrowsers.h"
#include "RecoverySettings.h"
#include "TvqRichHTML.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

inline constexpr int SpeedbarOptionCount = 12;

struct TSettingsState
{
    // General
    bool AutoFillImageSize = true;
    bool LowerCaseFiles = false;
    bool ShowSplash = true;
    bool LowerCaseTags = false;
    bool ForceHexColor = false;
    bool SpellSkipTags = true;
    bool ListOnlyFileNames = false;
    bool SaveAsUnix = false;
    bool CloseParagraphTags = false;
    bool MicrosoftMultimedia = true;
    bool AutoFillAltText = false;
    QString DictionaryMain; // as the setting names it: "en_US" or a path
    TRecoveryOptions Recovery;
    // Files
    QString DocumentTemplate;
    QStringList HTMLExtensions;
    QString DefaultExtension;
    bool UseInternalHTMLHelp = true;
    QString ExternalHTMLHelp;
    QString BookmarkFile; // bookmarks in the Netscape format, for the anchor dialog
    // Editor
    bool AutoIndent = false;
    QString FontName;
    int FontSize = 10;
    std::array<TStylePair, StyleClassCount> Styles{};
    TColor BackgroundColor = clWindow;
    TColor ForegroundColor = clBlack;
    int TabWidth = 20;
    // Internal browser
    bool UseMSIE = false;
    QString ViewerFontName;
    int ViewerFontSize = 12;
    TColor ViewerFontColor = 0;
    TColor ViewerLinkColor = 16711680;
    QString MapFrom;
    QString MapTo;
    // External browsers
    QList<TExternalBrowserInfo> Browsers;
    int BrowserLaunchSetting = 0;
    // SpeedBar pages, in the order of the speedbar after QuickTab
    std::array<bool, SpeedbarOptionCount> SpeedbarPages{};
};

// The change marks: which groups the dialog's OK applies.
struct TSettingsMarks
{
    bool General = false;
    bool Template = false;
    bool Browsers = false;
    bool Launch = false;
    bool EditorFont = false;
    bool Extensions = false;
    bool Help = false;
    bool BookmarkFile = false;
    bool Viewer = false;
    bool DefaultExt = false;
    bool Background = false;
    bool Foreground = false;
    bool Speedbar = false;
    bool Mapping = false;
    bool TabWidth = false;
    bool AutoIndent = false;
    bool Recovery = false;
};

// The speedbar pages the SpeedBar page can hide, in its order: the box's
// caption, the value under Software\Velicort\SpeedBar and the page.
struct TSpeedbarOption
{
    const char *caption;
    const char *value;
    const char *page;
};

inline constexpr TSpeedbarOption SpeedbarOptions[SpeedbarOptionCount] = {
    {"Fonts", "Fonts_Visible", "tbsFonts"},
    {"Tables", "Tables_Visible", "tbsTables"},
    {"Frames", "Frames_Visible", "tbsFrames"},
    {"Lists", "Lists_Visible", "tbsLists"},
    {"Tag List", "Tags_Visible", "tbsTagList"},
    {"Apps", "Apps_Visible", "tbsApps"},
    {"Other", "Other_Visible", "tbsOther"},
    {"Styles", "Styles_Visible", "tbsStyles"},
    {"ASP (IIS 3.0)", "ASP_Visible", "tbsASP"},
    {"CFML (Cold Fusion)", "CFML_Visible", "tbsCFusion"},
    {"JavaScript", "JavaScript_Visible", "tbsJavaScript"},
    {"Forms", "Forms_Visible", "tbsForms"},
};
