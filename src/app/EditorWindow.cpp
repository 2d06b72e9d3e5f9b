// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorWindow.h"

#include "Hourglass.h"
#include "MessageService.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TvqHTMLTab.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>

namespace {
const QString ColorCodingKey = QStringLiteral("Software\\Velicort\\ColorCoding");
const QString HtmlFilter = QStringLiteral("HTML documents (*.htm *.html *.shtml *.asp *.css *.js);;All files (*)");
} // namespace

TfEditorWindow::TfEditorWindow(QWidget *parent) : QMainWindow(parent), m_documents(new TvqHTMLTab(this))
{
    setCentralWidget(m_documents);
    m_documents->SetDocumentForegroundColor(
        TColor(ReadRegInteger(ColorCodingKey, QStringLiteral("ForegroundColor"), clBlack)));
    m_documents->SetDocumentBackgroundColor(
        TColor(ReadRegInteger(ColorCodingKey, QStringLiteral("BackgroundColor"), clWindow)));
    m_documents->SetUseLockWindowUpdate(ReadRegBool(ColorCodingKey, QStringLiteral("UseLockWindowUpdate"), true));
    m_documents->SetFontRegistryKey(ColorCodingKey);
    Editor()->SetColorCodeMode(
        ColorCodeModeFromNumber(ReadRegInteger(ColorCodingKey, QStringLiteral("ColorCodeMode"), 2)));
    m_documents->SetAcceptFiles(true);

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &TfEditorWindow::mnuFileNewClick);
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &TfEditorWindow::mnuFileOpenClick);
    file->addAction(tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_F4), this, &TfEditorWindow::mnuFileCloseClick);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &TfEditorWindow::mnuFileSaveClick);
    file->addAction(tr("Save &As..."), this, &TfEditorWindow::mnuFileSaveAsClick);
    file->addAction(tr("&Reload"), this, [this] { Editor()->Reload(); });
    file->addAction(tr("Propert&ies"), this, [this] {
        if (!Editor()->Filename().isEmpty())
            ShowFileProperties(Editor()->Filename());
    });
    file->addSeparator();
    file->addAction(tr("&Print..."), QKeySequence::Print, this, &TfEditorWindow::mnuFilePrintClick);
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Undo"), this, [this] { Editor()->Undo(); });
    edit->addSeparator();
    edit->addAction(tr("Cu&t"), this, [this] { Editor()->Cut(); });
    edit->addAction(tr("&Copy"), this, [this] { Editor()->Copy(); });
    edit->addAction(tr("&Paste"), this, [this] { Editor()->Paste(); });
    QAction *autoIndent = edit->addAction(tr("&Auto Indent"));
    autoIndent->setCheckable(true);
    connect(autoIndent, &QAction::toggled, m_documents, &TvqHTMLTab::SetAutoIndent);

    QMenu *options = menuBar()->addMenu(tr("&Options"));
    QMenu *coding = options->addMenu(tr("&Color Coding"));
    m_modes = new QActionGroup(this);
    const QString names[] = {tr("&None"), tr("&Minimal"), tr("&Full")};
    for (int mode = ccNone; mode <= ccFull; ++mode) {
        QAction *action = coding->addAction(names[mode], this, [this, mode] { SetColorCodingMode(mode); });
        action->setCheckable(true);
        m_modes->addAction(action);
    }
    options->addAction(tr("&Re-apply Color Coding"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                       [this] { Editor()->ColorAll(); });

    // Long colouring runs show their progress in place of the status bar.
    auto *progress = new QProgressBar(this);
    progress->setMaximumWidth(240);
    progress->hide();
    statusBar()->addPermanentWidget(progress);
    connect(m_documents, &TvqHTMLTab::OnActiveDocProgressChange, this,
            [this, progress](TvqRichHTML *editor, int value) {
                if (value == 0) {
                    statusBar()->showMessage(editor->ProgressCaption());
                    progress->show();
                } else if (value == 100) {
                    progress->setValue(0);
                    progress->hide();
                    statusBar()->clearMessage();
                } else {
                    progress->setValue(value);
                }
            });
    connect(m_documents, &TvqHTMLTab::OnActiveDocModifyStatusChange, this, &TfEditorWindow::UpdateCaption);
    connect(m_documents, &TvqHTMLTab::OnPageChange, this, [this] {
        m_modes->actions().at(Editor()->ColorCodeMode())->setChecked(true);
        UpdateCaption();
    });
    connect(m_documents, &TvqHTMLTab::OnActiveDocInsertModeChange, this, [this](TvqRichHTML *, TInsertMode mode) {
        statusBar()->showMessage(mode == imOverwrite ? tr("Overwrite") : tr("Insert"), 2000);
    });
    connect(m_documents, &TvqHTMLTab::OnDropFiles, this, [this](const QStringList &files) {
        for (const QString &name : files)
            OpenDocument(name);
    });
    resize(900, 640);
    m_modes->actions().at(Editor()->ColorCodeMode())->setChecked(true);
    UpdateCaption();
}

