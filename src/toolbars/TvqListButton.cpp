// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqListButton.h"

#include "SettingsStore.h"
#include "TfListBtnCustomize.h"
#include "TvqListMenuItem.h"

#include <QMenu>
#include <QPainter>
#include <QPolygon>
#include <QTimer>

namespace {

QString ValueName(int n, const char *field)
{
    return QStringLiteral("Button%1_%2").arg(n).arg(QLatin1String(field));
}

const QString NotFound = QStringLiteral("NOT_FOUND");
const QString ToolbarName = QStringLiteral("ToolbarName");

// A small arrow pointing down, drawn to the right of the caption, with room
// after it so that it is not taken for the next button's.
constexpr QSize GlyphSize(12, 4);

QIcon DropDownGlyph()
{
    QPixmap glyph(GlyphSize);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(7, 0), QPoint(3, 4)}));
    return QIcon(glyph);
}

} // namespace

TvqListButton::TvqListButton(QWidget *parent, bool fixedEntries) : QToolButton(parent), m_menu(new QMenu(this))
{
    setAutoRaise(true);
    setMinimumSize(80, 18);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIcon(DropDownGlyph());
    setIconSize(GlyphSize);
    // Right to left puts the glyph after the caption; the menu keeps the
    // usual direction.
    setLayoutDirection(Qt::RightToLeft);
    m_menu->setLayoutDirection(Qt::LeftToRight);
    if (fixedEntries) {
        auto *customize = new TvqListMenuItem(m_menu);
        customize->setObjectName(QStringLiteral("mnuCustomize"));
        customize->SetAction(vqCustomize);
        customize->SetTitle(QStringLiteral("Customize..."));
        m_menu->addAction(customize);
        m_menu->addSeparator();
        // The dialog replaces the items this menu's entry is among: it waits
        // until the menu has finished with it.
        connect(customize, &QAction::triggered, this, [this] { QTimer::singleShot(0, this, [this] { Customize(); }); });
    }
    connect(this, &QToolButton::clicked, this, &TvqListButton::ShowMenu);
}

void TvqListButton::ShowMenu()
{
    if (!m_dropDown)
        return;
    // The menu's right edge at the button's, just over its bottom edge.
    const QSize size = m_menu->sizeHint();
    m_menu->popup(mapToGlobal(QPoint(width() - size.width(), height() - 1)));
}

TvqListMenuItem *TvqListButton::Append(TvqListMenuItem *item)
{
    m_menu->addAction(item);
    m_items.append(item);
    connect(item, &QAction::triggered, this, [this, item] { emit OnItemClick(item); });
    return item;
}

TvqListMenuItem *TvqListButton::AddItem(const TvqListMenuItem &item)
{
    auto *copy = new TvqListMenuItem(m_menu);
    copy->CopyFrom(item);
    return Append(copy);
}

TvqListMenuItem *TvqListButton::AddItem(const QString &title)
{
    auto *item = new TvqListMenuItem(m_menu);
    item->SetTitle(title);
    return Append(item);
}

void TvqListButton::RemoveItem(int index)
{
    delete m_items.takeAt(index);
}

void TvqListButton::ClearItems()
{
    qDeleteAll(std::exchange(m_items, {}));
}

void TvqListButton::ReadFromRegistry()
{
    if (m_registryLocation.isEmpty())
        return;
    ClearItems();
    const QString &key = m_registryLocation;
    if (const QString name = ReadRegValue(key, ToolbarName, QString()); !name.isEmpty())
        setText(name);
    for (int n = 0; n < MaxStoredItems; ++n) {
        QString caption = ReadRegValue(key, ValueName(n, "Caption"), NotFound);
        if (caption == NotFound)
            break;
        // The older layout: the title in the hint, the caption "Custom n".
        if (const QString hint = ReadRegValue(key, ValueName(n, "Hint"), QString());
            !hint.isEmpty() && !hint.startsWith(QLatin1String("Custom "))) {
            caption = hint;
            WriteRegValue(key, ValueName(n, "Hint"), QString());
            WriteRegValue(key, ValueName(n, "Caption"), hint);
        }
        // Captions are stored as the menu shows them, with two trailing
        // blanks; taken with them, each save would add two more.
        while (caption.endsWith(u' '))
            caption.chop(1);
        if (caption.isEmpty())
            caption = QStringLiteral("Untitled");
        caption.truncate(TvqListMenuItem::MaxTitle);
        TvqListMenuItem *item = AddItem(caption);
        item->SetTagStart(ReadRegValue(key, ValueName(n, "StartTag"), QString()));
        item->SetTagEnd(ReadRegValue(key, ValueName(n, "EndTag"), QString()));
        item->SetFilename(ReadRegValue(key, ValueName(n, "Filename"), QString()));
        item->SetAction(caption == QLatin1String("-")
                            ? vqSeparator
                            : ListItemActionFromText(ReadRegValue(key, ValueName(n, "Action"), QStringLiteral("0"))));
    }
}

void TvqListButton::WriteToRegistry()
{
    if (m_registryLocation.isEmpty())
        return;
    const QString &key = m_registryLocation;
    const TSettingsBatch batch;
    EraseRegKey(key);
    WriteRegValue(key, ToolbarName, text());
    for (int n = 0; n < int(m_items.size()); ++n) {
        const TvqListMenuItem *item = m_items[n];
        const bool separator = item->Action() == vqSeparator;
        WriteRegValue(key, ValueName(n, "Caption"), separator ? QStringLiteral("-") : item->text());
        WriteRegValue(key, ValueName(n, "StartTag"), separator ? QString() : item->TagStart());
        WriteRegValue(key, ValueName(n, "EndTag"), separator ? QString() : item->TagEnd());
        WriteRegValue(key, ValueName(n, "Filename"), separator ? QString() : item->Filename());
        WriteRegValue(key, ValueName(n, "Action"), int(item->Action()));
    }
}

bool TvqListButton::Customize()
{
    TfListBtnCustomize dialog(*this, window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ClearItems();
    for (const TvqListMenuItem *item : dialog.vqPreview->Items())
        AddItem(*item);
    setText(dialog.vqPreview->text());
    WriteToRegistry();
    return true;
}
