// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMain.h"

#include "DocumentCommands.h"
#include "MainSettings.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TFileBrowser.h"
#include "TFindBar.h"
#include "TFindCommands.h"
#include "TestFiles.h"
#include "TvqFileView.h"
#include "TvqHTMLTab.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

const QString Velicort = QStringLiteral("Software\\Velicort");
const QString MainForm = QStringLiteral("Software\\Velicort\\MainForm");

// Waits until the file list has been filled with this many rows. The folder
// tree loads in the background and may list a folder once more as it
// catches up, so one scan's end is not enough.
bool WaitForRows(TfMain &window, int rows)
{
    const TvqFileView *list = window.FileBrowser()->vqFileList;
    return QTest::qWaitFor([&] { return !list->ScanRunning() && list->topLevelItemCount() == rows; }, 10000);
}

class MainWindow : public testing::Test
{
protected:
    QString WriteFile(const QString &name, const QByteArray &bytes = "<P>text</P>\r\n")
    {
        return WriteTestFile(m_dir.filePath(name), bytes);
    }

    QStringList OpenNames(const TfMain &window) const
    {
        QStringList names;
        for (int i = 0; i < window.Documents()->DocumentCount(); ++i)
            names.append(window.Documents()->DocumentFileName(i));
        return names;
    }

    QTemporaryDir m_dir;
};

TEST(MainSettings, ValuesOutOfRangeFallBack)
{
    TMainSettings defaults = ReadMainSettings();
    EXPECT_EQ(defaults.ColorCodeMode, ccFull);
    EXPECT_EQ(defaults.FilterIndex, 2);
    EXPECT_EQ(defaults.Preview.LaunchSetting, 0);
    EXPECT_TRUE(defaults.StatusBar);
    EXPECT_TRUE(defaults.WordWrap);
    EXPECT_EQ(defaults.DocListWidth, 138);

    WriteRegValue(QStringLiteral("Software\\Velicort\\ColorCoding"), QStringLiteral("ColorCodeMode"), 7);
    WriteRegValue(QStringLiteral("Software\\Velicort\\DocumentList"), QStringLiteral("FilterIndex"), 9);
    WriteRegValue(Velicort, QStringLiteral("BrowserLaunchSetting"), 5);
    WriteRegValue(Velicort, QStringLiteral("TabWidth"), QStringLiteral("wide"));
    WriteRegValue(Velicort, QStringLiteral("StatusBar"), QStringLiteral("1"));
    WriteRegValue(Velicort, QStringLiteral("ColorBar"), QStringLiteral("1"));
    const TMainSettings s = ReadMainSettings();
    EXPECT_EQ(s.ColorCodeMode, ccMinimal);
    EXPECT_EQ(s.FilterIndex, 3);
    EXPECT_EQ(s.Preview.LaunchSetting, 1);
    EXPECT_EQ(s.TabWidth, 20);
    // Every boolean is read the same way: "1" is true as "-1" is.
    EXPECT_TRUE(s.StatusBar);
    EXPECT_TRUE(s.ColorBar);
}

