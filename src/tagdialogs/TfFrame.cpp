// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFrame.h"

#include "MessageService.h"
#include "TagText.h"
#include "TfTable.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TvqUpDownEdit *NewMarginField(const char *name)
{
    auto *field = new TvqUpDownEdit(0, 99, 1, QStringLiteral("\\d"), 2);
    field->setObjectName(QLatin1String(name));
    field->SetText(QStringLiteral("0"));
    return field;
}

TfFrame::TfFrame(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Frame"), parent)
{
    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setMaxLength(50);
    txtSource = new QLineEdit;
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setMaxLength(50);
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnSource"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] {
        if (const QString reference = BrowseHTMLDocument(m_context); !reference.isEmpty())
            txtSource->setText(reference);
    });
    cboScrolling = NewAlignCombo(QStringLiteral("cboScrolling"),
                                 {QStringLiteral("Auto"), QStringLiteral("Yes"), QStringLiteral("No")});
    cboBorder = NewAlignCombo(QStringLiteral("cboBorder"), {QStringLiteral("Yes"), QStringLiteral("No")});
    txtMarginHeight = NewMarginField("txtMarginHeight");
    txtMarginWidth = NewMarginField("txtMarginWidth");
    txtSpacing = NewMarginField("txtSpacing");
    chkNoResize = new QCheckBox(QStringLiteral("No &resize"));
    chkNoResize->setObjectName(QStringLiteral("chkNoResize"));

    auto *source = new QHBoxLayout;
    source->addWidget(txtSource, 1);
    source->addWidget(browse);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), txtName);
    fields->addRow(QStringLiteral("&Source:"), source);
    static_cast<QLabel *>(fields->labelForField(source))->setBuddy(txtSource);
    fields->addRow(QStringLiteral("S&crolling:"), cboScrolling);
    fields->addRow(QStringLiteral("&Border:"), cboBorder);
    fields->addRow(QStringLiteral("Margin &Height:"), txtMarginHeight);
    fields->addRow(QStringLiteral("Margin &Width:"), txtMarginWidth);
    fields->addRow(QStringLiteral("S&pacing:"), txtSpacing);
    fields->addRow(chkNoResize);
    SetContent(fields);
}

QString TfFrame::BrowseHTMLDocument(const TTagDialogContext &context)
{
    // This file system tells case apart: both cases of the extension.
    QString file =
        TMessageService::Instance().GetOpenFileName(QStringLiteral("Select HTML Document"), context.documentFolder,
                                                    QStringLiteral("HTML Documents (*.HTM* *.htm*);;All Files (*)"));
    if (file.isEmpty())
        return QString();
    if (context.lowerCaseFiles)
        file = file.toLower();
    const QFileInfo info(file);
    return MakeRelativeFolder(context.documentFolder, info.absolutePath(), context.lowerCaseFiles) + info.fileName();
}

void TfFrame::ReadFields(const QString &tagText)
{
    txtName->setText(GetTagAttribute(tagText, QStringLiteral("NAME=")));
    txtSource->setText(GetTagAttribute(tagText, QStringLiteral("SRC=")));
    txtMarginHeight->SetText(GetTagAttribute(tagText, QStringLiteral("MARGINHEIGHT=")));
    txtMarginWidth->SetText(GetTagAttribute(tagText, QStringLiteral("MARGINWIDTH=")));
    txtSpacing->SetText(GetTagAttribute(tagText, QStringLiteral("FRAMESPACING=")));
    cboScrolling->setEditText(GetTagAttribute(tagText, QStringLiteral("SCROLLING=")));
    cboBorder->setEditText(GetTagAttribute(tagText, QStringLiteral("FRAMEBORDER=")));
    chkNoResize->setChecked(tagText.toUpper().contains(QLatin1String(" NORESIZE")));
}

QString TfFrame::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<FRAME>"));
    SetQuoted(tag, QStringLiteral("NAME="), txtName->text());
    SetQuoted(tag, QStringLiteral("SRC="), txtSource->text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("MARGINHEIGHT=")), txtMarginHeight->Text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("MARGINWIDTH=")), txtMarginWidth->Text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("FRAMESPACING=")), txtSpacing->Text());
    SetQuoted(tag, QStringLiteral("FRAMEBORDER="), cboBorder->currentText());
    SetQuoted(tag, QStringLiteral("SCROLLING="), cboScrolling->currentText());
    const qsizetype noResize = tag.toUpper().indexOf(QLatin1String(" NORESIZE"));
    if (chkNoResize->isChecked() && noResize < 0)
        tag.replace(tag.size() - 1, 1, CaseTag(QStringLiteral(" NORESIZE>")));
    else if (!chkNoResize->isChecked() && noResize >= 0)
        tag.remove(noResize, 9);
    return tag;
}
