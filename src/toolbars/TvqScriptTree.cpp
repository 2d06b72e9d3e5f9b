// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqScriptTree.h"

#include "Hourglass.h"
#include "Paths.h"
#include "ScriptTreeNodes.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace {

// The picture files of data/icons/tree, by TScriptIcon.
constexpr std::array<const char *, ScriptIconCount> IconFiles = {
    "object", "function", "window",   "property", "button", "checkbox", "radio",
    "select", "text",     "textarea", "link",     "book",   "resword",
};

std::array<QIcon, ScriptIconCount> LoadIcons()
{
    std::array<QIcon, ScriptIconCount> icons;
    for (int i = 0; i < ScriptIconCount; ++i) {
        const QString file = DataFilePath(QStringLiteral("icons/tree/%1.svg").arg(QLatin1String(IconFiles[i])));
        if (QFileInfo::exists(file))
            icons[i] = QIcon(file);
    }
    return icons;
}

} // namespace

TTagEntry SplitScriptText(const QString &text)
{
    qsizetype at = text.indexOf(u')');
    if (at < 0)
        at = text.indexOf(u']');
    if (at < 0)
        return {text, QString()};
    // Empty quotes before the bracket take the caret inside the first pair,
    // the first argument of a call such as window.open("", "").
    if (at > 0 && text.at(at - 1) == u'"')
        at = text.indexOf(u'"') + 1;
    return {text.left(at), text.mid(at)};
}

TvqScriptTree::TvqScriptTree(QWidget *parent) : QWidget(parent), m_tree(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(19);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &TvqScriptTree::ChooseItem);
    resize(180, 255);
}

void TvqScriptTree::ShowTree(bool visible)
{
    if (visible && !m_built) {
        if (m_language == slJavaScript)
            BuildJavaScriptTree();
        m_built = true;
    }
    setVisible(visible);
}

bool TvqScriptTree::eventFilter(QObject *watched, QEvent *event)
{
    // Enter chooses the selected leaf, as a double-click does.
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        QTreeWidgetItem *item = m_tree->currentItem();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && item && item->isSelected() && item->childCount() == 0) {
            ChooseItem(item);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TvqScriptTree::BuildJavaScriptTree()
{
    THourglass hourglass;
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    const std::array<QIcon, ScriptIconCount> icons = LoadIcons();
    // parents[d] is the latest node at depth d: the parent of the next node at depth d + 1.
    QList<QTreeWidgetItem *> parents;
    bool reservedWords = false;
    for (const TScriptTreeNode &node : JavaScriptTreeNodes()) {
        const QString caption = QString::fromUtf8(node.caption);
        const QString text = QString::fromUtf8(node.text);
        if (node.depth == 0)
            reservedWords = caption == QLatin1String("Reserved Words");
        parents.resize(node.depth);
        auto *item = node.depth == 0 ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(parents.last());
        parents.append(item);
        const TScriptIcon icon = node.icon == siLeaf ? ScriptLeafIcon(caption, text, reservedWords) : node.icon;
        item->setText(0, caption);
        item->setData(0, TextRole, text);
        item->setData(0, IconRole, int(icon));
        item->setIcon(0, icons[icon]);
    }
    m_tree->setUpdatesEnabled(true);
}

void TvqScriptTree::ChooseItem(QTreeWidgetItem *item)
{
    if (!item || item->childCount() > 0)
        return;
    const TTagEntry split = SplitScriptText(item->data(0, TextRole).toString());
    emit OnItemSelect(split.start, split.end);
}
