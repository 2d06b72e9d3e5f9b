// SPDX-License-Identifier: GPL-3.0-or-later
#include "TTagDialog.h"

#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TvqColorCombo.h"

#include <QDialogButtonBox>
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
