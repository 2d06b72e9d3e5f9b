// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainSettings.h"

#include "ExternalBrowsers.h"
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

bool Flag(const QString &key, const QString &name, bool defaultValue)
{
    return ReadRegValue(key, name, defaultValue) == QLatin1String("-1");
}

// Hidden only when written "0": bars that show unless switched off.
bool ShownUnlessOff(const QString &name)
{
    return ReadRegValue(RegistryKeys::Velicort, name, true) != QLatin1String("0");
}

int Integer(const QString &key, const QString &name, int defaultValue)
{
    return int(ReadRegInteger(key, name, defaultValue));
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
    s.ShowTips = Flag(RegistryKeys::Velicort, QStringLiteral("ShowTips"), true);
    s.InitialDir = Text(RegistryKeys::Velicort, QStringLiteral("InitialDir"), QDir::homePath());
    s.ReloadPromptOnChange = Flag(RegistryKeys::Velicort, QStringLiteral("ReloadPromptOnChange"), true);
    s.StatusBar = Flag(RegistryKeys::Velicort, QStringLiteral("StatusBar"), true);
    s.ColorBar = ShownUnlessOff(QStringLiteral("ColorBar"));
    s.CustomToolbar = ShownUnlessOff(QStringLiteral("CustomToolbar"));
    s.SecondaryToolbar = ShownUnlessOff(QStringLiteral("SecondaryToolbar"));
    s.SpecialChar = Flag(RegistryKeys::Velicort, QStringLiteral("SpecialChar"), true);
    s.Rulers = Flag(RegistryKeys::Velicort, QStringLiteral("Rulers"), false);
    s.WordWrap = Flag(RegistryKeys::Velicort, QStringLiteral("WordWrap"), true);
    s.TabWidth = Integer(RegistryKeys::Velicort, QStringLiteral("TabWidth"), 20);
    s.AutoIndent = Flag(RegistryKeys::Velicort, QStringLiteral("AutoIndent"), false);
    s.DefaultExtension = Text(RegistryKeys::Velicort, QStringLiteral("DefaultExtension"), QStringLiteral("html"));
    s.DocumentTemplate = Text(RegistryKeys::Velicort, QStringLiteral("DocumentTemplate"),
                              DataFilePath(QStringLiteral("Templates/Default Template.vct")));
    s.SaveAsUnix = Flag(RegistryKeys::Velicort, QStringLiteral("SaveAsUnix"), false);
    s.NetscapeMultimedia = Integer(RegistryKeys::Velicort, QStringLiteral("MultimediaFormat"), 0) != 0;
    s.LowerCaseTags = Flag(RegistryKeys::Velicort, QStringLiteral("LowerCaseTags"), false);
    s.LowerCaseFiles = Flag(RegistryKeys::Velicort, QStringLiteral("LowerCaseFiles"), false);
    s.ForceHexColor = Flag(RegistryKeys::Velicort, QStringLiteral("ForceHexColor"), false);
    s.CloseParagraphTags = Flag(RegistryKeys::Velicort, QStringLiteral("CloseParagraphTags"), false);
    s.AutoFillHREF = Flag(RegistryKeys::Velicort, QStringLiteral("AutoFillHREF"), true);
    s.SpellSkipTags = Flag(RegistryKeys::Velicort, QStringLiteral("SpellSkipTags"), true);
    s.DictionaryMain = DictionaryPath(
        DataFolder(), Text(RegistryKeys::Velicort, QStringLiteral("DictionaryMain"), QStringLiteral("Velicort.dct")),
        QStringLiteral("Velicort.dct"));
    s.DictionaryUser = DictionaryPath(
        UserDataFolder(), Text(RegistryKeys::Velicort, QStringLiteral("DictionaryUser"), QStringLiteral("Custom.dct")),
        QStringLiteral("Custom.dct"));
    s.UseInternalHTMLHelp = Flag(RegistryKeys::Velicort, QStringLiteral("UseInternalHTMLHelp"), true);
    s.ExternalHTMLHelp = Text(RegistryKeys::Velicort, QStringLiteral("ExternalHTMLHelp"));
    s.HTMLibTopicFile = Text(RegistryKeys::Velicort, QStringLiteral("HTMLibTopicFile"));
    if (s.HTMLibTopicFile.isEmpty())
        s.HTMLibTopicFile = DataFilePath(QStringLiteral("HTMLHelp/htmlib.dat"));
    const int launch = Integer(RegistryKeys::Velicort, QStringLiteral("BrowserLaunchSetting"), 0);
    s.BrowserLaunchSetting = launch >= 0 && launch <= 2 ? launch : 1;
    s.ThumbnailDir = Text(RegistryKeys::Velicort, QStringLiteral("ThumbnailDir"));
    if (s.ThumbnailDir.isEmpty() || !QFileInfo(s.ThumbnailDir).isDir())
        s.ThumbnailDir = QDir(UserDataFolder()).filePath(QStringLiteral("Thumbnails"));
    if (!s.ThumbnailDir.endsWith(u'/'))
        s.ThumbnailDir += u'/';

    const int mode = Integer(RegistryKeys::ColorCoding, QStringLiteral("ColorCodeMode"), 2);
    s.ColorCodeMode = mode >= ccNone && mode <= ccFull ? TColorCodeMode(mode) : ccMinimal;
    s.BackgroundColor = TColor(ReadRegInteger(RegistryKeys::ColorCoding, QStringLiteral("BackgroundColor"), clWindow));
    s.ForegroundColor = TColor(ReadRegInteger(RegistryKeys::ColorCoding, QStringLiteral("ForegroundColor"), clBlack));
    s.UseLockWindowUpdate = Flag(RegistryKeys::ColorCoding, QStringLiteral("UseLockWindowUpdate"), true);

    s.MainVisible = Flag(RegistryKeys::Toolbars, QStringLiteral("MainVisible"), true);
    s.SpeedbarVisible = Flag(RegistryKeys::Toolbars, QStringLiteral("SpeedbarVisible"), true);
    s.ToolbarLayout = Integer(RegistryKeys::Toolbars, QStringLiteral("ToolbarLayout"), 0) == 0 ? 0 : 1;

    s.DocListVisible = Flag(RegistryKeys::DocumentList, QStringLiteral("Visible"), true);
    s.DocListWidth = Integer(RegistryKeys::DocumentList, QStringLiteral("DocListWidth"), 138);
    s.DirListHeight = Integer(RegistryKeys::DocumentList, QStringLiteral("DirListHeight"), 84);
    for (int i = 0; i < 6; ++i)
        s.ColumnWidths[i] =
            Integer(RegistryKeys::DocumentList, QStringLiteral("ColWidth_%1").arg(i), s.ColumnWidths[i]);
    s.FileListEnabled = Flag(RegistryKeys::DocumentList, QStringLiteral("FileListEnabled"), true);
    const int filter = Integer(RegistryKeys::DocumentList, QStringLiteral("FilterIndex"), 2);
    s.FilterIndex = filter >= 0 && filter <= 3 ? filter : 3;
    s.ListOnlyFileNames = Flag(RegistryKeys::DocumentList, QStringLiteral("ListOnlyFileNames"), false);
    s.ResetDirOnOpen = Flag(RegistryKeys::DocumentList, QStringLiteral("ResetDirOnOpen"), true);

    s.UseMSIE = Flag(RegistryKeys::InternalBrowser, QStringLiteral("UseMSIE"), false);
    s.DefFontName =
        Text(RegistryKeys::InternalBrowser, QStringLiteral("DefFontName"), QStringLiteral("Times New Roman"));
    s.DefFontSize = Integer(RegistryKeys::InternalBrowser, QStringLiteral("DefFontSize"), 12);
    s.DefFontColor = TColor(ReadRegInteger(RegistryKeys::InternalBrowser, QStringLiteral("DefFontColor"), 0));
    s.DefHotSpotColor =
        TColor(ReadRegInteger(RegistryKeys::InternalBrowser, QStringLiteral("DefHotSpotColor"), 16711680));

    s.CurrentMapFrom = Text(RegistryKeys::URLMappings, QStringLiteral("CurrentMapFrom"));
    s.CurrentMapTo = Text(RegistryKeys::URLMappings, QStringLiteral("CurrentMapTo"));
    return s;
}

bool SplashWanted()
{
    bool number = false;
    const int value = ReadRegValue(RegistryKeys::Velicort, QStringLiteral("ShowSplash"), true).toInt(&number);
    return !number || value == -1;
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
