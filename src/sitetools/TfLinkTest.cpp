// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfLinkTest.h"

#include "Hourglass.h"
#include "LongRun.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TfLinkTestModifyLink.h"
#include "TfLinkTestNumber.h"
#include "TfLinkTestPrint.h"
#include "TfLinkTestRoot.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int IconRole = Qt::UserRole + 1;
// The style that marks a link's occurrences in the source: bold red.
constexpr int HighlightStyle = 16;

// Made once: a thousand rows each change their icon twice in a run.
const QIcon &RowIconImage(int icon)
{
    static const QList<QIcon> icons = [] {
        QList<QIcon> made;
        for (const QStyle::StandardPixmap pixmap :
             {QStyle::SP_FileLinkIcon, QStyle::SP_MessageBoxCritical, QStyle::SP_FileDialogContentsView,
              QStyle::SP_MessageBoxWarning, QStyle::SP_BrowserReload, QStyle::SP_DialogApplyButton})
            made.append(QApplication::style()->standardIcon(pixmap));
        return made;
    }();
    return icons.at(icon);
}

// Rows compare by the text of the column sorted, as the system compares text.
class TLinkItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return QString::localeAwareCompare(text(column), other.text(column)) < 0;
    }
};

int UntestedIcon(TLinkKind kind)
{
    return kind == TLinkKind::HTML ? TfLinkTest::icHTML : TfLinkTest::icImage;
}

} // namespace

// ---------------------------------------------------------------------------

bool VerifyDocumentLinks(const QString &path, QWidget *parent)
{
    const TLinkCheckSettings settings = TLinkCheckSettings::Stored();
    QString root = settings.defaultRoot;
    if (root.isEmpty())
        root = TfLinkTestRoot::Ask(parent);
    if (root.isEmpty())
        return false;
    TfLinkTest verifier(parent);
    verifier.SetRoot(root);
    verifier.SetTimeOut(settings.timeOut);
    verifier.SetPort(settings.port);
    verifier.CheckImages = true;
    if (verifier.LoadDocument(path))
        verifier.exec();
    return verifier.Saved();
}

