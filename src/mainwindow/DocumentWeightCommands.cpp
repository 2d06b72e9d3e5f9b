// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentWeightCommands.h"

#include "CommandBinder.h"
#include "DocumentCommands.h"
#include "LongRun.h"
#include "MessageService.h"
#include "TFileBrowser.h"
#include "TfBandwidth.h"
#include "TvqHTMLTab.h"

TDocumentWeightCommands::TDocumentWeightCommands(TvqHTMLTab *documents, TDocumentCommands *commands,
                                                 TFileBrowser *fileBrowser, QWidget *window)
    : QObject(window), m_documents(documents), m_commands(commands), m_window(window)
{
    connect(fileBrowser, &TFileBrowser::WeighDocument, this, [this](const QString &path) {
        if (!path.isEmpty())
            ShowDocumentWeight(path, m_window);
    });
}

void TDocumentWeightCommands::Connect(const TCommandBinder &commands)
{
    commands.On({"mnuToolsBandwidth", "mnuPE_Bandwidth"}, this,
                [this] { TLongRun::WhenIdle(this, [this] { mnuToolsBandwidthClick(); }); });
}

void TDocumentWeightCommands::mnuToolsBandwidthClick()
{
    TvqRichHTML *editor = m_documents->ActiveEditor();
    if (!m_commands->SaveForFileTool(QStringLiteral("This document is empty.")))
        return;
    ShowDocumentWeight(editor->Filename(), m_window);
}
