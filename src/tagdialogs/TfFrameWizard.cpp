// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFrameWizard.h"

#include "MessageService.h"
#include "TfFrame.h"
#include "TvqFramePanel.h"
#include "TvqUpDownEdit.h"
#include "URLHistory.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PageCount = 4;

// Three sample shapes of a split, drawn in teal while its option is chosen
// and in navy otherwise; a click chooses the option.
class TSplitShapes : public QWidget
{
public:
    TSplitShapes(QRadioButton *option, bool columns) : m_option(option), m_columns(columns)
    {
        setFixedSize(3 * 44 + 2 * 8, 34);
        setCursor(Qt::PointingHandCursor);
        connect(option, &QRadioButton::toggled, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(m_option->isChecked() ? QColor(0x00, 0x80, 0x80) : QColor(0x00, 0x00, 0x80), 2));
        for (int shape = 0; shape < 3; ++shape) {
            const QRect box(1 + shape * 52, 1, 42, 31);
            painter.drawRect(box);
            // Two, three and four parts, split again in the middle one.
            const int parts = shape + 2;
            for (int part = 1; part < parts; ++part) {
                if (m_columns) {
                    const int x = box.left() + box.width() * part / parts;
                    painter.drawLine(x, box.top(), x, box.bottom());
                } else {
                    const int y = box.top() + box.height() * part / parts;
                    painter.drawLine(box.left(), y, box.right(), y);
                }
            }
        }
    }
    void mousePressEvent(QMouseEvent *) override { m_option->setChecked(true); }

private:
    QRadioButton *m_option;
    bool m_columns;
};

// The division counts take the digits 1 to 9 only.
class TDivisionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9]*")), line));
        return editor;
    }
};

