// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ruler over the document: a mark for every column of the editor's
// font, a longer one every five columns and the column number every ten. It
// follows the editor's horizontal scrolling.

#include <QPointer>
#include <QWidget>

class TvqRichHTML;

class TRuler : public QWidget
{
    Q_OBJECT

public:
    explicit TRuler(QWidget *parent = nullptr);

    // The editor whose columns the ruler shows.
    void SetEditor(TvqRichHTML *editor);

    QSize sizeHint() const override { return QSize(100, 18); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<TvqRichHTML> m_editor;
    QMetaObject::Connection m_scrolled;
};
