// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandBinder.h"
#include "HelpTopics.h"
#include "ProgramHelp.h"
#include "QtMessageService.h"
#include "ScriptedMessageService.h"
#include "THelpController.h"
#include "TestFiles.h"
#include "TfMain.h"
#include "TfSettings.h"
#include "TvqHTMLTab.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// Takes the desktop's place for file addresses while it lives.
class TFileUrlCatcher : public QObject
{
    Q_OBJECT
public:
    TFileUrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~TFileUrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl &url) { opened.append(url); }
};

// A window with the help command and button, a document, a file list that
// may have the focus, and the help pane beside them.
class HelpControllerTest : public ::testing::Test
{
protected:
    HelpControllerTest()
    {
        m_menu = new QAction(&m_window);
        m_menu->setObjectName(QStringLiteral("mnuHelpHTMLib"));
        m_button = new QAction(&m_window);
        m_button->setObjectName(QStringLiteral("spdHTMLib"));
        m_button->setCheckable(true);
        m_splitter = new QSplitter;
        (new QVBoxLayout(&m_window))->addWidget(m_splitter);
        m_documents = new TvqHTMLTab;
        m_splitter->addWidget(m_documents);
        m_help = new THelpController(m_documents,
                                     {[this] { return fileListFocus; }, [this] { ++renames; },
                                      [this](int page) { settingsPages.append(page); }, [](const QString &) {},
                                      [] { return true; }},
                                     &m_window);
        m_splitter->addWidget(m_help->Pane());
        m_splitter->setStretchFactor(0, 1);
        THelpOptions options;
        options.HTMLibTopicFile = QDir(HTMLReferenceFolder()).filePath(QStringLiteral("htmlib.dat"));
        options.UseBrowserObject = false;
        m_help->SetOptions(options);
        m_help->Connect(TCommandBinder(&m_window));
        m_window.resize(1000, 600);
        m_window.show();
        Scripted().Reset();
        Scripted().noticeAnswers = {{TMsgResult::Ok, true}};
    }

    // Puts the text in the document with the caret at "|", and presses F2.
    void PressF2(const QString &marked)
    {
        TvqRichHTML *editor = m_documents->ActiveEditor();
        editor->SetSel(0, editor->TextLength());
        editor->InsertTag(QString(marked).remove(u'|'), QString(), true);
        editor->SetSelStart(marked.indexOf(u'|'));
        m_menu->trigger();
    }
    QString Page() const { return QFileInfo(m_help->CurrentPage()).fileName(); }
    void UseExternalHelp(const QString &file)
    {
        THelpOptions options = m_help->Options();
        options.UseInternalHTMLHelp = false;
        options.ExternalHTMLHelp = file;
        m_help->SetOptions(options);
    }

    QWidget m_window;
    QAction *m_menu;
    QAction *m_button;
    QSplitter *m_splitter;
    TvqHTMLTab *m_documents;
    THelpController *m_help;
    bool fileListFocus = false;
    int renames = 0;
    QList<int> settingsPages;
};

} // namespace

TEST_F(HelpControllerTest, F2ShowsThePageOfTheTagAtTheCaret)
{
    EXPECT_FALSE(m_help->HelpObjectCreated()) << "the viewer is made when the pane is first shown";
    PressF2(QStringLiteral("<TABLE>\r\n<TR><TD>x</TD></TR>\r\n</TA|BLE>"));
    EXPECT_TRUE(m_help->Pane()->isVisible());
    EXPECT_TRUE(m_button->isChecked());
    EXPECT_TRUE(m_help->HelpObjectCreated());
    EXPECT_EQ(Page(), "table.htm");
    EXPECT_TRUE(m_documents->ActiveEditor()->hasFocus() || !QApplication::focusWidget());
    ASSERT_EQ(Scripted().notices.size(), 1) << "the one-time notice on F2 help";

    PressF2(QStringLiteral("<TABLE>x|</TABLE>"));
    EXPECT_EQ(Page(), "qr-main.htm") << "plain text shows the contents";
    PressF2(QStringLiteral("<a href=\"x.htm\"|>"));
    EXPECT_EQ(Page(), "a.htm");
}

