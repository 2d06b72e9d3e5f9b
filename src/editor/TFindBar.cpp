// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFindBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QComboBox *HistoryBox(const QString &name)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    // The history is kept by the commands, newest first.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(15);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    box->setMinimumContentsLength(12);
    return box;
}

QPushButton *Button(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox *Option(const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

} // namespace

TFindBar::TFindBar(QWidget *parent)
    : QWidget(parent), cboFind(HistoryBox(QStringLiteral("cboFind"))),
      cboReplace(HistoryBox(QStringLiteral("cboReplace"))),
      m_matchCase(Option(QStringLiteral("chkMatchCase"), tr("&Match case"))),
      m_wholeWord(Option(QStringLiteral("chkWholeWord"), tr("&Whole word"))),
      m_regularExpression(Option(QStringLiteral("chkRegularExpression"), tr("Re&gular expression"))),
      m_wrapAround(Option(QStringLiteral("chkWrapAround"), tr("Wrap aroun&d"))),
      m_inSelection(Option(QStringLiteral("chkInSelection"), tr("In sele&ction"))), m_result(new QLabel)
{
    setObjectName(QStringLiteral("pnlFind"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    m_result->setObjectName(QStringLiteral("lblFindResult"));
    m_result->setMinimumWidth(120);
    // The mnemonics keep clear of the menu bar's letters and of Alt+X (Exit).

    QPushButton *next = Button(QStringLiteral("btnFindNext"), tr("&Next"));
    QPushButton *previous = Button(QStringLiteral("btnFindPrevious"), tr("Previo&us"));
    QPushButton *replace = Button(QStringLiteral("btnReplace"), tr("&Replace"));
    QPushButton *replaceAll = Button(QStringLiteral("btnReplaceAll"), tr("Replace a&ll"));
    auto *close = new QToolButton;
    close->setObjectName(QStringLiteral("btnFindClose"));
    close->setText(QStringLiteral("\u2715"));
    close->setToolTip(tr("Close (Escape)"));
    close->setAutoRaise(true);

    auto *findLabel = new QLabel(tr("F&ind:"));
    findLabel->setBuddy(cboFind);
    auto *replaceLabel = new QLabel(tr("Re&place with:"));
    replaceLabel->setBuddy(cboReplace);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 3, 4, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(cboFind, 0, 1);
    grid->addWidget(next, 0, 2);
    grid->addWidget(previous, 0, 3);
    // The options in two rows beside the buttons, so that the bar fits a
    // narrow window; the second row stays when the replacement is hidden.
    grid->addWidget(m_matchCase, 0, 4);
    grid->addWidget(m_wholeWord, 0, 5);
    grid->addWidget(m_regularExpression, 0, 6);
    grid->addWidget(close, 0, 8);
    grid->addWidget(m_wrapAround, 1, 4);
    grid->addWidget(m_inSelection, 1, 5);
    grid->addWidget(m_result, 1, 6, 1, 2);

    // The replacement row lines up with the first one.
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(cboReplace, 1, 1);
    grid->addWidget(replace, 1, 2);
    grid->addWidget(replaceAll, 1, 3);
    m_replaceRow = {replaceLabel, cboReplace, replace, replaceAll};
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(7, 1);

    // The box takes the keys while it has the focus and hands them to its
    // line edit without passing the line edit's filters.
    for (QComboBox *box : {cboFind, cboReplace}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
    connect(next, &QPushButton::clicked, this, &TFindBar::FindNext);
    connect(previous, &QPushButton::clicked, this, &TFindBar::FindPrevious);
    connect(replace, &QPushButton::clicked, this, &TFindBar::Replace);
    connect(replaceAll, &QPushButton::clicked, this, &TFindBar::ReplaceAll);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit Closed();
    });
    connect(cboFind, &QComboBox::editTextChanged, this, &TFindBar::SearchChange);
    for (QCheckBox *box : {m_matchCase, m_wholeWord, m_regularExpression, m_wrapAround, m_inSelection})
        connect(box, &QCheckBox::toggled, this, &TFindBar::SearchChange);
    hide();
}

void TFindBar::Open(bool replace)
{
    for (QWidget *widget : m_replaceRow)
        widget->setVisible(replace);
    show();
    cboFind->setFocus();
    cboFind->lineEdit()->selectAll();
}

bool TFindBar::ReplaceShown() const
{
    return !isHidden() && !cboReplace->isHidden();
}

QString TFindBar::FindText() const
{
    return cboFind->currentText();
}

void TFindBar::SetFindText(const QString &text)
{
    cboFind->setEditText(text);
}

QString TFindBar::ReplaceText() const
{
    return cboReplace->currentText();
}

TSearchOptions TFindBar::Options() const
{
    TSearchOptions options;
    options.matchCase = m_matchCase->isChecked();
    options.wholeWord = m_wholeWord->isChecked();
    options.regularExpression = m_regularExpression->isChecked();
    options.wrapAround = m_wrapAround->isChecked();
    options.inSelection = m_inSelection->isChecked();
    return options;
}

void TFindBar::SetOptions(const TSearchOptions &options)
{
    m_matchCase->setChecked(options.matchCase);
    m_wholeWord->setChecked(options.wholeWord);
    m_regularExpression->setChecked(options.regularExpression);
    m_wrapAround->setChecked(options.wrapAround);
    m_inSelection->setChecked(options.inSelection);
}

void TFindBar::SetInSelection(bool on)
{
    m_inSelection->setChecked(on);
}

void TFindBar::SetHistory(const QStringList &finds, const QStringList &replacements)
{
    for (const auto &[box, texts] : {std::pair{cboFind, &finds}, std::pair{cboReplace, &replacements}}) {
        const QString current = box->currentText();
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(*texts);
        box->setEditText(current);
    }
}

void TFindBar::ShowResult(const QString &text, bool problem)
{
    m_result->setText(text);
    m_result->setStyleSheet(problem ? QStringLiteral("color: #B00000;") : QString());
}

QString TFindBar::Result() const
{
    return m_result->text();
}

bool TFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched == cboReplace || watched == cboReplace->lineEdit())
            emit Replace();
        else if (key->modifiers() & Qt::ShiftModifier)
            emit FindPrevious();
        else
            emit FindNext();
        return true;
    case Qt::Key_Escape:
        hide();
        emit Closed();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
