// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfThumbnail.h"

#include "MessageService.h"
#include "TfDocProperties.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidth = 80;
constexpr int PictureRowHeight = 60;
constexpr int NameRowHeight = 20;

// Draws a picture cell: the picture of the name in the cell below, 3 pixels
// from the left and 2 from the top.
class TPictureDelegate : public QStyledItemDelegate
{
public:
    TPictureDelegate(std::function<QPixmap(int row, int column)> picture, QObject *parent)
        : QStyledItemDelegate(parent), m_picture(std::move(picture))
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.row() % 2 == 1) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QPixmap picture = m_picture(index.row(), index.column());
        if (!picture.isNull())
            painter->drawPixmap(option.rect.topLeft() + QPoint(3, 2), picture);
    }

private:
    std::function<QPixmap(int, int)> m_picture;
};

} // namespace

TfThumbnail::TfThumbnail(const QString &folder, const QString &indexFile, const QString &previewsDir, QWidget *parent)
    : QDialog(parent, Qt::Tool), Thumbs(new QTableWidget(this)),
      lblScanning(new QLabel(QStringLiteral("Scanning Images..."))), prgScanning(new QProgressBar),
      btnClose(new QPushButton(QStringLiteral("&Close"))), mnuPopup(new QMenu(this)), mnuInsertTag(nullptr),
      mnuProperties(nullptr), m_folder(QDir(folder).absolutePath() + u'/'), m_previewsDir(previewsDir),
      m_index(indexFile)
{
    Thumbs->setObjectName(QStringLiteral("Thumbs"));
    Thumbs->setColumnCount(ThumbnailColumns);
    Thumbs->horizontalHeader()->hide();
    Thumbs->verticalHeader()->hide();
    Thumbs->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    Thumbs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Thumbs->setSelectionMode(QAbstractItemView::SingleSelection);
    Thumbs->setMouseTracking(true);
    Thumbs->setItemDelegate(new TPictureDelegate(
        [this](int row, int column) {
            const QTableWidgetItem *name = Thumbs->item(row + 1, column);
            const int picture = name ? m_pictureOf.value(name->text(), -1) : -1;
            return picture >= 0 ? m_pictures.at(picture) : QPixmap();
        },
        this));
    Thumbs->setFixedWidth(ThumbnailColumns * ColumnWidth + Thumbs->frameWidth() * 2 +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    connect(Thumbs, &QTableWidget::cellEntered, this, &TfThumbnail::SetCurrentCell);
    connect(Thumbs, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { SetCurrentCell(row, column); });

    mnuInsertTag = mnuPopup->addAction(QStringLiteral("Insert <IMG> Tag"), this, [this] {
        if (OnInsertImage)
            OnInsertImage(m_currentFile);
    });
    mnuProperties = mnuPopup->addAction(QStringLiteral("&Properties"), this,
                                        [this] { ShowFilePropertiesFor(m_currentFile, this); });
    Thumbs->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Thumbs, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex cell = Thumbs->indexAt(at);
        if (cell.isValid())
            SetCurrentCell(cell.row(), cell.column());
        const bool exists = QFileInfo(m_currentFile).isFile();
        mnuInsertTag->setEnabled(exists);
        mnuProperties->setEnabled(exists);
        mnuPopup->popup(Thumbs->viewport()->mapToGlobal(at));
    });

    connect(btnClose, &QPushButton::clicked, this, &TfThumbnail::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblScanning);
    bottom->addWidget(prgScanning, 1);
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Thumbs, 1);
    layout->addLayout(bottom);
    resize(sizeHint().width(), 520);
}

TfThumbnail::~TfThumbnail()
{
    m_maker.reset();
    m_index.Save();
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
}

void TfThumbnail::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started)
        QTimer::singleShot(0, this, &TfThumbnail::Load);
}

void TfThumbnail::reject()
{
    m_cancelled = true;
    if (m_maker) {
        // What was made goes into the grid and the index; the rest is not
        // begun.
        m_maker->Stop();
        QCoreApplication::sendPostedEvents(m_maker.get(), QEvent::MetaCall);
    }
    QDialog::reject();
}

