// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfHTTP.h"

#include "MessageService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfHTTP::TfHTTP(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), pnlStatus(new QLabel), btnCancel(new QPushButton),
      agHTTP(new TagHTTP(this))
{
    setWindowTitle(tr("HTTP"));
    btnCancel->setText(tr("Cancel"));
    pnlStatus->setFrameShape(QFrame::Panel);
    pnlStatus->setFrameShadow(QFrame::Sunken);
    pnlStatus->setMinimumWidth(220);
    auto *image = new QLabel;
    image->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32));

    auto *top = new QHBoxLayout;
    top->addWidget(image);
    top->addWidget(pnlStatus, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(btnCancel, 0, Qt::AlignHCenter);
    connect(btnCancel, &QPushButton::clicked, this, &TfHTTP::reject);

    agHTTP->DefaultPort = 80;
    connect(agHTTP, &TagSocket::OnOpen, this, [this] { pnlStatus->setText(tr("Opening connection...")); });
    connect(agHTTP, &TagHTTP::OnSending, this, [this] { pnlStatus->setText(tr("Sending Query...")); });
    connect(agHTTP, &TagHTTP::OnReceiving, this,
            [this](TagSocket *, qint64 total) { pnlStatus->setText(tr("%1 bytes received").arg(total)); });
    connect(agHTTP, &TagSocket::OnCancel, this, [this] { pnlStatus->setText(tr("Operation canceled")); });
    connect(agHTTP, &TagSocket::OnClosed, this, [this] { pnlStatus->setText(tr("Connection closed")); });
}

void TfHTTP::SetURL(const QString &url)
{
    agHTTP->SetURL(url);
}

void TfHTTP::SetTimeOut(int seconds)
{
    agHTTP->TimeOut = seconds;
}

void TfHTTP::SetDeadline(int seconds)
{
    agHTTP->Deadline = seconds;
}

void TfHTTP::SetDefaultPort(quint16 port)
{
    agHTTP->DefaultPort = port;
}

void TfHTTP::reject()
{
    agHTTP->Cancel();
    setResult(Rejected);
}

QByteArray TfHTTP::Fetch()
{
    setWindowTitle(tr("Open from the Web"));
    setProperty("helpContext", 23); // F1: the Open from the Web help page
    setResult(Accepted);
    show();
    const bool ok = agHTTP->Get();
    hide();
    if (!ok) {
        setResult(Rejected);
        // The panel ends with why the fetch stopped, not with the close
        // that followed.
        const QString failure = FailureMessage();
        pnlStatus->setText(failure.isEmpty() ? tr("Operation canceled") : failure);
        if (!failure.isEmpty())
            MessageDlg(failure, TMsgKind::Warning);
        return QByteArray();
    }
    if (agHTTP->Body().isEmpty())
        MessageDlg(tr("Empty document retrieved."), TMsgKind::Warning);
    return agHTTP->Body();
}

QString TfHTTP::FailureMessage() const
{
    return agHTTP->Failure() == TSocketFailure::Canceled ? QString() : agHTTP->FailureMessage();
}
