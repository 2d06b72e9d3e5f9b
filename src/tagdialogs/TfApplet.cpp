// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfApplet.h"

#include "MessageService.h"
#include "RegistryKeys.h"
#include "ScriptText.h"
#include "SettingsStore.h"
#include "TagText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace {

const QString ParamNamesKey = RegistryKeys::Velicort + QStringLiteral("\\ParamNames");

QLineEdit *NewLine(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

void SortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

} // namespace

TfApplet::TfApplet(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Applet"), parent)
{
    txtCode = NewLine("txtCode");
    txtCode->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnBrowse"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString file =
            TMessageService::Instance().GetOpenFileName(QStringLiteral("Select a File"), m_context.documentFolder,
                                                        QStringLiteral("Class files (*.class);;All files (*)"));
        if (!file.isEmpty())
            txtCode->setText(RelativeReference(file));
    });
    auto *code = new QHBoxLayout;
    code->addWidget(txtCode, 1);
    code->addWidget(browse);
    txtCodeBase = NewLine("txtCodeBase");
    txtName = NewLine("txtName");
    txtTitle = NewLine("txtTitle");
    cboAlign = new QComboBox;
    cboAlign->setObjectName(QStringLiteral("cboAlign"));
    cboAlign->setEditable(true);
    cboAlign->setInsertPolicy(QComboBox::NoInsert);
    cboAlign->addItems({QStringLiteral("LEFT"), QStringLiteral("CENTER"), QStringLiteral("RIGHT"),
                        QStringLiteral("TOP"), QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM")});
    cboAlign->setCurrentIndex(-1);
    txtWidth = NewLine("txtWidth");
    txtHeight = NewLine("txtHeight");
    for (QLineEdit *size : {txtWidth, txtHeight})
        size->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\d%]*")), size));
    auto *fields = new QFormLayout;
    fields->addRow(BuddyLabel(QStringLiteral("&Code:"), txtCode), code);
    fields->addRow(QStringLiteral("Code&base:"), txtCodeBase);
    fields->addRow(QStringLiteral("&Name:"), txtName);
    fields->addRow(QStringLiteral("&Title:"), txtTitle);
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    fields->addRow(QStringLiteral("&Width:"), txtWidth);
    fields->addRow(QStringLiteral("&Height:"), txtHeight);
    SetContent(fields);
}

void TfApplet::ReadFields(const QString &tagText)
{
    txtCode->setText(GetTagAttribute(tagText, QStringLiteral("CODE=")));
    txtCodeBase->setText(GetTagAttribute(tagText, QStringLiteral("CODEBASE=")));
    txtName->setText(GetTagAttribute(tagText, QStringLiteral("NAME=")));
    txtTitle->setText(GetTagAttribute(tagText, QStringLiteral("TITLE=")));
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    txtWidth->setText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    txtHeight->setText(GetTagAttribute(tagText, QStringLiteral("HEIGHT=")));
}

QString TfApplet::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<APPLET>"));
    SetQuoted(tag, QStringLiteral("CODE="), AttributeText(txtCode->text()));
    SetQuoted(tag, QStringLiteral("CODEBASE="), AttributeText(txtCodeBase->text()));
    SetQuoted(tag, QStringLiteral("NAME="), AttributeText(txtName->text()));
    SetQuoted(tag, QStringLiteral("TITLE="), AttributeText(txtTitle->text()));
    SetQuoted(tag, QStringLiteral("ALIGN="), AttributeText(cboAlign->currentText()));
    SetUnquoted(tag, QStringLiteral("WIDTH="), txtWidth->text());
    SetUnquoted(tag, QStringLiteral("HEIGHT="), txtHeight->text());
    return tag;
}

QString TfApplet::EndText() const
{
    return EditMode() ? QString() : QStringLiteral("\r\n\r\n") + CaseTag(QStringLiteral("</APPLET>"));
}

QStringList ReadParamNames()
{
    QStringList names;
    for (int i = 1; i <= ParamNamesLimit; ++i) {
        const QString name = ReadRegValue(ParamNamesKey, QStringLiteral("ParamName%1").arg(i), QString());
        if (!name.isEmpty())
            names.append(name);
    }
    SortNames(names);
    return names;
}

QStringList AddParamName(QStringList names, const QString &name)
{
    if (name.isEmpty() || names.contains(name, Qt::CaseInsensitive))
        return names;
    SortNames(names);
    while (names.size() >= ParamNamesLimit)
        names.removeLast();
    names.append(name);
    SortNames(names);
    return names;
}

void WriteParamNames(const QStringList &names)
{
    EraseRegKey(ParamNamesKey);
    for (qsizetype i = 0; i < names.size(); ++i)
        WriteRegValue(ParamNamesKey, QStringLiteral("ParamName%1").arg(i + 1), names.at(i));
}

TfParameter::TfParameter(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Parameter"), parent)
{
    cboName = new QComboBox;
    cboName->setObjectName(QStringLiteral("cboName"));
    cboName->setEditable(true);
    cboName->setInsertPolicy(QComboBox::NoInsert);
    cboName->addItems(ReadParamNames());
    cboName->setCurrentIndex(-1);
    cboName->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    txtValue = NewLine("txtValue");
    txtValue->setMaxLength(1024);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), cboName);
    fields->addRow(QStringLiteral("&Value:"), txtValue);
    SetContent(fields);
}

void TfParameter::ReadFields(const QString &tagText)
{
    cboName->setEditText(GetTagAttribute(tagText, QStringLiteral("NAME=")));
    txtValue->setText(GetTagAttribute(tagText, QStringLiteral("VALUE=")));
}

void TfParameter::accept()
{
    const QStringList names = ReadParamNames();
    const QStringList added = AddParamName(names, cboName->currentText());
    if (added != names)
        WriteParamNames(added);
    TTagDialog::accept();
}

QString TfParameter::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<PARAM>"));
    SetQuoted(tag, QStringLiteral("NAME="), AttributeText(cboName->currentText()));
    SetQuoted(tag, QStringLiteral("VALUE="), AttributeText(txtValue->text()));
    return tag;
}