TfLinkTest::TfLinkTest(QWidget *parent) : QDialog(parent), m_queue(new TLinkCheckQueue(this))
{
    setObjectName(QStringLiteral("TfLinkTest"));
    setWindowTitle(QStringLiteral("Link Verification"));
    setSizeGripEnabled(true);
    const TLinkCheckSettings settings = TLinkCheckSettings::Stored();
    m_queue->Parallel = settings.parallel;
    m_queue->PerServer = settings.perServer;

    tbrLinks = new QToolBar(this);
    tbrLinks->setObjectName(QStringLiteral("tbrLinks"));
    tbrLinks->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(AddCommand("spdVerifyCurrent", QStringLiteral("Verify current link"), QStyle::SP_ArrowRight),
            &QAction::triggered, this, &TfLinkTest::VerifyCurrent);
    connect(AddCommand("spdVerifyAll", QStringLiteral("Verify all links"), QStyle::SP_MediaSeekForward),
            &QAction::triggered, this, &TfLinkTest::VerifyAll);
    connect(AddCommand("spdCancel", QStringLiteral("Cancel verification"), QStyle::SP_BrowserStop), &QAction::triggered,
            this, &TfLinkTest::CancelVerification);
    tbrLinks->addSeparator();
    connect(AddCommand("spdModifyCurrent", QStringLiteral("Modify current link"), QStyle::SP_FileDialogDetailedView),
            &QAction::triggered, this, &TfLinkTest::ModifyCurrent);
    connect(AddCommand("spdSave", QStringLiteral("Save changes"), QStyle::SP_DialogSaveButton), &QAction::triggered,
            this, &TfLinkTest::SaveChanges);
    tbrLinks->addSeparator();
    connect(AddCommand("spdRoot", QStringLiteral("Set root URL for relative links"), QStyle::SP_DirHomeIcon),
            &QAction::triggered, this, &TfLinkTest::ChangeRoot);
    connect(AddCommand("spdTimeout", QStringLiteral("Set timeout"), QStyle::SP_BrowserReload), &QAction::triggered,
            this, &TfLinkTest::ChangeTimeOut);
    connect(AddCommand("spdPort", QStringLiteral("Set port"), QStyle::SP_DriveNetIcon), &QAction::triggered, this,
            &TfLinkTest::ChangePort);
    QAction *showSource =
        AddCommand("spdShowSource", QStringLiteral("Show HTML source"), QStyle::SP_FileDialogInfoView);
    showSource->setCheckable(true);
    connect(showSource, &QAction::toggled, this, &TfLinkTest::ShowSource);
    connect(AddCommand("spdPrint", QStringLiteral("Print"), QStyle::SP_FileIcon), &QAction::triggered, this,
            &TfLinkTest::PrintReport);
    tbrLinks->addSeparator();
    connect(AddCommand("spdClose", QStringLiteral("Close link verifier"), QStyle::SP_DialogCloseButton),
            &QAction::triggered, this, &TfLinkTest::CloseVerifier);

    lvwLinks = new QTreeWidget(this);
    lvwLinks->setObjectName(QStringLiteral("lvwLinks"));
    lvwLinks->setHeaderLabels({QStringLiteral("Link"), QStringLiteral("Full URL"), QStringLiteral("Status")});
    lvwLinks->setRootIsDecorated(false);
    lvwLinks->setUniformRowHeights(true);
    lvwLinks->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwLinks->header()->setSectionsClickable(true);
    lvwLinks->header()->setSortIndicatorShown(false);
    lvwLinks->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvwLinks->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (m_verifying)
            return;
        m_sortDescending = !m_sortDescending;
        lvwLinks->sortItems(column, m_sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    connect(lvwLinks, &QTreeWidget::currentItemChanged, this, &TfLinkTest::RowSelected);
    // A change to the document waits for a verification under way to end.
    const auto modifyWhenIdle = [this] { TLongRun::WhenIdle(this, [this] { ModifyCurrent(); }); };
    connect(lvwLinks, &QTreeWidget::itemDoubleClicked, this, modifyWhenIdle);

    mnuPopupLinks = new QMenu(this);
    QAction *verify = mnuPopupLinks->addAction(QStringLiteral("&Verify Link"));
    verify->setObjectName(QStringLiteral("mnuPL_Verify"));
    QAction *modify = mnuPopupLinks->addAction(QStringLiteral("&Modify Link..."));
    modify->setObjectName(QStringLiteral("mnuPL_Modify"));
    QFont bold = modify->font();
    bold.setBold(true);
    modify->setFont(bold);
    connect(verify, &QAction::triggered, this, &TfLinkTest::VerifyCurrent);
    connect(modify, &QAction::triggered, this, modifyWhenIdle);
    connect(lvwLinks, &QWidget::customContextMenuRequested, this, [this, verify, modify](const QPoint &at) {
        const bool usable = lvwLinks->currentItem() && !m_verifying;
        verify->setEnabled(usable);
        modify->setEnabled(usable);
        mnuPopupLinks->popup(lvwLinks->viewport()->mapToGlobal(at));
    });

    vqSource = new TvqRichHTML(this);
    vqSource->setObjectName(QStringLiteral("vqSource"));
    vqSource->SendScintilla(QsciScintillaBase::SCI_SETREADONLY, 1);
    splSource = new QSplitter(Qt::Vertical, this);
    splSource->setChildrenCollapsible(false);
    splSource->addWidget(lvwLinks);
    splSource->addWidget(vqSource);

    // Its messages are painted by the bar itself: a label's text would lay
    // the window out again for each address verified.
    stbStatus = new QStatusBar(this);
    prgVerify = new QProgressBar(this);
    prgVerify->setRange(0, 100);
    prgVerify->setMaximumWidth(200);
    prgVerify->hide();
    stbStatus->addPermanentWidget(prgVerify);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbrLinks);
    layout->addWidget(splSource, 1);
    layout->addWidget(stbStatus);

    LoadLayout();
    showSource->setChecked(ReadRegBool(LinkVerifyKeys::LinkVerify, QStringLiteral("ShowSource"), true));
    ShowSource(showSource->isChecked());
    SetVerifying(false);
}

