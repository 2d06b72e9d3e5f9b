// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqHTMLTab.h"

#include "Hourglass.h"
#include "LongRun.h"
#include "MessageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QPainter>
#include <QStackedLayout>
#include <QTabBar>
#include <QUrl>
#include <QVBoxLayout>

#include <new>
#include <utility>

namespace {

const QString UntitledCaption = QStringLiteral("[Untitled]");

QString TabCaption(const QString &fileName)
{
    return fileName.isEmpty() ? UntitledCaption : QFileInfo(fileName).fileName();
}

} // namespace

// The owner-drawn strip of document tabs. A modified document's tab is wider
// and carries a red square before its caption; the tab data holds whether it
// is modified.
class TvqHTMLTab::TTabStrip : public QTabBar
{
public:
    explicit TTabStrip(TvqHTMLTab *owner) : QTabBar(owner), m_owner(owner)
    {
        m_font = QFont(QStringLiteral("Arial"));
        m_font.setStyleHint(QFont::SansSerif);
        m_font.setPointSize(7);
        setFont(m_font);
        setShape(QTabBar::RoundedSouth);
        setDrawBase(false);
        setExpanding(false);
        setUsesScrollButtons(true);
        setElideMode(Qt::ElideNone);
        setFocusPolicy(Qt::NoFocus);
        setMouseTracking(true);
        setFixedHeight(16);
    }

    bool Modified(int index) const { return tabData(index).toBool(); }

protected:
    QSize tabSizeHint(int index) const override
    {
        const int text = QFontMetrics(m_font).horizontalAdvance(Caption(index));
        return QSize(text + (Modified(index) ? 16 : 4), 15);
    }

    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().button());
        const QColor edge = palette().color(QPalette::Dark);
        painter.setFont(m_font);
        for (int i = 0; i < count(); ++i) {
            const QRect tab = tabRect(i);
            if (!tab.intersects(event->rect()))
                continue;
            const bool selected = i == currentIndex();
            painter.fillRect(tab, selected ? palette().base() : palette().button());
            painter.setPen(edge);
            painter.drawLine(tab.bottomLeft(), tab.bottomRight());
            painter.drawLine(tab.topRight(), tab.bottomRight());
            if (!selected)
                painter.drawLine(tab.topLeft(), tab.topRight());
            int shift = 0;
            if (Modified(i)) {
                // A 6 by 7 pixel square, border included.
                painter.setPen(Qt::black);
                painter.setBrush(Qt::red);
                painter.drawRect(tab.left() + 4, tab.top() + 3, 5, 6);
                painter.setBrush(Qt::NoBrush);
                shift = 12;
            }
            painter.setPen(palette().color(selected ? QPalette::Text : QPalette::ButtonText));
            painter.drawText(QRect(tab.left() + shift, tab.top() + 1, tab.width() - shift, tab.height() - 1),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Caption(i));
        }
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        QTabBar::mouseMoveEvent(event);
        const QPoint at = event->position().toPoint();
        emit m_owner->OnDocumentTabMouseMove(event->modifiers(), at.x(), at.y());
    }

private:
    QString Caption(int index) const { return u' ' + tabText(index) + u' '; }

    TvqHTMLTab *m_owner;
    QFont m_font;
};

