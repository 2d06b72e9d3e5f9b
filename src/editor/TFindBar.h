// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The find and replace bar shown between the document and its tabs: the
// text to find with its history, the replacement (the second row, shown for
// Replace), the options, the count of matches and the buttons. It only
// gathers input and shows results; TFindCommands searches.

#include "DocumentSearch.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class TFindBar : public QWidget
{
    Q_OBJECT

public:
    explicit TFindBar(QWidget *parent = nullptr);

    // Shows the bar with the replacement row or without it, the focus in the
    // text to find, all of it selected.
    void Open(bool replace);
    bool ReplaceShown() const;

    QString FindText() const;
    void SetFindText(const QString &text);
    QString ReplaceText() const;
    TSearchOptions Options() const;
    void SetOptions(const TSearchOptions &options);
    void SetInSelection(bool on);
    // The texts offered by the drop-downs, the newest first.
    void SetHistory(const QStringList &finds, const QStringList &replacements);
    // The count of matches or what went wrong, beside the options.
    void ShowResult(const QString &text, bool problem);
    QString Result() const;

    QComboBox *cboFind;
    QComboBox *cboReplace;

signals:
    void FindNext();
    void FindPrevious();
    void Replace();
    void ReplaceAll();
    // The text to find or an option changed.
    void SearchChange();
    void Closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> m_replaceRow; // the label, the box and its buttons
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QCheckBox *m_regularExpression;
    QCheckBox *m_wrapAround;
    QCheckBox *m_inSelection;
    QLabel *m_result;
};
