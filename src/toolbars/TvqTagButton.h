// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A flat tool button that inserts markup: its start and end texts go around
// the selection, or its action opens the dialog for a new tag. Tag() decides
// the case: 0 passes the texts through the tag case, any other value inserts
// them as written.

#include "TagAction.h"

#include <QToolButton>

class TvqTagButton : public QToolButton
{
    Q_OBJECT

public:
    explicit TvqTagButton(QWidget *parent = nullptr);

    TvqAction Action() const { return m_action; }
    void SetAction(TvqAction action) { m_action = action; }
    QString TagStart() const { return m_tagStart; }
    void SetTagStart(const QString &text) { m_tagStart = text; }
    QString TagEnd() const { return m_tagEnd; }
    void SetTagEnd(const QString &text) { m_tagEnd = text; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

private:
    TvqAction m_action = vqSimpleTag;
    QString m_tagStart;
    QString m_tagEnd;
    int m_tag = 0;
};
