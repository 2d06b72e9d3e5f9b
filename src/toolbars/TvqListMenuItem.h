// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An entry of a custom menu button: a tag pair to put around the selection,
// a file to insert, a separator, or the fixed "Customize..." entry. The menu
// shows a title followed by two blanks.

#include "TagAction.h"

#include <QAction>

class TvqListMenuItem : public QAction
{
    Q_OBJECT

public:
    // Titles of custom items are at most this long.
    static constexpr int MaxTitle = 15;

    explicit TvqListMenuItem(QObject *parent = nullptr);

    TvqAction Action() const { return m_action; }
    // vqSeparator makes the entry a separator line.
    void SetAction(TvqAction action);
    QString TagStart() const { return m_tagStart; }
    void SetTagStart(const QString &text) { m_tagStart = text; }
    QString TagEnd() const { return m_tagEnd; }
    void SetTagEnd(const QString &text) { m_tagEnd = text; }
    QString Filename() const { return m_filename; }
    void SetFilename(const QString &name) { m_filename = name; }

    // The title without the blanks the menu adds; "-" for a separator.
    QString Title() const { return m_title; }
    void SetTitle(const QString &title);
    // Takes the title, texts, file name and action of another entry.
    void CopyFrom(const TvqListMenuItem &other);

private:
    TvqAction m_action = vqSimpleTag;
    QString m_title;
    QString m_tagStart;
    QString m_tagEnd;
    QString m_filename;
};

// The action a stored text names: its number, or vqSimpleTag for text that
// is no number or names no action a user item has.
TvqAction ListItemActionFromText(const QString &text);
