// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfServerVars.h"

#include "Paths.h"
#include "ScriptText.h"
#include "TagText.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>

TfServerVars::TfServerVars(const TTagDialogContext &context, bool cfml, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Server Variables"), parent), m_cfml(cfml)
{
    auto *logo = new QLabel;
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QIcon(DataFilePath(cfml ? QStringLiteral("icons/spdCFServerVar.svg")
                                            : QStringLiteral("icons/spdASPServerVar.svg")))
                        .pixmap(32, 32));
    cboVars = new QComboBox;
    cboVars->setObjectName(QStringLiteral("cboVars"));
    cboVars->addItems(
        {QStringLiteral("ALL_HTTP"),        QStringLiteral("AUTH_PASS"),       QStringLiteral("AUTH_TYPE"),
         QStringLiteral("CONTENT_LENGTH"),  QStringLiteral("CONTENT_TYPE"),    QStringLiteral("GATEWAY_INTERFACE"),
         QStringLiteral("PATH_INFO"),       QStringLiteral("PATH_TRANSLATED"), QStringLiteral("QUERY_STRING"),
         QStringLiteral("REMOTE_ADDR"),     QStringLiteral("REMOTE_HOST"),     QStringLiteral("REMOTE_IDENT"),
         QStringLiteral("REMOTE_USER"),     QStringLiteral("REQUEST_BODY"),    QStringLiteral("REQUEST_METHOD"),
         QStringLiteral("SCRIPT_NAME"),     QStringLiteral("SERVER_NAME"),     QStringLiteral("SERVER_PORT"),
         QStringLiteral("SERVER_PROTOCOL"), QStringLiteral("SERVER_SOFTWARE")});
    auto *fields = new QFormLayout;
    fields->addRow(logo, new QLabel(cfml ? QStringLiteral("CFML") : QStringLiteral("ASP")));
    fields->addRow(QStringLiteral("&Variable:"), cboVars);
    SetContent(fields);
}

QString TfServerVars::StartText() const
{
    const QString name = cboVars->currentText();
    return m_cfml ? QStringLiteral("#CGI.") + name + QStringLiteral("#\r\n")
                  : QStringLiteral("<%= Request.ServerVariables(\"") + name + QStringLiteral("\") %>\r\n");
}

QString ASPIncludeText(const QString &documentFolder, const QString &file, bool lowerCaseFiles)
{
    const QFileInfo info(file);
    return QStringLiteral("<!--#include file=\"") +
           AttributeText(MakeRelativeFolder(documentFolder, info.absolutePath(), lowerCaseFiles) + info.fileName()) +
           QStringLiteral("\"-->\r\n");
}
