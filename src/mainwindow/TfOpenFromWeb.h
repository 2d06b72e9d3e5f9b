// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog of "Open from the Web": the page's address, the time-out and
// the port of the fetch, and the browser bookmarks to pick an address from.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;

// Whether the dialog takes an address: it holds "http://" or "https://"
// with more after it, or holds "ftp://"; compared in lower case.
bool IsWebAddressAccepted(const QString &address);

class TfOpenFromWeb : public QDialog
{
    Q_OBJECT

public:
    // The bookmarks button shows only when the bookmark file exists.
    TfOpenFromWeb(const QString &address, int timeOut, int port, const QString &bookmarkFile, QWidget *parent);

    QString Address() const;
    // The boxes' numbers: 30 seconds and port 80 when not a number.
    int TimeOut() const;
    int Port() const;

    QLineEdit *txtURL;
    QSpinBox *udTimeout;
    QLineEdit *txtPort;
    QPushButton *btnBookmarks;

public slots:
    // Keeps the dialog up, with a warning, for an address it does not take.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_bookmarkFile;
};
