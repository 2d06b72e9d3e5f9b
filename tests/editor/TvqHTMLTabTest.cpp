// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqHTMLTab.h"

#include "ScriptedMessageService.h"
#include "TestFiles.h"

#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

class HTMLTab : public testing::Test
{
protected:
    void SetUp() override
    {
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
    }

    QString WriteFile(const QString &name, const QByteArray &bytes = "<P>text</P>\r\n")
    {
        return WriteTestFile(m_dir.filePath(name), bytes);
    }

    QString Open(const QString &name)
    {
        const QString path = WriteFile(name);
        EXPECT_TRUE(m_tabs.AddDocument(path, ccFull, 0));
        return path;
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < m_tabs.TabStrip()->count(); ++i)
            captions.append(m_tabs.TabStrip()->tabText(i));
        return captions;
    }

    // Sends a drag of file URLs onto a widget and drops it there.
    static void DropFiles(QWidget *target, const QStringList &paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        mime.setUrls(urls);
        mime.setText(QStringLiteral("dropped text"));
        const QPointF at(20, 20);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }

    // A page long enough for its colouring to let events run.
    QString WriteLongPage(const QString &name)
    {
        QByteArray page;
        for (int i = 0; i < 2000; ++i)
            page += "<A>x</A>\r\n";
        return WriteFile(name, page);
    }

    // Runs action once, inside the first long run of an editor of the tab,
    // while that run lets events through; hands it the editor.
    void DuringTheFirstRun(const std::function<void(TvqRichHTML *)> &action)
    {
        QObject::connect(&m_tabs, &TvqHTMLTab::OnActiveDocProgressChange, &m_tabs,
                         [this, action, done = false](TvqRichHTML *editor, int value) mutable {
                             if (value != 0 || std::exchange(done, true))
                                 return;
                             QTimer::singleShot(0, &m_tabs, [action, editor] { action(editor); });
                         });
    }

    QTemporaryDir m_dir;
    TvqHTMLTab m_tabs;
};

TEST_F(HTMLTab, StartsWithOneUntitledDocument)
{
    EXPECT_EQ(Captions(), QStringList{QStringLiteral("[Untitled]")});
    ASSERT_NE(m_tabs.ActiveEditor(), nullptr);
    EXPECT_TRUE(m_tabs.ActiveEditor()->isVisible());
    EXPECT_FALSE(m_tabs.ActiveEditor()->Modified());
    EXPECT_TRUE(m_tabs.DocumentFileName(0).isEmpty());
}

TEST_F(HTMLTab, UntouchedUntitledDocumentGivesWayToTheFirstOpened)
{
    const QString path = Open(QStringLiteral("a.htm"));

    EXPECT_EQ(Captions(), QStringList{QStringLiteral("a.htm")});
    EXPECT_EQ(m_tabs.DocumentFileName(0), path);
    EXPECT_EQ(m_tabs.ActiveEditor()->Filename(), path);
    EXPECT_EQ(m_tabs.ActiveEditor()->Text(), QStringLiteral("<P>text</P>\r\n"));
    EXPECT_FALSE(m_tabs.ActiveEditor()->Modified());
    EXPECT_EQ(m_tabs.TabStrip()->tabToolTip(0), QDir::toNativeSeparators(path));

    // Only the first document opened replaces it.
    m_tabs.AddDocument(QString(), ccFull, 0);
    Open(QStringLiteral("b.htm"));
    EXPECT_EQ(Captions(), (QStringList{"a.htm", "[Untitled]", "b.htm"}));
    EXPECT_EQ(m_tabs.TabIndex(), 2);
}

TEST_F(HTMLTab, ModifiedUntitledDocumentStays)
{
    m_tabs.ActiveEditor()->setFocus();
    QTest::keyClicks(m_tabs.ActiveEditor(), QStringLiteral("draft"));
    ASSERT_TRUE(m_tabs.ActiveEditor()->Modified());

    Open(QStringLiteral("a.htm"));

    EXPECT_EQ(Captions(), (QStringList{"[Untitled]", "a.htm"}));
    EXPECT_EQ(m_tabs.TabIndex(), 1);
    EXPECT_EQ(m_tabs.Editor(0)->Text(), QStringLiteral("draft"));
    EXPECT_TRUE(m_tabs.Editor(1)->isVisible());
    EXPECT_FALSE(m_tabs.Editor(0)->isVisible());
}

