// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dictionary engine of the spelling checker: a Hunspell main dictionary
// (a ".dic" file with its ".aff" beside it) and a user dictionary, a plain
// UTF-8 list of words, one a line, that Add writes back whole.

#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <memory>
#include <string_view>
#include <vector>

class Hunspell;

class TSpellDictionary
{
public:
    TSpellDictionary();
    ~TSpellDictionary();
    TSpellDictionary(const TSpellDictionary &) = delete;
    TSpellDictionary &operator=(const TSpellDictionary &) = delete;

    // False when the ".dic" or its ".aff" cannot be read.
    bool OpenMain(const QString &dicPath);
    // The count of words read; -1 when the file did not exist, which is then
    // created empty and taken as the user dictionary; -2 when it cannot be
    // created either.
    int OpenUser(const QString &path);
    void Close();
    bool IsOpen() const { return bool(m_hunspell); }

    // Whether either dictionary knows the word, given as UTF-8.
    bool Known(std::string_view word);
    // Close matches, at most count.
    QStringList Suggest(const QString &word, int count);
    // Sound-alike words, at most count, the closest first.
    QStringList Phoneme(const QString &word, int count);
    // Adds a word to the user dictionary and writes the file; false when the
    // file could not be written (the word is known for this run all the same).
    bool Add(const QString &word);

    QStringList UserWords() const { return m_userWords; }

private:
    std::string ToDictionary(const QString &word);
    QString FromDictionary(const std::string &word);
    // The words a sound-alike may be, with their keys, read from the main
    // dictionary's file once.
    void LoadSoundIndex();

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8 = true;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
    QString m_mainPath;
    QString m_userPath;
    QStringList m_userWords;
    // Lookups of the words of a page repeat a great deal.
    QHash<QByteArray, bool> m_known;
    struct TSoundEntry
    {
        QString key;
        QString word;
    };
    std::vector<TSoundEntry> m_soundIndex;
};
