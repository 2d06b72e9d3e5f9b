// SPDX-License-Identifier: GPL-3.0-or-later
#include "Notices.h"

#include "SettingsStore.h"

#include <algorithm>
#include <iterator>

namespace {

const QString ShowAgainKey = QStringLiteral("Software\\Velicort\\ShowAgainMsg");

struct TNoticeEntry
{
    int id;
    const char *valueName;
    const char *caption;
    bool cancelButton;
    bool dontShowAgain; // how the box starts
    const char *text;
};

const TNoticeEntry Notices[] = {
    {nmExtendedReplace, "ExtendedReplace", "Warning", true, false,
     "Before using Extended Replace to replace within a folder, you should save any changes to open documents."},
    {nmRemoteFileNotHTML, "RemoteFileNotHTML", "Warning", true, false,
     "This URL points to a file that may not be an HTML document.  Continue?"},
    {nmFileAlreadyOpen, "FileAlreadyOpen", "Already Open", false, true,
     "Selecting a document that is already open will bring the existing document to the front tab."},
    {nmBrowserCaps, "BrowserCaps", "Browser", false, false,
     "Please note that Velicort's browser doesn't support newer HTML extensions, such as progressive JPEGs, frames "
     "and style sheets.\r\n\r\nTo use the built-in web engine instead, just go to the Internal Browser page in "
     "Velicort's settings."},
    {nmMSIE301, "MSIE 3.01", "Web Engine", false, false,
     "Please note that the built-in web engine shows a temporary copy of the document, saved beside it so that its "
     "links and images work.\r\n\r\nThe copy is deleted when you switch back to the Edit page."},
    {nmFullScreen, "FullScreen", "Full Screen", false, false,
     "To toggle back from full screen mode, right click on the editor and select \"Full Screen\" from the "
     "\"Options\" menu."},
    {nmActiveConnection, "ActiveConnection", "Connection", true, false,
     "Note: Make sure you have a valid Internet connection before using this function"},
    {nmHTMLHelp, "HTMLHelp", "HTML Help", false, false,
     "Context-sensitive HTML help can be accessed at any time by hitting <F2>.  The help is shown in Velicort's help "
     "pane."},
    {nmDocumentWeight, "DocumentWeight", "Document Weight", false, false,
     "Please note that the document weight feature calculates using only local files."},
    {nmValidatorWordWrap, "ValidatorWordWrap", "Validator", false, false,
     "In order for Velicort's line numbers to match those reported by the Validator, word-wrap will be turned off."},
    {nmURLMapFail, "URLMapFail", "URL Mapping Failed", false, false,
     "In Velicort's settings you specified a URL mapping that doesn't apply to the current document.  Instead of "
     "using the mapping, the internal browser will display this document as a local file.  For details on this "
     "message, search help for \"URL Mapping.\""},
    {nmSpellCheckSelection, "SpellCheckSelection", "Spell Check", false, true,
     "Activating the spell checker while text is highlighted will cause only the selected text to be checked."},
};

} // namespace

TMsgResult ShowOnceNotice(int id)
{
    const auto entry = std::find_if(std::begin(Notices), std::end(Notices), [id](const auto &n) { return n.id == id; });
    if (entry == std::end(Notices))
        return TMsgResult::Ok;
    const QString valueName = QLatin1String(entry->valueName);
    if (!ReadRegBool(ShowAgainKey, valueName, true))
        return TMsgResult::Ok;
    bool dontShowAgain = entry->dontShowAgain;
    const TMsgResult result = TMessageService::Instance().ShowNotice(
        QString::fromUtf8(entry->caption), QString::fromUtf8(entry->text), entry->cancelButton, dontShowAgain);
    if (dontShowAgain)
        WriteRegValue(ShowAgainKey, valueName, QStringLiteral("0"));
    return result;
}
