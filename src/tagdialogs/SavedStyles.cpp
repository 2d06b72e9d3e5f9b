// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavedStyles.h"

#include "FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TSavedStyles::TSavedStyles(const QString &path) : m_path(path)
{
    QByteArray bytes;
    if (!QFileInfo::exists(path) || !ReadWholeFile(path, bytes).ok())
        return;
    for (qsizetype at = 0; at + TStyleObject::RecordBytes <= bytes.size(); at += TStyleObject::RecordBytes)
        m_styles.push_back(TStyleObject::FromRecord(QByteArrayView(bytes).sliced(at, TStyleObject::RecordBytes)));
}

QString TSavedStyles::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/styles.dat");
}

QStringList TSavedStyles::SortedNames() const
{
    QStringList names;
    for (const TStyleObject &style : m_styles)
        names.append(style.Name());
    names.sort(Qt::CaseInsensitive);
    return names;
}

const TStyleObject *TSavedStyles::Find(const QString &name) const
{
    for (const TStyleObject &style : m_styles)
        if (style.Name().compare(name, Qt::CaseInsensitive) == 0)
            return &style;
    return nullptr;
}

void TSavedStyles::Put(const TStyleObject &style)
{
    Remove(style.Name());
    m_styles.push_back(style);
}

void TSavedStyles::Remove(const QString &name)
{
    std::erase_if(m_styles,
                  [&name](const TStyleObject &style) { return style.Name().compare(name, Qt::CaseInsensitive) == 0; });
}

TSavedStyles::TWriteResult TSavedStyles::Write() const
{
    TWriteResult result;
    if (QFileInfo::exists(m_path)) {
        const QString backup = m_path + QStringLiteral(".bak");
        QFile::remove(backup);
        result.backedUp = QFile::copy(m_path, backup);
    }
    QByteArray bytes;
    for (const TStyleObject &style : m_styles)
        bytes += style.ToRecord();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    result.written = WriteWholeFile(m_path, bytes).ok();
    return result;
}
