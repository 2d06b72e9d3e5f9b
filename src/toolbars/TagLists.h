// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tag lists of the speedbar ("Tags.dat", "ASP.dat", "CFusion.dat"): one
// entry per line, a start text alone or a start text, "..", and an end text.

#include <QComboBox>
#include <QString>
#include <QStringList>

struct TTagEntry
{
    QString start;
    QString end;
};

// The entry split at its first "..".
TTagEntry SplitTagEntry(const QString &entry);
// The non-empty lines of a tag-list file; none when it is missing.
QStringList ReadTagList(const QString &path);

// A drop-down list of tag entries. A letter key selects the next entry,
// after the current one and wrapping around, that begins with "<" and that
// letter.
class TTagListCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit TTagListCombo(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
