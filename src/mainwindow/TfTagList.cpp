// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfTagList.h"

#include "Paths.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TagLists.h"
#include "TagText.h"

#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString TagFormKey = RegistryKeys::Velicort + QStringLiteral("\\TagForm");

QListWidget *NewList(const char *name)
{
    auto *list = new QListWidget;
    list->setObjectName(QLatin1String(name));
    list->setSortingEnabled(true);
    return list;
}

} // namespace

TfTagList::TfTagList(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Tag List"));
    lstTags = NewList("lstTags");
    lstAttributes = NewList("lstAttributes");
    connect(lstTags, &QListWidget::itemDoubleClicked, this, &TfTagList::TagDoubleClicked);
    connect(lstAttributes, &QListWidget::itemDoubleClicked, this, &TfTagList::AttributeDoubleClicked);
    auto *pages = new QTabWidget(this);
    pages->addTab(lstTags, QStringLiteral("Tags"));
    pages->addTab(lstAttributes, QStringLiteral("Attributes"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(pages);
    const auto value = [](const char *name, int fallback) {
        return int(ReadRegInteger(TagFormKey, QLatin1String(name), fallback));
    };
    setGeometry(value("Left", 320), value("Top", 240), value("Width", 320), value("Height", 274));
}

TfTagList::~TfTagList()
{
    const QRect place = geometry();
    WriteRegValue(TagFormKey, QStringLiteral("Left"), place.left());
    WriteRegValue(TagFormKey, QStringLiteral("Top"), place.top());
    WriteRegValue(TagFormKey, QStringLiteral("Width"), place.width());
    WriteRegValue(TagFormKey, QStringLiteral("Height"), place.height());
}

void TfTagList::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        lstTags->addItems(ReadTagList(DataFilePath(QStringLiteral("Tags.dat"))));
        lstAttributes->addItems(ReadTagList(DataFilePath(QStringLiteral("Attributes.dat"))));
    }
    QDialog::showEvent(event);
}

void TfTagList::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    emit Closed();
}

void TfTagList::TagDoubleClicked(const QListWidgetItem *item)
{
    const TTagEntry entry = SplitTagEntry(item->text());
    emit InsertTag(CaseTag(entry.start), CaseTag(entry.end));
}

void TfTagList::AttributeDoubleClicked(const QListWidgetItem *item)
{
    emit InsertTag(CaseTag(item->text()), QString());
}