TEST(MainSettings, AnEmptyProfileReadsTheDefaults)
{
    const TMainSettings s = ReadMainSettings();
    EXPECT_TRUE(s.ShowTips);
    EXPECT_TRUE(s.ReloadPromptOnChange);
    EXPECT_FALSE(s.Rulers);
    EXPECT_EQ(s.TabWidth, 20);
    EXPECT_FALSE(s.AutoIndent);
    EXPECT_EQ(s.DefaultExtension, QStringLiteral("html"));
    EXPECT_TRUE(s.DocumentTemplate.endsWith(QStringLiteral("Templates/Default Template.vct")));
    EXPECT_FALSE(s.SaveAsUnix);
    EXPECT_FALSE(s.NetscapeMultimedia);
    EXPECT_FALSE(s.LowerCaseTags);
    EXPECT_FALSE(s.LowerCaseFiles);
    EXPECT_FALSE(s.ForceHexColor);
    EXPECT_FALSE(s.CloseParagraphTags);
    EXPECT_TRUE(s.AutoFillHREF);
    EXPECT_TRUE(s.SpellSkipTags);
    EXPECT_TRUE(s.UseInternalHTMLHelp);
    EXPECT_TRUE(s.ExternalHTMLHelp.isEmpty());
    EXPECT_EQ(s.Preview.LaunchSetting, 0);
    EXPECT_EQ(s.BackgroundColor, clWindow);
    EXPECT_EQ(s.ForegroundColor, clBlack);
    EXPECT_TRUE(s.UseLockWindowUpdate);
    EXPECT_TRUE(s.MainVisible);
    EXPECT_TRUE(s.SpeedbarVisible);
    EXPECT_EQ(s.ToolbarLayout, 0);
    EXPECT_TRUE(s.DocListVisible);
    EXPECT_EQ(s.DirListHeight, 84);
    const int widths[6] = {128, 50, 50, 150, 140, 140};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.ColumnWidths[i], widths[i]);
    EXPECT_TRUE(s.FileListEnabled);
    EXPECT_FALSE(s.ListOnlyFileNames);
    EXPECT_TRUE(s.ResetDirOnOpen);
    EXPECT_FALSE(s.Preview.UseBrowserObject);
    EXPECT_EQ(s.Preview.ViewerFontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(s.Preview.ViewerFontSize, 12);
    EXPECT_EQ(s.Preview.ViewerFontColor, 0u);
    EXPECT_EQ(s.Preview.ViewerLinkColor, 16711680u);
    EXPECT_TRUE(s.Preview.MapFrom.isEmpty());
}

TEST(MainSettings, FirstRunAndSplash)
{
    EXPECT_TRUE(SplashWanted());
    WriteRegValue(Velicort, QStringLiteral("ShowSplash"), QStringLiteral("0"));
    EXPECT_FALSE(SplashWanted());
    WriteRegValue(Velicort, QStringLiteral("ShowSplash"), QStringLiteral("yes"));
    EXPECT_TRUE(SplashWanted());

    EXPECT_TRUE(ApplyFirstRunSettings(640));
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("FirstRun"), QString()), QStringLiteral("0"));
    EXPECT_EQ(ReadMainSettings().ToolbarLayout, 1);
    EXPECT_FALSE(ApplyFirstRunSettings(640));

    EraseRegKey(Velicort);
    EXPECT_TRUE(ApplyFirstRunSettings(800));
    EXPECT_EQ(ReadMainSettings().ToolbarLayout, 0);
    // The browser-object question comes only when the build has one.
    EXPECT_EQ(Scripted().messages.size(), BrowserObjectInstalled() ? 2 : 0);
}