TvqRichHTML *TfEditorWindow::Editor() const
{
    return m_documents->ActiveEditor();
}

bool TfEditorWindow::OpenDocument(const QString &fileName)
{
    const bool opened =
        m_documents->AddDocument(fileName, Editor()->ColorCodeMode(), 0) && !Editor()->Filename().isEmpty();
    UpdateCaption();
    return opened;
}

void TfEditorWindow::UpdateCaption()
{
    const QString name = Editor()->Filename().isEmpty() ? tr("Untitled") : QFileInfo(Editor()->Filename()).fileName();
    setWindowTitle(name + (Editor()->Modified() ? QStringLiteral(" *") : QString()) + QStringLiteral(" - Velicort"));
}

void TfEditorWindow::mnuFileNewClick()
{
    m_documents->AddDocument(QString(), Editor()->ColorCodeMode(), 0);
}

void TfEditorWindow::mnuFileOpenClick()
{
    const QString name = TMessageService::Instance().GetOpenFileName(tr("Open"), QString(), HtmlFilter);
    if (!name.isEmpty())
        OpenDocument(name);
}

void TfEditorWindow::mnuFileCloseClick()
{
    if (QuerySave())
        m_documents->CloseActiveDocument();
}

bool TfEditorWindow::mnuFileSaveClick()
{
    if (Editor()->Filename().isEmpty())
        return mnuFileSaveAsClick();
    if (!Editor()->SaveToFile(Editor()->Filename(), false))
        return false;
    Editor()->SetModified(false);
    return true;
}

bool TfEditorWindow::mnuFileSaveAsClick()
{
    const QString name = TMessageService::Instance().GetSaveFileName(tr("Save As"), Editor()->Filename(), HtmlFilter);
    if (name.isEmpty() || !Editor()->SaveToFile(name, false))
        return false;
    Editor()->SetModified(false);
    return true;
}

void TfEditorWindow::mnuFilePrintClick()
{
    QPrinter printer;
    if (TMessageService::Instance().ChoosePrinter(printer))
        Editor()->PrintDocument(printer);
}

void TfEditorWindow::SetColorCodingMode(int mode)
{
    THourglass hourglass;
    const bool wasModified = Editor()->Modified();
    Editor()->SetColorCodeMode(TColorCodeMode(mode));
    if (!wasModified)
        Editor()->SetModified(false);
    WriteRegValue(ColorCodingKey, QStringLiteral("ColorCodeMode"), mode);
    m_modes->actions().at(mode)->setChecked(true);
}

bool TfEditorWindow::QuerySave()
{
    if (!Editor()->Modified())
        return true;
    const QString name = Editor()->Filename().isEmpty() ? tr("Untitled") : Editor()->Filename();
    switch (MessageDlg(tr("Save changes to %1?").arg(name), TMsgKind::Confirmation, TMsgButtons::YesNoCancel)) {
    case TMsgResult::Yes:
        return mnuFileSaveClick();
    case TMsgResult::No:
        return true;
    default:
        return false;
    }
}

void TfEditorWindow::closeEvent(QCloseEvent *event)
{
    for (int i = 0; i < m_documents->DocumentCount(); ++i) {
        m_documents->SetTabIndex(i);
        if (!QuerySave()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
