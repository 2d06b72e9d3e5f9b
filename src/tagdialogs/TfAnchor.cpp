// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfAnchor.h"

#include "HTMLExtensions.h"
#include "MessageService.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TagText.h"
#include "TfBookmarks.h"
#include "TvqRichHTML.h"
#include "URLHistory.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfAnchor::TfAnchor(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Anchor"), parent),
      m_autoFillHREF(ReadRegBool(RegistryKeys::Velicort, QStringLiteral("AutoFillHREF"), true)),
      m_bookmarkFile(ReadRegValue(RegistryKeys::Velicort, QStringLiteral("BookmarkFile"), QString()))
{
    cboURL = new QComboBox;
    cboURL->setObjectName(QStringLiteral("cboURL"));
    cboURL->setEditable(true);
    cboURL->setInsertPolicy(QComboBox::NoInsert);
    cboURL->setMinimumContentsLength(40);
    cboURL->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnURL"));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Select HTML Document"));
    connect(browse, &QToolButton::clicked, this, &TfAnchor::btnURLClick);
    // Favourites have no counterpart here; bookmarks come from an exported
    // bookmark file, when there is one.
    auto *bookmarks = new QToolButton;
    bookmarks->setObjectName(QStringLiteral("btnBookmarks"));
    bookmarks->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    bookmarks->setToolTip(QStringLiteral("Select from Netscape bookmarks"));
    if (m_bookmarkFile.isEmpty() || !QFileInfo::exists(m_bookmarkFile))
        bookmarks->hide();
    connect(bookmarks, &QToolButton::clicked, this, &TfAnchor::btnBookmarksClick);
    cboTarget = new QComboBox;
    cboTarget->setObjectName(QStringLiteral("cboTarget"));
    cboTarget->setEditable(true);
    cboTarget->setInsertPolicy(QComboBox::NoInsert);
    cboTarget->addItems(
        {QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"), QStringLiteral("_top")});
    cboTarget->setCurrentIndex(-1);
    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    memDescription = new QPlainTextEdit;
    memDescription->setObjectName(QStringLiteral("memDescription"));
    memDescription->setTabChangesFocus(true);
    memDescription->setFixedHeight(fontMetrics().height() * 4 + 12);

    auto *url = new QHBoxLayout;
    url->addWidget(cboURL, 1);
    url->addWidget(browse);
    url->addWidget(bookmarks);
    auto *anchor = new QGroupBox(QStringLiteral("Anchor"));
    auto *form = new QFormLayout(anchor);
    form->addRow(QStringLiteral("&HREF:"), url);
    static_cast<QLabel *>(form->labelForField(url))->setBuddy(cboURL);
    form->addRow(QStringLiteral("&Target:"), cboTarget);
    form->addRow(QStringLiteral("&Name:"), txtName);
    grpDescription = new QGroupBox(QStringLiteral("&Description"));
    grpDescription->setObjectName(QStringLiteral("grpDescription"));
    auto *description = new QVBoxLayout(grpDescription);
    description->addWidget(memDescription);
    auto *fields = new QVBoxLayout;
    fields->addWidget(anchor);
    fields->addWidget(grpDescription);
    SetContent(fields);
    cboURL->setFocus();
}

std::pair<QString, QString> TfAnchor::TagForFile(const TTagDialogContext &context, const QString &file)
{
    TfAnchor dialog(context, nullptr);
    dialog.SetFile(file);
    return {dialog.StartText(), dialog.EndText()};
}

void TfAnchor::SetFile(const QString &file)
{
    if (file.contains(QLatin1String("://"))) {
        cboURL->setEditText(file);
        return;
    }
    const QFileInfo info(file);
    const QString reference =
        MakeRelativeFolder(m_context.documentFolder, info.absolutePath(), m_context.lowerCaseFiles) + info.fileName();
    cboURL->setEditText(m_context.lowerCaseFiles ? reference.toLower() : reference);
}

void TfAnchor::Prepare()
{
    if (m_autoFillHREF) {
        QStringList urls = KnownURLs(m_context.documentFolder, m_context.lowerCaseFiles);
        if (m_context.editor) {
            const QStringList names = CollectQuotedValues(QStringLiteral("<A NAME=\""), m_context.editor->Text(), true);
            for (const QString &name : names)
                urls.append(u'#' + name);
        }
        const QString text = cboURL->currentText();
        cboURL->addItems(urls);
        cboURL->setEditText(text);
    }
    const QString selected = EditMode() || !m_context.editor ? QString() : m_context.editor->SelText();
    if (!selected.isEmpty()) {
        memDescription->setPlainText(selected);
        m_tookSelection = true;
    }
}

void TfAnchor::ReadFields(const QString &tagText)
{
    grpDescription->hide();
    cboURL->setEditText(GetTagAttribute(tagText, QStringLiteral("HREF=")));
    cboTarget->setEditText(GetTagAttribute(tagText, QStringLiteral("TARGET=")));
    txtName->setText(GetTagAttribute(tagText, QStringLiteral("NAME=")));
}

QString TfAnchor::HRef() const
{
    const QString href = cboURL->currentText();
    return m_context.lowerCaseFiles && !href.startsWith(u'#') ? href.toLower() : href;
}

QString TfAnchor::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<A>"));
    SetQuoted(tag, QStringLiteral("HREF="), HRef());
    SetQuoted(tag, QStringLiteral("TARGET="), cboTarget->currentText());
    SetQuoted(tag, QStringLiteral("NAME="), txtName->text());
    if (EditMode())
        return tag;
    return tag + memDescription->toPlainText().replace(u'\n', QLatin1String("\r\n"));
}

QString TfAnchor::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</A>"));
}

void TfAnchor::accept()
{
    const QString href = HRef();
    if (m_autoFillHREF && !href.isEmpty() && !href.startsWith(u'#'))
        AddToURLHistory(href);
    TTagDialog::accept();
}

void TfAnchor::btnURLClick()
{
    QString file = TMessageService::Instance().GetOpenFileName(
        QStringLiteral("Select HTML Document"), m_context.documentFolder, FileDialogFilter(LoadHTMLExtensions()));
    if (file.isEmpty())
        return;
    SetFile(m_context.lowerCaseFiles ? file.toLower() : file);
}

void TfAnchor::btnBookmarksClick()
{
    TfBookmarks picker(m_bookmarkFile, this);
    if (picker.exec() == QDialog::Accepted && !picker.SelectedURL().isEmpty())
        SetFile(picker.SelectedURL());
}
