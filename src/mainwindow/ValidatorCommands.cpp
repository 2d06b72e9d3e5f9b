// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValidatorCommands.h"

#include "CommandBinder.h"
#include "HTMLValidator.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "Notices.h"
#include "Shell.h"
#include "TPreviewController.h"
#include "TvqHTMLTab.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTreeWidget>

#include <unistd.h>

namespace {

// The rows' icons by number: a comment, an error, a warning.
constexpr int CommentIcon = 0;
constexpr int ErrorIcon = 1;
constexpr int WarningIcon = 2;

const QString CannotCopy =
    QStringLiteral("Velicort was unable to create a temporary file containing the current document's contents.  ");

// The row's line number: its caption as a number; 0 when it is none.
int RowLine(const QTreeWidgetItem *row)
{
    return row ? row->text(0).trimmed().toInt() : 0;
}

} // namespace

QString CompanionValidatorPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velicort-validate"));
}

bool IsTrustedResultsFile(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && !file.isSymLink() && file.ownerId() == ::geteuid() &&
           file.canonicalPath() == QFileInfo(QDir::tempPath()).canonicalFilePath();
}

TValidatorCommands::TValidatorCommands(TvqHTMLTab *documents, TPreviewController *preview, QTreeWidget *list,
                                       const QString &validator, QWidget *window)
    : QObject(window), m_documents(documents), m_preview(preview), m_list(list), m_validator(validator),
      m_window(window), m_popup(new QMenu(list))
{
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Line"), tr("Message")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setMaximumHeight(m_list->fontMetrics().height() * 9);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *row) { GoToLine(row); });

    m_goToLine = m_popup->addAction(tr("&Go to this line"));
    m_goToLine->setObjectName(QStringLiteral("mnuPV_GoToLine"));
    connect(m_goToLine, &QAction::triggered, this, [this] { GoToLine(m_list->currentItem()); });
    QAction *revalidate = m_popup->addAction(tr("&Revalidate"));
    revalidate->setObjectName(QStringLiteral("mnuPV_Revalidate"));
    connect(revalidate, &QAction::triggered, this, &TValidatorCommands::ValidateDocument);
    QAction *close = m_popup->addAction(tr("&Close validator output"));
    close->setObjectName(QStringLiteral("mnuPV_CloseValidator"));
    connect(close, &QAction::triggered, this, &TValidatorCommands::CloseValidatorOutput);
    connect(m_popup, &QMenu::aboutToShow, this,
            [this] { m_goToLine->setEnabled(RowLine(m_list->currentItem()) != 0); });
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup->popup(m_list->viewport()->mapToGlobal(at)); });
}

void TValidatorCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuToolsValidate"}, this, [this] { ValidateDocument(); });
    m_button = commands.Action(QStringLiteral("spdValidate"));
    commands.On({"spdValidate"}, this, [this] {
        if (m_list->isHidden())
            ValidateDocument();
        else
            HidePanel();
        m_button->setChecked(!m_list->isHidden());
    });
    m_wordWrap = {commands.Action(QStringLiteral("mnuOptionsWordWrap")),
                  commands.Action(QStringLiteral("spdWordWrap"))};
}

void TValidatorCommands::ValidateDocument()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    if (editor->TextLength() == 0) {
        MessageDlg(QStringLiteral("This document is empty - there is nothing to validate."), TMsgKind::Information);
        HidePanel();
        return;
    }
    if (!QFileInfo(m_validator).isExecutable()) {
        MessageDlg(QStringLiteral("This feature requires the separate HTML validator, velicort-validate, in version "
                                  "2.00 or later, and no compatible version was found beside Velicort.  After "
                                  "installing it, you may need to run it once by itself so that it configures "
                                  "itself for Velicort."),
                   TMsgKind::Warning);
        return;
    }
    // The validator reads what the editor holds, as UTF-8.
    QString file = m_preview->MakeToolCopy(editor->RawText());
    if (file.isEmpty()) {
        if (!QFileInfo(editor->Filename()).isFile()) {
            MessageDlg(CannotCopy + QStringLiteral("Operation cancelled."), TMsgKind::Error);
            HidePanel();
            return;
        }
        MessageDlg(CannotCopy + QStringLiteral("Proceeding with actual document instead."), TMsgKind::Error);
        file = editor->Filename();
    }
    if (!RunProgram(m_validator, {QStringLiteral("-h"), file})) {
        HidePanel();
        MessageDlg(QStringLiteral("Access denied."), TMsgKind::Error);
    }
}

void TValidatorCommands::ShowValidatorResults(const QString &path)
{
    if (!IsTrustedResultsFile(path))
        return;
    EnsureNoWordWrap();
    {
        const THourglass hourglass;
        m_list->setUpdatesEnabled(false);
        m_list->clear();
        QFile file(path);
        const QList<TValidatorFinding> findings =
            THTMLValidator::ReadResults(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        file.close();
        for (const TValidatorFinding &finding : findings) {
            const QString line = u' ' + QString::number(finding.line);
            switch (finding.type) {
            case TFindingType::Error:
                AddRow(ErrorIcon, line, finding.message);
                break;
            case TFindingType::Warning:
                AddRow(WarningIcon, line, finding.message);
                break;
            case TFindingType::Comment:
                AddRow(CommentIcon, QStringLiteral(" Comment"), finding.message);
                break;
            }
        }
        if (findings.isEmpty())
            AddRow(-1, QString(), QStringLiteral("No errors or warnings."));
        QFile::remove(path);
        m_list->setUpdatesEnabled(true);
    }
    m_list->show();
    if (m_button)
        m_button->setChecked(true);
}

void TValidatorCommands::GoToLine(const QTreeWidgetItem *row)
{
    const int line = RowLine(row);
    if (line == 0)
        return;
    EnsureNoWordWrap();
    TvqRichHTML *editor = m_documents->ActiveEditor();
    if (line > editor->LineCount())
        return;
    editor->SelectLines(line - 1, line - 1);
    editor->setFocus();
}

void TValidatorCommands::CloseValidatorOutput()
{
    HidePanel();
}

bool TValidatorCommands::eventFilter(QObject *watched, QEvent *event)
{
    // However the list goes (a page switch, a closed document), the button
    // comes up with it.
    if (watched == m_list && event->type() == QEvent::HideToParent && m_button)
        m_button->setChecked(false);
    return QObject::eventFilter(watched, event);
}

void TValidatorCommands::HidePanel()
{
    m_list->hide();
    m_list->clear();
    if (m_button)
        m_button->setChecked(false);
}

void TValidatorCommands::EnsureNoWordWrap()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    if (!editor->WordWrap())
        return;
    ShowOnceNotice(nmValidatorWordWrap);
    editor->SetWordWrap(false);
    for (QAction *command : m_wordWrap)
        command->setChecked(false);
}

void TValidatorCommands::AddRow(int icon, const QString &caption, const QString &message)
{
    auto *row = new QTreeWidgetItem(m_list, {caption, message});
    row->setData(0, Qt::UserRole, icon);
    const QStyle::StandardPixmap pixmaps[] = {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxCritical,
                                              QStyle::SP_MessageBoxWarning};
    if (icon >= 0)
        row->setIcon(0, m_list->style()->standardIcon(pixmaps[icon]));
}
