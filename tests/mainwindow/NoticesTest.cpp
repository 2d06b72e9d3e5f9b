// SPDX-License-Identifier: GPL-3.0-or-later
#include "Notices.h"

#include "QtMessageService.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TfMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString ShowAgainKey = QStringLiteral("Software\\Velicort\\ShowAgainMsg");

QString Stored(const QString &name)
{
    return ReadRegValue(ShowAgainKey, name, QStringLiteral("-1"));
}

// Shows a notice through the Qt service and lets act work the box while it
// is up; the result and how the box was left.
std::pair<TMsgResult, bool> ShowQtNotice(bool cancelButton, bool dontShowAgain,
                                         const std::function<void(TfMessage &)> &act)
{
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TfMessage *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        act(*form);
    });
    TQtMessageService service;
    const TMsgResult result =
        service.ShowNotice(QStringLiteral("Caption"), QStringLiteral("Some <b>text</b>"), cancelButton, dontShowAgain);
    return {result, dontShowAgain};
}

} // namespace

TEST(Notices, NoNoticeNamesAComponentThisSystemLacks)
{
    for (int id = nmExtendedReplace; id <= nmSpellCheckSelection; ++id)
        ShowOnceNotice(id);
    ASSERT_EQ(Scripted().notices.size(), 12);
    for (const TRecordedNotice &notice : std::as_const(Scripted().notices))
        for (const char *name : {"Explorer", "MSIE", "Windows"})
            EXPECT_FALSE(notice.text.contains(QLatin1String(name)) || notice.caption.contains(QLatin1String(name)))
                << notice.text.toStdString();
}

TEST(Notices, AnInputBoxFitsItsTitleAndHasAFixedSize)
{
    const QString caption = QStringLiteral("Open from the Web");
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), caption);
        EXPECT_GT(box->width(), box->fontMetrics().horizontalAdvance(caption) + 100);
        EXPECT_EQ(box->minimumSize(), box->maximumSize());
        auto *field = box->findChild<QLineEdit *>();
        ASSERT_TRUE(field);
        field->setText(QStringLiteral("http://example.org/"));
        QMetaObject::invokeMethod(box, "accept");
        checked = true;
    });
    TQtMessageService service;
    QString value = QStringLiteral("http://");
    EXPECT_TRUE(service.InputQuery(caption, QStringLiteral("Address of the page:"), value));
    EXPECT_TRUE(checked);
    EXPECT_EQ(value, QStringLiteral("http://example.org/"));
}

TEST(Notices, ANoticeNeverSilencedShowsAsItsTableSays)
{
    EXPECT_EQ(ShowOnceNotice(nmExtendedReplace), TMsgResult::Ok);
    EXPECT_EQ(ShowOnceNotice(nmFileAlreadyOpen), TMsgResult::Ok);
    EXPECT_EQ(ShowOnceNotice(nmBrowserCaps), TMsgResult::Ok);
    ASSERT_EQ(Scripted().notices.size(), 3);
    const TRecordedNotice &replace = Scripted().notices[0];
    EXPECT_EQ(replace.caption, QStringLiteral("Warning"));
    EXPECT_EQ(replace.text, QStringLiteral("Before using Extended Replace to replace within a folder, you should save "
                                           "any changes to open documents."));
    EXPECT_TRUE(replace.cancelButton);
    EXPECT_FALSE(replace.dontShowAgain);
    const TRecordedNotice &open = Scripted().notices[1];
    EXPECT_EQ(open.caption, QStringLiteral("Already Open"));
    EXPECT_FALSE(open.cancelButton);
    EXPECT_TRUE(open.dontShowAgain);
    EXPECT_EQ(Scripted().notices[2].text,
              QStringLiteral("Please note that Velicort's browser doesn't support newer HTML extensions, such as "
                             "progressive JPEGs, frames and style sheets.\r\n\r\nTo use the built-in web engine "
                             "instead, just go to the Internal Browser page in Velicort's settings."));
    // A box left as preset: the notice that starts checked is silenced, the
    // others are not.
    EXPECT_EQ(Stored(QStringLiteral("ExtendedReplace")), QStringLiteral("-1"));
    EXPECT_EQ(Stored(QStringLiteral("FileAlreadyOpen")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("BrowserCaps")), QStringLiteral("-1"));
}

TEST(Notices, ACheckedBoxSilencesTheNoticeForGoodWhateverTheAnswer)
{
    Scripted().noticeAnswers = {{TMsgResult::Cancel, true}, {TMsgResult::Ok, true}, {TMsgResult::Ok, false}};
    EXPECT_EQ(ShowOnceNotice(nmRemoteFileNotHTML), TMsgResult::Cancel);
    EXPECT_EQ(ShowOnceNotice(nmMSIE301), TMsgResult::Ok);
    EXPECT_EQ(ShowOnceNotice(nmSpellCheckSelection), TMsgResult::Ok); // unchecked though preset
    EXPECT_EQ(Stored(QStringLiteral("RemoteFileNotHTML")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("MSIE 3.01")), QStringLiteral("0")); // a name with a blank and a dot
    EXPECT_EQ(Stored(QStringLiteral("SpellCheckSelection")), QStringLiteral("-1"));

    // The silenced ones return Ok without showing; the other shows again.
    Scripted().notices.clear();
    Scripted().noticeAnswers = {{TMsgResult::Cancel, false}};
    EXPECT_EQ(ShowOnceNotice(nmRemoteFileNotHTML), TMsgResult::Ok);
    EXPECT_EQ(ShowOnceNotice(nmMSIE301), TMsgResult::Ok);
    EXPECT_EQ(ShowOnceNotice(nmSpellCheckSelection), TMsgResult::Cancel);
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].caption, QStringLiteral("Spell Check"));
}

TEST(Notices, IdsWithoutANoticeShowNothing)
{
    for (const int id : {7, -1, 13})
        EXPECT_EQ(ShowOnceNotice(id), TMsgResult::Ok) << id;
    EXPECT_TRUE(Scripted().notices.isEmpty());
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
}

TEST(Notices, TheMessageFormAnswersWithTheButtonAndTheBox)
{
    {
        TfMessage withCancel(QStringLiteral("Caption"), QStringLiteral("Text"), true, false);
        TfMessage okOnly(QStringLiteral("Caption"), QStringLiteral("Text"), false, true);
        EXPECT_EQ(withCancel.width(), 380);
        EXPECT_EQ(okOnly.width(), 300);
        EXPECT_TRUE(okOnly.btnCancel->isHidden());
        EXPECT_TRUE(okOnly.DontShowAgain());
        // The text is never taken as markup.
        EXPECT_EQ(withCancel.lblMessage->textFormat(), Qt::PlainText);
    }
    const auto cancel = ShowQtNotice(true, false, [](TfMessage &form) {
        form.chkShow->click();
        form.btnCancel->click();
    });
    EXPECT_EQ(cancel, std::make_pair(TMsgResult::Cancel, true));
    const auto ok = ShowQtNotice(true, true, [](TfMessage &form) {
        form.chkShow->click();
        form.btnOK->click();
    });
    EXPECT_EQ(ok, std::make_pair(TMsgResult::Ok, false));
    // Closing the window is Cancel where there is a Cancel button, else Ok.
    EXPECT_EQ(ShowQtNotice(true, false, [](TfMessage &form) { form.close(); }).first, TMsgResult::Cancel);
    EXPECT_EQ(ShowQtNotice(false, false, [](TfMessage &form) { form.close(); }).first, TMsgResult::Ok);
}
