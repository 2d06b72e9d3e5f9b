// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagDialogTable.h"

#include "TfActiveX.h"
#include "TfAnchor.h"
#include "TfApplet.h"
#include "TfBody.h"
#include "TfComment.h"
#include "TfFloatingFrame.h"
#include "TfFont.h"
#include "TfForm.h"
#include "TfFormElement.h"
#include "TfFrame.h"
#include "TfFrameWizard.h"
#include "TfFrameset.h"
#include "TfHorzRule.h"
#include "TfImg.h"
#include "TfList.h"
#include "TfMailTo.h"
#include "TfMarquee.h"
#include "TfMeta.h"
#include "TfMultimedia.h"
#include "TfParagraph.h"
#include "TfQuickStart.h"
#include "TfScript.h"
#include "TfScriptWizard.h"
#include "TfTable.h"
#include "TfTableAttribute.h"
#include "TfTableRow.h"
#include "TfTableWizard.h"

namespace {

template <typename Dialog, auto... Args>
std::unique_ptr<TTagDialog> Create(const TTagDialogContext &context, QWidget *parent)
{
    return std::make_unique<Dialog>(context, Args..., parent);
}

const TTagDialogEntry TagDialogs[] = {
    {"Comment", vqComment, tkComment, false, Create<TfComment>},
    {"Font", vqFont, tkFont, true, Create<TfFont, false>},
    {"Base Font", vqBaseFont, tkBaseFont, true, Create<TfFont, true>},
    {"Body", vqBody, tkBody, true, Create<TfBody>},
    {"Anchor", vqAnchor, tkAnchor, true, Create<TfAnchor>},
    {"Horizontal Rule", vqHorzRule, tkHorizontalRule, false, Create<TfHorzRule>},
    {"List", vqList, tkOther, false, Create<TfList>},
    {"META Editor", vqMeta, tkMeta, false, Create<TfMeta>},
    {"Form", vqForm, tkForm, false, Create<TfForm>},
    {"Paragraph", vqSimpleTag, tkParagraph, false, Create<TfParagraph>},
    {"mailto", vqMailTo, tkOther, false, Create<TfMailTo>},
    {"Image", vqImage, tkImage, false, Create<TfImg>},
    {"Table", vqTable, tkTable, false, Create<TfTable>},
    {"Table Data", vqTableData, tkTableDataCell, false, Create<TfTableAttribute, false>},
    {"Table Header", vqTableHeader, tkTableHeaderCell, false, Create<TfTableAttribute, true>},
    {"Table Row", vqTableRow, tkTableRow, false, Create<TfTableRow>},
    {"Table Wizard", vqTableWizard, tkOther, true, Create<TfTableWizard>},
    {"Frame Wizard", vqFrameWizard, tkOther, true, Create<TfFrameWizard>},
    {"Frame", vqFrame, tkFrame, false, Create<TfFrame>},
    {"Frameset", vqFrameSet, tkFrameset, false, Create<TfFrameset>},
    {"Floating Frame", vqFloatingFrame, tkFloatingFrame, false, Create<TfFloatingFrame>},
    {"Script", vqScript, tkScript, false, Create<TfScript>},
    {"Script Wizard", vqScriptWizard, tkOther, false, Create<TfScriptWizard>},
    {"ActiveX", vqActiveX, tkOther, false, Create<TfActiveX>},
    {"Applet", vqApplet, tkApplet, false, Create<TfApplet>},
    {"Parameter", vqParameter, tkParameter, false, Create<TfParameter>},
    {"Marquee", vqSimpleTag, tkMarquee, false, Create<TfMarquee>},
    {"Embed", vqSimpleTag, tkEmbed, false, Create<TfEmbed>},
    {"Background Sound", vqSimpleTag, tkBackgroundSound, false, Create<TfBGSound>},
    {"Quick Start", vqQuickStart, tkOther, false, Create<TfQuickStart>},
    {"Form Element", vqFormElement, tkOther, false, Create<TfFormElement, feText>},
};

} // namespace

const TTagDialogEntry *TagDialogForAction(TvqAction action)
{
    if (action == vqSimpleTag)
        return nullptr;
    for (const TTagDialogEntry &entry : TagDialogs)
        if (entry.action == action)
            return &entry;
    return nullptr;
}

const TTagDialogEntry *TagDialogForKind(TTagKind kind)
{
    if (kind == tkOther)
        return nullptr;
    for (const TTagDialogEntry &entry : TagDialogs)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

bool HasTagDialog(TvqAction action)
{
    return TagDialogForAction(action) != nullptr;
}
