// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalBrowsers.h"
#include "MainSettings.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TfEditBrowser.h"
#include "TfFontSettings.h"
#include "TfOptionDialog.h"
#include "TvqSavedCombo.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString MappingsKey = QStringLiteral("Software\\Velicort\\URLMappings");
const QString MapFromKey = QStringLiteral("Software\\Velicort\\URLMappings\\MapFrom");
const QString BrowsersKey = QStringLiteral("Software\\Velicort\\ExternalBrowsers");

QStringList Items(const QComboBox &combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

QStringList StoredHistory(int upTo = 20)
{
    QStringList items;
    for (int n = 0; n < upTo; ++n)
        items.append(ReadRegValue(MapFromKey, QStringLiteral("Item%1").arg(n), QString()));
    while (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

void StoreHistory(const QStringList &items)
{
    for (int n = 0; n < items.size(); ++n)
        WriteRegValue(MapFromKey, QStringLiteral("Item%1").arg(n), items.at(n));
}

// Runs a modal dialog of type T while act works it; act must close it.
template <typename T, typename Result>
Result RunModal(const std::function<void(T &)> &act, std::function<Result()> show)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->reject();
        }
    });
    return show();
}

void ClickOk(QDialog &dialog)
{
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

TEST(TvqSavedCombo, TheKeyJoinsParentAndNameWithOneBackslash)
{
    TvqSavedCombo combo;
    combo.SetRegistryKey(MappingsKey, QStringLiteral("MapFrom"));
    EXPECT_EQ(combo.RegistryKey(), MapFromKey);
    combo.SetRegistryKey(MappingsKey + u'\\', QStringLiteral("MapFrom"));
    EXPECT_EQ(combo.RegistryKey(), MapFromKey);
    EXPECT_TRUE(combo.isEditable());
}

TEST(TvqSavedCombo, LoadsAtMostMaxItemsStoppingAtTheFirstEmptyValueAndKeepsTheEditText)
{
    QStringList twenty;
    for (int n = 0; n < 20; ++n)
        twenty.append(QStringLiteral("/site/%1").arg(n));
    StoreHistory(twenty);
    TvqSavedCombo combo;
    combo.setEditText(QStringLiteral("typed"));
    combo.SetRegistryKey(MappingsKey, QStringLiteral("MapFrom"));
    EXPECT_EQ(Items(combo), twenty.mid(0, 15));
    EXPECT_EQ(combo.currentText(), QStringLiteral("typed"));

    WriteRegValue(MapFromKey, QStringLiteral("Item2"), QString());
    combo.LoadHistory();
    EXPECT_EQ(Items(combo), twenty.mid(0, 2));
    EXPECT_EQ(combo.currentText(), QStringLiteral("typed"));
}

TEST(TvqSavedCombo, AddingMovesAnEntryThatDiffersOnlyInCaseToTheTop)
{
    StoreHistory({"Alpha", "Beta", "Gamma"});
    TvqSavedCombo combo;
    combo.SetRegistryKey(MappingsKey, QStringLiteral("MapFrom"));
    combo.setEditText(QStringLiteral("gamma"));
    combo.AddCurrentText();
    EXPECT_EQ(Items(combo), (QStringList{"gamma", "Alpha", "Beta"}));
    EXPECT_EQ(StoredHistory(), (QStringList{"gamma", "Alpha", "Beta"}));
    EXPECT_EQ(combo.currentText(), QStringLiteral("gamma"));

    combo.AddToHistory(QStringLiteral("Delta"));
    EXPECT_EQ(StoredHistory(), (QStringList{"Delta", "gamma", "Alpha", "Beta"}));
    EXPECT_EQ(combo.currentText(), QStringLiteral("gamma"));
}

TEST(TvqSavedCombo, EmptyTextOrNoKeyAddsNothing)
{
    StoreHistory({"Alpha"});
    TvqSavedCombo combo;
    combo.AddToHistory(QStringLiteral("Beta"));
    EXPECT_EQ(combo.count(), 0);
    combo.SetRegistryKey(MappingsKey, QStringLiteral("MapFrom"));
    combo.AddToHistory(QString());
    EXPECT_EQ(Items(combo), QStringList{"Alpha"});
    EXPECT_EQ(StoredHistory(), QStringList{"Alpha"});
}

TEST(TvqSavedCombo, SavingReplacesTheStoredHistoryWithAtMostMaxItems)
{
    StoreHistory({"a", "b", "c", "d", "e"});
    TvqSavedCombo combo;
    combo.SetRegistryKey(MappingsKey, QStringLiteral("MapFrom"));
    combo.MaxItems = 3;
    combo.AddToHistory(QStringLiteral("new"));
    EXPECT_EQ(combo.count(), 6);
    EXPECT_EQ(StoredHistory(), (QStringList{"new", "a", "b"}));
}

TEST(ExternalBrowsers, RoundTripInOrderWithTheDDEFlag)
{
    const QList<TExternalBrowserInfo> browsers = {{"Firefox", "/usr/bin/firefox", false},
                                                  {"Chromium", "/usr/bin/chromium", true}};
    SaveExternalBrowsers(browsers);
    EXPECT_EQ(ReadRegValue(BrowsersKey, QStringLiteral("UseDDE1"), QString()), QStringLiteral("0"));
    EXPECT_EQ(ReadRegValue(BrowsersKey, QStringLiteral("UseDDE2"), QString()), QStringLiteral("-1"));
    EXPECT_EQ(ReadRegValue(BrowsersKey, QStringLiteral("Location2"), QString()), QStringLiteral("/usr/bin/chromium"));
    EXPECT_EQ(LoadExternalBrowsers(), browsers);

    SaveExternalBrowsers({browsers.at(1)});
    EXPECT_EQ(LoadExternalBrowsers(), QList{browsers.at(1)});
    EXPECT_TRUE(ReadRegValue(BrowsersKey, QStringLiteral("Name2"), QString()).isEmpty());
}

TEST(ExternalBrowsers, LoadingStopsAtTheFirstMissingNameAndAMissingDDEFlagReadsTrue)
{
    WriteRegValue(BrowsersKey, QStringLiteral("Name1"), QStringLiteral("Lynx"));
    WriteRegValue(BrowsersKey, QStringLiteral("Location1"), QStringLiteral("/usr/bin/lynx"));
    WriteRegValue(BrowsersKey, QStringLiteral("Name3"), QStringLiteral("Unreached"));
    const QList<TExternalBrowserInfo> browsers = LoadExternalBrowsers();
    ASSERT_EQ(browsers.size(), 1);
    EXPECT_TRUE(browsers.at(0).UseDDE);
    EXPECT_EQ(browsers.at(0).Location, QStringLiteral("/usr/bin/lynx"));

    // Read as every boolean is: "1" means true as "-1" does.
    WriteRegValue(BrowsersKey, QStringLiteral("UseDDE1"), QStringLiteral("1"));
    EXPECT_TRUE(LoadExternalBrowsers().at(0).UseDDE);
    WriteRegValue(BrowsersKey, QStringLiteral("UseDDE1"), QStringLiteral("0"));
    EXPECT_FALSE(LoadExternalBrowsers().at(0).UseDDE);
}

TEST(MainSettings, OpenFromTheWebReadsItsTimeOutAndPortWithTheirFallbacks)
{
    const QString key = QStringLiteral("Software\\Velicort");
    EXPECT_EQ(ReadMainSettings().Timeout, 30);
    EXPECT_EQ(ReadMainSettings().HTTPPort, 80);
    struct
    {
        const char *timeout;
        int expectedTimeout;
        const char *port;
        int expectedPort;
    } const cases[] = {
        {"45", 45, "8080", 8080}, {"5", 5, "1", 1},         {"300", 300, "65535", 65535},
        {"2", 30, "0", 80},       {"301", 30, "65536", 80}, {"soon", 30, "web", 80},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.timeout) + " / " + c.port);
        WriteRegValue(key, QStringLiteral("Timeout"), QString::fromUtf8(c.timeout));
        WriteRegValue(key, QStringLiteral("HTTPPort"), QString::fromUtf8(c.port));
        const TMainSettings s = ReadMainSettings();
        EXPECT_EQ(s.Timeout, c.expectedTimeout);
        EXPECT_EQ(s.HTTPPort, c.expectedPort);
    }
    EXPECT_EQ(ReadMainSettings().HTTPDeadline, 0);
    WriteRegValue(key, QStringLiteral("HTTPDeadline"), QStringLiteral("600"));
    EXPECT_EQ(ReadMainSettings().HTTPDeadline, 600);
    WriteRegValue(key, QStringLiteral("HTTPDeadline"), QStringLiteral("-3"));
    EXPECT_EQ(ReadMainSettings().HTTPDeadline, 0);
}

