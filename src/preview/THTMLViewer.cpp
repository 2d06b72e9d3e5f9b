// SPDX-License-Identifier: GPL-3.0-or-later
#include "THTMLViewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>

THTMLViewer::THTMLViewer(QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("htmlView"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setOpenLinks(false);
    viewport()->setCursor(Qt::IBeamCursor);
    connect(this, &QTextBrowser::highlighted, this,
            [this](const QUrl &link) { emit OnHotSpotCovered(link.toString()); });
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        const QUrl target = (source().isEmpty() ? document()->baseUrl() : source()).resolved(link);
        if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
            setSource(target);
        else if (!link.toString().startsWith(u'#'))
            QDesktopServices::openUrl(target);
        else
            scrollToAnchor(link.fragment());
    });
    ApplyDefaults();
}

void THTMLViewer::SetDefFontName(const QString &name)
{
    m_fontName = name;
    ApplyDefaults();
}

void THTMLViewer::SetDefFontSize(int points)
{
    m_fontSize = points;
    ApplyDefaults();
}

void THTMLViewer::SetDefFontColor(TColor color)
{
    m_fontColor = color;
    ApplyDefaults();
}

void THTMLViewer::SetDefHotSpotColor(TColor color)
{
    m_hotSpotColor = color;
    ApplyDefaults();
}

void THTMLViewer::ApplyDefaults()
{
    QFont font(m_fontName);
    font.setPointSize(m_fontSize);
    document()->setDefaultFont(font);
    document()->setDefaultStyleSheet(QStringLiteral("body { color: %1 } a { color: %2 } pre, code { font-family: "
                                                    "\"Courier New\", monospace }")
                                         .arg(ResolveColor(m_fontColor).name(), ResolveColor(m_hotSpotColor).name()));
}

void THTMLViewer::LoadStrings(const QString &text, const QString &folder)
{
    m_busy = true;
    auto done = qScopeGuard([this] { m_busy = false; });
    setSearchPaths({folder});
    setHtml(text);
    document()->setBaseUrl(QUrl::fromLocalFile(folder + u'/'));
}

void THTMLViewer::Clear()
{
    clear();
}