TEST_F(HTMLTab, FileThatFailsToLoadLeavesAnEmptyUntitledDocument)
{
    Open(QStringLiteral("a.htm"));
    EXPECT_TRUE(m_tabs.AddDocument(m_dir.filePath(QStringLiteral("missing.htm")), ccFull, 0));

    EXPECT_EQ(Captions(), (QStringList{"a.htm", "[Untitled]"}));
    EXPECT_TRUE(m_tabs.DocumentFileName(1).isEmpty());
    EXPECT_TRUE(m_tabs.ActiveEditor()->Text().isEmpty());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_TRUE(Scripted().messages[0].text.startsWith(QStringLiteral("Unable to open ")));
}

TEST_F(HTMLTab, ClosingTheOnlyDocumentEmptiesIt)
{
    Open(QStringLiteral("a.htm"));
    QTest::keyClicks(m_tabs.ActiveEditor(), QStringLiteral("x"));
    TvqRichHTML *editor = m_tabs.ActiveEditor();

    m_tabs.CloseActiveDocument();

    EXPECT_EQ(Captions(), QStringList{QStringLiteral("[Untitled]")});
    EXPECT_EQ(m_tabs.ActiveEditor(), editor);
    EXPECT_TRUE(editor->Text().isEmpty());
    EXPECT_TRUE(editor->Filename().isEmpty());
    EXPECT_FALSE(editor->Modified());
    EXPECT_TRUE(m_tabs.DocumentFileName(0).isEmpty());
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(HTMLTab, ClosingADocumentKeepsTheOthersInOrder)
{
    const QString a = Open(QStringLiteral("a.htm"));
    const QString b = Open(QStringLiteral("b.htm"));
    const QString c = Open(QStringLiteral("c.htm"));
    QSignalSpy pages(&m_tabs, &TvqHTMLTab::OnPageChange);

    m_tabs.SetTabIndex(1);
    m_tabs.CloseActiveDocument();

    EXPECT_EQ(Captions(), (QStringList{"a.htm", "c.htm"}));
    EXPECT_EQ(m_tabs.DocumentFileName(0), a);
    EXPECT_EQ(m_tabs.DocumentFileName(1), c);
    ASSERT_NE(m_tabs.ActiveEditor(), nullptr);
    EXPECT_EQ(m_tabs.ActiveEditor(), m_tabs.Editor(m_tabs.TabIndex()));
    EXPECT_TRUE(m_tabs.ActiveEditor()->isVisible());
    EXPECT_GE(pages.count(), 2); // the selection, then the tab that took the closed one's place
    Q_UNUSED(b);

    m_tabs.CloseDocument(0);
    EXPECT_EQ(Captions(), QStringList{QStringLiteral("c.htm")});
    EXPECT_EQ(m_tabs.ActiveEditor()->Filename(), c);
}

TEST_F(HTMLTab, TheSelectedTabStaysInViewWhenTabsDoNotFit)
{
    m_tabs.resize(220, 200);
    for (int i = 0; i < 20; ++i)
        Open(QStringLiteral("document%1.htm").arg(i));
    QTabBar *strip = m_tabs.TabStrip();
    const auto selectedInView = [&] {
        const QRect tab = strip->tabRect(m_tabs.TabIndex());
        return tab.left() >= 0 && tab.right() < strip->width();
    };
    ASSERT_TRUE(selectedInView());

    m_tabs.CloseDocument(0);
    EXPECT_EQ(m_tabs.TabIndex(), 18);
    EXPECT_TRUE(selectedInView());

    m_tabs.SetTabIndex(0);
    EXPECT_TRUE(selectedInView());
    m_tabs.CloseDocument(18);
    EXPECT_EQ(m_tabs.TabIndex(), 0);
    EXPECT_TRUE(selectedInView());
}

TEST_F(HTMLTab, ClosingAPageThatDoesNotExistChangesNothing)
{
    Open(QStringLiteral("a.htm"));
    for (int index : {1, 5, -1}) {
        Scripted().Reset();
        m_tabs.CloseDocument(index);
        ASSERT_EQ(Scripted().messages.size(), 1) << index;
        EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Error - page does not exist"));
        EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Plain);
    }
    EXPECT_EQ(Captions(), QStringList{QStringLiteral("a.htm")});
}

