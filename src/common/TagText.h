// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Routines over the text of one HTML start tag and over file references,
// shared by the tag dialogs, tag lists, previews and site tools. Apart from
// the global tag-case flag they keep no state; none of them fails on a
// malformed tag, an attribute that cannot be found simply reads as empty.

#include <QString>
#include <QStringList>

#include <optional>

class QFileInfo;

// The kinds of tag that the dialogs and tag lists tell apart.
enum TTagKind {
    tkAnchor,
    tkApplet,
    tkBackgroundSound,
    tkBody,
    tkComment,
    tkEmbed,
    tkFont,
    tkBaseFont,
    tkForm,
    tkFrame,
    tkFrameset,
    tkFloatingFrame,
    tkHorizontalRule,
    tkImage,
    tkMarquee,
    tkMeta,
    tkObject,
    tkParameter,
    tkParagraph,
    tkScript,
    tkTable,
    tkTableHeaderCell,
    tkTableDataCell,
    tkTableRow,
    tkOther,
};

// The global flag for generated tag and attribute names: true writes them in
// lower case. Loaded from the setting LowerCaseTags at start-up and whenever
// the settings dialog closes with OK.
void SetLowerCaseTags(bool lower);
bool LowerCaseTags();

// A literal tag or attribute name ("<FONT>", "SIZE=") in the case the user
// chose: lower case when LowerCaseTags() is set, else upper case.
QString CaseTag(const QString &text);

// The value of one attribute of a tag, its case kept. The name is given with
// its "=" ("HREF="), is compared without case, and must follow "<" or a blank
// directly: "SIZE = 3" and "VLINK=" do not match "SIZE=" and "LINK=".
// Empty when the attribute is absent or empty.
QString GetTagAttribute(const QString &tagText, const QString &name);

// Sets, replaces or removes one attribute of a tag in place. The value is the
// text to stand after the "=", quotes included; an empty value or a value of
// exactly two double quotes removes the attribute. A new attribute goes in
// front of the tag's own ">", never one inside a quoted value; a name inside
// a quoted value (double or single quotes) is no attribute. Line breaks
// inside the tag become blanks, and runs of blanks outside quotes are
// collapsed after a replacement or removal.
void SetTagAttribute(QString &tagText, const QString &name, const QString &value);

// The kind of a tag, judged from its first ten characters only, so "<A"
// followed by a line break is tkOther.
TTagKind ClassifyTag(const QString &tagText);

// Every text that follows an occurrence of prefix (found without case) up to
// the next double quote, case kept. The result is always sorted without case;
// with sorted set, values equal but for case are listed once (the first
// found), without it every occurrence is listed.
QStringList CollectQuotedValues(const QString &prefix, const QString &text, bool sorted);
// The same over the whole text of a file. A file that cannot be read shows
// "Unable to open <name>." as an error box and gives std::nullopt.
std::optional<QStringList> CollectQuotedValues(const QString &prefix, const QFileInfo &file, bool sorted);

// The folder part of a web reference from a document in documentFolder to a
// file in targetFolder: written with "/", ending in "/", empty for the same
// folder ("img/", "../img/"). With lowerCase both folders are lowered first.
// Folders that share no leading folder (another drive) give the target folder
// without its drive. A file picked in a dialog becomes this followed by the
// file's name.
QString MakeRelativeFolder(const QString &documentFolder, const QString &targetFolder, bool lowerCase);

// The file path, in native form, that a reference written in documentFile
// means. A reference with a ":" (an address such as "http://", "mailto:" or
// "javascript:", or a drive letter) and an absolute path come back
// unchanged; "#name" gives the document's own path followed by the
// reference; ".." segments climb from the document's folder but never above
// its root.
QString ResolveDocumentPath(const QString &documentFile, const QString &reference);

// The address held by an Internet shortcut file (value URL of the section
// InternetShortcut); empty when the file is missing or has none.
QString ReadShortcutURL(const QString &shortcutFile);
