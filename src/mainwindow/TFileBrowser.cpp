// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFileBrowser.h"

#include "DocumentCommands.h"
#include "FileCommands.h"
#include "FileUtils.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TfDocProperties.h"
#include "TvqFileView.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int MinDirListHeight = 30;
constexpr int MaxDirListHeight = 300;

QString ProgramFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool DriveReady(const QString &root)
{
    const QFileInfo drive(root);
    return drive.isDir() && drive.isReadable();
}

// True when the path is the folder or lies somewhere below it.
bool IsWithin(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace

TFileBrowser::TFileBrowser(QWidget *parent)
    : QWidget(parent), vqDriveCombo(new QComboBox), vqDirList(new QTreeView), pnlSplitVert(new QSplitter(Qt::Vertical)),
      cboFilter(new QComboBox), vqFileList(new TvqFileView), mnuPopupFileItem(new QMenu(this)),
      mnuPopupDir(new QMenu(this)), mnuPopupDrive(new QMenu(this))
{
    setObjectName(QStringLiteral("pnlDocList"));
    vqDriveCombo->setObjectName(QStringLiteral("vqDriveCombo"));
    vqDirList->setObjectName(QStringLiteral("vqDirList"));
    pnlSplitVert->setObjectName(QStringLiteral("pnlSplitVert"));
    cboFilter->setObjectName(QStringLiteral("cboFilter"));
    vqFileList->setObjectName(QStringLiteral("vqFileList"));

    vqDirList->setHeaderHidden(true);
    vqDirList->setUniformRowHeights(true);
    vqDirList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cboFilter->addItems({tr("Web Documents"), tr("Web Images"), tr("All Web Files"), tr("All Files")});
    vqFileList->SetIgnorePrefix(QStringLiteral("~vc"));
    vqFileList->setDragEnabled(true);
    vqFileList->setDragDropMode(QAbstractItemView::DragOnly);

    // The folder tree above the vertical splitter; filter box and file list
    // below it.
    auto *lower = new QWidget;
    auto *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(3);
    lowerLayout->addWidget(cboFilter);
    lowerLayout->addWidget(vqFileList, 1);
    pnlSplitVert->addWidget(vqDirList);
    pnlSplitVert->addWidget(lower);
    pnlSplitVert->setOpaqueResize(false);
    pnlSplitVert->setChildrenCollapsible(false);
    // The tree keeps its height when the pane grows or shrinks; only the
    // splitter changes it, within these bounds.
    vqDirList->setMinimumHeight(MinDirListHeight);
    vqDirList->setMaximumHeight(MaxDirListHeight);
    pnlSplitVert->setStretchFactor(0, 0);
    pnlSplitVert->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    layout->addWidget(vqDriveCombo);
    layout->addWidget(pnlSplitVert, 1);

    BuildDriveBox();
    BuildFolderModel();
    BuildMenus();

    connect(vqDriveCombo, &QComboBox::activated, this, &TFileBrowser::vqDriveComboChange);
    connect(cboFilter, &QComboBox::activated, this, [this] { RefreshFileList(m_currentFolder); });
    connect(vqFileList, &QTreeWidget::itemActivated, this, &TFileBrowser::vqFileListDblClick);
    connect(vqFileList, &QTreeWidget::itemSelectionChanged, this, &TFileBrowser::vqFileListSelectionChange);
    connect(vqFileList, &TvqFileView::ScanFinished, this, &TFileBrowser::UpdateFileCommands);
    connect(vqFileList, &TvqFileView::DragEnded, this, [this] { emit StatusText(QString()); });
    // The list takes the edited name first (it connected before us). The
    // file follows once the editor has closed, so that nothing an error box
    // lets happen meanwhile can pull the row from under an open editor.
    connect(vqFileList->itemDelegate(), &QAbstractItemDelegate::commitData, this, [this] {
        QMetaObject::invokeMethod(
            this, [this, path = m_renamingPath] { FileRenamed(path); }, Qt::QueuedConnection);
    });
    connect(vqFileList->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { m_renamingPath.clear(); });

    // The process's folder until the window moves the pane elsewhere.
    SetTreeFolder(QDir::currentPath());
    UpdateFileCommands();
}

// ---------------------------------------------------------------------------
// Drives and folders

QStringList TFileBrowser::DriveRoots()
{
    QStringList roots = {QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Real devices only: no pseudo file systems, loop-mounted packages
        // or single files mounted into containers.
        const QString device = QString::fromLocal8Bit(volume.device());
        if (!volume.isValid() || !device.startsWith(QLatin1String("/dev/")) ||
            device.startsWith(QLatin1String("/dev/loop")) || !QFileInfo(root).isDir() || roots.contains(root))
            continue;
        roots.append(root);
    }
    return roots;
}

QString TFileBrowser::DriveOf(const QString &path) const
{
    QString drive = QDir::rootPath();
    for (int i = 0; i < vqDriveCombo->count(); ++i) {
        const QString root = vqDriveCombo->itemData(i).toString();
        if (IsWithin(path, root) && root.size() > drive.size())
            drive = root;
    }
    return drive;
}

void TFileBrowser::BuildDriveBox()
{
    const QFileIconProvider icons;
    vqDriveCombo->clear();
    for (const QString &root : DriveRoots()) {
        const QIcon icon = icons.icon(root == QDir::homePath() ? QFileIconProvider::Folder : QFileIconProvider::Drive);
        vqDriveCombo->addItem(icon, QDir::toNativeSeparators(root), root);
    }
    vqDriveCombo->setCurrentIndex(vqDriveCombo->findData(DriveOf(m_currentFolder)));
}

void TFileBrowser::BuildFolderModel()
{
    QFileSystemModel *old = m_folders;
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setReadOnly(true);
    vqDirList->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        vqDirList->hideColumn(column);
    delete old;
    // Only the user changes the folder here. The tree's current row also
    // moves on its own when folders beside it come and go (another program
    // making and deleting temporary folders), and the list must not follow.
    connect(vqDirList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_settingFolder && current.isValid() && vqDirList->hasFocus())
                    vqDirListChange(m_folders->filePath(current));
            });
    // The tree reads folders in the background: the shown folder's row
    // exists only once its parent has been read.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (IsWithin(m_currentFolder, loaded))
            ShowCurrentFolderInTree();
    });
    if (!m_currentFolder.isEmpty())
        SetTreeFolder(m_currentFolder);
}

