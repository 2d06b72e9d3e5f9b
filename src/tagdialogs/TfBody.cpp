// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfBody.h"

#include "MessageService.h"
#include "TagText.h"
#include "TvqColorCombo.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QLineEdit *DigitsField(const QString &name)
{
    auto *field = new QLineEdit;
    field->setObjectName(name);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), field));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    return field;
}

} // namespace

TfBody::TfBody(const TTagDialogContext &context, QWidget *parent) : TTagDialog(context, QStringLiteral("Body"), parent)
{
    txtImage = new QLineEdit;
    txtImage->setObjectName(QStringLiteral("txtImage"));
    txtImage->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    connect(txtImage, &QLineEdit::editingFinished, this, &TfBody::RefreshImage);
    auto *browse = new QPushButton(QStringLiteral("&Browse..."));
    browse->setObjectName(QStringLiteral("btnImage"));
    connect(browse, &QPushButton::clicked, this, &TfBody::btnImageClick);
    vqColorBG = NewColorCombo(QStringLiteral("vqColorBG"));
    vqColorText = NewColorCombo(QStringLiteral("vqColorText"));
    vqColorLink = NewColorCombo(QStringLiteral("vqColorLink"));
    vqColorVLink = NewColorCombo(QStringLiteral("vqColorVLink"));
    vqColorALink = NewColorCombo(QStringLiteral("vqColorALink"));
    for (TvqColorCombo *combo : {vqColorBG, vqColorText, vqColorLink, vqColorVLink, vqColorALink})
        connect(combo, &TvqColorCombo::OnColorSelect, this, &TfBody::vqColorColorSelect);
    txtLeftMargin = DigitsField(QStringLiteral("txtLeftMargin"));
    txtTopMargin = DigitsField(QStringLiteral("txtTopMargin"));
    chkFixedBG = new QCheckBox(QStringLiteral("&Fixed Background (watermark)"));
    chkFixedBG->setObjectName(QStringLiteral("chkFixedBG"));

    pnlPreview = new QFrame;
    pnlPreview->setObjectName(QStringLiteral("pnlPreview"));
    pnlPreview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlPreview->setAutoFillBackground(true);
    auto *samples = new QVBoxLayout(pnlPreview);
    const char *sampleTexts[4] = {"Text Color", "Link Color", "Visited Link Color", "Active Link Color"};
    for (int i = 0; i < 4; ++i) {
        lblSample[i] = new QLabel(QLatin1String(sampleTexts[i]));
        samples->addWidget(lblSample[i]);
    }
    imgPreview = new QLabel;
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setFixedSize(96, 96);
    imgPreview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imgPreview->setAlignment(Qt::AlignCenter);

    auto *image = new QHBoxLayout;
    image->addWidget(txtImage, 1);
    image->addWidget(browse);
    auto *colors = new QFormLayout;
    colors->addRow(QStringLiteral("B&ackground:"), vqColorBG);
    colors->addRow(QStringLiteral("&Text:"), vqColorText);
    colors->addRow(QStringLiteral("&Link:"), vqColorLink);
    colors->addRow(QStringLiteral("&Visited link:"), vqColorVLink);
    colors->addRow(QStringLiteral("A&ctive link:"), vqColorALink);
    auto *colorGroup = new QGroupBox(QStringLiteral("Colors"));
    auto *colorRow = new QHBoxLayout(colorGroup);
    colorRow->addLayout(colors);
    colorRow->addWidget(pnlPreview);
    auto *margins = new QFormLayout;
    margins->addRow(QStringLiteral("Left &margin:"), txtLeftMargin);
    margins->addRow(QStringLiteral("T&op margin:"), txtTopMargin);
    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Background &image:")), 0, 0, 1, 2);
    static_cast<QLabel *>(fields->itemAtPosition(0, 0)->widget())->setBuddy(txtImage);
    fields->addLayout(image, 1, 0);
    fields->addWidget(imgPreview, 0, 1, 3, 1, Qt::AlignTop);
    fields->addWidget(colorGroup, 3, 0, 1, 2);
    fields->addLayout(margins, 4, 0);
    fields->addWidget(chkFixedBG, 5, 0, 1, 2);
    SetContent(fields);
    vqColorColorSelect();
    RefreshImage();
}

