// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfActiveX.h"

#include "Paths.h"
#include "ScriptText.h"
#include "TagText.h"
#include "TvqUpDownEdit.h"
#include "URLHistory.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTextStream>

QList<TControlInfo> ReadControlList(const QString &path)
{
    QList<TControlInfo> controls;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return controls;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(u'|');
        if (fields.size() < 2 || fields.at(1).trimmed().isEmpty())
            continue;
        controls.append({fields.at(0).trimmed(), fields.at(1).trimmed(), fields.value(2).trimmed()});
    }
    std::sort(controls.begin(), controls.end(), [](const TControlInfo &a, const TControlInfo &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return controls;
}

QString ControlListPath()
{
    const QString user =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/ActiveX.dat");
    return QFile::exists(user) ? user : DataFilePath(QStringLiteral("ActiveX.dat"));
}

TfActiveX::TfActiveX(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Insert ActiveX Control"), parent),
      m_controls(ReadControlList(ControlListPath()))
{
    lstControls = new QListWidget;
    lstControls->setObjectName(QStringLiteral("lstControls"));
    for (const TControlInfo &control : std::as_const(m_controls))
        lstControls->addItem(control.name);
    lstControls->setCurrentRow(m_controls.isEmpty() ? -1 : 0);
    lstControls->setMinimumWidth(fontMetrics().averageCharWidth() * 40);

    const auto radio = [](const char *name, const QString &caption) {
        auto *button = new QRadioButton(caption);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    optClassID = radio("optClassID", QStringLiteral("&ClassID"));
    optProgID = radio("optProgID", QStringLiteral("&ProgID"));
    optClassID->setChecked(true);
    optObject = radio("optObject", QStringLiteral("<&OBJECT>"));
    optInsert = radio("optInsert", QStringLiteral("<&INSERT>"));
    optObject->setChecked(true);
    auto *identifier = new QGroupBox(QStringLiteral("Identify by"));
    auto *identifierLayout = new QHBoxLayout(identifier);
    identifierLayout->addWidget(optClassID);
    identifierLayout->addWidget(optProgID);
    auto *tag = new QGroupBox(QStringLiteral("Tag"));
    auto *tagLayout = new QHBoxLayout(tag);
    tagLayout->addWidget(optObject);
    tagLayout->addWidget(optInsert);

    const auto size = [](const char *name, const QString &text) {
        auto *edit = new TvqUpDownEdit(0, 9999, 5, QStringLiteral("\\d"), 4);
        edit->setObjectName(QLatin1String(name));
        edit->SetText(text);
        return edit;
    };
    txtWidth = size("txtWidth", QStringLiteral("80"));
    txtHeight = size("txtHeight", QStringLiteral("30"));
    cboCodeBase = new QComboBox;
    cboCodeBase->setObjectName(QStringLiteral("cboCodeBase"));
    cboCodeBase->setEditable(true);
    cboCodeBase->setInsertPolicy(QComboBox::NoInsert);
    QStringList known = KnownURLs(context.documentFolder, context.lowerCaseFiles);
    known.sort(Qt::CaseInsensitive);
    cboCodeBase->addItems(known);
    cboCodeBase->setCurrentIndex(-1);

    auto *fields = new QFormLayout;
    fields->addRow(lstControls);
    fields->addRow(identifier);
    fields->addRow(tag);
    fields->addRow(QStringLiteral("&Width:"), txtWidth);
    fields->addRow(QStringLiteral("&Height:"), txtHeight);
    fields->addRow(QStringLiteral("Code&Base:"), cboCodeBase);
    SetContent(fields);
}

const TControlInfo *TfActiveX::SelectedControl() const
{
    const int row = lstControls->currentRow();
    return row >= 0 && row < m_controls.size() ? &m_controls.at(row) : nullptr;
}

QString TfActiveX::StartText() const
{
    QString text = CaseTag(optInsert->isChecked() ? QStringLiteral("<INSERT ") : QStringLiteral("<OBJECT "));
    if (const TControlInfo *control = SelectedControl()) {
        text += QStringLiteral("\r\n\tID=\"") + AttributeText(control->name) + u'"';
        text +=
            QStringLiteral("\r\n\t") +
            CaseTag(optProgID->isChecked() ? QStringLiteral("CLASSID=\"PROGID:") : QStringLiteral("CLASSID=\"CLSID:")) +
            AttributeText(optProgID->isChecked() ? control->progID : control->classID) + u'"';
    }
    if (!txtWidth->Text().isEmpty())
        text += QStringLiteral("\r\n\t") + CaseTag(QStringLiteral("WIDTH=")) + txtWidth->Text();
    if (!txtHeight->Text().isEmpty())
        text += QStringLiteral("\r\n\t") + CaseTag(QStringLiteral("HEIGHT=")) + txtHeight->Text();
    if (!cboCodeBase->currentText().isEmpty())
        text += QStringLiteral("\r\n\t") + CaseTag(QStringLiteral("CODEBASE=\"")) +
                AttributeText(cboCodeBase->currentText()) + u'"';
    return text + QStringLiteral(">\r\n");
}

QString TfActiveX::EndText() const
{
    return QStringLiteral("\r\n") +
           CaseTag(optInsert->isChecked() ? QStringLiteral("</INSERT>") : QStringLiteral("</OBJECT>")) +
           QStringLiteral("\r\n");
}
