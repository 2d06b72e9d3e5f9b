// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Validat&e HTML": hands the current document to the companion validator
// (velicort-validate, installed beside the program), which announces its
// results file to the running instance; the findings are listed under the
// editor, and a double-click on one selects its line.

#include <QObject>

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TCommandBinder;
class TPreviewController;
class TvqHTMLTab;

// The companion validator beside this program; its presence is the
// validator capability.
QString CompanionValidatorPath();

// Whether a results file may be read: a file of this user's, not a link,
// directly in the user's temporary folder.
bool IsTrustedResultsFile(const QString &path);

class TValidatorCommands : public QObject
{
    Q_OBJECT

public:
    // The list is the window's lvwValidator, under the editor; validator is
    // the companion program to start.
    TValidatorCommands(TvqHTMLTab *documents, TPreviewController *preview, QTreeWidget *list, const QString &validator,
                       QWidget *window);

    void Connect(const TCommandBinder &commands);

    void ValidateDocument();
    // Lists the findings of an announced results file, then deletes it. A
    // file that is missing or not the user's own is left alone.
    void ShowValidatorResults(const QString &path);
    // The row's line in the editor, selected whole; nothing for a row
    // without a line number or a line the document lacks.
    void GoToLine(const QTreeWidgetItem *row);
    void CloseValidatorOutput();

    QMenu *PopupMenu() const { return m_popup; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void HidePanel();
    // Word wrap off, after the note, so that line numbers match.
    void EnsureNoWordWrap();
    void AddRow(int icon, const QString &caption, const QString &message);

    TvqHTMLTab *m_documents;
    TPreviewController *m_preview;
    QTreeWidget *m_list;
    QString m_validator;
    QWidget *m_window;
    QMenu *m_popup;
    QAction *m_goToLine;
    QAction *m_button = nullptr; // spdValidate, down while the list shows
    QList<QAction *> m_wordWrap; // the word wrap commands, checked while on
};