QAction *TfLinkTest::AddCommand(const char *name, const QString &caption, int icon)
{
    QAction *action = tbrLinks->addAction(style()->standardIcon(QStyle::StandardPixmap(icon)), caption);
    action->setToolTip(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void TfLinkTest::LoadLayout()
{
    const QString &key = LinkVerifyKeys::LinkVerify;
    QSize size(int(ReadRegInteger(key, QStringLiteral("Width"), 610)),
               int(ReadRegInteger(key, QStringLiteral("Height"), 440)));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        if (size.width() > available.width())
            size.setWidth(available.width() - 12);
        if (size.height() > available.height())
            size.setHeight(available.height() - 12);
    }
    resize(size);
    const int widths[] = {220, 260, 240};
    for (int i = 0; i < 3; ++i)
        lvwLinks->setColumnWidth(i, int(ReadRegInteger(key, QStringLiteral("ColWidth_%1").arg(i), widths[i])));
}

void TfLinkTest::StoreLayout()
{
    const QString &key = LinkVerifyKeys::LinkVerify;
    const TSettingsBatch batch;
    WriteRegValue(key, QStringLiteral("ShowSource"),
                  findChild<QAction *>(QStringLiteral("spdShowSource"))->isChecked());
    WriteRegValue(key, QStringLiteral("Width"), width());
    WriteRegValue(key, QStringLiteral("Height"), height());
    if (vqSource->isVisibleTo(this))
        WriteRegValue(key, QStringLiteral("SplitTop"), splSource->y() + lvwLinks->height());
    for (int i = 0; i < 3; ++i)
        WriteRegValue(key, QStringLiteral("ColWidth_%1").arg(i), lvwLinks->columnWidth(i));
}

void TfLinkTest::SetRoot(const QString &root)
{
    m_root = NormalizeLinkRoot(root);
}

bool TfLinkTest::LoadDocument(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        MessageDlg(QStringLiteral("File ") + path + QStringLiteral(" does not exist."), TMsgKind::Warning);
        return false;
    }
    m_path = path;
    vqSource->ReadFontSettings(RegistryKeys::ColorCoding);
    vqSource->SetTabWidth(20);
    vqSource->SendScintilla(QsciScintillaBase::SCI_SETREADONLY, 0);
    vqSource->SetFilename(path);
    vqSource->SendScintilla(QsciScintillaBase::SCI_SETREADONLY, 1);
    vqSource->SetModified(false);
    vqSource->SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, HighlightStyle, 0x0000FF);
    vqSource->SendScintilla(QsciScintillaBase::SCI_STYLESETBOLD, HighlightStyle, 1);
    vqSource->SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, HighlightStyle,
                            vqSource->FontName().left(31).toUtf8().constData());
    vqSource->SendScintilla(QsciScintillaBase::SCI_STYLESETSIZE, HighlightStyle, vqSource->FontSize());
    const std::optional<QList<TFoundLink>> links = CollectDocumentLinks(path, CheckImages);
    FillList(links.value_or(QList<TFoundLink>()));
    setWindowTitle(QStringLiteral("Link Verification - [") + path + u']');
    return true;
}

void TfLinkTest::FillList(const QList<TFoundLink> &links)
{
    THourglass hourglass;
    lvwLinks->setUpdatesEnabled(false);
    lvwLinks->clear();
    QList<QTreeWidgetItem *> items;
    for (const TFoundLink &link : links) {
        auto *item = new TLinkItem;
        item->setText(colLink, link.link);
        item->setText(colFullURL, ResolveLinkURL(link.link, m_path, m_root));
        item->setText(colStatus, QStringLiteral("Untested"));
        item->setData(0, KindRole, int(link.kind));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        SetRowIcon(item, UntestedIcon(link.kind));
        items.append(item);
    }
    lvwLinks->addTopLevelItems(items);
    lvwLinks->setUpdatesEnabled(true);
    if (!items.isEmpty())
        lvwLinks->setCurrentItem(items.first());
}

