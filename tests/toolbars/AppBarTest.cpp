// SPDX-License-Identifier: GPL-3.0-or-later
// The application launch bar: how a command line becomes the arguments of
// the program, the stored buttons, and the configuration dialog.

#include "AppLaunch.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TfAppBarCustomize.h"
#include "TvqAppBar.h"
#include "TvqAppButton.h"
#include "WhenShown.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("Software\\Velicort\\AppBar1");

TEST(AppLaunch, TheCurrentFileIsOneArgumentWhateverItHolds)
{
    const QString file = QStringLiteral("/tmp/my \"page\"; rm -rf ~ $HOME `id`.htm");
    const struct
    {
        const char *commandLine;
        QStringList expected;
    } cases[] = {
        {"%CURRENT%", {file}},
        {"\"%CURRENT%\"", {file}},
        {"-a %current% --then \"%CURRENT%\"", {"-a", file, "--then", file}},
        {"--file=%Current%", {QStringLiteral("--file=") + file}},
        {"\"two words\"  plain\\path \"q\\\"uote\" \"back\\\\slash\"",
         {"two words", "plain\\path", "q\"uote", "back\\slash"}},
        {"\"unclosed quote", {"unclosed quote"}},
        {"\"\" %CURRENT%x", {"", file + u'x'}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LaunchArguments(QString::fromUtf8(c.commandLine), file), c.expected) << c.commandLine;
}

TEST(AppLaunch, AnUntitledDocumentLeavesNoBareArgument)
{
    EXPECT_EQ(LaunchArguments(QStringLiteral("-n %CURRENT% -x"), QString()), (QStringList{"-n", "-x"}));
    EXPECT_EQ(LaunchArguments(QStringLiteral("-n \"%CURRENT%\""), QString()), (QStringList{"-n", ""}));
}

TEST(AppLaunch, AFileNameHoldingTheTokenIsPutInOnce)
{
    const QString file = QStringLiteral("/tmp/%current%.htm");
    EXPECT_EQ(LaunchArguments(QStringLiteral("%CURRENT%"), file), QStringList{file});
    EXPECT_TRUE(HasCurrentFileToken(QStringLiteral("x %cUrReNt%")));
    EXPECT_FALSE(HasCurrentFileToken(QStringLiteral("x %CURRENT")));
}

TEST(AppBar, StoredButtonsLoadUpToTheFirstGap)
{
    WriteRegValue(Key, QStringLiteral("Button0_AppName"), QStringLiteral("Editor"));
    WriteRegValue(Key, QStringLiteral("Button0_AppFilename"), QStringLiteral("/usr/bin/editor"));
    WriteRegValue(Key, QStringLiteral("Button0_CommandLine"), QStringLiteral("%CURRENT%"));
    WriteRegValue(Key, QStringLiteral("Button2_AppName"), QStringLiteral("Lost"));
    TvqAppBar bar;
    bar.SetRegistryLocation(Key);
    bar.ReadFromRegistry();
    EXPECT_EQ(bar.VisibleCount(), 1);
    EXPECT_EQ(bar.Slot(0)->AppName(), QStringLiteral("Editor"));
    EXPECT_EQ(bar.Slot(0)->toolTip(), QStringLiteral("Editor"));
    EXPECT_EQ(bar.Slot(0)->AppFilename(), QStringLiteral("/usr/bin/editor"));
    EXPECT_EQ(bar.Slot(0)->CommandLine(), QStringLiteral("%CURRENT%"));

    // Writing stores what is in use and nothing of the old list.
    bar.WriteToRegistry();
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Button2_AppName"), QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Button0_CommandLine"), QString()), QStringLiteral("%CURRENT%"));
}

TEST(AppBar, AllSixteenStoredButtonsLoad)
{
    for (int n = 0; n < 17; ++n)
        WriteRegValue(Key, QStringLiteral("Button%1_AppName").arg(n), QString::number(n));
    TvqAppBar bar;
    bar.SetRegistryLocation(Key);
    bar.ReadFromRegistry();
    EXPECT_EQ(bar.VisibleCount(), TvqAppBar::SlotCount);
}

