// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The spelling checker's window "Spelling": the word not found, the text to
// change it to, the suggestions and the buttons that decide. It does not
// close on a decision: it sets a result code that the checker waits for.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TSugDialog : public QDialog
{
    Q_OBJECT

public:
    enum TResult {
        mrNone = 0,
        mrCancel = 100,
        mrChange = 101,
        mrAdd = 102,
        mrIgnore = 103,
        mrIgnoreAll = 104,
        mrChangeAll = 105,
    };

    explicit TSugDialog(QWidget *parent = nullptr);

    int ResultCode() const { return m_result; }
    void SetResultCode(int code) { m_result = code; }

    QLineEdit *NotWord;
    QLineEdit *WordEdit;
    QListWidget *SuggestList;

    void SetSuggestions(const QStringList &words);
    // Moves the window off a point of the screen it covers: to the top of
    // the screen when the point is in its lower half, else to the bottom.
    void AvoidPoint(const QPoint &word);

signals:
    // The Suggest and Phoneme buttons: the list is to be refilled for the
    // text of "Change To:".
    void SuggestRequested(bool phoneme);

protected:
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPushButton *AddButton(const QString &name, const QString &text, int result);

    int m_result = mrNone;
};
