// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds the tag speedbar and the special-character bar. Every button is
// named after its component ("vqbBold"); buttons with a click handler of
// their own start disabled until their owner connects them.

#include <QTabWidget>

class TvqTagButton;

// Fills the page control with the speedbar's pages, buttons and tag lists
// (read from the data folder).
void BuildSpeedbarPages(QTabWidget *pages);

// The special-character bar: three pages of buttons, made the first time
// the bar shows. Each button inserts its entity as written.
class TSpecialCharBar : public QTabWidget
{
    Q_OBJECT

public:
    explicit TSpecialCharBar(QWidget *parent = nullptr);

    // Makes the buttons now if they were not made yet.
    void CreateButtons();

signals:
    void ButtonCreated(TvqTagButton *button);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_created = false;
};
