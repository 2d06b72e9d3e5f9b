// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery options in the settings dialog, and the main window keeping
// and removing copies as it runs and closes.

#include "RecoveryController.h"
#include "ScriptedMessageService.h"
#include "TfMain.h"
#include "TfSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QSpinBox>

#include <gtest/gtest.h>

TEST(RecoverySettingsPage, ShowsAppliesAndStoresTheThreeOptions)
{
    TfMain window;
    TfSettings dialog(window.CurrentSettings(), TfSettings::pgGeneral);
    auto *copies = dialog.findChild<QCheckBox *>(QStringLiteral("chkRecoveryCopies"));
    auto *delay = dialog.findChild<QSpinBox *>(QStringLiteral("spnRecoveryDelay"));
    auto *reopen = dialog.findChild<QCheckBox *>(QStringLiteral("chkReopenSession"));
    ASSERT_TRUE(copies && delay && reopen);
    EXPECT_TRUE(copies->isChecked());
    EXPECT_EQ(delay->value(), 5);
    EXPECT_FALSE(reopen->isChecked());
    EXPECT_FALSE(dialog.Marks().Recovery);

    delay->setValue(9);
    reopen->setChecked(true);
    EXPECT_TRUE(dialog.Marks().Recovery);
    window.ApplySettings(dialog.State(), dialog.Marks());
    EXPECT_EQ(window.Recovery()->Options(), (TRecoveryOptions{true, 9, true}));
    EXPECT_EQ(ReadRecoveryOptions(), (TRecoveryOptions{true, 9, true}));
    EXPECT_EQ(window.CurrentSettings().Recovery, (TRecoveryOptions{true, 9, true}));
}

TEST(RecoveryMainWindow, KeepsCopiesWhileRunningAndRemovesThemAtExit)
{
    TfMain window;
    window.OpenCommandLine({});
    TRecoveryController *recovery = window.Recovery();
    window.ActiveEditor()->InsertTag(QStringLiteral("<p>typed</p>"), QString(), true);
    recovery->CopyNow();
    recovery->WaitForWrites();
    const QString folder = recovery->Folder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.vrc")}, QDir::Files).size(), 1);

    // "Save changes to [Untitled]?" No: the document goes, and with the
    // clean exit every copy.
    Scripted().answers = {TMsgResult::No};
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(folder).path()));
}