TEST_F(HelpControllerTest, F2InTheFileListRenames)
{
    fileListFocus = true;
    PressF2(QStringLiteral("<TA|BLE>"));
    EXPECT_EQ(renames, 1);
    EXPECT_FALSE(m_help->Pane()->isVisible());
    EXPECT_FALSE(m_help->HelpObjectCreated());
}

TEST_F(HelpControllerTest, AMissingTopicFileIsReportedAndThePaneStaysHidden)
{
    THelpOptions options = m_help->Options();
    options.HTMLibTopicFile = QStringLiteral("/nowhere/HTMLHelp/htmlib.dat");
    m_help->SetOptions(options);
    m_button->trigger();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Error);
    EXPECT_EQ(Scripted().messages[0].text,
              "Velicort was unable to find the HTML help topic file (/nowhere/HTMLHelp/htmlib.dat).  Make sure that "
              "when you installed Velicort you also installed the HTML reference.");
    EXPECT_FALSE(m_help->Pane()->isVisible());
    EXPECT_FALSE(m_button->isChecked());
}

TEST_F(HelpControllerTest, TheButtonAndThePaneButtons)
{
    m_button->trigger();
    EXPECT_TRUE(m_help->Pane()->isVisible());
    EXPECT_EQ(Page(), "qr-main.htm");
    QTest::mouseClick(m_help->Pane()->findChild<QPushButton *>(QStringLiteral("spdHTMLib_Resource")), Qt::LeftButton);
    EXPECT_EQ(Page(), "resources.htm");
    QTest::mouseClick(m_help->Pane()->findChild<QPushButton *>(QStringLiteral("spdHTMLib_Hide")), Qt::LeftButton);
    EXPECT_FALSE(m_help->Pane()->isVisible());
    EXPECT_FALSE(m_button->isChecked());
    QTest::mouseClick(m_help->Pane()->findChild<QPushButton *>(QStringLiteral("spdHTMLib_Contents")), Qt::LeftButton);
    m_button->trigger();
    EXPECT_FALSE(m_help->Pane()->isVisible()) << "the button hides the pane it shows";

    m_help->ShowHelpTopic(QStringLiteral("<B"));
    m_help->CloseHelpObject();
    EXPECT_FALSE(m_help->HelpObjectCreated());
    EXPECT_FALSE(m_help->Pane()->isVisible());
    EXPECT_FALSE(m_button->isChecked());
}

TEST_F(HelpControllerTest, ThePaneKeepsItsWidthLimits)
{
    m_button->trigger();
    QApplication::processEvents();
    EXPECT_EQ(m_help->Pane()->width(), 266);
    m_splitter->setSizes({100, 900});
    EXPECT_EQ(m_help->Pane()->width(), 500);
    m_splitter->setSizes({900, 100});
    EXPECT_EQ(m_help->Pane()->width(), 266);
}

TEST_F(HelpControllerTest, InputWhileTheViewerIsMadeIsHeldNotLost)
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    editor->setFocus();
    QApplication::postEvent(editor->viewport(), new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    m_help->ShowHelpTopic(QString());
    EXPECT_TRUE(m_help->HelpObjectCreated());
    EXPECT_EQ(editor->Text(), "") << "the key waits while the viewer is made";
    QTRY_COMPARE(editor->Text(), QStringLiteral("x"));
}

TEST_F(HelpControllerTest, ExternalHelpFileGetsTheKeyword)
{
    QTemporaryDir dir;
    const QString file = WriteTestFile(dir.filePath(QStringLiteral("htmlref.hlp")), "help");
    UseExternalHelp(file);
    TFileUrlCatcher desktop;
    PressF2(QStringLiteral("</TA|BLE>"));
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0].toLocalFile(), file);
    EXPECT_EQ(desktop.opened[0].fragment(), "TABLE");
    EXPECT_FALSE(m_help->Pane()->isVisible());
    EXPECT_TRUE(Scripted().notices.isEmpty()) << "the notice is about the internal help";

    PressF2(QStringLiteral("plain| text"));
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_FALSE(desktop.opened[1].hasFragment()) << "without a tag the file opens as it is";
    m_button->trigger();
    EXPECT_EQ(desktop.opened.size(), 3) << "the button is F2 with the external help";
    EXPECT_FALSE(m_button->isChecked());
}

