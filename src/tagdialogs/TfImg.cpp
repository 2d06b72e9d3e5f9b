// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfImg.h"

#include "ImageFileSize.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TPMultiImage.h"
#include "TagText.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace {

// Whether the image library measures images: read once for the program's run.
bool UseImageLibForSize()
{
    static const bool use = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("UseImageLibForSize"), true);
    return use;
}

bool IsImageByExtension(const QString &file)
{
    static const QStringList Extensions = {QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("jpg"),
                                           QStringLiteral("jpeg"), QStringLiteral("png")};
    return Extensions.contains(QFileInfo(file).suffix().toLower());
}

void SetPlain(QString &tag, const QString &name, const QString &text)
{
    SetTagAttribute(tag, CaseTag(name), text);
}

// Adds " NAME>" at the end of the tag when ticked and it is missing, or
// takes " NAME" out when clear and present.
void SetFlag(QString &tag, const QString &name, bool on)
{
    const QString word = u' ' + name;
    const qsizetype at = tag.toUpper().indexOf(word);
    if (on && at < 0)
        tag.replace(tag.size() - 1, 1, CaseTag(word + u'>'));
    else if (!on && at >= 0)
        tag.remove(at, word.size());
}

} // namespace

TfImg::TfImg(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Image"), parent),
      m_autoFillImageSize(ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoFillImageSize"), true)),
      m_autoFillAltText(ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoFillAltText"), false))
{
    const auto line = [](const char *name) {
        auto *edit = new QLineEdit;
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    const auto number = [this, &line](const char *name) {
        QLineEdit *edit = line(name);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edit));
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);
        return edit;
    };
    const auto browse = [this](QLineEdit *field, const char *name, bool animation) {
        auto *button = new QToolButton;
        button->setObjectName(QLatin1String(name));
        button->setText(QStringLiteral("..."));
        connect(button, &QToolButton::clicked, this, [this, field, animation] { Browse(field, animation); });
        auto *row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(button);
        return row;
    };

    txtSource = line("txtSource");
    txtSource->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    connect(txtSource, &QLineEdit::editingFinished, this, &TfImg::RefreshPreview);
    txtWidth = number("txtWidth");
    txtHeight = number("txtHeight");
    txtBorder = new TvqUpDownEdit(0, 10, 1, QStringLiteral("\\d"), 2);
    txtBorder->setObjectName(QStringLiteral("txtBorder"));
    txtBorder->SetText(QStringLiteral("0"));
    cboAlign = NewImageAlignCombo();
    txtAlt = line("txtAlt");
    txtUseMap = line("txtUseMap");
    chkIsMap = new QCheckBox(QStringLiteral("IS&MAP"));
    chkIsMap->setObjectName(QStringLiteral("chkIsMap"));
    txtHSpace = number("txtHSpace");
    txtVSpace = number("txtVSpace");
    txtLowSrc = line("txtLowSrc");
    txtDynSource = line("txtDynSource");
    cboDynStart = new QComboBox;
    cboDynStart->setObjectName(QStringLiteral("cboDynStart"));
    cboDynStart->setEditable(true);
    cboDynStart->setInsertPolicy(QComboBox::NoInsert);
    cboDynStart->addItems(
        {QStringLiteral("FILEOPEN"), QStringLiteral("MOUSEOVER"), QStringLiteral("FILEOPEN,MOUSEOVER")});
    chkDynControls = new QCheckBox(QStringLiteral("C&ontrols"));
    chkDynControls->setObjectName(QStringLiteral("chkDynControls"));
    txtDynLoop = number("txtDynLoop");
    txtDynLoop->setText(QStringLiteral("1"));
    chkDynInfinite = new QCheckBox(QStringLiteral("In&finite"));
    chkDynInfinite->setObjectName(QStringLiteral("chkDynInfinite"));
    chkDynInfinite->setChecked(true);
    connect(chkDynInfinite, &QCheckBox::toggled, this, &TfImg::UpdateLoopFields);
    txtDynLoopDelay = number("txtDynLoopDelay");
    UpdateLoopFields();

    imgPreview = new TPMultiImage;
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setFixedSize(160, 160);
    imgPreview->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(imgPreview, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu;
        // The document properties window is still to come.
        menu.addAction(QStringLiteral("&Properties"))->setEnabled(false);
        menu.addAction(QStringLiteral("Cancel"));
        menu.exec(imgPreview->mapToGlobal(at));
    });
    RefreshPreview();

    const auto pair = [](QWidget *first, const QString &label, QWidget *second) {
        auto *row = new QHBoxLayout;
        row->addWidget(first);
        row->addSpacing(12);
        auto *caption = new QLabel(label);
        caption->setBuddy(second);
        row->addWidget(caption);
        row->addWidget(second);
        row->addStretch();
        return row;
    };
    // A row of fields whose caption gives the focus to the first of them.
    const auto row = [](QFormLayout *form, const QString &label, QLayout *fields, QWidget *buddy) {
        form->addRow(label, fields);
        static_cast<QLabel *>(form->labelForField(fields))->setBuddy(buddy);
    };
    auto *image = new QGroupBox(QStringLiteral("Image"));
    auto *form = new QFormLayout(image);
    row(form, QStringLiteral("&Source:"), browse(txtSource, "btnSource", false), txtSource);
    row(form, QStringLiteral("&Width:"), pair(txtWidth, QStringLiteral("&Height:"), txtHeight), txtWidth);
    row(form, QStringLiteral("&Border:"), pair(txtBorder, QStringLiteral("&Align:"), cboAlign), txtBorder);
    form->addRow(QStringLiteral("Alt. &Text:"), txtAlt);
    row(form, QStringLiteral("&Use Map:"), pair(txtUseMap, QString(), chkIsMap), txtUseMap);
    row(form, QStringLiteral("HSpa&ce:"), pair(txtHSpace, QStringLiteral("&VSpace:"), txtVSpace), txtHSpace);
    row(form, QStringLiteral("&LowSrc (Netscape):"), browse(txtLowSrc, "btnLowSrc", false), txtLowSrc);

    auto *preview = new QGroupBox(QStringLiteral("Preview"));
    auto *previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(imgPreview);
    previewLayout->addStretch();

    auto *dynamic = new QGroupBox(QStringLiteral("Dynamic Source (video)"));
    auto *dynamicForm = new QFormLayout(dynamic);
    row(dynamicForm, QStringLiteral("&Dyn Source:"), browse(txtDynSource, "btnDynSource", true), txtDynSource);
    row(dynamicForm, QStringLiteral("St&art:"), pair(cboDynStart, QString(), chkDynControls), cboDynStart);
    row(dynamicForm, QStringLiteral("Loo&p:"), pair(txtDynLoop, QString(), chkDynInfinite), txtDynLoop);
    dynamicForm->addRow(QStringLiteral("Loop D&elay:"), txtDynLoopDelay);

    auto *top = new QHBoxLayout;
    top->addWidget(image, 1);
    top->addWidget(preview);
    auto *fields = new QVBoxLayout;
    fields->addLayout(top);
    fields->addWidget(dynamic);
    SetContent(fields);
    QPushButton *clear =
        findChild<QDialogButtonBox *>()->addButton(QStringLiteral("&Clear"), QDialogButtonBox::ResetRole);
    clear->setObjectName(QStringLiteral("btnClear"));
    connect(clear, &QPushButton::clicked, this, &TfImg::btnClearClick);
    txtSource->setFocus();
}

