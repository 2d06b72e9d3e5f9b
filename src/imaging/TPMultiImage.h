// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The image display: an image file stretched into the control with its
// aspect ratio kept and centred, or one line of text instead of a picture.

#include "ImageLibrary.h"

#include <QPixmap>
#include <QWidget>

class TPMultiImage : public QWidget
{
    Q_OBJECT

public:
    explicit TPMultiImage(QWidget *parent = nullptr);

    // Shows the file's picture and no text; false, with nothing shown, when
    // the file is not a readable image.
    bool SetImageFile(const QString &path);
    // Shows the line of text and no picture.
    void SetText(const QString &text);
    QString Text() const { return m_text; }
    bool HasPicture() const { return !m_picture.isNull(); }

    // The colour depth of pictures loaded from now on.
    TLoadOption LoadOption = lAutoMatic;

    // Takes the other control's picture (or its text).
    void CopyFrom(const TPMultiImage &other);
    bool SaveToFile(const QString &path, TSaveOption option = sAutoMatic, TTiffCompression compression = sNONE) const;
    // The picture as shown: scaled into the control's area, the rest filled
    // with the background.
    QPixmap Bitmap() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Draw(QPainter &painter) const;

    QImage m_picture;
    QString m_text;
};