TEST_F(HTMLTab, ModifiedTabIsWiderAndMarkedRed)
{
    Open(QStringLiteral("a.htm"));
    Open(QStringLiteral("b.htm"));
    QTabBar *strip = m_tabs.TabStrip();
    EXPECT_EQ(strip->height(), 16);
    const int plain = strip->tabRect(0).width();
    const int secondLeft = strip->tabRect(1).left();
    const QColor before = strip->grab().toImage().pixelColor(strip->tabRect(0).topLeft() + QPoint(6, 6));

    m_tabs.Editor(0)->SetModified(true);

    const QRect tab = strip->tabRect(0);
    EXPECT_EQ(tab.width(), plain + 12);
    EXPECT_EQ(strip->tabRect(1).left(), secondLeft + 12);
    const QImage image = strip->grab().toImage();
    EXPECT_NE(before, QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(tab.topLeft() + QPoint(6, 6)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(tab.topLeft() + QPoint(4, 3)), QColor(Qt::black));

    m_tabs.Editor(0)->SetModified(false);
    EXPECT_EQ(strip->tabRect(0).width(), plain);
}

TEST_F(HTMLTab, SettersReachEveryEditor)
{
    Open(QStringLiteral("a.htm"));
    Open(QStringLiteral("b.htm"));
    const auto tabStops = [](TvqRichHTML *editor) { return editor->SendScintilla(QsciScintillaBase::SCI_GETTABWIDTH); };
    const long before = tabStops(m_tabs.Editor(0));
    QSignalSpy modified(&m_tabs, &TvqHTMLTab::OnActiveDocModifyStatusChange);

    m_tabs.SetTabWidth(60);
    m_tabs.SetAutoIndent(true);
    m_tabs.SetDocumentForegroundColor(0x0000FF);
    m_tabs.SetDocumentBackgroundColor(0xEEEEEE);

    for (int i = 0; i < 2; ++i) {
        TvqRichHTML *editor = m_tabs.Editor(i);
        EXPECT_EQ(editor->TabWidth(), 60);
        EXPECT_GT(tabStops(editor), before);
        EXPECT_FALSE(editor->Modified());
        EXPECT_TRUE(editor->AutoIndent());
        EXPECT_EQ(editor->ForegroundColor(), 0x0000FFu);
        EXPECT_EQ(editor->BackgroundColor(), 0xEEEEEEu);
    }
    EXPECT_EQ(modified.count(), 0);

    // A new document takes the container's settings.
    Open(QStringLiteral("c.htm"));
    EXPECT_EQ(m_tabs.ActiveEditor()->TabWidth(), 60);
    EXPECT_EQ(m_tabs.ActiveEditor()->ForegroundColor(), 0x0000FFu);
    EXPECT_EQ(m_tabs.ActiveEditor()->BackgroundColor(), 0xEEEEEEu);
}

TEST_F(HTMLTab, FlagsAndColourModeOfANewDocument)
{
    m_tabs.AddDocument(WriteFile(QStringLiteral("a.htm")), ccMinimal,
                       TvqHTMLTab::afWordWrap | TvqHTMLTab::afAutoIndent);
    EXPECT_TRUE(m_tabs.ActiveEditor()->WordWrap());
    EXPECT_TRUE(m_tabs.ActiveEditor()->AutoIndent());
    EXPECT_EQ(m_tabs.ActiveEditor()->ColorCodeMode(), ccMinimal);

    m_tabs.AddDocument(QString(), ccNone, 0);
    EXPECT_FALSE(m_tabs.ActiveEditor()->WordWrap());
    EXPECT_FALSE(m_tabs.ActiveEditor()->AutoIndent());
    EXPECT_EQ(m_tabs.ActiveEditor()->ColorCodeMode(), ccNone);
}

TEST_F(HTMLTab, EditorEventsArePassedOnButNotWhileBusy)
{
    QSignalSpy changes(&m_tabs, &TvqHTMLTab::OnActiveDocChange);
    QSignalSpy selections(&m_tabs, &TvqHTMLTab::OnActiveDocSelectionChange);
    QSignalSpy modified(&m_tabs, &TvqHTMLTab::OnActiveDocModifyStatusChange);
    QSignalSpy keys(&m_tabs, &TvqHTMLTab::OnActiveDocKeyPress);
    QSignalSpy modes(&m_tabs, &TvqHTMLTab::OnActiveDocInsertModeChange);

    Open(QStringLiteral("a.htm"));
    Open(QStringLiteral("b.htm"));
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(selections.count(), 0);
    EXPECT_EQ(modified.count(), 0);

    TvqRichHTML *editor = m_tabs.ActiveEditor();
    QTest::keyClicks(editor, QStringLiteral("ab"));
    QTest::keyClick(editor, Qt::Key_Insert);
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 2);
    EXPECT_GE(selections.count(), 1);
    ASSERT_GE(modified.count(), 1);
    EXPECT_EQ(modified.first().first().value<TvqRichHTML *>(), editor);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys.at(1).at(1).value<QChar>(), QChar(u'b'));
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.first().at(1).value<TInsertMode>(), imOverwrite);
}

