// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenFromWebCommands.h"

#include "CommandBinder.h"
#include "DocumentCommands.h"
#include "DocumentFile.h"
#include "EscapeWatcher.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "MainSettings.h"
#include "Notices.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TextEncoding.h"
#include "TfHTTP.h"
#include "TfOpenFromWeb.h"
#include "TvqHTMLTab.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

// The charset a Content-Type header names; empty when it names none.
QString ContentTypeCharset(const QString &contentType)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*\"?([^\";\\s]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return charset.match(contentType).captured(1);
}

} // namespace

TOpenFromWebCommands::TOpenFromWebCommands(TvqHTMLTab *documents, TDocumentCommands *commands, QTabWidget *pages,
                                           QWidget *window)
    : QObject(window), m_documents(documents), m_commands(commands), m_pages(pages), m_window(window)
{
}

void TOpenFromWebCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuFileOpenWeb"}, this, [this] { OpenFromWeb(QString()); });
}

void TOpenFromWebCommands::OpenFromWeb(const QString &address)
{
    if (ShowOnceNotice(nmActiveConnection) == TMsgResult::Cancel)
        return;
    const TMainSettings settings = ReadMainSettings();
    TfOpenFromWeb dialog(address, settings.Timeout, settings.HTTPPort,
                         ReadRegValue(RegistryKeys::Velicort, QStringLiteral("BookmarkFile"), QString()), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    {
        const TSettingsBatch batch;
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("Timeout"), dialog.TimeOut());
        WriteRegValue(RegistryKeys::Velicort, QStringLiteral("HTTPPort"), dialog.Port());
    }
    const QString url = dialog.Address().trimmed();
    if (url.isEmpty())
        return;
    const QStringList extensions = LoadHTMLExtensions();
    if (!IsHTMLDocument(url, extensions) && !url.endsWith(u'/')) {
        const TFileKind kind = FileKindOf(url, extensions);
        if (kind == TFileKind::Image || kind == TFileKind::Sound || kind == TFileKind::Video) {
            MessageDlg(QStringLiteral("Files of this type cannot be opened by Velicort"), TMsgKind::Information);
            return;
        }
        if (ShowOnceNotice(nmRemoteFileNotHTML) == TMsgResult::Cancel)
            return;
    }

    if (m_pages->currentIndex() != 0) {
        m_pages->setCurrentIndex(0);
        QCoreApplication::processEvents();
    }
    emit StatusText(QStringLiteral("Retrieving ") + url + QStringLiteral("..."));
    QCoreApplication::processEvents();

    QByteArray bytes;
    QString contentType;
    {
        // The fetch lets events run: the window's own input waits for it,
        // the fetch window's Cancel does not.
        TfHTTP fetch(m_window);
        const TEscapeWatcher held({m_window});
        const THourglass hourglass;
        fetch.SetURL(url);
        fetch.SetTimeOut(dialog.TimeOut());
        fetch.SetDeadline(settings.HTTPDeadline);
        fetch.SetDefaultPort(quint16(dialog.Port()));
        bytes = fetch.Fetch();
        contentType = fetch.agHTTP->HeaderValue(QStringLiteral("Content-Type"));
    }
    if (bytes.isEmpty()) {
        emit StatusText(QString());
        return;
    }
    OpenPage(url, bytes, contentType);
}

void TOpenFromWebCommands::OpenPage(const QString &address, const QByteArray &bytes, const QString &contentType)
{
    m_commands->NewDocument(QString());
    TvqRichHTML *editor = m_documents->ActiveEditor();
    // Opened as a file is: nothing to undo, and not saved anywhere yet.
    const TDocumentText page = DocumentTextFromFile(bytes);
    editor->RestoreDocument(QString(), page.bytes, page.encoding, page.lineEnds, 0);
    editor->SetSel(0, 0);
    editor->SetWebAddress(address);
    const QString charset = ContentTypeCharset(contentType);
    if (!charset.isEmpty() && !EncodingOfCharset(charset))
        emit StatusText(QStringLiteral("The server names the charset \"%1\"; the page is read as %2.")
                            .arg(charset, page.encoding.encoding == TTextEncoding::Utf8
                                              ? QStringLiteral("UTF-8")
                                              : QStringLiteral("Windows-1252")));
    else
        emit StatusText(QString());
}
