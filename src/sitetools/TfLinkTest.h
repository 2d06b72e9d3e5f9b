// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link verifier: a window listing every link and image source of one
// document with its full address and status, a read-only view of the
// document's source, and commands to check the links (one or all), change a
// link in the document, save it, print a report and change the root, the
// time-out and the port the checks use.

#include "LinkCheck.h"

#include <QDialog>

class QAction;
class QMenu;
class QProgressBar;
class QSplitter;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TvqRichHTML;

// Asks the root unless a default is stored, shows the verifier for the
// document modally and returns whether the document was saved from it.
bool VerifyDocumentLinks(const QString &path, QWidget *parent);

class TfLinkTest : public QDialog
{
    Q_OBJECT

public:
    // The icons of a row.
    enum TIcon { icHTML = 0, icFailed = 1, icImage = 2, icTimedOut = 3, icTesting = 4, icVerified = 5 };
    enum TColumn { colLink = 0, colFullURL = 1, colStatus = 2 };

    explicit TfLinkTest(QWidget *parent = nullptr);

    void SetRoot(const QString &root);
    QString Root() const { return m_root; }
    void SetTimeOut(int seconds) { m_queue->TimeOut = seconds; }
    int TimeOut() const { return m_queue->TimeOut; }
    void SetPort(quint16 port) { m_queue->Port = port; }
    quint16 Port() const { return m_queue->Port; }
    bool CheckImages = true;
    TLinkCheckQueue *Queue() const { return m_queue; }

    // Loads the file and lists its links; false (with a warning) when the
    // file does not exist.
    bool LoadDocument(const QString &path);
    QString DocumentPath() const { return m_path; }

    void VerifyCurrent();
    void VerifyAll();
    // Only while verifying: the checks under way end, no more start.
    void CancelVerification();
    void ModifyCurrent();
    bool SaveChanges();
    void ChangeRoot();
    void ChangeTimeOut();
    void ChangePort();
    void PrintReport();
    // Closes with OK unless verifying or the user keeps the window for
    // unsaved changes.
    void CloseVerifier();

    bool Verifying() const { return m_verifying; }
    bool Modified() const { return m_modified; }
    // Whether the document was written from here: the caller's result.
    bool Saved() const { return m_saved; }

    QTreeWidget *LinkList() const { return lvwLinks; }
    TvqRichHTML *SourceView() const { return vqSource; }
    QString StatusText() const;
    int ProgressValue() const;
    bool ProgressShown() const;
    static int RowIcon(const QTreeWidgetItem *item);
    static TLinkKind RowKind(const QTreeWidgetItem *item);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QAction *AddCommand(const char *name, const QString &caption, int icon);
    void FillList(const QList<TFoundLink> &links);
    void SetRowIcon(QTreeWidgetItem *item, int icon);
    void ResetRows();
    void ResolveRows();
    void ShowResult(QTreeWidgetItem *item, const TLinkStatus &status);
    // Checks the rows, several at once; the toolbar limited meanwhile.
    void Check(const QList<QTreeWidgetItem *> &items);
    void SetVerifying(bool on);
    void SetStatus(const QString &text);
    void RowSelected();
    void ShowSource(bool shown);
    void ClearHighlights();
    void PlaceSplitter();
    void LimitSplitter();
    bool CloseQuery();
    void StoreLayout();
    void LoadLayout();

    QToolBar *tbrLinks;
    QTreeWidget *lvwLinks;
    TvqRichHTML *vqSource;
    QSplitter *splSource;
    QStatusBar *stbStatus;
    QProgressBar *prgVerify;
    QMenu *mnuPopupLinks;
    TLinkCheckQueue *m_queue;

    QString m_root;
    QString m_path;
    bool m_modified = false;
    bool m_saved = false;
    bool m_verifying = false;
    bool m_cancelled = false;
    bool m_sortDescending = true;
    QList<std::pair<qsizetype, qsizetype>> m_highlights;
};
