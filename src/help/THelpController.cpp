// SPDX-License-Identifier: GPL-3.0-or-later
#include "THelpController.h"

#include "CommandBinder.h"
#include "EscapeWatcher.h"
#include "Hourglass.h"
#include "MessageService.h"
#include "Notices.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TBrowserEngine.h"
#include "TBrowserView.h"
#include "THTMLViewer.h"
#include "TvqHTMLTab.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int PaneMinWidth = 266;
constexpr int PaneMaxWidth = 500;

// The pane comes up at its narrowest width; the user widens it.
class THelpPane : public QWidget
{
public:
    QSize sizeHint() const override { return {PaneMinWidth, QWidget::sizeHint().height()}; }
};

} // namespace

THelpController::THelpController(TvqHTMLTab *documents, THelpHooks hooks, QObject *parent)
    : QObject(parent), m_documents(documents), m_hooks(std::move(hooks)), m_pane(new THelpPane),
      m_container(new QWidget)
{
    m_pane->setObjectName(QStringLiteral("pnlHTMLib"));
    // The splitter at the pane's left edge keeps it within these widths.
    m_pane->setMinimumWidth(PaneMinWidth);
    m_pane->setMaximumWidth(PaneMaxWidth);
    m_pane->hide();
    auto *column = new QVBoxLayout(m_pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    const auto addButton = [this, row](const char *name, const QString &text, auto handler) {
        auto *button = new QPushButton(text);
        button->setObjectName(QLatin1String(name));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button, 1);
    };
    addButton("spdHTMLib_Contents", QStringLiteral(" Contents"), [this] { ShowHelpTopic(QString()); });
    addButton("spdHTMLib_Hide", QStringLiteral("Hide Help"), [this] { ShowHelpPane(false); });
    addButton("spdHTMLib_Resource", QStringLiteral("Resources "),
              [this] { ShowHelpTopic(QStringLiteral("RESOURCES")); });
    column->addLayout(row);
    m_container->setObjectName(QStringLiteral("htmlib"));
    auto *holder = new QVBoxLayout(m_container);
    holder->setContentsMargins(2, 2, 2, 2);
    column->addWidget(m_container, 1);
}

void THelpController::Connect(const TCommandBinder &commands)
{
    m_button = commands.Action(QStringLiteral("spdHTMLib"));
    commands.On({"mnuHelpHTMLib"}, this, [this] { mnuHelpHTMLibClick(); });
    commands.On({"spdHTMLib"}, this, [this] { spdHTMLibClick(); });
}

void THelpController::mnuHelpHTMLibClick()
{
    if (m_options.UseInternalHTMLHelp)
        ShowOnceNotice(nmHTMLHelp);
    if (m_hooks.fileListHasFocus()) {
        m_hooks.renameInFileList();
        return;
    }
    const TvqRichHTML *editor = m_documents->ActiveEditor();
    const QString key = TagKeyAt(editor->TextView(), editor->GetSelStart());
    if (m_options.UseInternalHTMLHelp)
        ShowHelpTopic(key);
    else
        ShowExternalHelp(key);
}

void THelpController::spdHTMLibClick()
{
    if (!m_options.UseInternalHTMLHelp)
        mnuHelpHTMLibClick();
    else if (m_pane->isVisible())
        ShowHelpPane(false);
    else
        ShowHelpTopic(QString());
}

void THelpController::ShowHelpTopic(const QString &key)
{
    if (!m_helpObject) {
        const QString &topicFile = m_options.HTMLibTopicFile;
        if (!QFileInfo(topicFile).isFile() || !m_topics.Load(topicFile)) {
            MessageDlg(QStringLiteral("Velicort was unable to find the HTML help topic file (") + topicFile +
                           QStringLiteral(").  Make sure that when you installed Velicort you also installed the "
                                          "HTML reference."),
                       TMsgKind::Error);
            if (m_button)
                m_button->setChecked(false);
            return;
        }
        THourglass hourglass;
        // The pane is drawn before the viewer is made; what the user types
        // meanwhile waits until the viewer is there.
        TEscapeWatcher held({m_pane->window()});
        m_hooks.showStatus(QStringLiteral("Creating the help viewer..."));
        ShowHelpPane(true);
        QCoreApplication::processEvents();
        CreateHelpObject();
        m_hooks.showStatus(QString());
    }
    ShowHelpPane(true);
    const QString page = m_topics.PageFor(key);
    if (page.isEmpty())
        return;
    Navigate(page);
    if (m_hooks.editPageActive())
        m_documents->ActiveEditor()->setFocus();
}

void THelpController::CreateHelpObject()
{
    // The web engine is loaded only now, when help is first wanted; a run in
    // which it does not load shows the pages in the internal viewer.
    TBrowserEngine *engine = m_options.UseBrowserObject ? BrowserEngine() : nullptr;
    if (engine) {
        m_browser = engine->CreateBrowserObject(m_container);
        m_helpObject = m_browser;
    } else {
        m_viewer = new THTMLViewer(m_container);
        m_viewer->setObjectName(QStringLiteral("htmlibViewer"));
        m_helpObject = m_viewer;
    }
    m_container->layout()->addWidget(m_helpObject);
}

void THelpController::Navigate(const QString &page)
{
    if (m_browser)
        m_browser->Navigate(page);
    else
        m_viewer->setSource(QUrl::fromLocalFile(page));
}

QString THelpController::CurrentPage() const
{
    if (m_browser)
        return QUrl(m_browser->LocationURL()).toLocalFile();
    return m_viewer ? m_viewer->source().toLocalFile() : QString();
}

void THelpController::ShowHelpPane(bool on)
{
    m_pane->setVisible(on);
    if (m_button)
        m_button->setChecked(on);
}

void THelpController::CloseHelpObject()
{
    if (!m_helpObject)
        return;
    delete m_helpObject;
    m_browser = nullptr;
    m_viewer = nullptr;
    TEscapeWatcher held({m_pane->window()});
    QCoreApplication::processEvents();
    ShowHelpPane(false);
}

void THelpController::ShowExternalHelp(const QString &key)
{
    if (m_button)
        m_button->setChecked(false);
    const QString &helpFile = m_options.ExternalHTMLHelp;
    if (helpFile.isEmpty()) {
        MessageDlg(QStringLiteral("Please specify an external HTML help file."), TMsgKind::Information);
        m_hooks.showSettings(1);
        return;
    }
    if (key.isEmpty()) {
        ShellOpenFile(helpFile);
        return;
    }
    // A folder of pages with a topic file of its own opens at the key's page;
    // a single file gets the keyword as the fragment of its address.
    if (QFileInfo(helpFile).isDir()) {
        THelpTopics topics;
        ShellOpenFile(topics.Load(QDir(helpFile).filePath(QStringLiteral("htmlib.dat"))) ? topics.PageFor(key)
                                                                                         : helpFile);
        return;
    }
    QUrl address = QUrl::fromLocalFile(helpFile);
    address.setFragment(ExternalHelpKeyword(helpFile, key));
    ShellOpenFile(address.toString(QUrl::FullyEncoded));
}
