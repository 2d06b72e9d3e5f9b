// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program asks of the desktop: opening a file or web address in the
// program the user chose for it, starting a program, showing a file's
// properties and moving a file to the trash.

#include <QList>
#include <QString>
#include <QStringList>

class QDialog;

// Codes ShellOpenFile returns; above 32 means success.
inline constexpr int ShellOpened = 42;
inline constexpr int ShellFileNotFound = 2;
inline constexpr int ShellAccessDenied = 5;
inline constexpr int ShellNoAssociation = 31;

// Opens a file, or an address with a scheme ("http:", "mailto:", "file:"; a
// drive letter "C:" is no scheme), in the desktop's program for it. On
// failure shows the reason in an error box and returns its code (2 file not
// found, 5 access denied, 31 no program for it); ShellOpened on success.
int ShellOpenFile(const QString &path);

// Starts a program without waiting for it, handing it each argument exactly
// as given: no text is split again, so a blank or a quote inside a path
// stays part of it. False when the program could not be started.
bool RunProgram(const QString &program, const QStringList &arguments);

// One row of a file's properties, e.g. {"Size:", "1,234 bytes"}.
struct TFileProperty
{
    QString label;
    QString value;
};

// The properties of a file, folder or drive: name, type, location, size
// (files only), created, modified and accessed times (those the file system
// keeps), read-only and hidden. Empty when the path does not exist.
QList<TFileProperty> FileProperties(const QString &path);

// Shows the properties of a file, folder or drive in a window of their own
// that is not modal and deletes itself when closed. Returns the window, or
// null when the path does not exist.
QDialog *ShowFileProperties(const QString &path);

// Moves a file (not a folder) to the trash, after asking the user when
// confirm is set. True when the file was moved; false when it is no file,
// the user said No, or the move failed.
bool DeleteToRecycleBin(const QString &path, bool confirm);
