// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainSettings.h"

#include "Dictionaries.h"
#include "ExternalBrowsers.h"
#include "HelpTopics.h"
#include "RegistryKeys.h"

#include "MessageService.h"
#include "Paths.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The folder of what the user writes: thumbnails, the user dictionary.
QString UserDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

int Integer(const QString &key, const QString &name, int defaultValue)
{
    return int(ReadRegInteger(key, name, defaultValue));
}

// An integer that must lie within [low, high]; anything else reads as the
// default.
int IntegerWithin(const QString &key, const QString &name, int defaultValue, int low, int high)
{
    const qint64 value = ReadRegInteger(key, name, defaultValue);
    return value >= low && value <= high ? int(value) : defaultValue;
}

QString Text(const QString &key, const QString &name, const QString &defaultValue = QString())
{
    return ReadRegValue(key, name, defaultValue);
}

// A dictionary named relative to the folder, or the default name there when
// that file does not exist.
QString DictionaryPath(const QString &folder, const QString &name, const QString &defaultName)
{
    const QString path = QDir(folder).filePath(name);
    return QFileInfo::exists(path) ? path : QDir(folder).filePath(defaultName);
}

} // namespace

TMainSettings ReadMainSettings()
{
    TMainSettings s;
    s.ShowTips = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ShowTips"), true);
    s.InitialDir = Text(RegistryKeys::Velicort, QStringLiteral("InitialDir"), QDir::homePath());
    s.ReloadPromptOnChange = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ReloadPromptOnChange"), true);
    s.StatusBar = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("StatusBar"), true);
    s.ColorBar = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ColorBar"), true);
    s.CustomToolbar = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("CustomToolbar"), true);
    s.SecondaryToolbar = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("SecondaryToolbar"), true);
    s.SpecialChar = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("SpecialChar"), true);
    s.Rulers = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("Rulers"), false);
    s.LineNumbers = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("LineNumbers"), true);
    s.WordWrap = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("WordWrap"), true);
    s.TabWidth = Integer(RegistryKeys::Velicort, QStringLiteral("TabWidth"), 20);
    s.AutoIndent = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoIndent"), false);
    s.DefaultExtension = Text(RegistryKeys::Velicort, QStringLiteral("DefaultExtension"), QStringLiteral("html"));
    s.DocumentTemplate = Text(RegistryKeys::Velicort, QStringLiteral("DocumentTemplate"),
                              DataFilePath(QStringLiteral("Templates/Default Template.vct")));
    s.SaveAsUnix = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("SaveAsUnix"), false);
    s.NetscapeMultimedia = Integer(RegistryKeys::Velicort, QStringLiteral("MultimediaFormat"), 0) != 0;
    s.LowerCaseTags = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("LowerCaseTags"), false);
    s.LowerCaseFiles = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("LowerCaseFiles"), false);
    s.ForceHexColor = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ForceHexColor"), false);
    s.CloseParagraphTags = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("CloseParagraphTags"), false);
    s.AutoFillHREF = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoFillHREF"), true);
    s.SpellSkipTags = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("SpellSkipTags"), true);
    s.DictionaryMain =
        DictionaryFilePath(Text(RegistryKeys::Velicort, QStringLiteral("DictionaryMain"), DefaultDictionaryName));
    s.DictionaryUser = DictionaryPath(
        UserDataFolder(), Text(RegistryKeys::Velicort, QStringLiteral("DictionaryUser"), QStringLiteral("Custom.dct")),
        QStringLiteral("Custom.dct"));
    s.UseInternalHTMLHelp = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("UseInternalHTMLHelp"), true);
    s.ExternalHTMLHelp = Text(RegistryKeys::Velicort, QStringLiteral("ExternalHTMLHelp"));
    s.HTMLibTopicFile = Text(RegistryKeys::Velicort, QStringLiteral("HTMLibTopicFile"));
    if (s.HTMLibTopicFile.isEmpty())
        s.HTMLibTopicFile = QDir(HTMLReferenceFolder()).filePath(QStringLiteral("htmlib.dat"));
    const int launch = Integer(RegistryKeys::Velicort, QStringLiteral("BrowserLaunchSetting"), 0);
    s.Preview.LaunchSetting = launch >= 0 && launch <= 2 ? launch : 1;
    s.Timeout = IntegerWithin(RegistryKeys::Velicort, QStringLiteral("Timeout"), 30, 5, 300);
    s.HTTPPort = IntegerWithin(RegistryKeys::Velicort, QStringLiteral("HTTPPort"), 80, 1, 65535);
    s.HTTPDeadline = IntegerWithin(RegistryKeys::Velicort, QStringLiteral("HTTPDeadline"), 0, 0, 86400);
    s.ThumbnailDir = Text(RegistryKeys::Velicort, QStringLiteral("ThumbnailDir"));
    if (s.ThumbnailDir.isEmpty() || !QFileInfo(s.ThumbnailDir).isDir())
        s.ThumbnailDir = QDir(UserDataFolder()).filePath(QStringLiteral("Thumbnails"));
    if (!s.ThumbnailDir.endsWith(u'/'))
        s.ThumbnailDir += u'/';

    const int mode = Integer(RegistryKeys::ColorCoding, QStringLiteral("ColorCodeMode"), 2);
    s.ColorCodeMode = mode >= ccNone && mode <= ccFull ? TColorCodeMode(mode) : ccMinimal;
    s.BackgroundColor = TColor(ReadRegInteger(RegistryKeys::ColorCoding, QStringLiteral("BackgroundColor"), clWindow));
    s.ForegroundColor = TColor(ReadRegInteger(RegistryKeys::ColorCoding, QStringLiteral("ForegroundColor"), clBlack));
    s.UseLockWindowUpdate = ReadRegBool(RegistryKeys::ColorCoding, QStringLiteral("UseLockWindowUpdate"), true);

    s.MainVisible = ReadRegBool(RegistryKeys::Toolbars, QStringLiteral("MainVisible"), true);
    s.SpeedbarVisible = ReadRegBool(RegistryKeys::Toolbars, QStringLiteral("SpeedbarVisible"), true);
    s.ToolbarLayout = Integer(RegistryKeys::Toolbars, QStringLiteral("ToolbarLayout"), 0) == 0 ? 0 : 1;

    s.DocListVisible = ReadRegBool(RegistryKeys::DocumentList, QStringLiteral("Visible"), true);
    s.DocListWidth = Integer(RegistryKeys::DocumentList, QStringLiteral("DocListWidth"), 138);
    s.DirListHeight = Integer(RegistryKeys::DocumentList, QStringLiteral("DirListHeight"), 84);
    for (int i = 0; i < 6; ++i)
        s.ColumnWidths[i] =
            Integer(RegistryKeys::DocumentList, QStringLiteral("ColWidth_%1").arg(i), s.ColumnWidths[i]);
    s.FileListEnabled = ReadRegBool(RegistryKeys::DocumentList, QStringLiteral("FileListEnabled"), true);
    const int filter = Integer(RegistryKeys::DocumentList, QStringLiteral("FilterIndex"), 2);
    s.FilterIndex = filter >= 0 && filter <= 3 ? filter : 3;
    s.ListOnlyFileNames = ReadRegBool(RegistryKeys::DocumentList, QStringLiteral("ListOnlyFileNames"), false);
    s.ResetDirOnOpen = ReadRegBool(RegistryKeys::DocumentList, QStringLiteral("ResetDirOnOpen"), true);

    s.Preview.UseBrowserObject = ReadRegBool(RegistryKeys::InternalBrowser, QStringLiteral("UseMSIE"), false);
    s.Preview.ViewerFontName =
        Text(RegistryKeys::InternalBrowser, QStringLiteral("DefFontName"), QStringLiteral("Times New Roman"));
    s.Preview.ViewerFontSize = Integer(RegistryKeys::InternalBrowser, QStringLiteral("DefFontSize"), 12);
    s.Preview.ViewerFontColor =
        TColor(ReadRegInteger(RegistryKeys::InternalBrowser, QStringLiteral("DefFontColor"), 0));
    s.Preview.ViewerLinkColor =
        TColor(ReadRegInteger(RegistryKeys::InternalBrowser, QStringLiteral("DefHotSpotColor"), 16711680));

    s.Preview.MapFrom = Text(RegistryKeys::URLMappings, QStringLiteral("CurrentMapFrom"));
    s.Preview.MapTo = Text(RegistryKeys::URLMappings, QStringLiteral("CurrentMapTo"));
    return s;
}

bool SplashWanted()
{
    return ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ShowSplash"), true);
}

bool ApplyFirstRunSettings(int screenWidth)
{
    if (ReadRegValue(RegistryKeys::Velicort, QStringLiteral("FirstRun"), QStringLiteral("-1")) != QLatin1String("-1"))
        return false;
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("FirstRun"), QStringLiteral("0"));
    if (screenWidth < 800)
        WriteRegValue(RegistryKeys::Toolbars, QStringLiteral("ToolbarLayout"), QStringLiteral("1"));
    // So that viewing in a browser works from the start.
    if (LoadExternalBrowsers().isEmpty())
        SaveExternalBrowsers(DetectBrowsers());
    if (BrowserObjectInstalled()) {
        const bool use =
            MessageDlg(QStringLiteral("The built-in web engine has been found on your system.  Would you like to use "
                                      "it as Velicort's internal browser?\n\r\n\r(Please note that this option can be "
                                      "changed at any time by switching to the Internal Browser page in Velicort's "
                                      "settings.)"),
                       TMsgKind::Confirmation, TMsgButtons::YesNo) == TMsgResult::Yes;
        WriteRegValue(RegistryKeys::InternalBrowser, QStringLiteral("UseMSIE"), use);
    }
    return true;
}
