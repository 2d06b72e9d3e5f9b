// SPDX-License-Identifier: GPL-3.0-or-later
#include "TBrowserObject.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

TBrowserObject::TBrowserObject(QWidget *parent) : TBrowserView(parent), m_view(new QWebEngineView)
{
    setObjectName(QStringLiteral("msie"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    connect(m_view, &QWebEngineView::loadFinished, this, &TBrowserObject::LoadFinished);
}

void TBrowserObject::Navigate(const QString &address)
{
    m_view->load(address.contains(QLatin1String("://")) ? QUrl(address) : QUrl::fromLocalFile(address));
}

void TBrowserObject::GoBack()
{
    m_view->back();
}

void TBrowserObject::GoForward()
{
    m_view->forward();
}

void TBrowserObject::Stop()
{
    m_view->stop();
}

void TBrowserObject::Refresh()
{
    m_view->reload();
}

void TBrowserObject::Unload()
{
    m_view->stop();
    m_view->setUrl(QUrl(QStringLiteral("about:blank")));
}

QString TBrowserObject::LocationURL() const
{
    return m_view->url().toString();
}
