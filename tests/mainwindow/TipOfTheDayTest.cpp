// SPDX-License-Identifier: GPL-3.0-or-later
#include "TipOfTheDay.h"

#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "Unprivileged.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString VelicortKey = QStringLiteral("Software\\Velicort");

QString CurrentTip()
{
    return ReadRegValue(VelicortKey, QStringLiteral("CurrentTip"), QStringLiteral("none"));
}

// A tips file in a temporary folder.
struct TTipsFile
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Tips.dat"));
    explicit TTipsFile(const QByteArray &content)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
};

QStringList NextTips(const QString &path, int count)
{
    QStringList shown;
    for (int i = 0; i < count; ++i)
        shown << NextTip(path);
    return shown;
}

int PdfPages(const QString &path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return 0;
    return int(QString::fromLatin1(pdf.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

} // namespace

TEST(TipOfTheDay, TipsFollowEachOtherAndTheLastIsFollowedByTheFirst)
{
    const TTipsFile tips("One\r\nTwo\r\nThree\r\n");
    EXPECT_EQ(NextTip(tips.path), QStringLiteral("One"));
    EXPECT_EQ(CurrentTip(), QStringLiteral("1"));
    EXPECT_EQ(NextTip(tips.path), QStringLiteral("Two"));
    EXPECT_EQ(NextTip(tips.path), QStringLiteral("Three"));
    EXPECT_EQ(CurrentTip(), QStringLiteral("0"));
    EXPECT_EQ(NextTip(tips.path), QStringLiteral("One"));
    EXPECT_EQ(CurrentTip(), QStringLiteral("1"));
}

TEST(TipOfTheDay, EmptyLinesAreNoTips)
{
    const TTipsFile trailing("One\r\nTwo\r\n\r\n  \r\n");
    EXPECT_EQ(NextTips(trailing.path, 3), (QStringList{"One", "Two", "One"}));
    const TTipsFile unixEnds("One\n\nTwo");
    WriteRegValue(VelicortKey, QStringLiteral("CurrentTip"), 0);
    EXPECT_EQ(NextTips(unixEnds.path, 3), (QStringList{"One", "Two", "One"}));
    const TTipsFile empty("\r\n");
    EXPECT_EQ(NextTip(empty.path), QString());
    EXPECT_EQ(CurrentTip(), QStringLiteral("0"));
}

TEST(TipOfTheDay, ACountOutsideTheFileStillLeadsToATip)
{
    const TTipsFile tips("One\r\nTwo\r\nThree\r\n");
    // The file shrank since the fifth tip was shown: the last, then the first.
    WriteRegValue(VelicortKey, QStringLiteral("CurrentTip"), 5);
    EXPECT_EQ(NextTips(tips.path, 2), (QStringList{"Three", "One"}));
    WriteRegValue(VelicortKey, QStringLiteral("CurrentTip"), -3);
    EXPECT_EQ(NextTip(tips.path), QStringLiteral("One"));
    WriteRegValue(VelicortKey, QStringLiteral("CurrentTip"), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(NextTip(tips.path), QStringLiteral("Three"));
}

TEST(TipOfTheDay, AMissingOrUnreadableFileSaysSoAndKeepsTheCount)
{
    QTemporaryDir dir;
    EXPECT_EQ(NextTip(dir.filePath(QStringLiteral("Tips.dat"))), QStringLiteral("Unable to locate tip data file."));
    EXPECT_EQ(NextTip(dir.path()), QStringLiteral("Error reading tip data file"));

    TTipsFile tips("One\r\n");
    TUnprivileged::MakeWorldReadable(tips.dir.path());
    QFile::setPermissions(tips.path, QFile::WriteOwner);
    {
        TUnprivileged unprivileged;
        EXPECT_EQ(NextTip(tips.path), QStringLiteral("Error reading tip data file"));
    }
    EXPECT_EQ(CurrentTip(), QStringLiteral("none"));
}

TEST(TipOfTheDay, PrintedLinesHoldAtMostFiftyTips)
{
    EXPECT_EQ(TipPrintLines({QStringLiteral("First tip."), QStringLiteral("Second tip.")}),
              (QStringList{" ", "Tip 1", "------", "First tip.", "", "", "Tip 2", "------", "Second tip.", "", ""}));
    QStringList many;
    for (int i = 1; i <= 60; ++i)
        many << QStringLiteral("Tip text %1").arg(i);
    const QStringList lines = TipPrintLines(many);
    ASSERT_EQ(lines.size(), 1 + 50 * 5);
    EXPECT_EQ(lines[lines.size() - 5], QStringLiteral("Tip 50"));
    EXPECT_EQ(lines[lines.size() - 3], QStringLiteral("Tip text 50"));
}

TEST(TipOfTheDay, TheWindowShowsTipsAndSavesTheBoxWhenClosed)
{
    const TTipsFile tips("One\r\nTwo\r\n");
    WriteRegValue(VelicortKey, QStringLiteral("ShowTips"), false);
    {
        TfTip window(tips.path);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Velicort Tip"));
        EXPECT_FALSE(window.chkShowTips->isChecked());
        EXPECT_EQ(window.lblTip->text(), QStringLiteral("One"));
        window.btnNextTip->click();
        EXPECT_EQ(window.lblTip->text(), QStringLiteral("Two"));
        window.chkShowTips->click();
        window.btnClose->click();
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
    EXPECT_EQ(ReadRegValue(VelicortKey, QStringLiteral("ShowTips"), QString()), QStringLiteral("-1"));
    EXPECT_EQ(CurrentTip(), QStringLiteral("0"));

    // Closed from the frame or with Escape the choice is kept too.
    TfTip window(tips.path);
    EXPECT_TRUE(window.chkShowTips->isChecked());
    window.chkShowTips->click();
    window.reject();
    EXPECT_EQ(ReadRegValue(VelicortKey, QStringLiteral("ShowTips"), QString()), QStringLiteral("0"));
}

TEST(TipOfTheDay, WhatsNewShowsTheShippedHistory)
{
    const TTipsFile tips("One\r\n");
    TfTip window(tips.path);
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget *history = QApplication::activeModalWidget();
        ASSERT_TRUE(history);
        EXPECT_EQ(history->objectName(), QStringLiteral("frmWhatsNew"));
        shown = history->findChild<QTextBrowser *>()->toPlainText();
        history->close();
    });
    window.btnWhatsNew->click();
    EXPECT_TRUE(shown.contains(QStringLiteral("What's New in Velicort"))) << shown.toStdString();
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST(TipOfTheDay, PrintAllPrintsAfterThePrintDialog)
{
    QByteArray content;
    for (int i = 1; i <= 60; ++i)
        content += "Tip number " + QByteArray::number(i) + " says something useful.\r\n";
    content += QByteArray("A long tip that runs over many rows. ").repeated(200) + "\r\n";
    const TTipsFile tips(content);
    TfTip window(tips.path);
    const QString pdf = tips.dir.filePath(QStringLiteral("tips.pdf"));

    window.btnPrintAll->click(); // the print dialog is cancelled
    EXPECT_FALSE(QFile::exists(pdf));

    Scripted().printFile = pdf;
    window.btnPrintAll->click();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    // 251 rows of Courier 10 points take several pages.
    EXPECT_GE(PdfPages(pdf), 3);
    EXPECT_TRUE(Scripted().messages.isEmpty());

    // Without tips there is nothing to print: the reason is shown instead.
    QFile::remove(tips.path);
    window.btnPrintAll->click();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Unable to locate tip data file."));
}
