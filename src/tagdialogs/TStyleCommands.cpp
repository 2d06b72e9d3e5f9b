// SPDX-License-Identifier: GPL-3.0-or-later
#include "TStyleCommands.h"

#include "LongRun.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TfStyleSheet.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QAbstractButton>
#include <QComboBox>

TStyleCommands::TStyleCommands(TvqHTMLTab *documents, QWidget *speedbar, QWidget *window, const QString &stylesPath)
    : QObject(window), m_documents(documents), m_speedbar(speedbar), m_window(window),
      cboStyleList(speedbar->findChild<QComboBox *>(QStringLiteral("cboStyleList"))), m_styles(stylesPath)
{
}

void TStyleCommands::Connect()
{
    const auto button = [this](const char *name, void (TStyleCommands::*handler)()) {
        auto *control = m_speedbar->findChild<QAbstractButton *>(QLatin1String(name));
        control->setEnabled(true);
        connect(control, &QAbstractButton::clicked, this, handler);
    };
    button("spdStyleSheet", &TStyleCommands::spdStyleSheetClick);
    button("spdStyleInsert", &TStyleCommands::spdStyleInsertClick);
    FillStyleList();
}

void TStyleCommands::FillStyleList()
{
    const QString selected = cboStyleList->currentText();
    cboStyleList->clear();
    cboStyleList->addItems(m_styles.SortedNames());
    cboStyleList->setCurrentIndex(cboStyleList->findText(selected, Qt::MatchFixedString));
}

void TStyleCommands::spdStyleSheetClick()
{
    // The editor never opens in the middle of a long run over the document.
    TLongRun::WhenIdle(this, [this] {
        TfStyleSheet editor(m_styles, ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ForceHexColor"), false),
                            m_window);
        const bool insert = editor.exec() == QDialog::Accepted;
        FillStyleList();
        TvqRichHTML *document = m_documents->ActiveEditor();
        if (insert)
            document->InsertTag(editor.StartText(), editor.EndText(), false);
        if (document->isVisible() && document->isEnabled())
            document->setFocus();
    });
}

void TStyleCommands::spdStyleInsertClick()
{
    TLongRun::WhenIdle(this, [this] {
        const TStyleObject *style =
            cboStyleList->currentIndex() >= 0 ? m_styles.Find(cboStyleList->currentText()) : nullptr;
        if (!style)
            return;
        TvqRichHTML *document = m_documents->ActiveEditor();
        document->InsertTag(StyleWrap(*style, swSpan).first, CaseTag(QStringLiteral("</SPAN>")), false);
        document->setFocus();
    });
}
