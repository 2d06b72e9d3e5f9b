// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfDocProperties.h"

#include "DocumentWeight.h"
#include "FileUtils.h"
#include "HTMLExtensions.h"
#include "Hourglass.h"
#include "LinkCheck.h"
#include "Shell.h"
#include "TagText.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLineEdit *ReadOnlyBox()
{
    auto *box = new QLineEdit;
    box->setReadOnly(true);
    return box;
}

// The number of colours; true-colour pictures report none and count as
// 2^24.
QString ColorCount(const TImageInfo &info)
{
    return QString::number(info.colors > 0 ? info.colors : qint64(1) << 24);
}

} // namespace

TDocumentProperties ReadDocumentProperties(const QString &path, const QStringList &htmlExtensions)
{
    TDocumentProperties properties;
    const QFileInfo file(path);
    if (!file.exists())
        return properties;
    properties.fileName = file.fileName();
    properties.size =
        FormatKB(file.size()) + QStringLiteral(" (") + QString::number(file.size()) + QStringLiteral(" bytes)");
    properties.created = FormatFileTime(file.birthTime().isValid() ? file.birthTime() : file.metadataChangeTime());
    properties.modified = FormatFileTime(file.lastModified());
    switch (FileKindOf(path, htmlExtensions)) {
    case TFileKind::Document:
        properties.kind = TPropertiesKind::Document;
        properties.titleLabel = QStringLiteral("Title:");
        properties.title = DocumentTitle(path);
        // An unreadable file has no lists (and says so once, not twice).
        if (properties.title != QLatin1String("Err")) {
            properties.links = CollectQuotedValues(QStringLiteral("HREF=\""), file, true).value_or(QStringList());
            properties.dependencies = CollectImageSources(path).value_or(QStringList());
        }
        break;
    case TFileKind::Image:
        properties.kind = TPropertiesKind::Image;
        properties.titleLabel = QStringLiteral("Image:");
        properties.image = ImageInformation(path);
        properties.title = properties.image ? properties.image->description : QStringLiteral("Error loading image");
        break;
    default:
        properties.kind = TPropertiesKind::Other;
        break;
    }
    return properties;
}

TfDocProperties::TfDocProperties(const QString &path, QWidget *parent)
    : QDialog(parent), edFileName(ReadOnlyBox()), edTitle(ReadOnlyBox()), edSize(ReadOnlyBox()),
      edCreated(ReadOnlyBox()), edModified(ReadOnlyBox()), lblTitle(new QLabel), tabLists(new QTabWidget),
      lstLinks(new QListWidget), lstDependencies(new QListWidget), pnlImage(new QWidget), edDimensions(ReadOnlyBox()),
      edBitsPerPixel(ReadOnlyBox()), edPlanes(ReadOnlyBox()), edColors(ReadOnlyBox()), edCompression(ReadOnlyBox()),
      sbPreview(new QScrollArea), imgPreview(new QLabel), mnuPopup(new QMenu(this)), mnuCopyURL(nullptr)
{
    const THourglass hourglass;
    setWindowTitle(QStringLiteral("Properties"));
    setProperty("helpContext", 21);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("File name:"), edFileName);
    form->addRow(lblTitle, edTitle);
    form->addRow(QStringLiteral("Size:"), edSize);
    form->addRow(QStringLiteral("Created:"), edCreated);
    form->addRow(QStringLiteral("Modified:"), edModified);

    tabLists->addTab(lstLinks, QStringLiteral("Links"));
    tabLists->addTab(lstDependencies, QStringLiteral("Dependencies"));
    mnuCopyURL = mnuPopup->addAction(QStringLiteral("Copy URL"), this, [this] {
        if (QListWidgetItem *item = VisibleList()->currentItem())
            QGuiApplication::clipboard()->setText(item->text());
    });
    for (QListWidget *list : {lstLinks, lstDependencies}) {
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &at) {
            mnuCopyURL->setEnabled(list->currentItem() != nullptr && list->currentItem()->isSelected());
            mnuPopup->popup(list->viewport()->mapToGlobal(at));
        });
    }

    // The preview sits in the middle of its box when smaller, else 4 pixels
    // from its top-left corner.
    imgPreview->setAlignment(Qt::AlignCenter);
    imgPreview->setMargin(4);
    sbPreview->setWidget(imgPreview);
    sbPreview->setWidgetResizable(true);
    sbPreview->setMinimumSize(240, 180);
    auto *imageForm = new QFormLayout;
    imageForm->addRow(QStringLiteral("Dimensions:"), edDimensions);
    imageForm->addRow(QStringLiteral("Bits per Pixel:"), edBitsPerPixel);
    imageForm->addRow(QStringLiteral("Planes:"), edPlanes);
    imageForm->addRow(QStringLiteral("Colors:"), edColors);
    imageForm->addRow(QStringLiteral("Compression:"), edCompression);
    auto *imageLayout = new QHBoxLayout(pnlImage);
    imageLayout->setContentsMargins(0, 0, 0, 0);
    imageLayout->addLayout(imageForm);
    imageLayout->addWidget(sbPreview, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(tabLists, 1);
    layout->addWidget(pnlImage, 1);
    layout->addWidget(buttons);
    resize(560, 440);

    const TDocumentProperties properties = ReadDocumentProperties(path, LoadHTMLExtensions());
    edFileName->setText(properties.fileName);
    edSize->setText(properties.size);
    edCreated->setText(properties.created);
    edModified->setText(properties.modified);
    lblTitle->setText(properties.titleLabel);
    edTitle->setText(properties.title);
    lstLinks->addItems(properties.links);
    lstDependencies->addItems(properties.dependencies);
    tabLists->setVisible(properties.kind == TPropertiesKind::Document);
    pnlImage->setVisible(properties.kind == TPropertiesKind::Image);
    if (const std::optional<TImageInfo> &info = properties.image) {
        edDimensions->setText(QString::number(info->width) + QStringLiteral(" x ") + QString::number(info->height));
        edBitsPerPixel->setText(QString::number(info->bitsPerPixel));
        edPlanes->setText(QString::number(info->planes));
        edColors->setText(ColorCount(*info));
        edCompression->setText(info->compression);
    }
    const QImage picture = properties.image ? LoadImage(path) : QImage();
    if (picture.isNull())
        imgPreview->setText(QStringLiteral("Preview Unavailable"));
    else
        imgPreview->setPixmap(QPixmap::fromImage(picture));
}

QListWidget *TfDocProperties::VisibleList() const
{
    return tabLists->currentWidget() == lstLinks ? lstLinks : lstDependencies;
}

void ShowDocumentProperties(const QString &path, QWidget *parent)
{
    TfDocProperties window(path, parent);
    window.exec();
}

void ShowFilePropertiesFor(const QString &path, QWidget *parent)
{
    switch (FileKindOf(path, LoadHTMLExtensions())) {
    case TFileKind::Document:
    case TFileKind::Image:
        ShowDocumentProperties(path, parent);
        break;
    default:
        ShowFileProperties(path);
        break;
    }
}