void TfBody::vqColorColorSelect()
{
    const auto colorOr = [](const TvqColorCombo *combo, QRgb fallback) {
        const QColor color = combo->SelectedColor();
        return color.isValid() ? color : QColor(fallback);
    };
    QPalette background = pnlPreview->palette();
    background.setColor(QPalette::Window, colorOr(vqColorBG, 0xC0C0C0));
    pnlPreview->setPalette(background);
    const std::pair<const TvqColorCombo *, QRgb> samples[4] = {
        {vqColorText, 0x000000}, {vqColorLink, 0x0000FF}, {vqColorVLink, 0x800080}, {vqColorALink, 0xFF0000}};
    for (int i = 0; i < 4; ++i) {
        QPalette text = lblSample[i]->palette();
        text.setColor(QPalette::WindowText, colorOr(samples[i].first, samples[i].second));
        lblSample[i]->setPalette(text);
    }
}

void TfBody::RefreshImage()
{
    const QString path = ResolveDocumentPath(m_context.documentFolder + u'/', txtImage->text());
    QImageReader reader(path);
    const QImage image = txtImage->text().isEmpty() || !QFileInfo::exists(path) ? QImage() : reader.read();
    imgPreview->setPixmap(image.isNull()
                              ? QPixmap()
                              : QPixmap::fromImage(image.scaled(imgPreview->contentsRect().size(), Qt::KeepAspectRatio,
                                                                Qt::SmoothTransformation)));
}

void TfBody::btnImageClick()
{
    const QString file = TMessageService::Instance().GetOpenFileName(
        QStringLiteral("Select an Image"), m_context.documentFolder,
        QStringLiteral("Web Images (*.jpg *.gif *.JPG *.GIF);;All Files (*)"));
    if (file.isEmpty())
        return;
    const QFileInfo info(file);
    txtImage->setText(MakeRelativeFolder(m_context.documentFolder, info.absolutePath(), m_context.lowerCaseFiles) +
                      info.fileName());
    RefreshImage();
}

void TfBody::ReadFields(const QString &tagText)
{
    txtImage->setText(GetTagAttribute(tagText, QStringLiteral("BACKGROUND=")));
    RefreshImage();
    vqColorBG->SetColorText(GetTagAttribute(tagText, QStringLiteral("BGCOLOR=")));
    vqColorText->SetColorText(GetTagAttribute(tagText, QStringLiteral("TEXT=")));
    vqColorLink->SetColorText(GetTagAttribute(tagText, QStringLiteral("LINK=")));
    vqColorVLink->SetColorText(GetTagAttribute(tagText, QStringLiteral("VLINK=")));
    vqColorALink->SetColorText(GetTagAttribute(tagText, QStringLiteral("ALINK=")));
    vqColorColorSelect();
    txtLeftMargin->setText(GetTagAttribute(tagText, QStringLiteral("LEFTMARGIN=")));
    txtTopMargin->setText(GetTagAttribute(tagText, QStringLiteral("TOPMARGIN=")));
    const QString upper = tagText.toUpper();
    chkFixedBG->setChecked(upper.contains(QLatin1String(" BGPROPERTIES=FIXED")) ||
                           upper.contains(QLatin1String(" BGPROPERTIES=\"FIXED\"")));
}

QString TfBody::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<BODY>"));
    SetQuoted(tag, QStringLiteral("BACKGROUND="), txtImage->text());
    SetQuoted(tag, QStringLiteral("BGCOLOR="), vqColorBG->ColorText());
    SetQuoted(tag, QStringLiteral("TEXT="), vqColorText->ColorText());
    SetQuoted(tag, QStringLiteral("LINK="), vqColorLink->ColorText());
    SetQuoted(tag, QStringLiteral("VLINK="), vqColorVLink->ColorText());
    SetQuoted(tag, QStringLiteral("ALINK="), vqColorALink->ColorText());
    SetTagAttribute(tag, CaseTag(QStringLiteral("LEFTMARGIN=")), txtLeftMargin->text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("TOPMARGIN=")), txtTopMargin->text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("BGPROPERTIES=")),
                    chkFixedBG->isChecked() ? u'"' + CaseTag(QStringLiteral("FIXED")) + u'"' : QString());
    return tag;
}

QString TfBody::EndText() const
{
    return EditMode() ? QString() : QStringLiteral("\r\n\r\n\r\n") + CaseTag(QStringLiteral("</BODY>"));
}