TEST(ExternalBrowsers, NoMoreThanFifteenAreKept)
{
    QList<TExternalBrowserInfo> browsers;
    for (int n = 1; n <= 17; ++n)
        browsers.append({QStringLiteral("B%1").arg(n), QStringLiteral("/bin/b%1").arg(n)});
    SaveExternalBrowsers(browsers);
    EXPECT_EQ(LoadExternalBrowsers(), browsers.mid(0, MaxExternalBrowsers));
    EXPECT_TRUE(ReadRegValue(BrowsersKey, QStringLiteral("Name16"), QString()).isEmpty());
}

TEST(TfEditBrowser, ShowsTheEntryAndANewOneUsesDDE)
{
    TfEditBrowser edit({"Lynx", "/usr/bin/lynx", false}, false);
    EXPECT_EQ(edit.windowTitle(), QStringLiteral("Browser"));
    EXPECT_EQ(edit.Entry(), (TExternalBrowserInfo{"Lynx", "/usr/bin/lynx", false}));
    EXPECT_FALSE(edit.chkUseDDE->toolTip().isEmpty());

    TfEditBrowser added({"", "", false}, true);
    EXPECT_TRUE(added.chkUseDDE->isChecked());
}

TEST(TfEditBrowser, TheLocationRefusesCharactersNoPathMayHold)
{
    TfEditBrowser edit({}, true);
    QTest::keyClicks(edit.txtBrowserLoc, QStringLiteral("/a\"b*c<d>e?f|g"));
    EXPECT_EQ(edit.txtBrowserLoc->text(), QStringLiteral("/abcdefg"));
}

