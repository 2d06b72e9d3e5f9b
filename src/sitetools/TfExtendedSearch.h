// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Extended Find" and "Extended Replace" dialogs: where to search (the
// current document, the open documents, a folder or a project), the texts
// and the options. Each is created once and kept for the whole run, so that
// it keeps its texts and options between uses.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Where a search runs; find offers the folder and the project only.
enum TExtendedScope { esCurrentDocument = 0, esOpenDocuments = 1, esFolder = 2, esProject = 3 };

class TfExtendedSearch : public QDialog
{
    Q_OBJECT

public:
    TfExtendedSearch(bool replace, QWidget *parent = nullptr);

    bool ReplaceMode() const { return m_replace; }
    TExtendedScope Scope() const;
    void SetScope(TExtendedScope scope);
    QString FindText() const;
    QString ReplaceText() const;
    // The option word of the file search (match case, backups).
    int Options() const;
    QString Folder() const;
    QString ProjectName() const;

    // Sets the dialog up before it is shown: a selection becomes the text to
    // find, the projects are listed (the current one chosen when none was
    // yet, else the first) and an empty folder becomes the given one.
    void Prepare(const QString &selection, const QStringList &projects, const QString &currentProject,
                 const QString &folder);

    QRadioButton *rdoCurrentDoc = nullptr;
    QRadioButton *rdoOpenDocs = nullptr;
    QRadioButton *rdoFolder;
    QRadioButton *rdoProject;
    QLineEdit *txtFolder;
    QPushButton *btnFolder;
    QCheckBox *chkSubfolders;
    QComboBox *cboProject;
    QPlainTextEdit *txtFind;
    QPlainTextEdit *txtReplace = nullptr;
    QCheckBox *chkMatchCase;
    QCheckBox *chkBackups = nullptr;
    QPushButton *btnAction;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateControls();
    void BrowseFolder();

    bool m_replace;
};
