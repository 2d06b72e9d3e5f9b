// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the preview asks of the window it lives in: the document commands
// it needs before a browser may show a document, the settings pages of the
// browsers, and the parts of the frame that change with the page.

#include <QString>

class TPreviewHost
{
public:
    virtual ~TPreviewHost() = default;

    // The folder the active document's references start from.
    virtual QString DocumentFolder() const = 0;
    virtual bool SaveDocument() = 0;
    virtual bool SaveDocumentAs() = 0;
    // The unsaved-changes question; true when the caller may go on.
    virtual bool AskSaveChanges() = 0;
    virtual void OpenDocument(const QString &path) = 0;
    // The settings dialog on the internal or the external browser page.
    virtual void ShowBrowserSettings(bool external) = 0;
    virtual void ShowStatusMessage(const QString &message) = 0;
    // The Browse page came up (the editing commands go off, and the speedbar
    // gives way to the browser toolbar when that shows) or went away.
    virtual void BrowsePageShown(bool shown, bool browserToolbar) = 0;
};
