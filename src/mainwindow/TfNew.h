// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The template chooser of File > New: "Blank Document" and the templates by
// name. Templates can be made from any file and deleted again; the shipped
// ones cannot be deleted.

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

class TfNew : public QDialog
{
    Q_OBJECT

public:
    // fileFilter is the filter of the dialog that picks a template's source.
    explicit TfNew(const QString &fileFilter, QWidget *parent = nullptr);

    // Shows the chooser modally. Nothing when cancelled, an empty path for
    // "Blank Document", else the chosen template's file.
    static std::optional<QString> ChooseTemplate(const QString &fileFilter, QWidget *parent = nullptr);

    // "Blank Document" first, then the templates; selects the entry of the
    // name (compared without case), or the first entry when it is missing.
    void FillList(const QString &selectName = QString());
    // The selected entry as ChooseTemplate returns it; nothing when no entry
    // is selected.
    std::optional<QString> SelectedTemplate() const;

    QLabel *lblPrompt;
    QListWidget *lstTemplates;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnNewTemplate;
    QPushButton *btnDeleteTemplate;

private:
    int SelectedRow() const;
    void btnOKClick();
    void btnNewTemplateClick();
    void btnDeleteTemplateClick();

    QString m_fileFilter;
};
