// SPDX-License-Identifier: GPL-3.0-or-later
#include "TipOfTheDay.h"

#include "FileIO.h"
#include "MessageService.h"
#include "Paths.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "THTMLViewer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTextLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString CurrentTipName = QStringLiteral("CurrentTip");
const QString ShowTipsName = QStringLiteral("ShowTips");

} // namespace

TTipList ReadTips(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {{}, QObject::tr("Unable to locate tip data file.")};
    const QString readError = QObject::tr("Error reading tip data file");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {{}, readError};
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, readError};
    // Blank lines are no tips: a file that ends in a line end, or in empty
    // lines, must not show an empty tip.
    TTipList list;
    for (const QString &line : QString::fromUtf8(data).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            list.tips.append(line);
    }
    return list;
}

QString NextTip(const QString &path)
{
    const TTipList list = ReadTips(path);
    if (!list.error.isEmpty())
        return list.error;
    // The count of a file that shrank since, or a value edited out of range,
    // still leads to a tip of the file.
    const qint64 count = list.tips.size();
    const qint64 shown = ReadRegInteger(RegistryKeys::Velicort, CurrentTipName, 0);
    qint64 n = shown < 0 ? 1 : std::min(shown, count) + 1;
    QString tip;
    if (n >= count) {
        tip = list.tips.value(count - 1);
        n = 0; // the next tip is the first again
    } else {
        tip = list.tips.at(n - 1);
    }
    WriteRegValue(RegistryKeys::Velicort, CurrentTipName, n);
    return tip;
}

QStringList TipPrintLines(const QStringList &tips)
{
    QStringList lines{QStringLiteral(" ")};
    const qsizetype count = std::min<qsizetype>(tips.size(), MaxPrintedTips);
    for (qsizetype i = 0; i < count; ++i)
        lines << QStringLiteral("Tip %1").arg(i + 1) << QStringLiteral("------") << tips.at(i) << QString()
              << QString();
    return lines;
}

bool PrintTipLines(QPrinter &printer, const QStringList &lines)
{
    QFont font(QStringLiteral("Courier"), 10);
    font.setStyleHint(QFont::TypeWriter);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const qreal pageWidth = printer.width();
    const qreal pageHeight = printer.height();
    qreal y = 0;
    for (const QString &line : lines) {
        QTextLayout layout(line, font, &printer);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine())
            row.setLineWidth(pageWidth);
        layout.endLayout();
        // Rows are placed one by one so that a long tip may go on over a
        // page break.
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine row = layout.lineAt(i);
            if (y > 0 && y + row.height() > pageHeight) {
                if (!printer.newPage())
                    return false;
                y = 0;
            }
            row.draw(&painter, QPointF(0, y - row.y()));
            y += row.height();
        }
    }
    return painter.end();
}

TfTip::TfTip(const QString &tipsPath, QWidget *parent)
    : QDialog(parent), lblTip(new QLabel), chkShowTips(new QCheckBox(tr("Show this screen each time Velicort starts"))),
      btnNextTip(new QPushButton(tr("&Next Tip"))), btnWhatsNew(new QPushButton(tr("&What's New..."))),
      btnPrintAll(new QPushButton(tr("&Print All..."))), btnClose(new QPushButton(tr("&Close"))), m_tipsPath(tipsPath)
{
    setWindowTitle(tr("Velicort Tip"));

    auto *heading = new QLabel(tr("Velicort tip..."));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    heading->setFont(headingFont);
    lblTip->setTextFormat(Qt::PlainText);
    lblTip->setWordWrap(true);
    lblTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The tip sits on a page of its own, in the colours of a text field.
    auto *page = new QFrame;
    page->setFrameShape(QFrame::StyledPanel);
    page->setBackgroundRole(QPalette::Base);
    page->setAutoFillBackground(true);
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(heading);
    pageLayout->addWidget(lblTip, 1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {btnNextTip, btnWhatsNew, btnPrintAll})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    btnClose->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(page, 1);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(chkShowTips);
    resize(480, 240);

    connect(btnNextTip, &QPushButton::clicked, this, &TfTip::btnNextTipClick);
    connect(btnWhatsNew, &QPushButton::clicked, this, &TfTip::btnWhatsNewClick);
    connect(btnPrintAll, &QPushButton::clicked, this, &TfTip::btnPrintAllClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    // Saved however the window closes, so that the choice is not lost when
    // it is closed from its frame or with Escape.
    connect(this, &QDialog::finished, this,
            [this] { WriteRegValue(RegistryKeys::Velicort, ShowTipsName, chkShowTips->isChecked()); });

    chkShowTips->setChecked(ReadRegBool(RegistryKeys::Velicort, ShowTipsName, true));
    btnNextTipClick();
}

void TfTip::btnNextTipClick()
{
    lblTip->setText(NextTip(m_tipsPath));
}

void TfTip::btnWhatsNewClick()
{
    QDialog history(this);
    history.setObjectName(QStringLiteral("frmWhatsNew"));
    history.setWindowTitle(tr("What's New"));
    history.resize(560, 420);
    auto *layout = new QVBoxLayout(&history);
    auto *viewer = new THTMLViewer;
    const QString path = DataFilePath(QStringLiteral("History.htm"));
    QByteArray bytes;
    if (ReadWholeFile(path, bytes).ok())
        viewer->LoadStrings(QString::fromUtf8(bytes), QFileInfo(path).absolutePath());
    else
        viewer->setPlainText(tr("The history of Velicort (%1) could not be read.").arg(QDir::toNativeSeparators(path)));
    layout->addWidget(viewer);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, &history, &QDialog::reject);
    layout->addWidget(buttons);
    history.exec();
}

void TfTip::btnPrintAllClick()
{
    const TTipList list = ReadTips(m_tipsPath);
    if (!list.error.isEmpty()) {
        MessageDlg(list.error, TMsgKind::Error);
        return;
    }
    QPrinter printer;
    if (!TMessageService::Instance().ChoosePrinter(printer))
        return;
    if (!PrintTipLines(printer, TipPrintLines(list.tips)))
        MessageDlg(tr("The tips could not be printed."), TMsgKind::Error);
}

void ShowTipOfTheDay(QWidget *parent)
{
    TfTip tip(DataFilePath(QStringLiteral("Tips.dat")), parent);
    tip.exec();
}
