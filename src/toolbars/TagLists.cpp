// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagLists.h"

#include "FileIO.h"

#include <QKeyEvent>

TTagEntry SplitTagEntry(const QString &entry)
{
    const qsizetype dots = entry.indexOf(QLatin1String(".."));
    if (dots < 0)
        return {entry, QString()};
    return {entry.left(dots), entry.mid(dots + 2)};
}

QStringList ReadTagList(const QString &path)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes).ok())
        return {};
    QStringList entries;
    for (const QString &line : QString::fromUtf8(bytes).split(u'\n')) {
        const QString entry = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (!entry.isEmpty())
            entries.append(entry);
    }
    return entries;
}

TTagListCombo::TTagListCombo(QWidget *parent) : QComboBox(parent)
{
    setMinimumContentsLength(24);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void TTagListCombo::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isLetter() && count() > 0) {
        const QString prefix = u'<' + text.toUpper();
        for (int step = 1; step <= count(); ++step) {
            const int index = (currentIndex() + step) % count();
            if (itemText(index).startsWith(prefix)) {
                setCurrentIndex(index);
                break;
            }
        }
        return;
    }
    QComboBox::keyPressEvent(event);
}