TEST_F(HTMLTab, ClickingATabActivatesItsDocument)
{
    Open(QStringLiteral("a.htm"));
    Open(QStringLiteral("b.htm"));
    QSignalSpy clicks(&m_tabs, &TvqHTMLTab::OnDocumentTabClick);
    QSignalSpy pages(&m_tabs, &TvqHTMLTab::OnPageChange);
    QSignalSpy moves(&m_tabs, &TvqHTMLTab::OnDocumentTabMouseMove);
    QTabBar *strip = m_tabs.TabStrip();

    QTest::mouseMove(strip, strip->tabRect(0).center());
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, strip->tabRect(0).center());

    EXPECT_EQ(m_tabs.TabIndex(), 0);
    EXPECT_EQ(m_tabs.ActiveEditor(), m_tabs.Editor(0));
    EXPECT_TRUE(m_tabs.Editor(0)->isVisible());
    EXPECT_FALSE(m_tabs.Editor(1)->isVisible());
    EXPECT_TRUE(m_tabs.Editor(0)->hasFocus());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(pages.count(), 1);
    ASSERT_GE(moves.count(), 1);
    EXPECT_EQ(moves.first().at(1).toInt(), strip->tabRect(0).center().x());
    EXPECT_EQ(strip->tabAt(QPoint(moves.first().at(1).toInt(), moves.first().at(2).toInt())), 0);
}

TEST_F(HTMLTab, SavingUnderANewNameRenamesTheTab)
{
    Open(QStringLiteral("a.htm"));
    Open(QStringLiteral("b.htm"));
    const QString renamed = m_dir.filePath(QStringLiteral("renamed.html"));

    ASSERT_TRUE(m_tabs.Editor(0)->SaveToFile(renamed, false));

    EXPECT_EQ(Captions(), (QStringList{"renamed.html", "b.htm"}));
    EXPECT_EQ(m_tabs.DocumentFileName(0), renamed);
}

TEST_F(HTMLTab, FilesDroppedInOneEventArriveOnceInDropOrder)
{
    const QStringList files = {WriteFile("c.htm"), WriteFile("a.htm"), WriteFile("b.htm")};
    QSignalSpy dropped(&m_tabs, &TvqHTMLTab::OnDropFiles);
    m_tabs.SetAcceptFiles(true);

    DropFiles(&m_tabs, files);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.first().first().toStringList(), files);

    // Onto the editor they are files as well, not text.
    DropFiles(m_tabs.ActiveEditor()->viewport(), files);
    ASSERT_EQ(dropped.count(), 2);
    EXPECT_EQ(dropped.last().first().toStringList(), files);
    EXPECT_TRUE(m_tabs.ActiveEditor()->Text().isEmpty());

    m_tabs.SetAcceptFiles(false);
    DropFiles(&m_tabs, files);
    EXPECT_EQ(dropped.count(), 2);
}

