// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfExtendedSearch.h"

#include "ExtendedSearch.h"
#include "MessageService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TfExtendedSearch::TfExtendedSearch(bool replace, QWidget *parent) : QDialog(parent), m_replace(replace)
{
    setWindowTitle(replace ? QStringLiteral("Extended Replace") : QStringLiteral("Extended Find"));
    auto *layout = new QVBoxLayout(this);

    auto *where = new QGroupBox(replace ? QStringLiteral("Replace &Where") : QStringLiteral("Find &Where"));
    auto *grid = new QGridLayout(where);
    auto *scopes = new QButtonGroup(this);
    int row = 0;
    if (replace) {
        rdoCurrentDoc = new QRadioButton(QStringLiteral("Current &document only"));
        rdoOpenDocs = new QRadioButton(QStringLiteral("All &open documents"));
        grid->addWidget(rdoCurrentDoc, row++, 0, 1, 3);
        grid->addWidget(rdoOpenDocs, row++, 0, 1, 3);
        scopes->addButton(rdoCurrentDoc);
        scopes->addButton(rdoOpenDocs);
    }
    rdoFolder = new QRadioButton(QStringLiteral("All documents in this &folder:"));
    txtFolder = new QLineEdit;
    txtFolder->setReadOnly(true);
    btnFolder = new QPushButton(QStringLiteral("..."));
    btnFolder->setToolTip(QStringLiteral("Select Directory"));
    chkSubfolders = new QCheckBox(QStringLiteral("Include subfolders"));
    rdoProject = new QRadioButton(QStringLiteral("All documents in this p&roject:"));
    cboProject = new QComboBox;
    scopes->addButton(rdoFolder);
    scopes->addButton(rdoProject);
    grid->addWidget(rdoFolder, row++, 0, 1, 3);
    grid->addWidget(txtFolder, row, 1);
    grid->addWidget(btnFolder, row++, 2);
    grid->addWidget(chkSubfolders, row++, 1);
    grid->addWidget(rdoProject, row++, 0, 1, 3);
    grid->addWidget(cboProject, row++, 1, 1, 2);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(1, 1);
    layout->addWidget(where);

    auto *texts = new QFormLayout;
    txtFind = new QPlainTextEdit;
    txtFind->setTabChangesFocus(true);
    txtFind->setFixedHeight(txtFind->fontMetrics().lineSpacing() * 3 + 12);
    texts->addRow(QStringLiteral("Fi&nd what:"), txtFind);
    if (replace) {
        txtReplace = new QPlainTextEdit;
        txtReplace->setTabChangesFocus(true);
        txtReplace->setFixedHeight(txtFind->height());
        texts->addRow(QStringLiteral("Re&place with:"), txtReplace);
    }
    for (int i = 0; i < texts->rowCount(); ++i)
        if (auto *label = qobject_cast<QLabel *>(texts->itemAt(i, QFormLayout::LabelRole)->widget()))
            label->setBuddy(texts->itemAt(i, QFormLayout::FieldRole)->widget());
    layout->addLayout(texts);
    chkMatchCase = new QCheckBox(QStringLiteral("&Match case"));
    layout->addWidget(chkMatchCase);
    if (replace) {
        chkBackups = new QCheckBox(QStringLiteral("Make &Backups"));
        chkBackups->setChecked(true);
        layout->addWidget(chkBackups);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    btnAction = buttons->addButton(replace ? QStringLiteral("Replace &All") : QStringLiteral("&Find"),
                                   QDialogButtonBox::AcceptRole);
    btnAction->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (QWidget *box : {static_cast<QWidget *>(txtFind), static_cast<QWidget *>(txtReplace)})
        if (box)
            box->installEventFilter(this);
    connect(txtFind, &QPlainTextEdit::textChanged, this, &TfExtendedSearch::UpdateControls);
    connect(scopes, &QButtonGroup::buttonToggled, this, &TfExtendedSearch::UpdateControls);
    connect(btnFolder, &QPushButton::clicked, this, &TfExtendedSearch::BrowseFolder);
    SetScope(replace ? esCurrentDocument : esFolder);
    UpdateControls();
}

TExtendedScope TfExtendedSearch::Scope() const
{
    if (rdoCurrentDoc && rdoCurrentDoc->isChecked())
        return esCurrentDocument;
    if (rdoOpenDocs && rdoOpenDocs->isChecked())
        return esOpenDocuments;
    return rdoProject->isChecked() ? esProject : esFolder;
}

void TfExtendedSearch::SetScope(TExtendedScope scope)
{
    QRadioButton *buttons[] = {rdoCurrentDoc, rdoOpenDocs, rdoFolder, rdoProject};
    if (buttons[scope])
        buttons[scope]->setChecked(true);
}

QString TfExtendedSearch::FindText() const
{
    return txtFind->toPlainText();
}

QString TfExtendedSearch::ReplaceText() const
{
    return txtReplace ? txtReplace->toPlainText() : QString();
}

int TfExtendedSearch::Options() const
{
    return (chkMatchCase->isChecked() ? esoMatchCase : 0) | (chkBackups && chkBackups->isChecked() ? esoBackups : 0);
}

QString TfExtendedSearch::Folder() const
{
    return txtFolder->text();
}

QString TfExtendedSearch::ProjectName() const
{
    return cboProject->currentText();
}

void TfExtendedSearch::Prepare(const QString &selection, const QStringList &projects, const QString &currentProject,
                               const QString &folder)
{
    if (!selection.isEmpty())
        txtFind->setPlainText(selection);
    const QString chosen = cboProject->currentText().isEmpty() ? currentProject : cboProject->currentText();
    cboProject->clear();
    cboProject->addItems(projects);
    // With no project chosen or current, the first one: an empty choice
    // would only name a project file that does not exist.
    cboProject->setCurrentIndex(std::max(0, int(projects.indexOf(chosen))));
    if (txtFolder->text().isEmpty())
        txtFolder->setText(folder);
    txtFind->setFocus();
    UpdateControls();
}

bool TfExtendedSearch::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a text box selects its whole text.
    if (event->type() == QEvent::FocusIn)
        if (auto *box = qobject_cast<QPlainTextEdit *>(watched))
            QTimer::singleShot(0, box, &QPlainTextEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void TfExtendedSearch::UpdateControls()
{
    const TExtendedScope scope = Scope();
    btnAction->setEnabled(!FindText().isEmpty());
    btnFolder->setEnabled(scope == esFolder);
    txtFolder->setEnabled(scope == esFolder);
    chkSubfolders->setEnabled(scope == esFolder);
    cboProject->setEnabled(scope == esProject);
    if (chkBackups)
        chkBackups->setEnabled(scope == esFolder || scope == esProject);
}

void TfExtendedSearch::BrowseFolder()
{
    const QString folder = TMessageService::Instance().GetFolderName(QStringLiteral("Select Directory"), Folder());
    if (!folder.isEmpty())
        txtFolder->setText(folder);
}
