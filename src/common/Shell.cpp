// SPDX-License-Identifier: GPL-3.0-or-later
#include "Shell.h"

#include "FileUtils.h"
#include "MessageService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include <fcntl.h>
#include <unistd.h>

namespace {

// True when the text begins with a URL scheme; one letter is a drive.
bool HasScheme(const QString &text)
{
    return QUrl(text).scheme().size() > 1;
}

// Whether this process may read the file or folder: opening it asks the file
// system itself, as the program that opens it will.
bool CanOpenForReading(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// Opens the file or address and returns ShellOpened or the error code. The
// other codes of the Windows form never arise here: 0 (not enough memory to
// start the program) and 27 (an incomplete association) are not told apart
// from other failures by the desktop, which reports them all as 31, and 26
// (a sharing violation) because files are not locked against reading.
int OpenWithDesktop(const QString &path)
{
    const QUrl url = HasScheme(path) ? QUrl(path) : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (path.isEmpty() || url.isLocalFile()) {
        const QString file = url.toLocalFile();
        if (!QFileInfo::exists(file))
            return ShellFileNotFound;
        if (!CanOpenForReading(file))
            return ShellAccessDenied;
    }
    return QDesktopServices::openUrl(url) ? ShellOpened : ShellNoAssociation;
}

QString ShellErrorText(int code)
{
    switch (code) {
    case ShellFileNotFound:
        return QObject::tr("File not found");
    case ShellAccessDenied:
        return QObject::tr("Access denied.");
    default:
        return QObject::tr("No association exists for this type of file.  To create an association, open the "
                           "system's file manager, open this file's properties, and select the program used to open "
                           "this type of file.");
    }
}

QString DisplayName(const QFileInfo &info)
{
    // The root of a drive has no name of its own.
    return info.fileName().isEmpty() ? QDir::toNativeSeparators(info.absoluteFilePath()) : info.fileName();
}

QString YesNo(bool value)
{
    return value ? QObject::tr("Yes") : QObject::tr("No");
}

// Qt moves the file into "files" under the current folder when it cannot
// make the home trash, so the home trash is made first; false when it cannot
// be.
bool MakeHomeTrash()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return false;
    const QString trash = QDir(data).filePath(QStringLiteral("Trash"));
    return QFileInfo(trash).isDir() ||
           (QDir().mkpath(data) && QDir().mkdir(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

int ShellOpenFile(const QString &path)
{
    const int code = OpenWithDesktop(path);
    if (code != ShellOpened)
        MessageDlg(ShellErrorText(code), TMsgKind::Error, TMsgButtons::Ok);
    return code;
}

bool RunProgram(const QString &program, const QStringList &arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

QList<TFileProperty> FileProperties(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QList<TFileProperty> rows = {
        {QObject::tr("Name:"), DisplayName(info)},
        {QObject::tr("Type:"), info.isDir() ? QObject::tr("Folder") : QObject::tr("File")},
        {QObject::tr("Location:"), QDir::toNativeSeparators(info.absolutePath())},
    };
    if (info.isFile())
        rows.append({QObject::tr("Size:"), QObject::tr("%1 bytes").arg(QLocale().toString(info.size()))});
    const std::pair<QString, QFileDevice::FileTime> times[] = {
        {QObject::tr("Created:"), QFileDevice::FileBirthTime},
        {QObject::tr("Modified:"), QFileDevice::FileModificationTime},
        {QObject::tr("Accessed:"), QFileDevice::FileAccessTime},
    };
    for (const auto &[label, which] : times) {
        const QDateTime time = info.fileTime(which);
        if (time.isValid())
            rows.append({label, FormatFileTime(time)});
    }
    rows.append({QObject::tr("Read-only:"), YesNo(!info.isWritable())});
    rows.append({QObject::tr("Hidden:"), YesNo(info.isHidden())});
    return rows;
}

QDialog *ShowFileProperties(const QString &path)
{
    const QList<TFileProperty> rows = FileProperties(path);
    if (rows.isEmpty())
        return nullptr;
    auto *dialog = new QDialog(QApplication::activeWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setProperty("helpContext", 21); // F1: the Properties help page
    dialog->setWindowTitle(QObject::tr("%1 Properties").arg(DisplayName(QFileInfo(path))));
    auto *form = new QFormLayout;
    for (const TFileProperty &row : rows) {
        // File names are shown as written, never as markup.
        auto *value = new QLabel(row.value);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(row.label, value);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog->show();
    return dialog;
}

bool DeleteToRecycleBin(const QString &path, bool confirm)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    if (confirm && MessageDlg(QObject::tr("Are you sure you want to send '%1' to the Trash?").arg(info.fileName()),
                              TMsgKind::Confirmation, TMsgButtons::YesNo) != TMsgResult::Yes)
        return false;
    return MakeHomeTrash() && QFile::moveToTrash(path);
}
