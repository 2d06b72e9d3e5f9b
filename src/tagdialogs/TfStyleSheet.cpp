// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfStyleSheet.h"

#include "MessageService.h"
#include "RegistryKeys.h"
#include "SavedStyles.h"
#include "TfStyleTagSelect.h"
#include "TvqColorCombo.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QComboBox *NewList(const char *name, const QStringList &items, bool editable)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

QComboBox *NewUnit(const char *name)
{
    return NewList(name, {QStringLiteral("pt"), QStringLiteral("in"), QStringLiteral("cm"), QStringLiteral("px")},
                   false);
}

QLineEdit *NewNumber(const char *name)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-\\d.]*")), field));
    field->setMaximumWidth(60);
    return field;
}

QPushButton *NewButton(const char *name, const char *caption)
{
    auto *button = new QPushButton(QLatin1String(caption));
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfStyleSheet::TfStyleSheet(TSavedStyles &styles, bool forceHexColor, QWidget *parent)
    : QDialog(parent), m_styles(styles)
{
    setWindowTitle(QStringLiteral("Style"));
    txtFontSize = NewNumber("txtFontSize");
    cboFontSizeAttr = NewUnit("cboFontSizeAttr");
    cboFontFamily = NewList("cboFontFamily", {}, true);
    cboFontFamily->setMinimumContentsLength(20);
    cboFontWeight = NewList("cboFontWeight", {QStringLiteral("normal"), QStringLiteral("bold")}, true);
    cboFontStyle = NewList("cboFontStyle", {QStringLiteral("italic")}, true);
    txtFontLeading = NewNumber("txtFontLeading");
    cboFontLeadingAttr = NewUnit("cboFontLeadingAttr");
    cboTextDecoration = NewList(
        "cboTextDecoration",
        {QStringLiteral("italic"), QStringLiteral("line-through"), QStringLiteral("underline"), QStringLiteral("none")},
        true);
    cboTextAlign =
        NewList("cboTextAlign", {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")}, true);
    txtTextIndent = NewNumber("txtTextIndent");
    cboTextIndentAttr = NewUnit("cboTextIndentAttr");
    txtLeftMarginSize = NewNumber("txtLeftMarginSize");
    cboLeftMarginAttr = NewUnit("cboLeftMarginAttr");
    txtRightMarginSize = NewNumber("txtRightMarginSize");
    cboRightMarginAttr = NewUnit("cboRightMarginAttr");
    const auto colorCombo = [this, forceHexColor](const char *name) {
        auto *combo = new TvqColorCombo;
        combo->setObjectName(QLatin1String(name));
        combo->RegRoot = RegistryKeys::Velicort;
        combo->ForceHex = forceHexColor;
        connect(combo, &QComboBox::currentIndexChanged, this, &TfStyleSheet::FieldChanged);
        connect(combo, &TvqColorCombo::OnColorSelect, this, &TfStyleSheet::FieldChanged);
        return combo;
    };
    vqColor = colorCombo("vqColor");
    vqColorBG = colorCombo("vqColorBG");
    for (QLineEdit *field : {txtFontSize, txtFontLeading, txtTextIndent, txtLeftMarginSize, txtRightMarginSize})
        connect(field, &QLineEdit::textChanged, this, &TfStyleSheet::FieldChanged);
    for (QComboBox *combo : {cboFontSizeAttr, cboFontFamily, cboFontWeight, cboFontStyle, cboFontLeadingAttr,
                             cboTextDecoration, cboTextAlign, cboTextIndentAttr, cboLeftMarginAttr, cboRightMarginAttr})
        connect(combo, &QComboBox::currentTextChanged, this, &TfStyleSheet::FieldChanged);

    auto *attributes = new QGroupBox(QStringLiteral("Attributes"));
    auto *grid = new QGridLayout(attributes);
    const auto row = [grid](int line, int column, const char *caption, QWidget *field, QWidget *unit = nullptr) {
        auto *label = new QLabel(QLatin1String(caption));
        label->setBuddy(field);
        grid->addWidget(label, line, column * 3);
        grid->addWidget(field, line, column * 3 + 1, 1, unit ? 1 : 2);
        if (unit)
            grid->addWidget(unit, line, column * 3 + 2);
    };
    row(0, 0, "Font Si&ze:", txtFontSize, cboFontSizeAttr);
    row(1, 0, "Font &Family:", cboFontFamily);
    row(2, 0, "Font &Weight:", cboFontWeight);
    row(3, 0, "Font St&yle:", cboFontStyle);
    row(4, 0, "&Leading:", txtFontLeading, cboFontLeadingAttr);
    row(5, 0, "C&olor:", vqColor);
    row(0, 1, "D&ecoration:", cboTextDecoration);
    row(1, 1, "Text &Align:", cboTextAlign);
    row(2, 1, "Te&xt Indent:", txtTextIndent, cboTextIndentAttr);
    row(3, 1, "Left &Margin:", txtLeftMarginSize, cboLeftMarginAttr);
    row(4, 1, "&Right Margin:", txtRightMarginSize, cboRightMarginAttr);
    row(5, 1, "&Background:", vqColorBG);
    // The fields take the room; the units keep their own width.
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    pnlSample = new QLabel(QStringLiteral("AaYy"));
    pnlSample->setObjectName(QStringLiteral("pnlSample"));
    pnlSample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlSample->setAutoFillBackground(true);
    pnlSample->setFixedSize(220, 90);

    cboSavedStyles = NewList("cboSavedStyles", {}, false);
    cboSavedStyles->setMinimumContentsLength(16);
    connect(cboSavedStyles, &QComboBox::currentIndexChanged, this, &TfStyleSheet::SavedStylePicked);
    auto *save = NewButton("btnSave", "&Save");
    connect(save, &QPushButton::clicked, this, &TfStyleSheet::btnSaveClick);
    auto *remove = NewButton("btnDelete", "&Delete");
    connect(remove, &QPushButton::clicked, this, &TfStyleSheet::btnDeleteClick);
    auto *fresh = NewButton("btnNew", "&New");
    connect(fresh, &QPushButton::clicked, this, &TfStyleSheet::btnNewClick);
    auto *saved = new QGroupBox(QStringLiteral("Saved Styles"));
    auto *savedLayout = new QVBoxLayout(saved);
    savedLayout->addWidget(cboSavedStyles);
    auto *savedButtons = new QHBoxLayout;
    for (QPushButton *button : {save, remove, fresh})
        savedButtons->addWidget(button);
    savedLayout->addLayout(savedButtons);

    auto *insert = NewButton("btnInsert", "&Insert");
    insert->setDefault(true);
    connect(insert, &QPushButton::clicked, this, &TfStyleSheet::btnInsertClick);
    auto *close = NewButton("btnClose", "&Close");
    connect(close, &QPushButton::clicked, this, &TfStyleSheet::reject);
    auto *clear = NewButton("btnClear", "Clear");
    connect(clear, &QPushButton::clicked, this, &TfStyleSheet::btnClearClick);

    auto *side = new QVBoxLayout;
    side->addWidget(pnlSample);
    side->addWidget(saved);
    side->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(attributes, 1);
    top->addLayout(side);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {insert, close, clear})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    FillSavedStyles(QString());
    ClearFields();
}

QString TfStyleSheet::StartText() const
{
    return StyleWrap(FieldsStyle(), m_wrapping).first;
}

QString TfStyleSheet::EndText() const
{
    return StyleWrap(FieldsStyle(), m_wrapping).second;
}

TStyleObject TfStyleSheet::FieldsStyle() const
{
    TStyleObject style;
    auto &s = style.Slots;
    s[ssFontFamily] = cboFontFamily->currentText();
    s[ssFontWeight] = cboFontWeight->currentText();
    s[ssFontStyle] = cboFontStyle->currentText();
    s[ssFontSize] = txtFontSize->text();
    s[ssFontSizeUnit] = cboFontSizeAttr->currentText();
    s[ssLeading] = txtFontLeading->text();
    s[ssLeadingUnit] = cboFontLeadingAttr->currentText();
    s[ssColor] = vqColor->ColorText();
    s[ssDecoration] = cboTextDecoration->currentText();
    s[ssTextAlign] = cboTextAlign->currentText();
    s[ssTextIndent] = txtTextIndent->text();
    s[ssTextIndentUnit] = cboTextIndentAttr->currentText();
    s[ssLeftMargin] = txtLeftMarginSize->text();
    s[ssLeftMarginUnit] = cboLeftMarginAttr->currentText();
    s[ssRightMargin] = txtRightMarginSize->text();
    s[ssRightMarginUnit] = cboRightMarginAttr->currentText();
    s[ssBackground] = vqColorBG->ColorText();
    return style;
}

void TfStyleSheet::ClearFields()
{
    m_loading = true;
    for (QLineEdit *field : {txtFontSize, txtFontLeading, txtTextIndent, txtLeftMarginSize, txtRightMarginSize})
        field->clear();
    for (QComboBox *combo : {cboFontWeight, cboFontStyle, cboTextDecoration, cboTextAlign}) {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    cboFontFamily->clear();
    cboFontFamily->addItems(families);
    cboFontFamily->setCurrentIndex(-1);
    cboFontFamily->setEditText(QString());
    for (QComboBox *unit :
         {cboFontSizeAttr, cboFontLeadingAttr, cboTextIndentAttr, cboLeftMarginAttr, cboRightMarginAttr})
        unit->setCurrentIndex(0);
    vqColor->setCurrentIndex(TvqColorCombo::ciUnassigned);
    vqColorBG->setCurrentIndex(TvqColorCombo::ciUnassigned);
    m_loading = false;
    RefreshSample();
}

void TfStyleSheet::LoadStyle(const TStyleObject &style)
{
    const auto &s = style.Slots;
    m_loading = true;
    cboFontFamily->setEditText(s[ssFontFamily]);
    cboFontWeight->setEditText(s[ssFontWeight]);
    cboFontStyle->setEditText(s[ssFontStyle]);
    txtFontSize->setText(s[ssFontSize]);
    cboFontSizeAttr->setCurrentText(s[ssFontSizeUnit]);
    txtFontLeading->setText(s[ssLeading]);
    cboFontLeadingAttr->setCurrentText(s[ssLeadingUnit]);
    vqColor->SetColorText(s[ssColor]);
    cboTextDecoration->setEditText(s[ssDecoration]);
    cboTextAlign->setEditText(s[ssTextAlign]);
    txtTextIndent->setText(s[ssTextIndent]);
    cboTextIndentAttr->setCurrentText(s[ssTextIndentUnit]);
    txtLeftMarginSize->setText(s[ssLeftMargin]);
    cboLeftMarginAttr->setCurrentText(s[ssLeftMarginUnit]);
    txtRightMarginSize->setText(s[ssRightMargin]);
    cboRightMarginAttr->setCurrentText(s[ssRightMarginUnit]);
    vqColorBG->SetColorText(s[ssBackground]);
    m_loading = false;
    RefreshSample();
}

void TfStyleSheet::FieldChanged()
{
    if (m_loading)
        return;
    m_modified = true;
    RefreshSample();
}

void TfStyleSheet::RefreshSample()
{
    QPalette colours = palette();
    if (const QColor background = vqColorBG->SelectedColor(); background.isValid())
        colours.setColor(QPalette::Window, background);
    if (const QColor color = vqColor->SelectedColor(); color.isValid())
        colours.setColor(QPalette::WindowText, color);
    pnlSample->setPalette(colours);
    const QString align = cboTextAlign->currentText();
    pnlSample->setAlignment(Qt::AlignVCenter | (align == QLatin1String("left")    ? Qt::AlignLeft
                                                : align == QLatin1String("right") ? Qt::AlignRight
                                                                                  : Qt::AlignHCenter));
    bool number = false;
    const int size = txtFontSize->text().toInt(&number);
    const QString family = cboFontFamily->currentText();
    QFont font(family.isEmpty() ? QStringLiteral("Times New Roman") : family);
    font.setPointSize(number && size > 0 ? size : 10);
    const QString decoration = cboTextDecoration->currentText();
    font.setBold(cboFontWeight->currentText() == QLatin1String("bold"));
    font.setItalic(cboFontStyle->currentText() == QLatin1String("italic") || decoration == QLatin1String("italic"));
    font.setStrikeOut(decoration == QLatin1String("line-through"));
    font.setUnderline(decoration == QLatin1String("underline"));
    pnlSample->setFont(font);
}

bool TfStyleSheet::AskSaveChanges()
{
    if (!m_modified)
        return true;
    const QString name =
        cboSavedStyles->currentIndex() >= 0 ? cboSavedStyles->currentText() : QStringLiteral("[Untitled]");
    const TMsgResult answer = MessageDlg(QStringLiteral("Save changes to style \"") + name + QStringLiteral("\"?"),
                                         TMsgKind::Confirmation, TMsgButtons::YesNo);
    m_modified = false;
    if (answer == TMsgResult::Yes)
        return Save();
    return answer == TMsgResult::No;
}

bool TfStyleSheet::Save()
{
    QString name = cboSavedStyles->currentIndex() >= 0 ? cboSavedStyles->currentText() : QString();
    do {
        if (!TMessageService::Instance().InputQuery(QStringLiteral("Save"), QStringLiteral("Style Name:"), name))
            return false;
    } while (name.isEmpty());
    TStyleObject style = FieldsStyle();
    style.Slots[ssName] = name;
    m_styles.Put(style);
    if (!WriteStyles())
        return false;
    FillSavedStyles(name);
    RefreshSample();
    m_modified = false;
    return true;
}

bool TfStyleSheet::WriteStyles()
{
    const TSavedStyles::TWriteResult result = m_styles.Write();
    if (!result.backedUp)
        MessageDlg(QStringLiteral("Unable to backup style data file."), TMsgKind::Warning);
    if (!result.written)
        MessageDlg(QStringLiteral("An I/O error occurred while saving this style.  Operation cancelled."),
                   TMsgKind::Error);
    return result.written;
}

void TfStyleSheet::FillSavedStyles(const QString &selected)
{
    const QSignalBlocker quiet(cboSavedStyles);
    cboSavedStyles->clear();
    cboSavedStyles->addItems(m_styles.SortedNames());
    cboSavedStyles->setCurrentIndex(cboSavedStyles->findText(selected, Qt::MatchFixedString));
}

void TfStyleSheet::SavedStylePicked()
{
    const TStyleObject *style =
        cboSavedStyles->currentIndex() >= 0 ? m_styles.Find(cboSavedStyles->currentText()) : nullptr;
    if (style)
        LoadStyle(*style);
    else
        ClearFields();
}

void TfStyleSheet::btnSaveClick()
{
    Save();
}

void TfStyleSheet::btnDeleteClick()
{
    if (cboSavedStyles->currentIndex() < 0)
        return;
    if (MessageDlg(QStringLiteral("Delete selected style?"), TMsgKind::Confirmation, TMsgButtons::YesNo) ==
        TMsgResult::No)
        return;
    m_styles.Remove(cboSavedStyles->currentText());
    WriteStyles();
    FillSavedStyles(QString());
    cboSavedStyles->setCurrentIndex(cboSavedStyles->count() - 1);
    SavedStylePicked();
}

void TfStyleSheet::btnNewClick()
{
    if (!AskSaveChanges())
        return;
    {
        const QSignalBlocker quiet(cboSavedStyles);
        cboSavedStyles->setCurrentIndex(-1);
    }
    ClearFields();
    cboFontFamily->setFocus();
}

void TfStyleSheet::btnClearClick()
{
    if (AskSaveChanges())
        ClearFields();
}

void TfStyleSheet::btnInsertClick()
{
    TfStyleTagSelect chooser(this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    m_wrapping = chooser.Wrapping();
    if (AskSaveChanges())
        QDialog::accept();
}

void TfStyleSheet::reject()
{
    if (AskSaveChanges())
        QDialog::reject();
}
