// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The options the main window reads from the settings store at start-up,
// with their defaults and the fallbacks for values out of range. Values whose
// feature arrives later are read and kept here all the same.

#include "ColorScanner.h"
#include "Colors.h"
#include "PreviewOptions.h"

#include <QString>

struct TMainSettings
{
    // Software\Velicort
    bool ShowTips = true;
    QString InitialDir;
    bool ReloadPromptOnChange = true;
    bool StatusBar = true;
    bool ColorBar = true;
    bool CustomToolbar = true;
    bool SecondaryToolbar = true;
    bool SpecialChar = true;
    bool Rulers = false;
    bool LineNumbers = true;
    bool WordWrap = true;
    int TabWidth = 20;
    bool AutoIndent = false;
    QString DefaultExtension = QStringLiteral("html");
    QString DocumentTemplate;
    bool SaveAsUnix = false;
    bool NetscapeMultimedia = false; // MultimediaFormat other than 0
    bool LowerCaseTags = false;
    bool LowerCaseFiles = false;
    bool ForceHexColor = false;
    bool CloseParagraphTags = false;
    bool AutoFillHREF = true;
    bool SpellSkipTags = true;
    QString DictionaryMain;
    QString DictionaryUser;
    bool UseInternalHTMLHelp = true;
    QString ExternalHTMLHelp;
    QString HTMLibTopicFile;
    QString ThumbnailDir;
    int Timeout = 30;  // seconds each step of a fetch from the web may wait, 5 to 300
    int HTTPPort = 80; // the port of "http://" addresses that name none
    // Seconds a whole fetch from the web may take, 0 for four times Timeout.
    int HTTPDeadline = 0;

    // Software\Velicort\ColorCoding
    TColorCodeMode ColorCodeMode = ccFull;
    TColor BackgroundColor = clWindow;
    TColor ForegroundColor = clBlack;
    bool UseLockWindowUpdate = true;

    // Software\Velicort\Toolbars
    bool MainVisible = true;
    bool SpeedbarVisible = true;
    int ToolbarLayout = 0; // 0 vertical, 1 horizontal

    // Software\Velicort\DocumentList
    bool DocListVisible = true;
    int DocListWidth = 138;
    int DirListHeight = 84;
    int ColumnWidths[6] = {128, 50, 50, 150, 140, 140};
    bool FileListEnabled = true;
    int FilterIndex = 2;
    bool ListOnlyFileNames = false;
    bool ResetDirOnOpen = true;

    // Software\Velicort\InternalBrowser, URLMappings and BrowserLaunchSetting;
    // the browser list is read later, with the other long-lived windows.
    TPreviewOptions Preview;
};

TMainSettings ReadMainSettings();

// Whether the splash shows at start-up: unless "ShowSplash" says false.
bool SplashWanted();

// The settings of first start for this user: "FirstRun" becomes "0", a
// screen narrower than 800 pixels gets the horizontal toolbar layout, and
// when the build has a browser object the user is asked whether to use it
// for the preview. True when this was the first start.
bool ApplyFirstRunSettings(int screenWidth);
