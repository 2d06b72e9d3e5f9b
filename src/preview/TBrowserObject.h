// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The browser object of the Browse page: a full web engine that shows the
// page as the desktop's browsers do, from its file or through the server
// mapping. Built only when the system has Qt WebEngine.

#include <QWebEngineView>

class TBrowserObject : public QWebEngineView
{
    Q_OBJECT

public:
    explicit TBrowserObject(QWidget *parent = nullptr);

    void Navigate(const QString &address);
    void GoBack() { back(); }
    void GoForward() { forward(); }
    void Stop() { stop(); }
    void Refresh() { reload(); }
    // Stops the page and shows an empty one, so that nothing plays or runs
    // while the browser is out of sight.
    void Unload()
    {
        stop();
        setUrl(QUrl(QStringLiteral("about:blank")));
    }
    QString LocationURL() const { return url().toString(); }
};

// Settings the engine needs before the application object exists.
void PrepareBrowserEngine();
