// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The topic file of the HTML reference, which names the page that explains
// each tag, and the rules that turn the caret's place in a document into the
// key F2 looks up.

#include <QString>
#include <QStringList>

#include <string_view>

class THelpTopics
{
public:
    // Reads the topic file whole: lines of a key, a comma and a page file
    // name; the pages lie in the topic file's folder. False when it cannot be
    // read.
    bool Load(const QString &path);
    bool IsEmpty() const { return m_lines.isEmpty(); }

    // The page for the key: "RESOURCES" gives the resources page, the first
    // topic line whose key equals it (without regard to case) its page, any
    // other key the contents page. Empty while no topics are loaded.
    QString PageFor(const QString &key) const;

private:
    QString m_folder;
    QStringList m_lines;
};

// The key of the tag around the caret, from its "<" up to the first blank or
// ">" with an end tag's "/" left out: "<TABLE" for "<TABLE BORDER=1>" and for
// "</TABLE>". Empty when the caret is not inside a tag: a ">" comes before
// any "<" going back from the caret.
QString TagKeyAt(std::string_view text, qsizetype caret);

// The keyword an external help file is asked for: the key as it is, without
// its "<" for the help files whose index lists bare tag names.
QString ExternalHelpKeyword(const QString &helpFile, const QString &key);

// The folder of the shipped HTML reference: beside the program in a build
// tree, else in the installed data folder.
QString HTMLReferenceFolder();
