// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a tag button does when clicked: insert its own texts (vqSimpleTag),
// insert a file (vqInsertFile), or open the dialog that builds one kind of
// tag. The order is the ordinal order stored with custom buttons.

enum TvqAction {
    vqSimpleTag,
    vqActiveX,
    vqApplet,
    vqColor,
    vqImage,
    vqBody,
    vqFont,
    vqBaseFont,
    vqQuickStart,
    vqFrameWizard,
    vqFrame,
    vqFrameSet,
    vqFloatingFrame,
    vqMeta,
    vqTableWizard,
    vqTable,
    vqTableData,
    vqTableRow,
    vqTableHeader,
    vqHorzRule,
    vqComment,
    vqForm,
    vqFormElement,
    vqAnchor,
    vqList,
    vqMailTo,
    vqParameter,
    vqScript,
    vqScriptCode,
    vqScriptWizard,
    vqCustomize,
    vqSeparator,
    vqInsertFile,
};
