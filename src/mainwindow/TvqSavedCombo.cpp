// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqSavedCombo.h"

#include "SettingsStore.h"

#include <QSignalBlocker>

#include <algorithm>

namespace {

QString ItemName(int n)
{
    return QStringLiteral("Item%1").arg(n);
}

} // namespace

TvqSavedCombo::TvqSavedCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Entries reach the list only through AddToHistory, not by pressing Enter.
    setInsertPolicy(QComboBox::NoInsert);
}

void TvqSavedCombo::SetRegistryKey(const QString &parent, const QString &name)
{
    m_registryKey = parent.endsWith(u'\\') ? parent + name : parent + u'\\' + name;
    LoadHistory();
}

void TvqSavedCombo::LoadHistory()
{
    if (m_registryKey.isEmpty())
        return;
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    for (int n = 0; n < MaxItems; ++n) {
        const QString item = ReadRegValue(m_registryKey, ItemName(n), QString());
        if (item.isEmpty())
            break;
        addItem(item);
    }
    // Refilling the list must not change what the user typed.
    setEditText(text);
}

void TvqSavedCombo::SaveHistory()
{
    if (m_registryKey.isEmpty())
        return;
    EraseRegKey(m_registryKey);
    for (int n = 0; n < std::min(count(), MaxItems); ++n)
        WriteRegValue(m_registryKey, ItemName(n), itemText(n));
}

void TvqSavedCombo::AddToHistory(const QString &text)
{
    if (m_registryKey.isEmpty() || text.isEmpty())
        return;
    const QString editText = currentText();
    {
        const QSignalBlocker blocker(this);
        const int index = findText(text, Qt::MatchFixedString);
        if (index >= 0)
            removeItem(index);
        insertItem(0, text);
        setEditText(editText);
    }
    SaveHistory();
}
