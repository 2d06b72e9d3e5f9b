// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A reader and writer of INI files with the Windows private-profile rules, so
// project files and the thumbnail index stay interchangeable with files
// written on Windows. Section and key names compare without case; a value is
// the text after the first "=", trimmed, with one pair of enclosing quotes
// dropped. Only the first section of a name is read or written.
//
// The file is read once by the constructor and edited in memory; nothing is
// written until UpdateFile(). Lines that an edit does not touch are written
// back byte for byte; lines that it writes end in CR LF.

#include <QList>
#include <QString>
#include <QStringList>

class TIniFile
{
public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit TIniFile(const QString &fileName);

    QString FileName() const { return m_fileName; }

    // The value, or defaultValue when the section or key is missing.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    // A decimal value, or hexadecimal with "0x"; defaultValue when it is
    // missing or not a number.
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;

    // Sets a key, appending it to its section or the section to the file when
    // missing. False, and nothing changed, for text that the file could not
    // hold: a line break anywhere, an empty key, or a key with "=" or one that
    // would read as a section or comment.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);

    // Removes the first key of that name from the section.
    void DeleteKey(const QString &section, const QString &key);
    // Removes every section of that name with all its lines.
    void EraseSection(const QString &section);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    // Section names in file order, each once.
    QStringList Sections() const;
    // Key names of the section in file order, each once.
    QStringList Keys(const QString &section) const;

    // Writes the edits made since the file was read or last written; true
    // when there was nothing to write.
    bool UpdateFile();

private:
    struct TLine
    {
        enum Kind { Other, Section, Key };
        QByteArray raw; // the line's bytes, without its line end
        QByteArray eol; // "\r\n", "\n" or nothing for a last unterminated line
        Kind kind = Other;
        QString name;  // trimmed section or key name
        QString value; // key: the text after the first "=", as written
    };

    TLine ParseLine(const QByteArray &raw, const QByteArray &eol, bool first) const;
    TLine MakeLine(const QString &text) const;
    // Index of the first section header of that name, or -1; *end receives
    // the index of the line after the section.
    qsizetype FindSection(const QString &section, qsizetype *end = nullptr) const;
    qsizetype FindKey(const QString &section, const QString &key) const;
    // Inserts lines at a position, giving the line before a line end.
    void InsertLines(qsizetype at, const QList<TLine> &lines);

    QString m_fileName;
    QList<TLine> m_lines;
    bool m_utf8 = true; // false when the file read was not UTF-8: Windows-1252
    bool m_modified = false;
};
