// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileUtils.h"

#include "FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

namespace {

QString JoinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Names in the order the lists give them: by name without case, names that
// differ only in case in a fixed order.
bool NameLess(const QString &a, const QString &b)
{
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

// "*.htm|*.html" as one expression with a group per mask, so one match tells
// whether a name matches and which mask it matches first. "*.*" stands for
// every name, as on Windows, not only names with a dot.
class TMasks
{
public:
    explicit TMasks(const QString &masks)
    {
        QStringList groups;
        for (const QString &part : masks.split(u'|')) {
            QString mask = part.trimmed();
            if (mask.isEmpty())
                continue;
            if (mask == QLatin1String("*.*"))
                mask = QStringLiteral("*");
            groups.append(u'(' +
                          QRegularExpression::wildcardToRegularExpression(
                              mask, QRegularExpression::UnanchoredWildcardConversion) +
                          u')');
        }
        m_count = groups.size();
        m_expression = QRegularExpression(QStringLiteral("\\A(?:") + groups.join(u'|') + QStringLiteral(")\\z"),
                                          QRegularExpression::CaseInsensitiveOption);
        m_expression.optimize();
    }

    qsizetype Count() const { return m_count; }

    // The index of the first mask the name matches, or -1.
    qsizetype Match(const QString &name) const
    {
        const QRegularExpressionMatch match = m_expression.match(name);
        return match.hasMatch() ? match.lastCapturedIndex() - 1 : -1;
    }

private:
    QRegularExpression m_expression;
    qsizetype m_count = 0;
};

struct TSubfolder
{
    QString name;
    bool link = false;
};

// The type (DT_REG, DT_DIR, ...) of an entry whose d_type does not tell it:
// a link, which is followed (link is then set), or an entry of a file system
// that leaves d_type unknown. DT_UNKNOWN for a broken link.
unsigned char EntryType(const QByteArray &path, unsigned char type, bool &link)
{
    struct stat info
    {
    };
    if (type == DT_UNKNOWN) {
        if (::lstat(path.constData(), &info) != 0)
            return DT_UNKNOWN;
        if (!S_ISLNK(info.st_mode))
            return IFTODT(info.st_mode);
    }
    link = true;
    if (::stat(path.constData(), &info) != 0)
        return DT_UNKNOWN;
    return IFTODT(info.st_mode);
}

// Reads one folder once: appends the paths of its matching files, grouped by
// the first mask each matches and by name within a mask, and when subfolders
// is given, collects its subfolders by name. Temporary files that saves left
// are removed unless a save still writes them, and never listed. Plain readdir with the entry
// types it gives, rather than QDirIterator, which builds a QFileInfo for
// every entry: that alone made a tree's listing about twice as slow (see
// bench/FileListBench.cpp).
void ScanFolder(const QString &folder, const TMasks &masks, QStringList &files, QList<TSubfolder> *subfolders)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return;
    QList<QStringList> matched(masks.Count());
    QStringList leftovers; // temporary files of saves, never listed
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        bool link = false;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN)
            type = EntryType(path + '/' + name, type, link);
        if (type == DT_DIR && subfolders) {
            subfolders->append({QFile::decodeName(name), link});
        } else if (type == DT_REG) {
            const QString fileName = QFile::decodeName(name);
            if (IsWriteTemporaryName(fileName)) {
                leftovers.append(JoinPath(folder, fileName));
                continue;
            }
            const qsizetype mask = masks.Match(fileName);
            if (mask >= 0)
                matched[mask].append(fileName);
        }
    }
    ::closedir(dir);
    for (const QString &leftover : leftovers)
        RemoveStaleTemporaryFile(leftover);
    for (QStringList &names : matched) {
        std::sort(names.begin(), names.end(), NameLess);
        for (const QString &name : names)
            files.append(JoinPath(folder, name));
    }
    if (subfolders) {
        std::sort(subfolders->begin(), subfolders->end(),
                  [](const TSubfolder &a, const TSubfolder &b) { return NameLess(a.name, b.name); });
    }
}

// Lists a folder and, depth first, its subfolders. A folder is entered only
// when its real path was not visited yet; only links need resolving, the real
// path of any other subfolder follows from its parent's.
void ScanTree(const QString &folder, const QString &realPath, const TMasks &masks, QSet<QString> &visited,
              QStringList &files)
{
    QList<TSubfolder> subfolders;
    ScanFolder(folder, masks, files, &subfolders);
    for (const TSubfolder &subfolder : subfolders) {
        const QString path = JoinPath(folder, subfolder.name);
        const QString real = subfolder.link ? QFileInfo(path).canonicalFilePath() : JoinPath(realPath, subfolder.name);
        if (real.isEmpty() || visited.contains(real))
            continue;
        visited.insert(real);
        ScanTree(path, real, masks, visited, files);
    }
}

// The locale's long time of day without its time-zone field ("t"), which a
// file time does not show.
QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    QString format;
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            format += c;
    }
    return format.trimmed();
}

} // namespace

bool PathExists(const QString &path)
{
    return QFileInfo::exists(path);
}

QString MakeTempFileName(const QString &prefix, const QString &folder)
{
    const QDir where(folder.isEmpty() ? QDir::tempPath() : folder);
    QTemporaryFile file(where.absoluteFilePath(prefix + QStringLiteral("XXXXXX")));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return file.fileName();
}

QString ShortPathOf(const QString &path)
{
    return path;
}

QString LongPathOf(const QString &path)
{
    if (path.isEmpty())
        return QString();
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    // The root always exists, so this ends.
    for (;;) {
        const QString real = QFileInfo(existing).canonicalFilePath();
        if (!real.isEmpty())
            return rest.isEmpty() ? real : JoinPath(real, rest);
        const qsizetype slash = existing.lastIndexOf(u'/');
        const QString last = existing.mid(slash + 1);
        rest = rest.isEmpty() ? last : last + u'/' + rest;
        existing = slash > 0 ? existing.left(slash) : QStringLiteral("/");
    }
}

QString LongTimeText(const QTime &time)
{
    const QLocale locale;
    return locale.toString(time, LongTimeFormatWithoutZone(locale));
}

QString FormatFileTime(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    const QLocale locale;
    const QDateTime local = time.toLocalTime();
    return locale.toString(local.date(), QStringLiteral("dddd, MMMM d, yyyy")) + u' ' + LongTimeText(local.time());
}

QStringList ListFilesByMasks(const QString &folder, const QString &masks)
{
    QStringList files;
    const TMasks patterns(masks);
    if (folder.isEmpty() || patterns.Count() == 0)
        return files;
    ScanFolder(QDir(folder).absolutePath(), patterns, files, nullptr);
    return files;
}

QStringList ListFilesByMasksRecursive(const QString &folder, const QString &masks)
{
    QStringList files;
    const TMasks patterns(masks);
    const QString root = QDir(folder).absolutePath();
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    if (patterns.Count() == 0 || realRoot.isEmpty())
        return files;
    QSet<QString> visited{realRoot};
    ScanTree(root, realRoot, patterns, visited, files);
    return files;
}

std::optional<QByteArray> ReadFileToText(const QString &path)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes).ok())
        return std::nullopt;
    return bytes;
}
