// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The container of the open documents: one editor per document, stacked so
// that only the active one shows, and a strip of document tabs along the
// bottom edge. It always holds at least one document; closing the last one
// leaves an empty untitled document. It hands the editor settings the main
// window keeps to every editor and passes the editors' events on as its own
// OnActiveDoc... signals.

#include "Colors.h"
#include "TvqRichHTML.h"

#include <QFrame>
#include <QList>
#include <QStringList>

class QDragMoveEvent;
class QDropEvent;
class QMenu;
class QStackedLayout;
class QTabBar;

class TvqHTMLTab : public QFrame
{
    Q_OBJECT

public:
    // Flags of AddDocument.
    enum TAddFlag { afWordWrap = 1, afAutoIndent = 2 };

    explicit TvqHTMLTab(QWidget *parent = nullptr);
    ~TvqHTMLTab() override;

    TvqRichHTML *ActiveEditor() const;
    int DocumentCount() const { return int(m_documents.size()); }
    TvqRichHTML *Editor(int index) const { return m_documents.at(index).editor; }
    // The full file name of a document; empty for an untitled one.
    QString DocumentFileName(int index) const { return m_documents.at(index).fileName; }
    // The tab strip, for finding the tab under the pointer.
    QTabBar *TabStrip() const;

    // Opens a new document, loading FileName when it is not empty, and makes
    // it the active one. An untouched untitled document gives way to it.
    // False when no editor could be made, or when the document was closed by
    // the events its load let run.
    bool AddDocument(const QString &fileName, TColorCodeMode colorMode, int flags);
    // Opens a document that was never saved from the text an editor held
    // (see TvqRichHTML::RestoreDocument), as AddDocument opens an empty one.
    bool AddRestoredDocument(const QString &fileName, const QByteArray &text, const TDetectedEncoding &encoding,
                             TLineEnds lineEnds, qint64 fileTime, TColorCodeMode colorMode, int flags);
    // Closes a document without asking; the last one is emptied instead.
    // During a long run the editor is only taken out, and deleted after the
    // run (TvqRichHTML::CloseLater); the last one then gives way to a new
    // empty document.
    void CloseDocument(int index);
    void CloseActiveDocument();

    int TabIndex() const;
    void SetTabIndex(int index);

    QString FontRegistryKey() const { return m_fontRegistryKey; }
    void SetFontRegistryKey(const QString &key);
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int points);
    bool AutoIndent() const { return m_autoIndent; }
    void SetAutoIndent(bool value);
    bool LineNumbers() const { return m_lineNumbers; }
    void SetLineNumbers(bool value);
    // A bar shown between the documents and the tab strip.
    void AddBar(QWidget *bar);
    bool AcceptFiles() const { return m_acceptFiles; }
    void SetAcceptFiles(bool value);
    TColor DocumentBackgroundColor() const { return m_backgroundColor; }
    void SetDocumentBackgroundColor(TColor color);
    TColor DocumentForegroundColor() const { return m_foregroundColor; }
    void SetDocumentForegroundColor(TColor color);
    // The menu shown when an editor is right-clicked.
    void SetEditorPopup(QMenu *menu) { m_editorPopup = menu; }
    bool UseLockWindowUpdate() const { return m_useLockWindowUpdate; }
    void SetUseLockWindowUpdate(bool value) { m_useLockWindowUpdate = value; }

signals:
    // The first three stay quiet while a document is being added or closed.
    void OnActiveDocChange();
    void OnActiveDocSelectionChange();
    void OnActiveDocModifyStatusChange(TvqRichHTML *sender);
    void OnActiveDocKeyPress(TvqRichHTML *sender, QChar key);
    void OnActiveDocInsertModeChange(TvqRichHTML *sender, TInsertMode mode);
    void OnActiveDocProgressChange(TvqRichHTML *sender, int value);
    // Something other than files is dragged over an editor. A handler that
    // wants it accepts the event; the drop then comes to OnActiveDocDragDrop
    // instead of the editor.
    void OnActiveDocDragOver(TvqRichHTML *sender, QDragMoveEvent *event);
    void OnActiveDocDragDrop(TvqRichHTML *sender, QDropEvent *event);
    void OnDocumentTabClick();
    void OnDocumentTabMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    // Files dropped from the desktop, full paths in drop order; sent only
    // while files are accepted and something listens.
    void OnDropFiles(const QStringList &files);
    // A tab became active.
    void OnPageChange();
    // A document was added; its editor is not yet filled.
    void OnDocumentAdded(TvqRichHTML *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    class TTabStrip;

    struct TDocument
    {
        QString fileName;
        TvqRichHTML *editor;
    };

    TvqRichHTML *CreateEditor();
    void ConnectProgress(TvqRichHTML *editor);
    void DestroyEditor(TvqRichHTML *editor);
    int IndexOf(const TvqRichHTML *editor) const;
    void SetDocumentName(int index, const QString &fileName);
    void ActivateTab(int index);
    // Brings the tab widths and modified marks up to date.
    void RefreshTabs();
    // The dropped paths if the event carries files this container takes.
    QStringList DroppedFiles(const QDropEvent *event) const;
    bool HandleEditorDrag(TvqRichHTML *editor, QEvent *event);

    QList<TDocument> m_documents;
    QStackedLayout *m_stack;
    TTabStrip *m_strip;
    bool m_busy = false;
    bool m_dragClaimed = false; // a handler took the drag under way
    QString m_fontRegistryKey;
    int m_tabWidth = 20;
    bool m_autoIndent = false;
    bool m_lineNumbers = false;
    bool m_acceptFiles = false;
    TColor m_backgroundColor = clWindow;
    TColor m_foregroundColor = clBlack;
    bool m_useLockWindowUpdate = true;
    QMenu *m_editorPopup = nullptr;
};
