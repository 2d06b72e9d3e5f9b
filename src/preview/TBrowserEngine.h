// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The web engine module, which makes browser objects. Its libraries are large
// and bring the system's OpenGL driver along, so the module is loaded only
// when a run first needs a browser object: a user who never browses with it
// never pays for it.

#include <QtPlugin>

class QWidget;
class TBrowserView;

class TBrowserEngine
{
public:
    virtual ~TBrowserEngine() = default;
    virtual TBrowserView *CreateBrowserObject(QWidget *parent = nullptr) = 0;
};

#define TBrowserEngine_iid "org.velicort.BrowserEngine/1"
Q_DECLARE_INTERFACE(TBrowserEngine, TBrowserEngine_iid)

// The engine, loaded by the first call; null when the module is missing or
// does not load.
TBrowserEngine *BrowserEngine();