TEST_F(MainWindow, CaptionNamesTheActiveDocument)
{
    TfMain window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Velicort 2.5 BETA 3 - [Untitled]"));
    const QString path = WriteFile(QStringLiteral("page.htm"));
    window.OpenDocuments(path, 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Velicort 2.5 BETA 3 - [") + path + u']');
}

TEST_F(MainWindow, StartsFromTheStoredSettings)
{
    WriteRegValue(QStringLiteral("Software\\Velicort\\ColorCoding"), QStringLiteral("ColorCodeMode"), 7);
    WriteRegValue(Velicort, QStringLiteral("WordWrap"), false);
    WriteRegValue(Velicort, QStringLiteral("TabWidth"), 40);
    WriteRegValue(QStringLiteral("Software\\Velicort\\SpeedBar"), QStringLiteral("ASP_Visible"), true);
    TfMain window;
    EXPECT_EQ(window.ActiveEditor()->ColorCodeMode(), ccMinimal);
    EXPECT_TRUE(window.Action(QStringLiteral("mnuCCMinimal"))->isChecked());
    EXPECT_TRUE(window.Action(QStringLiteral("spdCCMinimal"))->isChecked());
    EXPECT_FALSE(window.ActiveEditor()->WordWrap());
    EXPECT_FALSE(window.Action(QStringLiteral("mnuOptionsWordWrap"))->isChecked());
    EXPECT_EQ(window.ActiveEditor()->TabWidth(), 40);
    auto *pages = window.findChild<QTabWidget *>(QStringLiteral("pgSpeedbar"));
    ASSERT_EQ(pages->count(), 13);
    EXPECT_TRUE(pages->isTabVisible(pages->indexOf(window.findChild<QWidget *>(QStringLiteral("tbsASP")))));
    EXPECT_FALSE(pages->isTabVisible(pages->indexOf(window.findChild<QWidget *>(QStringLiteral("tbsCFusion")))));
    EXPECT_EQ(window.StatusPanelText(0), QStringLiteral("1: 1"));
    EXPECT_EQ(window.StatusPanelText(3), QStringLiteral("Insert"));
}

TEST_F(MainWindow, MenusHoldEveryCommandAndLaterOnesAreGreyed)
{
    TfMain window;
    QStringList menus;
    for (QAction *menu : window.menuBar()->actions())
        menus.append(menu->text());
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Search", "&View", "&Tools", "T&ags", "&Options", "&Help"}));
    EXPECT_TRUE(window.Action(QStringLiteral("mnuFileOpen"))->isEnabled());
    EXPECT_EQ(window.Action(QStringLiteral("mnuFileSaveAs"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    for (int i = 1; i <= 10; ++i) {
        QAction *item = window.Action(QStringLiteral("mnuMRU_%1").arg(i));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QStringLiteral("[Empty]"));
        EXPECT_FALSE(item->isEnabled());
    }
}

TEST_F(MainWindow, ColourCodingCommandKeepsTheModifiedFlagAndIsStored)
{
    TfMain window;
    window.OpenDocuments(WriteFile(QStringLiteral("page.htm")), 0);
    window.Action(QStringLiteral("mnuCCNone"))->trigger();
    EXPECT_EQ(window.ActiveEditor()->ColorCodeMode(), ccNone);
    EXPECT_FALSE(window.ActiveEditor()->Modified());
    EXPECT_TRUE(window.Action(QStringLiteral("spdCCNone"))->isChecked());
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\ColorCoding"), QStringLiteral("ColorCodeMode"), 2),
              QStringLiteral("0"));
    // A new document takes the mode of the active one.
    window.Action(QStringLiteral("spdNew"))->trigger();
    EXPECT_EQ(window.ActiveEditor()->ColorCodeMode(), ccNone);
}

TEST_F(MainWindow, BarSettersWriteTheirValuesAtOnce)
{
    TfMain window;
    window.Action(QStringLiteral("mnuViewStatusBar"))->trigger();
    window.Action(QStringLiteral("mnuViewColorBar"))->trigger();
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("StatusBar"), QString()), QStringLiteral("0"));
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("ColorBar"), QString()), QStringLiteral("0"));
    EXPECT_FALSE(window.Toolbar(QStringLiteral("oxDockColorBar"))->isVisibleTo(&window));
    window.SetToolbarLayout(1);
    EXPECT_TRUE(window.Action(QStringLiteral("mnuViewToolbarHorizontal"))->isChecked());
    EXPECT_FALSE(window.toolBarBreak(window.Toolbar(QStringLiteral("pnlTB_SpeedBar"))));
    window.SetToolbarLayout(0);
    EXPECT_TRUE(window.toolBarBreak(window.Toolbar(QStringLiteral("pnlTB_SpeedBar"))));
}

TEST_F(MainWindow, ClosingWithCancelKeepsTheWindowAndItsDocuments)
{
    TfMain window;
    window.show();
    window.OpenDocuments(WriteFile(QStringLiteral("a.htm")), 0);
    window.OpenDocuments(WriteFile(QStringLiteral("b.htm")), 0);
    QTest::keyClicks(window.ActiveEditor(), QStringLiteral("x"));

    Scripted().answers = {TMsgResult::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Documents()->DocumentCount(), 2);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Save changes to ") + m_dir.filePath("b.htm") + u'?');

    window.SetClosingBlocked(true);
    EXPECT_FALSE(window.close());
    window.SetClosingBlocked(false);

    // Every modified document is asked about, the last one too.
    window.Documents()->SetTabIndex(0);
    QTest::keyClicks(window.ActiveEditor(), QStringLiteral("y"));
    window.Documents()->SetTabIndex(1);
    Scripted().messages.clear();
    Scripted().answers = {TMsgResult::No, TMsgResult::No};
    EXPECT_TRUE(window.close());
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("Save changes to ") + m_dir.filePath("a.htm") + u'?');
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("WindowState"), QString()), QStringLiteral("Normal"));
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\Toolbars"), QStringLiteral("MainVisible"), QString()),
              QStringLiteral("-1"));
}

