// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpecialCharacters.h"
#include "Speedbar.h"
#include "SpeedbarTable.h"
#include "TagLists.h"
#include "TestFiles.h"
#include "TvqTagButton.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Speedbar, EveryButtonOfTheTableIsBuiltWithItsTexts)
{
    QTabWidget pages;
    BuildSpeedbarPages(&pages);
    ASSERT_EQ(pages.count(), SpeedbarPageCount);
    for (int i = 0; i < SpeedbarPageCount; ++i) {
        const TSpeedbarPage &page = SpeedbarPages[i];
        EXPECT_EQ(pages.widget(i)->objectName(), QLatin1String(page.name));
        EXPECT_EQ(pages.tabText(i), QLatin1String(page.caption));
        for (const TSpeedbarButton &spec : page.buttons) {
            const QString name = QLatin1String(spec.name);
            QWidget *control = pages.widget(i)->findChild<QWidget *>(name);
            ASSERT_NE(control, nullptr) << spec.name;
            if (spec.kind == bkTagList) {
                EXPECT_NE(qobject_cast<QComboBox *>(control), nullptr) << spec.name;
                continue;
            }
            if (spec.kind == bkAppBar)
                continue;
            auto *button = qobject_cast<TvqTagButton *>(control);
            ASSERT_NE(button, nullptr) << spec.name;
            EXPECT_EQ(button->toolTip(), QString::fromUtf8(spec.hint)) << spec.name;
            EXPECT_EQ(button->Action(), spec.action) << spec.name;
            EXPECT_EQ(button->TagStart(), QString::fromUtf8(spec.start)) << spec.name;
            EXPECT_EQ(button->TagEnd(), QString::fromUtf8(spec.end)) << spec.name;
            EXPECT_EQ(button->Tag(), spec.caseTags ? 0 : 1) << spec.name;
            EXPECT_FALSE(button->icon().isNull()) << spec.name;
            // Buttons with a handler of their own wait for it.
            EXPECT_EQ(button->isEnabled(), spec.kind != bkHandler) << spec.name;
        }
    }
    // A few texts the table spells out in pieces.
    EXPECT_EQ(pages.findChild<TvqTagButton *>(QStringLiteral("vqbFontPlus"))->TagStart(),
              QStringLiteral("<FONT SIZE=\"+1\">"));
    EXPECT_EQ(pages.findChild<TvqTagButton *>(QStringLiteral("vqbLstDefinition"))->TagStart(),
              QStringLiteral("<DL>\r\n\t<DT> <DD>\r\n"));
    EXPECT_EQ(pages.findChild<TvqTagButton *>(QStringLiteral("vqbImageMap"))->TagEnd(),
              QStringLiteral("\">\r\n\t<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">\r\n</MAP>"));
    EXPECT_EQ(pages.findChild<QComboBox *>(QStringLiteral("cboASPList"))->property("caseTags").toBool(), false);
    EXPECT_EQ(pages.findChild<QComboBox *>(QStringLiteral("cboTagList"))->property("caseTags").toBool(), true);
}

TEST(TagLists, EntriesSplitAtTheirFirstDoublePeriod)
{
    EXPECT_EQ(SplitTagEntry(QStringLiteral("<CENTER>..</CENTER>")).start, QStringLiteral("<CENTER>"));
    EXPECT_EQ(SplitTagEntry(QStringLiteral("<CENTER>..</CENTER>")).end, QStringLiteral("</CENTER>"));
    EXPECT_EQ(SplitTagEntry(QStringLiteral("<BR>")).start, QStringLiteral("<BR>"));
    EXPECT_TRUE(SplitTagEntry(QStringLiteral("<BR>")).end.isEmpty());
    EXPECT_EQ(SplitTagEntry(QStringLiteral("<A>..</A>..x")).end, QStringLiteral("</A>..x"));

    QTemporaryDir dir;
    const QString file = WriteTestFile(dir.filePath(QStringLiteral("Tags.dat")), "<B>..</B>\r\n\r\n<BR>\r\n<I>..</I>");
    EXPECT_EQ(ReadTagList(file), (QStringList{"<B>..</B>", "<BR>", "<I>..</I>"}));
    EXPECT_TRUE(ReadTagList(dir.filePath(QStringLiteral("missing.dat"))).isEmpty());
}

TEST(TagLists, ALetterJumpsToTheNextTagWithIt)
{
    TTagListCombo list;
    list.addItems({"<A>..</A>", "<B>..</B>", "<BR>", "<ABBR>..</ABBR>", "<CENTER>..</CENTER>"});
    list.setCurrentIndex(0);
    QTest::keyClick(&list, Qt::Key_B);
    EXPECT_EQ(list.currentIndex(), 1);
    QTest::keyClick(&list, Qt::Key_B);
    EXPECT_EQ(list.currentIndex(), 2);
    QTest::keyClick(&list, Qt::Key_A);
    EXPECT_EQ(list.currentIndex(), 3);
    QTest::keyClick(&list, Qt::Key_A); // wraps around
    EXPECT_EQ(list.currentIndex(), 0);
    QTest::keyClick(&list, Qt::Key_Z); // none: stays
    EXPECT_EQ(list.currentIndex(), 0);
}

TEST(SpecialCharacters, TheBarIsBuiltOnceWithEveryEntry)
{
    TSpecialCharBar bar;
    int created = 0;
    QObject::connect(&bar, &TSpecialCharBar::ButtonCreated, &bar, [&created] { ++created; });
    bar.show();
    bar.CreateButtons();
    EXPECT_EQ(created, SpecialCharacterCount);
    const int counts[3] = {23, 32, 30};
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(bar.widget(page)->findChildren<TvqTagButton *>().size(), counts[page]);

    const QList<TvqTagButton *> special = bar.widget(0)->findChildren<TvqTagButton *>();
    const auto ampersand = std::find_if(special.begin(), special.end(),
                                        [](TvqTagButton *b) { return b->toolTip() == QLatin1String("Ampersand"); });
    ASSERT_NE(ampersand, special.end());
    EXPECT_EQ((*ampersand)->text(), QStringLiteral("&&")); // shown as one "&"
    EXPECT_EQ((*ampersand)->TagStart(), QStringLiteral("&amp;"));
    EXPECT_EQ((*ampersand)->Tag(), 1);
    // The extended pages hold the accented letters.
    EXPECT_EQ(QString::fromUtf16(SpecialCharacters[23].shown), QStringLiteral("á"));
    EXPECT_EQ(QLatin1String(SpecialCharacters[84].entity), QLatin1String("&Yacute;"));
}

} // namespace