TEST_F(HTMLTab, AHandlerCanTakeADragOverAnEditor)
{
    QMimeData mime;
    mime.setData(QStringLiteral("application/x-velicort-file-list"), "a.htm");
    QList<TvqRichHTML *> droppedOn;
    QObject::connect(&m_tabs, &TvqHTMLTab::OnActiveDocDragDrop, &m_tabs,
                     [&](TvqRichHTML *editor, QDropEvent *) { droppedOn.append(editor); });
    QObject::connect(&m_tabs, &TvqHTMLTab::OnActiveDocDragOver, &m_tabs, [](TvqRichHTML *, QDragMoveEvent *event) {
        if (event->mimeData()->hasFormat(QStringLiteral("application/x-velicort-file-list")))
            event->acceptProposedAction();
    });
    QWidget *viewport = m_tabs.ActiveEditor()->viewport();

    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);

    EXPECT_EQ(droppedOn, QList<TvqRichHTML *>{m_tabs.ActiveEditor()});
    EXPECT_TRUE(m_tabs.ActiveEditor()->Text().isEmpty());
}

TEST_F(HTMLTab, ADocumentClosedWhileItsPageColoursGoesOnlyAfterTheRun)
{
    const QString path = WriteLongPage(QStringLiteral("long.htm"));
    QPointer<TvqRichHTML> loading;
    DuringTheFirstRun([&](TvqRichHTML *editor) {
        loading = editor;
        m_tabs.CloseActiveDocument();
        EXPECT_FALSE(loading.isNull());
    });
    EXPECT_FALSE(m_tabs.AddDocument(path, ccFull, 0));
    ASSERT_FALSE(loading.isNull());
    EXPECT_EQ(Captions(), QStringList{QStringLiteral("[Untitled]")});
    EXPECT_NE(m_tabs.ActiveEditor(), loading.data());
    EXPECT_EQ(m_tabs.ActiveEditor()->TextLength(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return loading.isNull(); }));

    // Among several documents the others stay.
    Open(QStringLiteral("a.htm"));
    DuringTheFirstRun([&](TvqRichHTML *) { m_tabs.CloseDocument(1); });
    EXPECT_FALSE(m_tabs.AddDocument(WriteLongPage(QStringLiteral("b.htm")), ccFull, 0));
    EXPECT_EQ(Captions(), QStringList{QStringLiteral("a.htm")});
}

TEST_F(HTMLTab, KeysTypedWhileAPageColoursArriveAfterwards)
{
    Open(QStringLiteral("a.htm"));
    const QString path = WriteLongPage(QStringLiteral("long.htm"));
    DuringTheFirstRun([](TvqRichHTML *editor) {
        QCoreApplication::postEvent(editor, new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q"));
    });
    ASSERT_TRUE(m_tabs.AddDocument(path, ccFull, 0));
    TvqRichHTML *editor = m_tabs.ActiveEditor();
    EXPECT_FALSE(editor->Modified());
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->Text().startsWith(u'q'); }));
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(editor->UndoList().Count(), 1);
}

TEST_F(HTMLTab, ANestedAddDocumentKeepsTheOuterOneBusy)
{
    QSignalSpy modified(&m_tabs, &TvqHTMLTab::OnActiveDocModifyStatusChange);
    bool nested = false;
    QObject::connect(&m_tabs, &TvqHTMLTab::OnPageChange, &m_tabs, [&] {
        if (std::exchange(nested, true))
            return;
        TvqRichHTML *outer = m_tabs.ActiveEditor();
        Open(QStringLiteral("inner.htm"));
        // The outer document is still being set up.
        outer->SetModified(true);
    });
    Open(QStringLiteral("outer.htm"));
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(m_tabs.DocumentCount(), 2);
}

} // namespace
