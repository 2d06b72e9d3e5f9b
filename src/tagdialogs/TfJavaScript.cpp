// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfJavaScript.h"

#include "ScriptText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

// The window options: the box's caption and the keyword it writes.
const std::pair<const char *, const char *> WindowOptions[] = {
    {"Toolbar", "toolbar"},   {"Menubar", "menubar"},   {"Scrollbars", "scrollbars"},   {"Resizable", "resizable"},
    {"Status bar", "status"}, {"Location", "location"}, {"Directories", "directories"}, {"Copy history", "copyhistory"},
};

QLineEdit *NewLine(const char *name, const QString &text = QString())
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

TfJS_MsgBox::TfJS_MsgBox(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Message Box"), parent)
{
    optAlert = new QRadioButton(QStringLiteral("Alert"));
    optAlert->setObjectName(QStringLiteral("optAlert"));
    optAlert->setChecked(true);
    optConfirm = new QRadioButton(QStringLiteral("Confirm"));
    optConfirm->setObjectName(QStringLiteral("optConfirm"));
    auto *kinds = new QGroupBox(QStringLiteral("Message &Type"));
    auto *kindsLayout = new QHBoxLayout(kinds);
    kindsLayout->addWidget(optAlert);
    kindsLayout->addWidget(optConfirm);
    txtText = NewLine("txtText");
    txtText->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    auto *fields = new QFormLayout;
    fields->addRow(kinds);
    fields->addRow(QStringLiteral("&Message Text:"), txtText);
    SetContent(fields);
    txtText->setFocus();
}

QString TfJS_MsgBox::StartText() const
{
    return (optConfirm->isChecked() ? QStringLiteral("confirm(\"") : QStringLiteral("alert(\"")) +
           ScriptStringText(txtText->text(), u'"') + QStringLiteral("\");");
}

TfJS_OpenWindow::TfJS_OpenWindow(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Open Window"), parent)
{
    txtURL = NewLine("txtURL", QStringLiteral("http://"));
    txtURL->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    txtTitle = NewLine("txtTitle");
    auto *options = new QGroupBox(QStringLiteral("&Options"));
    auto *grid = new QGridLayout(options);
    for (const auto &[caption, keyword] : WindowOptions) {
        auto *box = new QCheckBox(QLatin1String(caption));
        box->setObjectName(QStringLiteral("chk") + QLatin1String(keyword));
        box->setProperty("keyword", QLatin1String(keyword));
        grid->addWidget(box, int(m_options.size()) / 2, int(m_options.size()) % 2);
        m_options.append(box);
    }
    txtWidth = NewLine("txtWidth");
    txtHeight = NewLine("txtHeight");
    for (QLineEdit *size : {txtWidth, txtHeight}) {
        size->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), size));
        size->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);
    }
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&URL:"), txtURL);
    fields->addRow(QStringLiteral("&Title:"), txtTitle);
    fields->addRow(options);
    fields->addRow(QStringLiteral("Width:"), txtWidth);
    fields->addRow(QStringLiteral("Height:"), txtHeight);
    SetContent(fields);
    txtURL->setFocus();
}

QString TfJS_OpenWindow::StartText() const
{
    QString options;
    for (const QCheckBox *box : m_options)
        if (box->isChecked())
            options += box->property("keyword").toString() + u',';
    if (txtHeight->text().toInt() > 0)
        options += QStringLiteral("height=") + txtHeight->text() + u',';
    if (txtWidth->text().toInt() > 0)
        options += QStringLiteral("width=") + txtWidth->text() + u',';
    options.chop(options.endsWith(u',') ? 1 : 0);
    QString call = QStringLiteral("window.open('") + ScriptStringText(txtURL->text(), u'\'') + QStringLiteral("', '") +
                   ScriptStringText(txtTitle->text(), u'\'') + u'\'';
    if (!options.isEmpty())
        call += QStringLiteral(", '") + options + u'\'';
    return call + QStringLiteral(");");
}
