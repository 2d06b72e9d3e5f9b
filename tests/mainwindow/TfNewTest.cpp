// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfNew.h"

#include "Paths.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "Templates.h"
#include "TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

const QString Filter = QStringLiteral("All Files (*)");
const QStringList ShippedNames = {
    "Article", "Blank Page", "Default Template", "Form", "Frameset", "HTML 4.01 Transitional", "Two Columns"};

// Templates in a user folder of their own, which need not exist yet.
class TfNewTest : public testing::Test
{
protected:
    void SetUserFolder(const QString &folder)
    {
        WriteRegValue(QStringLiteral("Software\\Velicort"), QStringLiteral("TemplateDir"), folder);
    }
    void SetUp() override { SetUserFolder(userFolder); }

    QString UserTemplate(const QString &fileName, const QByteArray &content = "<body>\r\n")
    {
        QDir().mkpath(userFolder);
        return WriteTestFile(QDir(userFolder).filePath(fileName), content);
    }
    static QStringList Entries(const TfNew &form)
    {
        QStringList entries;
        for (int i = 0; i < form.lstTemplates->count(); ++i)
            entries.append(form.lstTemplates->item(i)->text());
        return entries;
    }
    static void Select(TfNew &form, const QString &name)
    {
        const QList<QListWidgetItem *> items = form.lstTemplates->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        form.lstTemplates->setCurrentItem(items.first());
    }
    static QByteArray Content(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir dir;
    QString userFolder = dir.filePath(QStringLiteral("user/Templates"));
};

// Runs the chooser modally while act works the dialog; act must close it.
std::optional<QString> Choose(const std::function<void(TfNew &)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *form = qobject_cast<TfNew *>(QApplication::activeModalWidget());
        ASSERT_TRUE(form);
        act(*form);
        if (form->isVisible()) {
            ADD_FAILURE() << "the chooser is still open";
            form->reject();
        }
    });
    return TfNew::ChooseTemplate(Filter);
}

TEST_F(TfNewTest, ListsBlankDocumentThenTheTemplatesOfBothFoldersSortedWithoutCase)
{
    UserTemplate(QStringLiteral("zebra.vct"));
    UserTemplate(QStringLiteral("Aardvark.VCT"));
    const QString ownBlankPage = UserTemplate(QStringLiteral("blank page.vct"));
    UserTemplate(QStringLiteral("notes.txt"));

    QStringList expected = ShippedNames;
    expected.removeOne(QStringLiteral("Blank Page"));
    expected << "zebra"
             << "Aardvark"
             << "blank page";
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(TemplateNames(), expected);
    EXPECT_EQ(expected.first(), QStringLiteral("Aardvark"));

    EXPECT_EQ(TemplatePath(QStringLiteral("BLANK PAGE")), ownBlankPage);
    EXPECT_FALSE(IsShippedTemplate(QStringLiteral("Blank Page")));
    EXPECT_EQ(TemplatePath(QStringLiteral("form")), DataFilePath(QStringLiteral("Templates/Form.vct")));
    EXPECT_TRUE(IsShippedTemplate(QStringLiteral("Form")));
    EXPECT_TRUE(TemplatePath(QStringLiteral("Missing")).isEmpty());
    EXPECT_FALSE(IsShippedTemplate(QStringLiteral("Missing")));

    TfNew form(Filter);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("New HTML Document"));
    EXPECT_EQ(
        form.lblPrompt->text(),
        QStringLiteral("Select from an existing template, or choose \"Blank Document\" to start with an empty page:"));
    EXPECT_EQ(Entries(form), QStringList{"Blank Document"} + expected);
    EXPECT_EQ(form.SelectedTemplate(), QString());
}

