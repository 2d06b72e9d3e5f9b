// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Properties" window of one file on disk: its name, size and times; for
// an HTML document its title, links and image dependencies; for an image
// what the image library tells of it, and a preview.

#include <QDialog>
#include <QStringList>

#include <optional>

#include "ImageLibrary.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QScrollArea;
class QTabWidget;

enum class TPropertiesKind { Missing, Document, Image, Other };

struct TDocumentProperties
{
    TPropertiesKind kind = TPropertiesKind::Missing;
    QString fileName, size, created, modified; // empty for a missing file
    QString titleLabel;                        // "Title:", "Image:" or empty
    QString title;                             // the title, or the image's description
    QStringList links, dependencies;           // documents only
    std::optional<TImageInfo> image;           // images the library can read
};

// What the window shows for the path; the kind by the file's extension.
TDocumentProperties ReadDocumentProperties(const QString &path, const QStringList &htmlExtensions);

class TfDocProperties : public QDialog
{
    Q_OBJECT

public:
    explicit TfDocProperties(const QString &path, QWidget *parent = nullptr);

    QLineEdit *edFileName, *edTitle, *edSize, *edCreated, *edModified;
    QLabel *lblTitle;
    QTabWidget *tabLists;
    QListWidget *lstLinks, *lstDependencies;
    QWidget *pnlImage;
    QLineEdit *edDimensions, *edBitsPerPixel, *edPlanes, *edColors, *edCompression;
    QScrollArea *sbPreview;
    QLabel *imgPreview;
    QMenu *mnuPopup;
    QAction *mnuCopyURL;

private:
    QListWidget *VisibleList() const;
};

// The properties window for the path, modal.
void ShowDocumentProperties(const QString &path, QWidget *parent);
// Documents and images in the properties window, any other file in the
// desktop's properties sheet.
void ShowFilePropertiesFor(const QString &path, QWidget *parent);
