// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfComment.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TfComment::TfComment(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Comment"), parent)
{
    memComment = new QPlainTextEdit;
    memComment->setObjectName(QStringLiteral("memComment"));
    memComment->setTabChangesFocus(true);
    memComment->setMinimumSize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 8);
    memComment->installEventFilter(this);
    auto *label = new QLabel(QStringLiteral("Comment:"));
    label->setBuddy(memComment);
    auto *fields = new QVBoxLayout;
    fields->addWidget(label);
    fields->addWidget(memComment);
    SetContent(fields);
    memComment->setFocus();
}

void TfComment::ReadFields(const QString &tagText)
{
    QString text = tagText;
    text.remove(QStringLiteral("<!--"), Qt::CaseInsensitive).remove(QStringLiteral("-->"), Qt::CaseInsensitive);
    memComment->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

QString TfComment::StartText() const
{
    QStringList lines = memComment->toPlainText().split(u'\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    QString text;
    for (const QString &line : std::as_const(lines))
        text += QStringLiteral("<!--") + line + QStringLiteral("-->\r\n");
    return text;
}

bool TfComment::eventFilter(QObject *watched, QEvent *event)
{
    // The caret goes to the end of the text whenever the memo is entered.
    if (watched == memComment && event->type() == QEvent::FocusIn)
        memComment->moveCursor(QTextCursor::End);
    return TTagDialog::eventFilter(watched, event);
}
