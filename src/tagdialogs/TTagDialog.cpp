// SPDX-License-Identifier: GPL-3.0-or-later
#include "TTagDialog.h"

#include "RegistryKeys.h"
#include "ScriptText.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TvqColorCombo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

TTagDialogContext TTagDialogContext::FromSettings(const QString &documentFolder, TvqRichHTML *editor)
{
    return {documentFolder, ReadRegBool(RegistryKeys::Velicort, QStringLiteral("LowerCaseFiles"), false),
            ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ForceHexColor"), false), editor};
}

TTagDialog::TTagDialog(const TTagDialogContext &context, const QString &caption, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setWindowTitle(caption);
}

void TTagDialog::ReadTag(const QString &tagText)
{
    m_editedTag = tagText;
    ReadFields(tagText);
}

QString TTagDialog::BaseTag(const QString &emptyTag) const
{
    return EditMode() ? m_editedTag : CaseTag(emptyTag);
}

void TTagDialog::SetQuoted(QString &tag, const QString &name, const QString &text)
{
    SetTagAttribute(tag, CaseTag(name), text.isEmpty() ? QString() : u'"' + text + u'"');
}

void TTagDialog::SetUnquoted(QString &tag, const QString &name, const QString &text)
{
    SetTagAttribute(tag, CaseTag(name), PlainAttributeText(text));
}

QLabel *TTagDialog::BuddyLabel(const QString &text, QWidget *field)
{
    auto *label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

QComboBox *TTagDialog::NewImageAlignCombo()
{
    auto *combo = new QComboBox;
    combo->setObjectName(QStringLiteral("cboAlign"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({QStringLiteral("TOP"), QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM"), QStringLiteral("RIGHT"),
                     QStringLiteral("LEFT"), QStringLiteral("TEXTTOP"), QStringLiteral("BASELINE"),
                     QStringLiteral("ABSMIDDLE"), QStringLiteral("ABSBOTTOM")});
    combo->setCurrentIndex(-1);
    return combo;
}

TvqColorCombo *TTagDialog::NewColorCombo(const QString &objectName)
{
    auto *combo = new TvqColorCombo;
    combo->setObjectName(objectName);
    combo->RegRoot = RegistryKeys::Velicort;
    combo->ForceHex = m_context.forceHexColor;
    return combo;
}

void TTagDialog::SetContent(QLayout *fields)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    // Never narrower than its caption needs.
    layout->addSpacerItem(new QSpacerItem(fontMetrics().horizontalAdvance(windowTitle()) + 140, 0));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TTagDialog::RelativeReference(const QString &file) const
{
    const QFileInfo info(file);
    return MakeRelativeFolder(m_context.documentFolder, info.absolutePath(), m_context.lowerCaseFiles) +
           (m_context.lowerCaseFiles ? info.fileName().toLower() : info.fileName());
}
