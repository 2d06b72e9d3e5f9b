// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog that edits a custom menu button: its title and its items. The
// items live in a preview button of the dialog's own, whose menu holds only
// them, so that row i of the list is item i of the preview; the real button
// takes them over on OK.

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class TvqListButton;

class TfListBtnCustomize : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxItems = 17;
    static constexpr int MaxTagLength = 1000;

    TfListBtnCustomize(const TvqListButton &button, QWidget *parent = nullptr);

    // How the list shows a separator.
    static QString SeparatorLine();

    TvqListButton *vqPreview;
    QLineEdit *txtTitle;
    QTreeWidget *lvwItems;
    QGroupBox *grpAction;
    QRadioButton *optTags;
    QRadioButton *optFile;
    QPlainTextEdit *memStartTag;
    QPlainTextEdit *memEndTag;
    QLineEdit *txtFilename;
    QPushButton *btnBrowse;
    QPushButton *btnAddItem;
    QPushButton *btnAddSeparator;
    QPushButton *btnRenameItem;
    QPushButton *btnDeleteItem;
    QPushButton *btnUp;
    QPushButton *btnDown;

    void AddItemClick();
    void AddSeparatorClick();
    void RenameItemClick();
    void DeleteItemClick();
    // Swaps the selected item with the one before (-1) or after (+1).
    void MoveItem(int step);

public slots:
    void accept() override;

private:
    QTreeWidgetItem *AppendRow(const QString &text);
    bool MayAdd();
    // Writes the fields into the selected item.
    void StoreFields();
    void ShowItem(int index);
    // The enabled state of the fields follows the choice.
    void EnableChoice();
    // An edit of the selected title ended.
    void TitleEdited(QTreeWidgetItem *row);

    int m_selected = -1;
    bool m_showing = false; // the list's texts are being set, not edited
};
