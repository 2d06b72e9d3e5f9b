// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a file dropped on a document becomes: HTML documents open in tabs of
// their own; every other kind of file is linked into the page with a tag
// built from the file alone.

#include "HTMLExtensions.h"

#include <QString>
#include <QStringList>

// A reference from a document in documentFolder to the file: the relative
// folder and the file's name, in lower case with lowerCase.
QString FileReference(const QString &documentFolder, const QString &file, bool lowerCase);

struct TTagTexts
{
    QString start;
    QString end;
};

struct TDropOptions
{
    QString documentFolder;
    bool lowerCaseFiles = false;
    bool netscapeMultimedia = false; // embed tags for sound and video
};

// The tag for a dropped file of any kind but Document: the tag the file's
// dialog makes from its defaults and the file (a video's dynamic source
// holds only the file).
TTagTexts DroppedFileTag(TFileKind kind, const QString &file, const TDropOptions &options);