int TfLinkTest::RowIcon(const QTreeWidgetItem *item)
{
    return item->data(0, IconRole).toInt();
}

TLinkKind TfLinkTest::RowKind(const QTreeWidgetItem *item)
{
    return TLinkKind(item->data(0, KindRole).toInt());
}

void TfLinkTest::SetRowIcon(QTreeWidgetItem *item, int icon)
{
    item->setData(0, IconRole, icon);
    item->setIcon(0, RowIconImage(icon));
}

void TfLinkTest::ResetRows()
{
    for (int i = 0; i < lvwLinks->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = lvwLinks->topLevelItem(i);
        SetRowIcon(item, UntestedIcon(RowKind(item)));
        item->setText(colStatus, QStringLiteral("Untested"));
    }
    if (lvwLinks->topLevelItemCount() > 0)
        lvwLinks->setCurrentItem(lvwLinks->topLevelItem(0));
}

void TfLinkTest::ResolveRows()
{
    for (int i = 0; i < lvwLinks->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = lvwLinks->topLevelItem(i);
        item->setText(colFullURL, ResolveLinkURL(item->text(colLink), m_path, m_root));
    }
}

void TfLinkTest::ShowResult(QTreeWidgetItem *item, const TLinkStatus &status)
{
    static const int icons[] = {icVerified, icFailed, icTimedOut};
    SetRowIcon(item, icons[int(status.result)]);
    item->setText(colStatus, LinkStatusText(status, item->text(colFullURL)));
}

// ---------------------------------------------------------------------------
// Verifying

void TfLinkTest::SetVerifying(bool on)
{
    m_verifying = on;
    for (const char *name : {"spdVerifyCurrent", "spdVerifyAll", "spdModifyCurrent", "spdRoot", "spdTimeout", "spdPort",
                             "spdClose", "spdPrint"})
        findChild<QAction *>(QLatin1String(name))->setEnabled(!on);
    findChild<QAction *>(QStringLiteral("spdCancel"))->setEnabled(on);
    findChild<QAction *>(QStringLiteral("spdSave"))->setEnabled(!on && m_modified);
    // Marks cannot change during a run.
    for (int i = 0; i < lvwLinks->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = lvwLinks->topLevelItem(i);
        item->setFlags(on ? item->flags() & ~Qt::ItemIsUserCheckable : item->flags() | Qt::ItemIsUserCheckable);
    }
}

void TfLinkTest::Check(const QList<QTreeWidgetItem *> &items)
{
    QStringList urls;
    QList<int> indexes;
    for (QTreeWidgetItem *item : items) {
        indexes.append(int(urls.size()));
        urls.append(item->text(colFullURL));
    }
    // The documents wait for the run to end; the window's own commands are
    // limited to Cancel meanwhile.
    const TLongRun run;
    THourglass hourglass;
    m_cancelled = false;
    SetVerifying(true);
    const int rows = lvwLinks->topLevelItemCount();
    int passed = rows - int(items.size());
    const auto connection = connect(m_queue, &TLinkCheckQueue::Verifying, this, [this](const QString &url) {
        SetStatus(QStringLiteral("Verifying ") + url + QStringLiteral("..."));
    });
    const auto ready =
        connect(m_queue, &TLinkCheckQueue::Ready, this, [this] { SetStatus(QStringLiteral(" Ready.")); });
    m_queue->Run(
        urls, indexes,
        [&](int index) {
            QTreeWidgetItem *item = items.at(index);
            lvwLinks->scrollToItem(item);
            lvwLinks->setCurrentItem(item);
            SetRowIcon(item, icTesting);
            item->setText(colStatus, QStringLiteral("Testing..."));
        },
        [&](int index, const TLinkStatus &status) {
            ShowResult(items.at(index), status);
            ++passed;
            if (prgVerify->isVisible())
                prgVerify->setValue(qMin(100, qRound(100.0 * passed / qMax(1, rows))));
        });
    disconnect(connection);
    disconnect(ready);
    SetVerifying(false);
    prgVerify->hide();
    lvwLinks->setFocus();
}

