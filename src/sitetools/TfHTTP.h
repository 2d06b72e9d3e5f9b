// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small progress window of "Open from the Web": it fetches one page with
// its own HTTP client, shows each step in its status panel, and stops the
// fetch on Cancel or Escape.

#include "TagHTTP.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TfHTTP : public QDialog
{
    Q_OBJECT

public:
    explicit TfHTTP(QWidget *parent = nullptr);

    // An address that is not "http://" or "https://" is ignored.
    void SetURL(const QString &url);
    void SetTimeOut(int seconds);
    // The whole fetch's limit; 0 for four times the time-out.
    void SetDeadline(int seconds);
    void SetDefaultPort(quint16 port);

    // Fetches the page and returns its bytes; empty, with the window's result
    // Cancel, when the fetch fails or is cancelled.
    // A failure is shown in the status panel and, since the window closes
    // at once, as a warning that the user dismisses.
    QByteArray Fetch();
    // What made the last fetch fail, in plain words; empty after a fetch
    // that worked or that the user cancelled.
    QString FailureMessage() const;

    QLabel *pnlStatus;
    QPushButton *btnCancel;
    TagHTTP *agHTTP;

public slots:
    // Cancel and Escape both stop the fetch.
    void reject() override;
};
