// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfPublish.h"

#include "LongRun.h"
#include "MessageService.h"
#include "PublishTarget.h"
#include "SettingsStore.h"
#include "TUploader.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString PublishKey = QStringLiteral("Software\\Velicort\\Publish");

// Passwords typed in this run of the program, by destination and user;
// never written anywhere.
QHash<QString, QString> &SessionPasswords()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

enum TColumn { colFile, colResult, colReason };

} // namespace

void PublishFiles(QWidget *owner, const QStringList &files)
{
    if (files.isEmpty()) {
        MessageDlg(QStringLiteral("No files passed."), TMsgKind::Error);
        return;
    }
    if (ReadRegValue(PublishKey, QStringLiteral("Destination"), QString()).trimmed().isEmpty())
        MessageDlg(QStringLiteral("This feature requires a publishing destination, which has not been set up yet.\n\n"
                                  "Enter the address of the server folder (sftp://, ftp://, ftps://, http:// or "
                                  "https://) and the site's root folder in the Publish window that follows."),
                   TMsgKind::Information);
    TfPublish dialog(files, owner);
    dialog.exec();
}

TfPublish::TfPublish(const QStringList &files, QWidget *parent)
    : QDialog(parent), m_files(files), m_uploader(new TUploader(this))
{
    setWindowTitle(tr("Publish"));
    edtDestination = new QLineEdit(ReadRegValue(PublishKey, QStringLiteral("Destination"), QString()));
    edtDestination->setPlaceholderText(QStringLiteral("sftp://server/folder/, ftp://..., https://..."));
    const QString storedRoot = ReadRegValue(PublishKey, QStringLiteral("SiteRoot"), QString());
    edtSiteRoot = new QLineEdit(storedRoot.isEmpty() ? CommonFolder(files) : storedRoot);
    btnBrowse = new QPushButton(tr("B&rowse..."));
    edtUserName = new QLineEdit(ReadRegValue(PublishKey, QStringLiteral("UserName"), QString()));
    edtPassword = new QLineEdit;
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->setPlaceholderText(tr("kept until the program ends; empty: from ~/.netrc"));
    edtPassword->setText(SessionPasswords().value(PasswordKey()));

    auto *rootRow = new QHBoxLayout;
    rootRow->addWidget(edtSiteRoot);
    rootRow->addWidget(btnBrowse);
    auto *form = new QFormLayout;
    form->addRow(tr("&Destination:"), edtDestination);
    auto *rootLabel = new QLabel(tr("&Site root folder:"));
    rootLabel->setBuddy(edtSiteRoot);
    form->addRow(rootLabel, rootRow);
    form->addRow(tr("&User name:"), edtUserName);
    form->addRow(tr("Pass&word:"), edtPassword);

    lvwResults = new QTreeWidget;
    lvwResults->setRootIsDecorated(false);
    lvwResults->setHeaderLabels({tr("File"), tr("Result"), tr("Reason")});
    for (const QString &file : files)
        new QTreeWidgetItem(lvwResults, {QDir::toNativeSeparators(file), QString(), QString()});
    lvwResults->header()->resizeSection(colFile, 320);
    lvwResults->header()->resizeSection(colResult, 80);
    prgPublish = new QProgressBar;
    prgPublish->setRange(0, 1000);
    prgPublish->setValue(0);
    lblStatus = new QLabel(tr("%n file(s) to publish.", nullptr, static_cast<int>(files.size())));
    lblStatus->setWordWrap(true);

    auto *buttons = new QDialogButtonBox;
    btnPublish = buttons->addButton(tr("&Publish"), QDialogButtonBox::AcceptRole);
    btnClose = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    btnPublish->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lvwResults, 1);
    layout->addWidget(prgPublish);
    layout->addWidget(lblStatus);
    layout->addWidget(buttons);
    resize(720, 460);

    connect(btnPublish, &QPushButton::clicked, this, &TfPublish::Publish);
    connect(btnClose, &QPushButton::clicked, this, &TfPublish::reject);
    connect(btnBrowse, &QPushButton::clicked, this, [this] {
        const QString folder =
            TMessageService::Instance().GetFolderName(QStringLiteral("Site Root Folder"), edtSiteRoot->text());
        if (!folder.isEmpty())
            edtSiteRoot->setText(QDir::toNativeSeparators(folder));
    });
    connect(m_uploader, &TUploader::Progress, this, [this](qint64 sent, qint64 total) {
        prgPublish->setValue(total > 0 ? static_cast<int>(sent * 1000 / total) : 1000);
    });
    connect(m_uploader, &TUploader::FileDone, this, &TfPublish::FileDone);
    connect(m_uploader, &TUploader::LoginRefused, this, [this] { m_loginRefused = true; });
    connect(m_uploader, &TUploader::Finished, this, &TfPublish::RunFinished);
    if (edtDestination->text().isEmpty())
        edtDestination->setFocus();
    else if (!edtUserName->text().isEmpty() && edtPassword->text().isEmpty())
        edtPassword->setFocus();
    else
        btnPublish->setFocus();
}

