// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application launch bar: sixteen button slots, of which the first ones
// are in use (shown), without gaps. Each starts a program or opens a
// document; the bar keeps its buttons under its own settings key and lets
// the user configure them in its dialog.

#include <QFrame>

#include <array>

class TvqAppButton;

class TvqAppBar : public QFrame
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 16;
    // The highest slot index, and how many buttons the dialog's Add allows;
    // a stored list may fill all sixteen.
    static constexpr int MaxButtons = 15;

    explicit TvqAppBar(QWidget *parent = nullptr);

    TvqAppButton *Slot(int index) const { return m_slots.at(index); }
    bool SlotInUse(int index) const;
    void SetSlotInUse(int index, bool inUse);
    int VisibleCount() const;

    QString RegistryLocation() const { return m_registryLocation; }
    void SetRegistryLocation(const QString &key) { m_registryLocation = key; }
    // Shows the stored buttons, from Button0 up to the first one missing.
    void ReadFromRegistry();
    // Replaces the stored buttons by the ones in use.
    void WriteToRegistry();
    // Makes this bar's slots (use, tip, name, file, command line) those of
    // another one.
    void CopySlotsFrom(const TvqAppBar &other);
    // The configuration dialog; on OK its buttons become the bar's and are
    // stored. True when the user chose OK.
    bool Customize();
    // As the dialog's selector the buttons act as a radio group: the one
    // selected stays down.
    void SetSelector(bool on);

signals:
    void OnAppButtonClick(int index, const QString &commandLine, const QString &appFilename);

private:
    std::array<TvqAppButton *, SlotCount> m_slots{};
    QString m_registryLocation;
};
