// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An editable combo box whose drop-down list is a history kept in the
// settings store under a key of its own, as the values "Item0", "Item1", ...
// Most recent first; the list is not sorted.

#include <QComboBox>

class TvqSavedCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit TvqSavedCombo(QWidget *parent = nullptr);

    // Sets the key to parent + "\" + name (no second backslash when the
    // parent ends with one) and loads the history from it.
    void SetRegistryKey(const QString &parent, const QString &name);
    QString RegistryKey() const { return m_registryKey; }

    // Refills the list from the key: up to MaxItems entries, stopping at the
    // first empty one. Does nothing without a key.
    void LoadHistory();
    // Replaces what the key holds by the first MaxItems entries of the list.
    // Does nothing without a key.
    void SaveHistory();
    // Moves text (or adds it) to the top of the list, dropping an entry that
    // differs only in case, and saves the history. Does nothing without a
    // key or for empty text.
    void AddToHistory(const QString &text);
    void AddCurrentText() { AddToHistory(currentText()); }

    int MaxItems = 15;

private:
    QString m_registryKey;
};
