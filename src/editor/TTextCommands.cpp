// SPDX-License-Identifier: GPL-3.0-or-later
#include "TTextCommands.h"

#include "CommandBinder.h"
#include "Hourglass.h"
#include "LongRun.h"
#include "MessageService.h"
#include "SelectionCommands.h"
#include "TagText.h"
#include "TfOptionDialog.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

TTextCommands::TTextCommands(TvqHTMLTab *documents, QWidget *window)
    : QObject(window), m_documents(documents), m_window(window)
{
}

void TTextCommands::Connect(const TCommandBinder &commands)
{
    const auto editor = [this] { return m_documents->ActiveEditor(); };
    commands.On({"mnuEditUndo", "spdUndo"}, this, [editor] { editor()->Undo(); });
    commands.On({"mnuEditCut", "spdCut"}, this, [editor] { editor()->Cut(); });
    commands.On({"mnuEditCopy", "spdCopy"}, this, [editor] { editor()->Copy(); });
    commands.On({"mnuEditPaste", "spdPaste"}, this, [editor] { editor()->Paste(); });
    commands.On({"mnuEditSelectAll"}, this, [editor] { editor()->SetSel(0, editor()->TextLength()); });

    const auto lines = [editor](const QString &header, const QString &footer, const QString &prefix,
                                const QString &suffix) { ConvertLines(*editor(), header, footer, prefix, suffix); };
    commands.On({"mnuSelect_OrdList"}, this,
                [=] { lines(CaseTag("<OL>"), CaseTag("</OL>"), u'\t' + CaseTag("<LI>"), QString()); });
    commands.On({"mnuSelect_UnOrdList"}, this,
                [=] { lines(CaseTag("<UL>"), CaseTag("</UL>"), u'\t' + CaseTag("<LI>"), QString()); });
    commands.On({"mnuSelect_Table"}, this, [=, this] {
        const std::optional<bool> rows = TfOptionDialog::Choose(ConvertTableDialog, m_window);
        if (!rows)
            return;
        if (*rows)
            lines(CaseTag("<TABLE>"), CaseTag("</TABLE>"), u'\t' + CaseTag("<TR><TD>"), CaseTag("</TD></TR>"));
        else
            lines(CaseTag("<TABLE>"), CaseTag("</TABLE>"), u'\t' + CaseTag("<TD>"), CaseTag("</TD>"));
    });
    // Always in upper case.
    commands.On({"mnuSelect_AddBreaks"}, this, [=] { lines(QString(), QString(), QString(), QStringLiteral("<BR>")); });
    commands.On({"mnuSelect_StripAll"}, this, [editor] { StripTags(*editor(), false); });
    commands.On({"mnuSelect_StripOuter"}, this, [editor] { StripOuterTags(*editor()); });
    commands.On({"mnuSelectUppercase"}, this, [editor] { ChangeSelectionCase(*editor(), true); });
    commands.On({"mnuSelectLowercase"}, this, [editor] { ChangeSelectionCase(*editor(), false); });

    commands.On({"mnuEditStripAllTags", "spdStripTags"}, this, [editor] {
        if (MessageDlg(QStringLiteral("This will strip all HTML tags from the current document.  Continue?"),
                       TMsgKind::Warning, TMsgButtons::YesNo) != TMsgResult::No)
            StripTags(*editor(), true);
    });
    commands.On({"mnuEditConvertTags", "spdTagCase"}, this, [this, editor] {
        if (const std::optional<bool> upper = TfOptionDialog::Choose(ConvertTagsDialog, m_window))
            ConvertTagCase(*editor(), *upper);
    });
    commands.On({"mnuEditIndent", "spdIndent"}, this, [editor] { IndentLines(*editor()); });
    commands.On({"mnuEditUnindent", "spdUnIndent"}, this, [editor] { UnindentLines(*editor()); });
    commands.On({"mnuSearchReplaceSlashes", "spdSlashes"}, this, [this] { ReplaceSlashes(); });
    commands.On({"mnuSearchReplaceExtChars", "spdConvertSpecChar"}, this, [this] {
        if (const std::optional<bool> toEntities = TfOptionDialog::Choose(ReplaceExtCharDialog, m_window))
            ReplaceExtendedCharacters(*toEntities);
    });

    // The Selection submenu works on selected text only.
    QMenu *selection = commands.Menu(QStringLiteral("mnuPE_Select"));
    connect(commands.Menu(QStringLiteral("mnuPopupEditor")), &QMenu::aboutToShow, this, [editor, selection] {
        qsizetype start = 0;
        qsizetype length = 0;
        editor()->GetSel(start, length);
        selection->setEnabled(length > 0);
    });
}

int TTextCommands::ReplaceSlashes()
{
    if (MessageDlg(QStringLiteral("Replace all instances of \"\\\" with \"/\"?"), TMsgKind::Confirmation,
                   TMsgButtons::YesNo) != TMsgResult::Yes)
        return 0;
    const int count = m_documents->ActiveEditor()->ReplaceAll(QStringLiteral("\\"), QStringLiteral("/"), false);
    MessageDlg(QString::number(count) + QStringLiteral(" replacements made."), TMsgKind::Information);
    return count;
}

int TTextCommands::ReplaceExtendedCharacters(bool toEntities)
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    const TLongRun run;
    editor->SetProgressCaption(QStringLiteral("Scanning..."));
    editor->ReportProgress(0);
    int count = 0;
    {
        THourglass hourglass;
        editor->SetPermanentLock(true);
        count = ::ReplaceExtendedCharacters(*editor, toEntities,
                                            [editor](int done) { editor->ReportProgress(std::min(done, 99)); });
        editor->SetPermanentLock(false);
    }
    editor->ReportProgress(100);
    editor->SetProgressCaption(QString());
    if (count > 0)
        editor->SetModified(true);
    MessageDlg(QString::number(count) + QStringLiteral(" replacements made."), TMsgKind::Information);
    return count;
}
