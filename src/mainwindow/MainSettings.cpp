// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainSettings.h"

#include "ExternalBrowsers.h"

#include "MessageService.h"
#include "Paths.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString VelicortKey = QStringLiteral("Software\\Velicort");
const QString ColorCodingKey = QStringLiteral("Software\\Velicort\\ColorCoding");
const QString ToolbarsKey = QStringLiteral("Software\\Velicort\\Toolbars");
const QString DocumentListKey = QStringLiteral("Software\\Velicort\\DocumentList");
const QString InternalBrowserKey = QStringLiteral("Software\\Velicort\\InternalBrowser");
const QString URLMappingsKey = QStringLiteral("Software\\Velicort\\URLMappings");

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
    return ReadRegValue(VelicortKey, name, true) != QLatin1String("0");
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
    s.ShowTips = Flag(VelicortKey, QStringLiteral("ShowTips"), true);
    s.InitialDir = Text(VelicortKey, QStringLiteral("InitialDir"), QDir::homePath());
    s.ReloadPromptOnChange = Flag(VelicortKey, QStringLiteral("ReloadPromptOnChange"), true);
    s.StatusBar = Flag(VelicortKey, QStringLiteral("StatusBar"), true);
    s.ColorBar = ShownUnlessOff(QStringLiteral("ColorBar"));
    s.CustomToolbar = ShownUnlessOff(QStringLiteral("CustomToolbar"));
    s.SecondaryToolbar = ShownUnlessOff(QStringLiteral("SecondaryToolbar"));
    s.SpecialChar = Flag(VelicortKey, QStringLiteral("SpecialChar"), true);
    s.Rulers = Flag(VelicortKey, QStringLiteral("Rulers"), false);
    s.WordWrap = Flag(VelicortKey, QStringLiteral("WordWrap"), true);
    s.TabWidth = Integer(VelicortKey, QStringLiteral("TabWidth"), 20);
    s.AutoIndent = Flag(VelicortKey, QStringLiteral("AutoIndent"), false);
    s.DefaultExtension = Text(VelicortKey, QStringLiteral("DefaultExtension"), QStringLiteral("html"));
    s.DocumentTemplate = Text(VelicortKey, QStringLiteral("DocumentTemplate"),
                              DataFilePath(QStringLiteral("Templates/Default Template.vct")));
    s.SaveAsUnix = Flag(VelicortKey, QStringLiteral("SaveAsUnix"), false);
    s.NetscapeMultimedia = Integer(VelicortKey, QStringLiteral("MultimediaFormat"), 0) != 0;
    s.LowerCaseTags = Flag(VelicortKey, QStringLiteral("LowerCaseTags"), false);
    s.LowerCaseFiles = Flag(VelicortKey, QStringLiteral("LowerCaseFiles"), false);
    s.ForceHexColor = Flag(VelicortKey, QStringLiteral("ForceHexColor"), false);
    s.CloseParagraphTags = Flag(VelicortKey, QStringLiteral("CloseParagraphTags"), false);
    s.AutoFillHREF = Flag(VelicortKey, QStringLiteral("AutoFillHREF"), true);
    s.SpellSkipTags = Flag(VelicortKey, QStringLiteral("SpellSkipTags"), true);
    s.DictionaryMain = DictionaryPath(
        DataFolder(), Text(VelicortKey, QStringLiteral("DictionaryMain"), QStringLiteral("Velicort.dct")),
        QStringLiteral("Velicort.dct"));
    s.DictionaryUser = DictionaryPath(UserDataFolder(),
                                      Text(VelicortKey, QStringLiteral("DictionaryUser"), QStringLiteral("Custom.dct")),
                                      QStringLiteral("Custom.dct"));
    s.UseInternalHTMLHelp = Flag(VelicortKey, QStringLiteral("UseInternalHTMLHelp"), true);
    s.ExternalHTMLHelp = Text(VelicortKey, QStringLiteral("ExternalHTMLHelp"));
    s.HTMLibTopicFile = Text(VelicortKey, QStringLiteral("HTMLibTopicFile"));
    if (s.HTMLibTopicFile.isEmpty())
        s.HTMLibTopicFile = DataFilePath(QStringLiteral("HTMLHelp/htmlib.dat"));
    const int launch = Integer(VelicortKey, QStringLiteral("BrowserLaunchSetting"), 0);
    s.BrowserLaunchSetting = launch >= 0 && launch <= 2 ? launch : 1;
    s.ThumbnailDir = Text(VelicortKey, QStringLiteral("ThumbnailDir"));
    if (s.ThumbnailDir.isEmpty() || !QFileInfo(s.ThumbnailDir).isDir())
        s.ThumbnailDir = QDir(UserDataFolder()).filePath(QStringLiteral("Thumbnails"));
    if (!s.ThumbnailDir.endsWith(u'/'))
        s.ThumbnailDir += u'/';

    const int mode = Integer(ColorCodingKey, QStringLiteral("ColorCodeMode"), 2);
    s.ColorCodeMode = mode >= ccNone && mode <= ccFull ? TColorCodeMode(mode) : ccMinimal;
    s.BackgroundColor = TColor(ReadRegInteger(ColorCodingKey, QStringLiteral("BackgroundColor"), clWindow));
    s.ForegroundColor = TColor(ReadRegInteger(ColorCodingKey, QStringLiteral("ForegroundColor"), clBlack));
    s.UseLockWindowUpdate = Flag(ColorCodingKey, QStringLiteral("UseLockWindowUpdate"), true);

    s.MainVisible = Flag(ToolbarsKey, QStringLiteral("MainVisible"), true);
    s.SpeedbarVisible = Flag(ToolbarsKey, QStringLiteral("SpeedbarVisible"), true);
    s.ToolbarLayout = Integer(ToolbarsKey, QStringLiteral("ToolbarLayout"), 0) == 0 ? 0 : 1;

    s.DocListVisible = Flag(DocumentListKey, QStringLiteral("Visible"), true);
    s.DocListWidth = Integer(DocumentListKey, QStringLiteral("DocListWidth"), 138);
    s.DirListHeight = Integer(DocumentListKey, QStringLiteral("DirListHeight"), 84);
    for (int i = 0; i < 6; ++i)
        s.ColumnWidths[i] = Integer(DocumentListKey, QStringLiteral("ColWidth_%1").arg(i), s.ColumnWidths[i]);
    s.FileListEnabled = Flag(DocumentListKey, QStringLiteral("FileListEnabled"), true);
    const int filter = Integer(DocumentListKey, QStringLiteral("FilterIndex"), 2);
    s.FilterIndex = filter >= 0 && filter <= 3 ? filter : 3;
    s.ListOnlyFileNames = Flag(DocumentListKey, QStringLiteral("ListOnlyFileNames"), false);
    s.ResetDirOnOpen = Flag(DocumentListKey, QStringLiteral("ResetDirOnOpen"), true);

    s.UseMSIE = Flag(InternalBrowserKey, QStringLiteral("UseMSIE"), false);
    s.DefFontName = Text(InternalBrowserKey, QStringLiteral("DefFontName"), QStringLiteral("Times New Roman"));
    s.DefFontSize = Integer(InternalBrowserKey, QStringLiteral("DefFontSize"), 12);
    s.DefFontColor = TColor(ReadRegInteger(InternalBrowserKey, QStringLiteral("DefFontColor"), 0));
    s.DefHotSpotColor = TColor(ReadRegInteger(InternalBrowserKey, QStringLiteral("DefHotSpotColor"), 16711680));

    s.CurrentMapFrom = Text(URLMappingsKey, QStringLiteral("CurrentMapFrom"));
    s.CurrentMapTo = Text(URLMappingsKey, QStringLiteral("CurrentMapTo"));
    return s;
}

