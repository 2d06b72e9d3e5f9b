// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pop-up reference of the browser scripting object model: a tree of
// objects, their properties and methods, and the reserved words of the
// language. Choosing a leaf (double-click or Enter) hands its text on, split
// so that the caret lands inside the brackets or quotes of a method call.

#include "TagLists.h"

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

enum TvqScriptLanguage { slJavaScript, slVBScript };

// A leaf's inserted text split where the caret goes: before its first ")"
// (or, failing that, its first "]"), or after the first double quote when
// that bracket follows a quote; the whole text when it has neither bracket.
TTagEntry SplitScriptText(const QString &text);

class TvqScriptTree : public QWidget
{
    Q_OBJECT

public:
    // Item data: the inserted text and the picture's TScriptIcon.
    static constexpr int TextRole = Qt::UserRole;
    static constexpr int IconRole = Qt::UserRole + 1;

    explicit TvqScriptTree(QWidget *parent = nullptr);

    TvqScriptLanguage ScriptLanguage() const { return m_language; }
    void SetScriptLanguage(TvqScriptLanguage language) { m_language = language; }
    QTreeWidget *Tree() const { return m_tree; }

    // Shows or hides the panel. The first showing fills the tree when the
    // language is JavaScript; the tree is never filled later, so a VBScript
    // panel stays empty.
    void ShowTree(bool visible);

signals:
    void OnItemSelect(const QString &tagStart, const QString &tagEnd);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildJavaScriptTree();
    // Fires OnItemSelect for a leaf; nodes with children insert nothing.
    void ChooseItem(QTreeWidgetItem *item);

    QTreeWidget *m_tree;
    TvqScriptLanguage m_language = slJavaScript;
    bool m_built = false;
};
