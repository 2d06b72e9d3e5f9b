// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extensions that make a file an HTML document: upper case, without the
// dot, in the order the user gave them. Kept under
// "Software\Velicort\HTMLExtensions" as "Extension1", "Extension2", ...

#include <QString>
#include <QStringList>

// The stored list, or the eight defaults when "Extension1" is missing or
// empty; at most 15 entries, up to the first empty one.
QStringList LoadHTMLExtensions();
// Replaces the stored list.
void SaveHTMLExtensions(const QStringList &extensions);

// The kinds of file the program tells apart, by extension.
enum class TFileKind { Other, StyleSheet, Image, Sound, Video, Shortcut, Document };

// The kind of a file by its extension: CSS a style sheet; GIF, BMP, JPG,
// JPEG, PNG images; WAV, MID, AU, AIFF sounds; AVI, MOV videos; URL an
// Internet shortcut; one of the HTML extensions a document.
TFileKind FileKindOf(const QString &path, const QStringList &htmlExtensions);

// True when the path ends in "." and one of the extensions, without regard
// to case.
bool IsHTMLDocument(const QString &path, const QStringList &extensions);
// "*.EXT" + separator for each extension, so the text ends with a separator.
QString HTMLDocumentFilter(const QStringList &extensions, const QString &separator);
// The filter of the open and save dialogs, in the file dialogs' form:
// "HTML Documents", "Text Files (*.txt)", "Style Sheets (*.css)" and
// "All Files". Each pattern is given in lower and upper case, since names
// on this system compare with case.
QString FileDialogFilter(const QStringList &extensions);
// Its first entry alone: the HTML documents by the extensions.
QString HTMLDialogFilter(const QStringList &extensions);
