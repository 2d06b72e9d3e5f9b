// SPDX-License-Identifier: GPL-3.0-or-later
#include "TTagDialogCommands.h"

#include "CommandBinder.h"
#include "Hourglass.h"
#include "LongRun.h"
#include "TTagDialog.h"
#include "TagDialogTable.h"
#include "TagText.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <optional>

namespace {

// The Tools menu's dialog commands.
const std::pair<const char *, TvqAction> ToolsCommands[] = {
    {"mnuToolsAnchor", vqAnchor},
    {"mnuToolsImage", vqImage},
    {"mnuToolsFont", vqFont},
    {"mnuToolsTableWizard", vqTableWizard},
    {"mnuToolsFrameWizard", vqFrameWizard},
    {"mnuToolsList", vqList},
    {"mnuToolsCommentEditor", vqComment},
    {"mnuToolsHorzRule", vqHorzRule},
    {"mnuToolsQuickStart", vqQuickStart},
};

} // namespace

TTagDialogCommands::TTagDialogCommands(TvqHTMLTab *documents, std::function<QString()> documentFolder, QWidget *window)
    : QObject(window), m_documents(documents), m_documentFolder(std::move(documentFolder)), m_window(window)
{
}

void TTagDialogCommands::Connect(const TCommandBinder &commands)
{
    for (const auto &[name, action] : ToolsCommands)
        commands.On({name}, this, [this, action = action] { RunAction(action); });
    commands.On({"mnuEditEditTag"}, this, [this] { mnuPE_EditTagClick(); });
}

void TTagDialogCommands::RunAction(TvqAction action)
{
    if (const TTagDialogEntry *entry = TagDialogForAction(action); entry)
        Open(*entry, QString(), QString());
}

void TTagDialogCommands::mnuPE_EditTagClick()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    const QString tag = editor->GetTagAt(editor->GetSelStart(), true);
    if (!tag.isEmpty())
        EditTag(tag);
}

void TTagDialogCommands::EditTag(const QString &tagText)
{
    const TTagDialogEntry *entry = TagDialogForKind(ClassifyTag(tagText));
    if (entry)
        Open(*entry, tagText, QString());
}

bool TTagDialogCommands::InsertFileTag(const QString &path, TFileKind kind, const QString &textAfter)
{
    QString file;
    switch (kind) {
    case TFileKind::Shortcut:
        file = ReadShortcutURL(path);
        if (file.isEmpty())
            file = path;
        break;
    case TFileKind::Document:
    case TFileKind::Other:
        file = path;
        break;
    case TFileKind::Image:
        Open(*TagDialogForAction(vqImage), QString(), path, textAfter);
        return true;
    case TFileKind::Sound:
    case TFileKind::Video:
        OpenMultimedia(path, kind);
        return true;
    default:
        return false;
    }
    Open(*TagDialogForAction(vqAnchor), QString(), file, textAfter);
    return true;
}

void TTagDialogCommands::Open(const TTagDialogEntry &entry, const QString &tagText, const QString &file,
                              const QString &textAfter)
{
    // A dialog never opens in the middle of a long run over the document; it
    // waits for the run to end.
    TLongRun::WhenIdle(this, [this, &entry, tagText, file, textAfter] {
        TvqRichHTML *editor = m_documents->ActiveEditor();
        std::unique_ptr<TTagDialog> dialog;
        {
            std::optional<THourglass> hourglass;
            if (entry.hourglass)
                hourglass.emplace();
            dialog = entry.create(TTagDialogContext::FromSettings(m_documentFolder(), editor), m_window);
            if (!file.isEmpty())
                dialog->SetFile(file);
            if (!tagText.isEmpty())
                dialog->ReadTag(tagText);
            dialog->Prepare();
        }
        if (dialog->exec() == QDialog::Accepted) {
            // An empty result (a script copied to the clipboard instead)
            // leaves the document alone. The text after follows the whole
            // tag; the caret goes after it when the tag has no end.
            QString start = dialog->StartText();
            QString end = dialog->EndText();
            if (!(start + end).isEmpty()) {
                (end.isEmpty() ? start : end) += textAfter;
                editor->InsertTag(start, end, dialog->ReplacesSelection());
            }
        }
        if (editor->isVisible() && editor->isEnabled())
            editor->setFocus();
    });
}
