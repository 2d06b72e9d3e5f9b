// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain window around one editor: open, save, print, undo and the
// colour-coding modes. It stands in until the main window with its document
// tabs exists.

#include <QMainWindow>

class QAction;
class QActionGroup;
class TvqRichHTML;

class TfEditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfEditorWindow(QWidget *parent = nullptr);

    TvqRichHTML *Editor() const { return m_editor; }
    bool OpenDocument(const QString &fileName);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void mnuFileOpenClick();
    bool mnuFileSaveClick();
    bool mnuFileSaveAsClick();
    void mnuFilePrintClick();
    void SetColorCodingMode(int mode);
    void UpdateCaption();

    TvqRichHTML *m_editor;
    QActionGroup *m_modes;
};
