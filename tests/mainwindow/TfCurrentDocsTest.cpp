// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfCurrentDocs.h"

#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "TfDocProperties.h"
#include "TvqFileView.h"
#include "WhenShown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString DocumentListKey = QStringLiteral("Software\\Velicort\\DocumentList");

// Two files and an untitled document between them.
class TfCurrentDocsTest : public testing::Test
{
protected:
    QStringList Names(const TfCurrentDocs &form, int column = fcName) const
    {
        QStringList names;
        for (int row = 0; row < form.vqOpenDocs->topLevelItemCount(); ++row)
            names.append(form.vqOpenDocs->topLevelItem(row)->text(column));
        return names;
    }

    QTemporaryDir dir;
    QString page = WriteTestFile(dir.filePath(QStringLiteral("page.htm")), QByteArray(2000, 'x'));
    QString style = WriteTestFile(dir.filePath(QStringLiteral("style.css")), QByteArray());
    QStringList paths = {page, QString(), style};
};

TEST_F(TfCurrentDocsTest, ListsTheDocumentsInTabOrderWithTheActiveOneSelected)
{
    TfCurrentDocs form(paths, 2);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Current Documents"));
    EXPECT_EQ(Names(form), (QStringList{page, "[Untitled]", style}));
    EXPECT_EQ(Names(form, fcSize), (QStringList{"2KB", "", "1KB"}));
    EXPECT_EQ(Names(form, fcType), (QStringList{"HTM", "", "CSS"}));
    EXPECT_FALSE(Names(form, fcModified)[0].isEmpty());
    EXPECT_TRUE(Names(form, fcModified)[1].isEmpty());
    EXPECT_EQ(TvqFileView::ItemPath(form.vqOpenDocs->topLevelItem(0)), page);
    EXPECT_EQ(TvqFileView::ItemPath(form.vqOpenDocs->topLevelItem(1)), QString());
    for (const int column : {fcType, fcDescription, fcCreated})
        EXPECT_TRUE(form.vqOpenDocs->isColumnHidden(column));
    for (const int column : {fcName, fcSize, fcModified})
        EXPECT_FALSE(form.vqOpenDocs->isColumnHidden(column));

    EXPECT_EQ(form.SelectedIndex(), 2);
    EXPECT_EQ(form.focusWidget(), form.vqOpenDocs);
    EXPECT_TRUE(form.btnSelect->isEnabled());
    form.show();
    EXPECT_EQ(form.vqOpenDocs->columnWidth(fcName), form.vqOpenDocs->width() / 2 - 12);
}

TEST_F(TfCurrentDocsTest, TheFullPathBoxSwitchesTheNamesAndIsSavedAtOnce)
{
    TfCurrentDocs form(paths, 0);
    EXPECT_TRUE(form.chkShowFullPaths->isChecked());
    form.chkShowFullPaths->click();
    EXPECT_EQ(Names(form), (QStringList{"page.htm", "[Untitled]", "style.css"}));
    EXPECT_EQ(ReadRegValue(DocumentListKey, QStringLiteral("OpenDocsShowFullPath"), QString()), QStringLiteral("0"));
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_EQ(TvqFileView::ItemPath(form.vqOpenDocs->topLevelItem(0)), page);

    TfCurrentDocs next(paths, 0);
    EXPECT_FALSE(next.chkShowFullPaths->isChecked());
    EXPECT_EQ(Names(next)[0], QStringLiteral("page.htm"));
    next.chkShowFullPaths->click();
    EXPECT_EQ(Names(next)[0], page);
    EXPECT_EQ(ReadRegValue(DocumentListKey, QStringLiteral("OpenDocsShowFullPath"), QString()), QStringLiteral("-1"));
}

TEST_F(TfCurrentDocsTest, SelectGivesTheChosenIndexAndNeedsASelectedRow)
{
    const auto choose = [this](const std::function<void(TfCurrentDocs &)> &act) {
        QTimer::singleShot(0, [act] {
            auto *form = qobject_cast<TfCurrentDocs *>(QApplication::activeModalWidget());
            ASSERT_TRUE(form);
            act(*form);
            if (form->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                form->reject();
            }
        });
        return TfCurrentDocs::ChooseDocument(paths, 2);
    };
    EXPECT_EQ(choose([](TfCurrentDocs &form) {
                  form.vqOpenDocs->SelectRow(1);
                  form.btnSelect->click();
              }),
              1);
    EXPECT_EQ(choose([](TfCurrentDocs &form) {
                  form.vqOpenDocs->SelectRow(0); // as the first click of a double click does
                  emit form.vqOpenDocs->itemDoubleClicked(form.vqOpenDocs->topLevelItem(0), 0);
              }),
              0);
    EXPECT_EQ(choose([](TfCurrentDocs &form) { form.btnCancel->click(); }), -1);

    TfCurrentDocs form(paths, -1);
    EXPECT_EQ(form.SelectedIndex(), -1);
    EXPECT_FALSE(form.btnSelect->isEnabled());
    form.vqOpenDocs->SelectRow(0);
    EXPECT_TRUE(form.btnSelect->isEnabled());
    form.vqOpenDocs->clearSelection();
    EXPECT_FALSE(form.btnSelect->isEnabled());
    emit form.vqOpenDocs->itemDoubleClicked(form.vqOpenDocs->topLevelItem(0), 0);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(TfCurrentDocsTest, PropertiesAreOfferedForRealFilesOnly)
{
    TfCurrentDocs form(paths, 1);
    QStringList commands;
    for (const QAction *action : form.mnuPopup->actions())
        commands.append(action->text());
    EXPECT_EQ(commands, (QStringList{"&Properties...", "Cancel"}));
    EXPECT_FALSE(form.mnuProperties->isEnabled()); // "[Untitled]"
    form.vqOpenDocs->SelectRow(0);
    ASSERT_TRUE(form.mnuProperties->isEnabled());
    QString shown;
    WhenShown<TfDocProperties>([&](TfDocProperties *properties) {
        shown = properties->edFileName->text();
        properties->accept();
    });
    form.mnuProperties->trigger();
    EXPECT_EQ(shown, QStringLiteral("page.htm"));
}

} // namespace