TEST(AppBar, WithoutAKeyNothingIsReadOrWritten)
{
    TvqAppBar bar;
    bar.ReadFromRegistry();
    bar.SetSlotInUse(0, true);
    bar.WriteToRegistry();
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("TvqAppBar.ReadFromRegistry Error - FRegLoc Unassigned"));
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("TvqAppBar.WriteToRegistry Error - FRegLoc Unassigned"));
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
}

TEST(AppBar, AButtonKeepsItsPictureWhenTheFileHasNone)
{
    TvqAppButton button;
    const qint64 before = button.icon().cacheKey();
    button.SetAppFilename(QStringLiteral("/no/such/program"));
    EXPECT_EQ(button.icon().cacheKey(), before);
    EXPECT_EQ(button.AppFilename(), QStringLiteral("/no/such/program"));
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    QFile(page).open(QIODevice::WriteOnly);
    button.SetAppFilename(page);
    EXPECT_NE(button.icon().cacheKey(), before);
    EXPECT_EQ(button.icon().availableSizes().value(0), QSize(18, 18));
}

class AppBarCustomize : public testing::Test
{
protected:
    // A bar with the named programs in its first slots.
    void Fill(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            m_bar.Slot(i)->SetAppName(names[i]);
            m_bar.Slot(i)->SetAppFilename(QStringLiteral("/opt/") + names[i]);
            m_bar.Slot(i)->SetCommandLine(QStringLiteral("-") + names[i]);
            m_bar.SetSlotInUse(i, true);
        }
    }
    QStringList Names(const TvqAppBar &bar) const
    {
        QStringList names;
        for (int i = 0; i < bar.VisibleCount(); ++i)
            names.append(bar.Slot(i)->AppName());
        return names;
    }
    void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    TvqAppBar m_bar;
};

