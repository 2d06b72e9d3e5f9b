// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMeta.h"

#include "TagText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

constexpr int ContentLimit = 4096;

QComboBox *EditableCombo(const QString &name, const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

} // namespace

TfMeta::TfMeta(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("META Editor"), parent)
{
    const QStringList names{QStringLiteral("Description"), QStringLiteral("Expires"), QStringLiteral("Reply-to"),
                            QStringLiteral("Keywords"), QStringLiteral("PICS-Label")};
    cboEquiv = EditableCombo(QStringLiteral("cboEquiv"), names + QStringList{QStringLiteral("Refresh")});
    memContent = new QPlainTextEdit;
    memContent->setObjectName(QStringLiteral("memContent"));
    memContent->setTabChangesFocus(true);
    memContent->setMinimumSize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 5);
    connect(memContent, &QPlainTextEdit::textChanged, this, [this] {
        // The content holds at most 4096 characters.
        const QString text = memContent->toPlainText();
        if (text.size() > ContentLimit) {
            memContent->setPlainText(text.left(ContentLimit));
            memContent->moveCursor(QTextCursor::End);
        }
    });
    cboName = EditableCombo(QStringLiteral("cboName"), names);
    txtURL = new QLineEdit;
    txtURL->setObjectName(QStringLiteral("txtURL"));
    auto *note = new QLabel(QStringLiteral("Note: for REFRESH, only the CONTENT should be used\n"
                                           "(for example: CONTENT=\"5; URL=http://www.example.com/\")"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&HTTP-EQUIV:"), cboEquiv);
    fields->addRow(QStringLiteral("&Content:"), memContent);
    fields->addRow(QStringLiteral("&Name:"), cboName);
    fields->addRow(QStringLiteral("&URL:"), txtURL);
    fields->addRow(note);
    SetContent(fields);
}

void TfMeta::ReadFields(const QString &tagText)
{
    cboEquiv->setEditText(GetTagAttribute(tagText, QStringLiteral("HTTP-EQUIV=")));
    memContent->setPlainText(GetTagAttribute(tagText, QStringLiteral("CONTENT=")));
    cboName->setEditText(GetTagAttribute(tagText, QStringLiteral("NAME=")));
    txtURL->setText(GetTagAttribute(tagText, QStringLiteral("URL=")));
}

QString TfMeta::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<META>"));
    SetQuoted(tag, QStringLiteral("HTTP-EQUIV="), cboEquiv->currentText());
    SetQuoted(tag, QStringLiteral("CONTENT="), memContent->toPlainText().replace(u'\n', QLatin1String("\r\n")));
    SetQuoted(tag, QStringLiteral("NAME="), cboName->currentText());
    SetQuoted(tag, QStringLiteral("URL="), txtURL->text());
    return tag;
}