QString TfImg::TagForFile(const TTagDialogContext &context, const QString &file)
{
    TfImg dialog(context, nullptr);
    dialog.SetFile(file);
    return dialog.StartText();
}

QString TfImg::Reference(const QString &file) const
{
    const QFileInfo info(file);
    return MakeRelativeFolder(m_context.documentFolder, info.absolutePath(), m_context.lowerCaseFiles) +
           (m_context.lowerCaseFiles ? info.fileName().toLower() : info.fileName());
}

void TfImg::SetFile(const QString &file)
{
    m_sourceFile = file;
    txtWidth->clear();
    txtHeight->clear();
    if (m_autoFillImageSize && IsImageByExtension(m_sourceFile)) {
        if (const auto size = ImageFileSize(m_sourceFile, UseImageLibForSize())) {
            txtWidth->setText(QString::number(size->width()));
            txtHeight->setText(QString::number(size->height()));
        }
    }
    txtSource->setText(Reference(m_sourceFile));
    RefreshPreview();
}

void TfImg::SetDynamicSource(const QString &file)
{
    m_dynamicSourceFile = file;
    txtDynSource->setText(Reference(m_dynamicSourceFile));
}

void TfImg::RefreshPreview()
{
    const QString source = txtSource->text();
    const QString file = source.isEmpty() ? QString()
                         : m_sourceFile.isEmpty()
                             ? ResolveDocumentPath(QDir(m_context.documentFolder).filePath(QStringLiteral("_")), source)
                             : m_sourceFile;
    if (file.isEmpty() || !QFileInfo(file).isFile() || !imgPreview->SetImageFile(file))
        imgPreview->SetText(QStringLiteral("Preview Unavailable"));
}

void TfImg::UpdateLoopFields()
{
    txtDynLoop->setEnabled(!chkDynInfinite->isChecked());
    txtDynLoopDelay->setEnabled(!chkDynInfinite->isChecked());
}

void TfImg::Browse(QLineEdit *field, bool animation)
{
    const QString filter = animation ? QStringLiteral("Animation Files (*.avi *.AVI);;Web Images (*.jpg *.gif *.png "
                                                      "*.JPG *.GIF *.PNG);;All Files (*)")
                                     : QStringLiteral("Web Images (*.jpg *.gif *.png *.JPG *.GIF *.PNG);;Animation "
                                                      "Files (*.avi *.AVI);;All Files (*)");
    const QString file =
        TMessageService::Instance().GetOpenFileName(QStringLiteral("Select a File"), m_context.documentFolder, filter);
    if (file.isEmpty())
        return;
    if (field == txtSource)
        SetFile(file);
    else if (field == txtDynSource)
        SetDynamicSource(file);
    else
        field->setText(Reference(file));
}

