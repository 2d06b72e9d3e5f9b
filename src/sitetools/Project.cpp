// SPDX-License-Identifier: GPL-3.0-or-later
#include "Project.h"

#include "HTMLExtensions.h"
#include "MessageService.h"
#include "ProjectFile.h"

#include <algorithm>

namespace {

const QString Untitled = QStringLiteral("[Untitled]");

bool LessWithoutCase(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

QString TProject::Name() const
{
    return m_path.isEmpty() ? Untitled : ProjectName(m_path);
}

QString TProject::Caption() const
{
    return QStringLiteral("Projects - ") + Name();
}

void TProject::Load(const QString &path)
{
    m_path = path;
    m_files = ReadProjectFile(path, true).value_or(QStringList());
    m_sorted = true;
    m_modified = false;
}

void TProject::Reset(const QString &path)
{
    m_path = path;
    m_files.clear();
    m_sorted = false;
    m_modified = false;
}

void TProject::AddFiles(const QStringList &chosen, const QStringList &htmlExtensions)
{
    bool duplicate = false;
    for (const QString &path : chosen) {
        if (m_files.contains(path, Qt::CaseInsensitive)) {
            duplicate = true;
        } else if (IsHTMLDocument(path, htmlExtensions)) {
            if (m_sorted)
                m_files.insert(std::upper_bound(m_files.begin(), m_files.end(), path, LessWithoutCase), path);
            else
                m_files.append(path);
        } else {
            MessageDlg(QStringLiteral("File \"") + path + QStringLiteral("\" isn't a recognized HTML document.") +
                           QStringLiteral("  To add new HTML document types to Velicort, go to") +
                           QStringLiteral(" settings and switch to the page labeled \"Files.\""),
                       TMsgKind::Information);
        }
    }
    if (duplicate)
        MessageDlg(QStringLiteral("One or more files already exist in this project and were not added."),
                   TMsgKind::Information);
    m_modified = true;
}

void TProject::RemoveFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        m_files.removeAll(path);
    m_modified = true;
}

bool TProject::SavePrompt()
{
    if (!m_modified)
        return true;
    if (MessageDlg(QStringLiteral("Save changes?"), TMsgKind::Confirmation, TMsgButtons::YesNo) != TMsgResult::Yes) {
        m_modified = false;
        return true;
    }
    if (m_files.isEmpty()) {
        MessageDlg(QStringLiteral("This project is empty - there is nothing to save."), TMsgKind::Information);
        m_modified = false;
        return false;
    }
    QString path = m_path;
    if (path.isEmpty()) {
        QString name = Untitled;
        if (!TMessageService::Instance().InputQuery(QStringLiteral("Save Project"),
                                                    QStringLiteral("Enter a Project Name"), name) ||
            name.isEmpty())
            return false;
        path = ProjectFilePath(name);
    }
    m_path = path;
    return SaveTo(path);
}

bool TProject::SaveTo(const QString &path)
{
    const bool written = WriteProjectFile(path, m_files);
    m_modified = false;
    return written;
}
