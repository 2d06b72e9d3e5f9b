// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorWindow.h"

#include "MessageService.h"
#include "SettingsStore.h"
#include "TvqRichHTML.h"

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

TfEditorWindow::TfEditorWindow(QWidget *parent) : QMainWindow(parent), m_editor(new TvqRichHTML(this))
{
    setCentralWidget(m_editor);
    m_editor->ReadFontSettings(ColorCodingKey);
    m_editor->SetColorCodeMode(
        ColorCodeModeFromNumber(ReadRegInteger(ColorCodingKey, QStringLiteral("ColorCodeMode"), 2)));
    m_editor->SetUseLockWindowUpdate(ReadRegBool(ColorCodingKey, QStringLiteral("UseLockWindowUpdate"), true));
    m_editor->SetForegroundColor(TColor(ReadRegInteger(ColorCodingKey, QStringLiteral("ForegroundColor"), clBlack)));
    m_editor->SetBackgroundColor(TColor(ReadRegInteger(ColorCodingKey, QStringLiteral("BackgroundColor"), clWindow)));

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &TfEditorWindow::mnuFileOpenClick);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &TfEditorWindow::mnuFileSaveClick);
    file->addAction(tr("Save &As..."), this, &TfEditorWindow::mnuFileSaveAsClick);
    file->addAction(tr("&Reload"), this, [this] { m_editor->Reload(); });
    file->addSeparator();
    file->addAction(tr("&Print..."), QKeySequence::Print, this, &TfEditorWindow::mnuFilePrintClick);
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Undo"), this, [this] { m_editor->Undo(); });
    edit->addSeparator();
    edit->addAction(tr("Cu&t"), this, [this] { m_editor->Cut(); });
    edit->addAction(tr("&Copy"), this, [this] { m_editor->Copy(); });
    edit->addAction(tr("&Paste"), this, [this] { m_editor->Paste(); });
    QAction *autoIndent = edit->addAction(tr("&Auto Indent"));
    autoIndent->setCheckable(true);
    connect(autoIndent, &QAction::toggled, m_editor, &TvqRichHTML::SetAutoIndent);

    QMenu *options = menuBar()->addMenu(tr("&Options"));
    QMenu *coding = options->addMenu(tr("&Color Coding"));
    m_modes = new QActionGroup(this);
    const QString names[] = {tr("&None"), tr("&Minimal"), tr("&Full")};
    for (int mode = ccNone; mode <= ccFull; ++mode) {
        QAction *action = coding->addAction(names[mode], this, [this, mode] { SetColorCodingMode(mode); });
        action->setCheckable(true);
        action->setChecked(mode == m_editor->ColorCodeMode());
        m_modes->addAction(action);
    }
    options->addAction(tr("&Re-apply Color Coding"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                       [this] { m_editor->ColorAll(); });

    // Long colouring runs show their progress in place of the status bar.
    auto *progress = new QProgressBar(this);
    progress->setMaximumWidth(240);
    progress->hide();
    statusBar()->addPermanentWidget(progress);
    connect(m_editor, &TvqRichHTML::ProgressChange, this, [this, progress](int value) {
        if (value == 0) {
            statusBar()->showMessage(m_editor->ProgressCaption());
            progress->show();
        } else if (value == 100) {
            progress->setValue(0);
            progress->hide();
            statusBar()->clearMessage();
        } else {
            progress->setValue(value);
        }
    });
    connect(m_editor, &TvqRichHTML::ModifyStatusChange, this, &TfEditorWindow::UpdateCaption);
    connect(m_editor, &TvqRichHTML::InsertModeChange, this, [this](TInsertMode mode) {
        statusBar()->showMessage(mode == imOverwrite ? tr("Overwrite") : tr("Insert"), 2000);
    });
    resize(900, 640);
    UpdateCaption();
}

bool TfEditorWindow::OpenDocument(const QString &fileName)
{
    const bool opened = m_editor->SetFilename(fileName);
    UpdateCaption();
    return opened;
}

void TfEditorWindow::UpdateCaption()
{
    const QString name = m_editor->Filename().isEmpty() ? tr("Untitled") : QFileInfo(m_editor->Filename()).fileName();
    setWindowTitle(name + (m_editor->Modified() ? QStringLiteral(" *") : QString()) + QStringLiteral(" - Velicort"));
}

void TfEditorWindow::mnuFileOpenClick()
{
    const QString name = TMessageService::Instance().GetOpenFileName(tr("Open"), QString(), HtmlFilter);
    if (!name.isEmpty())
        OpenDocument(name);
}

bool TfEditorWindow::mnuFileSaveClick()
{
    if (m_editor->Filename().isEmpty())
        return mnuFileSaveAsClick();
    if (!m_editor->SaveToFile(m_editor->Filename(), false))
        return false;
    m_editor->SetModified(false);
    return true;
}

bool TfEditorWindow::mnuFileSaveAsClick()
{
    const QString name = TMessageService::Instance().GetSaveFileName(tr("Save As"), m_editor->Filename(), HtmlFilter);
    if (name.isEmpty() || !m_editor->SaveToFile(name, false))
        return false;
    m_editor->SetModified(false);
    return true;
}

void TfEditorWindow::mnuFilePrintClick()
{
    QPrinter printer;
    if (TMessageService::Instance().ChoosePrinter(printer))
        m_editor->PrintDocument(printer);
}

void TfEditorWindow::SetColorCodingMode(int mode)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool wasModified = m_editor->Modified();
    m_editor->SetColorCodeMode(TColorCodeMode(mode));
    if (!wasModified)
        m_editor->SetModified(false);
    WriteRegValue(ColorCodingKey, QStringLiteral("ColorCodeMode"), mode);
    m_modes->actions().at(mode)->setChecked(true);
    QApplication::restoreOverrideCursor();
}

void TfEditorWindow::closeEvent(QCloseEvent *event)
{
    if (m_editor->Modified()) {
        const QString name = m_editor->Filename().isEmpty() ? tr("Untitled") : m_editor->Filename();
        switch (MessageDlg(tr("Save changes to %1?").arg(name), TMsgKind::Confirmation, TMsgButtons::YesNoCancel)) {
        case TMsgResult::Yes:
            if (!mnuFileSaveClick()) {
                event->ignore();
                return;
            }
            break;
        case TMsgResult::No:
            break;
        default:
            event->ignore();
            return;
        }
    }
    event->accept();
}