TEST_F(MainWindow, ClosingInFullScreenKeepsTheSavedLayout)
{
    TfMain window;
    window.show();
    window.SetFullScreen(true);
    EXPECT_TRUE(window.FullScreen());
    EXPECT_FALSE(window.Toolbar(QStringLiteral("pnlTB_Main"))->isVisible());
    EXPECT_TRUE(window.Action(QStringLiteral("mnuOptionsFullScreen"))->isChecked());
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].caption, QStringLiteral("Full Screen"));

    WriteRegValue(MainForm, QStringLiteral("Width"), 600);
    WriteRegValue(MainForm, QStringLiteral("WindowState"), QStringLiteral("Normal"));
    EXPECT_TRUE(window.close());
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("Width"), QString()), QStringLiteral("600"));
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("WindowState"), QString()), QStringLiteral("Normal"));

    window.SetFullScreen(false);
    EXPECT_TRUE(window.Toolbar(QStringLiteral("pnlTB_Main"))->isVisibleTo(&window));
}

TEST_F(MainWindow, CommandLineJoinsAPathWithBlanksOrOpensEachFile)
{
    const QString spaced = WriteFile(QStringLiteral("my page.htm"));
    {
        TfMain window;
        window.OpenCommandLine({m_dir.filePath(QStringLiteral("my")), QStringLiteral("page.htm")});
        EXPECT_EQ(OpenNames(window), QStringList{spaced});
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.StartupDone());
    }
    const QString a = WriteFile(QStringLiteral("a.htm"));
    const QString b = WriteFile(QStringLiteral("b.htm"));
    TfMain window;
    window.OpenCommandLine({a, m_dir.filePath(QStringLiteral("missing.htm")), b});
    EXPECT_EQ(OpenNames(window), (QStringList{a, b}));
    EXPECT_TRUE(window.Documents()->AcceptFiles());
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(MainWindow, HandedOverFileOpensUnlessADialogIsUp)
{
    const QString path = WriteFile(QStringLiteral("handed.htm"));
    TfMain window;
    window.show();
    window.showMinimized();

    window.MessageWindowOpenFile(m_dir.filePath(QStringLiteral("missing.htm")));
    EXPECT_EQ(OpenNames(window), QStringList{QString()});

    // While a dialog of this program is up the file is not opened.
    QDialog dialog(&window);
    QTimer::singleShot(0, &dialog, [&] {
        window.MessageWindowOpenFile(path);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(OpenNames(window), QStringList{QString()});

    window.MessageWindowOpenFile(path);
    EXPECT_EQ(OpenNames(window), QStringList{path});
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(MainWindow, AFileChangedOnDiskIsOfferedForReloadOnce)
{
    const QString path = WriteFile(QStringLiteral("page.htm"));
    TfMain window;
    window.OpenDocuments(path, 0);
    window.AppOnActivate();
    EXPECT_TRUE(Scripted().messages.isEmpty());

    WriteFile(QStringLiteral("page.htm"), "<P>changed</P>\r\n");
    window.ActiveEditor()->SetFileTime(window.ActiveEditor()->FileTime() - 5000);
    Scripted().answers = {TMsgResult::No};
    window.AppOnActivate();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File \"") + path +
                                               QStringLiteral("\" has changed since you last saved it.  Do you wish "
                                                              "to reload it?\r\n\r\n(Warning: You will lose any "
                                                              "changes you made if you answer 'Yes')"));
    window.AppOnActivate();
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(window.ActiveEditor()->Text(), QStringLiteral("<P>text</P>\r\n"));

    window.ActiveEditor()->SetFileTime(window.ActiveEditor()->FileTime() - 5000);
    Scripted().answers = {TMsgResult::Yes};
    window.AppOnActivate();
    EXPECT_EQ(window.ActiveEditor()->Text(), QStringLiteral("<P>changed</P>\r\n"));
}

TEST_F(MainWindow, StatusPanelsFollowTheCaretAndProgress)
{
    TfMain window;
    window.show();
    window.OpenDocuments(WriteFile(QStringLiteral("page.htm"), "<P>one</P>\r\n<P>two</P>\r\n"), 0);
    TvqRichHTML *editor = window.ActiveEditor();
    editor->SetSel(15, 0);
    QApplication::processEvents();
    EXPECT_EQ(window.StatusPanelText(0), QStringLiteral("2: 4"));
    QTest::keyClick(editor, Qt::Key_Insert);
    EXPECT_EQ(window.StatusPanelText(3), QStringLiteral("Overwrite"));
    EXPECT_TRUE(window.Action(QStringLiteral("spdSave"))->isEnabled() == editor->Modified());

    QWidget *status = window.findChild<QWidget *>(QStringLiteral("staMain"));
    QWidget *progress = window.findChild<QWidget *>(QStringLiteral("prgProgress"));
    editor->ReportProgress(0);
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(progress->isVisible());
    editor->ReportProgress(100);
    EXPECT_TRUE(status->isVisible());
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(MainWindow, OpeningAnOpenFileSwitchesToItsTab)
{
    const QString a = WriteFile(QStringLiteral("a.htm"));
    const QString b = WriteFile(QStringLiteral("b.htm"));
    TfMain window;
    Scripted().fileLists = {{a, b}};
    window.Action(QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_EQ(OpenNames(window), (QStringList{a, b}));
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Open HTML Document")});

    window.OpenDocuments(a, 0);
    EXPECT_EQ(OpenNames(window), (QStringList{a, b}));
    EXPECT_EQ(window.Documents()->TabIndex(), 0);
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].caption, QStringLiteral("Already Open"));

    window.OpenDocuments(m_dir.filePath(QStringLiteral("missing.htm")), 0);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File not found."));
}

} // namespace

