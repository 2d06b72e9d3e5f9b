// SPDX-License-Identifier: GPL-3.0-or-later
#include "Shell.h"

#include "ScriptedMessageService.h"
#include "TestFiles.h"
#include "Unprivileged.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Takes the desktop's place for "file" and "http" addresses while it lives,
// so that no test starts a real program.
class TUrlCatcher : public QObject
{
    Q_OBJECT
public:
    TUrlCatcher()
    {
        for (const QString &scheme : Schemes())
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~TUrlCatcher() override
    {
        for (const QString &scheme : Schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl &url) { opened.append(url); }

private:
    static QStringList Schemes() { return {QStringLiteral("file"), QStringLiteral("http")}; }
};

QString WriteFile(const QString &path)
{
    return WriteTestFile(path, "<p>Hello</p>");
}

TEST(Shell, OpeningAFileOrAddressHandsItToTheDesktop)
{
    QTemporaryDir dir;
    const QString page = WriteFile(dir.filePath(QStringLiteral("page.htm")));
    const QString address = QStringLiteral("http://example.com/a.htm");
    TUrlCatcher catcher;
    EXPECT_GT(ShellOpenFile(page), 32);
    EXPECT_GT(ShellOpenFile(address), 32);
    EXPECT_EQ(catcher.opened, QList<QUrl>({QUrl::fromLocalFile(page), QUrl(address)}));
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST(Shell, OpeningAFileThatCannotBeOpenedReportsWhy)
{
    QTemporaryDir dir;
    const QString closed = WriteFile(dir.filePath(QStringLiteral("closed.htm")));
    TUnprivileged::MakeWorldReadable(dir.path());
    ASSERT_TRUE(QFile::setPermissions(closed, QFile::WriteOwner));
    const QString missing = dir.filePath(QStringLiteral("missing.htm"));
    const std::tuple<QString, int, const char *> cases[] = {
        {missing, 2, "File not found"},
        {QUrl::fromLocalFile(missing).toString(), 2, "File not found"},
        {closed, 5, "Access denied."},
    };
    TUrlCatcher catcher;
    TUnprivileged unprivileged;
    for (const auto &[path, code, text] : cases) {
        SCOPED_TRACE(path.toStdString());
        Scripted().messages.clear();
        EXPECT_EQ(ShellOpenFile(path), code);
        ASSERT_EQ(Scripted().messages.size(), 1);
        EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Error);
        EXPECT_EQ(Scripted().messages[0].text, QLatin1String(text));
    }
    EXPECT_TRUE(catcher.opened.isEmpty());
}

TEST(Shell, FilePropertiesShowNamesAsPlainText)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTemporaryDir dir;
    const QString page = WriteFile(dir.filePath(QStringLiteral("<b>x.htm")));
    QStringList rows;
    for (const TFileProperty &row : FileProperties(page))
        rows.append(row.label + u' ' + row.value);
    EXPECT_TRUE(rows.contains(QStringLiteral("Name: <b>x.htm")));
    EXPECT_TRUE(rows.contains(QStringLiteral("Size: 12 bytes")));
    EXPECT_TRUE(rows.contains(QStringLiteral("Hidden: No")));
    QLocale::setDefault(saved);

    QPointer<QDialog> window = ShowFileProperties(page);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("<b>x.htm Properties"));
    bool plainName = false;
    for (const QLabel *label : window->findChildren<QLabel *>())
        plainName |= label->text() == QLatin1String("<b>x.htm") && label->textFormat() == Qt::PlainText;
    EXPECT_TRUE(plainName);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
}

TEST(Shell, DeleteToRecycleBinMovesAFileToTheTrashWhenConfirmed)
{
    // A fresh home: the trash is made there, never in the user's own.
    QTemporaryDir home;
    const auto restoreHome = qScopeGuard([old = qgetenv("HOME")] { qputenv("HOME", old); });
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    ASSERT_TRUE(trash.startsWith(home.path()));
    const QString page = WriteFile(home.filePath(QStringLiteral("page.htm")));

    Scripted().answers = {TMsgResult::No, TMsgResult::Yes};
    EXPECT_FALSE(DeleteToRecycleBin(page, true));
    EXPECT_TRUE(QFile::exists(page));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Are you sure you want to send 'page.htm' to the Trash?"));
    EXPECT_EQ(Scripted().messages[0].buttons, TMsgButtons::YesNo);

    // Qt on its own would put the file under the current folder here, as
    // the home trash's parent folder does not exist yet.
    EXPECT_TRUE(DeleteToRecycleBin(page, true));
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_TRUE(QFile::exists(trash + QStringLiteral("/files/page.htm")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("files/page.htm")));

    EXPECT_FALSE(DeleteToRecycleBin(home.path(), false)); // a folder
    EXPECT_FALSE(DeleteToRecycleBin(page, true));         // gone already
    EXPECT_EQ(Scripted().messages.size(), 2);
}

} // namespace

#include "ShellTest.moc"
