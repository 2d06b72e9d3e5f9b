// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfSettings.h"

#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TfMain.h"
#include "TvqHTMLTab.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString Velicort = QStringLiteral("Software\\Velicort");
const QString Mappings = QStringLiteral("Software\\Velicort\\URLMappings");

TEST(Settings, CancelWritesOnlyTheMappingHistories)
{
    TfMain window;
    TSettingsState state = window.CurrentSettings();
    state.MapFrom = QStringLiteral("/srv/www");
    TfSettings dialog(state, TfSettings::pgInternalBrowser, &window);
    EXPECT_EQ(dialog.Pages()->currentIndex(), int(TfSettings::pgInternalBrowser));
    dialog.findChild<QSpinBox *>(QStringLiteral("txtTabWidth"))->setValue(44);
    dialog.reject();
    EXPECT_EQ(ReadRegValue(Mappings + QStringLiteral("\\MapFrom"), QStringLiteral("Item0"), QString()),
              QStringLiteral("/srv/www"));
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("TabWidth"), QStringLiteral("unset")), QStringLiteral("unset"));
}

TEST(Settings, ExtensionsAreCheckedAsTheyAreAdded)
{
    TSettingsState state;
    state.HTMLExtensions = {"HTM"};
    TfSettings dialog(state, TfSettings::pgFiles);
    const auto add = [&](const QString &text) {
        Scripted().Reset();
        Scripted().inputs = {text};
        dialog.AddExtension();
        return Scripted().messages.isEmpty() ? QString() : Scripted().messages[0].text;
    };
    EXPECT_EQ(add(QStringLiteral("htm")), QStringLiteral("This extension already exists in the list."));
    EXPECT_EQ(add(QStringLiteral(".htm")),
              QStringLiteral("A file extension cannot contain the following characters:\r\n\\/:*?\"<>|."));
    EXPECT_EQ(add(QStringLiteral("  ")), QStringLiteral("File extensions must be at least one character in length."));
    EXPECT_FALSE(dialog.Marks().Extensions);
    EXPECT_TRUE(add(QStringLiteral("php")).isEmpty());
    EXPECT_TRUE(dialog.Marks().Extensions);
    EXPECT_EQ(dialog.State().HTMLExtensions, (QStringList{"HTM", "PHP"}));

    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lstExtensions"));
    list->setCurrentRow(1);
    dialog.DeleteExtension();
    Scripted().Reset();
    list->setCurrentRow(0);
    dialog.DeleteExtension(); // the last one stays
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("At least one extension must be specified."));
    EXPECT_EQ(dialog.State().HTMLExtensions, QStringList{"HTM"});
}

TEST(Settings, AnEmptyDefaultExtensionIsRefusedAndBlanksGo)
{
    TSettingsState state;
    state.HTMLExtensions = {"HTM"};
    state.DefaultExtension = QStringLiteral("html");
    TfSettings dialog(state, TfSettings::pgGeneral);
    auto *extension = dialog.findChild<QLineEdit *>(QStringLiteral("txtDefaultExt"));
    extension->setText(QStringLiteral("  "));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open
    EXPECT_EQ(dialog.Pages()->currentIndex(), int(TfSettings::pgFiles));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File extensions must be at least one character in length."));

    extension->setText(QStringLiteral(" htm "));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.State().DefaultExtension, QStringLiteral("htm"));

    // The template is looked for among the documents of the extensions.
    dialog.findChild<QPushButton *>(QStringLiteral("btnTemplateBrowse"))->click();
    ASSERT_EQ(Scripted().fileDialogFilters.size(), 1);
    EXPECT_TRUE(Scripted().fileDialogFilters[0].startsWith(QStringLiteral("HTML Documents (*.htm *.HTM)")))
        << Scripted().fileDialogFilters[0].toStdString();

    // Extensions added with blanks around them are stored without.
    Scripted().inputs = {QStringLiteral(" php ")};
    dialog.AddExtension();
    EXPECT_EQ(dialog.State().HTMLExtensions, (QStringList{"HTM", "PHP"}));
}