QLabel *NewText(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfFrameWizard::TfFrameWizard(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Frame Wizard"), parent)
{
    // Page 1: rows or columns.
    optRows = new QRadioButton(QStringLiteral("&Rows"));
    optRows->setObjectName(QStringLiteral("optRows"));
    optRows->setChecked(true);
    optColumns = new QRadioButton(QStringLiteral("&Columns"));
    optColumns->setObjectName(QStringLiteral("optColumns"));
    auto *split = new QButtonGroup(this);
    split->addButton(optRows);
    split->addButton(optColumns);
    auto *page1 = new QWidget;
    auto *layout1 = new QVBoxLayout(page1);
    layout1->addWidget(NewText(QStringLiteral("Welcome to the Velicort Frame Wizard, which will guide you through the "
                                              "process of creating frames for your web page.")));
    layout1->addWidget(NewText(QStringLiteral("The first step is to choose whether you would like the frames to "
                                              "divide your page by rows or by columns:")));
    auto *options = new QGridLayout;
    options->addWidget(optRows, 0, 0);
    options->addWidget(new TSplitShapes(optRows, false), 0, 1);
    options->addWidget(optColumns, 1, 0);
    options->addWidget(new TSplitShapes(optColumns, true), 1, 1);
    layout1->addLayout(options);
    layout1->addStretch();

    // Page 2: how many.
    lblRowCol = NewText(QString());
    lblRowCol->setObjectName(QStringLiteral("lblRowCol"));
    txtRowCol_2 = new TvqUpDownEdit(2, 9, 1, QStringLiteral("[2-9]"), 1);
    txtRowCol_2->setObjectName(QStringLiteral("txtRowCol_2"));
    txtRowCol_2->SetText(QStringLiteral("2"));
    auto *page2 = new QWidget;
    auto *layout2 = new QVBoxLayout(page2);
    layout2->addWidget(lblRowCol);
    auto *count = new QHBoxLayout;
    count->addWidget(txtRowCol_2);
    count->addStretch();
    layout2->addLayout(count);
    layout2->addStretch();

    // Page 3: the frames of each.
    lblDivide = NewText(QString());
    lblDivide->setObjectName(QStringLiteral("lblDivide"));
    grdDivide = new QTableWidget(0, 2);
    grdDivide->setObjectName(QStringLiteral("grdDivide"));
    grdDivide->horizontalHeader()->hide();
    grdDivide->verticalHeader()->hide();
    grdDivide->setItemDelegateForColumn(1, new TDivisionDelegate(grdDivide));
    grdDivide->setEditTriggers(QAbstractItemView::AllEditTriggers);
    auto *page3 = new QWidget;
    auto *layout3 = new QVBoxLayout(page3);
    layout3->addWidget(lblDivide);
    layout3->addWidget(grdDivide);

    // Page 4: the frames.
    pnlFrames = new QWidget;
    pnlFrames->setObjectName(QStringLiteral("pnlFrames"));
    pnlFrames->setFixedSize(320, 220);
    txtFrameName = new QLineEdit;
    txtFrameName->setObjectName(QStringLiteral("txtFrameName"));
    txtFrameName->setMaxLength(50);
    cboFrameURL = new QComboBox;
    cboFrameURL->setObjectName(QStringLiteral("cboFrameURL"));
    cboFrameURL->setEditable(true);
    cboFrameURL->setInsertPolicy(QComboBox::NoInsert);
    cboFrameURL->setMinimumContentsLength(24);
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnFrameURL"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &TfFrameWizard::btnFrameURLClick);
    chkNoResize = new QCheckBox(QStringLiteral("No resi&ze"));
    chkNoResize->setObjectName(QStringLiteral("chkNoResize"));
    txtMarginHeight = new TvqUpDownEdit(0, 99, 1, QStringLiteral("\\d"), 2);
    txtMarginHeight->setObjectName(QStringLiteral("txtMarginHeight"));
    txtMarginWidth = new TvqUpDownEdit(0, 99, 1, QStringLiteral("\\d"), 2);
    txtMarginWidth->setObjectName(QStringLiteral("txtMarginWidth"));
    cboScrolling = new QComboBox;
    cboScrolling->setObjectName(QStringLiteral("cboScrolling"));
    cboScrolling->addItems({QStringLiteral("Auto"), QStringLiteral("Yes"), QStringLiteral("No")});
    // Every change of a field goes into the current frame at once.
    connect(txtFrameName, &QLineEdit::textChanged, this, &TfFrameWizard::StoreFrameFields);
    connect(cboFrameURL, &QComboBox::currentTextChanged, this, &TfFrameWizard::StoreFrameFields);
    connect(chkNoResize, &QCheckBox::toggled, this, &TfFrameWizard::StoreFrameFields);
    connect(cboScrolling, &QComboBox::currentTextChanged, this, &TfFrameWizard::StoreFrameFields);
    for (TvqUpDownEdit *margin : {txtMarginHeight, txtMarginWidth}) {
        connect(margin, &TvqUpDownEdit::Stepped, this, &TfFrameWizard::StoreFrameFields);
        connect(margin->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, &TfFrameWizard::StoreFrameFields);
    }
    auto *url = new QHBoxLayout;
    url->addWidget(cboFrameURL, 1);
    url->addWidget(browse);
    auto *frameFields = new QFormLayout;
    frameFields->addRow(QStringLiteral("&Name:"), txtFrameName);
    frameFields->addRow(QStringLiteral("&URL:"), url);
    static_cast<QLabel *>(frameFields->labelForField(url))->setBuddy(cboFrameURL);
    frameFields->addRow(chkNoResize);
    frameFields->addRow(QStringLiteral("Margin &Height:"), txtMarginHeight);
    frameFields->addRow(QStringLiteral("Margin &Width:"), txtMarginWidth);
    frameFields->addRow(QStringLiteral("&Scrolling:"), cboScrolling);
    auto *page4 = new QWidget;
    auto *layout4 = new QVBoxLayout(page4);
    layout4->addWidget(NewText(QStringLiteral("The last step in creating your frames is defining their individual "
                                              "attributes.  When you're done, click Finish to insert the frame code "
                                              "into Velicort's editor.")));
    auto *frames = new QHBoxLayout;
    frames->addWidget(pnlFrames);
    frames->addLayout(frameFields);
    layout4->addLayout(frames);

    pages = new QStackedWidget;
    pages->setObjectName(QStringLiteral("pgWizard"));
    for (QWidget *page : {page1, page2, page3, page4})
        pages->addWidget(page);

    btnBack = new QPushButton(QStringLiteral("< &Back"));
    btnBack->setObjectName(QStringLiteral("btnBack"));
    connect(btnBack, &QPushButton::clicked, this, &TfFrameWizard::btnBackClick);
    btnNext = new QPushButton;
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setDefault(true);
    connect(btnNext, &QPushButton::clicked, this, &TfFrameWizard::btnNextClick);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnBack);
    buttons->addWidget(btnNext);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    setMinimumSize(640, 380);
    ShowPage(1, false);
}

void TfFrameWizard::Prepare()
{
    cboFrameURL->addItems(KnownURLs(m_context.documentFolder, m_context.lowerCaseFiles));
    cboFrameURL->setEditText(QString());
}

int TfFrameWizard::Page() const
{
    return pages->currentIndex() + 1;
}

bool TfFrameWizard::ByColumns() const
{
    return optColumns->isChecked();
}

void TfFrameWizard::btnBackClick()
{
    ShowPage(Page() - 1, false);
}

void TfFrameWizard::btnNextClick()
{
    if (Page() == 3) {
        for (int line = 0; line < grdDivide->rowCount(); ++line) {
            bool number = false;
            const QTableWidgetItem *item = grdDivide->item(line, 1);
            const int count = item ? item->text().toInt(&number) : 0;
            if (!number || count < 1 || count > 9) {
                MessageDlg(QStringLiteral("Please enter a number between 1 and 9"), TMsgKind::Warning);
                grdDivide->setFocus();
                grdDivide->setCurrentCell(line, 1);
                return;
            }
        }
    }
    if (Page() == PageCount) {
        accept();
        return;
    }
    ShowPage(Page() + 1, true);
}

void TfFrameWizard::ShowPage(int page, bool forward)
{
    page = std::clamp(page, 1, PageCount);
    const QString unit = ByColumns() ? QStringLiteral("column") : QStringLiteral("row");
    if (page == 2 && forward)
        lblRowCol->setText(QStringLiteral("How many %1s would you like (2-9) ?").arg(unit));
    if (page == 3 && forward) {
        lblDivide->setText(QStringLiteral("Each of these ") + unit +
                           QStringLiteral("s may be divided into one to nine frames."));
        bool number = false;
        const int lines = txtRowCol_2->Text().toInt(&number);
        const int old = grdDivide->rowCount();
        grdDivide->setRowCount(number ? std::clamp(lines, 2, 9) : 2);
        // New lines start at one frame; the others keep what they held.
        for (int line = 0; line < grdDivide->rowCount(); ++line) {
            auto *label = new QTableWidgetItem(unit + u' ' + QString::number(line + 1));
            label->setFlags(Qt::ItemIsEnabled);
            grdDivide->setItem(line, 0, label);
            if (line >= old)
                grdDivide->setItem(line, 1, new QTableWidgetItem(QStringLiteral("1")));
        }
    }
    if (page == 4)
        BuildFramePanels();
    pages->setCurrentIndex(page - 1);
    btnNext->setText(page == PageCount ? QStringLiteral("&Finish") : QStringLiteral("&Next >"));
}

QStringList TfFrameWizard::Divisions() const
{
    QStringList divisions;
    for (int line = 0; line < grdDivide->rowCount(); ++line) {
        const QTableWidgetItem *item = grdDivide->item(line, 1);
        divisions.append(item ? item->text() : QString());
    }
    return divisions;
}

void TfFrameWizard::BuildFramePanels()
{
    for (TvqFramePanel *panel : m_panels)
        delete panel;
    m_panels.clear();
    for (const TFrameSettings &frame : LayoutFrames(ByColumns(), Divisions(), pnlFrames->size())) {
        auto *panel = new TvqFramePanel(frame, pnlFrames);
        panel->setObjectName(QStringLiteral("pnlFrame%1").arg(m_panels.size() + 1));
        connect(panel, &TvqFramePanel::Clicked, this, [this, panel] { SelectPanel(panel); });
        panel->show();
        m_panels.push_back(panel);
    }
    if (!m_panels.empty())
        SelectPanel(m_panels.front());
}

void TfFrameWizard::SelectPanel(TvqFramePanel *panel)
{
    for (TvqFramePanel *other : m_panels)
        other->SetSelected(other == panel);
    const TFrameSettings &frame = panel->Settings();
    m_loading = true;
    txtFrameName->setText(frame.FrameName);
    cboFrameURL->setEditText(frame.FrameURL);
    chkNoResize->setChecked(frame.NoResize);
    txtMarginWidth->SetText(frame.MarginWidth);
    txtMarginHeight->SetText(frame.MarginHeight);
    cboScrolling->setCurrentText(frame.Scrolling);
    m_loading = false;
}

TvqFramePanel *TfFrameWizard::CurrentFrame() const
{
    for (TvqFramePanel *panel : m_panels)
        if (panel->Selected())
            return panel;
    return m_panels.empty() ? nullptr : m_panels.front();
}

void TfFrameWizard::StoreFrameFields()
{
    TvqFramePanel *panel = CurrentFrame();
    if (m_loading || !panel)
        return;
    TFrameSettings frame = panel->Settings();
    frame.FrameName = txtFrameName->text();
    frame.FrameURL = cboFrameURL->currentText();
    frame.NoResize = chkNoResize->isChecked();
    frame.MarginHeight = txtMarginHeight->Text();
    frame.MarginWidth = txtMarginWidth->Text();
    frame.Scrolling = cboScrolling->currentText();
    panel->SetSettings(frame);
}

void TfFrameWizard::btnFrameURLClick()
{
    if (const QString reference = TfFrame::BrowseHTMLDocument(m_context); !reference.isEmpty())
        cboFrameURL->setEditText(reference);
}

QString TfFrameWizard::StartText() const
{
    std::vector<TFrameSettings> frames;
    for (const TvqFramePanel *panel : m_panels)
        frames.push_back(panel->Settings());
    return FramesetText(ByColumns(), Divisions(), frames);
}
