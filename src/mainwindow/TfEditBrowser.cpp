// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfEditBrowser.h"

#include "MessageService.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TfEditBrowser::TfEditBrowser(const TExternalBrowserInfo &entry, bool isNew, QWidget *parent)
    : QDialog(parent), txtBrowserName(new QLineEdit(entry.Name)), txtBrowserLoc(new QLineEdit(entry.Location)),
      btnBrowse(new QPushButton(QStringLiteral("..."))), chkUseDDE(new QCheckBox(QStringLiteral("Use DDE")))
{
    setObjectName(QStringLiteral("TfEditBrowser"));
    setWindowTitle(QStringLiteral("Browser"));
    txtBrowserName->setObjectName(QStringLiteral("txtBrowserName"));
    txtBrowserLoc->setObjectName(QStringLiteral("txtBrowserLoc"));
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    chkUseDDE->setObjectName(QStringLiteral("chkUseDDE"));

    // Characters no file path may hold are refused as they are typed.
    txtBrowserLoc->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"*<>?|]*")), txtBrowserLoc));
    chkUseDDE->setChecked(isNew || entry.UseDDE);
    chkUseDDE->setToolTip(QStringLiteral("Browsers are started as programs here; this setting is only kept with "
                                         "the browser entry."));
    connect(btnBrowse, &QPushButton::clicked, this, &TfEditBrowser::btnBrowseClick);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfEditBrowser::btnOKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *location = new QHBoxLayout;
    location->addWidget(txtBrowserLoc);
    location->addWidget(btnBrowse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), txtBrowserName);
    form->addRow(QStringLiteral("Location"), location);
    form->addRow(QString(), chkUseDDE);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

std::optional<TExternalBrowserInfo> TfEditBrowser::Edit(const TExternalBrowserInfo &entry, bool isNew, QWidget *parent)
{
    TfEditBrowser dialog(entry, isNew, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Entry();
}

TExternalBrowserInfo TfEditBrowser::Entry() const
{
    return {txtBrowserName->text(), txtBrowserLoc->text(), chkUseDDE->isChecked()};
}

bool TfEditBrowser::CheckEntry()
{
    if (txtBrowserName->text().isEmpty()) {
        MessageDlg(QStringLiteral("Please enter a name for this browser."), TMsgKind::Warning);
        txtBrowserName->setFocus();
        return false;
    }
    if (txtBrowserLoc->text().isEmpty()) {
        MessageDlg(QStringLiteral("Please enter a location for this browser."), TMsgKind::Warning);
        txtBrowserLoc->setFocus();
        return false;
    }
    if (QFileInfo(txtBrowserLoc->text()).fileName().toUpper() == QLatin1String("IEXPLORE.EXE") &&
        chkUseDDE->isChecked())
        MessageDlg(QStringLiteral("For best results with Microsoft Internet Explorer, it is recommended that you make "
                                  "it your default browser, and uncheck the \"Use DDE\" setting.  However, if MSIE "
                                  "isn't your default browser, you should leave \"Use DDE\" checked."),
                   TMsgKind::Information);
    return true;
}

// Programs have no extension here, so the filter lists every file.
void TfEditBrowser::btnBrowseClick()
{
    const QString location = txtBrowserLoc->text();
    const QString folder = location.isEmpty() ? QString() : QFileInfo(location).absolutePath();
    const QString fileName = TMessageService::Instance().GetOpenFileName(QStringLiteral("External Browser"), folder,
                                                                         QStringLiteral("Applications (*)"));
    if (fileName.isEmpty())
        return;
    txtBrowserLoc->setText(fileName);
    if (txtBrowserName->text().isEmpty())
        txtBrowserName->setText(QFileInfo(fileName).completeBaseName());
}

void TfEditBrowser::btnOKClick()
{
    if (CheckEntry())
        accept();
}
