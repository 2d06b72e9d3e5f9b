// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfProjects.h"

#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "ProjectFile.h"
#include "SettingsStore.h"
#include "TfBandwidth.h"
#include "TfDocProperties.h"
#include "TfLinkTest.h"
#include "TvqFileView.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString ProjectListKey = QStringLiteral("Software\\Velicort\\ProjectList");
constexpr int DefaultWidths[] = {128, 50, 50, 150, 140, 140};

QString ColumnKey(int column)
{
    return QStringLiteral("ColWidth_%1").arg(column);
}

bool AskName(const QString &caption, const QString &prompt, QString &name)
{
    return TMessageService::Instance().InputQuery(caption, prompt, name);
}

} // namespace

TfProjects::TfProjects(TOpenProject openProject, TOpenFile openFile, QWidget *parent)
    : QDialog(parent), m_openProject(std::move(openProject)), m_openFile(std::move(openFile))
{
    setObjectName(QStringLiteral("TfProjects"));
    setProperty("helpContext", 22); // F1: the Projects help page
    lstProjects = new QListWidget(this);
    lstProjects->setObjectName(QStringLiteral("lstProjects"));
    lstProjects->setSortingEnabled(true);
    vqProjectFileView = new TvqFileView(this);
    vqProjectFileView->setObjectName(QStringLiteral("vqProjectFileView"));
    vqProjectFileView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    vqProjectFileView->setSortingEnabled(false);
    vqProjectFileView->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int column = 0; column < 6; ++column)
        vqProjectFileView->setColumnWidth(
            column, int(ReadRegInteger(ProjectListKey, ColumnKey(column), DefaultWidths[column])));
    cboColorCoding = new QComboBox(this);
    cboColorCoding->addItems({QStringLiteral("None"), QStringLiteral("Minimal"), QStringLiteral("Full")});
    cboColorCoding->setCurrentIndex(ReadProjectColorCoding());

    const auto button = [this](const char *name, const QString &caption) {
        auto *result = new QPushButton(caption, this);
        result->setObjectName(QLatin1String(name));
        result->setAutoDefault(false);
        return result;
    };
    btnOpenProject = button("btnOpenProject", QStringLiteral("&Open Project"));
    btnSaveProject = button("btnSaveProject", QStringLiteral("&Save Project"));
    btnNewProject = button("btnNewProject", QStringLiteral("&New Project"));
    btnDeleteProject = button("btnDeleteProject", QStringLiteral("&Delete Project"));
    btnAddFile = button("btnAddFile", QStringLiteral("Add Files..."));
    btnRemoveFile = button("btnRemoveFile", QStringLiteral("Remove Files"));
    btnClose = button("btnClose", QStringLiteral("&Close"));

    mnuPopupFileItemPopup = new QMenu(this);
    mnuFileOpen = mnuPopupFileItemPopup->addAction(QStringLiteral("&Open in Editor"));
    QFont bold = mnuFileOpen->font();
    bold.setBold(true);
    mnuFileOpen->setFont(bold);
    mnuFileRemove = mnuPopupFileItemPopup->addAction(QStringLiteral("&Remove from project"));
    mnuPopupFileItemPopup->addSeparator();
    mnuFileVerify = mnuPopupFileItemPopup->addAction(QStringLiteral("&Verify Links..."));
    mnuFileBandwidth = mnuPopupFileItemPopup->addAction(QStringLiteral("&Document Weight"));
    mnuFileProperties = mnuPopupFileItemPopup->addAction(QStringLiteral("&Properties..."));

    auto *projectColumn = new QVBoxLayout;
    projectColumn->addWidget(new QLabel(QStringLiteral("Projects:"), this));
    projectColumn->addWidget(lstProjects, 1);
    projectColumn->addWidget(new QLabel(QStringLiteral("Color Coding:"), this));
    projectColumn->addWidget(cboColorCoding);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {btnOpenProject, btnSaveProject, btnNewProject, btnDeleteProject, btnAddFile, btnRemoveFile})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(projectColumn, 1);
    layout->addWidget(vqProjectFileView, 4);
    layout->addLayout(buttons);
    resize(900, 420);

    connect(btnOpenProject, &QPushButton::clicked, this, &TfProjects::btnOpenProjectClick);
    connect(btnSaveProject, &QPushButton::clicked, this, &TfProjects::btnSaveProjectClick);
    connect(btnNewProject, &QPushButton::clicked, this, &TfProjects::btnNewProjectClick);
    connect(btnDeleteProject, &QPushButton::clicked, this, &TfProjects::btnDeleteProjectClick);
    connect(btnAddFile, &QPushButton::clicked, this, &TfProjects::btnAddFileClick);
    connect(btnRemoveFile, &QPushButton::clicked, this, &TfProjects::mnuFileRemoveClick);
    connect(btnClose, &QPushButton::clicked, this, &TfProjects::btnCloseClick);
    connect(mnuFileOpen, &QAction::triggered, this, &TfProjects::mnuFileOpenClick);
    connect(mnuFileRemove, &QAction::triggered, this, &TfProjects::mnuFileRemoveClick);
    connect(mnuFileVerify, &QAction::triggered, this, [this] {
        if (QTreeWidgetItem *item = vqProjectFileView->currentItem())
            VerifyDocumentLinks(TvqFileView::ItemPath(item), this);
    });
    connect(mnuFileBandwidth, &QAction::triggered, this, [this] {
        if (QTreeWidgetItem *item = vqProjectFileView->currentItem())
            ShowDocumentWeight(TvqFileView::ItemPath(item), this);
    });
    connect(mnuFileProperties, &QAction::triggered, this, [this] {
        if (QTreeWidgetItem *item = vqProjectFileView->currentItem())
            ShowDocumentProperties(TvqFileView::ItemPath(item), this);
    });
    connect(cboColorCoding, &QComboBox::activated, this, [](int index) { WriteProjectColorCoding(index); });
    connect(lstProjects, &QListWidget::currentItemChanged, this, &TfProjects::lstProjectsChange);
    connect(lstProjects, &QListWidget::itemDoubleClicked, this, &TfProjects::btnOpenProjectClick);
    connect(vqProjectFileView, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { m_openFile(TvqFileView::ItemPath(item)); });
    connect(vqProjectFileView, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        UpdatePopup();
        mnuPopupFileItemPopup->popup(vqProjectFileView->viewport()->mapToGlobal(at));
    });
    UpdatePopup();

    FillProjectList();
    FillFileList();
    if (lstProjects->count() > 0)
        lstProjects->setCurrentRow(0);
}

