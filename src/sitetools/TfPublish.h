// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Publish window: sends a list of files to a server folder. The user
// sets the destination address, the site root folder on disk that maps to
// it, and the user name, which are remembered under Software\Velicort\Publish;
// the password is kept in memory for the program's run only, and the user's
// netrc file is used when none is given. A progress bar follows the files and
// bytes; the result list shows each file's outcome. While a run goes on the
// window holds back commands that would change the documents (a long run).

#include <QDialog>
#include <QStringList>

#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class TLongRun;
class TUploader;
enum class TPublishOutcome;

// Publishes the files through the Publish window: "No files passed." for
// none; when no destination is set yet, says so before the window opens.
void PublishFiles(QWidget *owner, const QStringList &files);

class TfPublish : public QDialog
{
    Q_OBJECT

public:
    TfPublish(const QStringList &files, QWidget *parent = nullptr);
    ~TfPublish() override;

    // Sends the files to the destination the fields name.
    void Publish();
    TUploader *Uploader() const { return m_uploader; }
    bool Running() const;

    QLineEdit *edtDestination;
    QLineEdit *edtSiteRoot;
    QPushButton *btnBrowse;
    QLineEdit *edtUserName;
    QLineEdit *edtPassword;
    QTreeWidget *lvwResults;
    QProgressBar *prgPublish;
    QLabel *lblStatus;
    QPushButton *btnPublish;
    QPushButton *btnClose; // "Cancel" while a run goes on

    // Closing during a run cancels it; the window stays until it has ended.
    void reject() override;

signals:
    void Finished();

private:
    void FileDone(int index, TPublishOutcome outcome, const QString &error);
    void RunFinished();
    void SetRunning(bool running);
    QString PasswordKey() const;

    QStringList m_files;
    TUploader *m_uploader;
    std::unique_ptr<TLongRun> m_longRun;
    bool m_loginRefused = false;
};