TEST_F(MainWindow, TheFileBrowserStartsInTheStoredFolderAndFollowsOpeningSavingAndClosing)
{
    WriteFile(QStringLiteral("a.htm"));
    WriteFile(QStringLiteral("~vc1234.htm")); // a preview copy
    WriteRegValue(Velicort, QStringLiteral("InitialDir"), m_dir.path());
    TfMain window;
    window.OpenCommandLine({});
    TFileBrowser *pane = window.FileBrowser();
    EXPECT_EQ(pane->CurrentFolder(), m_dir.path());
    ASSERT_TRUE(WaitForRows(window, 1));
    EXPECT_EQ(pane->vqFileList->topLevelItem(0)->text(fcName), QStringLiteral("a.htm"));

    // Saved under a new name in the folder shown, the file gets its row.
    Scripted().fileNames = {m_dir.filePath(QStringLiteral("b.htm"))};
    ASSERT_TRUE(window.Commands()->SaveDocumentAs());
    QTreeWidgetItem *saved = pane->vqFileList->FindFile(m_dir.filePath(QStringLiteral("b.htm")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(pane->vqFileList->currentItem(), saved);

    // Opening a file elsewhere takes the pane along when asked to.
    QTemporaryDir other;
    const QString elsewhere = WriteTestFile(QDir(other.path()).filePath(QStringLiteral("c.htm")), "c");
    window.OpenDocuments(elsewhere, TDocumentCommands::ofMoveFileBrowser);
    EXPECT_EQ(pane->CurrentFolder(), other.path());
    // The folder tree loads in the background and may list the folder once
    // more as it catches up: wait for the row rather than for one scan.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !pane->vqFileList->ScanRunning() && pane->vqFileList->FindFile(elsewhere); }, 10000));

    EXPECT_TRUE(window.close());
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("InitialDir"), QString()), other.path());
}

