// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeedbarTable.h"

// Transcribed page by page; the program builds the speedbar from it and the
// tests check the built buttons against it.

namespace {

const TSpeedbarButton QuickTabButtons[] = {
    {"vqbQuickStart", "Quick Start", bkAction, vqQuickStart, "", "", true, ""},
    {"vqbBody", "Body", bkAction, vqBody, "", "", true, ""},
    {"vqbBold", "Bold", bkTag, vqSimpleTag, "<B>", "</B>", true, ""},
    {"vqbItalics", "Italics", bkTag, vqSimpleTag, "<I>", "</I>", true, ""},
    {"vqbUnderline", "Underline", bkTag, vqSimpleTag, "<U>", "</U>", true, ""},
    {"vqbPara", "Paragraph", bkTag, vqSimpleTag, "<P>", "", true, ""},
    {"vqbBreak", "Break", bkTag, vqSimpleTag, "<BR>", "", true, "BR"},
    {"vqbAnchor", "QuickAnchor (link)", bkAction, vqAnchor, "", "", true, ""},
    {"vqbImage", "QuickImage", bkAction, vqImage, "", "", true, ""},
    {"vqbHRule", "Quick Rule", bkAction, vqHorzRule, "", "", true, ""},
    {"vqbCenter", "Center", bkTag, vqSimpleTag, "<CENTER>", "</CENTER>", true, ""},
    {"vqbRight", "Right Justify", bkTag, vqSimpleTag, "<P ALIGN=RIGHT>", "</P>", true, ""},
    {"vqbComment", "Comment", bkTag, vqSimpleTag, "<!-- ", " -->", true, ""},
    {"vqbEMail", "E-mail", bkAction, vqMailTo, "", "", true, ""},
    {"vqNbsp", "Non-breaking space", bkTag, vqSimpleTag, "&nbsp;", "", false, "nb"},
};

const TSpeedbarButton FontsButtons[] = {
    {"vqbFontSubscript", "Subscript", bkTag, vqSimpleTag, "<SUB>", "</SUB>", true, "sub"},
    {"vqbFontSuperscript", "Superscript", bkTag, vqSimpleTag, "<SUP>", "</SUP>", true, "sup"},
    {"vqbFontStrong", "Strong", bkTag, vqSimpleTag, "<STRONG>", "</STRONG>", true, "S"},
    {"vqbFontEm", "Emphasis", bkTag, vqSimpleTag, "<EM>", "</EM>", true, "EM"},
    {"vqbFont", "QuickFont", bkAction, vqFont, "", "", true, ""},
    {"vqbH1", "Heading 1", bkTag, vqSimpleTag, "<H1>", "</H1>", true, "H1"},
    {"vqbH2", "Heading 2", bkTag, vqSimpleTag, "<H2>", "</H2>", true, "H2"},
    {"vqbH3", "Heading 3", bkTag, vqSimpleTag, "<H3>", "</H3>", true, "H3"},
    {"vqbH4", "Heading 4", bkTag, vqSimpleTag, "<H4>", "</H4>", true, "H4"},
    {"vqbH5", "Heading 5", bkTag, vqSimpleTag, "<H5>", "</H5>", true, "H5"},
    {"vqbH6", "Heading 6", bkTag, vqSimpleTag, "<H6>", "</H6>", true, "H6"},
    {"vqbPre", "Preformatted text", bkTag, vqSimpleTag, "<PRE>", "</PRE>", true, "PRE"},
    {"vqbFontBaseSize", "Base font size", bkAction, vqBaseFont, "", "", true, ""},
    {"vqbFontPlus", "Font size +1", bkTag, vqSimpleTag, "<FONT SIZE=\"+1\">", "</FONT>", true, ""},
    {"vqbFontMinus", "Font size -1", bkTag, vqSimpleTag, "<FONT SIZE=\"-1\">", "</FONT>", true, ""},
};

const TSpeedbarButton TablesButtons[] = {
    {"vqbTableWizard", "Table wizard", bkAction, vqTableWizard, "", "", true, ""},
    {"vqbTableDialog", "Table (dialog)", bkAction, vqTable, "", "", true, ""},
    {"vqbTblRowDialog", "Table row (dialog)", bkAction, vqTableRow, "", "", true, ""},
    {"vqbTblHeaderDialog", "Table header (dialog)", bkAction, vqTableHeader, "", "", true, ""},
    {"vqbTblDataDialog", "Table data (dialog)", bkAction, vqTableData, "", "", true, ""},
    {"vqbQuickTable", "QuickTable", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbTable", "Table", bkTag, vqSimpleTag, "<TABLE>", "</TABLE>", true, "Tbl"},
    {"vqbTableRow", "Table row", bkTag, vqSimpleTag, "<TR>", "</TR>", true, "Tr"},
    {"vqbTableHead", "Table header", bkTag, vqSimpleTag, "<TH>", "</TH>", true, "Th"},
    {"vqbTableData", "Table data", bkTag, vqSimpleTag, "<TD>", "</TD>", true, "Td"},
    {"vqbTableCaption", "Table caption", bkTag, vqSimpleTag, "<CAPTION>", "</CAPTION>", true, "cap"},
};

const TSpeedbarButton FramesButtons[] = {
    {"vqbFrameWizard", "Frame wizard", bkAction, vqFrameWizard, "", "", true, ""},
    {"vqbFramesetDialog", "Frameset (dialog)", bkAction, vqFrameSet, "", "", true, ""},
    {"vqbFrameDialog", "Frame (dialog)", bkAction, vqFrame, "", "", true, ""},
    {"vqbIFrameDialog", "Floating Frame (dialog - MSIE)", bkAction, vqFloatingFrame, "", "", true, ""},
    {"vqbFrameBaseTarget", "Base target", bkTag, vqSimpleTag, "<BASE TARGET=\"", "\">", true, ""},
    {"vqbFrameSet", "Frameset", bkTag, vqSimpleTag, "<FRAMESET>", "</FRAMESET>", true, "set"},
    {"vqbFrame", "Frame", bkTag, vqSimpleTag, "<FRAME>", "", true, "fra"},
    {"vqbIFrame", "Floating Frame (MSIE)", bkTag, vqSimpleTag, "<IFRAME>", "</IFRAME>", true, "if"},
    {"vqbNoFrames", "Noframes", bkTag, vqSimpleTag, "<NOFRAMES>", "</NOFRAMES>", true, "no"},
};

const TSpeedbarButton FormsButtons[] = {
    {"vqbForm", "Form", bkAction, vqForm, "", "", true, ""},
    {"vqbFormSubmit", "Submit", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormSelect", "Select", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormRadio", "Radio button", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormText", "Text", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormReset", "Reset", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormHidden", "Hidden", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormTextArea", "Textarea", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbFormCheckbox", "Checkbox", bkHandler, vqSimpleTag, "", "", true, ""},
};

const TSpeedbarButton ListsButtons[] = {
    {"vqbList", "QuickList", bkAction, vqList, "", "", true, ""},
    {"vqbUL", "Unordered List", bkTag, vqSimpleTag, "<UL>", "</UL>", true, "UL"},
    {"vqbOL", "Ordered List", bkTag, vqSimpleTag, "<OL>", "</OL>", true, "OL"},
    {"vqbLstDefinition", "Definition list", bkTag, vqSimpleTag, "<DL>\r\n\t<DT> <DD>\r\n", "</DL>\r\n", true, ""},
    {"vqtLstDefTerm", "Definition term", bkTag, vqSimpleTag, "<DT>", "", true, "DT"},
    {"vqbLstDef", "Definition", bkTag, vqSimpleTag, "<DD>", "", true, "DD"},
    {"vqbLstMenu", "Menu", bkTag, vqSimpleTag, "<MENU>", "</MENU>", true, "M"},
    {"vqbLstItem", "List item", bkTag, vqSimpleTag, "<LI>", "", true, "LI"},
};

const TSpeedbarButton StylesButtons[] = {
    {"spdStyleSheet", "Add/Edit Styles (MSIE)", bkHandler, vqSimpleTag, "", "", true, ""},
    {"spdStyleInsert", "Insert style tag", bkHandler, vqSimpleTag, "", "", true, ""},
    {"cboStyleList", "", bkTagList, vqSimpleTag, "", "", true, ""},
};

const TSpeedbarButton JavaScriptButtons[] = {
    {"spdJavaTree", "Object tree", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbApplet", "Applet", bkAction, vqApplet, "", "", true, ""},
    {"vqTagButton2", "Script", bkAction, vqScript, "", "", true, ""},
    {"vqbParameter2", "Parameter", bkAction, vqParameter, "", "", true, ""},
    {"vqbJS_MsgBox", "Message box", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbScriptWizard", "Script Wizard", bkAction, vqScriptWizard, "", "", true, ""},
    {"vqJS_DocWrite", "document.write", bkTag, vqSimpleTag, "document.write(\"", "\")", false, ""},
    {"vqbJS_OpenWindow", "Open window", bkHandler, vqSimpleTag, "", "", true, ""},
};

const TSpeedbarButton OtherButtons[] = {
    {"vqbImageMap", "Image Map", bkTag, vqSimpleTag, "<MAP NAME=\"",
     "\">\r\n\t<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">\r\n</MAP>", true, ""},
    {"vqbMeta", "META", bkAction, vqMeta, "", "", true, "met"},
    {"spdEmbed", "Embed (Netscape)", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqTagButton1", "Insert ActiveX control", bkAction, vqActiveX, "", "", true, ""},
    {"vqbParameter1", "Parameter", bkAction, vqParameter, "", "", true, ""},
    {"vqbObject", "Object", bkTag, vqSimpleTag, "<OBJECT>", "</OBJECT>", true, "obj"},
    {"spdMarquee", "Marquee (MSIE)", bkHandler, vqSimpleTag, "", "", true, ""},
    {"spdBGSound", "Background sound (MSIE)", bkHandler, vqSimpleTag, "", "", true, ""},
};

const TSpeedbarButton TagListButtons[] = {
    {"spdTagInsert", "Insert tag", bkHandler, vqSimpleTag, "", "", true, ""},
    {"cboTagList", "", bkTagList, vqSimpleTag, "", "", true, ""},
};

const TSpeedbarButton ASPButtons[] = {
    {"vqbASP", "<% %> (Ctrl + %)", bkTag, vqSimpleTag, "<% ", " %>", false, "%"},
    {"vqbASP_Equal", "<%= %>", bkTag, vqSimpleTag, "<%= ", " %>", false, "%="},
    {"vqbASP_If", "<% If %>", bkTag, vqSimpleTag, "<% If ", " %>", false, "if"},
    {"vqbASP_Else", "<% Else %>", bkTag, vqSimpleTag, "<% Else ", " %>", false, "else"},
    {"vqbASP_EndIf", "<% End If %>", bkTag, vqSimpleTag, "<% End If %>", "", false, "end"},
    {"spdASPInsert", "Insert tag", bkHandler, vqSimpleTag, "", "", true, ""},
    {"spdASPServerVar", "Server variable", bkHandler, vqSimpleTag, "", "", true, ""},
    {"spdASP_Include", "#include", bkHandler, vqSimpleTag, "", "", true, "#"},
    {"cboASPList", "", bkTagList, vqSimpleTag, "", "", false, ""},
};

const TSpeedbarButton CFusionButtons[] = {
    {"spdCFusionInsert", "Insert tag", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqbCFIF", "<CFIF>", bkTag, vqSimpleTag, "<CFIF>", "</CFIF>", true, "if"},
    {"vqbCFELSE", "<CFELSE>", bkTag, vqSimpleTag, "<CFELSE>", "", true, "else"},
    {"vqbCFELSEIF", "<CFELSEIF>", bkTag, vqSimpleTag, "<CFELSEIF>", "", true, "eif"},
    {"spdCFServerVar", "Server variable", bkHandler, vqSimpleTag, "", "", true, ""},
    {"cboCFusionList", "", bkTagList, vqSimpleTag, "", "", true, ""},
};

const TSpeedbarButton AppsButtons[] = {
    {"spdCustomizeAppBar", "Configure application buttons", bkHandler, vqSimpleTag, "", "", true, ""},
    {"vqAppBar1", "", bkAppBar, vqSimpleTag, "", "", true, ""},
};

} // namespace

const std::array<TSpeedbarPage, SpeedbarPageCount> SpeedbarPages = {{
    {"tbsQuickTab", "QuickTab", nullptr, true, QuickTabButtons},
    {"tbsFonts", "Fonts", "Fonts_Visible", true, FontsButtons},
    {"tbsTables", "Tables", "Tables_Visible", true, TablesButtons},
    {"tbsFrames", "Frames", "Frames_Visible", true, FramesButtons},
    {"tbsForms", "Forms", "Forms_Visible", true, FormsButtons},
    {"tbsLists", "Lists", "Lists_Visible", true, ListsButtons},
    {"tbsStyles", "Styles", "Styles_Visible", true, StylesButtons},
    {"tbsJavaScript", "JavaScript", "JavaScript_Visible", false, JavaScriptButtons},
    {"tbsOther", "Other", "Other_Visible", true, OtherButtons},
    {"tbsTagList", "Tags", "Tags_Visible", false, TagListButtons},
    {"tbsASP", "ASP", "ASP_Visible", false, ASPButtons},
    {"tbsCFusion", "CFML", "CFML_Visible", false, CFusionButtons},
    {"tbsApps", "Apps", "Apps_Visible", true, AppsButtons},
}};