TEST_F(TfNewTest, ShippedTemplatesAreUtf8WithCrLfAndABodyStartTag)
{
    const QDir shipped(DataFilePath(QStringLiteral("Templates")));
    ASSERT_EQ(shipped.entryList({"*.vct"}, QDir::Files, QDir::Name | QDir::IgnoreCase), [] {
        QStringList files;
        for (const QString &name : ShippedNames)
            files << name + ".vct";
        return files;
    }());
    for (const QString &name : ShippedNames) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = Content(shipped.filePath(name + ".vct"));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        EXPECT_FALSE(utf8.hasError());
        EXPECT_TRUE(text.contains(QStringLiteral("<body"), Qt::CaseInsensitive));
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
        EXPECT_TRUE(bytes.endsWith("</html>\r\n") || bytes.endsWith("</HTML>\r\n"));
    }
}

TEST_F(TfNewTest, ChoosingGivesEmptyForBlankTheTemplateFileOrNothingOnCancel)
{
    const QString own = UserTemplate(QStringLiteral("Own.vct"));
    EXPECT_EQ(Choose([](TfNew &form) { form.btnOK->click(); }), QString());
    EXPECT_EQ(Choose([](TfNew &form) {
                  Select(form, QStringLiteral("Own"));
                  form.btnOK->click();
              }),
              own);
    EXPECT_EQ(Choose([](TfNew &form) {
                  Select(form, QStringLiteral("Frameset"));
                  emit form.lstTemplates->itemDoubleClicked(form.lstTemplates->currentItem());
              }),
              DataFilePath(QStringLiteral("Templates/Frameset.vct")));
    EXPECT_EQ(Choose([](TfNew &form) {
                  form.lstTemplates->clearSelection();
                  form.btnOK->click();
                  EXPECT_TRUE(form.isVisible()); // OK needs a selected entry
                  form.btnCancel->click();
              }),
              std::nullopt);
}

TEST_F(TfNewTest, NewTemplateCopiesTheChosenFileUnderTheNameGiven)
{
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("page.htm")), "<html><body>\r\nOne\r\n");
    TfNew form(Filter);
    Scripted().fileNames = {page};
    Scripted().inputs = {QStringLiteral(" My Page ")};
    form.btnNewTemplate->click();

    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{"Select a file to create a template from:"});
    ASSERT_EQ(Scripted().inputQueries.size(), 1);
    EXPECT_EQ(Scripted().inputQueries[0].caption, QStringLiteral("Template Name"));
    EXPECT_EQ(Scripted().inputQueries[0].prompt, QStringLiteral("Enter a name for this template:"));
    EXPECT_EQ(Scripted().inputQueries[0].value, QStringLiteral("page"));
    const QString created = QDir(userFolder).filePath(QStringLiteral("My Page.vct"));
    EXPECT_EQ(Content(created), "<html><body>\r\nOne\r\n");
    EXPECT_EQ(form.SelectedTemplate(), created);
    EXPECT_TRUE(Entries(form).contains(QStringLiteral("My Page")));

    // The same name in other case replaces the template, even a read-only one.
    QFile::setPermissions(created, QFile::ReadOwner);
    const QString other = WriteTestFile(dir.filePath(QStringLiteral("other.htm")), "<BODY>\r\nTwo\r\n");
    QFile::setPermissions(other, QFile::ReadOwner);
    Scripted().fileNames = {other};
    Scripted().inputs = {QStringLiteral("MY PAGE")};
    form.btnNewTemplate->click();
    EXPECT_EQ(Content(created), "<BODY>\r\nTwo\r\n");
    EXPECT_TRUE(QFileInfo(created).permissions() & QFile::WriteOwner);
    EXPECT_EQ(QDir(userFolder).entryList(QDir::Files), QStringList{"My Page.vct"});

    // A template made again from itself stays as it is.
    Scripted().fileNames = {created};
    Scripted().inputs = {QStringLiteral("My Page")};
    form.btnNewTemplate->click();
    EXPECT_EQ(Content(created), "<BODY>\r\nTwo\r\n");
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(TfNewTest, NewTemplateWritesNothingWhenCancelledOrBadlyNamed)
{
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("page.htm")), "<body>\r\n");
    TfNew form(Filter);
    form.btnNewTemplate->click(); // the file dialog cancelled
    EXPECT_TRUE(Scripted().inputQueries.isEmpty());

    Scripted().fileNames = {page};
    Scripted().inputs = {std::nullopt};
    form.btnNewTemplate->click();
    EXPECT_TRUE(Scripted().messages.isEmpty());

    for (const QString name : {"", "  ", "sub/page", "a\\b", "what?", "tab\there"}) {
        SCOPED_TRACE(name.toStdString());
        Scripted().messages.clear();
        Scripted().fileNames = {page};
        Scripted().inputs = {name};
        form.btnNewTemplate->click();
        ASSERT_EQ(Scripted().messages.size(), 1);
        EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Error);
    }
    EXPECT_FALSE(QFileInfo::exists(userFolder));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("user/Templates/sub"))));
}