TEST(TfEditBrowser, BrowsingSetsTheLocationAndNamesAnUnnamedEntry)
{
    TfEditBrowser edit({}, true);
    Scripted().fileNames = QStringList{"/opt/web/org.example.browser"};
    edit.btnBrowse->click();
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{"External Browser"});
    EXPECT_EQ(edit.Entry(), (TExternalBrowserInfo{"org.example", "/opt/web/org.example.browser", true}));

    Scripted().fileNames = QStringList{"/usr/bin/lynx"};
    edit.btnBrowse->click();
    EXPECT_EQ(edit.Entry(), (TExternalBrowserInfo{"org.example", "/usr/bin/lynx", true}));

    edit.btnBrowse->click(); // cancelled
    EXPECT_EQ(edit.txtBrowserLoc->text(), QStringLiteral("/usr/bin/lynx"));
}

TEST(TfEditBrowser, OkRefusesAnEmptyNameOrLocation)
{
    TfEditBrowser edit({}, true);
    ClickOk(edit);
    EXPECT_EQ(edit.result(), QDialog::Rejected);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.at(0).kind, TMsgKind::Warning);
    EXPECT_EQ(Scripted().messages.at(0).text, QStringLiteral("Please enter a name for this browser."));
    EXPECT_EQ(edit.focusWidget(), edit.txtBrowserName);

    edit.txtBrowserName->setText(QStringLiteral("Lynx"));
    EXPECT_FALSE(edit.CheckEntry());
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages.at(1).kind, TMsgKind::Warning);
    EXPECT_EQ(Scripted().messages.at(1).text, QStringLiteral("Please enter a location for this browser."));
    EXPECT_EQ(edit.focusWidget(), edit.txtBrowserLoc);

    edit.txtBrowserLoc->setText(QStringLiteral("/usr/bin/lynx"));
    ClickOk(edit);
    EXPECT_EQ(edit.result(), QDialog::Accepted);
    EXPECT_EQ(Scripted().messages.size(), 2);
}

TEST(TfEditBrowser, InternetExplorerWithDDEGetsANoteAndStillCloses)
{
    TfEditBrowser edit({"MSIE", "C:/Program Files/Internet Explorer/iexplore.exe", true}, false);
    EXPECT_TRUE(edit.CheckEntry());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.at(0).kind, TMsgKind::Information);
    EXPECT_TRUE(Scripted().messages.at(0).text.startsWith(
        QStringLiteral("For best results with Microsoft Internet Explorer, it is recommended")));

    edit.chkUseDDE->setChecked(false);
    EXPECT_TRUE(edit.CheckEntry());
    EXPECT_EQ(Scripted().messages.size(), 1);
}