void TfLinkTest::VerifyCurrent()
{
    QTreeWidgetItem *item = lvwLinks->currentItem();
    if (!item || m_verifying)
        return;
    Check({item});
}

void TfLinkTest::VerifyAll()
{
    if (m_verifying)
        return;
    ResetRows();
    QList<QTreeWidgetItem *> marked;
    for (int i = 0; i < lvwLinks->topLevelItemCount(); ++i)
        if (lvwLinks->topLevelItem(i)->checkState(0) == Qt::Checked)
            marked.append(lvwLinks->topLevelItem(i));
    if (marked.isEmpty()) {
        MessageDlg(QStringLiteral("No links are selected."), TMsgKind::Information);
        return;
    }
    prgVerify->setValue(0);
    prgVerify->show();
    Check(marked);
}

void TfLinkTest::CancelVerification()
{
    if (!m_verifying || m_cancelled)
        return;
    m_cancelled = true;
    SetStatus(QStringLiteral("Cancel request acknowledged..."));
    prgVerify->hide();
    findChild<QAction *>(QStringLiteral("spdClose"))->setEnabled(false);
    QCoreApplication::processEvents();
    m_queue->Cancel();
}

void TfLinkTest::SetStatus(const QString &text)
{
    stbStatus->showMessage(text);
}

QString TfLinkTest::StatusText() const
{
    return stbStatus->currentMessage();
}

int TfLinkTest::ProgressValue() const
{
    return prgVerify->value();
}

bool TfLinkTest::ProgressShown() const
{
    return prgVerify->isVisibleTo(const_cast<TfLinkTest *>(this));
}

// ---------------------------------------------------------------------------
// The source pane

void TfLinkTest::ShowSource(bool shown)
{
    vqSource->setVisible(shown);
    if (shown) {
        PlaceSplitter();
        RowSelected();
    }
    LimitSplitter();
}

// The splitter at SplitTop pixels from the window's top.
void TfLinkTest::PlaceSplitter()
{
    const int top = int(ReadRegInteger(LinkVerifyKeys::LinkVerify, QStringLiteral("SplitTop"), 300)) - splSource->y();
    splSource->setSizes({top, qMax(60, splSource->height() - top)});
}

void TfLinkTest::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The window's layout is known once it shows.
    if (!event->spontaneous() && vqSource->isVisibleTo(this))
        PlaceSplitter();
}

void TfLinkTest::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    LimitSplitter();
}

// The splitter stays between 87 pixels from the window's top and 60 above
// the status bar.
void TfLinkTest::LimitSplitter()
{
    const int listTop = splSource->mapTo(this, QPoint(0, 0)).y();
    lvwLinks->setMinimumHeight(qMax(20, 87 - listTop));
    vqSource->setMinimumHeight(60);
}

void TfLinkTest::ClearHighlights()
{
    for (const auto &[start, length] : std::as_const(m_highlights))
        vqSource->ColorRange(start, start + length);
    m_highlights.clear();
}

void TfLinkTest::RowSelected()
{
    QTreeWidgetItem *item = lvwLinks->currentItem();
    if (!item || !vqSource->isVisibleTo(this))
        return;
    ClearHighlights();
    vqSource->FlushDeferredStyles();
    const QByteArray wanted = vqSource->Encode(u'"' + item->text(colLink) + u'"').toLower();
    const QByteArray text = vqSource->RawText().toLower();
    for (qsizetype at = text.indexOf(wanted); at >= 0 && !wanted.isEmpty(); at = text.indexOf(wanted, at + 1)) {
        vqSource->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(at), long(0));
        vqSource->SendScintilla(QsciScintillaBase::SCI_SETSTYLING, static_cast<unsigned long>(wanted.size()),
                                long(HighlightStyle));
        m_highlights.append({at, wanted.size()});
    }
    if (!m_highlights.isEmpty()) {
        vqSource->SetSel(m_highlights.first().first, m_highlights.first().second);
        vqSource->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
    }
    const qsizetype count = m_highlights.size();
    SetStatus(u'"' + item->text(colLink) + QStringLiteral("\" appears ") + QString::number(count) +
              QStringLiteral(" time") + (count > 1 ? QStringLiteral("s") : QString()) +
              QStringLiteral(" in this document"));
}

