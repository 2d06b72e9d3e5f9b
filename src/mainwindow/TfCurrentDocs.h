// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Current Documents dialog: the open documents in tab order, to pick one
// to make active. Untitled documents are listed as "[Untitled]"; the box
// "Show full paths" (OpenDocsShowFullPath under Software\Velicort\DocumentList)
// switches between full paths and file names.

#include <QDialog>
#include <QStringList>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class TvqFileView;

class TfCurrentDocs : public QDialog
{
    Q_OBJECT

public:
    // paths are the open documents' files in tab order, empty for an
    // untitled one; the active document's row is selected.
    TfCurrentDocs(const QStringList &paths, int activeIndex, QWidget *parent = nullptr);

    // Shows the dialog modally. The chosen document's index, or -1 when
    // cancelled.
    static int ChooseDocument(const QStringList &paths, int activeIndex, QWidget *parent = nullptr);

    // The index of the selected document, or -1.
    int SelectedIndex() const;

    TvqFileView *vqOpenDocs;
    QCheckBox *chkShowFullPaths;
    QPushButton *btnSelect;
    QPushButton *btnCancel;
    QMenu *mnuPopup;
    QAction *mnuProperties;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FillList();
    void UpdateCommands();
    void btnSelectClick();
    void chkShowFullPathsClick();

    QStringList m_paths;
};
