// SPDX-License-Identifier: GPL-3.0-or-later
#include "TBrowserObject.h"

#include <QCoreApplication>
#include <QUrl>

#include <unistd.h>

TBrowserObject::TBrowserObject(QWidget *parent) : QWebEngineView(parent)
{
    setObjectName(QStringLiteral("msie"));
}

void TBrowserObject::Navigate(const QString &address)
{
    const QUrl url = address.contains(QLatin1String("://")) ? QUrl(address) : QUrl::fromLocalFile(address);
    load(url);
}

void PrepareBrowserEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's sandbox refuses to run for root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
}
