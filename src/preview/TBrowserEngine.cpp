// SPDX-License-Identifier: GPL-3.0-or-later
#include "TBrowserEngine.h"

#include "SettingsStore.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QPluginLoader>

#include <unistd.h>

// QtGui keeps the setter of the shared context out of its public headers; the
// engine itself declares it the same way.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

namespace {

QOpenGLContext *g_shareContext = nullptr;

// The engine draws through an OpenGL context shared with the program's. Asked
// for before the application object exists, Qt makes one at start, and that
// alone maps the OpenGL driver (tens of megabytes with software rendering);
// so it is made here, when the engine is first wanted, as the engine would
// make it itself.
void PrepareForEngine()
{
    if (!QOpenGLContext::globalShareContext()) {
        g_shareContext = new QOpenGLContext;
        g_shareContext->create();
        qt_gl_set_global_share_context(g_shareContext);
        qAddPostRoutine([] {
            qt_gl_set_global_share_context(nullptr);
            delete g_shareContext;
        });
    }
    // The engine's sandbox refuses to run for root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
}

} // namespace

TBrowserEngine *BrowserEngine()
{
    static TBrowserEngine *const engine = []() -> TBrowserEngine * {
        if (!BrowserObjectInstalled())
            return nullptr;
        PrepareForEngine();
        QPluginLoader module(QStringLiteral(VELICORT_BROWSER_MODULE));
        return qobject_cast<TBrowserEngine *>(module.instance());
    }();
    return engine;
}