TEST(TfEditBrowser, EditReturnsTheEntryOnOkAndNothingOnCancel)
{
    using Result = std::optional<TExternalBrowserInfo>;
    const TExternalBrowserInfo entry{"Lynx", "/usr/bin/lynx", false};
    const auto show = [&entry] { return TfEditBrowser::Edit(entry, false); };
    EXPECT_EQ((RunModal<TfEditBrowser, Result>(
                  [](TfEditBrowser &edit) {
                      edit.txtBrowserName->setText(QStringLiteral("Links"));
                      ClickOk(edit);
                  },
                  show)),
              (TExternalBrowserInfo{"Links", "/usr/bin/lynx", false}));
    EXPECT_EQ((RunModal<TfEditBrowser, Result>([](TfEditBrowser &edit) { edit.reject(); }, show)), std::nullopt);
}

TEST(TfFontSettings, TheBoxesShowAndReturnTheThreeStyleFlagsOnly)
{
    for (quint32 flags = 0; flags < 8; ++flags) {
        TfFontSettings form(0x123456, flags | 0x40000000);
        EXPECT_EQ(form.chkBold->isChecked(), bool(flags & 1));
        EXPECT_EQ(form.chkItalic->isChecked(), bool(flags & 2));
        EXPECT_EQ(form.chkUnderline->isChecked(), bool(flags & 4));
        EXPECT_EQ(form.Flags(), flags);
        EXPECT_EQ(form.Color(), 0x123456u);
    }
    TfFontSettings form(clBlack, fsBold);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Font Settings"));
    form.chkUnderline->click();
    form.chkBold->click();
    EXPECT_EQ(form.Flags(), fsUnderline);
}

TEST(TfFontSettings, TheColourButtonChangesTheColourAndSwatchAndKeepsCustomColours)
{
    TfFontSettings form(clBlack, 0);
    Scripted().colors = {std::nullopt};
    form.btnColor->click();
    EXPECT_EQ(form.Color(), clBlack);
    EXPECT_TRUE(ReadRegValue(QStringLiteral("Software\\Velicort\\CustomColors"), QStringLiteral("Color1"), QString())
                    .isEmpty());

    Scripted().colors = {TColor(0x0000FF)};
    form.btnColor->click();
    EXPECT_EQ(form.Color(), 0x0000FFu);
    EXPECT_EQ(form.shpColor->palette().color(QPalette::Window), ResolveColor(0x0000FF));
    EXPECT_EQ(Scripted().shownCustomColors.size(), 2);
    EXPECT_FALSE(ReadRegValue(QStringLiteral("Software\\Velicort\\CustomColors"), QStringLiteral("Color1"), QString())
                     .isEmpty());
}

TEST(TfFontSettings, EditReturnsColourAndFlagsOnOk)
{
    using Result = std::optional<std::pair<TColor, quint32>>;
    const auto show = [] { return TfFontSettings::Edit(0x00FF00, fsItalic); };
    EXPECT_EQ((RunModal<TfFontSettings, Result>(
                  [](TfFontSettings &form) {
                      form.chkBold->click();
                      ClickOk(form);
                  },
                  show)),
              std::pair(TColor(0x00FF00), fsBold | fsItalic));
    EXPECT_EQ((RunModal<TfFontSettings, Result>([](TfFontSettings &form) { form.reject(); }, show)), std::nullopt);
}

TEST(OptionDialog, EditorSettingsPresetCurrentDocumentOnly)
{
    TfOptionDialog form(ApplyDocSettingsDialog);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Editor Settings"));
    // Of a fixed size: window managers then draw no resize handle.
    form.show();
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    form.hide();
    EXPECT_TRUE(form.SecondOption()->isChecked());
    EXPECT_EQ(form.FirstOption()->text(), QStringLiteral("All open documents"));

    using Result = std::optional<bool>;
    const auto show = [] { return TfOptionDialog::Choose(ApplyDocSettingsDialog, nullptr); };
    EXPECT_EQ((RunModal<TfOptionDialog, Result>([](TfOptionDialog &ask) { ClickOk(ask); }, show)), false);
    EXPECT_EQ((RunModal<TfOptionDialog, Result>(
                  [](TfOptionDialog &ask) {
                      ask.FirstOption()->click();
                      ClickOk(ask);
                  },
                  show)),
              true);
    EXPECT_EQ((RunModal<TfOptionDialog, Result>([](TfOptionDialog &ask) { ask.reject(); }, show)), std::nullopt);
}

} // namespace