TEST_F(HelpControllerTest, ExternalHelpFolderWithTopicsOpensTheKeysPage)
{
    UseExternalHelp(HTMLReferenceFolder());
    TFileUrlCatcher desktop;
    PressF2(QStringLiteral("<IM|G SRC=\"a.png\">"));
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(QFileInfo(desktop.opened[0].toLocalFile()).fileName(), "img.htm");
}

TEST_F(HelpControllerTest, NoExternalHelpFileAsksForOne)
{
    UseExternalHelp(QString());
    PressF2(QStringLiteral("<B|>"));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, "Please specify an external HTML help file.");
    EXPECT_EQ(settingsPages, QList<int>{1});
}

// The page of the help viewer window that is up, closing it.
QString TakeShownHelpPage()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("TfHelpViewer") && window->isVisible()) {
            const QString page = window->findChild<QTextBrowser *>()->source().toLocalFile();
            window->close();
            return QFileInfo(page).fileName();
        }
    }
    return {};
}

TEST(ProgramHelp, F1AndHelpButtonsOpenTheirPages)
{
    InstallHelpKey(qApp);
    QWidget dialog;
    dialog.setProperty("helpContext", hcProjects);
    auto *field = new QPushButton(&dialog);
    dialog.show();
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(TakeShownHelpPage(), "projects.htm");

    TfSettings settings(TSettingsState(), TfSettings::pgInternalBrowser, nullptr);
    settings.show();
    QTest::keyClick(&settings, Qt::Key_F1);
    EXPECT_EQ(TakeShownHelpPage(), "settings.htm");
    auto *mappingHelp = settings.findChild<QPushButton *>(QStringLiteral("btnMappingHelp"));
    ASSERT_TRUE(mappingHelp->isEnabled());
    mappingHelp->click();
    EXPECT_EQ(TakeShownHelpPage(), "url-mapping.htm");
}

TEST(ProgramHelp, AnErrorWithAHelpPageHasAHelpButton)
{
    TQtMessageService service;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Help)->click();
    });
    poll.start(10);
    EXPECT_EQ(service.ShowMessage(TMsgKind::Error, QStringLiteral("No engine."), TMsgButtons::OkHelp),
              TMsgResult::Help);
}

TEST(MainWindowHelp, F2InTheMainWindowShowsTheTagsPage)
{
    TfMain window;
    window.show();
    THelpOptions options = window.Help()->Options();
    options.UseBrowserObject = false;
    window.Help()->SetOptions(options);
    Scripted().noticeAnswers = {{TMsgResult::Ok, true}};
    TvqRichHTML *editor = window.ActiveEditor();
    editor->InsertTag(QStringLiteral("<ul><li>one</li></ul>"), QString(), false);
    editor->SetModified(false);
    editor->SetSelStart(6);
    window.Action(QStringLiteral("mnuHelpHTMLib"))->trigger();
    ASSERT_TRUE(window.Help()->Pane()->isVisible()) << Scripted().messages.value(0).text.toStdString();
    EXPECT_EQ(QFileInfo(window.Help()->CurrentPage()).fileName(), "li.htm");
    EXPECT_FALSE(editor->Modified()) << "help changes nothing in the document";

    // Switching to an external help file in the settings closes the pane.
    TSettingsState state = window.CurrentSettings();
    state.UseInternalHTMLHelp = false;
    TSettingsMarks marks;
    marks.Help = true;
    window.ApplySettings(state, marks);
    EXPECT_FALSE(window.Help()->HelpObjectCreated());
    EXPECT_FALSE(window.Help()->Pane()->isVisible());
    EXPECT_FALSE(window.Help()->Options().UseInternalHTMLHelp);
}

#include "HelpControllerTest.moc"
