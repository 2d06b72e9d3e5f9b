// SPDX-License-Identifier: GPL-3.0-or-later
// "Validate HTML": what is checked before the companion validator starts,
// the results file turned into rows, going to a finding's line, and the
// whole round through the companion and the single-instance socket.

#include "TfMain.h"

#include "HTMLValidator.h"
#include "ScriptedMessageService.h"
#include "SingleInstance.h"
#include "TPreviewController.h"
#include "TestFiles.h"
#include "TvqHTMLTab.h"
#include "ValidatorCommands.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <unistd.h>

// Readable failures.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

class ValidateHTML : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        m_window.show();
    }

    TvqRichHTML *Editor() { return m_window.ActiveEditor(); }
    QTreeWidget *List() { return m_window.findChild<QTreeWidget *>(QStringLiteral("lvwValidator")); }
    QAction *Button() { return m_window.Action(QStringLiteral("spdValidate")); }
    QStringList Rows()
    {
        QStringList rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = List()->topLevelItem(i);
            rows << row->data(0, Qt::UserRole).toString() + u'|' + row->text(0) + u'|' + row->text(1);
        }
        return rows;
    }
    // A results file as the companion leaves it, in the temporary folder.
    QString ResultsFile(const QByteArray &text)
    {
        const QString path = QDir::temp().filePath(QStringLiteral("~vrtest%1").arg(::getpid()));
        return WriteTestFile(path, text);
    }
    // Twenty numbered lines.
    void FillDocument()
    {
        QString text;
        for (int i = 1; i <= 20; ++i)
            text += QStringLiteral("<p>line %1</p>\r\n").arg(i);
        Editor()->InsertTag(text, QString(), false);
    }

    TfMain m_window;
};

const QByteArray ErrorAndComment = "MESSAGETYPE=ERROR\nLINENUMBER=12\nMESSAGE=<foo> is not recognized!\n"
                                   "MESSAGETYPE=COMMENT\nMESSAGE=Document content looks like HTML5\n"
                                   "ENDOFFILE=YES\n";

} // namespace

TEST_F(ValidateHTML, AResultsFileFillsTheListAndIsDeleted)
{
    FillDocument();
    const QString results = ResultsFile(ErrorAndComment);
    m_window.MessageWindowValidatorResult(results);
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("1| 12|<foo> is not recognized!"),
                                   QStringLiteral("0| Comment|Document content looks like HTML5")}));
    EXPECT_FALSE(QFileInfo::exists(results));
    EXPECT_TRUE(List()->isVisible());
    EXPECT_TRUE(Button()->isChecked());

    // A double click on the error selects its whole line.
    const QTreeWidgetItem *error = List()->topLevelItem(0);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(error).center());
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(error).center());
    EXPECT_EQ(Editor()->SelText(), QStringLiteral("<p>line 12</p>\r\n"));
    EXPECT_EQ(m_window.focusWidget(), Editor());
}

TEST_F(ValidateHTML, OnlyRowsWithALineNumberGoToALine)
{
    FillDocument();
    Editor()->SetSel(0, 0);
    m_window.MessageWindowValidatorResult(ResultsFile("MESSAGETYPE=COMMENT\nMESSAGE=note\n"
                                                      "MESSAGETYPE=WARNING\nLINENUMBER=99\nMESSAGE=past the end\n"
                                                      "MESSAGETYPE=ERROR\nLINENUMBER=2\nMESSAGE=e\nENDOFFILE=YES\n"));
    QMenu *popup = List()->findChild<QMenu *>();
    ASSERT_NE(popup, nullptr);
    QAction *goToLine = popup->findChild<QAction *>(QStringLiteral("mnuPV_GoToLine"));
    for (int row = 0; row < 2; ++row) {
        List()->setCurrentItem(List()->topLevelItem(row));
        emit popup->aboutToShow();
        EXPECT_EQ(goToLine->isEnabled(), row == 1) << row;
        goToLine->trigger();
        EXPECT_EQ(Editor()->SelText(), QString()) << row; // a comment; a line the document lacks
    }
    List()->setCurrentItem(List()->topLevelItem(2));
    goToLine->trigger();
    EXPECT_EQ(Editor()->SelText(), QStringLiteral("<p>line 2</p>\r\n"));
}

TEST_F(ValidateHTML, NoFindingsSaySo)
{
    m_window.MessageWindowValidatorResult(ResultsFile("ENDOFFILE=YES\n"));
    EXPECT_EQ(Rows(), QStringList{QStringLiteral("-1||No errors or warnings.")});
}

TEST_F(ValidateHTML, WordWrapGoesOffBeforeLinesAreCounted)
{
    FillDocument();
    if (!Editor()->WordWrap())
        m_window.Action(QStringLiteral("mnuOptionsWordWrap"))->trigger();
    ASSERT_TRUE(Editor()->WordWrap());
    m_window.MessageWindowValidatorResult(ResultsFile(ErrorAndComment));
    EXPECT_FALSE(Editor()->WordWrap());
    EXPECT_FALSE(m_window.Action(QStringLiteral("mnuOptionsWordWrap"))->isChecked());
    EXPECT_FALSE(m_window.Action(QStringLiteral("spdWordWrap"))->isChecked());
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].text, QStringLiteral("In order for Velicort's line numbers to match those "
                                                         "reported by the Validator, word-wrap will be turned off."));

    // Going to a line does the same.
    m_window.Action(QStringLiteral("mnuOptionsWordWrap"))->trigger();
    Scripted().Reset();
    List()->setCurrentItem(List()->topLevelItem(0));
    List()->findChild<QAction *>(QStringLiteral("mnuPV_GoToLine"))->trigger();
    EXPECT_FALSE(Editor()->WordWrap());
    EXPECT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Editor()->SelText(), QStringLiteral("<p>line 12</p>\r\n"));
}

