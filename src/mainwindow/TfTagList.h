// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floating tag list: a window that stays on top with the pages "Tags"
// and "Attributes", loaded from "Tags.dat" and "Attributes.dat" the first
// time it is shown. A double click on an entry asks for it to be put into
// the active document. Created once at start-up; the main window shows and
// hides it. Its place is kept under Software\Velicort\TagForm.

#include <QDialog>

class QListWidget;
class QListWidgetItem;

class TfTagList : public QDialog
{
    Q_OBJECT

public:
    explicit TfTagList(QWidget *parent = nullptr);
    ~TfTagList() override;

    QListWidget *TagsList() const { return lstTags; }
    QListWidget *AttributesList() const { return lstAttributes; }

signals:
    // The window was closed by the user.
    void Closed();
    // An entry was chosen: its texts in the tag case, to wrap the selection.
    void InsertTag(const QString &start, const QString &end);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void TagDoubleClicked(const QListWidgetItem *item);
    void AttributeDoubleClicked(const QListWidgetItem *item);

    QListWidget *lstTags;
    QListWidget *lstAttributes;
    bool m_loaded = false;
};
