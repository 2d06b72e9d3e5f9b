// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame wizard: four pages that split the page into rows or columns,
// split each of those again into frames, and set every frame's attributes
// on a layout of clickable panels; the result is one FRAMESET block.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class TvqFramePanel;
class TvqUpDownEdit;

class TfFrameWizard : public TTagDialog
{
    Q_OBJECT

public:
    TfFrameWizard(const TTagDialogContext &context, QWidget *parent);

    // Offers the known URLs for the frames' sources.
    void Prepare() override;
    // The whole block; nothing is wrapped and nothing replaced.
    QString StartText() const override;
    bool ReplacesSelection() const override { return false; }

    // The page shown, from 1.
    int Page() const;
    void btnBackClick();
    void btnNextClick();

protected:
    void ReadFields(const QString &) override {}

private:
    void ShowPage(int page, bool forward);
    bool ByColumns() const;
    QStringList Divisions() const;
    void BuildFramePanels();
    void SelectPanel(TvqFramePanel *panel);
    TvqFramePanel *CurrentFrame() const;
    void StoreFrameFields();
    void btnFrameURLClick();

    QStackedWidget *pages;
    QPushButton *btnBack;
    QPushButton *btnNext;
    QRadioButton *optRows;
    QRadioButton *optColumns;
    QLabel *lblRowCol;
    TvqUpDownEdit *txtRowCol_2;
    QLabel *lblDivide;
    QTableWidget *grdDivide;
    QWidget *pnlFrames;
    QLineEdit *txtFrameName;
    QComboBox *cboFrameURL;
    QCheckBox *chkNoResize;
    TvqUpDownEdit *txtMarginHeight;
    TvqUpDownEdit *txtMarginWidth;
    QComboBox *cboScrolling;

    // The frame panels in creation order.
    std::vector<TvqFramePanel *> m_panels;
    // Set while the fields are filled from a frame, so that filling them
    // does not store them back.
    bool m_loading = false;
};
