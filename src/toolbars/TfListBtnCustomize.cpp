// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfListBtnCustomize.h"

#include "MessageService.h"
#include "TvqListButton.h"
#include "TvqListMenuItem.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Untitled = QStringLiteral("[Untitled]");

template <typename Widget> Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A memo holds at most limit characters: what is typed or pasted beyond
// them is cut off.
QPlainTextEdit *LimitedMemo(const char *name, int limit)
{
    auto *memo = Named(new QPlainTextEdit, name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, limit] {
        const QString text = memo->toPlainText();
        if (text.size() <= limit)
            return;
        memo->setPlainText(text.left(limit));
        memo->moveCursor(QTextCursor::End);
    });
    return memo;
}

// Documents hold their line breaks as CR LF; a memo shows them as one.
QString MemoText(const QPlainTextEdit *memo)
{
    return memo->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void SetMemoText(QPlainTextEdit *memo, QString text)
{
    memo->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace

QString TfListBtnCustomize::SeparatorLine()
{
    return QString(24, u'-');
}

TfListBtnCustomize::TfListBtnCustomize(const TvqListButton &button, QWidget *parent)
    : QDialog(parent), vqPreview(Named(new TvqListButton(nullptr, false), "vqPreview")),
      txtTitle(Named(new QLineEdit(button.text()), "txtTitle")), lvwItems(Named(new QTreeWidget, "lvwItems")),
      grpAction(Named(new QGroupBox(QStringLiteral("Action to perform when this item is selected")), "grpAction")),
      optTags(Named(new QRadioButton(QStringLiteral("Insert the start and end tags specified below")), "optTags")),
      optFile(Named(new QRadioButton(QStringLiteral("Insert the contents of this file...")), "optFile")),
      memStartTag(LimitedMemo("memStartTag", MaxTagLength)), memEndTag(LimitedMemo("memEndTag", MaxTagLength)),
      txtFilename(Named(new QLineEdit, "txtFilename")),
      btnBrowse(Named(new QPushButton(QStringLiteral("...")), "btnBrowse")),
      btnAddItem(Named(new QPushButton(QStringLiteral("Add Item")), "btnAddItem")),
      btnAddSeparator(Named(new QPushButton(QStringLiteral("Add Separator")), "btnAddSeparator")),
      btnRenameItem(Named(new QPushButton(QStringLiteral("Rename Item")), "btnRenameItem")),
      btnDeleteItem(Named(new QPushButton(QStringLiteral("Delete Item")), "btnDeleteItem")),
      btnUp(Named(new QPushButton, "btnUp")), btnDown(Named(new QPushButton, "btnDown"))
{
    setWindowTitle(QStringLiteral("Customize"));
    vqPreview->SetDropDown(false);
    vqPreview->setText(button.text());
    txtTitle->setMaxLength(TvqListMenuItem::MaxTitle);
    connect(txtTitle, &QLineEdit::textChanged, vqPreview, &QToolButton::setText);

    lvwItems->setColumnCount(1);
    lvwItems->setHeaderLabels({QStringLiteral("Menu Item")});
    lvwItems->setRootIsDecorated(false);
    lvwItems->setEditTriggers(QAbstractItemView::EditKeyPressed);
    connect(lvwItems, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        StoreFields();
        m_selected = current ? lvwItems->indexOfTopLevelItem(current) : -1;
        ShowItem(m_selected);
    });
    connect(lvwItems, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *row) {
        if (!m_showing)
            TitleEdited(row);
    });

    // The list's pop-up menu offers the item commands while an item is
    // selected.
    lvwItems->setContextMenuPolicy(Qt::ActionsContextMenu);
    const std::pair<QPushButton *, void (TfListBtnCustomize::*)()> commands[] = {
        {btnAddItem, &TfListBtnCustomize::AddItemClick},
        {btnAddSeparator, &TfListBtnCustomize::AddSeparatorClick},
        {btnRenameItem, &TfListBtnCustomize::RenameItemClick},
        {btnDeleteItem, &TfListBtnCustomize::DeleteItemClick},
    };
    for (const auto &[button, handler] : commands) {
        connect(button, &QPushButton::clicked, this, handler);
        auto *action = new QAction(button->text(), lvwItems);
        action->setObjectName(QStringLiteral("mnuLB_") + button->objectName().mid(3));
        connect(action, &QAction::triggered, this, handler);
        lvwItems->addAction(action);
    }
    btnUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    btnDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    connect(btnUp, &QPushButton::clicked, this, [this] { MoveItem(-1); });
    connect(btnDown, &QPushButton::clicked, this, [this] { MoveItem(+1); });

    connect(optTags, &QRadioButton::toggled, this, &TfListBtnCustomize::EnableChoice);
    connect(btnBrowse, &QPushButton::clicked, this, [this] {
        const QString file = TMessageService::Instance().GetOpenFileName(QStringLiteral("Select HTML Document"),
                                                                         QFileInfo(txtFilename->text()).absolutePath(),
                                                                         QStringLiteral("All Files (*)"));
        if (!file.isEmpty())
            txtFilename->setText(file);
    });

    auto *titleRow = new QHBoxLayout;
    auto *titleLabel = new QLabel(QStringLiteral("Button &Title"));
    titleLabel->setBuddy(txtTitle);
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(txtTitle, 1);
    titleRow->addWidget(vqPreview);

    auto *commandColumn = new QVBoxLayout;
    for (QPushButton *button : {btnAddItem, btnAddSeparator, btnRenameItem, btnDeleteItem})
        commandColumn->addWidget(button);
    auto *arrows = new QHBoxLayout;
    arrows->addWidget(btnUp);
    arrows->addWidget(btnDown);
    commandColumn->addLayout(arrows);
    commandColumn->addStretch(1);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(lvwItems, 1);
    listRow->addLayout(commandColumn);

    auto *action = new QGridLayout(grpAction);
    action->addWidget(optTags, 0, 0, 1, 2);
    action->addWidget(new QLabel(QStringLiteral("Start Tag")), 1, 0);
    action->addWidget(new QLabel(QStringLiteral("End Tag")), 1, 1);
    action->addWidget(memStartTag, 2, 0);
    action->addWidget(memEndTag, 2, 1);
    action->addWidget(new QLabel(QStringLiteral("Note: Each tag can be up to 1000 characters in length")), 3, 0, 1, 2);
    action->addWidget(optFile, 4, 0, 1, 2);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(txtFilename, 1);
    fileRow->addWidget(btnBrowse);
    action->addLayout(fileRow, 5, 0, 1, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfListBtnCustomize::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addLayout(listRow, 1);
    layout->addWidget(grpAction);
    layout->addWidget(buttons);

    for (const TvqListMenuItem *item : button.Items()) {
        vqPreview->AddItem(*item);
        AppendRow(item->Action() == vqSeparator ? SeparatorLine() : item->Title().trimmed());
    }
    if (lvwItems->topLevelItemCount() > 0)
        lvwItems->setCurrentItem(lvwItems->topLevelItem(0));
    else
        AddItemClick();
}

QTreeWidgetItem *TfListBtnCustomize::AppendRow(const QString &text)
{
    const QScopedValueRollback showing(m_showing, true);
    auto *row = new QTreeWidgetItem(lvwItems, {text});
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    return row;
}

bool TfListBtnCustomize::MayAdd()
{
    if (lvwItems->topLevelItemCount() < MaxItems)
        return true;
    MessageDlg(QStringLiteral("A maximum of ") + QString::number(MaxItems) + QStringLiteral(" items may be added."),
               TMsgKind::Information);
    return false;
}

void TfListBtnCustomize::StoreFields()
{
    if (m_selected < 0 || m_selected >= lvwItems->topLevelItemCount())
        return;
    TvqListMenuItem *item = vqPreview->Items().at(m_selected);
    const QString text = lvwItems->topLevelItem(m_selected)->text(0);
    if (text == SeparatorLine()) {
        item->SetAction(vqSeparator);
        item->SetTagStart(QString());
        item->SetTagEnd(QString());
        item->SetFilename(QString());
        return;
    }
    // A separator renamed to a title has neither choice yet: it becomes a
    // tag item.
    const bool file = optFile->isChecked();
    item->SetAction(file ? vqInsertFile : vqSimpleTag);
    item->SetTitle(text);
    item->SetTagStart(file ? QString() : MemoText(memStartTag));
    item->SetTagEnd(file ? QString() : MemoText(memEndTag));
    item->SetFilename(file ? txtFilename->text() : QString());
}

void TfListBtnCustomize::ShowItem(int index)
{
    const TvqListMenuItem *item = index >= 0 ? vqPreview->Items().at(index) : nullptr;
    const bool separator = !item || item->Action() == vqSeparator;
    const bool file = item && item->Action() == vqInsertFile;
    // Neither choice is checked for a separator, which a radio group
    // allows only while its buttons are not exclusive.
    optTags->setAutoExclusive(!separator);
    optFile->setAutoExclusive(!separator);
    optTags->setChecked(!separator && !file);
    optFile->setChecked(file);
    optTags->setAutoExclusive(true);
    optFile->setAutoExclusive(true);
    SetMemoText(memStartTag, separator || file ? QString() : item->TagStart());
    SetMemoText(memEndTag, separator || file ? QString() : item->TagEnd());
    txtFilename->setText(file ? item->Filename() : QString());
    EnableChoice();
    for (QAction *command : lvwItems->actions())
        command->setEnabled(item);
}

void TfListBtnCustomize::EnableChoice()
{
    const bool separator = m_selected < 0 || lvwItems->topLevelItem(m_selected)->text(0) == SeparatorLine();
    optTags->setEnabled(!separator);
    optFile->setEnabled(!separator);
    memStartTag->setEnabled(!separator && !optFile->isChecked());
    memEndTag->setEnabled(!separator && !optFile->isChecked());
    txtFilename->setEnabled(!separator && optFile->isChecked());
    btnBrowse->setEnabled(!separator && optFile->isChecked());
}

void TfListBtnCustomize::AddItemClick()
{
    if (!MayAdd())
        return;
    StoreFields();
    vqPreview->AddItem(Untitled);
    lvwItems->setCurrentItem(AppendRow(Untitled));
    if (lvwItems->isVisible() && lvwItems->isEnabled())
        lvwItems->setFocus();
}

void TfListBtnCustomize::AddSeparatorClick()
{
    if (!MayAdd())
        return;
    vqPreview->AddItem(QStringLiteral("-"))->SetAction(vqSeparator);
    lvwItems->setCurrentItem(AppendRow(SeparatorLine()));
}

void TfListBtnCustomize::RenameItemClick()
{
    if (QTreeWidgetItem *row = lvwItems->currentItem())
        lvwItems->editItem(row, 0);
}

void TfListBtnCustomize::TitleEdited(QTreeWidgetItem *row)
{
    {
        const QScopedValueRollback showing(m_showing, true);
        const QString text = row->text(0);
        if (text == QLatin1String("-")) {
            row->setText(0, SeparatorLine());
        } else if (text.size() > TvqListMenuItem::MaxTitle && text != SeparatorLine()) {
            MessageDlg(QStringLiteral("Menu titles must be 15 characters or less in length."), TMsgKind::Information);
            row->setText(0, text.left(TvqListMenuItem::MaxTitle));
        }
    }
    const int index = lvwItems->indexOfTopLevelItem(row);
    if (index != m_selected)
        return;
    StoreFields();
    ShowItem(index);
}

void TfListBtnCustomize::DeleteItemClick()
{
    if (m_selected < 0)
        return;
    StoreFields();
    const int index = std::exchange(m_selected, -1);
    {
        // While the row goes the list and the preview disagree: the new
        // selection is shown once both have lost the item.
        const QSignalBlocker blocker(lvwItems);
        delete lvwItems->takeTopLevelItem(index);
        vqPreview->RemoveItem(index);
    }
    const int next = std::min(index, lvwItems->topLevelItemCount() - 1);
    if (next >= 0)
        lvwItems->setCurrentItem(lvwItems->topLevelItem(next));
    m_selected = next;
    ShowItem(next);
}

void TfListBtnCustomize::MoveItem(int step)
{
    const int target = m_selected + step;
    if (m_selected < 0 || target < 0 || target >= lvwItems->topLevelItemCount())
        return;
    StoreFields();
    TvqListMenuItem *from = vqPreview->Items().at(m_selected);
    TvqListMenuItem *to = vqPreview->Items().at(target);
    TvqListMenuItem held;
    held.CopyFrom(*from);
    from->CopyFrom(*to);
    to->CopyFrom(held);
    {
        const QScopedValueRollback showing(m_showing, true);
        QTreeWidgetItem *fromRow = lvwItems->topLevelItem(m_selected);
        QTreeWidgetItem *toRow = lvwItems->topLevelItem(target);
        const QString text = fromRow->text(0);
        fromRow->setText(0, toRow->text(0));
        toRow->setText(0, text);
    }
    m_selected = -1;
    lvwItems->setCurrentItem(lvwItems->topLevelItem(target));
}

void TfListBtnCustomize::accept()
{
    StoreFields();
    QDialog::accept();
}
