// SPDX-License-Identifier: GPL-3.0-or-later
#include "TSugDialog.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// How far from the top or the bottom of the screen the window goes when it
// moves off the word it reports.
constexpr int ScreenMargin = 20;
} // namespace

TSugDialog::TSugDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SugDialog"));
    setWindowTitle(QStringLiteral("Spelling"));
    setModal(false);

    NotWord = new QLineEdit;
    NotWord->setObjectName(QStringLiteral("NotWord"));
    NotWord->setReadOnly(true);
    WordEdit = new QLineEdit;
    WordEdit->setObjectName(QStringLiteral("WordEdit"));
    SuggestList = new QListWidget;
    SuggestList->setObjectName(QStringLiteral("SuggestList"));

    auto *fields = new QVBoxLayout;
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Not in Dictionary:"), NotWord);
    form->addRow(QStringLiteral("Change To:"), WordEdit);
    fields->addLayout(form);
    fields->addWidget(new QLabel(QStringLiteral("Suggestions:")));
    fields->addWidget(SuggestList);

    auto *buttons = new QGridLayout;
    const auto place = [&](QPushButton *button, int row, int column) { buttons->addWidget(button, row, column); };
    place(AddButton(QStringLiteral("btnChange"), QStringLiteral("&Change"), mrChange), 0, 0);
    place(AddButton(QStringLiteral("btnChangeAll"), QStringLiteral("Change Al&l"), mrChangeAll), 0, 1);
    place(AddButton(QStringLiteral("btnIgnore"), QStringLiteral("&Ignore"), mrIgnore), 1, 0);
    place(AddButton(QStringLiteral("btnIgnoreAll"), QStringLiteral("I&gnore All"), mrIgnoreAll), 1, 1);
    place(AddButton(QStringLiteral("btnAdd"), QStringLiteral("&Add"), mrAdd), 2, 0);
    place(AddButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), mrCancel), 2, 1);
    QPushButton *suggest = AddButton(QStringLiteral("btnSuggest"), QStringLiteral("&Suggest"), mrNone);
    QPushButton *phoneme = AddButton(QStringLiteral("btnPhoneme"), QStringLiteral("&Phoneme"), mrNone);
    place(suggest, 3, 0);
    place(phoneme, 3, 1);
    connect(suggest, &QPushButton::clicked, this, [this] { emit SuggestRequested(false); });
    connect(phoneme, &QPushButton::clicked, this, [this] { emit SuggestRequested(true); });
    buttons->setRowStretch(4, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(SuggestList, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            WordEdit->setText(text);
    });
    connect(SuggestList, &QListWidget::itemDoubleClicked, this, [this] { m_result = mrChange; });
    connect(WordEdit, &QLineEdit::returnPressed, this, [this] { m_result = mrChange; });
}

QPushButton *TSugDialog::AddButton(const QString &name, const QString &text, int result)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (result != mrNone)
        connect(button, &QPushButton::clicked, this, [this, result] { m_result = result; });
    return button;
}

void TSugDialog::SetSuggestions(const QStringList &words)
{
    const QSignalBlocker blocker(SuggestList);
    SuggestList->clear();
    SuggestList->addItems(words);
}

void TSugDialog::AvoidPoint(const QPoint &word)
{
    if (!frameGeometry().contains(word))
        return;
    const QRect area = screen()->geometry();
    const int y = word.y() > area.center().y() ? area.top() + ScreenMargin
                                               : area.bottom() - ScreenMargin - frameGeometry().height();
    move(x(), y);
}

void TSugDialog::reject()
{
    m_result = mrCancel;
}

void TSugDialog::closeEvent(QCloseEvent *event)
{
    // The checker hides the window; the user's close is a Cancel.
    m_result = mrCancel;
    event->ignore();
}
