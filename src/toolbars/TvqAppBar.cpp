// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqAppBar.h"

#include "Hourglass.h"
#include "MessageService.h"
#include "SettingsStore.h"
#include "TfAppBarCustomize.h"
#include "TvqAppButton.h"

#include <optional>

namespace {

// The value names of slot n: "Button0_AppName" and so on.
QString ValueName(int n, const char *field)
{
    return QStringLiteral("Button%1_%2").arg(n).arg(QLatin1String(field));
}

const QString NotFound = QStringLiteral("NOT_FOUND");

} // namespace

TvqAppBar::TvqAppBar(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFixedSize(SlotCount * 24 + 2, 28);
    for (int i = 0; i < SlotCount; ++i) {
        auto *slot = new TvqAppButton(this);
        slot->setObjectName(QStringLiteral("vqAppButton%1").arg(i));
        slot->move(i * 24 + 1, 1);
        slot->hide();
        connect(slot, &QToolButton::clicked, this,
                [this, i, slot] { emit OnAppButtonClick(i, slot->CommandLine(), slot->AppFilename()); });
        m_slots[i] = slot;
    }
}

bool TvqAppBar::SlotInUse(int index) const
{
    // Hidden, not invisible: the bar itself may be on a page not shown.
    return !m_slots.at(index)->isHidden();
}

void TvqAppBar::SetSlotInUse(int index, bool inUse)
{
    m_slots.at(index)->setHidden(!inUse);
}

int TvqAppBar::VisibleCount() const
{
    int count = 0;
    for (int i = 0; i < SlotCount; ++i)
        count += SlotInUse(i) ? 1 : 0;
    return count;
}

void TvqAppBar::ReadFromRegistry()
{
    if (m_registryLocation.isEmpty()) {
        MessageDlg(QStringLiteral("TvqAppBar.ReadFromRegistry Error - FRegLoc Unassigned"), TMsgKind::Plain);
        return;
    }
    for (int n = 0; n < SlotCount; ++n) {
        const QString name = ReadRegValue(m_registryLocation, ValueName(n, "AppName"), NotFound);
        if (name == NotFound)
            break;
        TvqAppButton *slot = m_slots[n];
        slot->setToolTip(name);
        slot->SetAppName(name);
        slot->SetAppFilename(ReadRegValue(m_registryLocation, ValueName(n, "AppFilename"), QString()));
        slot->SetCommandLine(ReadRegValue(m_registryLocation, ValueName(n, "CommandLine"), QString()));
        slot->show();
    }
}

void TvqAppBar::WriteToRegistry()
{
    if (m_registryLocation.isEmpty()) {
        MessageDlg(QStringLiteral("TvqAppBar.WriteToRegistry Error - FRegLoc Unassigned"), TMsgKind::Plain);
        return;
    }
    const TSettingsBatch batch;
    EraseRegKey(m_registryLocation);
    for (int n = 0; n < SlotCount && SlotInUse(n); ++n) {
        const TvqAppButton *slot = m_slots[n];
        WriteRegValue(m_registryLocation, ValueName(n, "AppName"), slot->AppName());
        WriteRegValue(m_registryLocation, ValueName(n, "AppFilename"), slot->AppFilename());
        WriteRegValue(m_registryLocation, ValueName(n, "CommandLine"), slot->CommandLine());
    }
}

void TvqAppBar::CopySlotsFrom(const TvqAppBar &other)
{
    for (int i = 0; i < SlotCount; ++i) {
        m_slots[i]->CopyFrom(*other.Slot(i));
        SetSlotInUse(i, other.SlotInUse(i));
    }
}

bool TvqAppBar::Customize()
{
    std::optional<THourglass> hourglass(std::in_place);
    TfAppBarCustomize dialog(*this, window());
    hourglass.reset();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    CopySlotsFrom(*dialog.vqAppBar);
    WriteToRegistry();
    return true;
}

void TvqAppBar::SetSelector(bool on)
{
    for (TvqAppButton *slot : m_slots) {
        slot->setCheckable(on);
        slot->setAutoExclusive(on);
    }
}
