// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The six custom menu buttons of the custom toolbar and what their items do:
// a tag item wraps the selection in its tags as written, a file item inserts
// the file's text at the caret.

#include <QObject>

#include <array>

class QToolBar;
class TTagCommands;
class TvqListButton;
class TvqListMenuItem;

class TCustomMenuCommands : public QObject
{
    Q_OBJECT

public:
    static constexpr int ButtonCount = 6;

    // Puts the buttons "Custom 1" to "Custom 6" on the bar.
    TCustomMenuCommands(QToolBar *bar, TTagCommands *tags, QObject *parent);

    TvqListButton *Button(int index) const { return m_buttons.at(index); }
    // The settings key of a button: "CustomButtons", then "CustomButtons2"
    // and on.
    static QString RegistryKey(int index);
    // Gives each button its key and reads its caption and items.
    void Load();
    void vqListButtonItemClick(const TvqListMenuItem &item);

private:
    TTagCommands *m_tags;
    std::array<TvqListButton *, ButtonCount> m_buttons{};
};
