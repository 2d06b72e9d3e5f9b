// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfOpenFromWeb.h"

#include "MessageService.h"
#include "TfBookmarks.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>

namespace {

constexpr int DefaultTimeOut = 30;
constexpr int DefaultPort = 80;

} // namespace

bool IsWebAddressAccepted(const QString &address)
{
    const QString lower = address.toLower();
    for (const QLatin1String scheme : {QLatin1String("http://"), QLatin1String("https://")})
        if (lower.contains(scheme) && lower != scheme)
            return true;
    return lower.contains(QLatin1String("ftp://"));
}

TfOpenFromWeb::TfOpenFromWeb(const QString &address, int timeOut, int port, const QString &bookmarkFile,
                             QWidget *parent)
    : QDialog(parent), txtURL(new QLineEdit(address)), udTimeout(new QSpinBox), txtPort(new QLineEdit),
      btnBookmarks(new QPushButton(tr("&Bookmarks"))), m_bookmarkFile(bookmarkFile)
{
    setWindowTitle(QStringLiteral("Open from the Web"));
    setProperty("helpContext", 23); // F1: the Open from the Web help page
    txtURL->setObjectName(QStringLiteral("txtURL"));
    txtURL->setMaxLength(255);
    txtURL->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    txtURL->installEventFilter(this);
    udTimeout->setObjectName(QStringLiteral("udTimeout"));
    udTimeout->setRange(5, 300);
    udTimeout->setSingleStep(5);
    udTimeout->setValue(timeOut);
    udTimeout->findChild<QLineEdit *>()->setReadOnly(true); // the arrows alone change it
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtPort->setText(QString::number(port));
    txtPort->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtPort));
    btnBookmarks->setObjectName(QStringLiteral("btnBookmarks"));
    connect(btnBookmarks, &QPushButton::clicked, this, [this] {
        TfBookmarks picker(m_bookmarkFile, this);
        if (picker.exec() == QDialog::Accepted && !picker.SelectedURL().isEmpty())
            txtURL->setText(picker.SelectedURL());
    });

    auto *url = new QLabel(tr("&URL"));
    url->setBuddy(txtURL);
    auto *timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(tr("Timeout after")));
    timeRow->addWidget(udTimeout);
    timeRow->addWidget(new QLabel(tr("seconds")));
    timeRow->addStretch();
    auto *portLabel = new QLabel(tr("&Port"));
    portLabel->setBuddy(txtPort);
    timeRow->addWidget(portLabel);
    timeRow->addWidget(txtPort);
    txtPort->setMaximumWidth(fontMetrics().averageCharWidth() * 8);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(btnBookmarks, QDialogButtonBox::ActionRole);
    btnBookmarks->setVisible(!bookmarkFile.isEmpty() && QFileInfo(bookmarkFile).isFile());
    connect(buttons, &QDialogButtonBox::accepted, this, &TfOpenFromWeb::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(url);
    layout->addWidget(txtURL);
    layout->addLayout(timeRow);
    layout->addWidget(buttons);
}

QString TfOpenFromWeb::Address() const
{
    return txtURL->text();
}

int TfOpenFromWeb::TimeOut() const
{
    bool ok = false;
    const int seconds = udTimeout->text().toInt(&ok);
    return ok ? seconds : DefaultTimeOut;
}

int TfOpenFromWeb::Port() const
{
    bool ok = false;
    const int port = txtPort->text().toInt(&ok);
    return ok ? port : DefaultPort;
}

void TfOpenFromWeb::accept()
{
    if (!IsWebAddressAccepted(txtURL->text())) {
        MessageDlg(QStringLiteral("Please enter a valid URL."), TMsgKind::Warning);
        return;
    }
    QDialog::accept();
}

bool TfOpenFromWeb::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a box that holds only the scheme puts the caret after it,
    // once the focus change has placed it.
    if (watched == txtURL && event->type() == QEvent::FocusIn && txtURL->text() == QLatin1String("http://"))
        QTimer::singleShot(0, txtURL, [this] { txtURL->end(false); });
    return QDialog::eventFilter(watched, event);
}