void TFileBrowser::ShowCurrentFolderInTree()
{
    const QModelIndex index = m_folders->index(m_currentFolder);
    m_settingFolder = true;
    if (index.isValid()) {
        // Open the parents: scrolling alone leaves them closed while the
        // tree is still being read.
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            vqDirList->expand(parent);
        vqDirList->setCurrentIndex(index);
        vqDirList->scrollTo(index);
    } else {
        vqDirList->clearSelection(); // a hidden folder the tree does not show
    }
    m_settingFolder = false;
}

void TFileBrowser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The shown folder was scrolled to before the tree had its real height;
    // once laid out, bring it into sight again.
    QTimer::singleShot(0, vqDirList, [this] { vqDirList->scrollTo(vqDirList->currentIndex()); });
}

void TFileBrowser::SetTreeFolder(const QString &folder)
{
    m_currentFolder = folder;
    const QString drive = DriveOf(folder);
    if (m_folders->rootPath() != drive) {
        m_folders->setRootPath(drive);
        vqDirList->setRootIndex(m_folders->index(drive));
    }
    ShowCurrentFolderInTree();
}

void TFileBrowser::ChangeFolder(const QString &path, bool force)
{
    QString folder = QFileInfo(path).isDir() ? path : ProgramFolder();
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString drive = DriveOf(folder);
    if (!DriveReady(drive)) {
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("InitialDir"), ProgramFolder());
        ShowDriveNotReady();
        ChangeFolder(ProgramFolder(), false);
        return;
    }
    const int driveIndex = vqDriveCombo->findData(drive);
    if (force || vqDriveCombo->currentIndex() != driveIndex)
        vqDriveCombo->setCurrentIndex(driveIndex);
    const bool same = folder == m_currentFolder;
    if (same && !force)
        return;
    SetTreeFolder(folder);
    RefreshFileList(folder);
}

void TFileBrowser::ShowDriveNotReady()
{
    MessageDlg(QStringLiteral("Drive not ready."), TMsgKind::Error, TMsgButtons::Ok);
}

void TFileBrowser::vqDriveComboChange(int index)
{
    const QString root = vqDriveCombo->itemData(index).toString();
    if (!DriveReady(root)) {
        ShowDriveNotReady();
        ChangeFolder(ProgramFolder(), true);
        return;
    }
    ChangeFolder(root, false);
}