void TfProjects::UpdatePopup()
{
    const qsizetype selected = vqProjectFileView->selectedItems().size();
    mnuFileOpen->setEnabled(selected > 0);
    mnuFileRemove->setEnabled(selected > 0);
    mnuFileVerify->setEnabled(selected == 1);
    mnuFileBandwidth->setEnabled(selected == 1);
    mnuFileProperties->setEnabled(selected == 1);
}

void TfProjects::FillProjectList()
{
    const QSignalBlocker blocker(lstProjects);
    lstProjects->clear();
    const QString folder = ProjectFolder();
    const QStringList names = QDir(folder).entryList({QStringLiteral("*") + ProjectFileExtension}, QDir::Files);
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(ProjectName(name), lstProjects);
        item->setData(Qt::UserRole, folder + name);
    }
    if (QListWidgetItem *current = lstProjects->currentItem())
        current->setSelected(false);
    lstProjects->setCurrentItem(nullptr);
}

void TfProjects::FillFileList()
{
    {
        THourglass hourglass;
        vqProjectFileView->setUpdatesEnabled(false);
        vqProjectFileView->clear();
        for (const QString &path : m_project.Files())
            vqProjectFileView->AddFile(path);
        vqProjectFileView->setUpdatesEnabled(true);
    }
    setWindowTitle(m_project.Caption());
}

void TfProjects::lstProjectsChange(QListWidgetItem *current, QListWidgetItem *previous)
{
    if (m_reverting || !current)
        return;
    const QString path = current->data(Qt::UserRole).toString();
    if (path == m_loaded)
        return;
    if (!m_project.SavePrompt()) {
        m_reverting = true;
        lstProjects->setCurrentItem(previous);
        m_reverting = false;
        return;
    }
    LoadProject(current);
}

void TfProjects::LoadProject(QListWidgetItem *item)
{
    m_loaded = item->data(Qt::UserRole).toString();
    {
        THourglass hourglass;
        m_project.Load(m_loaded);
    }
    FillFileList();
}

