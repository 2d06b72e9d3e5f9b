// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCustomMenuCommands.h"

#include "LongRun.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "TTagCommands.h"
#include "TvqListButton.h"
#include "TvqListMenuItem.h"

#include <QFileInfo>
#include <QPointer>
#include <QToolBar>

TCustomMenuCommands::TCustomMenuCommands(QToolBar *bar, TTagCommands *tags, QObject *parent)
    : QObject(parent), m_tags(tags)
{
    for (int i = 0; i < ButtonCount; ++i) {
        auto *button = new TvqListButton(bar);
        button->setObjectName(QStringLiteral("vqListButton%1").arg(i + 1));
        button->setText(QStringLiteral("Custom %1").arg(i + 1));
        bar->addWidget(button);
        // An item changes the document: it waits for a long run to end. The
        // item may be gone by then, when the user customised the menu.
        connect(button, &TvqListButton::OnItemClick, this, [this](TvqListMenuItem *item) {
            TLongRun::WhenIdle(this, [this, item = QPointer(item)] {
                if (item)
                    vqListButtonItemClick(*item);
            });
        });
        m_buttons[i] = button;
    }
}

QString TCustomMenuCommands::RegistryKey(int index)
{
    return RegistryKeys::Velicort + QStringLiteral("\\CustomButtons") +
           (index == 0 ? QString() : QString::number(index + 1));
}

void TCustomMenuCommands::Load()
{
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i]->SetRegistryLocation(RegistryKey(i));
        m_buttons[i]->ReadFromRegistry();
    }
}

void TCustomMenuCommands::vqListButtonItemClick(const TvqListMenuItem &item)
{
    if (item.Action() != vqInsertFile) {
        m_tags->RunTagAction(item.Action(), item.TagStart(), item.TagEnd(), false);
        return;
    }
    if (!QFileInfo(item.Filename()).isFile()) {
        MessageDlg(QStringLiteral("The file referenced by this item (\"") + item.Filename() +
                       QStringLiteral("\") doesn't exist."),
                   TMsgKind::Warning);
        return;
    }
    m_tags->RunTagAction(vqInsertFile, item.Filename(), QString(), false);
}
