// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The projects dialog: creates, saves, deletes and opens projects and edits
// their file lists. The dialog owns the project it edits; opening one goes
// through the main window, which closes the open documents first.

#include "Project.h"

#include <QDialog>

#include <functional>

class QAction;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class TvqFileView;

class TfProjects : public QDialog
{
    Q_OBJECT

public:
    // Opens a project at a colour-coding level; true when it opened.
    using TOpenProject = std::function<bool(const QString &path, int level)>;
    // Opens one file in the editor.
    using TOpenFile = std::function<void(const QString &path)>;

    TfProjects(TOpenProject openProject, TOpenFile openFile, QWidget *parent = nullptr);

    const TProject &Project() const { return m_project; }

    QListWidget *lstProjects;
    TvqFileView *vqProjectFileView;
    QComboBox *cboColorCoding;
    QPushButton *btnOpenProject;
    QPushButton *btnSaveProject;
    QPushButton *btnNewProject;
    QPushButton *btnDeleteProject;
    QPushButton *btnAddFile;
    QPushButton *btnRemoveFile;
    QPushButton *btnClose;
    QMenu *mnuPopupFileItemPopup;
    QAction *mnuFileOpen;
    QAction *mnuFileRemove;
    QAction *mnuFileVerify;
    QAction *mnuFileBandwidth;
    QAction *mnuFileProperties;

    void btnOpenProjectClick();
    void btnSaveProjectClick();
    void btnNewProjectClick();
    void btnDeleteProjectClick();
    void btnAddFileClick();
    void mnuFileRemoveClick();
    void btnCloseClick();
    void mnuFileOpenClick();
    // Enables the pop-up's commands for the selected rows.
    void UpdatePopup();

protected:
    void reject() override;
    // Stores the column widths.
    void done(int result) override;

private:
    void FillProjectList();
    void FillFileList();
    void SelectProject(const QString &name);
    void lstProjectsChange(QListWidgetItem *current, QListWidgetItem *previous);
    void LoadProject(QListWidgetItem *item);

    TOpenProject m_openProject;
    TOpenFile m_openFile;
    TProject m_project;
    QString m_loaded; // the path of the list entry loaded last
    bool m_reverting = false;
};