TvqHTMLTab::TvqHTMLTab(QWidget *parent) : QFrame(parent), m_stack(new QStackedLayout), m_strip(new TTabStrip(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(m_stack, 1);
    layout->addWidget(m_strip);

    connect(m_strip, &QTabBar::currentChanged, this, &TvqHTMLTab::ActivateTab);
    connect(m_strip, &QTabBar::tabBarClicked, this, [this](int index) {
        // A click on the tab already selected does not change it.
        if (index >= 0 && index == m_strip->currentIndex())
            ActivateTab(index);
    });

    AddDocument(QString(), ccFull, 0);
}

TvqHTMLTab::~TvqHTMLTab()
{
    // The editors go before the list that names them, and quietly.
    for (const TDocument &document : std::exchange(m_documents, {}))
        DestroyEditor(document.editor);
}

void TvqHTMLTab::DestroyEditor(TvqRichHTML *editor)
{
    disconnect(editor, nullptr, this, nullptr);
    delete editor;
}

TvqRichHTML *TvqHTMLTab::ActiveEditor() const
{
    const int index = m_strip->currentIndex();
    return index >= 0 && index < m_documents.size() ? m_documents.at(index).editor : nullptr;
}

QTabBar *TvqHTMLTab::TabStrip() const
{
    return m_strip;
}

int TvqHTMLTab::IndexOf(const TvqRichHTML *editor) const
{
    for (int i = 0; i < m_documents.size(); ++i)
        if (m_documents.at(i).editor == editor)
            return i;
    return -1;
}

TvqRichHTML *TvqHTMLTab::CreateEditor()
{
    auto *editor = new TvqRichHTML(this);
    editor->setFrameStyle(QFrame::NoFrame);
    editor->SetWordWrap(false);
    editor->viewport()->installEventFilter(this);

    connect(editor, &TvqRichHTML::Change, this, [this] {
        if (!m_busy)
            emit OnActiveDocChange();
    });
    connect(editor, &TvqRichHTML::SelectionChange, this, [this] {
        if (!m_busy)
            emit OnActiveDocSelectionChange();
    });
    connect(editor, &TvqRichHTML::ModifyStatusChange, this, [this, editor] {
        RefreshTabs();
        if (!m_busy)
            emit OnActiveDocModifyStatusChange(editor);
    });
    connect(editor, &TvqRichHTML::KeyPress, this, [this, editor](QChar key) { emit OnActiveDocKeyPress(editor, key); });
    connect(editor, &TvqRichHTML::InsertModeChange, this,
            [this, editor](TInsertMode mode) { emit OnActiveDocInsertModeChange(editor, mode); });
    ConnectProgress(editor);
    connect(editor, &TvqRichHTML::DocumentSaved, this, [this, editor] {
        const int index = IndexOf(editor);
        if (index >= 0)
            SetDocumentName(index, editor->Filename());
    });

    editor->SetUseLockWindowUpdate(false);
    if (!m_fontRegistryKey.isEmpty())
        editor->ReadFontSettings(m_fontRegistryKey);
    editor->SetLineNumbers(m_lineNumbers);
    return editor;
}

void TvqHTMLTab::ConnectProgress(TvqRichHTML *editor)
{
    connect(editor, &TvqRichHTML::ProgressChange, this,
            [this, editor](int value) { emit OnActiveDocProgressChange(editor, value); });
}

void TvqHTMLTab::SetDocumentName(int index, const QString &fileName)
{
    m_documents[index].fileName = fileName;
    m_strip->setTabText(index, TabCaption(fileName));
    m_strip->setTabToolTip(index, QDir::toNativeSeparators(fileName));
}

bool TvqHTMLTab::AddDocument(const QString &fileName, TColorCodeMode colorMode, int flags)
{
    THourglass hourglass;
    // A document may be added while another one is set up.
    const bool wasBusy = std::exchange(m_busy, true);
    auto done = qScopeGuard([this, wasBusy] { m_busy = wasBusy; });

    TvqRichHTML *editor = nullptr;
    try {
        editor = CreateEditor();
    } catch (const std::bad_alloc &) {
        MessageDlg(QStringLiteral("Error - unable to create additional Velicort HTML edit control."), TMsgKind::Error);
        return false;
    }

    editor->SetPermanentLock(true);
    editor->SetColorCodeMode(colorMode);
    editor->SetForegroundColor(m_foregroundColor);
    editor->SetBackgroundColor(m_backgroundColor);
    editor->SetPermanentLock(false);

    m_stack->addWidget(editor);
    m_documents.append({QString(), editor});
    m_strip->addTab(QString());
    SetDocumentName(int(m_documents.size()) - 1, fileName);
    editor->SetModified(false);
    emit OnDocumentAdded(editor);

    // An untouched untitled document gives way to the first one opened.
    if (m_documents.size() == 2 && m_documents.first().fileName.isEmpty() && !m_documents.first().editor->Modified()) {
        CloseDocument(0);
        QCoreApplication::processEvents();
    }

    editor->SetWordWrap(flags & afWordWrap);
    editor->SetAutoIndent((flags & afAutoIndent) || m_autoIndent);
    SetTabIndex(int(m_documents.size()) - 1);
    editor->SetTabWidth(m_tabWidth);

    if (!fileName.isEmpty()) {
        editor->SetFilename(fileName);
        // The load lets events run, which may have closed the document.
        if (IndexOf(editor) < 0)
            return false;
        if (editor->Filename().isEmpty())
            SetDocumentName(IndexOf(editor), QString());
    }
    editor->SetUseLockWindowUpdate(m_useLockWindowUpdate);
    return true;
}

bool TvqHTMLTab::AddRestoredDocument(const QString &fileName, const QByteArray &text, const TDetectedEncoding &encoding,
                                     TLineEnds lineEnds, qint64 fileTime, TColorCodeMode colorMode, int flags)
{
    if (!AddDocument(QString(), colorMode, flags))
        return false;
    TvqRichHTML *editor = ActiveEditor();
    editor->RestoreDocument(fileName, text, encoding, lineEnds, fileTime);
    SetDocumentName(IndexOf(editor), fileName);
    return true;
}

void TvqHTMLTab::CloseDocument(int index)
{
    if (index < 0 || index >= m_documents.size()) {
        MessageDlg(QStringLiteral("Error - page does not exist"), TMsgKind::Plain);
        return;
    }
    const bool wasBusy = std::exchange(m_busy, true);
    auto done = qScopeGuard([this, wasBusy] { m_busy = wasBusy; });

    TvqRichHTML *editor = m_documents.at(index).editor;
    if (m_documents.size() == 1) {
        if (!TLongRun::Active()) {
            editor->SetFilename(QString());
            editor->SetModified(false);
            SetDocumentName(0, QString());
            return;
        }
        // A long run may be working in the editor: an empty document takes
        // its place instead of the editor being emptied under the run (it
        // may have given way to the new one already).
        AddDocument(QString(), editor->ColorCodeMode(), 0);
        index = IndexOf(editor);
        if (index < 0)
            return;
    }
    m_documents.removeAt(index);
    m_strip->removeTab(index);
    if (TLongRun::Active()) {
        m_stack->removeWidget(editor);
        disconnect(editor, nullptr, this, nullptr);
        // The run still reports its end, so that its progress display goes.
        ConnectProgress(editor);
        editor->CloseLater();
    } else {
        DestroyEditor(editor);
    }
    QCoreApplication::processEvents();
}

void TvqHTMLTab::CloseActiveDocument()
{
    CloseDocument(TabIndex());
    m_strip->update();
}

int TvqHTMLTab::TabIndex() const
{
    return m_strip->currentIndex();
}

void TvqHTMLTab::SetTabIndex(int index)
{
    if (index == m_strip->currentIndex())
        ActivateTab(index);
    else
        m_strip->setCurrentIndex(index);
}

void TvqHTMLTab::ActivateTab(int index)
{
    if (index < 0 || index >= m_documents.size())
        return;
    TvqRichHTML *editor = m_documents.at(index).editor;
    m_stack->setCurrentWidget(editor);
    if (editor->isVisible() && editor->isEnabled()) {
        editor->setFocus();
        editor->CheckFormatMargins();
    }
    emit OnDocumentTabClick();
    m_strip->update();
    emit OnPageChange();
}

void TvqHTMLTab::RefreshTabs()
{
    for (int i = 0; i < m_documents.size() && i < m_strip->count(); ++i) {
        const bool modified = m_documents.at(i).editor->Modified();
        if (m_strip->Modified(i) != modified) {
            m_strip->setTabData(i, modified);
            // Setting the text lays the tabs out again at their new widths.
            m_strip->setTabText(i, m_strip->tabText(i));
        }
    }
    m_strip->update();
}

void TvqHTMLTab::SetFontRegistryKey(const QString &key)
{
    m_fontRegistryKey = key;
    if (TvqRichHTML *editor = ActiveEditor())
        editor->ReadFontSettings(key);
}

void TvqHTMLTab::SetTabWidth(int points)
{
    THourglass hourglass;
    m_tabWidth = points;
    for (const TDocument &document : std::as_const(m_documents))
        document.editor->SetTabWidth(points);
}

void TvqHTMLTab::SetLineNumbers(bool value)
{
    m_lineNumbers = value;
    for (const TDocument &document : m_documents)
        document.editor->SetLineNumbers(value);
}

void TvqHTMLTab::AddBar(QWidget *bar)
{
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->insertWidget(column->indexOf(m_strip), bar);
}

void TvqHTMLTab::SetAutoIndent(bool value)
{
    m_autoIndent = value;
    for (const TDocument &document : std::as_const(m_documents))
        document.editor->SetAutoIndent(value);
}

void TvqHTMLTab::SetAcceptFiles(bool value)
{
    m_acceptFiles = value;
    setAcceptDrops(value);
}

void TvqHTMLTab::SetDocumentBackgroundColor(TColor color)
{
    m_backgroundColor = color;
    for (const TDocument &document : std::as_const(m_documents))
        document.editor->SetBackgroundColor(color);
}

void TvqHTMLTab::SetDocumentForegroundColor(TColor color)
{
    m_foregroundColor = color;
    for (const TDocument &document : std::as_const(m_documents))
        document.editor->SetForegroundColor(color);
}

void TvqHTMLTab::contextMenuEvent(QContextMenuEvent *event)
{
    // Editors leave their context menu to their owner.
    if (!m_editorPopup || !ActiveEditor() || !ActiveEditor()->geometry().contains(event->pos())) {
        event->ignore();
        return;
    }
    m_editorPopup->exec(event->globalPos());
}

// ---------------------------------------------------------------------------
// Drag and drop

QStringList TvqHTMLTab::DroppedFiles(const QDropEvent *event) const
{
    QStringList files;
    if (!m_acceptFiles || !isSignalConnected(QMetaMethod::fromSignal(&TvqHTMLTab::OnDropFiles)))
        return files;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            files.append(QDir::toNativeSeparators(url.toLocalFile()));
    return files;
}

void TvqHTMLTab::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedFiles(event).isEmpty())
        event->acceptProposedAction();
}

