// SPDX-License-Identifier: GPL-3.0-or-later
// The speedbar buttons whose dialogs are not opened through a tag action.

#include "TTagDialogCommands.h"

#include "LongRun.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TTagDialog.h"
#include "TagDialogTable.h"
#include "TfFormElement.h"
#include "TfImg.h"
#include "TfJavaScript.h"
#include "TfServerVars.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QAbstractButton>

namespace {

// A dialog of its own button: no action and no tag kind opens it.
struct TButtonDialog
{
    const char *button;
    TTagDialogEntry entry;
};

const TButtonDialog ButtonDialogs[] = {
    {"vqbFormText", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feText>}},
    {"vqbFormTextArea", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feTextArea>}},
    {"vqbFormHidden", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feHidden>}},
    {"vqbFormCheckbox", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feCheckbox>}},
    {"vqbFormRadio", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feRadio>}},
    {"vqbFormSelect", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feSelect>}},
    {"vqbFormSubmit", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feSubmit>}},
    {"vqbFormReset", {"Form Element", vqSimpleTag, tkOther, false, CreateTagDialog<TfFormElement, feReset>}},
    {"vqbJS_MsgBox", {"Message Box", vqSimpleTag, tkOther, false, CreateTagDialog<TfJS_MsgBox>}},
    {"vqbJS_OpenWindow", {"Open Window", vqSimpleTag, tkOther, false, CreateTagDialog<TfJS_OpenWindow>}},
    {"spdASPServerVar", {"Server Variables", vqSimpleTag, tkOther, false, CreateTagDialog<TfServerVars, false>}},
    {"spdCFServerVar", {"Server Variables", vqSimpleTag, tkOther, false, CreateTagDialog<TfServerVars, true>}},
};

// The buttons that open the dialog of a tag kind for a new tag.
const std::pair<const char *, TTagKind> KindButtons[] = {
    {"spdEmbed", tkEmbed},
    {"spdMarquee", tkMarquee},
    {"spdBGSound", tkBackgroundSound},
};

// The image dialog with a video as its dynamic source.
class TfVideoImg : public TfImg
{
public:
    using TfImg::TfImg;
    void SetFile(const QString &file) override { SetDynamicSource(file); }
};

const TTagDialogEntry VideoImage = {"Image", vqSimpleTag, tkOther, false, CreateTagDialog<TfVideoImg>};

} // namespace

void TTagDialogCommands::ConnectSpeedbar(QWidget *speedbarPages)
{
    const auto connectButton = [this, speedbarPages](const char *name, auto handler) {
        auto *button = speedbarPages->findChild<QAbstractButton *>(QLatin1String(name));
        button->setEnabled(true);
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    for (const TButtonDialog &dialog : ButtonDialogs)
        connectButton(dialog.button, [this, &dialog] { Open(dialog.entry, QString(), QString()); });
    for (const auto &[name, kind] : KindButtons)
        connectButton(name, [this, kind = kind] { Open(*TagDialogForKind(kind), QString(), QString()); });
    connectButton("spdASP_Include", [this] { spdASP_IncludeClick(); });
}

void TTagDialogCommands::spdASP_IncludeClick()
{
    TLongRun::WhenIdle(this, [this] {
        const QString folder = m_documentFolder();
        const QString file = TMessageService::Instance().GetOpenFileName(QStringLiteral("Select Include File"), folder,
                                                                         QStringLiteral("All Files (*)"));
        TvqRichHTML *editor = m_documents->ActiveEditor();
        if (!file.isEmpty())
            editor->InsertTag(
                ASPIncludeText(folder, file, TTagDialogContext::FromSettings(folder, editor).lowerCaseFiles), QString(),
                false);
        editor->setFocus();
    });
}

void TTagDialogCommands::OpenMultimedia(const QString &file, TFileKind kind)
{
    if (ReadRegInteger(RegistryKeys::Velicort, QStringLiteral("MultimediaFormat"), 0) != 0)
        Open(*TagDialogForKind(tkEmbed), QString(), file);
    else if (kind == TFileKind::Sound)
        Open(*TagDialogForKind(tkBackgroundSound), QString(), file);
    else
        Open(VideoImage, QString(), file);
}
