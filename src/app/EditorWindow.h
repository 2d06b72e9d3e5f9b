// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain window around the document tabs: new, open, close, save, print,
// undo and the colour-coding modes. It stands in until the main window
// exists.

#include <QMainWindow>

class QAction;
class QActionGroup;
class TvqHTMLTab;
class TvqRichHTML;

class TfEditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfEditorWindow(QWidget *parent = nullptr);

    TvqHTMLTab *Documents() const { return m_documents; }
    bool OpenDocument(const QString &fileName);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    TvqRichHTML *Editor() const;
    void mnuFileNewClick();
    void mnuFileOpenClick();
    void mnuFileCloseClick();
    bool mnuFileSaveClick();
    bool mnuFileSaveAsClick();
    // Asks whether to save a modified document; false when the user cancels.
    bool QuerySave();
    void mnuFilePrintClick();
    void SetColorCodingMode(int mode);
    void UpdateCaption();

    TvqHTMLTab *m_documents;
    QActionGroup *m_modes;
};