TEST_F(AppBarCustomize, AddTakesThePickedProgramUpToFifteen)
{
    Fill({"a"});
    TfAppBarCustomize dialog(m_bar);
    EXPECT_EQ(dialog.txtAppName->text(), QStringLiteral("a"));
    dialog.txtCommandLine->setText(QStringLiteral("edited"));
    Scripted().fileNames = {QStringLiteral("/usr/bin/gimp")};
    Click(dialog.btnAdd);
    EXPECT_EQ(dialog.vqAppBar->Slot(0)->CommandLine(), QStringLiteral("edited")); // stored first
    EXPECT_EQ(dialog.Selected(), 1);
    EXPECT_TRUE(dialog.vqAppBar->Slot(1)->isChecked());
    EXPECT_EQ(dialog.txtAppName->text(), QStringLiteral("gimp"));
    EXPECT_EQ(dialog.txtAppFilename->text(), QStringLiteral("/usr/bin/gimp"));
    EXPECT_TRUE(dialog.txtCommandLine->text().isEmpty());
    EXPECT_EQ(Scripted().fileDialogFilters.value(0), AppBarProgramFilter());

    // A cancelled file dialog adds nothing.
    Click(dialog.btnAdd);
    EXPECT_EQ(dialog.vqAppBar->VisibleCount(), 2);

    Fill({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"});
    TfAppBarCustomize full(m_bar);
    Scripted().Reset();
    Scripted().fileNames = {QStringLiteral("/usr/bin/sixteenth")};
    Click(full.btnAdd);
    EXPECT_TRUE(Scripted().fileDialogCaptions.isEmpty());
    EXPECT_EQ(full.vqAppBar->VisibleCount(), 15);
}

TEST_F(AppBarCustomize, AnEmptyBarDisablesTheFieldsUntilAdd)
{
    TfAppBarCustomize dialog(m_bar);
    EXPECT_FALSE(dialog.grpFields->isEnabled());
    Scripted().fileNames = {QStringLiteral("/usr/bin/gimp")};
    Click(dialog.btnAdd);
    EXPECT_TRUE(dialog.grpFields->isEnabled());
    EXPECT_EQ(dialog.Selected(), 0);
}

TEST_F(AppBarCustomize, SelectingAButtonStoresTheFieldsFirst)
{
    Fill({"a", "b"});
    TfAppBarCustomize dialog(m_bar);
    dialog.txtAppName->setText(QStringLiteral("renamed"));
    dialog.vqAppBar->Slot(1)->click();
    EXPECT_EQ(dialog.vqAppBar->Slot(0)->AppName(), QStringLiteral("renamed"));
    EXPECT_EQ(dialog.vqAppBar->Slot(0)->toolTip(), QStringLiteral("renamed"));
    EXPECT_EQ(dialog.txtAppName->text(), QStringLiteral("b"));
    EXPECT_EQ(dialog.txtCommandLine->text(), QStringLiteral("-b"));
    EXPECT_TRUE(dialog.vqAppBar->Slot(1)->isChecked());
    EXPECT_FALSE(dialog.vqAppBar->Slot(0)->isChecked());
}

TEST_F(AppBarCustomize, BrowseNamesAnUnnamedButtonAfterItsFile)
{
    Fill({"a"});
    TfAppBarCustomize dialog(m_bar);
    dialog.txtAppName->clear();
    Scripted().fileNames = {QStringLiteral("/usr/bin/inkscape")};
    Click(dialog.btnBrowse);
    EXPECT_EQ(dialog.txtAppFilename->text(), QStringLiteral("/usr/bin/inkscape"));
    EXPECT_EQ(dialog.vqAppBar->Slot(0)->AppName(), QStringLiteral("inkscape"));
}

TEST_F(AppBarCustomize, DeleteMovesTheLaterButtonsDown)
{
    Fill({"a", "b", "c"});
    TfAppBarCustomize dialog(m_bar);
    Click(dialog.btnDelete);
    EXPECT_EQ(Names(*dialog.vqAppBar), (QStringList{"b", "c"}));
    EXPECT_EQ(dialog.vqAppBar->Slot(0)->CommandLine(), QStringLiteral("-b"));
    EXPECT_EQ(dialog.txtAppName->text(), QStringLiteral("b"));

    // Deleting the last selects the new last.
    dialog.vqAppBar->Slot(1)->click();
    Click(dialog.btnDelete);
    EXPECT_EQ(Names(*dialog.vqAppBar), QStringList{"b"});
    EXPECT_EQ(dialog.Selected(), 0);
    EXPECT_TRUE(dialog.vqAppBar->Slot(0)->isChecked());
    EXPECT_EQ(dialog.txtAppFilename->text(), QStringLiteral("/opt/b"));

    // Deleting the only one clears and disables the fields.
    Click(dialog.btnDelete);
    EXPECT_EQ(dialog.vqAppBar->VisibleCount(), 0);
    EXPECT_TRUE(dialog.txtAppName->text().isEmpty());
    EXPECT_TRUE(dialog.txtAppFilename->text().isEmpty());
    EXPECT_TRUE(dialog.txtCommandLine->text().isEmpty());
    EXPECT_FALSE(dialog.grpFields->isEnabled());
    Click(dialog.btnDelete); // nothing left: nothing happens
    EXPECT_EQ(dialog.vqAppBar->VisibleCount(), 0);
}

TEST_F(AppBarCustomize, OkStoresTheButtonsAndCancelKeepsTheOldOnes)
{
    Fill({"a", "b"});
    m_bar.SetRegistryLocation(Key);
    WhenShown<TfAppBarCustomize>([](TfAppBarCustomize *dialog) {
        dialog->txtCommandLine->setText(QStringLiteral("changed"));
        dialog->btnDelete->click();
        dialog->reject();
    });
    EXPECT_FALSE(m_bar.Customize());
    EXPECT_EQ(Names(m_bar), (QStringList{"a", "b"}));
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));

    WhenShown<TfAppBarCustomize>([](TfAppBarCustomize *dialog) {
        dialog->vqAppBar->Slot(1)->click();
        dialog->txtCommandLine->setText(QStringLiteral("--view \"%CURRENT%\""));
        dialog->vqAppBar->Slot(0)->click();
        dialog->btnDelete->click();
        dialog->accept();
    });
    EXPECT_TRUE(m_bar.Customize());
    EXPECT_EQ(Names(m_bar), QStringList{"b"});
    EXPECT_EQ(m_bar.Slot(0)->CommandLine(), QStringLiteral("--view \"%CURRENT%\""));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Button0_CommandLine"), QString()),
              QStringLiteral("--view \"%CURRENT%\""));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Button1_AppName"), QStringLiteral("none")), QStringLiteral("none"));
}

} // namespace