TEST_F(ValidateHTML, ResultsFilesThatAreNotTheUsersOwnAreLeftAlone)
{
    QTemporaryDir elsewhere; // a folder below the temporary folder, not it
    const QString nested = WriteTestFile(elsewhere.filePath(QStringLiteral("results")), ErrorAndComment);
    m_window.MessageWindowValidatorResult(nested);
    EXPECT_TRUE(QFileInfo::exists(nested));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(List()->isVisible());

    const QString link = QDir::temp().filePath(QStringLiteral("~vrlink%1").arg(::getpid()));
    ASSERT_TRUE(QFile::link(nested, link));
    m_window.MessageWindowValidatorResult(link);
    EXPECT_TRUE(QFileInfo::exists(link));
    QFile::remove(link);

    // Another user's file, which only the superuser can make.
    if (::geteuid() != 0)
        GTEST_SKIP() << "making another user's file needs root";
    const QString foreign = ResultsFile(ErrorAndComment);
    ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
    m_window.MessageWindowValidatorResult(foreign);
    EXPECT_TRUE(QFileInfo::exists(foreign));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    QFile::remove(foreign);
}

TEST_F(ValidateHTML, AnEmptyDocumentIsNotValidated)
{
    m_window.MessageWindowValidatorResult(ResultsFile(ErrorAndComment));
    ASSERT_TRUE(List()->isVisible());
    m_window.Action(QStringLiteral("mnuToolsValidate"))->trigger();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document is empty - there is nothing to validate."));
    EXPECT_FALSE(List()->isVisible());
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(Button()->isChecked());
}

TEST_F(ValidateHTML, AMissingCompanionIsReportedAndNothingStarts)
{
    FillDocument();
    QTemporaryDir empty;
    TValidatorCommands commands(m_window.Documents(), m_window.Preview(), List(),
                                empty.filePath(QStringLiteral("velicort-validate")), &m_window);
    commands.ValidateDocument();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Warning);
    EXPECT_TRUE(Scripted().messages[0].text.contains(QStringLiteral("velicort-validate")));
    EXPECT_TRUE(m_window.Preview()->TempCopies().isEmpty());
}

TEST_F(ValidateHTML, TheButtonHidesTheListOrValidatesAndTheCloseCommandEmptiesIt)
{
    m_window.MessageWindowValidatorResult(ResultsFile(ErrorAndComment));
    Button()->trigger();
    EXPECT_FALSE(List()->isVisible());
    EXPECT_FALSE(Button()->isChecked());

    m_window.MessageWindowValidatorResult(ResultsFile(ErrorAndComment));
    List()->findChild<QAction *>(QStringLiteral("mnuPV_CloseValidator"))->trigger();
    EXPECT_FALSE(List()->isVisible());
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(Button()->isChecked());

    // Closing the document hides the list too, and the button comes up.
    m_window.MessageWindowValidatorResult(ResultsFile(ErrorAndComment));
    m_window.Action(QStringLiteral("mnuFileClose"))->trigger();
    EXPECT_FALSE(Button()->isChecked());
}

TEST_F(ValidateHTML, TheCompanionChecksTheDocumentAndTheFindingsComeBack)
{
    ASSERT_TRUE(QFileInfo(CompanionValidatorPath()).isExecutable()) << CompanionValidatorPath().toStdString();
    const QByteArray page = "<!DOCTYPE html>\n<html><head><title>a</title></head>\n<body>\n<p>x<foo>y</foo>\n"
                            "<img src=\"a.gif\">\n</body></html>\n";
    Editor()->InsertTag(QString::fromUtf8(page).replace(u'\n', QLatin1String("\r\n")), QString(), false);
    TfVelicortMessageWindow instance;
    ASSERT_TRUE(instance.Listen());
    QObject::connect(&instance, &TfVelicortMessageWindow::ValidatorResultMessage, &m_window,
                     &TfMain::MessageWindowValidatorResult);
    m_window.Action(QStringLiteral("mnuToolsValidate"))->trigger();
    EXPECT_TRUE(Scripted().messages.isEmpty());
    // The document went to the companion as a temporary copy.
    ASSERT_EQ(m_window.Preview()->TempCopies().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(List()->isVisible(), 30000);

    QStringList expected;
    for (const TValidatorFinding &finding : THTMLValidator::Check(page))
        expected
            << (finding.type == TFindingType::Comment
                    ? QStringLiteral("0| Comment|")
                    : QStringLiteral("%1| %2|").arg(finding.type == TFindingType::Error ? 1 : 2).arg(finding.line)) +
                   finding.message;
    EXPECT_EQ(Rows(), expected);
    EXPECT_TRUE(Rows().contains(QStringLiteral("1| 4|<foo> is not recognized!")));
    m_window.Preview()->DeleteTempCopies();
}