void TfImg::btnClearClick()
{
    for (QLineEdit *field : {txtSource, txtDynSource, txtAlt, txtUseMap, txtWidth, txtHeight})
        field->clear();
    txtBorder->SetText(QStringLiteral("0"));
    cboAlign->setCurrentIndex(-1);
    cboAlign->setEditText(QString());
    chkIsMap->setChecked(false);
    m_sourceFile.clear();
    m_dynamicSourceFile.clear();
    RefreshPreview();
}

void TfImg::ReadFields(const QString &tagText)
{
    const QString upper = tagText.toUpper();
    txtSource->setText(GetTagAttribute(tagText, QStringLiteral("SRC=")));
    m_sourceFile.clear();
    RefreshPreview();
    txtAlt->setText(GetTagAttribute(tagText, QStringLiteral("ALT=")));
    txtUseMap->setText(GetTagAttribute(tagText, QStringLiteral("USEMAP=")));
    chkIsMap->setChecked(upper.contains(QLatin1String("ISMAP")));
    txtWidth->setText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    txtHeight->setText(GetTagAttribute(tagText, QStringLiteral("HEIGHT=")));
    txtBorder->SetText(GetTagAttribute(tagText, QStringLiteral("BORDER=")));
    txtHSpace->setText(GetTagAttribute(tagText, QStringLiteral("HSPACE=")));
    txtVSpace->setText(GetTagAttribute(tagText, QStringLiteral("VSPACE=")));
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    txtLowSrc->setText(GetTagAttribute(tagText, QStringLiteral("LOWSRC=")));
    txtDynSource->setText(GetTagAttribute(tagText, QStringLiteral("DYNSRC=")));
    m_dynamicSourceFile.clear();
    cboDynStart->setEditText(GetTagAttribute(tagText, QStringLiteral("START=")));
    txtDynLoopDelay->setText(GetTagAttribute(tagText, QStringLiteral("LOOPDELAY=")));
    chkDynControls->setChecked(upper.contains(QLatin1String(" CONTROLS")));
    const bool infinite =
        upper.contains(QLatin1String(" LOOP=INFINITE")) || upper.contains(QLatin1String(" LOOP=\"INFINITE\""));
    chkDynInfinite->setChecked(infinite);
    if (!infinite)
        txtDynLoop->setText(GetTagAttribute(tagText, QStringLiteral("LOOP=")));
}

QString TfImg::UseMap() const
{
    const QString map = txtUseMap->text();
    return map.isEmpty() || map.startsWith(u'#') ? map : u'#' + map;
}

QString TfImg::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<IMG>"));
    const QString source = txtSource->text();
    SetQuoted(tag, QStringLiteral("SRC="), m_context.lowerCaseFiles ? source.toLower() : source);
    SetPlain(tag, QStringLiteral("WIDTH="), txtWidth->text());
    SetPlain(tag, QStringLiteral("HEIGHT="), txtHeight->text());
    SetPlain(tag, QStringLiteral("HSPACE="), txtHSpace->text());
    SetPlain(tag, QStringLiteral("VSPACE="), txtVSpace->text());
    SetPlain(tag, QStringLiteral("BORDER="), txtBorder->Text());
    SetQuoted(tag, QStringLiteral("ALIGN="), cboAlign->currentText());
    SetQuoted(tag, QStringLiteral("LOWSRC="), txtLowSrc->text());
    SetQuoted(tag, QStringLiteral("ALT="), txtAlt->text());
    // An empty pair of quotes would remove the attribute, so it is written
    // in place of the tag's ">".
    if (m_autoFillAltText && txtAlt->text().isEmpty())
        tag.replace(tag.size() - 1, 1, u' ' + CaseTag(QStringLiteral("ALT=")) + QStringLiteral("\"\">"));
    SetQuoted(tag, QStringLiteral("USEMAP="), UseMap());
    SetFlag(tag, QStringLiteral("ISMAP"), chkIsMap->isChecked());
    const QString dynamicSource = txtDynSource->text();
    if (!dynamicSource.isEmpty()) {
        SetQuoted(tag, QStringLiteral("DYNSRC="), m_context.lowerCaseFiles ? dynamicSource.toLower() : dynamicSource);
        SetPlain(tag, QStringLiteral("LOOP="),
                 chkDynInfinite->isChecked() ? CaseTag(QStringLiteral("INFINITE")) : txtDynLoop->text());
        SetPlain(tag, QStringLiteral("LOOPDELAY="), txtDynLoopDelay->text());
        SetPlain(tag, QStringLiteral("START="), cboDynStart->currentText());
        SetFlag(tag, QStringLiteral("CONTROLS"), chkDynControls->isChecked());
    }
    return tag;
}

void TfImg::accept()
{
    if (txtSource->text().isEmpty() && txtDynSource->text().isEmpty()) {
        MessageDlg(QStringLiteral("Please select an image."), TMsgKind::Warning);
        txtSource->setFocus();
        return;
    }
    txtUseMap->setText(UseMap());
    TTagDialog::accept();
}