void TFileBrowser::vqDirListChange(const QString &folder)
{
    // The tree also reports its current row when reading folders moves it.
    if (folder == m_currentFolder)
        return;
    m_currentFolder = folder;
    RefreshFileList(folder);
}

// ---------------------------------------------------------------------------
// The file list

void TFileBrowser::RefreshFileList(const QString &folder)
{
    if (!m_refreshAllowed || !m_fileListEnabled)
        return;
    const QString masks = FileListMasks(cboFilter->currentIndex(), vqFileList->HTMLExtensions());
    THourglass hourglass;
    // An empty folder empties the list too, rather than leaving another
    // folder's files on show.
    vqFileList->SetFiles(ListFilesByMasks(folder, masks));
    UpdateFileCommands();
}

void TFileBrowser::SetFileListEnabled(bool enabled)
{
    m_fileListEnabled = enabled;
    Action(QStringLiteral("mnuPI_DisableFileList"))->setChecked(!enabled);
    QPalette palette = vqFileList->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(enabled ? QPalette::Base : QPalette::Button));
    vqFileList->setPalette(palette);
    if (enabled) {
        RefreshFileList(m_currentFolder);
    } else {
        vqFileList->SetFiles({});
    }
    UpdateFileCommands();
}

void TFileBrowser::DocumentSaved(const QString &path, bool newName)
{
    if (!m_fileListEnabled)
        return;
    if (QTreeWidgetItem *item = vqFileList->FindFile(path)) {
        // A row whose name is being edited keeps what the user typed.
        if (!vqFileList->ListOnlyFileNames() && path != m_renamingPath)
            vqFileList->UpdateFileItem(item);
        return;
    }
    if (newName && QFileInfo(path).absolutePath() == m_currentFolder) {
        if (QTreeWidgetItem *item = vqFileList->AddFile(path)) {
            vqFileList->setCurrentItem(item);
            vqFileList->scrollToItem(item);
        }
    }
}

void TFileBrowser::vqFileListDblClick(QTreeWidgetItem *item)
{
    const QString path = TvqFileView::ItemPath(item);
    switch (FileKindOf(path, vqFileList->HTMLExtensions())) {
    case TFileKind::Document:
    case TFileKind::StyleSheet:
        emit OpenDocument(path, 0);
        break;
    case TFileKind::Other:
        break;
    default:
        emit InsertFileTag(path);
        break;
    }
}

void TFileBrowser::vqFileListSelectionChange()
{
    UpdateFileCommands();
    if (QCoreApplication::closingDown())
        return;
    const QTreeWidgetItem *item = vqFileList->currentItem();
    const bool shown = item && item->isSelected() && !vqFileList->ListOnlyFileNames();
    emit StatusText(shown ? item->text(fcSize) : QString());
}

void TFileBrowser::RenameSelected()
{
    QTreeWidgetItem *item = vqFileList->currentItem();
    if (!item || !item->isSelected() || vqFileList->ScanRunning())
        return;
    m_renamingPath = TvqFileView::ItemPath(item);
    vqFileList->editItem(item, fcName);
}

void TFileBrowser::FileRenamed(const QString &path)
{
    QTreeWidgetItem *item = path.isEmpty() ? nullptr : vqFileList->FindFile(path);
    if (!item)
        return;
    const QString oldName = QFileInfo(path).fileName();
    const QString name = item->text(fcName).trimmed();
    if (name == oldName)
        return;
    const QString renamed = name.isEmpty() ? QString() : RenameFileTo(path, name);
    // An error box lets events run, and one of them may have refilled the
    // list: the row is looked up again.
    item = vqFileList->FindFile(path);
    if (!item)
        return;
    if (renamed.isEmpty()) {
        item->setText(fcName, oldName);
        return;
    }
    TvqFileView::SetItemPath(item, renamed);
    vqFileList->UpdateFileItem(item);
}

// ---------------------------------------------------------------------------
// Pop-up menus

