// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhoneticKey.h"

#include <algorithm>
#include <vector>

namespace {

bool IsVowel(QChar c)
{
    return QStringView(u"AEIOU").contains(c);
}

// Upper-case ASCII letters only, accents dropped.
QString PlainLetters(const QString &word)
{
    QString plain;
    for (const QChar c : word.normalized(QString::NormalizationForm_D).toUpper()) {
        if (c >= u'A' && c <= u'Z')
            plain.append(c);
    }
    return plain;
}

} // namespace

QString PhoneticKey(const QString &word)
{
    QString w = PlainLetters(word);
    if (w.startsWith(u"KN") || w.startsWith(u"GN") || w.startsWith(u"WR"))
        w.remove(0, 1);
    const auto at = [&](qsizetype i) { return i >= 0 && i < w.size() ? w[i] : QChar(); };
    QString key;
    const auto add = [&](QStringView sound) {
        for (const QChar c : sound) {
            if (key.isEmpty() || key.back() != c)
                key.append(c);
        }
    };
    for (qsizetype i = 0; i < w.size(); ++i) {
        const QChar c = w[i];
        const QChar next = at(i + 1);
        const bool soft = next == u'E' || next == u'I' || next == u'Y';
        if (IsVowel(c)) {
            if (i == 0)
                add(u"A");
            continue;
        }
        switch (c.unicode()) {
        case u'B':
            add(u"P");
            break;
        case u'C':
            if (next == u'H') {
                add(u"X");
                ++i;
            } else if (next == u'K') {
                add(u"K");
                ++i;
            } else {
                add(soft ? u"S" : u"K");
            }
            break;
        case u'D':
            add(u"T");
            break;
        case u'G':
            if (next == u'H' && (i + 2 >= w.size() || !IsVowel(at(i + 2))))
                ++i; // silent, as in "night" and "high"
            else
                add(soft ? u"J" : u"K");
            break;
        case u'P':
            if (next == u'H') {
                add(u"F");
                ++i;
            } else {
                add(u"P");
            }
            break;
        case u'Q':
            add(u"K");
            break;
        case u'S':
            if (next == u'H') {
                add(u"X");
                ++i;
            } else {
                add(u"S");
            }
            break;
        case u'T':
            if (next == u'H') {
                add(u"0");
                ++i;
            } else {
                add(u"T");
            }
            break;
        case u'V':
            add(u"F");
            break;
        case u'X':
            add(u"KS");
            break;
        case u'Z':
            add(u"S");
            break;
        case u'H':
        case u'W':
        case u'Y':
            break;
        default:
            add(QStringView(&c, 1));
        }
    }
    return key;
}

int EditDistance(const QString &a, const QString &b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j) - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}
