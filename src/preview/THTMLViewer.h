// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The internal viewer of the Browse page: shows a document's text as a web
// page, with its relative images and links taken from the document's
// folder. Following a link to another local page shows that page; other
// addresses go to the desktop's browser.

#include "Colors.h"

#include <QTextBrowser>

class THTMLViewer : public QTextBrowser
{
    Q_OBJECT

public:
    explicit THTMLViewer(QWidget *parent = nullptr);

    void SetDefFontName(const QString &name);
    void SetDefFontSize(int points);
    void SetDefFontColor(TColor color);
    void SetDefHotSpotColor(TColor color);

    // Shows the text, reading relative references from the folder.
    void LoadStrings(const QString &text, const QString &folder);
    // True while a load is under way.
    bool Busy() const { return m_busy; }
    void Clear();

signals:
    // The address under the mouse, empty when it leaves a link.
    void OnHotSpotCovered(const QString &text);

private:
    void ApplyDefaults();

    QString m_fontName = QStringLiteral("Times New Roman");
    int m_fontSize = 12;
    TColor m_fontColor = 0;
    TColor m_hotSpotColor = 16711680;
    bool m_busy = false;
};