TEST_F(MainWindow, TheBrowsePopupShowsFullScreenAndRulersAndFullScreenTwiceKeepsTheNormalSize)
{
    TfMain window;
    window.show();
    window.SetRulersVisible(true);
    EXPECT_TRUE(window.Action(QStringLiteral("mnuPB_Rulers"))->isChecked());
    window.Action(QStringLiteral("mnuPB_Rulers"))->trigger();
    EXPECT_FALSE(window.Action(QStringLiteral("mnuViewRulers"))->isChecked());

    window.SetFullScreen(true);
    EXPECT_TRUE(window.Action(QStringLiteral("mnuPB_FullScreen"))->isChecked());
    WriteRegValue(MainForm, QStringLiteral("WindowState"), QStringLiteral("Normal"));
    window.SetFullScreen(true); // chosen again from another place
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("WindowState"), QString()), QStringLiteral("Normal"));
    // The pop-up's item toggles back.
    window.Action(QStringLiteral("mnuPB_FullScreen"))->trigger();
    EXPECT_FALSE(window.FullScreen());
    EXPECT_FALSE(window.Action(QStringLiteral("mnuOptionsFullScreen"))->isChecked());
}

TEST_F(MainWindow, TheFolderTreeKeepsItsHeightWithinItsBounds)
{
    TfMain window;
    window.show();
    QTreeView *tree = window.FileBrowser()->vqDirList;
    QTest::qWait(0);
    EXPECT_EQ(tree->height(), 84); // a first start's height, whatever the window's
    window.resize(window.width(), window.height() + 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(tree->height(), 84);
    window.FileBrowser()->pnlSplitVert->setSizes({1000, 10});
    EXPECT_EQ(tree->height(), 300);
    window.FileBrowser()->pnlSplitVert->setSizes({1, 1000});
    EXPECT_EQ(tree->height(), 30);
}

TEST_F(MainWindow, NewHTMLExtensionsAndOpeningFromTheListKeepTheListRight)
{
    WriteFile(QStringLiteral("a.htm"));
    const QString php = WriteFile(QStringLiteral("b.php"));
    WriteFile(QStringLiteral("c.htm"));
    WriteRegValue(Velicort, QStringLiteral("InitialDir"), m_dir.path());
    TfMain window;
    window.OpenCommandLine({});
    TvqFileView *list = window.FileBrowser()->vqFileList;
    ASSERT_TRUE(WaitForRows(window, 2)); // web documents only

    TSettingsState state = window.CurrentSettings();
    state.HTMLExtensions.append(QStringLiteral("PHP"));
    TSettingsMarks marks;
    marks.Extensions = true;
    window.ApplySettings(state, marks);
    ASSERT_TRUE(WaitForRows(window, 3));

    // Reversed by name, then a document opened from the list: the order stays.
    list->SortByColumn(fcName);
    list->SortByColumn(fcName);
    ASSERT_EQ(list->topLevelItem(0)->text(fcName), QStringLiteral("c.htm"));
    window.OpenDocuments(php, TDocumentCommands::ofMoveFileBrowser);
    EXPECT_EQ(window.ActiveEditor()->Filename(), php);
    ASSERT_TRUE(WaitForRows(window, 3));
    EXPECT_EQ(list->topLevelItem(0)->text(fcName), QStringLiteral("c.htm"));
    EXPECT_EQ(list->topLevelItem(2)->text(fcName), QStringLiteral("a.htm"));
}

TEST_F(MainWindow, FilesDroppedWhileAPageColoursOpenAfterIt)
{
    QByteArray big;
    while (big.size() < 64 * 1024)
        big += "<P>A <B>long</B> page with <A HREF=\"x.htm\">links</A></P>\r\n";
    const QString page = WriteFile(QStringLiteral("big.htm"), big);
    const QString dropped = WriteFile(QStringLiteral("dropped.htm"));
    TfMain window;
    window.show();
    int countDuringRun = -1;
    QMetaObject::Connection during = QObject::connect(window.Documents(), &TvqHTMLTab::OnActiveDocProgressChange,
                                                      &window, [&](TvqRichHTML *, int value) {
                                                          if (value != 0 || countDuringRun >= 0)
                                                              return;
                                                          emit window.Documents()->OnDropFiles({dropped});
                                                          QCoreApplication::processEvents();
                                                          countDuringRun = window.Documents()->DocumentCount();
                                                      });
    window.OpenDocuments(page, 0);
    QObject::disconnect(during);
    EXPECT_EQ(countDuringRun, 1); // held back while the page coloured
    EXPECT_TRUE(QTest::qWaitFor([&] { return OpenNames(window).contains(dropped); }, 5000));
    EXPECT_TRUE(OpenNames(window).contains(page));
    EXPECT_FALSE(window.ActiveEditor()->Modified());
}

TEST_F(MainWindow, APageInACharsetReadAsWindows1252SaysSo)
{
    TfMain window;
    window.OpenDocuments(WriteFile(QStringLiteral("ru.htm"), "<meta charset=\"koi8-r\"><p>\xF0\xD2\xC9</p>"), 0);
    EXPECT_TRUE(window.StatusPanelText(1).contains(QStringLiteral("\"koi8-r\"")))
        << window.StatusPanelText(1).toStdString();
    window.OpenDocuments(WriteFile(QStringLiteral("plain.htm"), "<p>plain</p>"), 0);
    EXPECT_FALSE(window.StatusPanelText(1).contains(QStringLiteral("koi8-r")));
}

TEST_F(MainWindow, FindAndReplaceFromTheSearchMenuKeysAndButtons)
{
    TfMain window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.OpenDocuments(WriteFile(QStringLiteral("page.htm"), "<p>one</p>\r\n<p>two</p>\r\n"), 0);
    for (const char *name : {"mnuSearchFind", "mnuSearchReplace", "spdFind", "spdReplace", "mnuSearchFindNext",
                             "mnuSearchFindPrevious", "mnuSearchGoToLine"})
        EXPECT_TRUE(window.Action(QLatin1String(name))->isEnabled()) << name;
    TvqRichHTML *editor = window.ActiveEditor();
    editor->setFocus();

    QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
    TFindBar *bar = window.FindCommands()->Bar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->ReplaceShown());
    EXPECT_TRUE(bar->cboFind->hasFocus());
    QTest::keyClicks(bar->cboFind->lineEdit(), QStringLiteral("p>"));
    EXPECT_EQ(bar->Result(), QStringLiteral("4 matches"));
    bar->cboReplace->setEditText(QStringLiteral("div>"));
    QTest::mouseClick(bar->findChild<QPushButton *>(QStringLiteral("btnReplaceAll")), Qt::LeftButton);
    EXPECT_EQ(editor->Text(), QStringLiteral("<div>one</div>\r\n<div>two</div>\r\n"));
    EXPECT_EQ(window.StatusPanelText(1), QStringLiteral(" 4 replacements made."));
    EXPECT_TRUE(editor->Modified());

    // Find hides the replacement row; Ctrl+G finds on from the editor.
    editor->SetSel(0, 0);
    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(bar->ReplaceShown());
    bar->cboFind->setEditText(QStringLiteral("two"));
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(editor->SelText(), QStringLiteral("two"));
}

TEST_F(MainWindow, LineNumbersAreAViewSettingOnByDefault)
{
    {
        TfMain window;
        window.show();
        QTest::qWait(0);
        QAction *lineNumbers = window.Action(QStringLiteral("mnuViewLineNumbers"));
        EXPECT_TRUE(lineNumbers->isChecked());
        EXPECT_TRUE(window.ActiveEditor()->LineNumbers());
        EXPECT_GT(window.ActiveEditor()->LineNumberWidth(), 0);
        lineNumbers->trigger();
        EXPECT_EQ(window.ActiveEditor()->LineNumberWidth(), 0);
        EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("LineNumbers"), QString()), QStringLiteral("0"));
        // New documents follow.
        window.Action(QStringLiteral("spdNew"))->trigger();
        EXPECT_FALSE(window.ActiveEditor()->LineNumbers());
    }
    TfMain again;
    EXPECT_FALSE(again.Action(QStringLiteral("mnuViewLineNumbers"))->isChecked());
    EXPECT_FALSE(again.ActiveEditor()->LineNumbers());
}
