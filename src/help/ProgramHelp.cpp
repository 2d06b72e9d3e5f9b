// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramHelp.h"

#include "Paths.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// F1 in a widget with a help context, or inside one.
class THelpKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1 ||
            static_cast<QKeyEvent *>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
            return false;
        for (QWidget *widget = static_cast<QWidget *>(watched); widget; widget = widget->parentWidget()) {
            if (const int context = widget->property("helpContext").toInt()) {
                ShowHelpContext(context);
                return true;
            }
        }
        return false;
    }
};

} // namespace

QString HelpContextPage(int context)
{
    const char *page = "index.htm";
    switch (context) {
    case hcProperties:
        page = "properties.htm";
        break;
    case hcProjects:
        page = "projects.htm";
        break;
    case hcOpenFromWeb:
        page = "open-from-web.htm";
        break;
    case hcSettings:
        page = "settings.htm";
        break;
    case hcBrowserObject:
        page = "browser-object.htm";
        break;
    case hcURLMapping:
        page = "url-mapping.htm";
        break;
    }
    return DataFilePath(QStringLiteral("help/") + QLatin1String(page));
}

QWidget *ShowHelpContext(int context)
{
    // Over a modal dialog the window must belong to it to take input.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    auto *window = new QWidget(owner, Qt::Window);
    window->setObjectName(QStringLiteral("TfHelpViewer"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Velicort Help"));
    window->resize(520, 420);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *viewer = new QTextBrowser;
    viewer->setOpenExternalLinks(true);
    layout->addWidget(viewer);
    viewer->setSource(QUrl::fromLocalFile(HelpContextPage(context)));
    window->show();
    return window;
}

void InstallHelpKey(QObject *owner)
{
    qApp->installEventFilter(new THelpKeyFilter(owner));
}