TfPublish::~TfPublish() = default;

bool TfPublish::Running() const
{
    return m_uploader->Running();
}

QString TfPublish::PasswordKey() const
{
    return edtUserName->text().trimmed() + QLatin1Char('@') + edtDestination->text().trimmed();
}

void TfPublish::Publish()
{
    if (Running())
        return;
    const QString problem = DestinationProblem(edtDestination->text());
    if (!problem.isEmpty()) {
        MessageDlg(problem, TMsgKind::Error);
        edtDestination->setFocus();
        return;
    }
    {
        TSettingsBatch batch;
        WriteRegValue(PublishKey, QStringLiteral("Destination"), edtDestination->text().trimmed());
        WriteRegValue(PublishKey, QStringLiteral("SiteRoot"), edtSiteRoot->text().trimmed());
        WriteRegValue(PublishKey, QStringLiteral("UserName"), edtUserName->text().trimmed());
    }
    if (!edtPassword->text().isEmpty())
        SessionPasswords().insert(PasswordKey(), edtPassword->text());

    TPublishJob job;
    job.Destination = edtDestination->text().trimmed();
    job.UserName = edtUserName->text().trimmed();
    job.Password = edtPassword->text();
    for (int i = 0; i < m_files.size(); ++i) {
        job.Items.append({m_files[i], RemotePathBelow(edtSiteRoot->text(), m_files[i]).value_or(QString())});
        lvwResults->topLevelItem(i)->setText(colResult, tr("Waiting"));
        lvwResults->topLevelItem(i)->setText(colReason, QString());
    }
    m_loginRefused = false;
    prgPublish->setValue(0);
    lblStatus->setText(tr("Publishing to %1...").arg(job.Destination));
    SetRunning(true);
    m_uploader->Start(job);
}

void TfPublish::FileDone(int index, TPublishOutcome outcome, const QString &error)
{
    QTreeWidgetItem *row = lvwResults->topLevelItem(index);
    switch (outcome) {
    case TPublishOutcome::Sent:
        row->setText(colResult, tr("Sent"));
        break;
    case TPublishOutcome::Failed:
        row->setText(colResult, tr("Failed"));
        break;
    case TPublishOutcome::Cancelled:
        row->setText(colResult, tr("Cancelled"));
        break;
    }
    row->setText(colReason, error);
    row->setToolTip(colReason, error);
    lvwResults->scrollToItem(row);
}

void TfPublish::RunFinished()
{
    SetRunning(false);
    int sent = 0;
    int failed = 0;
    for (int i = 0; i < lvwResults->topLevelItemCount(); ++i) {
        const QString result = lvwResults->topLevelItem(i)->text(colResult);
        sent += result == tr("Sent");
        failed += result == tr("Failed");
    }
    const int cancelled = lvwResults->topLevelItemCount() - sent - failed;
    QString text = tr("%1 sent, %2 failed, %3 cancelled.").arg(sent).arg(failed).arg(cancelled);
    if (m_loginRefused) {
        // The password is asked for where it is typed.
        text += QLatin1Char(' ') + tr("The server refused the user name or password: enter the password and "
                                      "publish again.");
        SessionPasswords().remove(PasswordKey());
        edtPassword->selectAll();
        edtPassword->setFocus();
    }
    lblStatus->setText(text);
    emit Finished();
}

void TfPublish::SetRunning(bool running)
{
    if (running)
        m_longRun = std::make_unique<TLongRun>();
    else
        m_longRun.reset();
    for (QWidget *field :
         std::initializer_list<QWidget *>{edtDestination, edtSiteRoot, btnBrowse, edtUserName, edtPassword, btnPublish})
        field->setEnabled(!running);
    btnClose->setText(running ? tr("Cancel") : tr("&Close"));
}

void TfPublish::reject()
{
    if (Running())
        m_uploader->Cancel();
    else
        QDialog::reject();
}