QAction *TFileBrowser::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void TFileBrowser::BuildMenus()
{
    // Shortcuts act while the list (or the tree) itself has the focus, not
    // while a name is being edited in it.
    const auto add = [this](QMenu *menu, const char *name, const QString &caption, QWidget *shortcutWidget,
                            const QKeySequence &shortcut, auto handler) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        if (!shortcut.isEmpty()) {
            action->setShortcut(shortcut);
            action->setShortcutContext(Qt::WidgetShortcut);
            shortcutWidget->addAction(action);
        }
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;
    QWidget *list = vqFileList;
    add(mnuPopupFileItem, "mnuPI_Edit", tr("&Edit"), list, none, &TFileBrowser::mnuPI_EditClick);
    add(mnuPopupFileItem, "mnuPI_InsertTag", tr("Insert &Tag..."), list, none, &TFileBrowser::mnuPI_InsertTagClick);
    add(mnuPopupFileItem, "mnuPI_Copy", tr("&Copy"), list, none, &TFileBrowser::mnuPI_CopyClick);
    add(mnuPopupFileItem, "mnuPI_Move", tr("&Move..."), list, none, &TFileBrowser::mnuPI_MoveClick);
    // F2 also means help in the main window, which hands it over here while
    // the list has the focus; the menu only shows the key.
    add(mnuPopupFileItem, "mnuPI_Rename", tr("&Rename") + QStringLiteral("\tF2"), list, none,
        &TFileBrowser::RenameSelected);
    add(mnuPopupFileItem, "mnuPI_Delete", tr("&Delete"), list, QKeySequence(Qt::Key_Delete),
        &TFileBrowser::mnuPI_DeleteClick);
    add(mnuPopupFileItem, "mnuPI_Refresh", tr("Refresh"), list, QKeySequence(Qt::Key_F5),
        [this] { RefreshFileList(m_currentFolder); });
    add(mnuPopupFileItem, "mnuPI_DisableFileList", tr("Disable File &List"), list, none,
        &TFileBrowser::mnuPI_DisableFileListClick)
        ->setCheckable(true);
    mnuPopupFileItem->addSeparator();
    add(mnuPopupFileItem, "mnuPI_Publish", tr("Pu&blish..."), list, none,
        [this] { emit PublishRequested(vqFileList->SelectedPaths()); });
    add(mnuPopupFileItem, "mnuPI_VerifyLinks", tr("Verify Links..."), list, none,
        [this] { emit VerifyLinks(TvqFileView::ItemPath(vqFileList->currentItem())); });
    add(mnuPopupFileItem, "mnuPI_Thumbnails", tr("&View Thumbnails"), list, none,
        [this] { emit ViewThumbnails(m_currentFolder); });
    add(mnuPopupFileItem, "mnuPI_Bandwidth", tr("Document &Weight"), list, none,
        [this] { emit WeighDocument(TvqFileView::ItemPath(vqFileList->currentItem())); });
    mnuPopupFileItem->addSeparator();
    add(mnuPopupFileItem, "mnuPI_Properties", tr("&Properties..."), list, QKeySequence(Qt::ALT | Qt::Key_Return),
        [this] { ShowFilePropertiesFor(TvqFileView::ItemPath(vqFileList->currentItem()), this); });
    vqFileList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vqFileList, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        UpdateFileCommands();
        mnuPopupFileItem->popup(vqFileList->viewport()->mapToGlobal(at));
    });

    QWidget *tree = vqDirList;
    add(mnuPopupDir, "mnuPD_Refresh", tr("Refresh"), tree, QKeySequence(Qt::Key_F5), &TFileBrowser::BuildFolderModel);
    add(mnuPopupDir, "mnuPD_Explore", tr("&Explore from Here..."), tree, none,
        [this] { ShellOpenFile(m_currentFolder); });
    add(mnuPopupDir, "mnuPD_NewFolder", tr("&New Folder..."), tree, none, &TFileBrowser::mnuPD_NewFolderClick);
    add(mnuPopupDir, "mnuPD_Properties", tr("Properties"), tree, QKeySequence(Qt::ALT | Qt::Key_Return),
        [this] { ShowFileProperties(m_currentFolder); });
    vqDirList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vqDirList, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        // The folder under the pointer opens first.
        const QModelIndex index = vqDirList->indexAt(at);
        if (index.isValid())
            vqDirList->setCurrentIndex(index);
        mnuPopupDir->popup(vqDirList->viewport()->mapToGlobal(at));
    });

    const auto noNetworkDialog = [] {
        MessageDlg(QStringLiteral("There is no network connection dialog on this system. Connect network drives "
                                  "in the file manager; they appear here once mounted."),
                   TMsgKind::Information, TMsgButtons::Ok);
    };
    QWidget *drives = vqDriveCombo;
    add(mnuPopupDrive, "mnuPDr_Refresh", tr("Refresh"), drives, none, &TFileBrowser::BuildDriveBox);
    add(mnuPopupDrive, "mnuPDr_Connect", tr("Connect network drive..."), drives, none, noNetworkDialog);
    add(mnuPopupDrive, "mnuPDr_Disconnect", tr("Disconnect network drive..."), drives, none, noNetworkDialog);
    add(mnuPopupDrive, "mnuPDr_Properties", tr("&Properties"), drives, none,
        [this] { ShowFileProperties(vqDriveCombo->currentData().toString()); });
    vqDriveCombo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vqDriveCombo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { mnuPopupDrive->popup(vqDriveCombo->mapToGlobal(at)); });
}

