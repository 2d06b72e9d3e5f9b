// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptTreeNodes.h"
#include "TvqScriptTree.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

// The node reached by following captions from the top level; null when
// there is none.
QTreeWidgetItem *FindPath(QTreeWidget *tree, const QStringList &path)
{
    QTreeWidgetItem *found = nullptr;
    for (const QString &caption : path) {
        const int count = found ? found->childCount() : tree->topLevelItemCount();
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem *item = found ? found->child(i) : tree->topLevelItem(i);
            if (item->text(0) == caption)
                next = item;
        }
        if (!next)
            return nullptr;
        found = next;
    }
    return found;
}

int ItemCount(QTreeWidget *tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

TEST(ScriptTreeNodes, TheTableIsOneWellFormedTree)
{
    const std::span<const TScriptTreeNode> nodes = JavaScriptTreeNodes();
    ASSERT_EQ(nodes.size(), 295u);
    int previousDepth = -1;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const TScriptTreeNode &node = nodes[i];
        // No node skips a level, and only nodes with children carry a picture.
        EXPECT_LE(node.depth, previousDepth + 1) << node.caption;
        const bool leaf = i + 1 == nodes.size() || nodes[i + 1].depth <= node.depth;
        EXPECT_EQ(node.icon == siLeaf, leaf) << node.caption;
        EXPECT_EQ(QString::fromUtf8(node.text).isEmpty(), node.depth == 0) << node.caption;
        previousDepth = node.depth;
    }
}

class ScriptTreeBuilt : public testing::Test
{
protected:
    void SetUp() override { panel.ShowTree(true); }
    QTreeWidget *Tree() { return panel.Tree(); }

    TvqScriptTree panel;
};

TEST_F(ScriptTreeBuilt, ShowsTheWholeModelUnderSixTopLevelNodes)
{
    EXPECT_EQ(ItemCount(Tree()), 295);
    QStringList tops;
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
        tops << Tree()->topLevelItem(i)->text(0);
    EXPECT_EQ(tops, (QStringList{"window", "navigator", "Date", "Math", "String", "Reserved Words"}));
    EXPECT_EQ(Tree()->indentation(), 19);
    // Every picture is shipped and draws.
    for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
        EXPECT_FALSE((*it)->icon(0).pixmap(16, 16).isNull()) << (*it)->text(0).toStdString();
}

struct TNodeCase
{
    QStringList path;
    QString text;
    TScriptIcon icon;
    int children;
};

TEST_F(ScriptTreeBuilt, NodesCarryTheirTextsAndPictures)
{
    const TNodeCase cases[] = {
        {{"window", "history"}, "history", siObject, 4},
        {{"window", "history", "go()"}, "history.go()", siFunction, 0},
        {{"window", "open()"}, "window.open(\"\", \"\")", siFunction, 0},
        {{"window", "frames"}, "window.frames[]", siProperty, 0},
        {{"window", "document", "form"}, "form", siWindow, 18},
        {{"window", "document", "form", "textarea"}, "document.form.textarea.", siText, 7},
        {{"window", "document", "form", "select", "options"}, "options[]", siProperty, 0},
        // A function by its inserted text alone.
        {{"window", "document", "clear"}, "document.clear()", siFunction, 0},
        {{"window", "document", "link"}, "link", siLink, 9},
        {{"navigator", "plugin", "filename"}, "filename", siProperty, 0},
        {{"Date", "parse(\"\")"}, "parse(\"\")", siFunction, 0},
        {{"Math", "PI"}, "Math.PI", siProperty, 0},
        {{"String", "fontcolor()"}, "fontcolor(\"\")", siFunction, 0},
        {{"Reserved Words"}, "", siBook, 43},
        {{"Reserved Words", "function"}, "function", siReservedWord, 0},
    };
    for (const TNodeCase &c : cases) {
        const std::string where = c.path.join(QLatin1String(" > ")).toStdString();
        QTreeWidgetItem *item = FindPath(Tree(), c.path);
        ASSERT_NE(item, nullptr) << where;
        EXPECT_EQ(item->data(0, TvqScriptTree::TextRole).toString(), c.text) << where;
        EXPECT_EQ(item->data(0, TvqScriptTree::IconRole).toInt(), c.icon) << where;
        EXPECT_EQ(item->childCount(), c.children) << where;
    }
}

