// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's document weight commands: what they check before the
// weight window opens, and the file pane's command.

#include "TfMain.h"

#include "DocumentCommands.h"
#include "DocumentWeightCommands.h"
#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "TFileBrowser.h"
#include "TestFiles.h"
#include "TfBandwidth.h"
#include "TvqHTMLTab.h"
#include "WhenShown.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DocumentWeightCommands : public testing::Test
{
protected:
    void SetUp() override { Scripted().Reset(); }

    TvqRichHTML *Editor() { return m_window.Documents()->ActiveEditor(); }
    QString Page(const QString &name, const QByteArray &text) { return WriteTestFile(m_dir.filePath(name), text); }
    // Records the caption of the next weight window and closes it.
    void CloseWeightWindow()
    {
        WhenShown<TfBandwidth>([this](TfBandwidth *window) {
            m_caption = window->windowTitle();
            window->reject();
        });
    }

    QTemporaryDir m_dir;
    TfMain m_window;
    TDocumentWeightCommands m_commands{m_window.Documents(), m_window.Commands(), m_window.FileBrowser(), &m_window};
    QString m_caption;
};

} // namespace

TEST_F(DocumentWeightCommands, TheMenuCommandsAreLive)
{
    for (const char *name : {"mnuToolsBandwidth", "mnuPE_Bandwidth"})
        EXPECT_TRUE(m_window.findChild<QAction *>(QLatin1String(name))->isEnabled()) << name;
}

TEST_F(DocumentWeightCommands, AnEmptyOrUnsavedDocumentIsNotWeighed)
{
    m_commands.mnuToolsBandwidthClick();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document is empty."));

    Editor()->InsertTag(QStringLiteral("<img src=\"a.gif\">"), QString(), true);
    Scripted().Reset();
    m_commands.mnuToolsBandwidthClick(); // Save As cancelled
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document must first be saved."));
    EXPECT_EQ(Scripted().fileDialogCaptions.size(), 1);
    EXPECT_TRUE(Scripted().notices.isEmpty());
}

TEST_F(DocumentWeightCommands, AnUntitledDocumentIsWeighedOnceSaved)
{
    Editor()->InsertTag(QStringLiteral("<img src=\"a.gif\">"), QString(), true);
    const QString saved = m_dir.filePath(QStringLiteral("saved.htm"));
    Scripted().fileNames = {saved};
    CloseWeightWindow();
    m_commands.mnuToolsBandwidthClick();
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].text,
              QStringLiteral("Please note that the document weight feature calculates using only local files."));
    EXPECT_EQ(m_caption, QStringLiteral("Document Weight - [") + saved + u']');
}

TEST_F(DocumentWeightCommands, TheCommandWaitsForALongRun)
{
    m_window.Commands()->OpenDocuments(Page(QStringLiteral("p.htm"), "<img src=\"a.gif\">"), 0);
    CloseWeightWindow();
    {
        const TLongRun run;
        m_window.findChild<QAction *>(QStringLiteral("mnuToolsBandwidth"))->trigger();
        EXPECT_TRUE(m_caption.isEmpty());
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_caption.isEmpty());
}

TEST_F(DocumentWeightCommands, TheFilePaneWeighsItsFile)
{
    const QString page = Page(QStringLiteral("p.htm"), "text");
    // The main window's own commands answer the pane too: two windows.
    CloseWeightWindow();
    WhenShown<TfBandwidth>([](TfBandwidth *window) { window->reject(); });
    emit m_window.FileBrowser()->WeighDocument(page);
    EXPECT_EQ(m_caption, QStringLiteral("Document Weight - [") + page + u']');
}
