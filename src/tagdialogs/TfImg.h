// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The image dialog: source with its size measured from the file, border,
// alignment, spacing, alternative text, image maps, low-resolution source
// and a dynamic (video) source with its playback, beside a preview of the
// picture.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TPMultiImage;
class TvqUpDownEdit;

class TfImg : public TTagDialog
{
    Q_OBJECT

public:
    TfImg(const TTagDialogContext &context, QWidget *parent);

    // The tag a file makes with every other field as it starts: the tag of
    // an image dropped on a document.
    static QString TagForFile(const TTagDialogContext &context, const QString &file);

    // The source from a file: the reference from the document's folder, and
    // the width and height when the settings say to fill them in.
    void SetFile(const QString &file) override;
    // The dynamic source from a file.
    void SetDynamicSource(const QString &file);

    QString StartText() const override;

    void accept() override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QString Reference(const QString &file) const;
    QString UseMap() const;
    void RefreshPreview();
    void UpdateLoopFields();
    void Browse(QLineEdit *field, bool animation);
    void btnClearClick();

    const bool m_autoFillImageSize;
    const bool m_autoFillAltText;
    // The full paths last picked; empty when typed or read from a tag.
    QString m_sourceFile;
    QString m_dynamicSourceFile;
    QLineEdit *txtSource;
    QLineEdit *txtWidth;
    QLineEdit *txtHeight;
    TvqUpDownEdit *txtBorder;
    QComboBox *cboAlign;
    QLineEdit *txtAlt;
    QLineEdit *txtUseMap;
    QCheckBox *chkIsMap;
    QLineEdit *txtHSpace;
    QLineEdit *txtVSpace;
    QLineEdit *txtLowSrc;
    QLineEdit *txtDynSource;
    QComboBox *cboDynStart;
    QCheckBox *chkDynControls;
    QLineEdit *txtDynLoop;
    QCheckBox *chkDynInfinite;
    QLineEdit *txtDynLoopDelay;
    TPMultiImage *imgPreview;
};
