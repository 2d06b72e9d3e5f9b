// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfScriptWizard.h"

#include "MessageService.h"
#include "Paths.h"
#include "ScriptText.h"
#include "TagText.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

QString ScriptTemplatePath(const QString &name)
{
    const QString user =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Scripts/") + name;
    return QFile::exists(user) ? user : DataFilePath(QStringLiteral("Scripts/") + name);
}

TfScriptWizard::TfScriptWizard(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Script Wizard"), parent)
{
    pgcPages = new QTabWidget;
    pgcPages->setObjectName(QStringLiteral("pgcPages"));

    auto *menuPage = new QWidget;
    txtMenuTitle = new QLineEdit(QStringLiteral("Select your destination..."));
    txtMenuTitle->setObjectName(QStringLiteral("txtMenuTitle"));
    lvwMenuItems = new QTreeWidget;
    lvwMenuItems->setObjectName(QStringLiteral("lvwMenuItems"));
    lvwMenuItems->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("URL")});
    lvwMenuItems->setRootIsDecorated(false);
    auto *add = new QPushButton(QStringLiteral("&Add..."));
    add->setObjectName(QStringLiteral("btnAdd"));
    connect(add, &QPushButton::clicked, this, &TfScriptWizard::btnAddClick);
    auto *remove = new QPushButton(QStringLiteral("&Delete"));
    remove->setObjectName(QStringLiteral("btnDelete"));
    connect(remove, &QPushButton::clicked, this, &TfScriptWizard::btnDeleteClick);
    auto *menuButtons = new QVBoxLayout;
    menuButtons->addWidget(add);
    menuButtons->addWidget(remove);
    menuButtons->addStretch();
    auto *menuItems = new QHBoxLayout;
    menuItems->addWidget(lvwMenuItems, 1);
    menuItems->addLayout(menuButtons);
    auto *menuFields = new QFormLayout(menuPage);
    menuFields->addRow(QStringLiteral("Title:"), txtMenuTitle);
    menuFields->addRow(QStringLiteral("Items:"), menuItems);
    pgcPages->addTab(menuPage, QStringLiteral("URL Selection"));

    auto *fadePage = new QWidget;
    vqColorFadeFrom = NewColorCombo(QStringLiteral("vqColorFadeFrom"));
    vqColorFadeTo = NewColorCombo(QStringLiteral("vqColorFadeTo"));
    for (TvqColorCombo *combo : {vqColorFadeFrom, vqColorFadeTo})
        combo->ForceHex = false;
    vqColorFadeFrom->SetColorText(QStringLiteral("White"));
    vqColorFadeTo->SetColorText(QStringLiteral("Black"));
    txtSpeed = new TvqUpDownEdit(2, 255, 1, QStringLiteral("\\d"), 3);
    txtSpeed->setObjectName(QStringLiteral("txtSpeed"));
    txtSpeed->SetText(QStringLiteral("50"));
    auto *explanation = new QLabel(QStringLiteral(
        "This script will create a faded background when your page is first accessed.  The \"Speed\" value may be "
        "between 2 and 255, with lower numbers denoting faster speeds."));
    explanation->setWordWrap(true);
    auto *fadeFields = new QFormLayout(fadePage);
    fadeFields->addRow(QStringLiteral("Fade &from:"), vqColorFadeFrom);
    fadeFields->addRow(QStringLiteral("Fade &to:"), vqColorFadeTo);
    fadeFields->addRow(QStringLiteral("&Speed:"), txtSpeed);
    fadeFields->addRow(explanation);
    pgcPages->addTab(fadePage, QStringLiteral("Background Fade"));

    auto *modifiedPage = new QWidget;
    txtLastModified = new QLineEdit(QStringLiteral("Last modified"));
    txtLastModified->setObjectName(QStringLiteral("txtLastModified"));
    auto *modifiedFields = new QFormLayout(modifiedPage);
    modifiedFields->addRow(QStringLiteral("Prefix:"), txtLastModified);
    pgcPages->addTab(modifiedPage, QStringLiteral("Last Modified Date"));

    optCopy = new QRadioButton(QStringLiteral("Copy script to clipboard"));
    optCopy->setObjectName(QStringLiteral("optCopy"));
    optInsert = new QRadioButton(QStringLiteral("Insert script into current document"));
    optInsert->setObjectName(QStringLiteral("optInsert"));
    optInsert->setChecked(true);

    auto *layout = new QVBoxLayout;
    layout->addWidget(pgcPages);
    layout->addWidget(optCopy);
    layout->addWidget(optInsert);
    SetContent(layout);
}

