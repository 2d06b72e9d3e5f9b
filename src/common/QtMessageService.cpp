// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageService.h"

#include "TfMessage.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QWidget *DialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

TMsgResult TQtMessageService::ShowMessage(TMsgKind kind, const QString &text, TMsgButtons buttons)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    switch (kind) {
    case TMsgKind::Plain:
        title = QApplication::applicationName();
        break;
    case TMsgKind::Warning:
        icon = QMessageBox::Warning;
        title = QObject::tr("Warning");
        break;
    case TMsgKind::Error:
        icon = QMessageBox::Critical;
        title = QObject::tr("Error");
        break;
    case TMsgKind::Information:
        icon = QMessageBox::Information;
        title = QObject::tr("Information");
        break;
    case TMsgKind::Confirmation:
        icon = QMessageBox::Question;
        title = QObject::tr("Confirm");
        break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    switch (buttons) {
    case TMsgButtons::Ok:
        set = QMessageBox::Ok;
        break;
    case TMsgButtons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case TMsgButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case TMsgButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case TMsgButtons::RetryCancel:
        set = QMessageBox::Retry | QMessageBox::Cancel;
        break;
    case TMsgButtons::OkHelp:
        set = QMessageBox::Ok | QMessageBox::Help;
        break;
    }
    QMessageBox box(icon, title, text, set, DialogParent());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TMsgResult::Yes;
    case QMessageBox::No:
        return TMsgResult::No;
    case QMessageBox::Retry:
        return TMsgResult::Retry;
    case QMessageBox::Ok:
        return TMsgResult::Ok;
    case QMessageBox::Help:
        return TMsgResult::Help;
    default:
        return TMsgResult::Cancel;
    }
}

QString TQtMessageService::GetOpenFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(DialogParent(), caption, folder, filter);
}

QStringList TQtMessageService::GetOpenFileNames(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileNames(DialogParent(), caption, folder, filter);
}

QString TQtMessageService::GetFolderName(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(DialogParent(), caption, folder);
}

QString TQtMessageService::GetSaveFileName(const QString &caption, const QString &fileName, const QString &filter)
{
    return QFileDialog::getSaveFileName(DialogParent(), caption, fileName, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool TQtMessageService::ChoosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool TQtMessageService::ChooseColor(TColor &color, QStringList &customColors)
{
    // The dialog's custom colours are shared by all its instances; set all 16.
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        const QString entry = customColors.value(i);
        const int rgb = entry.isEmpty() ? 0xFFFFFF : HexTextToColor(entry.section(u'=', -1));
        QColorDialog::setCustomColor(i, QColor(QRgb(rgb)));
    }
    QColorDialog dialog(ResolveColor(color), DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    color = ColorFromQColor(dialog.selectedColor());
    customColors.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        customColors.append(QStringLiteral("Color%1=%2")
                                .arg(QChar(u'A' + i), ColorToHexText(ColorFromQColor(QColorDialog::customColor(i)))));
    }
    return true;
}

TMsgResult TQtMessageService::ShowNotice(const QString &caption, const QString &text, bool cancelButton,
                                         bool &dontShowAgain)
{
    TfMessage form(caption, text, cancelButton, dontShowAgain, DialogParent());
    const TMsgResult result = form.Execute();
    dontShowAgain = form.DontShowAgain();
    return result;
}

bool TQtMessageService::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    QInputDialog dialog(DialogParent());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    // Wide enough for its whole title, and of a fixed size, as a question is.
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) + 140);
    // Asking for its size makes the dialog lay itself out.
    dialog.sizeHint();
    if (QLayout *layout = dialog.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}
