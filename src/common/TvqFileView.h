// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A report list of files: one row per file with its picture, name and the
// columns Type, Size, Description, Created and Modified. Each row keeps the
// file's full path. Large lists are filled by a scan thread that reads the
// files' details off the main thread and hands them over in small batches,
// so the window keeps answering while a big folder fills. Used by the file
// browser pane, the Current Documents dialog and the projects window.

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTreeWidget>

class QLabel;
class TvqFileViewThread;

// The list's columns, in order.
enum TFileColumn { fcName, fcType, fcSize, fcDescription, fcCreated, fcModified, fcColumnCount };

// The pictures of the rows, by file kind.
enum TFileImage { fiDocument, fiImage, fiStyleSheet, fiSound, fiAnimation, fiOther, fiNotFound, fiShortcut };

// What a row shows of a file.
struct TFileDetails
{
    bool exists = false;
    TFileImage image = fiNotFound;
    QString type;
    QString size;
    QString description;
    QString created;
    QString modified;
    QDateTime createdTime;  // for sorting; invalid when unknown
    QDateTime modifiedTime; // for sorting; invalid when unknown
};

// Reads what the list shows of a file: for a missing file "*******", "0" and
// "[file not found]"; for an existing one its picture and, with columns, the
// upper-case extension, the size, the description by kind (an HTML
// document's title, an Internet shortcut's address, "Image", ...) and the
// two times. Safe on any thread.
TFileDetails ReadFileDetails(const QString &path, const QStringList &htmlExtensions, bool columns);
// A file size as the list shows it: kilobytes, rounded, at least 1, and
// "KB", e.g. "12KB".
QString FileSizeText(qint64 size);
// A file time as the list shows it: the month's short name, the day, the year
// and the locale's long time, e.g. "Dec 8 2026 14:05:09"; empty when unknown.
QString FileListTimeText(const QDateTime &time);

// The progress text a scan of count files shows: none up to 30 files; above,
// "Scanning..." first, then "Scanning ... [n%]" rising every few files.
class TScanProgress
{
public:
    explicit TScanProgress(qsizetype count);
    bool Shown() const { return m_shown; }
    // One more file handed over.
    void Advance();
    QString Text() const { return m_text; }

private:
    bool m_shown;
    double m_step = 0;
    double m_progress = 0;
    int m_counter = 10;
    QString m_text;
};

// One file read by a scan.
struct TScannedFile
{
    QString path;
    TFileDetails details;
};

class TvqFileView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TvqFileView(QWidget *parent = nullptr);
    // Stops a running scan first.
    ~TvqFileView() override;

    // The six columns at their standard widths, with headers.
    void SetupColumns();
    // Adds a row for the file, reading its details now; null when the name
    // begins with IgnorePrefix. An empty path stands for an untitled
    // document: "[Untitled]" with blank columns.
    QTreeWidgetItem *AddFile(const QString &path);
    // Reads the row's file again and shows what it has now.
    void UpdateFileItem(QTreeWidgetItem *item);
    // Replaces the rows by these files, in name order without regard to case,
    // filled by a scan thread. A running scan is stopped first.
    void SetFiles(QStringList paths);
    // Asks a running scan to stop after the file it is handing over.
    void StopScan();
    bool ScanRunning() const { return m_thread != nullptr; }
    // A name is being edited in place.
    bool Editing() const { return state() == EditingState; }

    // The full path a row stands for.
    static QString ItemPath(const QTreeWidgetItem *item);
    static void SetItemPath(QTreeWidgetItem *item, const QString &path);
    static TFileImage ItemImage(const QTreeWidgetItem *item);
    // The row of the file, or null.
    QTreeWidgetItem *FindFile(const QString &path) const;
    // The selected rows' paths, in list order.
    QStringList SelectedPaths() const;
    // The row of the current item when it is selected, else -1.
    int SelectedRow() const;
    // Makes the row the current and only selected one and shows it.
    void SelectRow(int row);

    bool ListOnlyFileNames() const { return m_listOnlyFileNames; }
    // Names only: the first column takes the list's width and the others
    // hide. Back to details: the other columns return, at their standard
    // widths when they had none.
    void SetListOnlyFileNames(bool value);
    bool ShowFullPath() const { return m_showFullPath; }
    void SetShowFullPath(bool value) { m_showFullPath = value; }
    // Files whose names begin with this, without regard to case, are not
    // listed.
    QString IgnorePrefix() const { return m_ignorePrefix; }
    void SetIgnorePrefix(const QString &prefix) { m_ignorePrefix = prefix; }
    // The extensions that make a file an HTML document.
    QStringList HTMLExtensions() const { return m_htmlExtensions; }
    void SetHTMLExtensions(const QStringList &extensions) { m_htmlExtensions = extensions; }

    // A column click: flips the direction and sorts by the column.
    void SortByColumn(int column);

signals:
    // A scan ended: its files are all listed, or it was stopped.
    void ScanFinished();
    // A drag of files out of the list ended, dropped or not.
    void DragEnded();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    // Names only: the name column keeps the list's width.
    void resizeEvent(QResizeEvent *event) override;

private:
    bool Ignored(const QString &path) const;
    void FitNameColumn();
    QTreeWidgetItem *NewItem(const QString &path, const TFileDetails &details) const;
    void ShowDetails(QTreeWidgetItem *item, const TFileDetails &details) const;
    void AddScannedFiles(quint64 serial, const QList<TScannedFile> &files);
    // Ends the scan mode: the label goes, the list shows again.
    void FinishScan();
    // Waits for a stopped scan thread and frees it.
    void EndThread();

    QList<QIcon> m_images;
    QStringList m_htmlExtensions;
    QString m_ignorePrefix;
    bool m_listOnlyFileNames = false;
    bool m_showFullPath = false;
    int m_sortDirection = 0;
    int m_sortColumn = -1;                 // none chosen: the names in the order listed
    TvqFileViewThread *m_thread = nullptr; // while a scan runs
    quint64 m_serial = 0;                  // of the scan whose files are wanted
    QLabel *m_scanLabel = nullptr;
    QSet<QString> m_addedDuringScan; // rows added by hand while a scan fills
    TScanProgress m_progress{0};
};