bool SplashWanted()
{
    bool number = false;
    const int value = ReadRegValue(VelicortKey, QStringLiteral("ShowSplash"), true).toInt(&number);
    return !number || value == -1;
}

bool ApplyFirstRunSettings(int screenWidth)
{
    if (ReadRegValue(VelicortKey, QStringLiteral("FirstRun"), QStringLiteral("-1")) != QLatin1String("-1"))
        return false;
    WriteRegValue(VelicortKey, QStringLiteral("FirstRun"), QStringLiteral("0"));
    if (screenWidth < 800)
        WriteRegValue(ToolbarsKey, QStringLiteral("ToolbarLayout"), QStringLiteral("1"));
    // So that viewing in a browser works from the start.
    if (LoadExternalBrowsers().isEmpty())
        SaveExternalBrowsers(DetectBrowsers());
    if (BrowserObjectInstalled()) {
        const bool use =
            MessageDlg(
                QStringLiteral("Microsoft Internet Explorer 3.0 has been found on your system.  Would you like to use "
                               "it as Velicort's internal browser?\n\r\n\r(Please note that this option can be "
                               "changed at any time by switching to the Internal Browser page in Velicort's "
                               "settings.)"),
                TMsgKind::Confirmation, TMsgButtons::YesNo) == TMsgResult::Yes;
        WriteRegValue(InternalBrowserKey, QStringLiteral("UseMSIE"), use);
    }
    return true;
}