void TFileBrowser::UpdateFileCommands()
{
    const qsizetype selected = vqFileList->selectedItems().size();
    const bool scanning = vqFileList->ScanRunning();
    const bool any = !scanning && selected > 0;
    const bool one = !scanning && selected == 1;
    for (const char *name : {"mnuPI_Edit", "mnuPI_Copy", "mnuPI_Move", "mnuPI_Delete", "mnuPI_Publish"})
        Action(QLatin1String(name))->setEnabled(any);
    for (const char *name : {"mnuPI_InsertTag", "mnuPI_Rename", "mnuPI_Properties", "mnuPI_Bandwidth"})
        Action(QLatin1String(name))->setEnabled(one);
    for (const char *name : {"mnuPI_Refresh", "mnuPI_DisableFileList"})
        Action(QLatin1String(name))->setEnabled(!scanning);
    Action(QStringLiteral("mnuPI_VerifyLinks"))
        ->setEnabled(one &&
                     IsHTMLDocument(TvqFileView::ItemPath(vqFileList->currentItem()), vqFileList->HTMLExtensions()));
}

void TFileBrowser::mnuPI_EditClick()
{
    const QStringList paths = vqFileList->SelectedPaths();
    int opened = 0;
    for (const QString &path : paths) {
        switch (FileKindOf(path, vqFileList->HTMLExtensions())) {
        case TFileKind::Document:
        case TFileKind::StyleSheet:
        case TFileKind::Shortcut:
            // Only the last document refreshes the preview.
            emit OpenDocument(path, opened < paths.size() - 1 ? TDocumentCommands::ofNoPreviewRefresh : 0);
            ++opened;
            break;
        default:
            ShellOpenFile(path);
            break;
        }
    }
}

void TFileBrowser::mnuPI_InsertTagClick()
{
    const QString path = TvqFileView::ItemPath(vqFileList->currentItem());
    if (!path.isEmpty())
        emit InsertFileTag(path);
}

void TFileBrowser::mnuPI_CopyClick()
{
    CopyFilesBeside(vqFileList->SelectedPaths());
    RefreshFileList(m_currentFolder);
}

void TFileBrowser::mnuPI_MoveClick()
{
    const QStringList paths = vqFileList->SelectedPaths();
    const QString folder =
        TMessageService::Instance().GetFolderName(QStringLiteral("Select Destination Directory"), m_currentFolder);
    if (folder.isEmpty())
        return;
    MoveFilesTo(paths, folder);
    RefreshFileList(m_currentFolder);
}

void TFileBrowser::mnuPI_DeleteClick()
{
    if (vqFileList->Editing())
        return;
    const QStringList paths = vqFileList->SelectedPaths();
    if (paths.isEmpty() || !MayDeleteFiles(paths))
        return;
    for (const QString &path : paths)
        if (DeleteToRecycleBin(path, true))
            delete vqFileList->FindFile(path);
}

void TFileBrowser::mnuPI_DisableFileListClick()
{
    SetFileListEnabled(!m_fileListEnabled);
    WriteRegValue(RegistryKeys::DocumentList, QStringLiteral("FileListEnabled"), m_fileListEnabled);
}

void TFileBrowser::mnuPD_NewFolderClick()
{
    QString name = m_currentFolder;
    if (!TMessageService::Instance().InputQuery(QStringLiteral("New Folder"),
                                                QStringLiteral("Enter the new folder name:"), name))
        return;
    if (CreateFolder(m_currentFolder, name))
        BuildFolderModel();
}