TEST(Settings, AtMostFifteenBrowsers)
{
    TSettingsState state;
    for (int i = 0; i < 15; ++i)
        state.Browsers.append({QStringLiteral("Browser %1").arg(i), QStringLiteral("/usr/bin/b%1").arg(i), true});
    TfSettings dialog(state, TfSettings::pgExternalBrowser);
    dialog.AddBrowser();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("A maximum of 15 browsers may be specified."));
    EXPECT_EQ(dialog.State().Browsers.size(), 15);
}

TEST(Settings, OkAppliesAndWritesTheMarkedGroups)
{
    TfMain window;
    TSettingsState state = window.CurrentSettings();
    state.MicrosoftMultimedia = false;
    state.TabWidth = 32;
    state.DefaultExtension = QStringLiteral("htm");
    state.SpeedbarPages[0] = false; // Fonts
    TSettingsMarks marks;
    marks.General = marks.TabWidth = marks.DefaultExt = marks.Speedbar = true;
    window.ApplySettings(state, marks);

    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("MultimediaFormat"), QString()), QStringLiteral("1"));
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("TabWidth"), QString()), QStringLiteral("32"));
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("DefaultExtension"), QString()), QStringLiteral("htm"));
    EXPECT_EQ(ReadRegValue(QStringLiteral("Software\\Velicort\\SpeedBar"), QStringLiteral("Fonts_Visible"), QString()),
              QStringLiteral("0"));
    EXPECT_EQ(window.ActiveEditor()->TabWidth(), 32);
    // What was not marked is not written.
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("DocumentTemplate"), QStringLiteral("unset")),
              QStringLiteral("unset"));

    // The dialog opened again shows the new state.
    const TSettingsState again = window.CurrentSettings();
    EXPECT_FALSE(again.MicrosoftMultimedia);
    EXPECT_EQ(again.TabWidth, 32);
    EXPECT_FALSE(again.SpeedbarPages[0]);
    TfSettings dialog(again, TfSettings::pgGeneral);
    EXPECT_EQ(dialog.State().TabWidth, 32);
    EXPECT_FALSE(dialog.Marks().TabWidth);
}

TEST(Settings, TheBookmarkFileIsKeptForTheAnchorDialog)
{
    TfMain window;
    TfSettings dialog(window.CurrentSettings(), TfSettings::pgFiles);
    auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("txtBookmarkFile"));
    ASSERT_NE(file, nullptr);
    QTest::keyClicks(file, QStringLiteral("/home/me/bookmarks.html"));
    EXPECT_TRUE(dialog.Marks().BookmarkFile);
    window.ApplySettings(dialog.State(), dialog.Marks());
    EXPECT_EQ(ReadRegValue(Velicort, QStringLiteral("BookmarkFile"), QString()),
              QStringLiteral("/home/me/bookmarks.html"));
    EXPECT_EQ(window.CurrentSettings().BookmarkFile, QStringLiteral("/home/me/bookmarks.html"));
}

TEST(Settings, NewColoursForTheCurrentDocumentOnly)
{
    TfMain window;
    window.ActiveEditor()->SetModified(true); // so that it stays when another opens
    window.Documents()->AddDocument(QString(), ccFull, 0);
    ASSERT_EQ(window.Documents()->DocumentCount(), 2);
    TvqRichHTML *other = window.Documents()->Editor(0);
    const TStylePair before = other->StylePair(scImages);
    TSettingsState state = window.CurrentSettings();
    state.Styles[scImages - 1] = {1, 0x0000FF};
    TSettingsMarks marks;
    marks.EditorFont = true;
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->accept(); // "Current document only" is the preset
    });
    window.ApplySettings(state, marks);
    EXPECT_EQ(window.ActiveEditor()->StylePair(scImages), (TStylePair{1, 0x0000FF}));
    EXPECT_EQ(other->StylePair(scImages), before);
    // The settings store receives the new classes either way.
    TvqRichHTML fresh;
    fresh.ReadFontSettings(QStringLiteral("Software\\Velicort\\ColorCoding"));
    EXPECT_EQ(fresh.StylePair(scImages), (TStylePair{1, 0x0000FF}));
}

} // namespace
