// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqListMenuItem.h"

TvqListMenuItem::TvqListMenuItem(QObject *parent) : QAction(parent)
{
}

void TvqListMenuItem::SetAction(TvqAction action)
{
    m_action = action;
    setSeparator(action == vqSeparator);
    SetTitle(action == vqSeparator ? QStringLiteral("-") : m_title);
}

void TvqListMenuItem::SetTitle(const QString &title)
{
    m_title = title;
    // A separator with a text would be drawn as a heading; the fixed entry
    // shows its title as it is.
    if (m_action == vqSeparator)
        setText(QString());
    else
        setText(m_action == vqCustomize ? title : title + QStringLiteral("  "));
}

void TvqListMenuItem::CopyFrom(const TvqListMenuItem &other)
{
    SetAction(other.Action());
    SetTitle(other.Title());
    SetTagStart(other.TagStart());
    SetTagEnd(other.TagEnd());
    SetFilename(other.Filename());
}

TvqAction ListItemActionFromText(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    // The fixed entry is no user item.
    return ok && number >= vqSimpleTag && number <= vqInsertFile && number != vqCustomize ? TvqAction(number)
                                                                                          : vqSimpleTag;
}