void TfThumbnail::Load()
{
    if (m_started)
        return;
    m_started = true;
    const QStringList images = ThumbnailImages(m_folder);
    const int rows = ThumbnailGridRows(int(images.size()));
    Thumbs->setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        Thumbs->setRowHeight(row, row % 2 == 0 ? PictureRowHeight : NameRowHeight);
    prgScanning->setRange(0, int(images.size()));
    prgScanning->setValue(0);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    m_busyCursor = true;

    // The thumbnails in the index first, letting events through now and
    // then so that Close is heard.
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (const QString &image : images) {
        if (m_cancelled)
            break;
        if (m_pathOf.contains(QFileInfo(image).fileName().toLower()))
            continue;
        const QString thumbnail = m_index.Lookup(image);
        const QImage picture = thumbnail.isEmpty() ? QImage() : QImage(thumbnail);
        if (!picture.isNull() && !AddName(image, picture))
            break;
        if (sinceEvents.elapsed() > 50) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }

    if (m_cancelled) {
        Finish();
        return;
    }
    // Then the rest, made by the maker, each taken out of the index until
    // it is made again.
    QStringList rest;
    QSet<QString> names(m_pathOf.keyBegin(), m_pathOf.keyEnd());
    for (const QString &image : images) {
        const QString name = QFileInfo(image).fileName().toLower();
        if (names.contains(name))
            continue;
        names.insert(name);
        m_index.Remove(image);
        rest.append(image);
    }
    prgScanning->setValue(int(images.size() - rest.size()));
    if (rest.isEmpty()) {
        Finish();
        return;
    }
    m_made = int(rest.size());
    m_maker = std::make_unique<TThumbnailMaker>(rest, m_previewsDir);
    connect(m_maker.get(), &TThumbnailMaker::Made, this, &TfThumbnail::Made);
    connect(m_maker.get(), &TThumbnailMaker::Finished, this, &TfThumbnail::Finish);
    m_maker->Start();
}

void TfThumbnail::Made(int, const QString &imagePath, const QString &thumbnailPath, const QImage &picture)
{
    AddName(imagePath, picture);
    if (!thumbnailPath.isEmpty())
        m_index.Add(imagePath, thumbnailPath);
    prgScanning->setValue(prgScanning->value() + 1);
}

void TfThumbnail::Finish()
{
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
    m_busyCursor = false;
    m_index.Save();
    if (m_maker) {
        // The maker's thread has ended; it goes once this call returns.
        m_maker.release()->deleteLater();
    }
    lblScanning->hide();
    prgScanning->hide();
    prgScanning->reset();
    btnClose->setFocus();
    emit Loaded();
}

bool TfThumbnail::AddName(const QString &imagePath, const QImage &picture)
{
    const QString name = QFileInfo(imagePath).fileName().toLower();
    const int row = m_nameCells / ThumbnailColumns * 2 + 1;
    const int column = m_nameCells % ThumbnailColumns;
    if (row >= Thumbs->rowCount())
        return false;
    ++m_nameCells;
    m_pathOf.insert(name, imagePath);
    Thumbs->setItem(row, column, new QTableWidgetItem(name));
    if (!picture.isNull()) {
        m_pictureOf.insert(name, int(m_pictures.size()));
        m_pictures.append(QPixmap::fromImage(picture));
    }
    Thumbs->viewport()->update(Thumbs->visualRect(Thumbs->model()->index(row - 1, column)));
    return true;
}

void TfThumbnail::SetCurrentCell(int row, int column)
{
    const QTableWidgetItem *name = Thumbs->item(row % 2 == 0 ? row + 1 : row, column);
    m_currentFile = name ? m_pathOf.value(name->text().trimmed()) : QString();
}

QStringList TfThumbnail::Names() const
{
    QStringList names;
    for (int i = 0; i < m_nameCells; ++i)
        names.append(Thumbs->item(i / ThumbnailColumns * 2 + 1, i % ThumbnailColumns)->text());
    return names;
}

bool TThumbPreviewNB::Execute(QWidget *parent)
{
    const auto fail = [](const QString &text) {
        MessageDlg(text, TMsgKind::Error);
        return false;
    };
    if (DataFileName.isEmpty())
        return fail(QStringLiteral("No DataFileName!"));
    if (DataFileDir.isEmpty())
        return fail(QStringLiteral("No Directory for DataFile!"));
    if (PreviewsDir.isEmpty())
        return fail(QStringLiteral("No Directory for Previews!"));
    QDir().mkpath(DataFileDir);
    TfThumbnail viewer(InitialDir, QDir(DataFileDir).filePath(DataFileName), PreviewsDir, parent);
    viewer.setWindowTitle(Title);
    viewer.OnInsertImage = OnInsertImage;
    const bool ok = viewer.exec() == QDialog::Accepted;
    FileName = viewer.CurrentFile();
    return ok;
}
