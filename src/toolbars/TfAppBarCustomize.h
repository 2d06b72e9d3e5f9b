// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog that configures the application launch bar. It edits a copy of
// the bar's sixteen slots in a bar of its own, whose buttons select the slot
// the fields show; the bar takes the copy back on OK.

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class TvqAppBar;

// The programs the file dialog offers first: executables of this system,
// which need no extension here.
QString AppBarProgramFilter();

class TfAppBarCustomize : public QDialog
{
    Q_OBJECT

public:
    TfAppBarCustomize(const TvqAppBar &bar, QWidget *parent = nullptr);

    int Selected() const { return m_selected; }

    TvqAppBar *vqAppBar;
    QGroupBox *grpFields;
    QLineEdit *txtAppName;
    QLineEdit *txtAppFilename;
    QLineEdit *txtCommandLine;
    QPushButton *btnBrowse;
    QPushButton *btnAdd;
    QPushButton *btnDelete;

public slots:
    void accept() override;

private:
    void SelectSlot(int index);
    // Writes the fields into the selected slot, when one is in use.
    void StoreFields();
    void ShowSlot(int index);
    // The program the user picks, or empty.
    QString AskProgram();
    void btnAddClick();
    void btnBrowseClick();
    void btnDeleteClick();

    int m_selected = 0;
};