void TfProjects::SelectProject(const QString &name)
{
    const QList<QListWidgetItem *> found = lstProjects->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return;
    lstProjects->setCurrentItem(found.first());
    lstProjects->scrollToItem(found.first());
    lstProjects->setFocus();
}

void TfProjects::btnOpenProjectClick()
{
    if (m_project.Files().isEmpty() || !m_project.SavePrompt())
        return;
    if (m_openProject(m_project.Path(), cboColorCoding->currentIndex()))
        accept();
}

void TfProjects::btnSaveProjectClick()
{
    if (m_project.Files().isEmpty()) {
        MessageDlg(QStringLiteral("This project is empty - there is nothing to save."), TMsgKind::Information);
        return;
    }
    QString name = m_project.Path().isEmpty() ? QString() : m_project.Name();
    if (!AskName(QStringLiteral("Save Project"), QStringLiteral("Enter a Project Name"), name))
        return;
    const QString target = ProjectFilePath(name);
    if (target != m_project.Path() && QFileInfo::exists(target) &&
        MessageDlg(QStringLiteral("Overwrite existing project \"") + name + QStringLiteral("\"?"),
                   TMsgKind::Confirmation, TMsgButtons::YesNo) != TMsgResult::Yes)
        return;
    m_project.SaveTo(target);
    FillProjectList();
    SelectProject(name);
}

void TfProjects::btnNewProjectClick()
{
    if (!m_project.SavePrompt())
        return;
    FillProjectList();
    QString name = QStringLiteral("[Untitled]");
    QString path;
    for (;;) {
        if (!AskName(QStringLiteral("New Project"), QStringLiteral("Enter a Unique Project Name"), name))
            return;
        path = ProjectFilePath(name);
        if (!QFileInfo::exists(path))
            break;
        MessageDlg(QStringLiteral("A project with this name already exists."), TMsgKind::Information);
    }
    m_project.Reset(path);
    m_loaded = path;
    WriteProjectFile(path, {});
    FillProjectList();
    SelectProject(name);
    FillFileList();
}

void TfProjects::btnDeleteProjectClick()
{
    QListWidgetItem *item = lstProjects->currentItem();
    if (!item)
        return;
    if (MessageDlg(QStringLiteral("Delete project \"") + item->text() + QStringLiteral("\"?"), TMsgKind::Confirmation,
                   TMsgButtons::YesNo) != TMsgResult::Yes)
        return;
    const int row = lstProjects->row(item);
    if (!QFile::remove(item->data(Qt::UserRole).toString())) {
        MessageDlg(QStringLiteral("Unable to delete project."), TMsgKind::Error);
        return;
    }
    m_project.SetModified(false);
    FillProjectList();
    if (lstProjects->count() == 0) {
        m_loaded.clear();
        m_project.Reset(QString());
        FillFileList();
        btnNewProjectClick();
        return;
    }
    lstProjects->setCurrentRow(std::min(row, lstProjects->count() - 1));
    lstProjects->setFocus();
}

void TfProjects::btnAddFileClick()
{
    const QStringList extensions = LoadHTMLExtensions();
    const QStringList chosen = TMessageService::Instance().GetOpenFileNames(QStringLiteral("Add File to Project"),
                                                                            QString(), FileDialogFilter(extensions));
    if (chosen.isEmpty())
        return;
    m_project.AddFiles(chosen, extensions);
    FillFileList();
}

void TfProjects::mnuFileRemoveClick()
{
    const QStringList selected = vqProjectFileView->SelectedPaths();
    if (selected.isEmpty())
        return;
    m_project.RemoveFiles(selected);
    FillFileList();
}

void TfProjects::mnuFileOpenClick()
{
    for (const QString &path : vqProjectFileView->SelectedPaths()) {
        if (QFileInfo::exists(path))
            m_openFile(path);
        else
            MessageDlg(QStringLiteral("Unable to locate file \"") + path + QStringLiteral("\"."), TMsgKind::Warning);
    }
}

void TfProjects::btnCloseClick()
{
    if (m_project.SavePrompt())
        QDialog::reject();
}

void TfProjects::reject()
{
    btnCloseClick();
}

void TfProjects::done(int result)
{
    for (int column = 0; column < 6; ++column)
        WriteRegValue(ProjectListKey, ColumnKey(column), QString::number(vqProjectFileView->columnWidth(column)));
    QDialog::done(result);
}