TEST(ScriptTree, SplitPutsTheCaretInsideTheCall)
{
    const struct
    {
        QString text, start, end;
    } cases[] = {
        {"history.go()", "history.go(", ")"},
        {"options[]", "options[", "]"},
        {"window.alert(\"\")", "window.alert(\"", "\")"},
        // Two empty arguments: the caret goes into the first.
        {"window.open(\"\", \"\")", "window.open(\"", "\", \"\")"},
        {"var", "var", ""},
        // A ")" wins over an earlier "]".
        {"a[0].b()", "a[0].b(", ")"},
        {")", "", ")"},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        const TTagEntry split = SplitScriptText(c.text);
        EXPECT_EQ(split.start, c.start) << c.text.toStdString();
        EXPECT_EQ(split.end, c.end) << c.text.toStdString();
    }
}

TEST(ScriptTree, IsFilledOnlyTheFirstTimeItShows)
{
    TvqScriptTree panel;
    panel.ShowTree(false);
    EXPECT_EQ(panel.Tree()->topLevelItemCount(), 0);
    panel.ShowTree(true);
    EXPECT_TRUE(panel.isVisible());
    ASSERT_EQ(panel.Tree()->topLevelItemCount(), 6);
    delete panel.Tree()->takeTopLevelItem(0);
    panel.ShowTree(false);
    EXPECT_FALSE(panel.isVisible());
    panel.ShowTree(true);
    EXPECT_EQ(panel.Tree()->topLevelItemCount(), 5);
}

TEST(ScriptTree, StaysEmptyForVBScript)
{
    TvqScriptTree panel;
    panel.SetScriptLanguage(slVBScript);
    panel.ShowTree(true);
    EXPECT_EQ(panel.Tree()->topLevelItemCount(), 0);
    // The first showing settled it, whatever the language is later.
    panel.ShowTree(false);
    panel.SetScriptLanguage(slJavaScript);
    panel.ShowTree(true);
    EXPECT_EQ(panel.Tree()->topLevelItemCount(), 0);
}

TEST_F(ScriptTreeBuilt, ChoosingALeafFiresItsSplitTexts)
{
    QSignalSpy spy(&panel, &TvqScriptTree::OnItemSelect);
    QTreeWidgetItem *history = FindPath(Tree(), {"window", "history"});
    QTreeWidgetItem *go = FindPath(Tree(), {"window", "history", "go()"});
    ASSERT_TRUE(history && go);

    emit Tree()->itemDoubleClicked(history, 0);
    EXPECT_EQ(spy.count(), 0);
    emit Tree()->itemDoubleClicked(go, 0);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0), (QList<QVariant>{"history.go(", ")"}));

    // A real double-click on a reserved word.
    QTreeWidgetItem *word = FindPath(Tree(), {"Reserved Words", "abstract"});
    Tree()->scrollToItem(word);
    // A widget's double-click event comes alone; the view wants the press before it.
    const QPoint at = Tree()->visualItemRect(word).center();
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1), (QList<QVariant>{"abstract", ""}));

    // Enter on the selected node: nothing for "history", the texts for a leaf.
    Tree()->setCurrentItem(history);
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_EQ(spy.count(), 2);
    Tree()->setCurrentItem(FindPath(Tree(), {"window", "document", "form", "select", "options"}));
    QTest::keyClick(Tree(), Qt::Key_Enter);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2), (QList<QVariant>{"options[", "]"}));
}

} // namespace