// ---------------------------------------------------------------------------
// Changing the document

void TfLinkTest::ModifyCurrent()
{
    QTreeWidgetItem *item = lvwLinks->currentItem();
    if (!item || m_verifying)
        return;
    const QString link = item->text(colLink);
    TfLinkTestModifyLink dialog(m_path, link, item->text(colFullURL), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString changed = dialog.edtChangeTo->text();
    ClearHighlights();
    // The link's quoted occurrences, the ones listed and shown: the same
    // text elsewhere (inside a longer name) is no link.
    // One undo step, which the replace leaves.
    vqSource->SendScintilla(QsciScintillaBase::SCI_SETREADONLY, 0);
    vqSource->ReplaceAll(u'"' + link + u'"', u'"' + changed + u'"', false);
    vqSource->SendScintilla(QsciScintillaBase::SCI_SETREADONLY, 1);
    m_modified = true;
    vqSource->SetModified(true);
    findChild<QAction *>(QStringLiteral("spdSave"))->setEnabled(true);
    item->setText(colLink, changed);
    item->setText(colFullURL, ResolveLinkURL(changed, m_path, m_root));
    SetRowIcon(item, UntestedIcon(RowKind(item)));
    item->setText(colStatus, QStringLiteral("Untested"));
    RowSelected();
}

bool TfLinkTest::SaveChanges()
{
    if (!vqSource->SaveToFile(m_path, false))
        return false;
    findChild<QAction *>(QStringLiteral("spdSave"))->setEnabled(false);
    m_modified = false;
    vqSource->SetModified(false);
    m_saved = true;
    return true;
}

void TfLinkTest::ChangeRoot()
{
    if (m_verifying)
        return;
    const QString root = TfLinkTestRoot::Ask(this);
    if (root.isEmpty())
        return;
    SetRoot(root);
    ResolveRows();
    ResetRows();
}

void TfLinkTest::ChangeTimeOut()
{
    if (const std::optional<int> seconds = TfLinkTestNumber::AskTimeOut(this))
        SetTimeOut(*seconds);
}

void TfLinkTest::ChangePort()
{
    if (const std::optional<int> port = TfLinkTestNumber::AskPort(this))
        SetPort(quint16(*port));
}

void TfLinkTest::PrintReport()
{
    QList<TReportRow> rows;
    for (int i = 0; i < lvwLinks->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = lvwLinks->topLevelItem(i);
        rows.append({item->text(colLink), item->text(colFullURL), item->text(colStatus), RowIcon(item)});
    }
    TfLinkTestPrint dialog(m_path, rows, this);
    dialog.exec();
}

// ---------------------------------------------------------------------------
// Closing

bool TfLinkTest::CloseQuery()
{
    if (m_verifying)
        return false;
    if (!m_modified)
        return true;
    switch (MessageDlg(QStringLiteral("Save changes to ") + m_path + u'?', TMsgKind::Confirmation,
                       TMsgButtons::YesNoCancel)) {
    case TMsgResult::Yes:
        return SaveChanges();
    case TMsgResult::No:
        return true;
    default:
        return false;
    }
}

void TfLinkTest::CloseVerifier()
{
    if (!CloseQuery())
        return;
    StoreLayout();
    accept();
}

void TfLinkTest::closeEvent(QCloseEvent *event)
{
    // Refused while verifying, as the close command is.
    if (m_verifying) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfLinkTest::reject()
{
    // Escape, and the window's close button when no verification runs.
    if (m_verifying) {
        CancelVerification();
        return;
    }
    if (!CloseQuery())
        return;
    StoreLayout();
    QDialog::reject();
}
