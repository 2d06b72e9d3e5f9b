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

const TTagDialogEntry TagDialogs[] = {
    {"Comment", vqComment, tkComment, false, CreateTagDialog<TfComment>},
    {"Font", vqFont, tkFont, true, CreateTagDialog<TfFont, false>},
    {"Base Font", vqBaseFont, tkBaseFont, true, CreateTagDialog<TfFont, true>},
    {"Body", vqBody, tkBody, true, CreateTagDialog<TfBody>},
    {"Anchor", vqAnchor, tkAnchor, true, CreateTagDialog<TfAnchor>},
    {"Horizontal Rule", vqHorzRule, tkHorizontalRule, false, CreateTagDialog<TfHorzRule>},
    {"List", vqList, tkOther, false, CreateTagDialog<TfList>},
    {"META Editor", vqMeta, tkMeta, false, CreateTagDialog<TfMeta>},
    {"Form", vqForm, tkForm, false, CreateTagDialog<TfForm>},
    {"Paragraph", vqSimpleTag, tkParagraph, false, CreateTagDialog<TfParagraph>},
    {"mailto", vqMailTo, tkOther, false, CreateTagDialog<TfMailTo>},
    {"Image", vqImage, tkImage, false, CreateTagDialog<TfImg>},
    {"Table", vqTable, tkTable, false, CreateTagDialog<TfTable>},
    {"Table Data", vqTableData, tkTableDataCell, false, CreateTagDialog<TfTableAttribute, false>},
    {"Table Header", vqTableHeader, tkTableHeaderCell, false, CreateTagDialog<TfTableAttribute, true>},
    {"Table Row", vqTableRow, tkTableRow, false, CreateTagDialog<TfTableRow>},
    {"Table Wizard", vqTableWizard, tkOther, true, CreateTagDialog<TfTableWizard>},
    {"Frame Wizard", vqFrameWizard, tkOther, true, CreateTagDialog<TfFrameWizard>},
    {"Frame", vqFrame, tkFrame, false, CreateTagDialog<TfFrame>},
    {"Frameset", vqFrameSet, tkFrameset, false, CreateTagDialog<TfFrameset>},
    {"Floating Frame", vqFloatingFrame, tkFloatingFrame, false, CreateTagDialog<TfFloatingFrame>},
    {"Script", vqScript, tkScript, false, CreateTagDialog<TfScript>},
    {"Script Wizard", vqScriptWizard, tkOther, false, CreateTagDialog<TfScriptWizard>},
    {"ActiveX", vqActiveX, tkOther, false, CreateTagDialog<TfActiveX>},
    {"Applet", vqApplet, tkApplet, false, CreateTagDialog<TfApplet>},
    {"Parameter", vqParameter, tkParameter, false, CreateTagDialog<TfParameter>},
    {"Marquee", vqSimpleTag, tkMarquee, false, CreateTagDialog<TfMarquee>},
    {"Embed", vqSimpleTag, tkEmbed, false, CreateTagDialog<TfEmbed>},
    {"Background Sound", vqSimpleTag, tkBackgroundSound, false, CreateTagDialog<TfBGSound>},
    {"Quick Start", vqQuickStart, tkOther, false, CreateTagDialog<TfQuickStart>},
    {"Form Element", vqFormElement, tkOther, false, CreateTagDialog<TfFormElement, feText>},
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
