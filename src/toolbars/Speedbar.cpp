// SPDX-License-Identifier: GPL-3.0-or-later
#include "Speedbar.h"

#include "ButtonIcons.h"
#include "Paths.h"
#include "SpecialCharacters.h"
#include "SpeedbarTable.h"
#include "TagLists.h"
#include "TvqAppBar.h"
#include "TvqTagButton.h"

#include <QHBoxLayout>

namespace {

// The list files of the tag-list combo boxes.
QString TagListFile(const QString &name)
{
    if (name == QLatin1String("cboTagList"))
        return QStringLiteral("Tags.dat");
    if (name == QLatin1String("cboASPList"))
        return QStringLiteral("ASP.dat");
    if (name == QLatin1String("cboCFusionList"))
        return QStringLiteral("CFusion.dat");
    return QString(); // the saved styles fill their own list
}

QWidget *MakeControl(const TSpeedbarButton &spec)
{
    const QString name = QLatin1String(spec.name);
    switch (spec.kind) {
    case bkTagList: {
        auto *list = new TTagListCombo;
        list->setObjectName(name);
        list->setProperty("caseTags", spec.caseTags);
        if (const QString file = TagListFile(name); !file.isEmpty())
            list->addItems(ReadTagList(DataFilePath(file)));
        return list;
    }
    case bkAppBar: {
        auto *bar = new TvqAppBar;
        bar->setObjectName(name);
        return bar;
    }
    case bkTag:
    case bkAction:
    case bkHandler:
        break;
    }
    auto *button = new TvqTagButton;
    button->setObjectName(name);
    button->setToolTip(QString::fromUtf8(spec.hint));
    button->SetAction(spec.action);
    button->SetTagStart(QString::fromUtf8(spec.start));
    button->SetTagEnd(QString::fromUtf8(spec.end));
    button->SetTag(spec.caseTags ? 0 : 1);
    const QString caption = QString::fromUtf8(spec.caption);
    button->setIcon(ButtonIcon(name, caption.isEmpty() ? QString::fromUtf8(spec.hint).left(2) : caption));
    button->setEnabled(spec.kind != bkHandler);
    return button;
}

} // namespace

void BuildSpeedbarPages(QTabWidget *pages)
{
    for (const TSpeedbarPage &page : SpeedbarPages) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QLatin1String(page.name));
        auto *row = new QHBoxLayout(sheet);
        row->setContentsMargins(2, 1, 2, 1);
        row->setSpacing(0);
        for (const TSpeedbarButton &spec : page.buttons)
            row->addWidget(MakeControl(spec));
        row->addStretch(1);
        pages->addTab(sheet, QLatin1String(page.caption));
    }
}

TSpecialCharBar::TSpecialCharBar(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("pgSpecialChar"));
    setDocumentMode(true);
    const char *names[] = {"tbsSpecialChar", "tbsExtendedLCase", "tbsExtendedUCase"};
    const char *captions[] = {"Special", "Extended (Lower Case)", "Extended (Upper Case)"};
    for (int i = 0; i < 3; ++i) {
        auto *page = new QWidget;
        page->setObjectName(QLatin1String(names[i]));
        page->setMinimumHeight(22);
        addTab(page, QLatin1String(captions[i]));
    }
}

void TSpecialCharBar::showEvent(QShowEvent *event)
{
    CreateButtons();
    QTabWidget::showEvent(event);
}

void TSpecialCharBar::CreateButtons()
{
    if (m_created)
        return;
    m_created = true;
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    int column[3] = {0, 0, 0};
    for (const TSpecialCharacter &character : SpecialCharacters) {
        auto *button = new TvqTagButton(widget(character.page));
        button->setFixedSize(18, 22);
        button->setFont(font);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        const QString shown = QString::fromUtf16(character.shown);
        // An ampersand would be taken for an accelerator.
        button->setText(shown == QLatin1String("&") ? QStringLiteral("&&") : shown);
        button->setToolTip(QLatin1String(character.hint));
        button->SetTagStart(QLatin1String(character.entity));
        button->SetTag(1);
        // Rows of 24 on the first page; the extended pages hold one row.
        const int n = column[character.page]++;
        const int perRow = character.page == 0 ? 24 : 1000;
        button->move(2 + (n % perRow) * 17, (n / perRow) * 21);
        button->show();
        widget(character.page)
            ->setMinimumHeight(std::max(widget(character.page)->minimumHeight(), (n / perRow + 1) * 21 + 1));
        emit ButtonCreated(button);
    }
}
