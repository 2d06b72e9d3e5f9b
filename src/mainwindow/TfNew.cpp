// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfNew.h"

#include "MessageService.h"
#include "Shell.h"
#include "Templates.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QString BlankDocument = QStringLiteral("Blank Document");

// The gaps left of the document image and between it and the name.
constexpr int ImageLeft = 2;
constexpr int NameGap = 6;

// Draws a row as the document image and the name beside it.
class TTemplateDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);

        const int size = ImageSize(opt.widget);
        const QRect image(opt.rect.left() + ImageLeft, opt.rect.top() + (opt.rect.height() - size) / 2, size, size);
        const bool selected = opt.state & QStyle::State_Selected;
        style->standardIcon(QStyle::SP_FileIcon, &opt, opt.widget)
            .paint(painter, image, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);

        const QRect text = opt.rect.adjusted(image.right() + 1 + NameGap - opt.rect.left(), 0, 0, 0);
        const QPalette::ColorGroup group = opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize hint = QStyledItemDelegate::sizeHint(option, index);
        return {hint.width(), qMax(hint.height(), ImageSize(option.widget) + 2)};
    }

private:
    static int ImageSize(const QWidget *widget)
    {
        const QStyle *style = widget ? widget->style() : QApplication::style();
        return style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, widget);
    }
};

// Why the name cannot name a template file; empty when it can.
QString TemplateNameError(const QString &name)
{
    if (name.isEmpty())
        return QObject::tr("Please enter a name for the template.");
    // Characters no file name may hold on some system, so that templates
    // can be carried from one to another.
    const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (c < u' ' || forbidden.contains(c))
            return QObject::tr("A template name cannot contain any of these characters:\n%1")
                .arg(QStringLiteral("\\ / : * ? \" < > |"));
    }
    return QString();
}

} // namespace

TfNew::TfNew(const QString &fileFilter, QWidget *parent)
    : QDialog(parent),
      lblPrompt(new QLabel(QStringLiteral(
          "Select from an existing template, or choose \"Blank Document\" to start with an empty page:"))),
      lstTemplates(new QListWidget), btnOK(new QPushButton(tr("OK"))), btnCancel(new QPushButton(tr("Cancel"))),
      btnNewTemplate(new QPushButton(tr("&New Template"))), btnDeleteTemplate(new QPushButton(tr("&Delete Template"))),
      m_fileFilter(fileFilter)
{
    setWindowTitle(QStringLiteral("New HTML Document"));
    lblPrompt->setTextFormat(Qt::PlainText);
    lblPrompt->setWordWrap(true);
    lstTemplates->setItemDelegate(new TTemplateDelegate(lstTemplates));
    btnOK->setDefault(true);

    connect(btnOK, &QPushButton::clicked, this, &TfNew::btnOKClick);
    connect(lstTemplates, &QListWidget::itemDoubleClicked, this, &TfNew::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnNewTemplate, &QPushButton::clicked, this, &TfNew::btnNewTemplateClick);
    connect(btnDeleteTemplate, &QPushButton::clicked, this, &TfNew::btnDeleteTemplateClick);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    buttons->addWidget(btnNewTemplate);
    buttons->addWidget(btnDeleteTemplate);
    auto *body = new QHBoxLayout;
    body->addWidget(lstTemplates, 1);
    body->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt);
    layout->addLayout(body);

    FillList();
    resize(411, 346);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    move(screen->availableGeometry().center() - rect().center());
}

std::optional<QString> TfNew::ChooseTemplate(const QString &fileFilter, QWidget *parent)
{
    TfNew form(fileFilter, parent);
    if (form.exec() != Accepted)
        return std::nullopt;
    return form.SelectedTemplate();
}

void TfNew::FillList(const QString &selectName)
{
    lstTemplates->clear();
    lstTemplates->addItem(BlankDocument);
    lstTemplates->addItems(TemplateNames());
    int row = 0;
    for (int i = 1; i < lstTemplates->count() && !selectName.isEmpty(); ++i) {
        if (lstTemplates->item(i)->text().compare(selectName, Qt::CaseInsensitive) == 0)
            row = i;
    }
    lstTemplates->setCurrentRow(row);
}

std::optional<QString> TfNew::SelectedTemplate() const
{
    const int row = SelectedRow();
    if (row < 0)
        return std::nullopt;
    return row == 0 ? QString() : TemplatePath(lstTemplates->item(row)->text());
}

int TfNew::SelectedRow() const
{
    const QList<QListWidgetItem *> selected = lstTemplates->selectedItems();
    return selected.isEmpty() ? -1 : lstTemplates->row(selected.first());
}

void TfNew::btnOKClick()
{
    if (SelectedRow() >= 0)
        accept();
}

void TfNew::btnNewTemplateClick()
{
    const QString source = TMessageService::Instance().GetOpenFileName(
        QStringLiteral("Select a file to create a template from:"), QString(), m_fileFilter);
    if (source.isEmpty())
        return;
    QString name = QFileInfo(source).completeBaseName();
    if (!TMessageService::Instance().InputQuery(QStringLiteral("Template Name"),
                                                QStringLiteral("Enter a name for this template:"), name))
        return;
    name = name.trimmed();
    if (const QString error = TemplateNameError(name); !error.isEmpty()) {
        MessageDlg(error, TMsgKind::Error);
        return;
    }
    if (const std::error_code error = CreateUserTemplate(source, name)) {
        MessageDlg(QStringLiteral("Error creating template (#%1).").arg(error.value()), TMsgKind::Error);
        return;
    }
    FillList(name);
}

void TfNew::btnDeleteTemplateClick()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (row == 0) {
        MessageDlg(QStringLiteral("The blank document template cannot be deleted."), TMsgKind::Information);
        return;
    }
    const QString name = lstTemplates->item(row)->text();
    if (IsShippedTemplate(name)) {
        MessageDlg(tr("The templates that come with Velicort cannot be deleted."), TMsgKind::Information);
        return;
    }
    // A shipped template of the same name takes the deleted one's place.
    if (DeleteToRecycleBin(TemplatePath(name), true))
        FillList(name);
}
