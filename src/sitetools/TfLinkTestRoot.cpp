// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfLinkTestRoot.h"

#include "LinkCheck.h"
#include "MessageService.h"
#include "SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int HistorySize = 10;

QString HistoryName(int number)
{
    return QStringLiteral("RootURL%1").arg(number);
}
} // namespace

QStringList TfLinkTestRoot::RootHistory()
{
    QStringList history;
    for (int i = 1; i <= HistorySize; ++i) {
        const QString value = ReadRegValue(LinkVerifyKeys::RootHistory, HistoryName(i), QString());
        if (value.isEmpty())
            break;
        history.append(value);
    }
    return history;
}

TfLinkTestRoot::TfLinkTestRoot(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfLinkTestRoot"));
    setWindowTitle(QStringLiteral("Set Root URL"));
    cboRoot = new QComboBox(this);
    cboRoot->setObjectName(QStringLiteral("cboRoot"));
    cboRoot->setEditable(true);
    cboRoot->setInsertPolicy(QComboBox::NoInsert);
    cboRoot->setMinimumWidth(380);
    cboRoot->addItems(RootHistory());
    auto *prompt =
        new QLabel(QStringLiteral("&Enter the root URL or local directory to use for relative paths:"), this);
    prompt->setBuddy(cboRoot);
    chkDefault = new QCheckBox(QStringLiteral("&Default to this root when verifying links"), this);
    chkDefault->setObjectName(QStringLiteral("chkDefault"));
    const QString defaultRoot = ReadRegValue(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::DefaultURL, QString());
    if (!defaultRoot.isEmpty()) {
        cboRoot->setCurrentText(defaultRoot);
        chkDefault->setChecked(true);
    } else if (cboRoot->count() > 0) {
        cboRoot->setCurrentIndex(0);
    }
    cboRoot->lineEdit()->installEventFilter(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(cboRoot);
    layout->addWidget(new QLabel(QStringLiteral("(Note: this won't modify your HTML in any way)"), this));
    layout->addWidget(chkDefault);
    layout->addWidget(buttons);
}

bool TfLinkTestRoot::eventFilter(QObject *watched, QEvent *event)
{
    // After the focus has settled, which selects the text.
    if (event->type() == QEvent::FocusIn && cboRoot->currentText() == QLatin1String("http://"))
        QTimer::singleShot(0, this, [this] { cboRoot->lineEdit()->setCursorPosition(7); });
    return QDialog::eventFilter(watched, event);
}

void TfLinkTestRoot::accept()
{
    const QString text = cboRoot->currentText().toLower();
    if (!IsLinkRoot(text)) {
        MessageDlg(QStringLiteral("Please enter either a valid URL or a local path."), TMsgKind::Warning);
        return;
    }
    const TSettingsBatch batch;
    WriteRegValue(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::DefaultURL, chkDefault->isChecked() ? text : QString());
    QStringList history = RootHistory();
    history.removeAll(text);
    history.prepend(text);
    EraseRegKey(LinkVerifyKeys::RootHistory);
    for (int i = 0; i < history.size() && i < HistorySize; ++i)
        WriteRegValue(LinkVerifyKeys::RootHistory, HistoryName(i + 1), history.at(i));
    QDialog::accept();
}

QString TfLinkTestRoot::Ask(QWidget *parent)
{
    TfLinkTestRoot dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return NormalizeLinkRoot(dialog.cboRoot->currentText());
}
