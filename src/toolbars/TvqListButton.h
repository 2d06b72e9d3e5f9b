// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A custom menu button: a captioned button that drops down a menu of the
// user's own items (tag pairs, files to insert, separators), after the fixed
// "Customize..." entry and a separator. It keeps its caption and items under
// its own settings key and lets the user edit them in its dialog.

#include <QList>
#include <QToolButton>

class QMenu;
class TvqListMenuItem;

class TvqListButton : public QToolButton
{
    Q_OBJECT

public:
    // The most items a stored menu is read with; the dialog allows one less.
    static constexpr int MaxStoredItems = 18;

    // Without the fixed entries the menu holds only user items: the
    // dialog's preview.
    explicit TvqListButton(QWidget *parent = nullptr, bool fixedEntries = true);

    QMenu *Menu() const { return m_menu; }
    // The user's items, in menu order.
    QList<TvqListMenuItem *> Items() const { return m_items; }
    // Appends a copy of the item.
    TvqListMenuItem *AddItem(const TvqListMenuItem &item);
    // Appends an empty tag item with the title.
    TvqListMenuItem *AddItem(const QString &title);
    void RemoveItem(int index);
    void ClearItems();

    // Whether a click drops down the menu.
    bool DropDown() const { return m_dropDown; }
    void SetDropDown(bool on) { m_dropDown = on; }

    QString RegistryLocation() const { return m_registryLocation; }
    void SetRegistryLocation(const QString &key) { m_registryLocation = key; }
    // Reads the caption and the items, converting the older layout that kept
    // titles in "_Hint" values; nothing without a key.
    void ReadFromRegistry();
    void WriteToRegistry();
    // The dialog; on OK its title and items become the button's and are
    // stored. True when the user chose OK.
    bool Customize();

signals:
    // A user item was chosen.
    void OnItemClick(TvqListMenuItem *item);

private:
    void ShowMenu();
    TvqListMenuItem *Append(TvqListMenuItem *item);

    QMenu *m_menu;
    QList<TvqListMenuItem *> m_items;
    bool m_dropDown = true;
    QString m_registryLocation;
};
