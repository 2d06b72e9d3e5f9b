// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The browser object of the Browse page: a full web engine that shows the
// page as the desktop's browsers do, from its file or through the server
// mapping. Part of the web engine module.

#include "TBrowserView.h"

class QWebEngineView;

class TBrowserObject : public TBrowserView
{
    Q_OBJECT

public:
    explicit TBrowserObject(QWidget *parent = nullptr);

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void Unload() override;
    QString LocationURL() const override;

signals:
    void LoadFinished(bool ok);

private:
    QWebEngineView *m_view;
};