void TfScriptWizard::btnAddClick()
{
    QString name = QStringLiteral("Name");
    if (!TMessageService::Instance().InputQuery(QStringLiteral("Add Item Name"),
                                                QStringLiteral("Enter the Name for the new item:"), name))
        return;
    for (int i = 0; i < lvwMenuItems->topLevelItemCount(); ++i)
        if (lvwMenuItems->topLevelItem(i)->text(0) == name) {
            MessageDlg(QStringLiteral("This name already exists in the list."), TMsgKind::Warning);
            return;
        }
    QString url = QStringLiteral("URL");
    if (!TMessageService::Instance().InputQuery(QStringLiteral("Add Item URL"),
                                                QStringLiteral("Enter the URL for the new item:"), url) ||
        url.trimmed().isEmpty())
        return;
    auto *item = new QTreeWidgetItem(lvwMenuItems, {name, url});
    lvwMenuItems->setCurrentItem(item);
}

void TfScriptWizard::btnDeleteClick()
{
    delete lvwMenuItems->currentItem();
}

QString TfScriptWizard::MenuPiece() const
{
    QString piece = QStringLiteral("document.write('<option value=none>") + HTMLInScriptText(txtMenuTitle->text()) +
                    QStringLiteral("');\r\ndocument.write('<option value=none>--------------------');");
    for (int i = 0; i < lvwMenuItems->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = lvwMenuItems->topLevelItem(i);
        piece += QStringLiteral("\r\ndocument.write('<option value=\"") + HTMLInScriptText(item->text(1)) +
                 QStringLiteral("\">") + HTMLInScriptText(item->text(0)) + QStringLiteral("');");
    }
    return piece;
}

QString TfScriptWizard::FadePiece() const
{
    const auto rgb = [](const TvqColorCombo *combo) {
        const QColor color = combo->SelectedColor();
        return color.isValid() ? QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue())
                               : QStringLiteral("0,0,0");
    };
    bool isNumber = false;
    const int typed = txtSpeed->Text().toInt(&isNumber);
    const int speed = std::clamp(isNumber ? typed : 50, 2, 255);
    return QStringLiteral("fade(") + rgb(vqColorFadeFrom) + u',' + rgb(vqColorFadeTo) + u',' + QString::number(speed) +
           QStringLiteral(");");
}

QString TfScriptWizard::LastModifiedScript() const
{
    return CaseTag(QStringLiteral("<SCRIPT LANGUAGE=")) +
           QStringLiteral("\"JavaScript\">\r\n<!--\r\n\tdocument.write(\"") +
           ScriptStringText(txtLastModified->text(), u'"') +
           QStringLiteral(" \" + document.lastModified);\r\n// -->\r\n") + CaseTag(QStringLiteral("</SCRIPT>"));
}

QString TfScriptWizard::FromTemplateFile(const QString &path, const QString &piece)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageDlg(QStringLiteral("The source for this script could not be found at \"") + ToNativePath(path) +
                       QStringLiteral(".\""),
                   TMsgKind::Error);
        return QString();
    }
    return FillScriptTemplate(QString::fromUtf8(file.readAll()), piece);
}

void TfScriptWizard::accept()
{
    switch (pgcPages->currentIndex()) {
    case 0:
        m_script = FromTemplateFile(ScriptTemplatePath(QStringLiteral("menu.js")), MenuPiece());
        break;
    case 1:
        m_script = FromTemplateFile(ScriptTemplatePath(QStringLiteral("fade.js")), FadePiece());
        break;
    default:
        m_script = LastModifiedScript();
        break;
    }
    if (optCopy->isChecked() && !m_script.isEmpty()) {
        QApplication::clipboard()->setText(m_script);
        MessageDlg(QStringLiteral("The script has been copied to the clipboard."), TMsgKind::Information);
    }
    TTagDialog::accept();
}

QString TfScriptWizard::StartText() const
{
    return optInsert->isChecked() ? m_script : QString();
}
