// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpellDictionary.h"

#include "FileIO.h"
#include "PhoneticKey.h"

#include <hunspell.hxx>

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <tuple>

namespace {

QString AffixPath(const QString &dicPath)
{
    QString path = dicPath;
    path.chop(QFileInfo(dicPath).suffix().size());
    return path + QStringLiteral("aff");
}

bool Readable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

} // namespace

TSpellDictionary::TSpellDictionary() = default;
TSpellDictionary::~TSpellDictionary() = default;

bool TSpellDictionary::OpenMain(const QString &dicPath)
{
    Close();
    const QString affPath = AffixPath(dicPath);
    if (!Readable(dicPath) || !Readable(affPath))
        return false;
    m_hunspell =
        std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(), QFile::encodeName(dicPath).constData());
    const QByteArray encoding = QByteArray::fromStdString(m_hunspell->get_dict_encoding());
    m_utf8 = encoding.compare("UTF-8", Qt::CaseInsensitive) == 0;
    // Encodings Qt cannot convert are taken as Latin-1, the usual one.
    m_encoder = QStringEncoder(encoding.constData());
    m_decoder = QStringDecoder(encoding.constData());
    if (!m_encoder.isValid() || !m_decoder.isValid()) {
        m_encoder = QStringEncoder(QStringConverter::Latin1);
        m_decoder = QStringDecoder(QStringConverter::Latin1);
    }
    m_mainPath = dicPath;
    return true;
}

int TSpellDictionary::OpenUser(const QString &path)
{
    m_userPath = path;
    m_userWords.clear();
    QByteArray bytes;
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        return WriteWholeFile(path, QByteArray()).ok() ? -1 : -2;
    }
    if (!ReadWholeFile(path, bytes).ok())
        return 0;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (word.isEmpty())
            continue;
        m_userWords.append(word);
        if (m_hunspell)
            m_hunspell->add(ToDictionary(word));
    }
    m_known.clear();
    return int(m_userWords.size());
}

void TSpellDictionary::Close()
{
    m_hunspell.reset();
    m_known.clear();
    m_soundIndex.clear();
    m_userWords.clear();
}

std::string TSpellDictionary::ToDictionary(const QString &word)
{
    return m_utf8 ? word.toStdString() : QByteArray(m_encoder.encode(word)).toStdString();
}

QString TSpellDictionary::FromDictionary(const std::string &word)
{
    return m_utf8 ? QString::fromStdString(word) : QString(m_decoder.decode(QByteArrayView(word)));
}

bool TSpellDictionary::Known(std::string_view word)
{
    if (!m_hunspell)
        return false;
    const QByteArray bytes = QByteArray::fromRawData(word.data(), qsizetype(word.size()));
    const auto found = m_known.constFind(bytes);
    if (found != m_known.cend())
        return *found;
    const bool known =
        m_hunspell->spell(m_utf8 ? std::string(word) : ToDictionary(QString::fromUtf8(word.data(), word.size())));
    m_known.insert(QByteArray(word.data(), qsizetype(word.size())), known);
    return known;
}

QStringList TSpellDictionary::Suggest(const QString &word, int count)
{
    QStringList words;
    if (!m_hunspell || word.isEmpty())
        return words;
    for (const std::string &suggestion : m_hunspell->suggest(ToDictionary(word))) {
        if (words.size() >= count)
            break;
        words.append(FromDictionary(suggestion));
    }
    return words;
}

void TSpellDictionary::LoadSoundIndex()
{
    QByteArray bytes;
    if (!ReadWholeFile(m_mainPath, bytes).ok())
        return;
    QList<QByteArray> lines = bytes.split('\n');
    // The first line holds the count of words.
    if (!lines.isEmpty())
        lines.removeFirst();
    m_soundIndex.reserve(size_t(lines.size()));
    for (QByteArray &line : lines) {
        const qsizetype flags = line.indexOf('/');
        if (flags >= 0)
            line.truncate(flags);
        const QString word = FromDictionary(line.trimmed().toStdString());
        if (!word.isEmpty())
            m_soundIndex.push_back({PhoneticKey(word), word});
    }
}

QStringList TSpellDictionary::Phoneme(const QString &word, int count)
{
    if (!m_hunspell || word.isEmpty())
        return {};
    if (m_soundIndex.empty())
        LoadSoundIndex();
    const QString key = PhoneticKey(word);
    const QString lower = word.toLower();
    // Candidates: the dictionary's and the user's words whose key is at most
    // one sound from the word's, and Hunspell's close matches, which bring
    // the inflected forms the word list lacks.
    // Ranked by the distance of the keys, then names after other words when
    // the word is none, then with Hunspell's matches first, then by the
    // distance of the spellings.
    const bool lowerWord = word == lower;
    struct TCandidate
    {
        int keyDistance;
        bool otherCase;
        bool notClose;
        int distance;
        QString word;
    };
    std::vector<TCandidate> candidates;
    const QStringList close = Suggest(word, 2 * count);
    const auto consider = [&](const QString &candidateKey, const QString &candidate, int maxKeyDistance) {
        if (std::abs(candidateKey.size() - key.size()) > maxKeyDistance)
            return;
        const int keyDistance = EditDistance(candidateKey, key);
        if (keyDistance <= maxKeyDistance)
            candidates.push_back({keyDistance, lowerWord && !candidate.isLower(), !close.contains(candidate),
                                  EditDistance(candidate.toLower(), lower), candidate});
    };
    for (const TSoundEntry &entry : m_soundIndex)
        consider(entry.key, entry.word, 1);
    for (const QString &user : std::as_const(m_userWords))
        consider(PhoneticKey(user), user, 1);
    for (const QString &match : close)
        consider(PhoneticKey(match), match, 2);
    std::sort(candidates.begin(), candidates.end(), [](const TCandidate &a, const TCandidate &b) {
        return std::tie(a.keyDistance, a.otherCase, a.notClose, a.distance, a.word) <
               std::tie(b.keyDistance, b.otherCase, b.notClose, b.distance, b.word);
    });
    QStringList words;
    for (const TCandidate &candidate : candidates) {
        if (words.size() >= count)
            break;
        if (!words.contains(candidate.word) && candidate.word != word)
            words.append(candidate.word);
    }
    return words;
}

bool TSpellDictionary::Add(const QString &word)
{
    if (m_hunspell)
        m_hunspell->add(ToDictionary(word));
    m_known.clear();
    if (m_userWords.contains(word))
        return true;
    m_userWords.append(word);
    if (m_userPath.isEmpty())
        return false;
    return WriteWholeFile(m_userPath, (m_userWords.join(u'\n') + u'\n').toUtf8()).ok();
}
