// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file browser pane on the left of the main window: the drive box, the
// folder tree, the filter box and the file list, with their pop-up menus.
// It works on the disk itself; what concerns documents (opening, tags) it
// asks of the main window through its signals.

#include <QStringList>
#include <QWidget>

class QAction;
class QComboBox;
class QFileSystemModel;
class QMenu;
class QSplitter;
class QTreeView;
class QTreeWidgetItem;
class TvqFileView;

class TFileBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit TFileBrowser(QWidget *parent = nullptr);

    // The roots the drive box offers: the file-system root, the home folder
    // and the mounted volumes.
    static QStringList DriveRoots();
    // The drive box entry a path lies on: the longest root it begins with.
    QString DriveOf(const QString &path) const;

    // The list stays as it is until the window has started.
    void SetRefreshAllowed(bool allowed) { m_refreshAllowed = allowed; }
    bool FileListEnabled() const { return m_fileListEnabled; }
    // A disabled list is empty, greyed and not refreshed.
    void SetFileListEnabled(bool enabled);

    // Lists the folder's files that the filter box lets through.
    void RefreshFileList(const QString &folder);
    // Shows the folder in the drive box and the folder tree and lists its
    // files; an unknown folder gives the program's folder. With force, the
    // list is read again even when the folder is shown already.
    void ChangeFolder(const QString &path, bool force);
    // The folder shown in the folder tree.
    QString CurrentFolder() const { return m_currentFolder; }

    // A document was saved: its row shows the file's new details, and a file
    // saved under a new name in the shown folder gets a row.
    void DocumentSaved(const QString &path, bool newName);
    // Edits the selected file's name in place (F2).
    void RenameSelected();
    // An action of the pane's pop-up menus by name ("mnuPI_Copy").
    QAction *Action(const QString &name) const;

    QComboBox *vqDriveCombo;
    QTreeView *vqDirList;
    QSplitter *pnlSplitVert;
    QComboBox *cboFilter;
    TvqFileView *vqFileList;
    QMenu *mnuPopupFileItem;
    QMenu *mnuPopupDir;
    QMenu *mnuPopupDrive;

protected:
    void showEvent(QShowEvent *event) override;

signals:
    // A document to open in the editor.
    void OpenDocument(const QString &path, int flags);
    // A file to make a tag of, through its dialog.
    void InsertFileTag(const QString &path);
    // The status bar's message; empty for " Ready.".
    void StatusText(const QString &text);
    // The selected files are to be published.
    void PublishRequested(const QStringList &files);
    // The links of a document to verify.
    void VerifyLinks(const QString &path);
    void WeighDocument(const QString &path);
    // The folder shown, for its thumbnails.
    void ViewThumbnails(const QString &folder);

private:
    void BuildDriveBox();
    void BuildFolderModel();
    void BuildMenus();
    void SetTreeFolder(const QString &folder);
    void ShowCurrentFolderInTree();
    void vqDriveComboChange(int index);
    void vqDirListChange(const QString &folder);
    void vqFileListDblClick(QTreeWidgetItem *item);
    void vqFileListSelectionChange();
    void UpdateFileCommands();
    void mnuPI_EditClick();
    void mnuPI_InsertTagClick();
    void mnuPI_CopyClick();
    void mnuPI_MoveClick();
    void mnuPI_DeleteClick();
    void mnuPI_DisableFileListClick();
    void mnuPD_NewFolderClick();
    // The name typed for the file's row has been taken: renames the file,
    // or gives the row its old name back.
    void FileRenamed(const QString &path);
    void ShowDriveNotReady();

    QFileSystemModel *m_folders = nullptr;
    QString m_currentFolder;
    bool m_refreshAllowed = false;
    bool m_fileListEnabled = true;
    bool m_settingFolder = false;
    QString m_renamingPath; // the file whose name is being edited
};