TEST_F(TfNewTest, NewTemplateReportsTheSystemErrorWhenTheCopyFails)
{
    const QString page = WriteTestFile(dir.filePath(QStringLiteral("page.htm")), "<body>\r\n");
    TfNew form(Filter);
    // The source vanished after it was chosen.
    Scripted().fileNames = {dir.filePath(QStringLiteral("gone.htm"))};
    Scripted().inputs = {QStringLiteral("Gone")};
    form.btnNewTemplate->click();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Error);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Error creating template (#%1).").arg(ENOENT));

    // The user folder's place is taken by a plain file.
    const QString taken = WriteTestFile(dir.filePath(QStringLiteral("taken")), "x");
    SetUserFolder(taken);
    Scripted().messages.clear();
    Scripted().fileNames = {page};
    Scripted().inputs = {QStringLiteral("Page")};
    form.btnNewTemplate->click();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Error creating template \\(#[1-9][0-9]*\\)\\.$"))
                    .match(Scripted().messages[0].text)
                    .hasMatch())
        << Scripted().messages[0].text.toStdString();
    EXPECT_EQ(Content(taken), "x");
}

TEST_F(TfNewTest, DeleteTemplateTrashesOnlyTheUsersOwnTemplates)
{
    // A fresh home: the trash is made there, never in the user's own.
    const auto restoreHome = qScopeGuard([old = qgetenv("HOME")] { qputenv("HOME", old); });
    qputenv("HOME", QFile::encodeName(dir.path()));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    ASSERT_TRUE(trash.startsWith(dir.path()));
    const QString own = UserTemplate(QStringLiteral("Own.vct"));
    const QString ownForm = UserTemplate(QStringLiteral("Form.vct"));
    TfNew form(Filter);

    form.btnDeleteTemplate->click(); // "Blank Document"
    Select(form, QStringLiteral("Two Columns"));
    form.btnDeleteTemplate->click();
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("The blank document template cannot be deleted."));
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Information);
    EXPECT_EQ(Scripted().messages[1].kind, TMsgKind::Information);
    EXPECT_TRUE(QFileInfo::exists(DataFilePath(QStringLiteral("Templates/Two Columns.vct"))));

    Scripted().messages.clear();
    Scripted().answers = {TMsgResult::No, TMsgResult::Yes};
    Select(form, QStringLiteral("Own"));
    form.btnDeleteTemplate->click();
    EXPECT_TRUE(QFileInfo::exists(own));
    EXPECT_TRUE(Entries(form).contains(QStringLiteral("Own")));
    form.btnDeleteTemplate->click();
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("Are you sure you want to send 'Own.vct' to the Trash?"));
    EXPECT_FALSE(QFileInfo::exists(own));
    EXPECT_TRUE(QFileInfo::exists(trash + QStringLiteral("/files/Own.vct")));
    EXPECT_FALSE(Entries(form).contains(QStringLiteral("Own")));

    // Deleting the user's copy brings the shipped template back.
    Select(form, QStringLiteral("Form"));
    form.btnDeleteTemplate->click();
    EXPECT_FALSE(QFileInfo::exists(ownForm));
    EXPECT_EQ(form.SelectedTemplate(), DataFilePath(QStringLiteral("Templates/Form.vct")));
}

} // namespace