void TvqHTMLTab::dragMoveEvent(QDragMoveEvent *event)
{
    if (!DroppedFiles(event).isEmpty())
        event->acceptProposedAction();
}

void TvqHTMLTab::dropEvent(QDropEvent *event)
{
    const QStringList files = DroppedFiles(event);
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    emit OnDropFiles(files);
}

bool TvqHTMLTab::HandleEditorDrag(TvqRichHTML *editor, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!DroppedFiles(drag).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        drag->setAccepted(false);
        emit OnActiveDocDragOver(editor, drag);
        m_dragClaimed = drag->isAccepted();
        return m_dragClaimed;
    }
    case QEvent::DragLeave:
        m_dragClaimed = false;
        return false;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!DroppedFiles(drop).isEmpty()) {
            dropEvent(drop);
            return true;
        }
        if (!m_dragClaimed)
            return false;
        m_dragClaimed = false;
        emit OnActiveDocDragDrop(editor, drop);
        return true;
    }
    default:
        return false;
    }
}

bool TvqHTMLTab::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *viewport = qobject_cast<QWidget *>(watched))
        if (auto *editor = qobject_cast<TvqRichHTML *>(viewport->parentWidget()))
            return HandleEditorDrag(editor, event);
    return QFrame::eventFilter(watched, event);
}
