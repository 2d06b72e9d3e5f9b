// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The entry of the web engine module: the one object the program finds in it.

#include "TBrowserEngine.h"
#include "TBrowserObject.h"

#include <QObject>

class TWebEngineModule : public QObject, public TBrowserEngine
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TBrowserEngine_iid)
    Q_INTERFACES(TBrowserEngine)

public:
    TBrowserView *CreateBrowserObject(QWidget *parent) override { return new TBrowserObject(parent); }
};
